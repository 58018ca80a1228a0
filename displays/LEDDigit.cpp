#include "displays/LEDDigit.h"

#include <QPainter>
#include <QResizeEvent>

#include "displays/GlyphStrip.h"
#include "runtime/ProcessState.h"

TDispCustomLEDDigit::TDispCustomLEDDigit(QWidget *parent) : TDispGraphicControl(parent)
{
    SetParentColor(true);
    resize(11, 21);
    RebuildBitmap();
}

TDispCustomLEDDigit::~TDispCustomLEDDigit()
{
    TDigitCache &cache = TProcessState<TDigitCache>::Instance();
    cache.Release(m_strip);
    if (cache.IsEmpty())
        TProcessState<TDigitCache>::Reset();
}

void TDispCustomLEDDigit::SetMinValue(int minValue)
{
    if (minValue < 0 || minValue > 9 || minValue == m_minValue)
        return;
    m_minValue = minValue;
    m_value = std::max(m_value, minValue);
    Invalidate();
}

void TDispCustomLEDDigit::SetMaxValue(int maxValue)
{
    if (maxValue < 0 || maxValue > 9 || maxValue == m_maxValue)
        return;
    m_maxValue = maxValue;
    m_value = std::min(m_value, maxValue);
    Invalidate();
}

void TDispCustomLEDDigit::SetValue(int value)
{
    if (m_cascadeValues && m_connect)
        m_connect->SetValue(value / 10);
    value %= 10;
    if (value == m_value || value < m_minValue || value > m_maxValue)
        return;
    m_value = value;
    if (m_changed)
        m_changed->push_back(this);
    else
        repaint();
}

void TDispCustomLEDDigit::SetDrawInactive(bool drawInactive)
{
    if (Change(m_drawInactive, drawInactive))
        RebuildBitmap();
}

void TDispCustomLEDDigit::SetZeroBlank(bool zeroBlank)
{
    if (Change(m_zeroBlank, zeroBlank))
        Invalidate();
}

void TDispCustomLEDDigit::SetInactiveColor(TColor color)
{
    if (Change(m_inactiveColor, color))
        RebuildBitmap();
}

void TDispCustomLEDDigit::SetLEDColor(TColor color)
{
    if (Change(m_ledColor, color))
        RebuildBitmap();
}

void TDispCustomLEDDigit::SetDigitSize(TDispLEDSize size)
{
    if (size == m_digitSize || size < ls06x07 || size > ls23x41)
        return;
    m_digitSize = size;
    RebuildBitmap();
}

void TDispCustomLEDDigit::SetDisplayType(TDispLEDType type)
{
    if (type == m_displayType || type < ltDigit || type > ltMinus)
        return;
    m_displayType = type;
    RebuildBitmap();
}

void TDispCustomLEDDigit::SetConnect(TDispCustomLEDDigit *digit)
{
    if (digit != this && digit != m_connect)
        m_connect = digit;
}

void TDispCustomLEDDigit::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    Invalidate();
}

int TDispCustomLEDDigit::Glyph() const
{
    if (!m_enabled)
        return 0;
    if (m_displayType != ltDigit)
        return m_displayType;
    return m_zeroBlank && m_value == 0 ? 0 : m_value + 1;
}

void TDispCustomLEDDigit::Loaded()
{
    TDispGraphicControl::Loaded();
    RebuildBitmap();
}

void TDispCustomLEDDigit::RebuildBitmap()
{
    if (Loading())
        return;
    TProcessState<TDigitCache>::Instance().Release(m_strip);
    resize(GlyphSize());
    Invalidate();
}

TDigitCache::TStripRef TDispCustomLEDDigit::Strip() const
{
    if (!m_strip)
        m_strip = TProcessState<TDigitCache>::Instance().Acquire(m_displayType, m_digitSize, m_drawInactive,
                                                                 Color(), m_ledColor, m_inactiveColor);
    return m_strip;
}

QSize TDispCustomLEDDigit::GlyphSize() const
{
    return GlyphStrip::GlyphSize(GlyphStrip::DigitStrip(m_displayType, m_digitSize));
}

void TDispCustomLEDDigit::Paint(QPainter &painter)
{
    const QSize glyph = GlyphSize();
    painter.drawImage(QPoint(0, 0), *Strip(), QRect(QPoint(Glyph() * glyph.width(), 0), glyph));
}

void TDispCustomLEDDigit::ColorChanged()
{
    RebuildBitmap();
}

void TDispCustomLEDDigit::resizeEvent(QResizeEvent *event)
{
    TDispGraphicControl::resizeEvent(event);
    if (size() != GlyphSize())
        resize(GlyphSize());
}

TDispLEDDigit::TDispLEDDigit(QWidget *parent) : TDispCustomLEDDigit(parent)
{}
