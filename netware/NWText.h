#pragma once

#include <QString>

// Text helpers of the layer. Texts are 8-bit; unlike the short strings these helpers once worked on, they
// take texts of any length and never cut one at 255 characters.
//
// Trimming. Leading: spaces only. Trailing: spaces and the control codes 0 to 2; a text made of nothing else
// comes back unchanged from StripTrailing, so StripBoth relies on StripLeading to empty a text of spaces.
QString StripLeading(const QString &text);
QString StripTrailing(const QString &text);
QString StripBoth(const QString &text);

// The first n characters, all of them when the text is shorter, none for a negative n.
QString LeadingChars(const QString &text, qsizetype n);
// Every occurrence of find replaced, letter case ignored, scanning left to right. The scan goes on after
// each replacement, never into it, so a replacement that contains find is not replaced again. An empty
// find changes nothing.
QString ReplaceText(const QString &text, const QString &find, const QString &replacement);
// Upper case within the 8-bit character set: a letter without an 8-bit capital (sharp s, y with diaeresis,
// micro sign) stays as it is, so the text keeps its length and every character.
QString UpperText(const QString &text);
