#include "netware/NWText.h"

namespace {

bool isTrailingFill(QChar c)
{
    return c.unicode() <= 2 || c == QLatin1Char(' ');
}

} // namespace

QString StripLeading(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text.at(i) != QLatin1Char(' '))
            return text.mid(i);
    return {};
}

QString StripTrailing(const QString &text)
{
    for (qsizetype i = text.size() - 1; i >= 0; --i)
        if (!isTrailingFill(text.at(i)))
            return text.left(i + 1);
    return text;
}

QString StripBoth(const QString &text)
{
    return StripLeading(StripTrailing(text));
}
