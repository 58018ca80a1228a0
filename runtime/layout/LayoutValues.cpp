#include "runtime/layout/LayoutValues.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>
#include <type_traits>
#include <utility>

#include <QLocale>
#include <QMetaEnum>

#include "runtime/Color.h"
#include "runtime/Exception.h"

namespace {

// Bytes per line of a written byte block.
constexpr int kBytesPerLine = 32;

using Kind = TLayoutValue::Kind;
using Range = std::pair<qint64, qint64>;

template <class T> Range rangeOf()
{
    using Limits = std::numeric_limits<T>;
    // The text holds signed 64-bit numbers, which caps the widest unsigned types.
    if constexpr (std::is_unsigned_v<T> && sizeof(T) >= sizeof(qint64))
        return {0, std::numeric_limits<qint64>::max()};
    else
        return {qint64(Limits::min()), qint64(Limits::max())};
}

std::optional<Range> integerRange(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
        return rangeOf<int>();
    case QMetaType::UInt:
        return rangeOf<uint>();
    case QMetaType::LongLong:
        return rangeOf<qlonglong>();
    case QMetaType::ULongLong:
        return rangeOf<qulonglong>();
    case QMetaType::Long:
        return rangeOf<long>();
    case QMetaType::ULong:
        return rangeOf<ulong>();
    case QMetaType::Short:
        return rangeOf<short>();
    case QMetaType::UShort:
        return rangeOf<ushort>();
    case QMetaType::Char:
        return rangeOf<char>();
    case QMetaType::SChar:
        return rangeOf<signed char>();
    case QMetaType::UChar:
        return rangeOf<uchar>();
    default:
        return std::nullopt;
    }
}

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Integer:
        return QStringLiteral("an integer");
    case Kind::Float:
        return QStringLiteral("a number");
    case Kind::String:
        return QStringLiteral("a string");
    case Kind::Identifier:
        return QStringLiteral("a name");
    case Kind::Set:
        return QStringLiteral("a set");
    case Kind::StringList:
        return QStringLiteral("a string list");
    case Kind::Bytes:
        return QStringLiteral("a byte block");
    }
    return {};
}

void expect(const TLayoutValue &value, Kind kind, const QString &wanted)
{
    if (value.kind != kind)
        throw Exception(QStringLiteral("expected %1, found %2").arg(wanted, kindName(value.kind)));
}

QVariant converted(QVariant value, const QMetaType &type)
{
    if (!value.convert(type))
        throw Exception(QStringLiteral("value does not fit type %1").arg(QLatin1String(type.name())));
    return value;
}

