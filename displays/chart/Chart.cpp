#include "displays/chart/Chart.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "displays/chart/ChartCanvas.h"
#include "displays/chart/ChartExceptions.h"
#include "displays/chart/ChartLegend.h"
#include "displays/chart/ChartPen.h"
#include "displays/chart/ChartTitle.h"
#include "displays/chart/ChartWall.h"
#include "displays/chart/Series.h"
#include "runtime/Edges.h"
#include "runtime/ErrorBox.h"
#include "runtime/Font.h"
#include "runtime/Numeric.h"

namespace {

// Room between the title or foot and the plot.
constexpr int kTitleGap = 5;

using TSide = TChartAxis::TSide;

} // namespace

TChart::TChart(QWidget *parent)
    : TWinControl(parent), m_frame(new TChartPen(this)), m_leftWall(new TChartWall(this, TColor(0x80FFFF))),
      m_bottomWall(new TChartWall(this, clWhite)), m_title(new TChartTitle(this)),
      m_foot(new TChartTitle(this)),
      m_legend(new TChartLegend(this)), m_axes{new TChartAxis(this, *this, TSide::Left),
                                               new TChartAxis(this, *this, TSide::Top),
                                               new TChartAxis(this, *this, TSide::Right),
                                               new TChartAxis(this, *this, TSide::Bottom)}
{
    PublishEvent(QStringLiteral("OnZoom"), OnZoom);
    PublishEvent(QStringLiteral("OnUndoZoom"), OnUndoZoom);
    PublishEvent(QStringLiteral("OnScroll"), OnScroll);
    PublishEvent(QStringLiteral("OnPageChange"), OnPageChange);
    PublishEvent(QStringLiteral("OnAfterDraw"), OnAfterDraw);
    for (TPersistent *part :
         std::initializer_list<TPersistent *>{m_frame, m_leftWall, m_bottomWall, m_title, m_foot, m_legend})
        part->SetChangeHandler([this] { Invalidate(); });
    for (TChartAxis *axis : m_axes) {
        axis->SetChangeHandler([this] { Invalidate(); });
        axis->SetLabelEvent([this](TChartAxis &axis, QString &text) {
            if (OnGetAxisLabel)
                OnGetAxisLabel(this, &axis, text);
        });
    }
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(400, 250);
}

TChart::~TChart()
{
    // A series may outlive the chart, or go with it as its child once this body has run: either way it must
    // not reach back into a chart that is half gone.
    for (TChartSeries *series : QList<TChartSeries *>(m_series))
        series->SetParentChart(nullptr);
}

void TChart::SetBevelOuter(TPanelBevel bevel)
{
    if (Change(m_bevelOuter, bevel))
        Invalidate();
}

void TChart::SetBevelWidth(int width)
{
    width = std::max(0, width);
    if (m_bevelWidth == width)
        return;
    m_bevelWidth = width;
    Invalidate();
}

void TChart::SetBorderWidth(int width)
{
    width = std::max(0, width);
    if (m_borderWidth == width)
        return;
    m_borderWidth = width;
    Invalidate();
}

void TChart::SetMarginLeft(int percent)
{
    SetMargin(0, percent);
}

void TChart::SetMarginTop(int percent)
{
    SetMargin(1, percent);
}

void TChart::SetMarginRight(int percent)
{
    SetMargin(2, percent);
}

void TChart::SetMarginBottom(int percent)
{
    SetMargin(3, percent);
}

void TChart::SetMargin(int side, int percent)
{
    if (m_margins[size_t(side)] == percent)
        return;
    m_margins[size_t(side)] = percent;
    Invalidate();
}

void TChart::SetView3D(bool view)
{
    if (Change(m_view3D, view))
        Invalidate();
}

void TChart::SetView3DWalls(bool walls)
{
    if (Change(m_view3DWalls, walls))
        Invalidate();
}

void TChart::SetChart3DPercent(int percent)
{
    if (Change(m_chart3DPercent, percent))
        Invalidate();
}

void TChart::SetAxisVisible(bool visible)
{
    if (Change(m_axisVisible, visible))
        Invalidate();
}

void TChart::SetClipPoints(bool clip)
{
    if (Change(m_clipPoints, clip))
        Invalidate();
}

void TChart::SetBackColor(TColor color)
{
    if (Change(m_backColor, color))
        Invalidate();
}

void TChart::SetMaxPointsPerPage(int count)
{
    if (count < 0)
        throw ChartException(QStringLiteral("MaxPointsPerPage must be >= 0"));
    if (m_maxPointsPerPage == count)
        return;
    m_maxPointsPerPage = count;
    if (m_page > PageCount())
        SetPage(PageCount());
    Invalidate();
}

