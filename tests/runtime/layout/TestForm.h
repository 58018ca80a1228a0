#pragma once

#include <QWidget>

#include "runtime/Bound.h"
#include "runtime/Color.h"
#include "runtime/Component.h"
#include "runtime/Control.h"
#include "tests/runtime/layout/TestControl.h"
#include "tests/runtime/layout/TestFont.h"

// The root of a test layout: a form with properties, a sub-object and handlers bound by name.
class TTestForm : public QWidget, public TComponent
{
    Q_OBJECT
    Q_PROPERTY(int ClientWidth READ ClientWidth WRITE SetClientWidth)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TTestFont *Font READ Font)

public:
    explicit TTestForm(QWidget *parent = nullptr);

    int ClientWidth() const { return m_clientWidth; }
    void SetClientWidth(int width) { m_clientWidth = width; }
    TColor Color() const { return m_color; }
    void SetColor(TColor color) { m_color = color; }
    TTestFont *Font() const { return m_font; }

    Q_INVOKABLE void BExitClick(QObject *Sender);
    Q_INVOKABLE void ItemClick(QObject *Sender);
    Q_INVOKABLE void StepTaken(QObject *Sender, int Step);
    Q_INVOKABLE void PointerDown(QObject *Sender, TControl::TMouseButton Button, TShiftState Shift, int X, int Y);
    Q_INVOKABLE void PointerMoved(QObject *Sender, TShiftState Shift, int X, int Y);
    Q_INVOKABLE void PointerUp(QObject *Sender, TControl::TMouseButton Button, TShiftState Shift, int X, int Y);

    void Loaded() override;

private:
    int m_clientWidth = 0;
    TColor m_color = clBtnFace;
    TTestFont *m_font;
};

// A window that reaches one of its controls through a bound member.
class TBoundTestForm : public TTestForm
{
    Q_OBJECT

public:
    using TTestForm::TTestForm;

    TBound<TTestControl> B{this, "B"};
};
