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

ReservedNumber compute(Db &db, CounterKind kind, const QString &departmentCode, bool lock)
{
    const CounterInfo info = counterInfo(kind);
    const QString code = info.headOffice ? QStringLiteral("0000") : departmentCode;
    const QString column = QString::fromUtf8(info.column);
    const auto row = db.one(QStringLiteral("SELECT %1 FROM 部门信息 WHERE 部门编号 = ?%2")
                                .arg(column, lock ? db.forUpdate() : QString()),
                            {code});
    if (!row)
        throw DbError(QStringLiteral("部门信息中没有编号为\"%1\"的部门,无法生成新的编号!").arg(code));
    QString error;
    const QString seq = nextSequence(row->value(0).toString(), info.width, &error);
    if (seq.isEmpty())
        throw DbError(QStringLiteral("部门%1的%2: %3").arg(code, column, error));
    return {code + seq, seq, code};
}

} // namespace

ReservedNumber peekNumber(Db &db, CounterKind kind, const QString &departmentCode)
{
    return compute(db, kind, departmentCode, false);
}

ReservedNumber reserveNumber(Db &db, CounterKind kind, const QString &departmentCode)
{
    Transaction tx(db);
    const ReservedNumber r = compute(db, kind, departmentCode, true);
    db.execWrite(QStringLiteral("UPDATE 部门信息 SET %1 = ? WHERE 部门编号 = ?")
                     .arg(QString::fromUtf8(counterInfo(kind).column)),
                 {r.sequence, r.departmentCode});
    tx.commit();
    return r;
}

QString departmentCodeByName(Db &db, const QString &name)
{
    return db.scalar(QStringLiteral("SELECT 部门编号 FROM 部门信息 WHERE 部门名称 = ? ORDER BY 部门编号"), {name}).toString();
}

} // namespace store