void TChart::SetPage(int page)
{
    page = std::clamp(page, 1, PageCount());
    if (m_page == page)
        return;
    m_page = page;
    CallHandler(OnPageChange, this);
    Invalidate();
}

int TChart::PageCount() const
{
    if (m_maxPointsPerPage == 0 || m_series.isEmpty())
        return 1;
    const bool mandatoryY = m_series.first()->MandatoryIsY();
    int pages = 1;
    for (const TChartAxis *axis :
         mandatoryY ? std::array{TopAxis(), BottomAxis()} : std::array{LeftAxis(), RightAxis()}) {
        const TChartSeries *series = FirstActiveSeries(*axis);
        if (series)
            pages = std::max(pages, (series->PointCount() + m_maxPointsPerPage - 1) / m_maxPointsPerPage);
    }
    return pages;
}

void TChart::SetScaleLastPage(bool scale)
{
    if (Change(m_scaleLastPage, scale))
        Invalidate();
}

TChartSeries *TChart::Series(int index) const
{
    return index >= 0 && index < m_series.size() ? m_series.at(index) : nullptr;
}

TChart::TLimits TChart::AutomaticLimits(const TChartAxis &axis) const
{
    const bool horizontal = axis.Horizontal();
    auto valueOf = [horizontal](const TChartSeries *series, int index) {
        return horizontal ? series->XValue(index) : series->YValue(index);
    };
    const TChartSeries *first = FirstActiveSeries(axis);
    if (!first)
        return {};
    if (m_maxPointsPerPage > 0 && horizontal == first->MandatoryIsY()) {
        const int count = first->PointCount();
        if (count == 0)
            return {};
        const int perPage = m_maxPointsPerPage;
        int low = perPage * (m_page - 1);
        if (low >= count)
            low = std::max(0, count / perPage - 1) * perPage;
        int high = low + perPage - 1;
        if (high >= count)
            high = low + count % perPage - 1;
        high = std::clamp(high, low, count - 1);
        TLimits limits{valueOf(first, low), valueOf(first, high)};
        const int onPage = high - low + 1;
        if (!m_scaleLastPage && onPage < perPage)
            limits.maximum = limits.minimum + (limits.maximum - limits.minimum) * perPage / onPage;
        return limits;
    }
    bool any = false;
    TLimits limits;
    for (const TChartSeries *series : m_series) {
        if (!series->Active() || series->PointCount() == 0 ||
            (series->GetHorizAxis() != &axis && series->GetVertAxis() != &axis))
            continue;
        const double low = horizontal ? series->MinXValue() : series->MinYValue();
        const double high = horizontal ? series->MaxXValue() : series->MaxYValue();
        limits.minimum = any ? std::min(limits.minimum, low) : low;
        limits.maximum = any ? std::max(limits.maximum, high) : high;
        any = true;
    }
    return limits;
}

void TChart::UndoZoom()
{
    m_zoomer.Undo();
}

const QImage &TChart::Picture()
{
    if (width() <= 0 || height() <= 0) {
        m_picture = QImage();
        return m_picture;
    }
    if (m_dirty || m_picture.size() != size()) {
        if (m_picture.size() != size())
            m_picture = QImage(size(), QImage::Format_RGB32);
        QPainter painter(&m_picture);
        DrawChart(painter);
        m_dirty = false;
    }
    return m_picture;
}

void TChart::Invalidate()
{
    m_frameStale = true;
    InvalidateSeries();
}

void TChart::InvalidateSeries()
{
    m_dirty = true;
    update();
}

void TChart::Loaded()
{
    TWinControl::Loaded();
    Invalidate();
}

void TChart::InsertChild(QObject *child)
{
    if (auto *series = qobject_cast<TChartSeries *>(child))
        series->SetParentChart(this);
}

void TChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, Picture());
    m_zoomer.DrawRectangle(painter);
}

void TChart::mousePressEvent(QMouseEvent *event)
{
    TWinControl::mousePressEvent(event);
    const QPoint point = event->position().toPoint();
    if (ZoomTarget(point))
        m_zoomer.Press(point, event->button());
}

void TChart::mouseMoveEvent(QMouseEvent *event)
{
    m_zoomer.Move(event->position().toPoint());
}

void TChart::mouseReleaseEvent(QMouseEvent *event)
{
    TWinControl::mouseReleaseEvent(event);
    m_zoomer.Release(event->position().toPoint(), event->button());
}

void TChart::AddSeries(TChartSeries *series)
{
    if (!m_series.contains(series))
        m_series.append(series);
    Invalidate();
}

void TChart::RemoveSeries(TChartSeries *series)
{
    m_series.removeAll(series);
    Invalidate();
}

TChart::TPlot TChart::MakePlot(int left, int top, int right, int bottom)
{
    return {left, top, std::max(right, left + 1), std::max(bottom, top + 1)};
}

