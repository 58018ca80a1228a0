#pragma once

#include <functional>

#include <QString>

#include "displays/chart/AxisTitle.h"
#include "displays/chart/ChartPen.h"
#include "displays/chart/ChartPlot.h"
#include "runtime/Font.h"
#include "runtime/Persistent.h"
#include "runtime/TestPeer.h"

class QFont;
class QPainter;
class TComponent;

// One of a chart's four axes: its stored settings (limits or automatic limits, label step, labels, title,
// pens), its working range for the current drawing pass, the mapping between values and pixels of the plot,
// and the drawing of its labels, grid lines and ticks. The chart hands it the plot and the limits of its
// series; the axis knows nothing of the chart beyond the component it belongs to.
class TChartAxis : public TPersistent
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TChartAxis)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(bool Automatic READ Automatic WRITE SetAutomatic)
    Q_PROPERTY(bool AutomaticMaximum READ AutomaticMaximum WRITE SetAutomaticMaximum)
    Q_PROPERTY(bool AutomaticMinimum READ AutomaticMinimum WRITE SetAutomaticMinimum)
    Q_PROPERTY(double Minimum READ Minimum WRITE SetMinimum)
    Q_PROPERTY(double Maximum READ Maximum WRITE SetMaximum)
    Q_PROPERTY(double Increment READ Increment WRITE SetIncrement)
    Q_PROPERTY(bool Labels READ Labels WRITE SetLabels)
    Q_PROPERTY(TFont *LabelsFont READ LabelsFont)
    Q_PROPERTY(bool LabelsOnAxis READ LabelsOnAxis WRITE SetLabelsOnAxis)
    Q_PROPERTY(int LabelsSeparation READ LabelsSeparation WRITE SetLabelsSeparation)
    Q_PROPERTY(int LabelsAngle READ LabelsAngle WRITE SetLabelsAngle)
    Q_PROPERTY(int LabelsSize READ LabelsSize WRITE SetLabelsSize)
    Q_PROPERTY(TAxisLabelStyle LabelStyle READ LabelStyle WRITE SetLabelStyle)
    Q_PROPERTY(QString AxisValuesFormat READ AxisValuesFormat WRITE SetAxisValuesFormat)
    Q_PROPERTY(bool RoundFirstLabel READ RoundFirstLabel WRITE SetRoundFirstLabel)
    Q_PROPERTY(bool TickOnLabelsOnly READ TickOnLabelsOnly WRITE SetTickOnLabelsOnly)
    Q_PROPERTY(int TickLength READ TickLength WRITE SetTickLength)
    Q_PROPERTY(int MinorTickLength READ MinorTickLength WRITE SetMinorTickLength)
    Q_PROPERTY(int MinorTickCount READ MinorTickCount WRITE SetMinorTickCount)
    Q_PROPERTY(int TickInnerLength READ TickInnerLength WRITE SetTickInnerLength)
    Q_PROPERTY(TChartPen *Axis READ Axis)
    Q_PROPERTY(TChartPen *Grid READ Grid)
    Q_PROPERTY(TChartPen *Ticks READ Ticks)
    Q_PROPERTY(TChartPen *MinorTicks READ MinorTicks)
    Q_PROPERTY(TChartPen *TicksInner READ TicksInner)
    Q_PROPERTY(TChartAxisTitle *Title READ Title)
    Q_PROPERTY(int TitleSize READ TitleSize WRITE SetTitleSize)
    Q_PROPERTY(bool Inverted READ Inverted WRITE SetInverted)
    Q_PROPERTY(bool Logarithmic READ Logarithmic WRITE SetLogarithmic)
    Q_PROPERTY(bool ExactDateTime READ ExactDateTime WRITE SetExactDateTime)

