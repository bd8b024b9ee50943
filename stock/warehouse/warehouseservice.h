#pragma once
// Warehouses (仓库信息表), read-only here: each carries the name of the department it
// belongs to, and the stock forms name their warehouse by that name. The warehouse with
// the smallest code (the head office's '0000') is the default of every new stock note.

#include "store/db.h"
#include "store/listquery.h"

#include <QList>
#include <optional>

namespace stock {

struct Warehouse {
    QString code;       // 仓库编号
    QString name;       // 仓库名称
    QString keeper;     // 仓管员
};

// Every warehouse in code order (仓库编号, 仓库名称, 仓管员): the chooser's list.
store::ListQuery warehouseListQuery();
QList<Warehouse> warehouses(store::Db &db);
// The warehouse with the smallest code, if there is any warehouse at all.
std::optional<Warehouse> firstWarehouse(store::Db &db);
bool warehouseExists(store::Db &db, const QString &name);

} // namespace stock
