#include "store/journal.h"

namespace store {

void writeJournal(Db &db, const QString &text, const QString &operatorName)
{
    db.execWrite(QStringLiteral("INSERT INTO 操作流水表 (发生时间, 业务内容, 操作员) VALUES (?, ?, ?)"),
                 {QDateTime::currentDateTime(), gbkTruncate(text, 100), gbkTruncate(operatorName, 12)});
}

} // namespace store
