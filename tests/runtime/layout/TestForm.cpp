#include "tests/runtime/layout/TestForm.h"

#include <QMetaEnum>

#include "tests/runtime/layout/TestJournal.h"

namespace {

// "Down B mbLeft SL 3,4": the event, its sender, its button, the held keys and buttons, the point.
void journalPointer(const char *event, QObject *sender, const char *button, TShiftState shift, int x, int y)
{
    QString held;
    const std::pair<TShiftState::TShiftFlag, char> letters[] = {
        {TShiftState::ssShift, 'S'}, {TShiftState::ssAlt, 'A'},    {TShiftState::ssCtrl, 'C'},
        {TShiftState::ssLeft, 'L'},  {TShiftState::ssRight, 'R'},  {TShiftState::ssMiddle, 'M'},
        {TShiftState::ssDouble, 'D'},
    };
    for (const auto &[flag, letter] : letters)
        if (shift.Contains(flag))
            held += QLatin1Char(letter);
    TTestJournal::Add(QStringLiteral("%1 %2 %3%4 %5,%6")
                          .arg(QLatin1String(event), sender->objectName(), QLatin1String(button),
                               held.isEmpty() ? QString() : QLatin1Char(' ') + held)
                          .arg(x)
                          .arg(y));
}

const char *buttonName(TControl::TMouseButton button)
{
    return QMetaEnum::fromType<TControl::TMouseButton>().valueToKey(button);
}

} // namespace

TTestForm::TTestForm(QWidget *parent) : QWidget(parent), m_font(new TTestFont(this))
{}

void TTestForm::BExitClick(QObject *Sender)
{
    TTestJournal::Add(QLatin1String("BExitClick ") + Sender->objectName());
}

void TTestForm::ItemClick(QObject *Sender)
{
    TTestJournal::Add(QLatin1String("ItemClick ") + Sender->objectName());
}

void TTestForm::StepTaken(QObject *Sender, int Step)
{
    TTestJournal::Add(QStringLiteral("StepTaken %1 %2").arg(Sender->objectName()).arg(Step));
}

void TTestForm::PointerDown(QObject *Sender, TControl::TMouseButton Button, TShiftState Shift, int X, int Y)
{
    journalPointer("Down", Sender, buttonName(Button), Shift, X, Y);
}

void TTestForm::PointerMoved(QObject *Sender, TShiftState Shift, int X, int Y)
{
    journalPointer("Move", Sender, "-", Shift, X, Y);
}

void TTestForm::PointerUp(QObject *Sender, TControl::TMouseButton Button, TShiftState Shift, int X, int Y)
{
    journalPointer("Up", Sender, buttonName(Button), Shift, X, Y);
}

void TTestForm::Loaded()
{
    TComponent::Loaded();
    TTestJournal::Add(objectName() + QLatin1String(".Loaded"));
}
