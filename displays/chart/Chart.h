#pragma once

#include <array>
#include <functional>

#include <QImage>
#include <QList>
#include <QPoint>

#include "displays/chart/ChartAxis.h"
#include "displays/chart/ChartColors.h"
#include "displays/chart/ChartLegend.h"
#include "displays/chart/ChartPen.h"
#include "displays/chart/ChartPlot.h"
#include "displays/chart/ChartTitle.h"
#include "displays/chart/ChartWall.h"
#include "displays/chart/ChartZoom.h"
#include "runtime/WinControl.h"

class TChartSeries;

// A flat strip chart: four axes round a plot rectangle, a title and a foot, and a list of series drawn
// inside the plot. Every change marks the picture dirty; a paint redraws the whole chart into an off-screen
// image only when dirty, and otherwise copies that image unchanged. A left drag right-down zooms, a left
// drag any other way undoes the zoom, a right drag inside the plot pans.
class TChart : public TWinControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TChart)
    Q_PROPERTY(TPanelBevel BevelOuter READ BevelOuter WRITE SetBevelOuter)
    Q_PROPERTY(int BevelWidth READ BevelWidth WRITE SetBevelWidth)
    Q_PROPERTY(int BorderWidth READ BorderWidth WRITE SetBorderWidth)
    Q_PROPERTY(int MarginLeft READ MarginLeft WRITE SetMarginLeft)
    Q_PROPERTY(int MarginTop READ MarginTop WRITE SetMarginTop)
    Q_PROPERTY(int MarginRight READ MarginRight WRITE SetMarginRight)
    Q_PROPERTY(int MarginBottom READ MarginBottom WRITE SetMarginBottom)
    Q_PROPERTY(bool View3D READ View3D WRITE SetView3D)
    Q_PROPERTY(bool View3DWalls READ View3DWalls WRITE SetView3DWalls)
    Q_PROPERTY(int Chart3DPercent READ Chart3DPercent WRITE SetChart3DPercent)
    Q_PROPERTY(bool AxisVisible READ AxisVisible WRITE SetAxisVisible)
    Q_PROPERTY(bool ClipPoints READ ClipPoints WRITE SetClipPoints)
    Q_PROPERTY(TColor BackColor READ BackColor WRITE SetBackColor)
    Q_PROPERTY(TChartPen *Frame READ Frame)
    Q_PROPERTY(TChartWall *LeftWall READ LeftWall)
    Q_PROPERTY(TChartWall *BottomWall READ BottomWall)
    Q_PROPERTY(TChartTitle *Title READ Title)
    Q_PROPERTY(TChartTitle *Foot READ Foot)
    Q_PROPERTY(TChartLegend *Legend READ Legend)
    Q_PROPERTY(int MaxPointsPerPage READ MaxPointsPerPage WRITE SetMaxPointsPerPage)
    Q_PROPERTY(int Page READ Page WRITE SetPage)
    Q_PROPERTY(bool ScaleLastPage READ ScaleLastPage WRITE SetScaleLastPage)
    Q_PROPERTY(bool AllowZoom READ AllowZoom WRITE SetAllowZoom)
    Q_PROPERTY(TPanningMode AllowPanning READ AllowPanning WRITE SetAllowPanning)
    Q_PROPERTY(bool AnimatedZoom READ AnimatedZoom WRITE SetAnimatedZoom)
    Q_PROPERTY(int AnimatedZoomSteps READ AnimatedZoomSteps WRITE SetAnimatedZoomSteps)
    Q_PROPERTY(TChartAxis *LeftAxis READ LeftAxis)
    Q_PROPERTY(TChartAxis *TopAxis READ TopAxis)
    Q_PROPERTY(TChartAxis *RightAxis READ RightAxis)
    Q_PROPERTY(TChartAxis *BottomAxis READ BottomAxis)

