#pragma once
// The labour catalogue: service categories (服务项目类别信息表, keyed by name) and the
// repair items of each category (服务项目信息表) with their standard and lowest fees.
// Items have no key: an item is its row, found by the values it holds. Every change is
// one transaction with its journal entry.

#include "shell/common/operatorcontext.h"
#include "store/db.h"
#include "store/money.h"

#include <QList>
#include <QStringList>
#include <optional>

namespace workshop {

struct ServiceItem {
    QString category;                       // 服务项目类别
    QString name;                           // 服务项目名称
    std::optional<store::Money> fee;        // 服务收费金额: the labour fee a line takes
    std::optional<store::Money> lowestFee;  // 最低收费金额

    bool operator==(const ServiceItem &) const = default;
};

// Category names in name order.
QStringList serviceCategories(store::Db &db);
bool serviceCategoryExists(store::Db &db, const QString &name);

// Adds a category with the journal entry "新增服务类别信息:{name}". A name that exists
// already is refused ("该服务类别已经存在，无需重复设置！") and nothing is written.
void addServiceCategory(store::Db &db, const QString &name, const QString &operatorName);

// Deletes a category: all its items first, the journal entry "删除服务类别信息:{name}",
// then the category, in one transaction. Only managers and administrators may
// ("只有经理或管理员才能删除服务类别信息!"). Returns the number of items removed.
int deleteServiceCategory(store::Db &db, const QString &name, const shell::OperatorContext &who);

// The items of a category in name order.
QList<ServiceItem> serviceItems(store::Db &db, const QString &category);

// The save checks of an item, in the order the item form makes them: a name
// ("服务项目名称") and a fee ("服务收费金额"). Throws WorkshopError naming the field.
void checkServiceItem(const ServiceItem &item);

// Adds an item with the journal entry "新增服务项目信息:{name}".
void addServiceItem(store::Db &db, const ServiceItem &item, const QString &operatorName);
// Replaces the row holding `original` by `changed` with the journal entry
// "修改服务项目信息:{name}". Where several rows hold exactly the same values, one of
// them changes. Throws WorkshopError when no row holds `original` any more.
void updateServiceItem(store::Db &db, const ServiceItem &original, const ServiceItem &changed,
                       const QString &operatorName);
// Deletes one row holding the item's values, with the journal entry
// "删除服务项目信息:{name}". No operator category applies to items.
void deleteServiceItem(store::Db &db, const ServiceItem &item, const QString &operatorName);

} // namespace workshop
