#pragma once
// Small helpers the service tests share: the two operators (a manager and a clerk of the
// head office), row counts, the last journal text and the message of a refused action.

#include "shell/common/operatorcontext.h"
#include "store/blankdb.h"
#include "store/db.h"
#include "store/ruleerror.h"

namespace testsupport {

inline shell::OperatorContext manager()
{
    return {QStringLiteral("000001"), QStringLiteral("王经理"), QStringLiteral("经理"), store::kHeadOfficeName, {}};
}

inline shell::OperatorContext clerk()
{
    return {QStringLiteral("000002"), QStringLiteral("小李"), QStringLiteral("操作员"), store::kHeadOfficeName, {}};
}

inline int count(store::Db &db, const QString &table, const QString &where = QStringLiteral("1=1"),
                 const QVariantList &params = {})
{
    return db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(table, where), params).toInt();
}

// The text of the newest journal entry.
inline QString journalText(store::Db &db)
{
    return db.scalar(QStringLiteral("SELECT 业务内容 FROM 操作流水表 ORDER BY 流水号 DESC")).toString();
}

// The message of the store::RuleError the action throws; empty when it throws none.
template <typename F>
QString refusal(F &&action)
{
    try {
        action();
    } catch (const store::RuleError &e) {
        return e.message();
    }
    return {};
}

} // namespace testsupport
