#include "displays/chart/Series.h"

#include <array>
#include <cmath>

#include <QPainter>
#include <QRect>

#include "displays/chart/Chart.h"
#include "displays/chart/ChartAxis.h"
#include "displays/chart/ChartValueList.h"
#include "displays/chart/SeriesMarks.h"
#include "runtime/ErrorBox.h"

namespace {

// The colours of points and series that ask for a colour of their own.
constexpr std::array<TColor, 16> kPalette{
    TColor(0x0000FF), TColor(0x00FF00), TColor(0x00FFFF), TColor(0xFF0000),
    TColor(0xFFFFFF), TColor(0x808080), TColor(0xFF00FF), TColor(0x808000),
    TColor(0x800000), TColor(0x000080), TColor(0x008000), TColor(0x008080),
    TColor(0x800080), TColor(0xC0C0C0), TColor(0xFFFF00), TColor(0x000000)};

} // namespace

TChartSeries::TChartSeries(QObject *parent)
    : QObject(parent), m_marks(new TSeriesMarks(this)),
      m_xValues(new TChartValueList(this, QStringLiteral("X"), TChartValueList::loAscending)),
      m_yValues(new TChartValueList(this, QStringLiteral("Y"), TChartValueList::loNone))
{
    PublishEvent(QStringLiteral("OnAfterAdd"), OnAfterAdd);
    PublishEvent(QStringLiteral("BeforeDrawValues"), BeforeDrawValues);
    PublishEvent(QStringLiteral("AfterDrawValues"), AfterDrawValues);
    m_marks->SetChangeHandler([this] { Repaint(); });
    m_xValues->SetChangeHandler([this] { Repaint(); });
    m_yValues->SetChangeHandler([this] { Repaint(); });
}

TChartSeries::~TChartSeries()
{
    SetParentChart(nullptr);
}

void TChartSeries::SetActive(bool active)
{
    if (m_active == active)
        return;
    m_active = active;
    Repaint();
}

void TChartSeries::SetSeriesColor(TColor color)
{
    if (m_seriesColor == color)
        return;
    m_seriesColor = color;
    Repaint();
}

void TChartSeries::SetColorEachPoint(bool each)
{
    if (m_colorEachPoint == each)
        return;
    m_colorEachPoint = each;
    if (!each)
        std::fill(m_colors.begin(), m_colors.end(), ColorDefault);
    Repaint();
}

void TChartSeries::SetHorizAxis(THorizAxis axis)
{
    if (m_horizAxis == axis)
        return;
    m_horizAxis = axis;
    Repaint();
}

void TChartSeries::SetVertAxis(TVertAxis axis)
{
    if (m_vertAxis == axis)
        return;
    m_vertAxis = axis;
    Repaint();
}

void TChartSeries::SetParentChart(TChart *chart)
{
    if (m_chart == chart)
        return;
    if (m_chart)
        m_chart->RemoveSeries(this);
    m_chart = chart;
    if (chart)
        chart->AddSeries(this);
}

int TChartSeries::PointCount() const
{
    return m_xValues->Count();
}

int TChartSeries::InsertPoint(double x, double y, const QString &label, TColor color)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return -1;
    m_xValues->SetPendingValue(x);
    m_yValues->SetPendingValue(y);
    if (OnBeforeAdd && !OnBeforeAdd(this))
        return -1;
    const int index = m_xValues->InsertPosition(x);
    m_xValues->Insert(index, x);
    m_yValues->Insert(index, y);
    m_colors.insert(m_colors.begin() + index, color);
    m_labels.insert(m_labels.begin() + index, label);
    if (OnAfterAdd)
        Guarded([&] { OnAfterAdd(this, index); });
    if (m_active)
        DataChanged();
    return index;
}

int TChartSeries::AppendY(double y, const QString &label, TColor color)
{
    return InsertPoint(PointCount(), y, label, color);
}

void TChartSeries::DeletePoint(int index)
{
    if (index < 0 || index >= PointCount())
        return;
    m_xValues->Delete(index);
    m_yValues->Delete(index);
    m_colors.erase(m_colors.begin() + index);
    m_labels.erase(m_labels.begin() + index);
    DataChanged();
}