public:
    enum TAxisLabelStyle
    {
        talAuto,
        talNone,
        talValue,
        talMark,
        talText,
    };
    Q_ENUM(TAxisLabelStyle)

    enum class TSide
    {
        Left,
        Top,
        Right,
        Bottom,
    };

    // The smallest label step; also the step of an axis without room for a label.
    static constexpr double kMinStep = 0.00001;

    // The owner is the component the axis is stored with, as the parent is the object that frees it.
    TChartAxis(QObject *parent, const TComponent &owner, TSide side);

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    bool Automatic() const { return m_automatic; }
    // Also sets both automatic limits, except while the chart is read from a stored layout.
    void SetAutomatic(bool automatic);
    bool AutomaticMaximum() const { return m_automaticMaximum; }
    void SetAutomaticMaximum(bool automatic);
    bool AutomaticMinimum() const { return m_automaticMinimum; }
    void SetAutomaticMinimum(bool automatic);
    double Minimum() const { return m_minimum; }
    // Throw AxisException for a limit that is not finite, or past the other one while the chart is not read.
    void SetMinimum(double minimum);
    double Maximum() const { return m_maximum; }
    void SetMaximum(double maximum);
    double Increment() const { return m_increment; }
    // Throws AxisException for a negative step.
    void SetIncrement(double increment);
    bool Labels() const { return m_labels; }
    void SetLabels(bool labels);
    TFont *LabelsFont() const { return m_labelsFont; }
    bool LabelsOnAxis() const { return m_labelsOnAxis; }
    void SetLabelsOnAxis(bool onAxis);
    int LabelsSeparation() const { return m_labelsSeparation; }
    void SetLabelsSeparation(int percent);
    int LabelsSize() const { return m_labelsSize; }
    void SetLabelsSize(int size);
    // talNone hides the labels; every other style labels the axis by value.
    TAxisLabelStyle LabelStyle() const { return m_labelStyle; }
    void SetLabelStyle(TAxisLabelStyle style);
    QString AxisValuesFormat() const { return m_axisValuesFormat; }
    void SetAxisValuesFormat(const QString &format);
    bool RoundFirstLabel() const { return m_roundFirstLabel; }
    void SetRoundFirstLabel(bool round);
    bool TickOnLabelsOnly() const { return m_tickOnLabelsOnly; }
    void SetTickOnLabelsOnly(bool only);
    int TickLength() const { return m_tickLength; }
    void SetTickLength(int length);
    int MinorTickLength() const { return m_minorTickLength; }
    void SetMinorTickLength(int length);
    int MinorTickCount() const { return m_minorTickCount; }
    void SetMinorTickCount(int count);
    int TickInnerLength() const { return m_tickInnerLength; }
    void SetTickInnerLength(int length);
    TChartPen *Axis() const { return m_axisPen; }
    TChartPen *Grid() const { return m_grid; }
    TChartPen *Ticks() const { return m_ticks; }
    TChartPen *MinorTicks() const { return m_minorTicks; }
    TChartPen *TicksInner() const { return m_ticksInner; }
    TChartAxisTitle *Title() const { return m_title; }
    int TitleSize() const { return m_titleSize; }
    void SetTitleSize(int size);
    bool Inverted() const { return m_inverted; }
    void SetInverted(bool inverted);

    // Stored for the layout only: labels are drawn level whatever the angle, and the flat chart maps every
    // axis linearly, by value.
    int LabelsAngle() const { return m_labelsAngle; }
    void SetLabelsAngle(int angle);
    bool Logarithmic() const { return m_logarithmic; }
    void SetLogarithmic(bool logarithmic);
    bool ExactDateTime() const { return m_exactDateTime; }
    void SetExactDateTime(bool exact);

    TSide Side() const { return m_side; }
    bool Horizontal() const { return m_side == TSide::Top || m_side == TSide::Bottom; }

    // The working range of the current drawing pass.
    double IMinimum() const { return m_iMinimum; }
    double IMaximum() const { return m_iMaximum; }
    double IRange() const { return m_iRange; }
    int PosTitle() const { return m_posTitle; }
    int PosLabels() const { return m_posLabels; }

    // The plot rectangle the axis maps on, handed by the chart whenever it changes.
    void PlaceIn(const TChartPlot &plot) { m_plot = plot; }
    // What a label's text passes through before it is drawn (the chart's label event).
    void SetLabelEvent(std::function<void(TChartAxis &axis, QString &text)> event) { m_labelEvent = std::move(event); }

    // Value to pixel and back on the plot rectangle.
    int CalcPosValue(double value) const;
    double CalcPosPoint(int pixel) const;

    // Limits from the automatic settings, which take the series' limits given, then the working range.
    void AdjustMaxMin(const TChartRange &limits);
    // The working range as the chart re-reads it; a range given upside down is turned over.
    void SetWorkingRange(double minimum, double maximum);
    // Sets both limits at once, turning every automatic flag off (zoom and panning); limits that are not
    // finite leave the axis as it was.
    void SetMinMax(double minimum, double maximum);
    // Room beside the plot for title, labels and ticks, measured from the plot edge `edge` outwards;
    // records the title and label positions. `labelled`: the axis shows a series' values.
    int Space(QPainter &painter, int edge, bool labelled);
    void Draw(QPainter &painter, bool labelled);

    // The stored limits and automatic flags, kept before a zoom or pan.
    struct TLimits
    {
        bool automatic;
        bool automaticMinimum;
        bool automaticMaximum;
        double minimum;
        double maximum;
    };
    TLimits Limits() const;
    void RestoreLimits(const TLimits &limits);