void TChart::SetPlot(const TPlot &plot)
{
    m_plot = plot;
    for (TChartAxis *axis : m_axes)
        axis->PlaceIn(plot);
}

void TChart::SetPlot(int left, int top, int right, int bottom)
{
    SetPlot(MakePlot(left, top, right, bottom));
}

void TChart::DrawChart(QPainter &painter)
{
    const TPlot titled = LayOut(painter);
    // The frame holds the text of the titles and labels, the dearest part to draw; a tick that only adds a
    // point leaves it as it was.
    const TFramePlace place = FramePlace();
    if (m_frameStale || place != m_framePlace || m_frameImage.size() != m_picture.size()) {
        if (m_frameImage.size() != m_picture.size())
            m_frameImage = QImage(m_picture.size(), m_picture.format());
        QPainter frame(&m_frameImage);
        DrawFrame(frame, titled);
        m_framePlace = place;
        m_frameStale = false;
    }
    painter.drawImage(0, 0, m_frameImage);
    const int inset = m_frame->Draws() ? m_frame->Width() - 1 : 0;
    const QRect clip(QPoint(m_plot.left + 1, m_plot.top + 1),
                     QPoint(m_plot.right - 1 - inset, m_plot.bottom - 2 - inset));
    for (TChartSeries *series : m_series)
        if (series->Active())
            series->DrawAllValues(painter, m_clipPoints ? &clip : nullptr);
    CallHandler(OnAfterDraw, this);
}

TChart::TPlot TChart::LayOut(QPainter &painter)
{
    const int width = this->width();
    const int height = this->height();
    SetPlot(MulDiv(MarginLeft(), width, 100) + m_borderWidth, MulDiv(MarginTop(), height, 100) + m_borderWidth,
            width - MulDiv(MarginRight(), width, 100) - m_borderWidth,
            height - MulDiv(MarginBottom(), height, 100) - m_borderWidth);
    const TPlot titled = m_plot;
    SetPlot(PlaceTitles(nullptr, titled));
    for (TChartAxis *axis : m_axes)
        axis->AdjustMaxMin(AutomaticLimits(*axis));
    for (TChartAxis *axis : {LeftAxis(), RightAxis(), TopAxis(), BottomAxis()}) {
        if (!ShowsAxis(*axis))
            continue;
        const bool labelled = HasActiveSeries(*axis);
        switch (axis->Side()) {
        case TSide::Left:
            SetPlot(m_plot.left + axis->Space(painter, m_plot.left, labelled), m_plot.top, m_plot.right,
                    m_plot.bottom);
            break;
        case TSide::Right:
            SetPlot(m_plot.left, m_plot.top, m_plot.right - axis->Space(painter, m_plot.right, labelled),
                    m_plot.bottom);
            break;
        case TSide::Top:
            SetPlot(m_plot.left, m_plot.top + axis->Space(painter, m_plot.top, labelled), m_plot.right,
                    m_plot.bottom);
            break;
        case TSide::Bottom:
            SetPlot(m_plot.left, m_plot.top, m_plot.right,
                    m_plot.bottom - axis->Space(painter, m_plot.bottom, labelled));
            break;
        }
    }
    FitSeriesMargins();
    return titled;
}

TChart::TFramePlace TChart::FramePlace() const
{
    TFramePlace place{m_plot, {}};
    // A hidden axis draws nothing, however its range moves.
    for (std::size_t i = 0; i < m_axes.size(); ++i)
        if (const TChartAxis &axis = *m_axes[i]; ShowsAxis(axis))
            place.axes[i] = {true, HasActiveSeries(axis), axis.IMinimum(), axis.IMaximum(), axis.PosTitle(),
                             axis.PosLabels()};
    return place;
}

void TChart::DrawFrame(QPainter &painter, const TPlot &titled)
{
    painter.fillRect(0, 0, width(), height(), Color().ToQColor());
    DrawBevel(painter);
    PlaceTitles(&painter, titled);
    DrawBackRectangle(painter);
    for (TChartAxis *axis : {TopAxis(), BottomAxis(), LeftAxis(), RightAxis()})
        if (ShowsAxis(*axis))
            axis->Draw(painter, HasActiveSeries(*axis));
}

void TChart::DrawBevel(QPainter &painter) const
{
    if (m_bevelOuter == bvNone || m_bevelOuter == bvSpace || m_bevelWidth == 0)
        return;
    const bool raised = m_bevelOuter == bvRaised;
    const TColor light = raised ? clBtnHighlight : clBtnShadow;
    const TColor dark = raised ? clBtnShadow : clBtnHighlight;
    DrawEdges(painter, rect(), m_bevelWidth, light, dark);
}

