#pragma once

#include <QString>

// Text trimming of the layer. Leading: spaces only. Trailing: spaces and the control codes 0 to 2; a text
// made of nothing else comes back unchanged from StripTrailing, so StripBoth relies on StripLeading to
// empty a text of spaces.
QString StripLeading(const QString &text);
QString StripTrailing(const QString &text);
QString StripBoth(const QString &text);
