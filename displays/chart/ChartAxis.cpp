#include "displays/chart/ChartAxis.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include <QFontMetrics>
#include <QPainter>

#include "displays/chart/AxisTitle.h"
#include "displays/chart/ChartColors.h"
#include "displays/chart/ChartCanvas.h"
#include "displays/chart/ChartExceptions.h"
#include "displays/chart/ChartFont.h"
#include "displays/chart/ChartPen.h"
#include "displays/chart/ValueFormat.h"
#include "runtime/Component.h"
#include "runtime/Font.h"
#include "runtime/Numeric.h"

namespace {

constexpr TColor kGrey{0x808080};
// Far beyond any plot: a value far outside the range still maps to a pixel the painter can take.
constexpr int64_t kPixelLimit = 1 << 24;
// Label loops stop short of these, so that no range or step makes them long.
constexpr double kMaxLabelRatio = 2147483647.0;
constexpr double kMaxLabelCount = 10000.0;
// Two limits within half the largest double are never further apart than a double holds.
constexpr double kHalfRange = std::numeric_limits<double>::max() / 2;

int titleAngle(TChartAxis::TSide side)
{
    if (side == TChartAxis::TSide::Left)
        return 90;
    return side == TChartAxis::TSide::Right ? 270 : 0;
}

// Clamped before rounding: a value far outside the range must not round past what 64 bits hold.
int clampedPixel(int base, double offset)
{
    if (std::isnan(offset))
        return base;
    return base + int(Round(std::clamp<double>(offset, -kPixelLimit, kPixelLimit)));
}

// Limits whose difference overflows are pulled in, so that the range and every mapping stay finite.
void pullIn(double &minimum, double &maximum)
{
    if (std::isfinite(maximum - minimum))
        return;
    const auto inside = [](double value) {
        return std::isnan(value) ? 0 : std::clamp(value, -kHalfRange, kHalfRange);
    };
    minimum = inside(minimum);
    maximum = inside(maximum);
}

// Multiplying first keeps whole pixels exact; a range near the top of the doubles divides first.
double scaled(int pixels, double part, double whole)
{
    const double result = pixels * part / whole;
    return std::isfinite(result) ? result : pixels * (part / whole);
}

} // namespace

TChartAxis::TChartAxis(QObject *parent, const TComponent &owner, TSide side)
    : TPersistent(parent), m_owner(&owner), m_side(side),
      m_labelsFont(NewChartFont(this, [this] { Changed(); })), m_axisPen(new TChartPen(this, clBlack, 2)),
      m_grid(new TChartPen(this, kGrey, 1, TChartPen::psDot)), m_ticks(new TChartPen(this, kGrey)),
      m_minorTicks(new TChartPen(this, kGrey)), m_ticksInner(new TChartPen(this, kGrey)),
      m_title(new TChartAxisTitle(this, titleAngle(side)))
{
    for (TPersistent *part : std::initializer_list<TPersistent *>{m_axisPen, m_grid, m_ticks, m_minorTicks,
                                                                  m_ticksInner, m_title})
        part->SetChangeHandler([this] { Changed(); });
}

void TChartAxis::SetVisible(bool visible)
{
    Store(m_visible, visible);
}

void TChartAxis::SetAutomatic(bool automatic)
{
    if (!m_owner->Loading()) {
        m_automaticMinimum = automatic;
        m_automaticMaximum = automatic;
    }
    if (m_automatic == automatic)
        return;
    m_automatic = automatic;
    Changed();
}

void TChartAxis::SetAutomaticMaximum(bool automatic)
{
    if (!automatic)
        m_automatic = false;
    if (m_automaticMaximum == automatic)
        return;
    m_automaticMaximum = automatic;
    Changed();
}

void TChartAxis::SetAutomaticMinimum(bool automatic)
{
    if (!automatic)
        m_automatic = false;
    if (m_automaticMinimum == automatic)
        return;
    m_automaticMinimum = automatic;
    Changed();
}

// A limit that is not finite leaves no range to map, so it is refused even while the chart is read.
void TChartAxis::SetMinimum(double minimum)
{
    if (!std::isfinite(minimum) || (!m_owner->Loading() && minimum > m_maximum))
        throw AxisException(QStringLiteral("Axis Minimum Value must be <= Maximum"));
    if (m_minimum == minimum)
        return;
    m_minimum = minimum;
    Changed();
}

void TChartAxis::SetMaximum(double maximum)
{
    if (!std::isfinite(maximum) || (!m_owner->Loading() && maximum < m_minimum))
        throw AxisException(QStringLiteral("Axis Maximum Value must be >= Minimum"));
    if (m_maximum == maximum)
        return;
    m_maximum = maximum;
    Changed();
}