TChart::TPlot TChart::PlaceTitles(QPainter *painter, TPlot plot) const
{
    using namespace ChartCanvas;
    for (TChartTitle *title : {m_title, m_foot}) {
        if (!title->Visible() || title->Text().isEmpty())
            continue;
        const bool foot = title == m_foot;
        const QFont font = title->Font()->ToQFont();
        const int lineHeight = QFontMetrics(font).height();
        const THorizontal horizontal = title->Alignment() == TControl::taLeftJustify    ? THorizontal::Left
                                       : title->Alignment() == TControl::taRightJustify ? THorizontal::Right
                                                                                        : THorizontal::Centre;
        const int x = horizontal == THorizontal::Left    ? plot.left
                      : horizontal == THorizontal::Right ? plot.right
                                                         : plot.CentreX();
        const QStringList lines = title->Text();
        int y = foot ? plot.bottom : plot.top;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QString &line = foot ? lines.at(lines.size() - 1 - i) : lines.at(i);
            if (painter)
                Text(*painter, font, title->Font()->Color(), x, y, horizontal,
                     foot ? TVertical::Bottom : TVertical::Top, line);
            y += foot ? -lineHeight : lineHeight;
        }
        plot = foot ? MakePlot(plot.left, plot.top, plot.right, y - kTitleGap)
                    : MakePlot(plot.left, y + kTitleGap, plot.right, plot.bottom);
    }
    return plot;
}

void TChart::FitSeriesMargins()
{
    for (TChartAxis *axis : {TopAxis(), LeftAxis(), RightAxis(), BottomAxis()}) {
        const bool horizontal = axis->Horizontal();
        int before = 0;
        int after = 0;
        for (TChartSeries *series : m_series) {
            if (!series->Active() || (series->GetHorizAxis() != axis && series->GetVertAxis() != axis))
                continue;
            int first = 0;
            int second = 0;
            if (horizontal)
                series->CalcHorizMargins(first, second);
            else
                series->CalcVerticalMargins(first, second);
            before = std::max(before, first);
            after = std::max(after, second);
        }
        const TPlot whole = m_plot;
        if (horizontal)
            SetPlot(whole.left + before, whole.top, whole.right - after, whole.bottom);
        else
            SetPlot(whole.left, whole.top + before, whole.right, whole.bottom - after);
        const double low = horizontal ? axis->CalcPosPoint(whole.left) : axis->CalcPosPoint(whole.bottom);
        const double high = horizontal ? axis->CalcPosPoint(whole.right) : axis->CalcPosPoint(whole.top);
        SetPlot(whole);
        axis->SetWorkingRange(low, high);
    }
}

void TChart::DrawBackRectangle(QPainter &painter) const
{
    if (!m_frame->Draws() && m_backColor == ColorDefault)
        return;
    const QRect plot(QPoint(m_plot.left, m_plot.top), QPoint(m_plot.right, m_plot.bottom));
    const QBrush inside = m_backColor == ColorDefault ? QBrush(Qt::NoBrush) : QBrush(m_backColor.ToQColor());
    ChartCanvas::Rectangle(painter, plot, ChartCanvas::PenColor(*m_frame, clBlack),
                           m_frame->Draws() ? m_frame->Width() : 0, inside);
}

TChartSeries *TChart::FirstActiveSeries(const TChartAxis &axis) const
{
    for (TChartSeries *series : m_series)
        if (series->Active() && (series->GetHorizAxis() == &axis || series->GetVertAxis() == &axis))
            return series;
    return nullptr;
}

bool TChart::HasActiveSeries(const TChartAxis &axis) const
{
    return FirstActiveSeries(axis) != nullptr;
}

bool TChart::ShowsAxis(const TChartAxis &axis) const
{
    return axis.Visible() && m_axisVisible && (m_series.isEmpty() || HasActiveSeries(axis));
}

bool TChart::ZoomTarget(const QPoint &point) const
{
    const bool anyActive = std::any_of(m_series.begin(), m_series.end(),
                                       [](const TChartSeries *series) { return series->Active(); });
    if (m_plot.Contains(point) && anyActive)
        return true;
    for (const TChartSeries *series : m_series)
        if (series->Active() && series->Clicked(point.x(), point.y()) >= 0)
            return true;
    for (const TChartAxis *axis : m_axes) {
        if (!ShowsAxis(*axis))
            continue;
        const bool alongside = axis->Horizontal() ? point.x() >= m_plot.left && point.x() < m_plot.right
                                                  : point.y() >= m_plot.top && point.y() < m_plot.bottom;
        const bool beyond = (axis->Side() == TSide::Left && point.x() < m_plot.left) ||
                            (axis->Side() == TSide::Right && point.x() >= m_plot.right) ||
                            (axis->Side() == TSide::Top && point.y() < m_plot.top) ||
                            (axis->Side() == TSide::Bottom && point.y() >= m_plot.bottom);
        if (alongside && beyond)
            return true;
    }
    return false;
}

