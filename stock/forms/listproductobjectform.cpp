#include "stock/forms/listproductobjectform.h"
#include "stock/stockquery.h"

#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/messages.h"

#include <QPushButton>

namespace stock {

namespace {
// "仓库资料导入": the import keeps the category's code, name and last sequence.
void handToImport(QWidget *opener, const QVariantMap &row)
{
    const QList<QPair<QString, QString>> boxes = {{QStringLiteral("categoryCodeBox"), QStringLiteral("物品类别编号")},
                                                  {QStringLiteral("categoryBox"), QStringLiteral("物品类别")},
                                                  {QStringLiteral("lastSequenceBox"), QStringLiteral("最后编号")}};
    for (const auto &[box, field] : boxes)
        if (QWidget *w = opener->findChild<QWidget *>(box))
            shell::setBoxText(w, row.value(field).toString());
}
} // namespace

const QList<shell::ChooserTarget> &TListProDuctObjectForm::targets()
{
    using T = shell::ChooserTarget;
    static const QList<T> table = {
        {QStringLiteral("物品设置"), QStringLiteral("categoryBox"), T::None, {}},
        {QStringLiteral("仓库资料导入"), QString(), T::None, &handToImport},
        {QStringLiteral("仓库盘点"), QStringLiteral("categoryBox"), T::None, {}},
        {QStringLiteral("物品查询"), QStringLiteral("categoryBox"), T::None, {}},
    };
    return table;
}

TListProDuctObjectForm::TListProDuctObjectForm(QWidget *opener)
    : ChooserForm(opener, QStringLiteral("物品类别清单"), QStringLiteral("物品类别"), targets())
{
    resize(420, 380);
    setHint(chooseButton(), QStringLiteral("按下本按钮将选择选中的物品类别!"));
    setHint(exitButton(), QStringLiteral("按下本按钮将退出物品类别选择!"));
    shell::GridColumn last{QStringLiteral("最后编号")};
    last.hidden = true;
    grid()->setColumns({{QStringLiteral("物品类别编号")}, {QStringLiteral("物品类别")}, last});
    try {
        const store::ListQuery query = categoryListQuery();
        grid()->showQuery(shell::database(), query.sql, query.params);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

} // namespace stock
