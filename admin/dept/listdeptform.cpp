#include "admin/dept/listdeptform.h"
#include "admin/dept/deptservice.h"
#include "store/ruleerror.h"

#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/messages.h"

#include <QPushButton>

namespace admin {

namespace {

// "用户管理": the new operator's code goes with the department.
void proposeOperatorCodeTo(QWidget *opener, const QVariantMap &row)
{
    try {
        const OperatorCodeProposal p = proposeOperatorCode(shell::database(), row.value(QStringLiteral("部门名称")).toString());
        if (QWidget *codeBox = opener->findChild<QWidget *>(QStringLiteral("codeBox")))
            shell::setBoxText(codeBox, p.code);
        if (opener->metaObject()->indexOfMethod("operatorCodeProposed(QString,QString)") >= 0)
            QMetaObject::invokeMethod(opener, "operatorCodeProposed", Q_ARG(QString, p.departmentCode),
                                      Q_ARG(QString, p.sequence));
    } catch (const store::RuleError &e) {
        shell::Messages::error(opener, e.message());
    } catch (const store::DbError &e) {
        shell::Messages::error(opener, e.message());
    }
}

} // namespace

const QList<shell::ChooserTarget> &TListDeptForm::targets()
{
    using T = shell::ChooserTarget;
    static const QList<T> table = [] {
        QList<T> t = {
            {QStringLiteral("用户管理"), QStringLiteral("deptBox"), T::None, &proposeOperatorCodeTo},
            {QStringLiteral("物品入库"), QStringLiteral("supplierBox"), T::FocusNext, {}},
            {QStringLiteral("物品出库"), QStringLiteral("receiverBox"), T::FocusNext, {}},
            {QStringLiteral("物品入库统计"), QStringLiteral("inSupplierBox"), T::FocusBox, {}},
            {QStringLiteral("物品出库统计"), QStringLiteral("outReceiverBox"), T::FocusBox, {}},
            {QStringLiteral("收费月结"), QStringLiteral("deptBox"), T::None, {}},
            {QStringLiteral("收费查询"), QStringLiteral("deptBox"), T::None, {}},
            {QStringLiteral("收费录入"), QStringLiteral("deptBox"), T::None, {}},
            {QStringLiteral("库存初始化"), QStringLiteral("warehouseBox"), T::None, {}},
            {QStringLiteral("洗车单查询"), QStringLiteral("deptBox"), T::None, {}},
            {QStringLiteral("洗车单查询2"), QStringLiteral("deptBox2"), T::None, {}},
            {QStringLiteral("会员卡查询"), QStringLiteral("deptBox"), T::None, {}},
            {QStringLiteral("客户消费清单"), QStringLiteral("deptBox"), T::None, {}},
        };
        for (int i = 1; i <= 4; ++i)
            t.append({QStringLiteral("调拨入库情况统计%1").arg(i), QStringLiteral("transferBox%1").arg(i), T::None, {}});
        return t;
    }();
    return table;
}

TListDeptForm::TListDeptForm(QWidget *opener)
    : ChooserForm(opener, QStringLiteral("部门列表"), QStringLiteral("部门名称"), targets())
{
    resize(520, 360);
    setHint(chooseButton(), QStringLiteral("按下本按钮将选择选中的分支机构!"));
    setHint(exitButton(), QStringLiteral("按下本按钮将退出分支机构选择!"));
    grid()->setColumns({{QStringLiteral("部门编号")}, {QStringLiteral("部门名称")},
                        {QStringLiteral("部门电话")}, {QStringLiteral("联系人")}});
    try {
        const store::ListQuery query = departmentListQuery();
        grid()->showQuery(shell::database(), query.sql, query.params);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

} // namespace admin
