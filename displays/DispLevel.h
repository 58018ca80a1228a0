#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include <QRect>

#include "displays/DispDIB.h"
#include "displays/DispDecayFilter.h"
#include "displays/DispLevelSpots.h"
#include "displays/DispTickService.h"
#include "runtime/TestPeer.h"

// Sender, the bar image, its rectangle, lit spots, peak spot.
using TDispLevelDrawBar = std::function<void(QObject *Sender, TDispDIBCanvas *DIB, QRect Rect, int Value, int Peak)>;

// A segmented bar meter: equal spots lit from one end up to the level, in three colour zones, with a peak
// marker that holds and then falls back on the shared tick service's thread. A percentage written to
// Value becomes an amplitude on a 16-bit scale, passes an optional decay filter, is mapped onto the spots
// on a decibel (or linear) scale, and is drawn at once. The audio-sample path keeps its properties only.
class TDispCustomLevel : public TDispDIBGraphicControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDispCustomLevel)
    Q_PROPERTY(int Value READ Value WRITE SetValue)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(TDispLevelKind Kind READ Kind WRITE SetKind)
    Q_PROPERTY(TDispLevelDirection Direction READ Direction WRITE SetDirection)
    Q_PROPERTY(int SpotWidth READ SpotWidth WRITE SetSpotWidth)
    Q_PROPERTY(int SpotSpace READ SpotSpace WRITE SetSpotSpace)
    Q_PROPERTY(int Point1 READ Point1 WRITE SetPoint1)
    Q_PROPERTY(int Point2 READ Point2 WRITE SetPoint2)
    Q_PROPERTY(TColor Bar1Color READ Bar1Color WRITE SetBar1Color)
    Q_PROPERTY(TColor Bar2Color READ Bar2Color WRITE SetBar2Color)
    Q_PROPERTY(TColor Bar3Color READ Bar3Color WRITE SetBar3Color)
    Q_PROPERTY(TColor Inactive1Color READ Inactive1Color WRITE SetInactive1Color)
    Q_PROPERTY(TColor Inactive2Color READ Inactive2Color WRITE SetInactive2Color)
    Q_PROPERTY(TColor Inactive3Color READ Inactive3Color WRITE SetInactive3Color)
    Q_PROPERTY(bool ActiveDoted READ ActiveDoted WRITE SetActiveDoted)
    Q_PROPERTY(bool InactiveDoted READ InactiveDoted WRITE SetInactiveDoted)
    Q_PROPERTY(int NumPeaks READ NumPeaks WRITE SetNumPeaks)
    Q_PROPERTY(int PeakDelay READ PeakDelay WRITE SetPeakDelay)
    Q_PROPERTY(int PeakSpeed READ PeakSpeed WRITE SetPeakSpeed)
    Q_PROPERTY(TDispDecayMode DecayMode READ DecayMode WRITE SetDecayMode)
    Q_PROPERTY(int Decay READ Decay WRITE SetDecay)
    Q_PROPERTY(bool LogAmp READ LogAmp WRITE SetLogAmp)
    Q_PROPERTY(int Sensitivy READ Sensitivy WRITE SetSensitivy)
    Q_PROPERTY(int Gain READ Gain WRITE SetGain)
    Q_PROPERTY(TDispBits BitLength READ BitLength WRITE SetBitLength)
    Q_PROPERTY(TDispChannel Channel READ Channel WRITE SetChannel)
    Q_PROPERTY(TDispMode Mode READ Mode WRITE SetMode)
    Q_PROPERTY(int Samples READ Samples WRITE SetSamples)

