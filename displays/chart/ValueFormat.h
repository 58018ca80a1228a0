#pragma once

#include <QString>

// Formats a number by a picture such as "#,##0.###": the zeros are digits always written, the hashes digits
// written only when they are not trailing zeros, a comma asks for thousands separators. NaN and infinities
// read "NAN", "INF" and "-INF".
QString FormatValue(double value, const QString &picture);
