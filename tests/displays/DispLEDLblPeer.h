#pragma once

#include "displays/DispLEDLbl.h"

template <> struct TTestPeer<TDispLEDLabel>
{
    static bool Scrolling(const TDispLEDLabel &label) { return label.Scrolling(); }
    static void ScrollStep(TDispLEDLabel &label) { label.ScrollStep(); }
    static QString VisibleText(const TDispLEDLabel &label) { return label.VisibleText(); }
    static int Cell(ushort code) { return TDispLEDLabel::Cell(code); }
};