public:
    enum TDispLevelKind
    {
        lkHorizontal,
        lkVertical,
    };
    Q_ENUM(TDispLevelKind)
    enum TDispLevelDirection
    {
        dirNormal,
        dirReversed,
    };
    Q_ENUM(TDispLevelDirection)
    enum TDispDecayMode
    {
        dmNone,
        dmStepUp,
        dmExponential,
        dmUniform,
    };
    Q_ENUM(TDispDecayMode)
    enum TDispBits
    {
        b8Bit,
        b16Bit,
    };
    Q_ENUM(TDispBits)
    enum TDispChannel
    {
        chBoth,
        chLeft,
        chRight,
    };
    Q_ENUM(TDispChannel)
    enum TDispMode
    {
        mMono,
        mStereo,
        mQuadro,
    };
    Q_ENUM(TDispMode)
    // Indices of the indexed colour setter: lit zones 1 to 3, then unlit zones 1 to 3.
    enum TLevelColor
    {
        lcBar1,
        lcBar2,
        lcBar3,
        lcInactive1,
        lcInactive2,
        lcInactive3,
        lcCount,
    };

    static constexpr int kTickInterval = 25;

    explicit TDispCustomLevel(QWidget *parent = nullptr);
    ~TDispCustomLevel() override;

    int Value() const;
    void SetValue(int value);

    // The meter's own flag, not the control's enabled state.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    TDispLevelKind Kind() const { return m_kind; }
    void SetKind(TDispLevelKind kind);
    TDispLevelDirection Direction() const { return m_direction; }
    void SetDirection(TDispLevelDirection direction);
    int SpotWidth() const { return m_spotWidth; }
    void SetSpotWidth(int width);
    int SpotSpace() const { return m_spotSpace; }
    void SetSpotSpace(int space);
    int Point1() const { return m_point1; }
    void SetPoint1(int point);
    int Point2() const { return m_point2; }
    void SetPoint2(int point);

    TColor Bar1Color() const { return m_colors[lcBar1]; }
    void SetBar1Color(TColor color) { SetLevelColor(lcBar1, color); }
    TColor Bar2Color() const { return m_colors[lcBar2]; }
    void SetBar2Color(TColor color) { SetLevelColor(lcBar2, color); }
    TColor Bar3Color() const { return m_colors[lcBar3]; }
    void SetBar3Color(TColor color) { SetLevelColor(lcBar3, color); }
    TColor Inactive1Color() const { return m_colors[lcInactive1]; }
    void SetInactive1Color(TColor color) { SetLevelColor(lcInactive1, color); }
    TColor Inactive2Color() const { return m_colors[lcInactive2]; }
    void SetInactive2Color(TColor color) { SetLevelColor(lcInactive2, color); }
    TColor Inactive3Color() const { return m_colors[lcInactive3]; }
    void SetInactive3Color(TColor color) { SetLevelColor(lcInactive3, color); }
    bool ActiveDoted() const { return m_activeDoted; }
    void SetActiveDoted(bool doted);
    bool InactiveDoted() const { return m_inactiveDoted; }
    void SetInactiveDoted(bool doted);

    int NumPeaks() const { return m_numPeaks; }
    void SetNumPeaks(int count);
    int PeakDelay() const { return m_peakDelay; }
    void SetPeakDelay(int delay);
    int PeakSpeed() const { return m_peakSpeed; }
    void SetPeakSpeed(int speed);
    TDispDecayMode DecayMode() const { return m_decayMode; }
    void SetDecayMode(TDispDecayMode mode);
    int Decay() const { return m_decay; }
    void SetDecay(int decay);
    bool LogAmp() const { return m_logAmp; }
    void SetLogAmp(bool logAmp);
    int Sensitivy() const { return m_sensitivy; }
    void SetSensitivy(int sensitivy);
    int Gain() const { return m_gain8 - 8; }
    void SetGain(int gain);

    TDispBits BitLength() const { return m_bitLength; }
    void SetBitLength(TDispBits bits);
    TDispChannel Channel() const { return m_channel; }
    void SetChannel(TDispChannel channel);
    TDispMode Mode() const { return m_mode; }
    // mQuadro is refused.
    void SetMode(TDispMode mode);
    int Samples() const { return m_samples; }
    void SetSamples(int samples);

    int Bar() const { return m_bar; }

    // The tick service's call for that many 25 ms ticks: holds the peak, then lets it fall. It never draws.
    // Answers the ticks until the peak next falls, in which the meter can be left alone; 0 when no peak is
    // shown, so the meter rests until its next new peak or a change of its hold.
    int PeakTick(int ticks = 1);

    void SetWidth(int width) override;
    void SetHeight(int height) override;
    void Loaded() override;
    bool StoresProperty(const char *name) const override;

    TNotifyEvent OnPaint;
    TNotifyEvent OnGainOverflow;
    TNotifyEvent OnPcmOverflow;