public:
    enum TPanelBevel
    {
        bvNone,
        bvLowered,
        bvRaised,
        bvSpace,
    };
    Q_ENUM(TPanelBevel)

    enum TPanningMode
    {
        pmNone,
        pmHorizontal,
        pmVertical,
        pmBoth,
    };
    Q_ENUM(TPanningMode)

    using TPlot = TChartPlot;
    using TLimits = TChartRange;

    explicit TChart(QWidget *parent = nullptr);
    ~TChart() override;

    TPanelBevel BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TPanelBevel bevel);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int width);
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int width);
    // Percent of the control's width or height.
    int MarginLeft() const { return m_margins[0]; }
    void SetMarginLeft(int percent);
    int MarginTop() const { return m_margins[1]; }
    void SetMarginTop(int percent);
    int MarginRight() const { return m_margins[2]; }
    void SetMarginRight(int percent);
    int MarginBottom() const { return m_margins[3]; }
    void SetMarginBottom(int percent);
    // The three-dimensional settings are stored; the chart is always drawn flat.
    bool View3D() const { return m_view3D; }
    void SetView3D(bool view);
    bool View3DWalls() const { return m_view3DWalls; }
    void SetView3DWalls(bool walls);
    int Chart3DPercent() const { return m_chart3DPercent; }
    void SetChart3DPercent(int percent);
    bool AxisVisible() const { return m_axisVisible; }
    void SetAxisVisible(bool visible);
    bool ClipPoints() const { return m_clipPoints; }
    void SetClipPoints(bool clip);
    // ColorDefault leaves the plot unfilled.
    TColor BackColor() const { return m_backColor; }
    void SetBackColor(TColor color);
    TChartPen *Frame() const { return m_frame; }
    TChartWall *LeftWall() const { return m_leftWall; }
    TChartWall *BottomWall() const { return m_bottomWall; }
    TChartTitle *Title() const { return m_title; }
    TChartTitle *Foot() const { return m_foot; }
    TChartLegend *Legend() const { return m_legend; }
    int MaxPointsPerPage() const { return m_maxPointsPerPage; }
    // Throws ChartException for a negative count; brings Page down to the new page count.
    void SetMaxPointsPerPage(int count);
    int Page() const { return m_page; }
    // Clamped to 1..PageCount(); fires OnPageChange when it changes.
    void SetPage(int page);
    int PageCount() const;
    bool ScaleLastPage() const { return m_scaleLastPage; }
    void SetScaleLastPage(bool scale);
    bool AllowZoom() const { return m_allowZoom; }
    void SetAllowZoom(bool allow) { m_allowZoom = allow; }
    TPanningMode AllowPanning() const { return m_allowPanning; }
    void SetAllowPanning(TPanningMode mode) { m_allowPanning = mode; }
    // Zooms take effect at once; the animation settings are stored for the layout.
    bool AnimatedZoom() const { return m_animatedZoom; }
    void SetAnimatedZoom(bool animated) { m_animatedZoom = animated; }
    int AnimatedZoomSteps() const { return m_animatedZoomSteps; }
    void SetAnimatedZoomSteps(int steps) { m_animatedZoomSteps = steps; }
    TChartAxis *LeftAxis() const { return m_axes[0]; }
    TChartAxis *TopAxis() const { return m_axes[1]; }
    TChartAxis *RightAxis() const { return m_axes[2]; }
    TChartAxis *BottomAxis() const { return m_axes[3]; }

    const QList<TChartSeries *> &SeriesList() const { return m_series; }
    // A series joins and leaves through its ParentChart, which calls these.
    void AddSeries(TChartSeries *series);
    void RemoveSeries(TChartSeries *series);
    // Null past the end of the list.
    TChartSeries *Series(int index) const;
    const TPlot &Plot() const { return m_plot; }
    bool Zoomed() const { return m_zoomer.Zoomed(); }
    void UndoZoom();

    bool Dirty() const { return m_dirty; }
    // A series' points changed: the series are drawn again, over a frame drawn again only where the points
    // moved an axis or the plot.
    void InvalidateSeries();
    // The whole chart as it paints, redrawn first when anything changed.
    const QImage &Picture();

    // Marks the picture dirty and schedules a paint.
    void Invalidate() override;
    void Loaded() override;
    // A series stored under the chart joins its list.
    void InsertChild(QObject *child) override;

    TNotifyEvent OnZoom;
    TNotifyEvent OnUndoZoom;
    TNotifyEvent OnScroll;
    TNotifyEvent OnPageChange;
    TNotifyEvent OnAfterDraw;
    // Returns false to keep a panned axis where it is.
    std::function<bool(QObject *Sender, TChartAxis *Axis, double Minimum, double Maximum)> OnAllowScroll;
    std::function<void(QObject *Sender, TChartAxis *Axis, QString &LabelText)> OnGetAxisLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    friend struct TTestPeer<TChart>;

    // The limits an axis takes from its series, paged on the horizontal axis.
    TLimits AutomaticLimits(const TChartAxis &axis) const;
    // What the frame, everything under the series, is drawn from besides the chart's own settings.
    struct TAxisPlace
    {
        bool shown = false;
        bool labelled = false;
        double minimum = 0;
        double maximum = 0;
        int posTitle = 0;
        int posLabels = 0;

        bool operator==(const TAxisPlace &) const = default;
    };
    struct TFramePlace
    {
        TPlot plot;
        std::array<TAxisPlace, 4> axes;

        bool operator==(const TFramePlace &) const = default;
    };

    static TPlot MakePlot(int left, int top, int right, int bottom);
    // The one way the plot changes: the axes map their values on it.
    void SetPlot(const TPlot &plot);
    void SetPlot(int left, int top, int right, int bottom);
    void SetMargin(int side, int percent);
    void DrawChart(QPainter &painter);
    // Where everything goes: the margins, the titles, the axes' ranges and room, the series' margins. Gives
    // the plot the titles are placed in.
    TPlot LayOut(QPainter &painter);
    TFramePlace FramePlace() const;
    void DrawFrame(QPainter &painter, const TPlot &titled);
    void DrawBevel(QPainter &painter) const;
    // The plot left below and above the titles placed in `plot`; drawn too when a painter is given.
    TPlot PlaceTitles(QPainter *painter, TPlot plot) const;
    void FitSeriesMargins();
    void DrawBackRectangle(QPainter &painter) const;
    TChartSeries *FirstActiveSeries(const TChartAxis &axis) const;
    bool HasActiveSeries(const TChartAxis &axis) const;
    // Drawn and given room: visible, axes on, and showing a series (any axis while there is none).
    bool ShowsAxis(const TChartAxis &axis) const;
    // Whether a press there may start a zoom or a pan: the plot with a series, a series point, an axis.
    bool ZoomTarget(const QPoint &point) const;

    TPanelBevel m_bevelOuter = bvRaised;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    std::array<int, 4> m_margins{3, 3, 3, 3};
    bool m_view3D = true;
    bool m_view3DWalls = true;
    int m_chart3DPercent = 15;
    bool m_axisVisible = true;
    bool m_clipPoints = true;
    TColor m_backColor = ColorDefault;
    TChartPen *m_frame;
    TChartWall *m_leftWall;
    TChartWall *m_bottomWall;
    TChartTitle *m_title;
    TChartTitle *m_foot;
    TChartLegend *m_legend;
    int m_maxPointsPerPage = 0;
    int m_page = 1;
    bool m_scaleLastPage = true;
    bool m_allowZoom = true;
    TPanningMode m_allowPanning = pmBoth;
    bool m_animatedZoom = false;
    int m_animatedZoomSteps = 8;
    // Left, top, right, bottom.
    std::array<TChartAxis *, 4> m_axes;
    QList<TChartSeries *> m_series;

    TPlot m_plot;
    QImage m_picture;
    bool m_dirty = true;
    // The frame as last drawn, and for what; a change of the chart's settings makes it stale.
    QImage m_frameImage;
    TFramePlace m_framePlace;
    bool m_frameStale = true;
    TChartZoom m_zoomer{*this};
};
