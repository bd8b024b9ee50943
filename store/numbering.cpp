#include "store/numbering.h"

namespace store {

CounterInfo counterInfo(CounterKind kind)
{
    switch (kind) {
    case CounterKind::StockIn: return {"最后入库单号", 8, true};
    case CounterKind::StockOut: return {"最后出库单号", 8, true};
    case CounterKind::RepairOrder: return {"最后托修单号", 8, false};
    case CounterKind::Settlement: return {"最后结算单号", 8, false};
    case CounterKind::ServiceNote: return {"最后美容单号", 8, false};
    case CounterKind::Operator: return {"最后操作员号", 2, false};
    case CounterKind::Employee: return {"最后员工编号", 2, false};
    }
    return {"", 0, false};
}

QString nextSequence(const QString &counterText, int width, QString *error)
{
    const QString counter = counterText.trimmed();
    for (const QChar c : counter) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            if (error) *error = QStringLiteral("计数器的值\"%1\"不是数字,无法生成新的编号!").arg(counterText);
            return {};
        }
    }
    if (counter.size() > 18) {
        if (error) *error = QStringLiteral("计数器的值\"%1\"超出范围,无法生成新的编号!").arg(counterText);
        return {};
    }
    const qlonglong next = (counter.isEmpty() ? 0 : counter.toLongLong()) + 1;
    const QString seq = QStringLiteral("%1").arg(next, width, 10, QLatin1Char('0'));
    if (seq.size() > width) {
        if (error) *error = QStringLiteral("编号已用完(最多%1个),不能再生成新的编号!").arg(QString(width, QLatin1Char('9')));
        return {};
    }
    return seq;
}

namespace {

struct Reading {
    ReservedNumber next;
    QVariant counter;   // the counter as read (NULL when empty in the database)
};

Reading compute(Db &db, CounterKind kind, const QString &departmentCode)
{
    const CounterInfo info = counterInfo(kind);
    const QString code = info.headOffice ? QStringLiteral("0000") : departmentCode;
    const QString column = QString::fromUtf8(info.column);
    const auto row = db.one(QStringLiteral("SELECT %1 FROM 部门信息 WHERE 部门编号 = ?").arg(column), {code});
    if (!row)
        throw DbError(QStringLiteral("部门信息中没有编号为\"%1\"的部门,无法生成新的编号!").arg(code));
    QString error;
    const QString seq = nextSequence(row->value(0).toString(), info.width, &error);
    if (seq.isEmpty())
        throw DbError(QStringLiteral("部门%1的%2: %3").arg(code, column, error));
    return {{code + seq, seq, code}, row->value(0)};
}

} // namespace

ReservedNumber peekNumber(Db &db, CounterKind kind, const QString &departmentCode)
{
    return compute(db, kind, departmentCode).next;
}

ReservedNumber reserveNumber(Db &db, CounterKind kind, const QString &departmentCode)
{
    // Compare and set: the counter is advanced only if it still holds what was read. The
    // conditional UPDATE takes the row's lock, so two workstations never get one number;
    // the one that finds the counter moved reads it again. Two statements, no round trips
    // for a transaction of its own.
    const QString column = QString::fromUtf8(counterInfo(kind).column);
    for (int attempt = 0; attempt < 10000; ++attempt) {
        const Reading r = compute(db, kind, departmentCode);
        const int advanced = r.counter.isNull()
            ? db.execWrite(QStringLiteral("UPDATE 部门信息 SET %1 = ? WHERE 部门编号 = ? AND %1 IS NULL").arg(column),
                           {r.next.sequence, r.next.departmentCode})
            : db.execWrite(QStringLiteral("UPDATE 部门信息 SET %1 = ? WHERE 部门编号 = ? AND %1 = ?").arg(column),
                           {r.next.sequence, r.next.departmentCode, r.counter.toString()});
        if (advanced == 1)
            return r.next;
    }
    throw DbError(QStringLiteral("部门%1的%2一直在被其他工作站改动,请稍后再试").arg(departmentCode, column));
}

QString departmentCodeByName(Db &db, const QString &name)
{
    return db.scalar(QStringLiteral("SELECT 部门编号 FROM 部门信息 WHERE 部门名称 = ? ORDER BY 部门编号"), {name}).toString();
}

} // namespace store
