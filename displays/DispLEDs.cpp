#include "displays/DispLEDs.h"

#include <algorithm>

#include <QResizeEvent>

#include "runtime/ErrorBox.h"

TDispLEDPanel::TDispLEDPanel(QWidget *parent) : TDispCustomPanel(parent)
{
    PublishEvent(QStringLiteral("OnChange"), OnChange);
    PublishEvent(QStringLiteral("OnResize"), OnResize);
    SetColor(clBlack);
    SetNumDigits(2);
}

template <class Apply> void TDispLEDPanel::ForEachDigit(Apply apply)
{
    for (int k = 0; k < m_numDigits; ++k)
        apply(*m_digits[k]);
}

void TDispLEDPanel::SetValue(int value)
{
    value = value < m_minValue ? m_minValue : std::min(value, m_maxValue);
    if (value == m_value)
        return;
    m_value = value;
    ApplyZeroBlank();
    // The digits that change repaint at once, together, in one paint.
    std::vector<TDispCustomLEDDigit *> changed;
    ForEachDigit([&changed](TDispLEDDigit &digit) { digit.CollectRepaints(&changed); });
    m_digits[0]->SetValue(ShownMagnitude());
    ForEachDigit([](TDispLEDDigit &digit) { digit.CollectRepaints(nullptr); });
    for (TDispCustomLEDDigit *digit : changed)
        digit->update();
    if (!changed.empty())
        changed.back()->repaint();
    m_digits[m_numDigits - 1]->SetDisplayType(SignType());
    if (!Loading())
        CallHandler(OnChange, this);
}

void TDispLEDPanel::SetMinValue(int minValue)
{
    if (minValue == m_minValue)
        return;
    m_minValue = minValue;
    if (m_value < minValue)
        SetValue(minValue);
    Invalidate();
}

void TDispLEDPanel::SetMaxValue(int maxValue)
{
    if (maxValue == m_maxValue)
        return;
    m_maxValue = maxValue;
    if (m_value > maxValue)
        SetValue(maxValue);
    Invalidate();
}

void TDispLEDPanel::SetNumDigits(int count)
{
    if (count < 1 || count > kMaxDigits || count == m_numDigits)
        return;
    // The digits both counts share stay; the last one's link to a digit that goes clears itself.
    for (int k = count; k < m_numDigits; ++k)
        delete std::exchange(m_digits[k], nullptr);
    const int kept = std::min(count, m_numDigits);
    m_numDigits = count;
    CreateDigits(kept);
    Relayout();
}

void TDispLEDPanel::CreateDigits(int from)
{
    for (int k = from; k < m_numDigits; ++k) {
        auto *digit = new TDispLEDDigit(this);
        digit->SetCascadeValues(true);
        digit->SetEnabled(Enabled());
        digit->SetDigitSize(m_digitSize);
        digit->SetInactiveColor(m_inactiveColor);
        digit->SetLEDColor(m_ledColor);
        digit->SetDrawInactive(m_drawInactive);
        RouteMouseEvents(*digit);
        m_digits[k] = digit;
        if (k > 0)
            m_digits[k - 1]->SetConnect(digit);
    }
    // The sign moves to whichever digit is now the last.
    for (int k = 0; k < m_numDigits; ++k)
        m_digits[k]->SetDisplayType(k == m_numDigits - 1 ? SignType() : TDispCustomLEDDigit::ltDigit);
    m_digits[0]->SetValue(ShownMagnitude());
    ApplyZeroBlank();
}

// The panel answers for its digits, with the coordinates of the digit that was hit.
void TDispLEDPanel::RouteMouseEvents(TDispLEDDigit &digit)
{
    digit.OnClick = [this](QObject *) { Click(); };
    digit.OnDblClick = [this](QObject *) { DblClick(); };
    digit.OnMouseDown = [this](QObject *, TMouseButton button, TShiftState shift, int x, int y) {
        MouseDown(button, shift, x, y);
    };
    digit.OnMouseMove = [this](QObject *, TShiftState shift, int x, int y) { MouseMove(shift, x, y); };
    digit.OnMouseUp = [this](QObject *, TMouseButton button, TShiftState shift, int x, int y) {
        MouseUp(button, shift, x, y);
    };
}

void TDispLEDPanel::SetDigitSize(TDispCustomLEDDigit::TDispLEDSize size)
{
    if (size == m_digitSize || size < TDispCustomLEDDigit::ls06x07 || size > TDispCustomLEDDigit::ls23x41)
        return;
    m_digitSize = size;
    ForEachDigit([size](TDispLEDDigit &digit) { digit.SetDigitSize(size); });
    Relayout();
}

