#include "store/likepattern.h"
#include "store/db.h"

namespace store {

QString containsPattern(const QString &text)
{
    QString escaped;
    for (const QChar c : text) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

QString containsCondition(const Db &db, const QString &column)
{
    return QStringLiteral("%1 %2 ? ESCAPE '\\'").arg(column, db.likeOperator());
}

} // namespace store
