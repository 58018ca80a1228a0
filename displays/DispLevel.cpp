#include "displays/DispLevel.h"

#include <algorithm>

#include <QPainter>

namespace {

struct TPeakState
{
    int peak;
    int hold;
};

TPeakState unpack(uint64_t packed)
{
    return {int(uint32_t(packed >> 32)), int(uint32_t(packed))};
}

uint64_t pack(TPeakState state)
{
    return uint64_t(uint32_t(state.peak)) << 32 | uint32_t(state.hold);
}

int peakTick(void *owner, int elapsed)
{
    return static_cast<TDispCustomLevel *>(owner)->PeakTick(elapsed / TDispTickService::kPeriod) *
           TDispTickService::kPeriod;
}

} // namespace

TDispCustomLevel::TDispCustomLevel(QWidget *parent)
    : TDispDIBGraphicControl(parent),
      m_colors{clAqua, clAqua, clRed, clTeal, clTeal, clMaroon}
{
    PublishEvent(QStringLiteral("OnPaint"), OnPaint);
    PublishEvent(QStringLiteral("OnGainOverflow"), OnGainOverflow);
    PublishEvent(QStringLiteral("OnPcmOverflow"), OnPcmOverflow);
    PublishEvent(QStringLiteral("OnDrawBar"), m_onDrawBar);
    SetColor(clBlack);
    resize(200, 17);
    ResizeBlock(false);
    BevelChanged();
    if (!Designing()) {
        m_tickClient = TDispTickService::Current().AddClient(kTickInterval, this, &peakTick);
        SyncTick();
    }
}

TDispCustomLevel::~TDispCustomLevel()
{
    // Removal waits for a tick in flight, so no tick reaches the meter once it has begun to go.
    TDispTickService::Current().RemoveClient(m_tickClient);
}

int TDispCustomLevel::Value() const
{
    return m_spots.Percent(m_bar, m_logAmp, m_sensitivy, m_gain8);
}

void TDispCustomLevel::SetValue(int value)
{
    UpdateLevel(TDispLevelSpots::Amplitude(value));
}

void TDispCustomLevel::UpdateLevel(int amplitude)
{
    m_lastInput = amplitude;
    if (amplitude == 0 && m_bar == 0 && !m_redrawPending)
        return;
    switch (m_decayMode) {
    case dmNone:
        break;
    case dmStepUp:
        amplitude = m_decayFilter.StepUp(amplitude);
        break;
    case dmExponential:
        amplitude = m_decayFilter.Exponential(amplitude);
        break;
    case dmUniform:
        amplitude = m_decayFilter.Uniform(amplitude);
        break;
    }
    int lit = m_spots.Lit(int64_t(amplitude) * m_gain8 / 8, m_logAmp, m_sensitivy);
    if (lit > m_spots.Count()) {
        if (OnGainOverflow)
            OnGainOverflow(this);
        lit = m_spots.Count();
    }
    if (m_numPeaks > 0 && lit > Peak())
        TDispTickService::Current().Wake(m_tickClient, [this, lit] {
            return ChangePeak([this, lit](TPeakState &state) {
                if (lit <= state.peak)
                    return false;
                state = {lit, 2 * m_peakDelay + 1};
                m_redrawPending = true;
                return true;
            });
        });
    const bool pending = m_redrawPending.exchange(false);
    if (lit != m_bar || pending) {
        m_bar = lit;
        RedrawNow();
    }
}

void TDispCustomLevel::SetEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled) {
        RecalcSpots();
    } else {
        ClearLevel();
        RedrawNow();
    }
    SyncTick();
    Invalidate();
}

void TDispCustomLevel::SetKind(TDispLevelKind kind)
{
    if (kind == m_kind)
        return;
    m_kind = kind;
    if ((kind == lkVertical && width() > height()) || (kind == lkHorizontal && height() > width()))
        resize(height(), width());
    Geometry();
}

void TDispCustomLevel::SetDirection(TDispLevelDirection direction)
{
    if (Change(m_direction, direction))
        Restyle();
}

