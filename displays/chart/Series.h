#pragma once

#include <functional>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QString>

#include "displays/chart/ChartColors.h"
#include "displays/chart/Chart.h"
#include "displays/chart/ChartValueList.h"
#include "displays/chart/SeriesMarks.h"
#include "runtime/Component.h"

class QPainter;
class QRect;
class TChartAxis;

// A series of points (X, Y, colour, label) shown in a chart: the point operations, the colours, and what
// the chart asks of every series (limits, margins, the visible points, drawing, hit test). Every change
// of its points or looks invalidates its chart. A series joins its chart's list when its parent chart is
// set.
class TChartSeries : public QObject, public TComponent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TChartSeries)
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(TColor SeriesColor READ SeriesColor WRITE SetSeriesColor)
    Q_PROPERTY(bool ColorEachPoint READ ColorEachPoint WRITE SetColorEachPoint)
    Q_PROPERTY(THorizAxis HorizAxis READ HorizAxis WRITE SetHorizAxis)
    Q_PROPERTY(TVertAxis VertAxis READ VertAxis WRITE SetVertAxis)
    Q_PROPERTY(TSeriesMarks *Marks READ Marks)
    Q_PROPERTY(QString ValueFormat READ ValueFormat WRITE SetValueFormat)
    Q_PROPERTY(QString PercentFormat READ PercentFormat WRITE SetPercentFormat)
    Q_PROPERTY(TChartValueList *XValues READ XValues)
    Q_PROPERTY(TChartValueList *YValues READ YValues)
    Q_PROPERTY(TChart *ParentChart READ ParentChart WRITE SetParentChart STORED false)

public:
    enum THorizAxis
    {
        aTopAxis,
        aBottomAxis,
    };
    Q_ENUM(THorizAxis)

    enum TVertAxis
    {
        aLeftAxis,
        aRightAxis,
    };
    Q_ENUM(TVertAxis)

    explicit TChartSeries(QObject *parent = nullptr);
    ~TChartSeries() override;

    bool Active() const { return m_active; }
    void SetActive(bool active);
    TColor SeriesColor() const { return m_seriesColor; }
    void SetSeriesColor(TColor color);
    bool ColorEachPoint() const { return m_colorEachPoint; }
    // Turning it off sets every stored point colour back to ColorDefault.
    void SetColorEachPoint(bool each);
    THorizAxis HorizAxis() const { return m_horizAxis; }
    void SetHorizAxis(THorizAxis axis);
    TVertAxis VertAxis() const { return m_vertAxis; }
    void SetVertAxis(TVertAxis axis);
    TSeriesMarks *Marks() const { return m_marks; }
    QString ValueFormat() const { return m_valueFormat; }
    void SetValueFormat(const QString &format) { m_valueFormat = format; }
    QString PercentFormat() const { return m_percentFormat; }
    void SetPercentFormat(const QString &format) { m_percentFormat = format; }
    TChartValueList *XValues() const { return m_xValues; }
    TChartValueList *YValues() const { return m_yValues; }
    TChart *ParentChart() const { return m_chart; }
    // Leaves the former chart's list and joins this one's; null only leaves.
    void SetParentChart(TChart *chart);

    int PointCount() const;
    // Index of the new point, or -1 when OnBeforeAdd vetoes it or x or y is not a finite number (which
    // would poison the limits and every later picture).
    int InsertPoint(double x, double y, const QString &label, TColor color);
    int AppendY(double y, const QString &label = {}, TColor color = ColorDefault);
    // An index outside the points is ignored.
    virtual void DeletePoint(int index);
    TColor PointColor(int index) const;
    // An index outside the points is ignored.
    void SetPointColor(int index, TColor color);
    QString PointLabel(int index) const;

    // The dimension whose values are plotted against the other: Y for every series this chart draws.
    virtual bool MandatoryIsY() const { return true; }
    double XValue(int index) const;
    double YValue(int index) const;
    virtual double MinXValue() const;
    virtual double MaxXValue() const;
    virtual double MinYValue() const;
    virtual double MaxYValue() const;
    // Pixels the series wants inside the plot on each side of its horizontal and vertical axis.
    virtual void CalcHorizMargins(int &left, int &right);
    virtual void CalcVerticalMargins(int &top, int &bottom);
    void CalcFirstLastVisibleIndex();
    int FirstValueIndex() const { return m_firstVisible; }
    int LastValueIndex() const { return m_lastVisible; }
    // The visible points between the two draw hooks; `clip` null draws unclipped.
    void DrawAllValues(QPainter &painter, const QRect *clip);
    // The point under the pixel, or -1.
    virtual int Clicked(int x, int y) const;

    TChartAxis *GetHorizAxis() const;
    TChartAxis *GetVertAxis() const;

    // Returns false to veto an insertion.
    std::function<bool(TChartSeries *Sender)> OnBeforeAdd;
    std::function<void(QObject *Sender, int ValueIndex)> OnAfterAdd;
    TNotifyEvent BeforeDrawValues;
    TNotifyEvent AfterDrawValues;

protected:
    virtual void DrawValue(QPainter &painter, int index) = 0;
    // The colour a point shows: its own, or the series'.
    TColor ValueColor(int index) const;
    // Schedules a redraw of the chart.
    void Repaint();
    // The points changed, not the look: the chart draws its frame again only if they moved an axis.
    void DataChanged();

private:
    bool m_active = true;
    TColor m_seriesColor = ColorDefault;
    bool m_colorEachPoint = false;
    THorizAxis m_horizAxis = aBottomAxis;
    TVertAxis m_vertAxis = aLeftAxis;
    TSeriesMarks *m_marks;
    QString m_valueFormat = QStringLiteral("#,##0.###");
    QString m_percentFormat = QStringLiteral("##0.## %");
    TChartValueList *m_xValues;
    TChartValueList *m_yValues;
    std::vector<TColor> m_colors;
    std::vector<QString> m_labels;
    QPointer<TChart> m_chart;
    int m_firstVisible = -1;
    int m_lastVisible = -1;
};
