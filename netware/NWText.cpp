#include "netware/NWText.h"

namespace {

bool isTrailingFill(QChar c)
{
    return c.unicode() <= 2 || c == QLatin1Char(' ');
}

QChar upper(QChar c)
{
    const char16_t code = c.unicode();
    const bool ascii = code >= u'a' && code <= u'z';
    // Latin-1 small letters from a-grave to thorn, less the division sign.
    const bool latin = code >= 0xE0 && code <= 0xFE && code != 0xF7;
    return ascii || latin ? QChar(char16_t(code - 0x20)) : c;
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

QString LeadingChars(const QString &text, qsizetype n)
{
    return text.left(std::max<qsizetype>(n, 0));
}

QString ReplaceText(const QString &text, const QString &find, const QString &replacement)
{
    if (find.isEmpty())
        return text;
    const QString wanted = UpperText(find);
    const QString upper = UpperText(text);
    QString result;
    qsizetype i = 0;
    while (i < text.size()) {
        if (QStringView(upper).mid(i, wanted.size()) == wanted) {
            result += replacement;
            i += wanted.size();
        } else {
            result += text.at(i++);
        }
    }
    return result;
}

QString UpperText(const QString &text)
{
    QString result = text;
    for (QChar &c : result)
        c = upper(c);
    return result;
}
