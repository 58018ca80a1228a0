#pragma once

#include <QString>

class QObject;

// Builds a window from its stored layout: the root (the form, made by its own class) gets its name and
// properties, nested blocks become components made through the class registry. Throws ELayoutError on
// bad input, after deleting everything it had made; the caller then discards the root.
void ReadLayout(QObject *root, const QString &text);