void TDispCustomLevel::SetSpotWidth(int width)
{
    const int length = m_kind == lkHorizontal ? m_innerWidth : m_innerHeight;
    if (Change(m_spotWidth, std::clamp(width, 1, std::max(length / 3, 1))))
        Respace();
}

void TDispCustomLevel::SetSpotSpace(int space)
{
    if (Change(m_spotSpace, std::clamp(space, 0, 10)))
        Respace();
}

void TDispCustomLevel::SetPoint1(int point)
{
    if (Change(m_point1, std::clamp(point, 1, 100)))
        Respace();
}

void TDispCustomLevel::SetPoint2(int point)
{
    if (Change(m_point2, std::clamp(point, 1, 100)))
        Respace();
}

void TDispCustomLevel::SetLevelColor(TLevelColor index, TColor color)
{
    if (index >= 0 && index < lcCount && Change(m_colors[index], color))
        Restyle();
}

void TDispCustomLevel::SetActiveDoted(bool doted)
{
    if (Change(m_activeDoted, doted))
        Restyle();
}

void TDispCustomLevel::SetInactiveDoted(bool doted)
{
    if (Change(m_inactiveDoted, doted))
        Restyle();
}

void TDispCustomLevel::SetNumPeaks(int count)
{
    if (!Change(m_numPeaks, std::clamp(count, 0, 5)))
        return;
    DropHold();
    SyncTick();
}

void TDispCustomLevel::SetPeakDelay(int delay)
{
    if (Change(m_peakDelay, std::clamp(delay, 0, 50)))
        DropHold();
}

void TDispCustomLevel::SetPeakSpeed(int speed)
{
    speed = std::clamp(speed, 0, 50);
    if (speed == m_peakSpeed)
        return;
    m_peakSpeed = speed;
    DropHold();
}

void TDispCustomLevel::SetDecayMode(TDispDecayMode mode)
{
    if (Change(m_decayMode, mode))
        m_decayFilter.Clear();
}

void TDispCustomLevel::SetDecay(int decay)
{
    if (!Change(m_decay, std::clamp(decay, 1, 16)))
        return;
    m_decayFilter.SetDecay(m_decay);
    if (m_decayMode == dmUniform)
        m_decayFilter.Clear();
}

void TDispCustomLevel::SetLogAmp(bool logAmp)
{
    if (Change(m_logAmp, logAmp))
        Invalidate();
}

void TDispCustomLevel::SetSensitivy(int sensitivy)
{
    m_sensitivy = std::clamp(sensitivy, -90, -9);
}

void TDispCustomLevel::SetGain(int gain)
{
    if (gain >= -8 && gain <= 32 && Change(m_gain8, gain + 8))
        Invalidate();
}

void TDispCustomLevel::SetBitLength(TDispBits bits)
{
    if (Change(m_bitLength, bits))
        ResizeBlock(true);
}

void TDispCustomLevel::SetChannel(TDispChannel channel)
{
    if (Change(m_channel, channel))
        Invalidate();
}

void TDispCustomLevel::SetMode(TDispMode mode)
{
    if (mode != mQuadro && Change(m_mode, mode))
        ResizeBlock(true);
}

void TDispCustomLevel::SetSamples(int samples)
{
    if (Change(m_samples, std::max(samples, 1)))
        ResizeBlock(false);
}

void TDispCustomLevel::SetOnDrawBar(TDispLevelDrawBar handler)
{
    const bool cleared = m_onDrawBar && !handler;
    m_onDrawBar = std::move(handler);
    if (cleared)
        PrepareBackground();
    Invalidate();
}

int TDispCustomLevel::Peak() const
{
    return unpack(m_peakHold).peak;
}

int TDispCustomLevel::PeakTick(int ticks)
{
    const int speed = m_peakSpeed;
    bool fell = false;
    int quiet = 0;
    ChangePeak([speed, ticks, &fell, &quiet](TPeakState &state) {
        fell = false;
        quiet = 0;
        if (state.peak <= 0)
            return false;
        state.hold -= ticks;
        if (state.hold > 0) {
            quiet = state.hold;
            return true;
        }
        state = speed == 0 ? TPeakState{0, 0} : TPeakState{state.peak - 1, speed};
        fell = true;
        quiet = state.peak > 0 ? state.hold : 0;
        return true;
    });
    if (fell)
        m_redrawPending = true;
    return quiet;
}

