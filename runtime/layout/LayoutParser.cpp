#include "runtime/layout/LayoutParser.h"

#include <QSet>

#include "runtime/layout/LayoutError.h"
#include "runtime/layout/LayoutLexer.h"

namespace {

// Far deeper than any window; a bound keeps hostile text from exhausting the stack.
constexpr int kMaxDepth = 64;

class TLayoutParser
{
public:
    explicit TLayoutParser(const QString &text);

    TLayoutNode Root();

private:
    TLayoutNode Object(int depth);
    void Header(TLayoutNode &node);
    TLayoutProperty Property();
    TLayoutValue Value();
    TLayoutValue Set();
    TLayoutValue StringList();

    void Advance() { m_token = m_lexer.Next(); }
    QString ExpectIdentifier(const QString &what);
    void ExpectSymbol(QChar symbol);
    [[noreturn]] void Fail(const QString &what) const;

    TLayoutLexer m_lexer;
    TLayoutToken m_token;
    QSet<QString> m_names;
};

} // namespace

TLayoutNode ParseLayout(const QString &text)
{
    return TLayoutParser(text).Root();
}

TLayoutParser::TLayoutParser(const QString &text) : m_lexer(text)
{
    Advance();
}

TLayoutNode TLayoutParser::Root()
{
    TLayoutNode root = Object(0);
    if (m_token.IsWord("end"))
        Fail(QStringLiteral("'end' without an object"));
    if (m_token.type != TLayoutToken::Type::End)
        Fail(QStringLiteral("text after the end of the layout"));
    return root;
}

TLayoutNode TLayoutParser::Object(int depth)
{
    if (depth > kMaxDepth)
        Fail(QStringLiteral("objects nested too deeply"));
    TLayoutNode node;
    Header(node);
    for (;;) {
        if (m_token.type == TLayoutToken::Type::End)
            throw ELayoutError(node.line, QStringLiteral("'end' missing for object %1").arg(node.name));
        if (m_token.IsWord("end")) {
            Advance();
            return node;
        }
        if (m_token.IsWord("object"))
            node.children.push_back(Object(depth + 1));
        else if (m_token.type == TLayoutToken::Type::Identifier)
            node.properties.push_back(Property());
        else
            Fail(QStringLiteral("expected a property, an object or 'end'"));
    }
}

void TLayoutParser::Header(TLayoutNode &node)
{
    node.line = m_token.line;
    if (!m_token.IsWord("object"))
        Fail(QStringLiteral("expected 'object'"));
    Advance();
    node.name = ExpectIdentifier(QStringLiteral("an object name"));
    ExpectSymbol(u':');
    node.className = ExpectIdentifier(QStringLiteral("a class name"));
    const QString key = node.name.toLower();
    if (m_names.contains(key))
        throw ELayoutError(node.line, QStringLiteral("duplicate component name %1").arg(node.name));
    m_names.insert(key);
}

TLayoutProperty TLayoutParser::Property()
{
    TLayoutProperty property;
    property.line = m_token.line;
    property.path << ExpectIdentifier(QStringLiteral("a property name"));
    while (m_token.IsSymbol(u'.')) {
        Advance();
        property.path << ExpectIdentifier(QStringLiteral("a property name after '.'"));
    }
    ExpectSymbol(u'=');
    // The format is line-based: a value starts on its property's line, so a forgotten value is not
    // mistaken for the next line's first word.
    if (m_token.line != property.line)
        throw ELayoutError(property.line,
                           QStringLiteral("value missing for %1").arg(property.path.join(u'.')));
    property.value = Value();
    return property;
}

TLayoutValue TLayoutParser::Value()
{
    TLayoutValue value;
    switch (m_token.type) {
    case TLayoutToken::Type::Integer:
        value.kind = TLayoutValue::Kind::Integer;
        value.integer = m_token.integer;
        break;
    case TLayoutToken::Type::Float:
        value.kind = TLayoutValue::Kind::Float;
        value.number = m_token.number;
        break;
    case TLayoutToken::Type::String:
        value.kind = TLayoutValue::Kind::String;
        value.text = m_token.text;
        break;
    case TLayoutToken::Type::Identifier:
        value.kind = TLayoutValue::Kind::Identifier;
        value.text = m_token.text;
        break;
    case TLayoutToken::Type::Bytes:
        value.kind = TLayoutValue::Kind::Bytes;
        value.bytes = m_token.bytes;
        break;
    default:
        if (m_token.IsSymbol(u'['))
            return Set();
        if (m_token.IsSymbol(u'('))
            return StringList();
        Fail(QStringLiteral("expected a value"));
    }
    Advance();
    return value;
}

TLayoutValue TLayoutParser::Set()
{
    TLayoutValue value;
    value.kind = TLayoutValue::Kind::Set;
    Advance();
    while (!m_token.IsSymbol(u']')) {
        if (!value.items.isEmpty())
            ExpectSymbol(u',');
        value.items << ExpectIdentifier(QStringLiteral("a set element"));
    }
    Advance();
    return value;
}

TLayoutValue TLayoutParser::StringList()
{
    TLayoutValue value;
    value.kind = TLayoutValue::Kind::StringList;
    Advance();
    while (!m_token.IsSymbol(u')')) {
        if (m_token.type != TLayoutToken::Type::String)
            Fail(QStringLiteral("expected a string in a string list"));
        value.items << m_token.text;
        Advance();
    }
    Advance();
    return value;
}

QString TLayoutParser::ExpectIdentifier(const QString &what)
{
    if (m_token.type != TLayoutToken::Type::Identifier)
        Fail(QStringLiteral("expected %1").arg(what));
    QString text = m_token.text;
    Advance();
    return text;
}

void TLayoutParser::ExpectSymbol(QChar symbol)
{
    if (!m_token.IsSymbol(symbol))
        Fail(QStringLiteral("expected '%1'").arg(symbol));
    Advance();
}

void TLayoutParser::Fail(const QString &what) const
{
    throw ELayoutError(m_token.line, what);
}
