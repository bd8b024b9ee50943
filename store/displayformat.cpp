#include "store/displayformat.h"
#include "store/money.h"

#include <QDate>
#include <QDateTime>
#include <cmath>

namespace store {

namespace {

// A number mask taken apart: literal text around a pattern of '#', '0', ',' and '.'.
struct NumberMask {
    bool valid = false;
    QString prefix;
    QString suffix;
    int minIntegerDigits = 1;   // at least one digit before the point: "0.5", never ".5"
    bool grouping = false;
    int requiredDecimals = 0;   // '0' places after the point
    int maxDecimals = 0;        // all places after the point
};

bool isPatternChar(QChar c)
{
    return c == QLatin1Char('#') || c == QLatin1Char('0') || c == QLatin1Char(',') || c == QLatin1Char('.');
}

NumberMask parseNumberMask(const QString &mask)
{
    NumberMask m;
    int first = -1, last = -1;
    for (int i = 0; i < mask.size(); ++i) {
        if (isPatternChar(mask[i])) {
            if (first < 0) first = i;
            last = i;
        }
    }
    if (first < 0)
        return m;
    const QString pattern = mask.mid(first, last - first + 1);
    const int point = pattern.indexOf(QLatin1Char('.'));
    if (point >= 0 && pattern.indexOf(QLatin1Char('.'), point + 1) >= 0)
        return m;
    const QString integer = point >= 0 ? pattern.left(point) : pattern;
    const QString fraction = point >= 0 ? pattern.mid(point + 1) : QString();
    int digits = 0;
    int zeros = 0;
    for (QChar c : integer) {
        if (c == QLatin1Char(',')) m.grouping = true;
        else if (c == QLatin1Char('#')) ++digits;
        else if (c == QLatin1Char('0')) { ++digits; ++zeros; }
    }
    for (int i = 0; i < fraction.size(); ++i) {
        const QChar c = fraction[i];
        if (c == QLatin1Char(',')) return m;   // grouping after the point is not a mask
        if (c == QLatin1Char('0')) m.requiredDecimals = i + 1;
    }
    if (digits == 0 && fraction.isEmpty())
        return m;                              // a bare "," or "." is not a mask
    m.maxDecimals = int(fraction.size());
    m.minIntegerDigits = std::max(1, zeros);
    m.prefix = mask.left(first);
    m.suffix = mask.mid(last + 1);
    // Literal text must not hold pattern characters, or the mask means something else.
    m.valid = true;
    return m;
}

bool isDateMask(const QString &mask)
{
    return mask.compare(QLatin1String("YYYY-MM-DD"), Qt::CaseInsensitive) == 0;
}

// An exact decimal: sign and the digits before and after the point, no exponent.
struct Decimal {
    bool negative = false;
    QString integer;    // no leading zeros; empty for zero
    QString fraction;   // as many places as the source had

    bool isZero() const
    {
        for (QChar c : integer) if (c != QLatin1Char('0')) return false;
        for (QChar c : fraction) if (c != QLatin1Char('0')) return false;
        return true;
    }
};

// Parses "-12.340", "+5", ".5", "1e+20", "1.5E-3"; ok=false on anything else.
Decimal parseDecimal(const QString &input, bool *ok)
{
    Decimal d;
    *ok = false;
    const QString text = input.trimmed();
    int i = 0;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        d.negative = text[i] == QLatin1Char('-');
        ++i;
    }
    QString digits;
    int pointAt = -1;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) digits += c;
        else if (c == QLatin1Char('.') && pointAt < 0) pointAt = int(digits.size());
        else break;
    }
    if (digits.isEmpty())
        return d;
    if (pointAt < 0)
        pointAt = int(digits.size());
    if (i < text.size()) {
        if (text[i] != QLatin1Char('e') && text[i] != QLatin1Char('E'))
            return d;
        bool expOk = false;
        const int exponent = text.mid(i + 1).toInt(&expOk);
        if (!expOk || std::abs(exponent) > 400)
            return d;
        pointAt += exponent;
    }
    if (pointAt < 0) {
        digits.prepend(QString(-pointAt, QLatin1Char('0')));
        pointAt = 0;
    } else if (pointAt > digits.size()) {
        digits.append(QString(pointAt - digits.size(), QLatin1Char('0')));
    }
    d.integer = digits.left(pointAt);
    d.fraction = digits.mid(pointAt);
    while (!d.integer.isEmpty() && d.integer[0] == QLatin1Char('0'))
        d.integer.remove(0, 1);
    *ok = true;
    return d;
}

Decimal decimalFromMoney(Money money)
{
    bool ok = false;
    return parseDecimal(money.toDecimalString(), &ok);
}