void TDispCustomLevel::SetWidth(int width)
{
    TDispDIBGraphicControl::SetWidth(width);
    FollowBounds();
}

void TDispCustomLevel::SetHeight(int height)
{
    TDispDIBGraphicControl::SetHeight(height);
    FollowBounds();
}

void TDispCustomLevel::Loaded()
{
    TDispDIBGraphicControl::Loaded();
    PrepareBackground();
    Invalidate();
}

bool TDispCustomLevel::StoresProperty(const char *name) const
{
    return qstrcmp(name, "Value") != 0 && TDispDIBGraphicControl::StoresProperty(name);
}

void TDispCustomLevel::BevelChanged()
{
    const int least = 2 * Bevel()->BevelExtent() + 2;
    setMinimumSize(least, least);
    Geometry();
}

void TDispCustomLevel::ColorChanged()
{
    PrepareBackground();
    TDispDIBGraphicControl::ColorChanged();
}

void TDispCustomLevel::Paint(QPainter &painter)
{
    TDispDIBGraphicControl::Paint(painter);
    RenderBar(painter);
}

void TDispCustomLevel::resizeEvent(QResizeEvent *event)
{
    TDispDIBGraphicControl::resizeEvent(event);
    // The base sized the bar image to the whole control; a frame keeps it to the inside even when the
    // inside did not change.
    DIB()->SetSize(m_innerWidth, m_innerHeight);
    FollowBounds();
}

// A hidden control hears of its new size only when it is shown, so every path that sizes it comes here and
// the geometry is recomputed once per actual change.
void TDispCustomLevel::FollowBounds()
{
    if (InnerRect() != m_inner)
        Geometry();
}

void TDispCustomLevel::Geometry()
{
    m_inner = InnerRect();
    m_innerWidth = std::max(m_inner.width(), 1);
    m_innerHeight = std::max(m_inner.height(), 1);
    DIB()->SetSize(m_innerWidth, m_innerHeight);
    m_background.SetSize(m_innerWidth, m_innerHeight);
    RecalcSpots();
    Invalidate();
}

void TDispCustomLevel::RecalcSpots()
{
    m_spotWidth = std::max(m_spotWidth, 1);
    m_spots.Recalc(m_kind == lkHorizontal ? m_innerWidth : m_innerHeight, m_spotWidth, m_spotSpace, m_point1,
                   m_point2);
    PrepareBackground();
    ChangePeak([](TPeakState &state) {
        state.peak = 0;
        return true;
    });
    m_bar = 0;
}

void TDispCustomLevel::PrepareBackground()
{
    if (Loading() || m_onDrawBar)
        return;
    m_background.BeginDraw();
    m_background.SelectColor(Color());
    m_background.ClearSurface();
    DrawSpots(m_background, m_spots.Count(), 0, &m_colors[lcInactive1], m_inactiveDoted);
    m_background.EndDraw();
}

void TDispCustomLevel::RenderBar(QPainter &painter)
{
    if (OnPaint)
        OnPaint(this);
    TDispDIBCanvas &bar = *DIB();
    bar.BeginDraw();
    const int peak = Peak();
    m_drawnBar = m_bar;
    m_drawnPeak = peak;
    if (m_onDrawBar) {
        m_onDrawBar(this, &bar, QRect(0, 0, m_innerWidth, m_innerHeight), m_bar, peak);
    } else {
        // A background that could not be drawn yet (while loading) is no source to copy from.
        if (m_background.ImageWidth() == bar.ImageWidth() && m_background.ImageHeight() == bar.ImageHeight())
            bar.CopyPixels(0, 0, m_innerWidth, m_innerHeight, 0, 0, m_background);
        DrawSpots(bar, m_bar, peak, &m_colors[lcBar1], m_activeDoted);
    }
    bar.BlitTo(&painter, QRect(m_inner.topLeft(), QSize(m_innerWidth, m_innerHeight)), 0, 0);
    bar.EndDraw();
}