void TDispLEDPanel::SetLEDSpace(int space)
{
    if (space <= 0 || space == m_ledSpace)
        return;
    m_ledSpace = space;
    Relayout();
}

void TDispLEDPanel::SetLEDColor(TColor color)
{
    if (color == m_ledColor)
        return;
    m_ledColor = color;
    ForEachDigit([color](TDispLEDDigit &digit) { digit.SetLEDColor(color); });
}

void TDispLEDPanel::SetInactiveColor(TColor color)
{
    if (color == m_inactiveColor)
        return;
    m_inactiveColor = color;
    ForEachDigit([color](TDispLEDDigit &digit) { digit.SetInactiveColor(color); });
}

void TDispLEDPanel::SetDrawInactive(bool drawInactive)
{
    if (drawInactive == m_drawInactive)
        return;
    m_drawInactive = drawInactive;
    ForEachDigit([drawInactive](TDispLEDDigit &digit) { digit.SetDrawInactive(drawInactive); });
}

void TDispLEDPanel::SetZeroBlank(bool zeroBlank)
{
    m_zeroBlank = zeroBlank;
    ApplyZeroBlank();
}

void TDispLEDPanel::SetEnabled(bool enabled)
{
    if (enabled == Enabled())
        return;
    TControl::SetEnabled(enabled);
    ForEachDigit([enabled](TDispLEDDigit &digit) { digit.SetEnabled(enabled); });
}

TDispCustomLEDDigit::TDispLEDType TDispLEDPanel::SignType() const
{
    return m_value < 0 ? TDispCustomLEDDigit::ltMinus : TDispCustomLEDDigit::ltDigit;
}

// The digits show at most nine places; taken unsigned, the most negative value has a magnitude too.
int TDispLEDPanel::ShownMagnitude() const
{
    const unsigned magnitude = m_value < 0 ? 0u - unsigned(m_value) : unsigned(m_value);
    return int(magnitude % 1000000000u);
}

// A digit blanks only when its own value is 0, so switching blanking on from the first digit beyond the
// value's magnitude blanks exactly the leading zeros.
void TDispLEDPanel::ApplyZeroBlank()
{
    m_digits[0]->SetZeroBlank(false);
    int k = 1;
    if (m_zeroBlank) {
        const long long magnitude = std::llabs(static_cast<long long>(m_value));
        for (long long w = 10; w < magnitude && k < m_numDigits - 1; w *= 10)
            m_digits[k++]->SetZeroBlank(false);
    }
    for (; k < m_numDigits; ++k)
        m_digits[k]->SetZeroBlank(m_zeroBlank);
}

QSize TDispLEDPanel::LayoutSize() const
{
    const int b = Bevel()->BevelExtent();
    const TDispLEDDigit *ones = m_digits[0];
    return QSize(2 * b + (ones->width() + m_ledSpace) * m_numDigits - m_ledSpace, 2 * b + ones->height());
}

void TDispLEDPanel::Relayout()
{
    if (Loading() || !m_digits[0])
        return;
    const QSize size = LayoutSize();
    const int b = Bevel()->BevelExtent();
    int x = b;
    for (int k = m_numDigits - 1; k >= 0; --k) {
        m_digits[k]->move(x, b);
        x += m_digits[k]->width() + m_ledSpace;
    }
    if (size == this->size())
        Invalidate();
    else
        resize(size);
}

void TDispLEDPanel::SetWidth(int width)
{
    TDispCustomPanel::SetWidth(width);
    FollowBounds();
}

void TDispLEDPanel::SetHeight(int height)
{
    TDispCustomPanel::SetHeight(height);
    FollowBounds();
}

// A hidden panel hears of its new size only when it is shown, so a size asked for is replaced at once.
bool TDispLEDPanel::FollowBounds()
{
    if (Loading() || !m_digits[0] || size() == LayoutSize())
        return false;
    resize(LayoutSize());
    return true;
}

void TDispLEDPanel::Loaded()
{
    TDispCustomPanel::Loaded();
    Relayout();
}

void TDispLEDPanel::BevelChanged()
{
    Relayout();
}

void TDispLEDPanel::resizeEvent(QResizeEvent *event)
{
    TDispCustomPanel::resizeEvent(event);
    if (!FollowBounds())
        CallHandler(OnResize, this);
}
