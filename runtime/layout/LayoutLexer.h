#pragma once

#include <QByteArray>
#include <QString>

// One token of the layout text.
struct TLayoutToken
{
    enum class Type
    {
        Identifier,
        Integer,
        Float,
        String,
        Bytes,
        Symbol, // = : . , [ ] ( )
        End,
    };

    Type type = Type::End;
    QString text;
    qint64 integer = 0;
    double number = 0;
    QByteArray bytes;
    int line = 1;

    bool Is(Type t, QChar symbol) const { return type == t && text == symbol; }
    bool IsSymbol(QChar symbol) const { return Is(Type::Symbol, symbol); }
    bool IsWord(const char *word) const;
};

// Cuts the layout text into tokens. Strings and byte blocks are whole tokens, so that a `//` inside a
// string is no comment and a byte block may span lines. Bad text throws ELayoutError.
class TLayoutLexer
{
public:
    explicit TLayoutLexer(const QString &text) : m_text(text) {}

    TLayoutToken Next();

private:
    QChar Peek(int ahead = 0) const;
    bool AtEnd() const { return m_pos >= m_text.size(); }
    void SkipBlanks();
    [[noreturn]] void Fail(const QString &what) const;

    TLayoutToken Identifier();
    TLayoutToken Number();
    TLayoutToken HexNumber(bool negative);
    TLayoutToken String();
    void QuotedPart(QString &out);
    void CharCode(QString &out);
    TLayoutToken Bytes();
    TLayoutToken Make(TLayoutToken::Type type, QString text = {}) const;

    QString m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
};
