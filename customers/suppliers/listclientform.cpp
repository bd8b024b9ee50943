#include "customers/suppliers/listclientform.h"
#include "customers/suppliers/initprividerform.h"
#include "customers/suppliers/supplierservice.h"

#include "shell/commandtable.h"
#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "shell/loginservice.h"
#include "store/db.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace customers {

const QList<shell::ChooserTarget> &TListClientForm::targets()
{
    using T = shell::ChooserTarget;
    static const QList<T> table = {
        {QStringLiteral("物品入库"), kSupplierBoxName, T::FocusNext, {}},
        {QStringLiteral("物品出库"), kReceiverBoxName, T::FocusNext, {}},
        {QStringLiteral("入库查询"), kConditionBoxName, T::None, {}},
        {QStringLiteral("出库查询"), kConditionBoxName, T::None, {}},
        {QStringLiteral("物品入库统计"), kInSupplierBoxName, T::FocusBox, {}},
        {QStringLiteral("物品出库统计"), kOutReceiverBoxName, T::FocusBox, {}},
    };
    return table;
}

TListClientForm::TListClientForm(QWidget *opener)
    : ChooserForm(opener, QStringLiteral("供销商列表"), QStringLiteral("供销商名称"), targets())
{
    auto *searchRow = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("供销商名称："), body());
    m_search = new QLineEdit(body());
    m_search->setObjectName(QStringLiteral("searchBox"));
    label->setBuddy(m_search);
    auto *searchButton = new QPushButton(QStringLiteral("查找"), body());
    searchRow->addWidget(label);
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(searchButton);
    if (auto *layout = qobject_cast<QVBoxLayout *>(body()->layout()))
        layout->insertLayout(0, searchRow);
    setHint(m_search, QStringLiteral("输入供销商名称的一部分,回车或按查找进行模糊查询!"));
    connect(searchButton, &QPushButton::clicked, this, &TListClientForm::runSearch);
    connect(m_search, &QLineEdit::returnPressed, this, &TListClientForm::runSearch);

    grid()->setColumns({{QStringLiteral("供销商编号")}, {QStringLiteral("供销商名称")}, {QStringLiteral("联系人")},
                        {QStringLiteral("联系电话")}});
    grid()->setMinimumSize(520, 320);
    setHint(grid(), QStringLiteral("双击表中对应的供销商将加入单据中!"));
    setHint(chooseButton(), QStringLiteral("按下本按钮将选择选中的供销商!"));
    setHint(exitButton(), QStringLiteral("按下本按钮将退出供销商选择!"));

    // "新建" sits between "选择" and "退出".
    QPushButton *create = addButton(QStringLiteral("新建"));
    buttonRow()->removeWidget(create);
    buttonRow()->insertWidget(buttonRow()->indexOf(exitButton()), create);
    connect(create, &QPushButton::clicked, this, &TListClientForm::openSetup);

    search({});
}

void TListClientForm::search(const QString &text)
{
    m_search->setText(text);
    runSearch();
}

void TListClientForm::runSearch()
{
    try {
        const store::ListQuery q = supplierListQuery(shell::database(), m_search->text());
        grid()->showQuery(shell::database(), q.sql, q.params);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TListClientForm::openSetup()
{
    if (!shell::isGranted(shell::database(), shell::currentOperator().code, QStringLiteral("物品查询"))) {
        shell::Messages::info(this, shell::kDefaultDenial);
        return;
    }
    auto *setup = new TInitPrividerForm(this);
    setup->exec();
    // A supplier just set up is there to be picked.
    runSearch();
}

} // namespace customers
