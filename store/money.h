#pragma once
// An exact amount of money: ten-thousandths of a yuan in 64 bits, like a currency type.

#include <QMetaType>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <compare>

namespace store {

class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromUnits(int64_t tenThousandths) { Money m; m.m_units = tenThousandths; return m; }
    static Money fromDouble(double value);          // rounded half away from zero to 4 decimals
    static Money fromYuan(int64_t yuan) { return fromUnits(yuan * 10000); }
    // Parses "123", "-1,234.5", " 0.0001 "; ok=false on anything else.
    static Money parse(const QString &text, bool *ok = nullptr);
    // From whatever a driver returned (double, integer, decimal text); null gives 0.
    static Money fromVariant(const QVariant &v);

    constexpr int64_t units() const { return m_units; }
    double toDouble() const { return double(m_units) / 10000.0; }
    QString toDecimalString() const;                // "-12.3400": exact, 4 decimals
    QVariant toVariant() const { return QVariant::fromValue(*this); }
    Money roundedToCents() const;                   // half away from zero
    // The 2-decimal display "##0.00" (no grouping).
    QString toString2() const;

    Money operator+(Money o) const { return fromUnits(m_units + o.m_units); }
    Money operator-(Money o) const { return fromUnits(m_units - o.m_units); }
    Money operator-() const { return fromUnits(-m_units); }
    Money &operator+=(Money o) { m_units += o.m_units; return *this; }
    Money &operator-=(Money o) { m_units -= o.m_units; return *this; }
    Money times(double factor) const { return fromDouble(toDouble() * factor); }
    auto operator<=>(const Money &) const = default;
    bool isZero() const { return m_units == 0; }

private:
    int64_t m_units = 0;
};

} // namespace store

Q_DECLARE_METATYPE(store::Money)
