#pragma once

#include <array>

#include "displays/DispObj.h"
#include "displays/LEDDigit.h"
#include "runtime/TestPeer.h"

// A signed integer as a row of LED digits, most significant leftmost, sized to its digits. The digits are
// its own and never stored in a layout; they are made anew from NumDigits.
class TDispLEDPanel : public TDispCustomPanel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TDispLEDPanel)
    Q_PROPERTY(int Value READ Value WRITE SetValue)
    Q_PROPERTY(int MinValue READ MinValue WRITE SetMinValue)
    Q_PROPERTY(int MaxValue READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(int NumDigits READ NumDigits WRITE SetNumDigits)
    Q_PROPERTY(TDispCustomLEDDigit::TDispLEDSize DigitSize READ DigitSize WRITE SetDigitSize)
    Q_PROPERTY(int LEDSpace READ LEDSpace WRITE SetLEDSpace)
    Q_PROPERTY(TColor LEDColor READ LEDColor WRITE SetLEDColor)
    Q_PROPERTY(TColor InactiveColor READ InactiveColor WRITE SetInactiveColor)
    Q_PROPERTY(bool DrawInactive READ DrawInactive WRITE SetDrawInactive)
    Q_PROPERTY(bool ZeroBlank READ ZeroBlank WRITE SetZeroBlank)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)

public:
    static constexpr int kMaxDigits = 9;

    explicit TDispLEDPanel(QWidget *parent = nullptr);

    int Value() const { return m_value; }
    // Clamped to the range; a change re-blanks, cascades through the digits and raises OnChange.
    void SetValue(int value);
    int MinValue() const { return m_minValue; }
    void SetMinValue(int minValue);
    int MaxValue() const { return m_maxValue; }
    void SetMaxValue(int maxValue);
    int NumDigits() const { return m_numDigits; }
    // 1 to 9; anything else is ignored.
    void SetNumDigits(int count);
    TDispCustomLEDDigit::TDispLEDSize DigitSize() const { return m_digitSize; }
    void SetDigitSize(TDispCustomLEDDigit::TDispLEDSize size);
    int LEDSpace() const { return m_ledSpace; }
    void SetLEDSpace(int space);
    TColor LEDColor() const { return m_ledColor; }
    void SetLEDColor(TColor color);
    TColor InactiveColor() const { return m_inactiveColor; }
    void SetInactiveColor(TColor color);
    bool DrawInactive() const { return m_drawInactive; }
    void SetDrawInactive(bool drawInactive);
    bool ZeroBlank() const { return m_zeroBlank; }
    void SetZeroBlank(bool zeroBlank);
    bool Enabled() const { return TControl::Enabled(); }
    void SetEnabled(bool enabled);

    void SetWidth(int width) override;
    void SetHeight(int height) override;
    void Loaded() override;

    TNotifyEvent OnChange;
    TNotifyEvent OnResize;

protected:
    void BevelChanged() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend struct TTestPeer<TDispLEDPanel>;

    // Creates the digits from that slot on, linked into the row after those before it.
    void CreateDigits(int from);
    void RouteMouseEvents(TDispLEDDigit &digit);
    void ApplyZeroBlank();
    int ShownMagnitude() const;
    TDispCustomLEDDigit::TDispLEDType SignType() const;
    void Relayout();
    QSize LayoutSize() const;
    // Replaces any other size by the layout size; false when there was nothing to replace.
    bool FollowBounds();
    template <class Apply> void ForEachDigit(Apply apply);

    int m_value = 0;
    int m_minValue = 0;
    int m_maxValue = 100;
    int m_numDigits = 0;
    TDispCustomLEDDigit::TDispLEDSize m_digitSize = TDispCustomLEDDigit::ls13x21;
    int m_ledSpace = 1;
    TColor m_ledColor = clLime;
    TColor m_inactiveColor = clGreen;
    bool m_drawInactive = true;
    bool m_zeroBlank = false;
    std::array<TDispLEDDigit *, kMaxDigits> m_digits{};
};
