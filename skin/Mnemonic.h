#pragma once

#include <QString>

class QWidget;

// The shortcut of a caption's accelerator character (the one after '&'), held by the widget: releases
// the former one and returns the new shortcut's id, 0 when the caption has none.
int GrabMnemonic(QWidget *widget, int formerId, const QString &caption);
