#include "stock/forms/initproductinfoform.h"
#include "stock/forms/enterproductinfoform.h"
#include "stock/goodsservice.h"
#include "stock/stockquery.h"
#include "store/ruleerror.h"

#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/gridexport.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSplitter>

namespace stock {

namespace {
QList<shell::GridColumn> goodsColumns(const QStringList &order)
{
    const QHash<QString, shell::GridColumn> all = {
        {QStringLiteral("物品编号"), {QStringLiteral("物品编号")}},
        {QStringLiteral("物品名称"), {QStringLiteral("物品名称"), QStringLiteral("物品名称（物品全称）")}},
        {QStringLiteral("物品规格"), {QStringLiteral("物品规格")}},
        {QStringLiteral("物品类别"), {QStringLiteral("物品类别")}},
        {QStringLiteral("品牌"), {QStringLiteral("品牌")}},
        {QStringLiteral("物品单位"), {QStringLiteral("物品单位"), QStringLiteral("单位")}},
        {QStringLiteral("参考进货价"), {QStringLiteral("参考进货价"), {}, QStringLiteral("##0.00")}},
        {QStringLiteral("参考销售价"), {QStringLiteral("参考销售价"), {}, QStringLiteral("##0.00")}},
        {QStringLiteral("最低销售价"), {QStringLiteral("最低销售价"), {}, QStringLiteral("##0.00")}},
        {QStringLiteral("最高库存限额"), {QStringLiteral("最高库存限额")}},
        {QStringLiteral("最低库存限额"), {QStringLiteral("最低库存限额")}},
        {QStringLiteral("条形码"), {QStringLiteral("条形码")}},
    };
    QList<shell::GridColumn> columns;
    for (const QString &field : order)
        columns << all.value(field);
    return columns;
}
} // namespace

TInitProductInfoForm::TInitProductInfoForm(QWidget *parent) : FunctionForm(parent, QStringLiteral("物品信息设置"))
{
    resize(980, 560);
    auto *layout = new QHBoxLayout(body());
    auto *splitter = new QSplitter(body());
    layout->addWidget(splitter);
    m_categories = new shell::DataGrid(splitter);
    m_categories->setAccessibleName(QStringLiteral("物品类别"));
    m_categories->setColumns({{QStringLiteral("物品类别")}});
    m_goods = new shell::DataGrid(splitter);
    m_goods->setAccessibleName(QStringLiteral("物品信息"));
    m_goods->setColumns(goodsColumns({"物品编号", "物品名称", "物品规格", "品牌", "物品单位", "参考进货价", "参考销售价",
                                      "最低销售价", "最高库存限额", "最低库存限额", "条形码"}));
    m_goods->setFindEnabled(true);
    splitter->addWidget(m_categories);
    splitter->addWidget(m_goods);
    splitter->setStretchFactor(1, 4);
    setHint(m_categories, QStringLiteral("选择物品类别,右边显示该类别的物品"));
    setHint(m_goods, QStringLiteral("该类别的物品信息"));

    m_export = new shell::DataGrid(this);
    m_export->hide();
    m_export->setColumns(goodsColumns({"物品编号", "物品名称", "品牌", "物品规格", "物品类别", "物品单位", "参考进货价",
                                       "参考销售价", "最低销售价", "最高库存限额", "最低库存限额", "条形码"}));

    connect(addButton(QStringLiteral("新增")), &QPushButton::clicked, this, &TInitProductInfoForm::addNew);
    connect(addButton(QStringLiteral("修改")), &QPushButton::clicked, this, &TInitProductInfoForm::modify);
    connect(addButton(QStringLiteral("删除")), &QPushButton::clicked, this, &TInitProductInfoForm::remove);
    connect(addButton(QStringLiteral("导出")), &QPushButton::clicked, this, &TInitProductInfoForm::exportGoods);
    addExitButton();

    connect(m_categories, &shell::DataGrid::currentRowChanged, this, [this] { showGoods(); });
    connect(m_goods, &shell::DataGrid::currentRowChanged, this, &TInitProductInfoForm::goodsClicked);

    try {
        const store::ListQuery query = categoryListQuery();
        m_categories->showQuery(shell::database(), query.sql, query.params);
        if (!m_categories->isEmpty())
            m_categories->setCurrentRow(0);
        showGoods();
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

QString TInitProductInfoForm::selectedCategory() const
{
    const int row = m_categories->currentRow();
    return row >= 0 ? m_categories->value(row, QStringLiteral("物品类别")).toString() : QString();
}

void TInitProductInfoForm::showGoods()
{
    try {
        const store::ListQuery query = goodsListQuery(selectedCategory());
        m_goods->showQuery(shell::database(), query.sql, query.params);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitProductInfoForm::showClash(const store::ListQuery &clash)
{
    try {
        m_goods->showQuery(shell::database(), clash.sql, clash.params);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitProductInfoForm::goodsClicked(int row)
{
    if (row < 0)
        return;
    m_lastName = m_goods->value(row, QStringLiteral("物品名称")).toString();
    m_lastBrand = m_goods->value(row, QStringLiteral("品牌")).toString();
    m_lastUnit = m_goods->value(row, QStringLiteral("物品单位")).toString();
}

void TInitProductInfoForm::openDialog(TEnterProDuctInfoForm *dialog)
{
    connect(dialog, &TEnterProDuctInfoForm::clashFound, this, &TInitProductInfoForm::showClash);
    connect(dialog, &TEnterProDuctInfoForm::goodsSaved, this, [this](const QString &status) {
        showGoods();
        showStatus(status);
    });
    dialog->exec();
    // The dialog is gone: the list is the category's again, the starting point forgotten.
    m_lastName.clear();
    m_lastBrand.clear();
    m_lastUnit.clear();
    showGoods();
}

void TInitProductInfoForm::addNew()
{
    const QString category = selectedCategory();
    if (category.isEmpty()) {
        shell::Messages::warning(this, QStringLiteral("请先在左边选择一个物品类别!"));
        return;
    }
    auto *dialog = new TEnterProDuctInfoForm(this);
    dialog->startAdding(category, m_lastName, m_lastBrand, m_lastUnit);
    openDialog(dialog);
}

void TInitProductInfoForm::modify()
{
    const int row = m_goods->currentRow();
    if (row < 0)
        return;
    if (!shell::Messages::question(this, QStringLiteral("你确认要修改该物品信息吗?"), QStringLiteral("系统提示")))
        return;
    auto *dialog = new TEnterProDuctInfoForm(this);
    if (!dialog->startModifying(m_goods->value(row, QStringLiteral("物品编号")).toString())) {
        delete dialog;
        return;
    }
    openDialog(dialog);
}

void TInitProductInfoForm::remove()
{
    if (!shell::canDeleteOrModifyCompleted()) {
        shell::Messages::warning(this, QStringLiteral("只有经理或管理员才能删除物品信息!"));
        return;
    }
    const int row = m_goods->currentRow();
    if (row < 0)
        return;
    if (!shell::Messages::question(this, QStringLiteral("若删除物品信息,有可能会影响整个系统使用！真的要删除吗?"),
                                   QStringLiteral("系统提示")))
        return;
    try {
        deleteGoods(shell::database(), m_goods->value(row, QStringLiteral("物品编号")).toString(), shell::currentOperator());
        showGoods();
    } catch (const store::RuleError &e) {
        shell::Messages::warning(this, e.message());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitProductInfoForm::exportGoods()
{
    try {
        const store::ListQuery query = goodsListQuery(selectedCategory());
        m_export->showQuery(shell::database(), query.sql, query.params);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    shell::ExportOptions options;
    options.errorText = QStringLiteral("你没有安装微软的EXCEL2000以上程序!");
    shell::exportGrid(m_export, options);
}

} // namespace stock
