#include "tests/runtime/layout/TestForm.h"

#include "tests/runtime/layout/TestJournal.h"

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

void TTestForm::Loaded()
{
    TComponent::Loaded();
    TTestJournal::Add(objectName() + QLatin1String(".Loaded"));
}