// The colour is selected only where the zone changes; marker spots take their own zone's colour and are
// drawn only where a spot exists.
void TDispCustomLevel::DrawSpots(TDispDIBCanvas &image, int count, int peak, const TColor *colors, bool doted)
{
    int zone = 1;
    image.SelectColor(colors[0]);
    for (int spot = 1; spot <= count; ++spot) {
        if (m_spots.Zone(spot) != zone) {
            zone = m_spots.Zone(spot);
            image.SelectColor(colors[zone - 1]);
        }
        FillSpot(image, spot, doted);
    }
    if (m_numPeaks == 0 || count >= peak)
        return;
    for (int n = 0; n < m_numPeaks && peak - n >= 1; ++n) {
        image.SelectColor(colors[m_spots.Zone(peak - n) - 1]);
        FillSpot(image, peak - n, doted);
    }
}

void TDispCustomLevel::FillSpot(TDispDIBCanvas &image, int spot, bool doted)
{
    const QRect box = m_spots.Spot(spot, m_kind == lkVertical, m_direction == dirReversed, m_innerWidth,
                                   m_innerHeight);
    image.FillBox(box.left(), box.top(), box.left() + box.width(), box.top() + box.height(), doted);
}

// Only the spots that change reach the screen, unless a handler draws the bar.
void TDispCustomLevel::RedrawNow()
{
    const TDrawProcedure render = [this](QPainter &painter) { RenderBar(painter); };
    if (m_onDrawBar || m_drawnBar < 0)
        DrawNow(render);
    else
        DrawNow(render, ChangedSpots(m_bar, Peak()));
}

// One rectangle, however far apart the changed spots lie: one paint of a plain rectangle costs the toolkit and
// the X server less than a region of many small ones.
QRect TDispCustomLevel::ChangedSpots(int bar, int peak) const
{
    QRect changed;
    for (int spot = 1; spot <= m_spots.Count(); ++spot)
        if (IsLit(spot, bar, peak) != IsLit(spot, m_drawnBar, m_drawnPeak))
            changed |= m_spots.Spot(spot, m_kind == lkVertical, m_direction == dirReversed, m_innerWidth,
                                    m_innerHeight)
                           .translated(m_inner.topLeft());
    return changed;
}

bool TDispCustomLevel::IsLit(int spot, int bar, int peak) const
{
    return spot <= bar || (bar < peak && spot <= peak && spot > peak - m_numPeaks);
}

void TDispCustomLevel::ClearLevel()
{
    ChangePeak([](TPeakState &state) {
        state = {0, 0};
        return true;
    });
    m_bar = 0;
    m_lastInput = 0;
    m_decayFilter.Clear();
}

void TDispCustomLevel::SyncTick()
{
    const bool suspend = !m_enabled || m_numPeaks == 0;
    if (suspend == m_tickSuspended)
        return;
    m_tickSuspended = suspend;
    if (suspend)
        TDispTickService::Current().Suspend(m_tickClient);
    else
        TDispTickService::Current().Resume(m_tickClient);
}

void TDispCustomLevel::Respace()
{
    RecalcSpots();
    Invalidate();
}

void TDispCustomLevel::Restyle()
{
    PrepareBackground();
    Invalidate();
}

void TDispCustomLevel::DropHold()
{
    TDispTickService::Current().Wake(m_tickClient, [this] {
        return ChangePeak([](TPeakState &state) { return std::exchange(state.hold, 0) != 0; });
    });
    Invalidate();
}

void TDispCustomLevel::ResizeBlock(bool invalidate)
{
    m_blockSize = (m_bitLength + 1) * (m_mode + 1) * m_samples;
    if (invalidate)
        Invalidate();
}

template <class Edit> bool TDispCustomLevel::ChangePeak(Edit edit)
{
    uint64_t packed = m_peakHold.load();
    for (;;) {
        TPeakState state = unpack(packed);
        if (!edit(state))
            return false;
        if (m_peakHold.compare_exchange_weak(packed, pack(state)))
            return true;
    }
}

TDispLevel::TDispLevel(QWidget *parent) : TDispCustomLevel(parent) {}
