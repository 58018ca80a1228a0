#pragma once

#include <vector>

#include <QPointer>

#include "displays/DigitCache.h"
#include "displays/DispObj.h"
#include "runtime/TestPeer.h"

// One seven-segment digit, copied from a shared recoloured strip. Its size is the strip's glyph size,
// whatever is asked. A digit can pass the tens of a value on to the next more significant digit.
class TDispCustomLEDDigit : public TDispGraphicControl
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDispCustomLEDDigit)
    Q_PROPERTY(int MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(int Value READ Value WRITE SetValue)
    Q_PROPERTY(bool DrawInactive READ DrawInactive WRITE SetDrawInactive)
    Q_PROPERTY(bool ZeroBlank READ ZeroBlank WRITE SetZeroBlank)
    Q_PROPERTY(TColor InactiveColor READ InactiveColor WRITE SetInactiveColor)
    Q_PROPERTY(TColor LEDColor READ LEDColor WRITE SetLEDColor)
    Q_PROPERTY(TDispLEDSize DigitSize READ DigitSize WRITE SetDigitSize)
    Q_PROPERTY(TDispLEDType DisplayType READ DisplayType WRITE SetDisplayType)
    Q_PROPERTY(bool CascadeValues READ CascadeValues WRITE SetCascadeValues)
    Q_PROPERTY(TDispCustomLEDDigit *Connect READ Connect WRITE SetConnect)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)

public:
    enum TDispLEDSize
    {
        ls06x07,
        ls07x11,
        ls08x13,
        ls11x19,
        ls13x20,
        ls13x21,
        ls15x24,
        ls15x25,
        ls17x29,
        ls18x25,
        ls19x33,
        ls21x37,
        ls23x41,
    };
    Q_ENUM(TDispLEDSize)

    enum TDispLEDType
    {
        ltDigit,
        ltPeriod,
        ltColon,
        ltMinus,
    };
    Q_ENUM(TDispLEDType)

    explicit TDispCustomLEDDigit(QWidget *parent = nullptr);
    ~TDispCustomLEDDigit() override;

    int MinValue() const { return m_minValue; }
    void SetMinValue(int minValue);
    int MaxValue() const { return m_maxValue; }
    void SetMaxValue(int maxValue);
    int Value() const { return m_value; }
    // Passes v div 10 on when cascading, keeps v mod 10 when in range, and repaints at once.
    void SetValue(int value);
    bool DrawInactive() const { return m_drawInactive; }
    void SetDrawInactive(bool drawInactive);
    bool ZeroBlank() const { return m_zeroBlank; }
    void SetZeroBlank(bool zeroBlank);
    TColor InactiveColor() const { return m_inactiveColor; }
    void SetInactiveColor(TColor color);
    TColor LEDColor() const { return m_ledColor; }
    void SetLEDColor(TColor color);
    TDispLEDSize DigitSize() const { return m_digitSize; }
    void SetDigitSize(TDispLEDSize size);
    TDispLEDType DisplayType() const { return m_displayType; }
    void SetDisplayType(TDispLEDType type);
    bool CascadeValues() const { return m_cascadeValues; }
    void SetCascadeValues(bool cascade) { m_cascadeValues = cascade; }
    TDispCustomLEDDigit *Connect() const { return m_connect; }
    void SetConnect(TDispCustomLEDDigit *digit);
    // The digit's own flag: off shows the blank glyph.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    // While a list is given, a value change adds the digit to it instead of repainting, so that the row
    // holding the digit repaints every digit that changed at once, in one paint; null ends that.
    void CollectRepaints(std::vector<TDispCustomLEDDigit *> *changed) { m_changed = changed; }

    void Loaded() override;

protected:
    void RebuildBitmap();
    void Paint(QPainter &painter) override;
    void ColorChanged() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend struct TTestPeer<TDispCustomLEDDigit>;

    // The strip held from the cache, taken from it when first needed.
    TDigitCache::TStripRef Strip() const;
    // The glyph the digit shows now.
    int Glyph() const;
    QSize GlyphSize() const;

    int m_minValue = 0;
    int m_maxValue = 9;
    int m_value = 0;
    bool m_drawInactive = true;
    bool m_zeroBlank = false;
    TColor m_inactiveColor = clGreen;
    TColor m_ledColor = clLime;
    TDispLEDSize m_digitSize = ls13x21;
    TDispLEDType m_displayType = ltDigit;
    bool m_cascadeValues = false;
    QPointer<TDispCustomLEDDigit> m_connect;
    bool m_enabled = true;
    std::vector<TDispCustomLEDDigit *> *m_changed = nullptr;
    // Taken at the first paint, so that a layout's run of colour changes recolours nothing.
    mutable TDigitCache::TStripRef m_strip = nullptr;
};

// The digit as layouts name it.
class TDispLEDDigit : public TDispCustomLEDDigit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDispLEDDigit)

public:
    explicit TDispLEDDigit(QWidget *parent = nullptr);
};
