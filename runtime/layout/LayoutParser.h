#pragma once

#include <QString>

#include "runtime/layout/LayoutNode.h"

// Reads the layout text into a tree of blocks without creating anything, so that a syntax error never
// leaves objects behind. Bad text throws ELayoutError.
TLayoutNode ParseLayout(const QString &text);
