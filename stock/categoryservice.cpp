#include "stock/categoryservice.h"
#include "store/journal.h"
#include "store/ruleerror.h"

using store::Db;

namespace stock {

namespace {
Category fromRecord(const QSqlRecord &r)
{
    return {r.value(0).toString(), r.value(1).toString(), r.value(2).toString()};
}
const QString kSelect = QStringLiteral("SELECT 物品类别编号, 物品类别, 最后编号 FROM 物品类别");
} // namespace

QList<Category> categories(Db &db)
{
    QList<Category> list;
    QSqlQuery q = db.exec(kSelect + QStringLiteral(" ORDER BY 物品类别编号"));
    while (q.next())
        list.append(fromRecord(q.record()));
    return list;
}

std::optional<Category> categoryByName(Db &db, const QString &name)
{
    const auto r = db.one(kSelect + QStringLiteral(" WHERE 物品类别 = ? ORDER BY 物品类别编号"), {name});
    return r ? std::optional<Category>(fromRecord(*r)) : std::nullopt;
}

std::optional<Category> categoryByCode(Db &db, const QString &code)
{
    const auto r = db.one(kSelect + QStringLiteral(" WHERE 物品类别编号 = ?"), {code});
    return r ? std::optional<Category>(fromRecord(*r)) : std::nullopt;
}

QString nextCategoryCode(Db &db)
{
    const QString highest = db.scalar(QStringLiteral("SELECT MAX(物品类别编号) FROM 物品类别")).toString().trimmed();
    bool ok = false;
    const int number = highest.isEmpty() ? 100 : highest.toInt(&ok);
    if (!highest.isEmpty() && !ok)
        throw store::RuleError(QStringLiteral("物品类别编号\"%1\"不是数字,无法生成新的类别编号!").arg(highest));
    const int next = number + 1;
    if (next > 999)
        throw store::RuleError(QStringLiteral("物品类别编号已用完(最多到999),不能再新增物品类别!"));
    // Shorter numbers are padded from "100": 1 becomes "101".
    const QString digits = QString::number(next);
    return QStringLiteral("100").left(3 - digits.size()) + digits;
}

Category addCategory(Db &db, const QString &name, const QString &operatorName)
{
    const QString n = name.trimmed();
    if (n.isEmpty())
        throw store::RuleError(QStringLiteral("请输入物品类别名称,该项不能为空!"), QStringLiteral("物品类别"));
    if (store::gbkWidth(n) > 24)
        throw store::RuleError(QStringLiteral("物品类别名称最长24个字节(12个汉字),请重新输入!"), QStringLiteral("物品类别"));
    store::Transaction tx(db);
    if (categoryByName(db, n))
        throw store::RuleError(QStringLiteral("该物品类别已经存在，无需重复设置！"), QStringLiteral("物品类别"));
    const Category c{nextCategoryCode(db), n, QStringLiteral("0000")};
    db.execWrite(QStringLiteral("INSERT INTO 物品类别 (物品类别编号, 物品类别, 最后编号) VALUES (?, ?, ?)"),
                 {c.code, c.name, c.lastSequence});
    store::writeJournal(db, QStringLiteral("新增物品类别信息:") + n, operatorName);
    tx.commit();
    return c;
}

void deleteCategory(Db &db, const QString &name, const shell::OperatorContext &who)
{
    if (!who.canDeleteOrModifyCompleted())
        throw store::RuleError(QStringLiteral("只有经理或管理员才能删除物品类别信息!"));
    store::Transaction tx(db);
    db.execWrite(QStringLiteral("DELETE FROM 物品信息表 WHERE 物品类别 = ?"), {name});
    db.execWrite(QStringLiteral("DELETE FROM 物品库存表 WHERE 物品类型 = ?"), {name});
    store::writeJournal(db, QStringLiteral("删除物品类别和该类别下所有物品的信息:") + name, who.name);
    db.execWrite(QStringLiteral("DELETE FROM 物品类别 WHERE 物品类别 = ?"), {name});
    tx.commit();
}

} // namespace stock