std::optional<bool> boolean(const TLayoutValue &value)
{
    if (value.kind != Kind::Identifier)
        return std::nullopt;
    if (value.text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (value.text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

QString enumKey(const QMetaEnum &enumerator, int key)
{
    return QString::fromLatin1(enumerator.key(key));
}

QVariant enumeratorValue(const QMetaProperty &property, const TLayoutValue &value)
{
    expect(value, Kind::Identifier, QStringLiteral("an enumerator name"));
    bool ok = false;
    const int number = property.enumerator().keyToValue(value.text.toLatin1().constData(), &ok);
    if (!ok)
        throw Exception(QStringLiteral("unknown enumerator %1").arg(value.text));
    return converted(QVariant(number), property.metaType());
}

QVariant flagsValue(const QMetaProperty &property, const TLayoutValue &value)
{
    expect(value, Kind::Set, QStringLiteral("a set"));
    int bits = 0;
    for (const QString &item : value.items) {
        bool ok = false;
        bits |= property.enumerator().keyToValue(item.toLatin1().constData(), &ok);
        if (!ok)
            throw Exception(QStringLiteral("unknown set element %1").arg(item));
    }
    return converted(QVariant(bits), property.metaType());
}

QVariant colorValue(const TLayoutValue &value)
{
    if (value.kind == Kind::Identifier) {
        const std::optional<TColor> color = TColor::FromName(value.text);
        if (!color)
            throw Exception(QStringLiteral("unknown colour %1").arg(value.text));
        return QVariant::fromValue(*color);
    }
    expect(value, Kind::Integer, QStringLiteral("a colour"));
    // Negative values are the same 32 bits written signed.
    if (value.integer < std::numeric_limits<qint32>::min() ||
        value.integer > std::numeric_limits<quint32>::max())
        throw Exception(QStringLiteral("colour %1 out of range").arg(value.integer));
    return QVariant::fromValue(TColor(uint32_t(value.integer)));
}

QVariant integerValue(const QMetaType &type, const TLayoutValue &value)
{
    const std::optional<Range> range = integerRange(type.id());
    if (!range)
        throw Exception(
            QStringLiteral("properties of type %1 cannot be stored").arg(QLatin1String(type.name())));
    expect(value, Kind::Integer, QStringLiteral("an integer"));
    if (value.integer < range->first || value.integer > range->second)
        throw Exception(
            QStringLiteral("%1 out of range %2..%3").arg(value.integer).arg(range->first).arg(range->second));
    return converted(QVariant(value.integer), type);
}

QVariant numberValue(const QMetaType &type, const TLayoutValue &value)
{
    if (value.kind == Kind::Integer)
        return converted(QVariant(double(value.integer)), type);
    expect(value, Kind::Float, QStringLiteral("a number"));
    if (type.id() == QMetaType::Float && std::fabs(value.number) > FLT_MAX)
        throw Exception(QStringLiteral("%1 out of range").arg(value.number));
    return converted(QVariant(value.number), type);
}

QVariant plainValue(const QMetaType &type, const TLayoutValue &value)
{
    switch (type.id()) {
    case QMetaType::Bool:
        if (const auto flag = boolean(value))
            return QVariant(*flag);
        throw Exception(QStringLiteral("expected True or False"));
    case QMetaType::Double:
    case QMetaType::Float:
        return numberValue(type, value);
    case QMetaType::QString:
        expect(value, Kind::String, QStringLiteral("a string"));
        return QVariant(value.text);
    case QMetaType::QByteArray:
        expect(value, Kind::Bytes, QStringLiteral("a byte block"));
        return QVariant(value.bytes);
    case QMetaType::QStringList:
        expect(value, Kind::StringList, QStringLiteral("a string list"));
        return QVariant(value.items);
    default:
        return integerValue(type, value);
    }
}

QString enumeratorText(const QMetaProperty &property, const QVariant &value)
{
    const char *key = property.enumerator().valueToKey(value.toInt());
    if (!key)
        throw Exception(QStringLiteral("%1 holds %2, which no enumerator names")
                            .arg(QLatin1String(property.name()))
                            .arg(value.toInt()));
    return QString::fromLatin1(key);
}

QString flagsText(const QMetaProperty &property, const QVariant &value)
{
    const QMetaEnum enumerator = property.enumerator();
    const int bits = value.toInt();
    QStringList names;
    // Single-bit keys only, in declaration order, so that combined keys do not repeat their parts.
    for (int i = 0; i < enumerator.keyCount(); ++i) {
        const int flag = enumerator.value(i);
        if (flag != 0 && (flag & (flag - 1)) == 0 && (bits & flag) == flag)
            names << enumKey(enumerator, i);
    }
    return QLatin1Char('[') + names.join(QLatin1String(", ")) + QLatin1Char(']');
}

QString numberText(double value)
{
    if (!std::isfinite(value))
        throw Exception(QStringLiteral("%1 cannot be stored").arg(value));
    QString text = QString::number(value, 'g', QLocale::FloatingPointShortest);
    // Keep it a number with a fraction, so that it reads back as one.
    if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e')))
        text += QLatin1String(".0");
    return text;
}

QString stringText(const QString &value)
{
    QString text;
    bool quoted = false;
    for (const QChar c : value) {
        const bool printable = c.unicode() >= 0x20 && c.unicode() != 0x7F;
        if (printable != quoted) {
            text += QLatin1Char('\'');
            quoted = printable;
        }
        if (!printable)
            text += QLatin1Char('#') + QString::number(c.unicode());
        else
            text += c == u'\'' ? QStringLiteral("''") : QString(c);
    }
    if (quoted || text.isEmpty())
        text += text.isEmpty() ? QStringLiteral("''") : QStringLiteral("'");
    return text;
}

QString bytesText(const QByteArray &value, const QString &indent)
{
    QString text = QStringLiteral("{");
    for (qsizetype at = 0; at < value.size(); at += kBytesPerLine)
        text +=
            QLatin1Char('\n') + indent + QString::fromLatin1(value.mid(at, kBytesPerLine).toHex().toUpper());
    return text + QLatin1Char('}');
}

QString listText(const QStringList &value, const QString &indent)
{
    QString text = QStringLiteral("(");
    for (const QString &item : value)
        text += QLatin1Char('\n') + indent + stringText(item);
    return text + QLatin1Char(')');
}

} // namespace

QVariant LayoutValues::ForProperty(const QMetaProperty &property, const TLayoutValue &value)
{
    if (property.isFlagType())
        return flagsValue(property, value);
    if (property.isEnumType())
        return enumeratorValue(property, value);
    if (property.metaType() == QMetaType::fromType<TColor>())
        return colorValue(value);
    return plainValue(property.metaType(), value);
}

QVariant LayoutValues::Natural(const TLayoutValue &value)
{
    switch (value.kind) {
    case Kind::Integer:
        return QVariant(value.integer);
    case Kind::Float:
        return QVariant(value.number);
    case Kind::Identifier:
        if (const auto flag = boolean(value))
            return QVariant(*flag);
        return QVariant(value.text);
    case Kind::String:
        return QVariant(value.text);
    case Kind::Set:
    case Kind::StringList:
        return QVariant(value.items);
    case Kind::Bytes:
        return QVariant(value.bytes);
    }
    return {};
}

QString LayoutValues::Text(const QMetaProperty &property, const QVariant &value, const QString &indent)
{
    if (property.isFlagType())
        return flagsText(property, value);
    if (property.isEnumType())
        return enumeratorText(property, value);
    if (property.metaType() == QMetaType::fromType<TColor>()) {
        const TColor color = value.value<TColor>();
        return color.Name().value_or(QString::number(color.Value()));
    }
    return Text(value, indent);
}

QString LayoutValues::Text(const QVariant &value, const QString &indent)
{
    const int type = value.metaType().id();
    if (integerRange(type))
        return type == QMetaType::ULongLong || type == QMetaType::ULong ? QString::number(value.toULongLong())
                                                                        : QString::number(value.toLongLong());
    switch (type) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(value.toDouble());
    case QMetaType::QString:
        return stringText(value.toString());
    case QMetaType::QByteArray:
        return bytesText(value.toByteArray(), indent);
    case QMetaType::QStringList:
        return listText(value.toStringList(), indent);
    default:
        throw Exception(
            QStringLiteral("a value of type %1 cannot be stored").arg(QLatin1String(value.typeName())));
    }
}
