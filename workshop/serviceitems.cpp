#include "workshop/serviceitems.h"
#include "workshop/workshoperror.h"
#include "store/journal.h"

namespace workshop {

namespace {

std::optional<store::Money> moneyOrNone(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return std::nullopt;
    return store::Money::fromVariant(v);
}

QVariant bindable(const std::optional<store::Money> &m)
{
    return m ? m->toVariant() : QVariant();
}

// "col = ?" for a value, "col IS NULL" for none, so a row is found by exactly what it holds.
QString matching(const ServiceItem &item, QVariantList &params)
{
    QStringList terms{QStringLiteral("服务项目类别 = ?"), QStringLiteral("服务项目名称 = ?")};
    params << item.category << item.name;
    const auto money = [&](const QString &column, const std::optional<store::Money> &value) {
        if (value) {
            terms << column + QStringLiteral(" = ?");
            params << value->toVariant();
        } else {
            terms << column + QStringLiteral(" IS NULL");
        }
    };
    money(QStringLiteral("服务收费金额"), item.fee);
    money(QStringLiteral("最低收费金额"), item.lowestFee);
    return terms.join(QStringLiteral(" AND "));
}

void insertItem(store::Db &db, const ServiceItem &item)
{
    db.execWrite(QStringLiteral("INSERT INTO 服务项目信息表 (服务项目类别, 服务项目名称, 服务收费金额, 最低收费金额) "
                                "VALUES (?, ?, ?, ?)"),
                 {item.category, item.name, bindable(item.fee), bindable(item.lowestFee)});
}

// Removes one row holding the item's values. Rows have no key, so all rows holding them
// go and the others come back; the caller's transaction makes it one step.
bool removeOneRow(store::Db &db, const ServiceItem &item)
{
    QVariantList params;
    const QString where = matching(item, params);
    const int rows = db.execWrite(QStringLiteral("DELETE FROM 服务项目信息表 WHERE ") + where, params);
    for (int i = 1; i < rows; ++i)
        insertItem(db, item);
    return rows > 0;
}

} // namespace

QStringList serviceCategories(store::Db &db)
{
    QStringList names;
    QSqlQuery q = db.exec(QStringLiteral("SELECT 服务项目类别 FROM 服务项目类别信息表 ORDER BY 服务项目类别"));
    while (q.next())
        names << q.value(0).toString();
    return names;
}

bool serviceCategoryExists(store::Db &db, const QString &name)
{
    return db.exists(QStringLiteral("SELECT 1 FROM 服务项目类别信息表 WHERE 服务项目类别 = ?"), {name});
}

void addServiceCategory(store::Db &db, const QString &name, const QString &operatorName)
{
    store::Transaction tx(db);
    if (serviceCategoryExists(db, name))
        throw WorkshopError(QStringLiteral("该服务类别已经存在，无需重复设置！"), QStringLiteral("服务项目类别"));
    db.execWrite(QStringLiteral("INSERT INTO 服务项目类别信息表 (服务项目类别) VALUES (?)"), {name});
    store::writeJournal(db, QStringLiteral("新增服务类别信息:") + name, operatorName);
    tx.commit();
}

int deleteServiceCategory(store::Db &db, const QString &name, const shell::OperatorContext &who)
{
    if (!who.canDeleteOrModifyCompleted())
        throw WorkshopError(QStringLiteral("只有经理或管理员才能删除服务类别信息!"));
    store::Transaction tx(db);
    const int items = db.execWrite(QStringLiteral("DELETE FROM 服务项目信息表 WHERE 服务项目类别 = ?"), {name});
    store::writeJournal(db, QStringLiteral("删除服务类别信息:") + name, who.name);
    db.execWrite(QStringLiteral("DELETE FROM 服务项目类别信息表 WHERE 服务项目类别 = ?"), {name});
    tx.commit();
    return items;
}

QList<ServiceItem> serviceItems(store::Db &db, const QString &category)
{
    QList<ServiceItem> items;
    QSqlQuery q = db.exec(QStringLiteral("SELECT 服务项目类别, 服务项目名称, 服务收费金额, 最低收费金额 FROM 服务项目信息表 "
                                         "WHERE 服务项目类别 = ? ORDER BY 服务项目名称"),
                          {category});
    while (q.next())
        items.append({q.value(0).toString(), q.value(1).toString(), moneyOrNone(q.value(2)), moneyOrNone(q.value(3))});
    return items;
}

void checkServiceItem(const ServiceItem &item)
{
    if (item.name.trimmed().isEmpty())
        throw WorkshopError(QStringLiteral("请输入服务项目名称,再进行保存!服务名称不能为空"), QStringLiteral("服务项目名称"));
    if (!item.fee)
        throw WorkshopError(QStringLiteral("请输入服务项目的服务收费金额,再进行保存!"), QStringLiteral("服务收费金额"));
}

void addServiceItem(store::Db &db, const ServiceItem &item, const QString &operatorName)
{
    checkServiceItem(item);
    store::Transaction tx(db);
    insertItem(db, item);
    store::writeJournal(db, QStringLiteral("新增服务项目信息:") + item.name, operatorName);
    tx.commit();
}

void updateServiceItem(store::Db &db, const ServiceItem &original, const ServiceItem &changed,
                       const QString &operatorName)
{
    checkServiceItem(changed);
    store::Transaction tx(db);
    if (!removeOneRow(db, original))
        throw WorkshopError(QStringLiteral("该服务项目已经被删除或修改,请重新打开维修项目设置!"));
    insertItem(db, changed);
    store::writeJournal(db, QStringLiteral("修改服务项目信息:") + changed.name, operatorName);
    tx.commit();
}

void deleteServiceItem(store::Db &db, const ServiceItem &item, const QString &operatorName)
{
    store::Transaction tx(db);
    store::writeJournal(db, QStringLiteral("删除服务项目信息:") + item.name, operatorName);
    removeOneRow(db, item);
    tx.commit();
}

} // namespace workshop
