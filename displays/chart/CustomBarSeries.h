#pragma once

#include "displays/chart/Series.h"
#include "displays/chart/ChartBrush.h"
#include "displays/chart/ChartPen.h"
#include "runtime/TestPeer.h"

// A series drawn as flat vertical bars from each value down (or up) to the origin, side by side with the
// chart's other bar series. Every bar style is drawn as a rectangle.
class TCustomBarSeries : public TChartSeries
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TCustomBarSeries)
    Q_PROPERTY(int BarWidthPercent READ BarWidthPercent WRITE SetBarWidthPercent)
    Q_PROPERTY(int OffsetPercent READ OffsetPercent WRITE SetOffsetPercent)
    Q_PROPERTY(TBarStyle BarStyle READ BarStyle WRITE SetBarStyle)
    Q_PROPERTY(bool UseYOrigin READ UseYOrigin WRITE SetUseYOrigin)
    Q_PROPERTY(double YOrigin READ YOrigin WRITE SetYOrigin)
    Q_PROPERTY(TMultiBar MultiBar READ MultiBar WRITE SetMultiBar)
    Q_PROPERTY(bool SideMargins READ SideMargins WRITE SetSideMargins)
    Q_PROPERTY(bool Dark3D READ Dark3D WRITE SetDark3D)
    Q_PROPERTY(bool AutoMarkPosition READ AutoMarkPosition WRITE SetAutoMarkPosition)
    Q_PROPERTY(TChartPen *BarPen READ BarPen)
    Q_PROPERTY(TChartBrush *BarBrush READ BarBrush)

public:
    enum TBarStyle
    {
        bsRectangle,
        bsPyramid,
        bsInvPyramid,
        bsCilinder,
        bsEllipse,
        bsArrow,
        bsRectGradient,
    };
    Q_ENUM(TBarStyle)

    enum TMultiBar
    {
        mbNone,
        mbSide,
        mbStacked,
        mbStacked100,
    };
    Q_ENUM(TMultiBar)

    explicit TCustomBarSeries(QObject *parent = nullptr);

    int BarWidthPercent() const { return m_barWidthPercent; }
    // Throws BarException outside 1..100.
    void SetBarWidthPercent(int percent);
    int OffsetPercent() const { return m_offsetPercent; }
    // Throws BarException outside -100..100.
    void SetOffsetPercent(int percent);
    int CustomBarWidth() const { return m_customBarWidth; }
    void SetCustomBarWidth(int width);
    TBarStyle BarStyle() const { return m_barStyle; }
    void SetBarStyle(TBarStyle style);
    bool UseYOrigin() const { return m_useYOrigin; }
    void SetUseYOrigin(bool use);
    double YOrigin() const { return m_yOrigin; }
    void SetYOrigin(double origin);
    TMultiBar MultiBar() const { return m_multiBar; }
    // Also given to every other bar series of the chart.
    void SetMultiBar(TMultiBar multiBar);
    bool SideMargins() const { return m_sideMargins; }
    // Also given to every other bar series of the chart.
    void SetSideMargins(bool sideMargins);
    bool Dark3D() const { return m_dark3D; }
    void SetDark3D(bool dark);
    bool AutoMarkPosition() const { return m_autoMarkPosition; }
    void SetAutoMarkPosition(bool automatic);
    TChartPen *BarPen() const { return m_barPen; }
    TChartBrush *BarBrush() const { return m_barBrush; }

    double MinYValue() const override;
    double MaxYValue() const override;
    void CalcHorizMargins(int &left, int &right) override;
    int Clicked(int x, int y) const override;

protected:
    void DrawValue(QPainter &painter, int index) override;

private:
    friend struct TTestPeer<TCustomBarSeries>;

    // The bar of a point as drawn: left, top, right, bottom, normalised.
    QRect BarBounds(int index) const;
    // The active bar series of the chart that side with this one (this one included), in list order.
    std::vector<TCustomBarSeries *> Siblings() const;
    int CalcBarWidth();
    int BarLeft(int index) const;

    int m_barWidthPercent = 70;
    int m_offsetPercent = 0;
    int m_customBarWidth = 0;
    TBarStyle m_barStyle = bsRectangle;
    bool m_useYOrigin = true;
    double m_yOrigin = 0;
    TMultiBar m_multiBar = mbSide;
    bool m_sideMargins = true;
    bool m_dark3D = true;
    bool m_autoMarkPosition = true;
    TChartPen *m_barPen;
    TChartBrush *m_barBrush;
    // The bar width in pixels as of the last margin request or drawing pass.
    int m_barWidth = 0;
};
