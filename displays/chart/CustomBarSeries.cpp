#include "displays/chart/CustomBarSeries.h"

#include <algorithm>
#include <cmath>

#include <QBrush>
#include <QPainter>
#include <QRect>

#include "displays/chart/Chart.h"
#include "displays/chart/ChartAxis.h"
#include "displays/chart/ChartBrush.h"
#include "displays/chart/ChartCanvas.h"
#include "displays/chart/ChartExceptions.h"
#include "displays/chart/ChartPen.h"
#include "displays/chart/ChartValueList.h"
#include "runtime/Numeric.h"

namespace {

bool sameKind(const QObject *a, const QObject *b)
{
    return a->metaObject()->inherits(b->metaObject()) || b->metaObject()->inherits(a->metaObject());
}

Qt::BrushStyle hatch(TChartBrush::TBrushStyle style)
{
    switch (style) {
    case TChartBrush::bsHorizontal:
        return Qt::HorPattern;
    case TChartBrush::bsVertical:
        return Qt::VerPattern;
    case TChartBrush::bsFDiagonal:
        return Qt::FDiagPattern;
    case TChartBrush::bsBDiagonal:
        return Qt::BDiagPattern;
    case TChartBrush::bsCross:
        return Qt::CrossPattern;
    case TChartBrush::bsDiagCross:
        return Qt::DiagCrossPattern;
    case TChartBrush::bsClear:
        return Qt::NoBrush;
    case TChartBrush::bsSolid:
        break;
    }
    return Qt::SolidPattern;
}

} // namespace

TCustomBarSeries::TCustomBarSeries(QObject *parent)
    : TChartSeries(parent), m_barPen(new TChartPen(this)), m_barBrush(new TChartBrush(this))
{
    m_barPen->SetChangeHandler([this] { Repaint(); });
    m_barBrush->SetChangeHandler([this] { Repaint(); });
}

void TCustomBarSeries::SetBarWidthPercent(int percent)
{
    if (percent < 1 || percent > 100)
        throw BarException(QStringLiteral("Bar Width Percent must be between 1 and 100"));
    if (m_barWidthPercent == percent)
        return;
    m_barWidthPercent = percent;
    Repaint();
}

void TCustomBarSeries::SetOffsetPercent(int percent)
{
    if (percent < -100 || percent > 100)
        throw BarException(QStringLiteral("Bar Offset Percent must be between -100% and 100%"));
    if (m_offsetPercent == percent)
        return;
    m_offsetPercent = percent;
    Repaint();
}

void TCustomBarSeries::SetCustomBarWidth(int width)
{
    if (m_customBarWidth == width)
        return;
    m_customBarWidth = width;
    Repaint();
}

void TCustomBarSeries::SetBarStyle(TBarStyle style)
{
    if (m_barStyle == style)
        return;
    m_barStyle = style;
    Repaint();
}

void TCustomBarSeries::SetUseYOrigin(bool use)
{
    if (m_useYOrigin == use)
        return;
    m_useYOrigin = use;
    Repaint();
}

void TCustomBarSeries::SetYOrigin(double origin)
{
    if (m_yOrigin == origin || !std::isfinite(origin))
        return;
    m_yOrigin = origin;
    Repaint();
}

void TCustomBarSeries::SetMultiBar(TMultiBar multiBar)
{
    if (m_multiBar == multiBar)
        return;
    m_multiBar = multiBar;
    if (ParentChart())
        for (TChartSeries *other : ParentChart()->SeriesList())
            if (other != this && sameKind(other, this))
                static_cast<TCustomBarSeries *>(other)->m_multiBar = multiBar;
    Repaint();
}

void TCustomBarSeries::SetSideMargins(bool sideMargins)
{
    if (m_sideMargins == sideMargins)
        return;
    m_sideMargins = sideMargins;
    if (ParentChart())
        for (TChartSeries *other : ParentChart()->SeriesList())
            if (other != this && sameKind(other, this))
                static_cast<TCustomBarSeries *>(other)->m_sideMargins = sideMargins;
    Repaint();
}

void TCustomBarSeries::SetDark3D(bool dark)
{
    if (m_dark3D == dark)
        return;
    m_dark3D = dark;
    Repaint();
}

void TCustomBarSeries::SetAutoMarkPosition(bool automatic)
{
    m_autoMarkPosition = automatic;
}

double TCustomBarSeries::MinYValue() const
{
    const double minimum = TChartSeries::MinYValue();
    return m_useYOrigin ? std::min(minimum, m_yOrigin) : minimum;
}

double TCustomBarSeries::MaxYValue() const
{
    const double maximum = TChartSeries::MaxYValue();
    return m_useYOrigin ? std::max(maximum, m_yOrigin) : maximum;
}

void TCustomBarSeries::CalcHorizMargins(int &left, int &right)
{
    const int width = CalcBarWidth();
    const int sides = m_multiBar == mbSide ? int(Siblings().size()) : 1;
    left = width * sides;
    if (!m_sideMargins)
        left /= 2;
    right = left;
}