private:
    friend struct TTestPeer<TChartAxis>;

    // The label step for the current plot size.
    double LabelStep() const;
    static double NextStep(double step);
    template <class Visit> void ForEachLabel(double step, Visit visit) const;
    // Measuring leaves the label event out.
    QString LabelText(double value, bool measuring) const;
    bool ShowsLabels(bool labelled) const;
    void DrawLabel(QPainter &painter, const QFont &font, int pixel, const QString &text) const;
    void DrawTitle(QPainter &painter) const;
    void DrawAxisLine(QPainter &painter) const;
    void DrawTick(QPainter &painter, int pixel, int length, bool inner, const TChartPen &pen) const;
    void DrawGridLine(QPainter &painter, int pixel) const;

    const TComponent *m_owner;
    TChartPlot m_plot;
    std::function<void(TChartAxis &axis, QString &text)> m_labelEvent;
    TSide m_side;
    bool m_visible = true;
    bool m_automatic = true;
    bool m_automaticMaximum = true;
    bool m_automaticMinimum = true;
    double m_minimum = 0;
    double m_maximum = 0;
    double m_increment = 0;
    bool m_labels = true;
    TFont *m_labelsFont;
    bool m_labelsOnAxis = true;
    int m_labelsSeparation = 10;
    int m_labelsAngle = 0;
    int m_labelsSize = 0;
    TAxisLabelStyle m_labelStyle = talAuto;
    QString m_axisValuesFormat = QStringLiteral("#,##0.###");
    bool m_roundFirstLabel = true;
    bool m_tickOnLabelsOnly = true;
    int m_tickLength = 4;
    int m_minorTickLength = 2;
    int m_minorTickCount = 3;
    int m_tickInnerLength = 0;
    TChartPen *m_axisPen;
    TChartPen *m_grid;
    TChartPen *m_ticks;
    TChartPen *m_minorTicks;
    TChartPen *m_ticksInner;
    TChartAxisTitle *m_title;
    int m_titleSize = 0;
    bool m_inverted = false;
    bool m_logarithmic = false;
    bool m_exactDateTime = true;

    double m_iMinimum = 0;
    double m_iMaximum = 0;
    double m_iRange = 0;
    int m_posAxis = 0;
    int m_posTitle = 0;
    int m_posLabels = 0;
};
