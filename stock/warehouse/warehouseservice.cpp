#include "stock/warehouse/warehouseservice.h"

namespace stock {

store::ListQuery warehouseListQuery()
{
    return {QStringLiteral("SELECT 仓库编号, 仓库名称, 仓管员 FROM 仓库信息表 ORDER BY 仓库编号"), {}};
}

QList<Warehouse> warehouses(store::Db &db)
{
    const store::ListQuery q = warehouseListQuery();
    QSqlQuery rows = db.exec(q.sql, q.params);
    QList<Warehouse> list;
    while (rows.next())
        list.append({rows.value(0).toString().trimmed(), rows.value(1).toString(), rows.value(2).toString()});
    return list;
}

std::optional<Warehouse> firstWarehouse(store::Db &db)
{
    const auto r = db.one(warehouseListQuery().sql + db.limitOne());
    if (!r)
        return std::nullopt;
    return Warehouse{r->value(0).toString().trimmed(), r->value(1).toString(), r->value(2).toString()};
}

bool warehouseExists(store::Db &db, const QString &name)
{
    return db.exists(QStringLiteral("SELECT 1 FROM 仓库信息表 WHERE 仓库名称 = ?"), {name});
}

} // namespace stock