int TCustomBarSeries::Clicked(int x, int y) const
{
    if (!ParentChart())
        return -1;
    for (int i = 0; i < PointCount(); ++i) {
        const QRect bar = BarBounds(i);
        const int left = BarLeft(i);
        if (x >= left && x <= left + m_barWidth && y >= bar.top() && y <= bar.top() + bar.height())
            return i;
    }
    return -1;
}

QRect TCustomBarSeries::BarBounds(int index) const
{
    const TChartAxis *vertical = GetVertAxis();
    const int left = BarLeft(index);
    const int right = left + m_barWidth;
    const int top = vertical->CalcPosValue(YValue(index));
    const int bottom = m_useYOrigin ? vertical->CalcPosValue(m_yOrigin) : ParentChart()->Plot().bottom;
    return QRect(std::min(left, right), std::min(top, bottom), std::abs(right - left),
                 std::abs(bottom - top));
}

void TCustomBarSeries::DrawValue(QPainter &painter, int index)
{
    const TColor fill = ValueColor(index);
    if (fill == ColorNone)
        return;
    if (index == FirstValueIndex())
        CalcBarWidth();
    const QRect bar = BarBounds(index);
    TColor outline = m_barPen->Color() == ColorDefault ? clBlack : m_barPen->Color();
    int outlineWidth = m_barPen->Draws() ? m_barPen->Width() : 0;
    const bool solid = m_barBrush->Style() == TChartBrush::bsSolid;
    if (solid && (bar.width() == 0 || bar.height() == 0)) {
        const int width = std::max(1, outlineWidth);
        if (bar.width() == 0)
            ChartCanvas::VerticalLine(painter, bar.left(), bar.top(), bar.top() + bar.height(), fill, width);
        else
            ChartCanvas::HorizontalLine(painter, bar.left(), bar.left() + bar.width(), bar.top(), fill,
                                        width);
        return;
    }
    QBrush inside(fill.ToQColor(), hatch(m_barBrush->Style()));
    if (solid && (bar.width() < std::max(1, outlineWidth) || bar.height() < std::max(1, outlineWidth))) {
        outline = fill;
        outlineWidth = std::max(1, outlineWidth);
        inside = Qt::NoBrush;
    } else if (!solid && inside.style() != Qt::NoBrush) {
        const TColor background = m_barBrush->Color() == ColorDefault && ParentChart()
                                      ? ParentChart()->Color()
                                      : m_barBrush->Color();
        if (fill == background)
            inside.setColor((background == clBlack ? clWhite : clBlack).ToQColor());
        ChartCanvas::Rectangle(painter, bar, outline, 0, QBrush(background.ToQColor()));
    }
    ChartCanvas::Rectangle(painter, bar, outline, outlineWidth, inside);
}

std::vector<TCustomBarSeries *> TCustomBarSeries::Siblings() const
{
    std::vector<TCustomBarSeries *> siblings;
    if (!ParentChart())
        return siblings;
    for (TChartSeries *series : ParentChart()->SeriesList())
        if ((series->Active() || series == this) && sameKind(series, this))
            siblings.push_back(static_cast<TCustomBarSeries *>(series));
    return siblings;
}

int TCustomBarSeries::CalcBarWidth()
{
    if (m_customBarWidth != 0) {
        m_barWidth = m_customBarWidth;
        return m_barWidth;
    }
    const std::vector<TCustomBarSeries *> siblings = Siblings();
    const bool side = m_multiBar == mbSide;
    int points = ParentChart() ? ParentChart()->MaxPointsPerPage() : 0;
    if (points <= 0) {
        points = PointCount();
        if (side)
            for (const TCustomBarSeries *series : siblings)
                points = std::max(points, series->PointCount());
    }
    const int columns = side ? std::max<int>(1, int(siblings.size())) : 1;
    m_barWidth = 0;
    if (points > 0 && ParentChart()) {
        const double divisor = m_sideMargins ? points + 1.0 : points;
        m_barWidth =
            int(Round(ParentChart()->Plot().Width() * (m_barWidthPercent * 0.01) / divisor)) / columns;
    }
    return m_barWidth;
}

int TCustomBarSeries::BarLeft(int index) const
{
    const int x = GetHorizAxis()->CalcPosValue(XValue(index));
    int left = x - m_barWidth / 2;
    if (m_multiBar == mbSide) {
        const std::vector<TCustomBarSeries *> siblings = Siblings();
        const auto place = std::find(siblings.begin(), siblings.end(), this) - siblings.begin() + 1;
        left = x + int(Round((double(place) - double(siblings.size()) / 2 - 1) * m_barWidth));
    }
    if (m_offsetPercent != 0)
        left += int(Round(m_offsetPercent * m_barWidth / 100.0));
    return left;
}