// Fifteen significant digits: the double's own decimal value without binary noise,
// so 2.675 rounds to 2.68 as a person reads it.
Decimal decimalFromDouble(double value, bool *ok)
{
    if (!std::isfinite(value)) {
        *ok = false;
        return {};
    }
    return parseDecimal(QString::number(value, 'g', 15), ok);
}

// Rounds half away from zero to `places` decimals.
void roundTo(Decimal &d, int places)
{
    if (d.fraction.size() <= places) {
        return;
    }
    const bool up = d.fraction[places].digitValue() >= 5;
    QString kept = d.integer + d.fraction.left(places);
    if (up) {
        int i = int(kept.size()) - 1;
        for (; i >= 0; --i) {
            if (kept[i] == QLatin1Char('9')) {
                kept[i] = QLatin1Char('0');
            } else {
                kept[i] = QChar(kept[i].unicode() + 1);
                break;
            }
        }
        if (i < 0)
            kept.prepend(QLatin1Char('1'));
    }
    d.integer = kept.left(kept.size() - places);
    d.fraction = kept.right(places);
    while (!d.integer.isEmpty() && d.integer[0] == QLatin1Char('0'))
        d.integer.remove(0, 1);
}

QString render(Decimal d, const NumberMask &m)
{
    roundTo(d, m.maxDecimals);
    QString fraction = d.fraction.leftJustified(m.requiredDecimals, QLatin1Char('0'));
    while (fraction.size() > m.requiredDecimals && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    QString integer = d.integer.rightJustified(m.minIntegerDigits, QLatin1Char('0'));
    if (m.grouping) {
        for (int i = int(integer.size()) - 3; i > 0; i -= 3)
            integer.insert(i, QLatin1Char(','));
    }
    QString out = m.prefix;
    if (d.negative && !d.isZero())
        out += QLatin1Char('-');
    out += integer;
    if (!fraction.isEmpty())
        out += QLatin1Char('.') + fraction;
    return out + m.suffix;
}

QString plainNumber(double value)
{
    return QString::number(value, 'g', 15);
}

// The exact amount with the trailing zeros of its four places dropped: "12.5", "-3".
QString plainMoney(Money money)
{
    QString text = money.toDecimalString();
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
    return text;
}

QString plainValue(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::Double:
    case QMetaType::Float:
        return plainNumber(value.toDouble());
    default:
        if (value.metaType() == QMetaType::fromType<Money>())
            return plainMoney(value.value<Money>());
        return value.toString();
    }
}

// The date of a QDate, a QDateTime or a text that starts "yyyy-MM-dd" (SQLite).
QDate dateOf(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::QDate: return value.toDate();
    case QMetaType::QDateTime: return value.toDateTime().date();
    default: break;
    }
    const QString text = value.toString().trimmed();
    if (text.size() < 10)
        return {};
    return QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd"));
}

bool decimalOf(const QVariant &value, Decimal *out)
{
    bool ok = false;
    if (value.metaType() == QMetaType::fromType<Money>()) {
        *out = decimalFromMoney(value.value<Money>());
        return true;
    }
    switch (value.metaType().id()) {
    case QMetaType::Int: case QMetaType::LongLong: case QMetaType::Short: case QMetaType::Long:
        *out = parseDecimal(QString::number(value.toLongLong()), &ok);
        return ok;
    case QMetaType::UInt: case QMetaType::ULongLong: case QMetaType::UShort: case QMetaType::ULong:
        *out = parseDecimal(QString::number(value.toULongLong()), &ok);
        return ok;
    case QMetaType::Double: case QMetaType::Float:
        *out = decimalFromDouble(value.toDouble(), &ok);
        return ok;
    case QMetaType::Bool:
        *out = parseDecimal(value.toBool() ? QStringLiteral("1") : QStringLiteral("0"), &ok);
        return ok;
    case QMetaType::QString: case QMetaType::QByteArray:
        // Decimal text from a driver (PostgreSQL NUMERIC, SQLite text) stays exact.
        *out = parseDecimal(value.toString(), &ok);
        return ok;
    default:
        return false;
    }
}

} // namespace

bool isKnownMask(const QString &mask)
{
    return isDateMask(mask) || parseNumberMask(mask).valid;
}

QString formatNumber(double value, const QString &mask)
{
    const NumberMask m = parseNumberMask(mask);
    bool ok = false;
    const Decimal d = decimalFromDouble(value, &ok);
    if (!m.valid || !ok)
        return plainNumber(value);
    return render(d, m);
}

QString formatValue(const QVariant &value, const QString &mask)
{
    if (!value.isValid() || value.isNull())
        return {};
    if (isDateMask(mask)) {
        const QDate date = dateOf(value);
        return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : plainValue(value);
    }
    const NumberMask m = parseNumberMask(mask);
    Decimal d;
    if (!m.valid || !decimalOf(value, &d))
        return plainValue(value);
    return render(d, m);
}

} // namespace store
