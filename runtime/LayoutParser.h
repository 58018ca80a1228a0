#pragma once

#include <QSet>
#include <QString>

#include "runtime/LayoutLexer.h"
#include "runtime/LayoutNode.h"

// Reads the layout text into a tree of blocks without creating anything, so that a syntax error never
// leaves objects behind. Bad text throws ELayoutError.
class TLayoutParser
{
public:
    static TLayoutNode Parse(const QString &text);

private:
    explicit TLayoutParser(const QString &text);

    TLayoutNode Root();
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
