#include "displays/chart/ValueFormat.h"

#include <algorithm>
#include <cmath>

namespace {

// Far more than a double has digits; a longer picture adds only zeros.
constexpr int kMaxDecimals = 17;

struct TPicture
{
    int minIntegerDigits = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
    bool thousands = false;
};

TPicture parse(const QString &picture)
{
    TPicture parsed;
    const qsizetype point = picture.indexOf(u'.');
    const QString integer = point < 0 ? picture : picture.left(point);
    const QString fraction = point < 0 ? QString() : picture.mid(point + 1);
    parsed.minIntegerDigits = int(integer.count(u'0'));
    parsed.thousands = integer.contains(u',');
    parsed.minDecimals = std::min(int(fraction.count(u'0')), kMaxDecimals);
    parsed.maxDecimals = std::min(int(fraction.count(u'0') + fraction.count(u'#')), kMaxDecimals);
    return parsed;
}

QString grouped(const QString &digits)
{
    QString out;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += u',';
        out += digits.at(i);
    }
    return out;
}

} // namespace

QString FormatValue(double value, const QString &picture)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const TPicture format = parse(picture);
    QString text = QString::number(std::fabs(value), 'f', format.maxDecimals);
    qsizetype point = text.indexOf(u'.');
    if (point >= 0) {
        qsizetype end = text.size();
        while (end > point + 1 + format.minDecimals && text.at(end - 1) == u'0')
            --end;
        if (end == point + 1)
            end = point;
        text.truncate(end);
    }
    point = text.indexOf(u'.');
    QString integer = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point);
    if (integer == QLatin1String("0") && format.minIntegerDigits == 0 && !fraction.isEmpty())
        integer.clear();
    while (integer.size() < format.minIntegerDigits)
        integer.prepend(u'0');
    if (format.thousands)
        integer = grouped(integer);
    const QString magnitude = integer + fraction;
    const bool zero =
        std::none_of(magnitude.begin(), magnitude.end(), [](QChar c) { return c >= u'1' && c <= u'9'; });
    return value < 0 && !zero ? u'-' + magnitude : magnitude;
}