void TChartAxis::SetIncrement(double increment)
{
    // NaN is refused too: it would make every later step comparison fail.
    if (!(increment >= 0))
        throw AxisException(QStringLiteral("Axis increment must be >= 0"));
    if (m_increment == increment)
        return;
    m_increment = increment;
    Changed();
}

void TChartAxis::SetLabels(bool labels)
{
    Store(m_labels, labels);
}

void TChartAxis::SetLabelsOnAxis(bool onAxis)
{
    Store(m_labelsOnAxis, onAxis);
}

void TChartAxis::SetLabelsSeparation(int percent)
{
    Store(m_labelsSeparation, percent);
}

void TChartAxis::SetLabelsAngle(int angle)
{
    Store(m_labelsAngle, angle);
}

void TChartAxis::SetLabelsSize(int size)
{
    Store(m_labelsSize, size);
}

void TChartAxis::SetLabelStyle(TAxisLabelStyle style)
{
    Store(m_labelStyle, style);
}

void TChartAxis::SetAxisValuesFormat(const QString &format)
{
    Store(m_axisValuesFormat, format);
}

void TChartAxis::SetRoundFirstLabel(bool round)
{
    Store(m_roundFirstLabel, round);
}

void TChartAxis::SetTickOnLabelsOnly(bool only)
{
    Store(m_tickOnLabelsOnly, only);
}

void TChartAxis::SetTickLength(int length)
{
    Store(m_tickLength, length);
}

void TChartAxis::SetMinorTickLength(int length)
{
    Store(m_minorTickLength, length);
}

void TChartAxis::SetMinorTickCount(int count)
{
    Store(m_minorTickCount, count);
}

void TChartAxis::SetTickInnerLength(int length)
{
    Store(m_tickInnerLength, length);
}

void TChartAxis::SetTitleSize(int size)
{
    Store(m_titleSize, size);
}

void TChartAxis::SetInverted(bool inverted)
{
    Store(m_inverted, inverted);
}

void TChartAxis::SetLogarithmic(bool logarithmic)
{
    Store(m_logarithmic, logarithmic);
}

void TChartAxis::SetExactDateTime(bool exact)
{
    Store(m_exactDateTime, exact);
}

int TChartAxis::CalcPosValue(double value) const
{
    const TChartPlot &plot = m_plot;
    if (m_iRange == 0)
        return Horizontal() ? plot.CentreX() : plot.CentreY();
    if (Horizontal()) {
        const double offset = scaled(plot.Width(), value - m_iMinimum, m_iRange);
        return m_inverted ? clampedPixel(plot.right, -offset) : clampedPixel(plot.left, offset);
    }
    const double offset = scaled(plot.Height(), value - m_iMinimum, m_iRange);
    return m_inverted ? clampedPixel(plot.top, offset) : clampedPixel(plot.bottom, -offset);
}

double TChartAxis::CalcPosPoint(int pixel) const
{
    const TChartPlot &plot = m_plot;
    const int size = Horizontal() ? plot.Width() : plot.Height();
    if (size == 0)
        return 0;
    int from = 0;
    if (Horizontal())
        from = m_inverted ? plot.right - pixel : pixel - plot.left;
    else
        from = m_inverted ? pixel - plot.top : plot.bottom - pixel;
    return m_iMinimum + scaled(from, m_iRange, size);
}

void TChartAxis::AdjustMaxMin(const TChartRange &limits)
{
    if (m_automatic || m_automaticMaximum)
        m_maximum = limits.maximum;
    if (m_automatic || m_automaticMinimum)
        m_minimum = limits.minimum;
    m_iMinimum = m_minimum;
    m_iMaximum = m_maximum;
    pullIn(m_iMinimum, m_iMaximum);
    m_iRange = m_iMaximum - m_iMinimum;
}

void TChartAxis::SetWorkingRange(double minimum, double maximum)
{
    pullIn(minimum, maximum);
    if (minimum > maximum)
        std::swap(minimum, maximum);
    m_iMinimum = minimum;
    m_iMaximum = maximum;
    m_iRange = maximum - minimum;
}

void TChartAxis::SetMinMax(double minimum, double maximum)
{
    if (!std::isfinite(minimum) || !std::isfinite(maximum))
        return;
    m_automatic = false;
    m_automaticMinimum = false;
    m_automaticMaximum = false;
    m_minimum = minimum;
    m_maximum = maximum;
    Changed();
}

