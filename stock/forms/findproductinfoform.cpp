#include "stock/forms/findproductinfoform.h"
#include "stock/forms/listproductobjectform.h"
#include "stock/stockquery.h"

#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/gridexport.h"
#include "shell/common/messages.h"

#include <QEvent>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace stock {

TFindProductInfoForm::TFindProductInfoForm(QWidget *parent) : FunctionForm(parent, QStringLiteral("物品查询"))
{
    resize(900, 520);
    auto *layout = new QVBoxLayout(body());
    auto *conditions = new QHBoxLayout;
    layout->addLayout(conditions);
    m_name = new QLineEdit(body());
    m_name->setObjectName(QStringLiteral("nameBox"));
    m_category = new QLineEdit(body());
    m_category->setObjectName(QStringLiteral("categoryBox"));
    m_category->setReadOnly(true);
    m_category->installEventFilter(this);
    for (const auto &[text, box] : {std::pair{QStringLiteral("物品名称："), m_name},
                                    std::pair{QStringLiteral("物品类型："), m_category}}) {
        auto *label = new QLabel(text, body());
        label->setBuddy(box);
        conditions->addWidget(label);
        conditions->addWidget(box, 1);
    }
    setHint(m_name, QStringLiteral("请在这里输入物品名称，本功能可以模糊查询"));
    setHint(m_category, QStringLiteral("双击这里(或按F4)选择物品类型,不选择则查询所有类型"));

    m_grid = new shell::DataGrid(body());
    m_grid->setAccessibleName(QStringLiteral("物品库存"));
    m_grid->setColumns({{QStringLiteral("物品类型")}, {QStringLiteral("物品编号")}, {QStringLiteral("物品名称")},
                        {QStringLiteral("物品规格")}, {QStringLiteral("物品单位"), QStringLiteral("单位")},
                        {QStringLiteral("建议销售价"), {}, QStringLiteral("##0.00")},
                        {QStringLiteral("最低销售价"), {}, QStringLiteral("##0.00")},
                        {QStringLiteral("物品数量"), {}, QStringLiteral("##0.000")},
                        {QStringLiteral("条形码")}, {QStringLiteral("仓库")}});
    m_grid->setFindEnabled(true);
    layout->addWidget(m_grid, 1);
    setHint(m_grid, QStringLiteral("物品在各仓库的库存"));

    QPushButton *findButton = addButton(QStringLiteral("查找"), QStringLiteral("按下本按钮将按条件查找物品库存!"));
    connect(findButton, &QPushButton::clicked, this, &TFindProductInfoForm::find);
    connect(addButton(QStringLiteral("导出")), &QPushButton::clicked, this, &TFindProductInfoForm::exportList);
    addExitButton();
    // Enter in either box runs the query.
    connect(m_name, &QLineEdit::returnPressed, this, &TFindProductInfoForm::find);
    connect(m_category, &QLineEdit::returnPressed, this, &TFindProductInfoForm::find);

    find();
}

void TFindProductInfoForm::find()
{
    try {
        const store::ListQuery query = stockRowsQuery(shell::database(), m_name->text(), m_category->text());
        m_grid->showQuery(shell::database(), query.sql, query.params);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TFindProductInfoForm::exportList()
{
    shell::ExportOptions options;
    options.emptyMessage = QStringLiteral("没有物品库存资料可以导出,谢谢合作!");
    shell::exportGrid(m_grid, options);
}

void TFindProductInfoForm::chooseCategory()
{
    auto *chooser = new TListProDuctObjectForm(this);
    chooser->setCallerTag(QStringLiteral("物品查询"));
    chooser->exec();
}

bool TFindProductInfoForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_category && event->type() == QEvent::MouseButtonDblClick) {
        chooseCategory();
        return true;
    }
    // The category box can be emptied again from the keyboard.
    if (watched == m_category && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_F4) {
            chooseCategory();
            return true;
        }
        if (key == Qt::Key_Delete || key == Qt::Key_Backspace) {
            m_category->clear();
            return true;
        }
    }
    return FunctionForm::eventFilter(watched, event);
}

} // namespace stock
