#include "stock/warehouse/listlibboxform.h"
#include "stock/warehouse/warehouseservice.h"

#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/messages.h"

#include <QPointer>
#include <QPushButton>

namespace stock {

const QList<shell::ChooserTarget> &TListLibBoxForm::targets()
{
    using T = shell::ChooserTarget;
    static const QList<T> table = {
        {QStringLiteral("物品入库"), kWarehouseBoxName, T::FocusNext, {}},
        {QStringLiteral("物品出库"), kWarehouseBoxName, T::FocusNext, {}},
        {QStringLiteral("盘点单录入"), kWarehouseBoxName, T::None, {}},
        {QStringLiteral("仓库盘点"), kWarehouseBoxName, T::None, {}},
        {QStringLiteral("入库查询"), kConditionBoxName, T::None, {}},
        {QStringLiteral("出库查询"), kConditionBoxName, T::None, {}},
        {QStringLiteral("盘点查询"), kConditionBoxName, T::None, {}},
        {QStringLiteral("仓库资料导入"), kWarehouseBoxName, T::None, {}},
    };
    return table;
}

TListLibBoxForm::TListLibBoxForm(QWidget *opener)
    : ChooserForm(opener, QStringLiteral("仓库列表"), QStringLiteral("仓库名称"), targets())
{
    grid()->setColumns({{QStringLiteral("仓库编号")}, {QStringLiteral("仓库名称")}, {QStringLiteral("仓管员")}});
    grid()->setMinimumSize(420, 260);
    setHint(grid(), QStringLiteral("双击表中对应的仓库将加入单据中!"));
    setHint(chooseButton(), QStringLiteral("按下本按钮将选择选中的仓库!"));
    setHint(exitButton(), QStringLiteral("按下本按钮将退出仓库选择!"));
    try {
        const store::ListQuery q = warehouseListQuery();
        grid()->showQuery(shell::database(), q.sql, q.params);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

bool TListLibBoxForm::preselectFirst(QWidget *opener, const QString &callerTag)
{
    QPointer<TListLibBoxForm> chooser = new TListLibBoxForm(opener);
    chooser->setCallerTag(callerTag);
    const bool chosen = chooser->choose();
    delete chooser.data();
    return chosen;
}

} // namespace stock