protected:
    void BevelChanged() override;
    void ColorChanged() override;
    void Paint(QPainter &painter) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend struct TTestPeer<TDispCustomLevel>;

    // The common entry of every amplitude.
    void UpdateLevel(int amplitude);
    // An index outside the six is ignored.
    void SetLevelColor(TLevelColor index, TColor color);
    void SetOnDrawBar(TDispLevelDrawBar handler);
    int Peak() const;
    void FollowBounds();
    void Geometry();
    void RecalcSpots();
    void PrepareBackground();
    void RenderBar(QPainter &painter);
    // The box round the spots lit by one state of bar and peak and not by the other.
    QRect ChangedSpots(int bar, int peak) const;
    bool IsLit(int spot, int bar, int peak) const;
    void DrawSpots(TDispDIBCanvas &image, int count, int peak, const TColor *colors, bool doted);
    void FillSpot(TDispDIBCanvas &image, int spot, bool doted);
    void RedrawNow();
    void ClearLevel();
    // Holds the client ticking exactly while the meter is enabled and shows a peak.
    void SyncTick();
    // What a change of spot layout, of spot look, of peak timing or of the audio block asks for.
    void Respace();
    void Restyle();
    void DropHold();
    void ResizeBlock(bool invalidate);
    // The peak and its hold counter change together, so the tick and the GUI never see half an update.
    template <class Edit> bool ChangePeak(Edit edit);

    TDispDIBCanvas m_background;
    TDispLevelSpots m_spots;
    TDispDecayFilter m_decayFilter;
    QRect m_inner;
    int m_innerWidth = 1;
    int m_innerHeight = 1;

    bool m_enabled = true;
    TDispLevelKind m_kind = lkHorizontal;
    TDispLevelDirection m_direction = dirNormal;
    int m_spotWidth = 1;
    int m_spotSpace = 1;
    int m_point1 = 50;
    int m_point2 = 85;
    TColor m_colors[lcCount];
    bool m_activeDoted = false;
    bool m_inactiveDoted = false;
    int m_numPeaks = 1;
    int m_peakDelay = 20;
    std::atomic<int> m_peakSpeed{0};
    TDispDecayMode m_decayMode = dmNone;
    int m_decay = 1;
    bool m_logAmp = true;
    int m_sensitivy = -35;
    int m_gain8 = 8;
    TDispBits m_bitLength = b8Bit;
    TDispChannel m_channel = chBoth;
    TDispMode m_mode = mMono;
    int m_samples = 50;
    // Bytes of one block of sample frames.
    int m_blockSize = 0;
    int m_lastInput = 0;

    int m_bar = 0;
    // What the last paint drew; a bar of -1 before the first.
    int m_drawnBar = -1;
    int m_drawnPeak = 0;
    // Shared with the tick thread: the peak spot in the high half, its hold counter in the low half.
    std::atomic<uint64_t> m_peakHold{0};
    std::atomic<bool> m_redrawPending{false};

    TDispTickService::TClientId m_tickClient = 0;
    bool m_tickSuspended = false;
    TDispLevelDrawBar m_onDrawBar;
};

// The level meter as layouts hold it.
class TDispLevel : public TDispCustomLevel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDispLevel)

public:
    explicit TDispLevel(QWidget *parent = nullptr);
};
