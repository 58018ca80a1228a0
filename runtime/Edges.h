#pragma once

#include <QRect>

#include "runtime/Color.h"

class QPainter;

// The one painter of bevels, frames and button edges: `rings` rings of one pixel round r, each with its top
// and left sides in `topLeft` and its right and bottom sides in `bottomRight`, which also take the top-right
// and bottom-left corners. A ring that has no room is not drawn. Returns the rectangle inside the rings.
QRect DrawEdges(QPainter &painter, QRect r, int rings, TColor topLeft, TColor bottomRight);