int TChartAxis::Space(QPainter &painter, int edge, bool labelled)
{
    // Left and top axes push their plot edge towards larger coordinates, the other two towards smaller.
    const int inwards = (m_side == TSide::Left || m_side == TSide::Top) ? 1 : -1;
    int titleSize = 0;
    if (!m_title->Caption().isEmpty()) {
        const QFontMetrics metrics(m_title->Font()->ToQFont(), painter.device());
        titleSize = m_titleSize != 0                      ? m_titleSize
                    : m_title->Vertical() != Horizontal() ? metrics.height()
                                                          : metrics.horizontalAdvance(m_title->Caption());
    }
    m_posTitle = edge + inwards * titleSize;
    int labelsSize = 0;
    if (ShowsLabels(labelled)) {
        const QFontMetrics metrics(m_labelsFont->ToQFont(), painter.device());
        if (m_labelsSize != 0) {
            labelsSize = m_labelsSize;
        } else if (Horizontal()) {
            labelsSize = metrics.height();
        } else {
            const double step = LabelStep();
            const double low = m_roundFirstLabel ? std::trunc(m_iMinimum / step) * step : m_iMinimum;
            const double high = m_roundFirstLabel ? std::trunc(m_iMaximum / step) * step : m_iMaximum;
            labelsSize = std::max(metrics.horizontalAdvance(LabelText(high, true)),
                                  metrics.horizontalAdvance(LabelText(low, true))) +
                         metrics.horizontalAdvance(u' ');
        }
    }
    m_posLabels = m_posTitle + inwards * labelsSize;
    int tickSpace = (m_axisPen->Draws() ? m_axisPen->Width() : 0) + (m_ticks->Draws() ? m_tickLength : 0);
    if (m_minorTicks->Draws())
        tickSpace = std::max(tickSpace, m_minorTickLength);
    return titleSize + labelsSize + std::max(0, tickSpace);
}

double TChartAxis::LabelStep() const
{
    const QFontMetrics metrics(m_labelsFont->ToQFont());
    int budget = 1;
    if (Horizontal()) {
        int width = std::max(metrics.horizontalAdvance(LabelText(m_iMinimum, true)),
                             metrics.horizontalAdvance(LabelText(m_iMaximum, true)));
        if (m_labelsSeparation > 0)
            width += int(Round(width * m_labelsSeparation / 100.0));
        if (width > 0)
            budget = int(Round(double(m_plot.Width()) / width));
    } else {
        int height = metrics.height();
        if (m_labelsSeparation > 0)
            height += int(Round(height * m_labelsSeparation / 100.0));
        if (height > 0)
            budget = int(Round(double(m_plot.Height()) / height));
    }
    if (budget <= 0)
        return kMinStep;
    double step = m_increment != 0 ? m_increment : std::fabs(m_iRange) >= 1 ? 1 : kMinStep;
    if (m_labelsSeparation > 0) {
        // The step at least doubles each time, so an infinite range ends the loop at an infinite step.
        while (std::isfinite(step)) {
            const double count = m_iRange / step;
            if (std::fabs(count) < kMaxLabelRatio && Round(count) <= budget)
                break;
            step = NextStep(step);
        }
    }
    return std::max(step, kMinStep);
}

double TChartAxis::NextStep(double step)
{
    static constexpr std::pair<double, double> kLadder[] = {
        {1, 2}, {5, 10}, {10, 50}, {50, 100}, {100, 200}, {200, 500}, {500, 1000}, {1000, 5000}};
    if (step < 1)
        return 2 * step;
    if (step > 1 && step < 5)
        return 5;
    for (const auto &[from, to] : kLadder)
        if (step == from)
            return to;
    return 2 * step;
}

template <class Visit> void TChartAxis::ForEachLabel(double step, Visit visit) const
{
    if (m_iMaximum < m_iMinimum || !(step > 0))
        return;
    if (!(std::fabs(m_iMaximum / step) < kMaxLabelRatio) || !(std::fabs(m_iRange / step) < kMaxLabelCount))
        return;
    double value =
        (m_iMinimum != m_iMaximum && m_roundFirstLabel) ? std::trunc(m_iMaximum / step) * step : m_iMaximum;
    if (m_labelsOnAxis) {
        while (value > m_iMaximum)
            value -= step;
        for (; value >= m_iMinimum; value -= step)
            visit(value);
    } else {
        while (value >= m_iMaximum)
            value -= step;
        for (; value > m_iMinimum; value -= step)
            visit(value);
    }
}

QString TChartAxis::LabelText(double value, bool measuring) const
{
    QString text = FormatValue(value, m_axisValuesFormat);
    if (!measuring && m_labelEvent)
        m_labelEvent(const_cast<TChartAxis &>(*this), text);
    return text;
}

bool TChartAxis::ShowsLabels(bool labelled) const
{
    return labelled && m_labels && m_labelStyle != talNone;
}

