#include "stock/forms/listproductform.h"
#include "stock/stockquery.h"

#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/messages.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace stock {

const QList<shell::ChooserTarget> &TListProductForm::targets()
{
    static const QList<shell::ChooserTarget> table = {
        {QStringLiteral("出库流水"), QStringLiteral("goodsBox"), shell::ChooserTarget::None, {}},
    };
    return table;
}

TListProductForm::TListProductForm(QWidget *opener)
    : ChooserForm(opener, QStringLiteral("物品信息清单"), QStringLiteral("物品名称"), targets())
{
    resize(820, 460);
    // Categories on the left; the search box above the goods on the right.
    auto *layout = static_cast<QVBoxLayout *>(body()->layout());
    layout->removeWidget(grid());
    auto *splitter = new QSplitter(body());
    m_categories = new shell::DataGrid(splitter);
    m_categories->setAccessibleName(QStringLiteral("物品类别"));
    m_categories->setColumns({{QStringLiteral("物品类别")}});
    auto *right = new QWidget(splitter);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    auto *searchRow = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("查找物品："), right);
    m_search = new QLineEdit(right);
    m_search->setObjectName(QStringLiteral("searchBox"));
    label->setBuddy(m_search);
    auto *find = new QPushButton(QStringLiteral("查找"), right);
    searchRow->addWidget(label);
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(find);
    rightLayout->addLayout(searchRow);
    grid()->setParent(right);
    rightLayout->addWidget(grid(), 1);
    splitter->addWidget(m_categories);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 3);
    layout->addWidget(splitter, 1);

    grid()->setColumns({{QStringLiteral("物品编号")}, {QStringLiteral("物品名称")}, {QStringLiteral("物品规格")},
                        {QStringLiteral("条形码")}});
    setHint(m_search, QStringLiteral("输入物品名称的一部分,按查找或回车查询物品!"));
    setHint(find, QStringLiteral("按下本按钮将查找物品!"));
    setHint(chooseButton(), QStringLiteral("按下本按钮将选择选中的物品!"));
    setHint(exitButton(), QStringLiteral("按下本按钮将退出物品选择!"));

    connect(find, &QPushButton::clicked, this, [this] { search(false); });
    connect(m_search, &QLineEdit::returnPressed, this, [this] { search(true); });
    connect(m_categories, &shell::DataGrid::currentRowChanged, this, &TListProductForm::showCategory);
    connect(m_categories, &shell::DataGrid::rowActivated, this, &TListProductForm::showCategory);

    try {
        const store::ListQuery query = categoryListQuery();
        m_categories->showQuery(shell::database(), query.sql, query.params);
        if (!m_categories->isEmpty())
            m_categories->setCurrentRow(0);
        showCategory(m_categories->currentRow());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TListProductForm::showCategory(int row)
{
    if (row < 0)
        return;
    try {
        const store::ListQuery query = goodsListQuery(m_categories->value(row, QStringLiteral("物品类别")).toString());
        grid()->showQuery(shell::database(), query.sql, query.params);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TListProductForm::search(bool nameOrBarcode)
{
    if (m_search->text().trimmed().isEmpty())
        return;
    try {
        const store::ListQuery query = goodsSearchQuery(shell::database(), m_search->text(), nameOrBarcode);
        grid()->showQuery(shell::database(), query.sql, query.params);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

} // namespace stock
