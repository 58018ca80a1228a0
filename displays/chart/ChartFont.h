#pragma once

#include <functional>

class QObject;
class TFont;

// The chart's default font ("Arial", 8 points, black), owned by `parent`, calling `changed` on every
// change.
TFont *NewChartFont(QObject *parent, std::function<void()> changed);