void TChartAxis::Draw(QPainter &painter, bool labelled)
{
    const TChartPlot &plot = m_plot;
    switch (m_side) {
    case TSide::Left:
        m_posAxis = plot.left;
        break;
    case TSide::Right:
        m_posAxis = plot.right;
        break;
    case TSide::Top:
        m_posAxis = plot.top;
        break;
    case TSide::Bottom:
        m_posAxis = plot.bottom;
        break;
    }
    if (!m_title->Caption().isEmpty())
        DrawTitle(painter);
    DrawAxisLine(painter);
    const bool labels = ShowsLabels(labelled);
    // Grid lines and ticks that belong to the labels are left out with them.
    if (!labels && m_labels && m_tickOnLabelsOnly)
        return;
    const QFont font = m_labelsFont->ToQFont();
    bool first = true;
    int previous = 0;
    ForEachLabel(LabelStep(), [&](double value) {
        const int pixel = CalcPosValue(value);
        if (labels)
            DrawLabel(painter, font, pixel, LabelText(value, false));
        if (value != m_iMinimum && value != m_iMaximum)
            DrawGridLine(painter, pixel);
        DrawTick(painter, pixel, m_tickLength, false, *m_ticks);
        DrawTick(painter, pixel, m_tickInnerLength, true, *m_ticksInner);
        if (!first)
            for (int i = 1; i <= m_minorTickCount; ++i)
                DrawTick(painter, previous + (pixel - previous) * i / (m_minorTickCount + 1),
                         m_minorTickLength, false, *m_minorTicks);
        first = false;
        previous = pixel;
    });
}

void TChartAxis::DrawLabel(QPainter &painter, const QFont &font, int pixel, const QString &text) const
{
    using namespace ChartCanvas;
    const TColor color = m_labelsFont->Color();
    if (Horizontal()) {
        Text(painter, font, color, pixel, m_posLabels, THorizontal::Centre,
             m_side == TSide::Top ? TVertical::Bottom : TVertical::Top, text);
        return;
    }
    const int top = pixel - QFontMetrics(font).height() / 2;
    Text(painter, font, color, m_posLabels, top,
         m_side == TSide::Left ? THorizontal::Right : THorizontal::Left, TVertical::Top, text);
}

void TChartAxis::DrawTitle(QPainter &painter) const
{
    using namespace ChartCanvas;
    const TChartPlot &plot = m_plot;
    const bool below = m_side == TSide::Bottom;
    const int x = Horizontal() ? plot.CentreX() : m_posTitle;
    const int y = Horizontal() ? m_posTitle : plot.CentreY();
    Text(painter, m_title->Font()->ToQFont(), m_title->Font()->Color(), x, y, THorizontal::Centre,
         below ? TVertical::Top : TVertical::Bottom, m_title->Caption(), m_title->Angle());
}

void TChartAxis::DrawAxisLine(QPainter &painter) const
{
    const TChartPlot &plot = m_plot;
    if (Horizontal())
        ChartCanvas::HorizontalLine(painter, plot.left, plot.right, m_posAxis, *m_axisPen, clBlack);
    else
        ChartCanvas::VerticalLine(painter, m_posAxis, plot.top, plot.bottom, *m_axisPen, clBlack);
}

void TChartAxis::DrawTick(QPainter &painter, int pixel, int length, bool inner, const TChartPen &pen) const
{
    if (length <= 0)
        return;
    const int outwards = (m_side == TSide::Left || m_side == TSide::Top) ? -1 : 1;
    const int direction = inner ? -outwards : outwards;
    if (Horizontal())
        ChartCanvas::VerticalLine(painter, pixel, m_posAxis, m_posAxis + direction * length, pen, kGrey);
    else
        ChartCanvas::HorizontalLine(painter, m_posAxis, m_posAxis + direction * length, pixel, pen, kGrey);
}

void TChartAxis::DrawGridLine(QPainter &painter, int pixel) const
{
    const TChartPlot &plot = m_plot;
    if (Horizontal())
        ChartCanvas::VerticalLine(painter, pixel, plot.top + 1, plot.bottom, *m_grid, kGrey);
    else
        ChartCanvas::HorizontalLine(painter, plot.left + 1, plot.right, pixel, *m_grid, kGrey);
}

TChartAxis::TLimits TChartAxis::Limits() const
{
    return {m_automatic, m_automaticMinimum, m_automaticMaximum, m_minimum, m_maximum};
}

void TChartAxis::RestoreLimits(const TLimits &limits)
{
    m_automatic = limits.automatic;
    m_automaticMinimum = limits.automaticMinimum;
    m_automaticMaximum = limits.automaticMaximum;
    m_minimum = limits.minimum;
    m_maximum = limits.maximum;
    Changed();
}
