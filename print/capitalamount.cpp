#include "print/capitalamount.h"

#include <cstdint>

namespace print {

namespace {

const QString kDigits = QStringLiteral("零壹贰叁肆伍陆柒捌玖");

// 1..9999 without leading zeros: zeros inside give one 零, trailing zeros nothing.
QString section(uint64_t n)
{
    static const QString units[] = {QString(), QStringLiteral("拾"), QStringLiteral("佰"), QStringLiteral("仟")};
    QString out;
    bool pendingZero = false;
    for (int place = 3; place >= 0; --place) {
        uint64_t divisor = 1;
        for (int i = 0; i < place; ++i) divisor *= 10;
        const int digit = int(n / divisor % 10);
        if (digit == 0) {
            pendingZero = !out.isEmpty();
            continue;
        }
        if (pendingZero) out += kDigits[0];
        pendingZero = false;
        out += kDigits[digit] + units[place];
    }
    return out;
}

// A whole number of yuan, n > 0: groups of 10^8 (亿) and 10^4 (万); a lower part that
// does not fill its places gets one 零 after the higher part (壹亿零壹, 壹万零贰佰).
QString wholeYuan(uint64_t n)
{
    const uint64_t yi = 100000000ULL;
    const uint64_t wan = 10000ULL;
    auto joined = [](const QString &high, const QString &unit, uint64_t low, uint64_t fullFrom) {
        if (low == 0) return high + unit;
        return high + unit + (low < fullFrom ? QStringLiteral("零") : QString()) + wholeYuan(low);
    };
    if (n >= yi)
        return joined(wholeYuan(n / yi), QStringLiteral("亿"), n % yi, yi / 10);
    if (n >= wan)
        return joined(section(n / wan), QStringLiteral("万"), n % wan, wan / 10);
    return section(n);
}

} // namespace

QString capitalAmount(store::Money amount)
{
    const int64_t units = amount.units();
    const bool negative = units < 0;
    // The magnitude in unsigned arithmetic, so the most negative amount has one too.
    const uint64_t magnitude = negative ? uint64_t(-(units + 1)) + 1 : uint64_t(units);
    const uint64_t cents = (magnitude + 50) / 100;
    if (cents == 0)
        return QStringLiteral("零元整");
    const uint64_t yuan = cents / 100;
    const int jiao = int(cents / 10 % 10);
    const int fen = int(cents % 10);

    QString out = negative ? QStringLiteral("负") : QString();
    if (yuan > 0)
        out += wholeYuan(yuan) + QStringLiteral("元");
    if (jiao > 0)
        out += kDigits[jiao] + QStringLiteral("角");
    else if (fen > 0 && yuan > 0)
        out += kDigits[0];
    if (fen > 0)
        out += kDigits[fen] + QStringLiteral("分");
    else
        out += QStringLiteral("整");
    return out;
}

} // namespace print
