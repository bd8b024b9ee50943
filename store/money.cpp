#include "store/money.h"

#include <cmath>

namespace store {

Money Money::fromDouble(double value)
{
    // Go through the shortest decimal text first so 0.285 (stored as 0.28499999...)
    // still rounds the way a person reads it.
    const QString text = QString::number(value, 'g', 15);
    bool ok = false;
    Money m = parse(text, &ok);
    if (ok)
        return m;
    return fromUnits(int64_t(std::llround(value * 10000.0)));
}

Money Money::parse(const QString &input, bool *ok)
{
    QString text = input.trimmed();
    text.remove(QLatin1Char(','));
    if (ok) *ok = false;
    if (text.isEmpty())
        return {};
    bool negative = false;
    int i = 0;
    if (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+')) {
        negative = text[0] == QLatin1Char('-');
        ++i;
    }
    // Scientific notation from QString::number: hand it to the double path.
    if (text.contains(QLatin1Char('e'), Qt::CaseInsensitive)) {
        bool dok = false;
        double d = text.toDouble(&dok);
        if (!dok || !std::isfinite(d)) return {};
        if (ok) *ok = true;
        return fromUnits(int64_t(std::llround(d * 10000.0)));
    }
    int64_t whole = 0;
    int64_t frac = 0;
    int fracDigits = 0;
    bool sawDigit = false, inFraction = false;
    int roundDigit = -1;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('.') && !inFraction) { inFraction = true; continue; }
        if (!c.isDigit()) return {};
        const int d = c.digitValue();
        sawDigit = true;
        if (!inFraction) {
            if (whole > (INT64_MAX / 10000 - 9) / 10) return {};   // out of range
            whole = whole * 10 + d;
        } else if (fracDigits < 4) {
            frac = frac * 10 + d;
            ++fracDigits;
        } else if (roundDigit < 0) {
            roundDigit = d;
        }
    }
    if (!sawDigit) return {};
    while (fracDigits < 4) { frac *= 10; ++fracDigits; }
    int64_t units = whole * 10000 + frac;
    if (roundDigit >= 5) ++units;
    if (ok) *ok = true;
    return fromUnits(negative ? -units : units);
}

Money Money::fromVariant(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return {};
    if (v.metaType() == QMetaType::fromType<Money>())
        return v.value<Money>();
    switch (v.metaType().id()) {
    case QMetaType::Int: case QMetaType::LongLong: case QMetaType::UInt: case QMetaType::ULongLong:
        return fromYuan(v.toLongLong());
    case QMetaType::Double: case QMetaType::Float:
        return fromDouble(v.toDouble());
    default: {
        bool ok = false;
        Money m = parse(v.toString(), &ok);
        return ok ? m : Money();
    }
    }
}

QString Money::toDecimalString() const
{
    const bool negative = m_units < 0;
    const uint64_t a = negative ? uint64_t(-(m_units + 1)) + 1 : uint64_t(m_units);
    return QStringLiteral("%1%2.%3").arg(negative ? QStringLiteral("-") : QString())
        .arg(a / 10000).arg(a % 10000, 4, 10, QLatin1Char('0'));
}

Money Money::roundedToCents() const
{
    // Unsigned arithmetic: the extremes of the range neither overflow nor flip sign.
    const bool negative = m_units < 0;
    const uint64_t a = negative ? uint64_t(0) - uint64_t(m_units) : uint64_t(m_units);
    uint64_t r = (a / 100 + (a % 100 >= 50 ? 1 : 0)) * 100;
    const uint64_t limit = negative ? uint64_t(INT64_MAX) + 1 : uint64_t(INT64_MAX);
    if (r > limit) r -= 100;   // the nearest cent inside the range
    return fromUnits(negative ? int64_t(uint64_t(0) - r) : int64_t(r));
}

QString Money::toString2() const
{
    const Money r = roundedToCents();
    const bool negative = r.m_units < 0;
    const int64_t a = negative ? -r.m_units : r.m_units;
    return QStringLiteral("%1%2.%3").arg(negative ? QStringLiteral("-") : QString())
        .arg(a / 10000).arg((a % 10000) / 100, 2, 10, QLatin1Char('0'));
}

} // namespace store
