#include "runtime/layout/LayoutLexer.h"

#include "runtime/layout/LayoutError.h"

namespace {

bool isIdentStart(QChar c)
{
    return c.isLetter() || c == u'_';
}

bool isIdentPart(QChar c)
{
    return isIdentStart(c) || c.isDigit();
}

bool isDecimal(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int hexDigit(QChar c)
{
    if (isDecimal(c))
        return c.unicode() - u'0';
    const char16_t lower = QChar::toLower(c.unicode());
    return lower >= u'a' && lower <= u'f' ? lower - u'a' + 10 : -1;
}

} // namespace

bool TLayoutToken::IsWord(const char *word) const
{
    return type == Type::Identifier && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

TLayoutToken TLayoutLexer::Next()
{
    SkipBlanks();
    if (AtEnd())
        return Make(TLayoutToken::Type::End);
    const QChar c = Peek();
    if (isIdentStart(c))
        return Identifier();
    if (isDecimal(c) || c == u'$' || ((c == u'-' || c == u'+') && (isDecimal(Peek(1)) || Peek(1) == u'$')))
        return Number();
    if (c == u'\'' || c == u'#')
        return String();
    if (c == u'{')
        return Bytes();
    if (QStringView(u"=:.,[]()").contains(c)) {
        ++m_pos;
        return Make(TLayoutToken::Type::Symbol, QString(c));
    }
    Fail(QStringLiteral("unexpected character '%1'").arg(c));
}

QChar TLayoutLexer::Peek(int ahead) const
{
    const qsizetype at = m_pos + ahead;
    return at < m_text.size() ? m_text.at(at) : QChar();
}

void TLayoutLexer::SkipBlanks()
{
    while (!AtEnd()) {
        const QChar c = Peek();
        if (c == u'\n')
            ++m_line;
        if (c == u'/' && Peek(1) == u'/') {
            while (!AtEnd() && Peek() != u'\n')
                ++m_pos;
            continue;
        }
        if (!c.isSpace())
            return;
        ++m_pos;
    }
}

void TLayoutLexer::Fail(const QString &what) const
{
    throw ELayoutError(m_line, what);
}

TLayoutToken TLayoutLexer::Identifier()
{
    const qsizetype start = m_pos;
    while (!AtEnd() && isIdentPart(Peek()))
        ++m_pos;
    return Make(TLayoutToken::Type::Identifier, m_text.mid(start, m_pos - start));
}

TLayoutToken TLayoutLexer::Number()
{
    const qsizetype start = m_pos;
    const bool negative = Peek() == u'-';
    if (Peek() == u'-' || Peek() == u'+')
        ++m_pos;
    if (Peek() == u'$')
        return HexNumber(negative);
    bool isFloat = false;
    while (!AtEnd() && (isDecimal(Peek()) || Peek() == u'.' || Peek().toLower() == u'e')) {
        if (Peek().toLower() == u'e' && (Peek(1) == u'-' || Peek(1) == u'+'))
            ++m_pos;
        isFloat = isFloat || !isDecimal(Peek());
        ++m_pos;
    }
    const QString text = m_text.mid(start, m_pos - start);
    if (!AtEnd() && isIdentPart(Peek()))
        Fail(QStringLiteral("bad number '%1'").arg(text + Peek()));
    bool ok = false;
    TLayoutToken token = Make(isFloat ? TLayoutToken::Type::Float : TLayoutToken::Type::Integer, text);
    if (isFloat)
        token.number = text.toDouble(&ok);
    else
        token.integer = text.toLongLong(&ok);
    if (!ok)
        Fail(QStringLiteral("bad or out of range number '%1'").arg(text));
    return token;
}

TLayoutToken TLayoutLexer::HexNumber(bool negative)
{
    ++m_pos;
    const qsizetype start = m_pos;
    while (!AtEnd() && isIdentPart(Peek()))
        ++m_pos;
    const QString digits = m_text.mid(start, m_pos - start);
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok, 16);
    if (!ok)
        Fail(QStringLiteral("bad or out of range hexadecimal number '$%1'").arg(digits));
    TLayoutToken token = Make(TLayoutToken::Type::Integer, QLatin1Char('$') + digits);
    token.integer = negative ? -value : value;
    return token;
}

TLayoutToken TLayoutLexer::String()
{
    QString value;
    while (Peek() == u'\'' || Peek() == u'#') {
        if (Peek() == u'\'')
            QuotedPart(value);
        else
            CharCode(value);
    }
    return Make(TLayoutToken::Type::String, value);
}

void TLayoutLexer::QuotedPart(QString &out)
{
    ++m_pos;
    for (;;) {
        if (AtEnd() || Peek() == u'\n')
            Fail(QStringLiteral("string not closed"));
        const QChar c = m_text.at(m_pos++);
        if (c != u'\'') {
            out += c;
        } else if (Peek() == u'\'') {
            out += c;
            ++m_pos;
        } else {
            return;
        }
    }
}

void TLayoutLexer::CharCode(QString &out)
{
    ++m_pos;
    const bool hex = Peek() == u'$';
    if (hex)
        ++m_pos;
    const qsizetype start = m_pos;
    while (!AtEnd() && (hex ? hexDigit(Peek()) >= 0 : isDecimal(Peek())))
        ++m_pos;
    bool ok = false;
    const uint code = m_text.mid(start, m_pos - start).toUInt(&ok, hex ? 16 : 10);
    if (!ok || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        Fail(QStringLiteral("bad character code in string"));
    const char32_t ucs4 = code;
    out += QString::fromUcs4(&ucs4, 1);
}

TLayoutToken TLayoutLexer::Bytes()
{
    TLayoutToken token = Make(TLayoutToken::Type::Bytes);
    ++m_pos;
    QByteArray hexText;
    for (;;) {
        SkipBlanks();
        if (AtEnd())
            throw ELayoutError(token.line, QStringLiteral("byte block not closed"));
        const QChar c = m_text.at(m_pos++);
        if (c == u'}')
            break;
        if (hexDigit(c) < 0)
            Fail(QStringLiteral("bad character '%1' in byte block").arg(c));
        hexText += char(c.unicode());
    }
    if (hexText.size() % 2 != 0)
        throw ELayoutError(token.line, QStringLiteral("byte block has an odd number of hexadecimal digits"));
    token.bytes = QByteArray::fromHex(hexText);
    return token;
}

TLayoutToken TLayoutLexer::Make(TLayoutToken::Type type, QString text) const
{
    TLayoutToken token;
    token.type = type;
    token.text = std::move(text);
    token.line = m_line;
    return token;
}
