#pragma once
// Goods categories (物品类别): each numbers its own goods. Codes are three digits, the
// first "101", each later one the highest plus one; names are unique.

#include "shell/common/operatorcontext.h"
#include "store/db.h"

#include <QList>
#include <optional>

namespace stock {

struct Category {
    QString code;           // 物品类别编号
    QString name;           // 物品类别
    QString lastSequence;   // 最后编号: the last goods sequence used in the category
};

QList<Category> categories(store::Db &db);   // in code order
std::optional<Category> categoryByName(store::Db &db, const QString &name);
std::optional<Category> categoryByCode(store::Db &db, const QString &code);

// The code the next category gets: "101" for the first; the highest plus one, padded
// from "100". Throws store::RuleError once "999" is used.
QString nextCategoryCode(store::Db &db);

// Adds a category with 最后编号 "0000" and its journal entry, taking the next code at
// the moment of saving. Refuses (store::RuleError) an empty, too long or existing name.
Category addCategory(store::Db &db, const QString &name, const QString &operatorName);

// Deletes the category, its goods and the stock rows of its goods (by 物品类型), with
// the journal entry; notes and ledger rows naming the goods stay. Refuses operators who
// may not delete.
void deleteCategory(store::Db &db, const QString &name, const shell::OperatorContext &who);

} // namespace stock