TColor TChartSeries::PointColor(int index) const
{
    if (index < 0 || size_t(index) >= m_colors.size())
        return m_seriesColor;
    const TColor color = m_colors[size_t(index)];
    if (color != ColorDefault)
        return color;
    return m_colorEachPoint ? kPalette[size_t(index) % kPalette.size()] : m_seriesColor;
}

void TChartSeries::SetPointColor(int index, TColor color)
{
    if (index < 0 || index >= PointCount() || m_colors[size_t(index)] == color)
        return;
    m_colors[size_t(index)] = color;
    DataChanged();
}

QString TChartSeries::PointLabel(int index) const
{
    return index >= 0 && index < PointCount() ? m_labels[size_t(index)] : QString();
}

double TChartSeries::XValue(int index) const
{
    return m_xValues->Value(index);
}

double TChartSeries::YValue(int index) const
{
    return m_yValues->Value(index);
}

double TChartSeries::MinXValue() const
{
    return m_xValues->MinValue();
}

double TChartSeries::MaxXValue() const
{
    return m_xValues->MaxValue();
}

double TChartSeries::MinYValue() const
{
    return m_yValues->MinValue();
}

double TChartSeries::MaxYValue() const
{
    return m_yValues->MaxValue();
}

void TChartSeries::CalcHorizMargins(int &left, int &right)
{
    left = 0;
    right = 0;
}

void TChartSeries::CalcVerticalMargins(int &top, int &bottom)
{
    top = 0;
    bottom = 0;
}

void TChartSeries::CalcFirstLastVisibleIndex()
{
    m_firstVisible = -1;
    m_lastVisible = -1;
    const int count = PointCount();
    const TChartAxis *axis = GetHorizAxis();
    if (count == 0 || !axis)
        return;
    const TChart::TPlot &plot = m_chart->Plot();
    const double low = axis->CalcPosPoint(axis->Inverted() ? plot.right : plot.left);
    const double high = axis->CalcPosPoint(axis->Inverted() ? plot.left : plot.right);
    int first = 0;
    while (first < count && XValue(first) < low)
        ++first;
    if (first == count)
        return;
    m_firstVisible = first;
    m_lastVisible = count - 1;
    if (XValue(count - 1) <= high)
        return;
    int last = 0;
    while (last < count && XValue(last) < high)
        ++last;
    m_lastVisible = (last < count && XValue(last) > high) ? last - 1 : std::min(last, count - 1);
}

void TChartSeries::DrawAllValues(QPainter &painter, const QRect *clip)
{
    CalcFirstLastVisibleIndex();
    if (m_firstVisible < 0)
        return;
    CallHandler(BeforeDrawValues, this);
    if (clip)
        painter.setClipRect(*clip);
    if (GetHorizAxis()->Inverted())
        for (int i = m_lastVisible; i >= m_firstVisible; --i)
            DrawValue(painter, i);
    else
        for (int i = m_firstVisible; i <= m_lastVisible; ++i)
            DrawValue(painter, i);
    painter.setClipping(false);
    CallHandler(AfterDrawValues, this);
}

int TChartSeries::Clicked(int, int) const
{
    return -1;
}

TChartAxis *TChartSeries::GetHorizAxis() const
{
    if (!m_chart)
        return nullptr;
    return m_horizAxis == aTopAxis ? m_chart->TopAxis() : m_chart->BottomAxis();
}

TChartAxis *TChartSeries::GetVertAxis() const
{
    if (!m_chart)
        return nullptr;
    return m_vertAxis == aLeftAxis ? m_chart->LeftAxis() : m_chart->RightAxis();
}

TColor TChartSeries::ValueColor(int index) const
{
    const TColor color = PointColor(index);
    if (color != ColorDefault)
        return color;
    const int place = m_chart ? int(m_chart->SeriesList().indexOf(this)) : 0;
    return kPalette[size_t(std::max(0, place)) % kPalette.size()];
}

void TChartSeries::Repaint()
{
    if (m_chart)
        m_chart->Invalidate();
}

void TChartSeries::DataChanged()
{
    if (m_chart)
        m_chart->InvalidateSeries();
}
