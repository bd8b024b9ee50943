#include "workshop/forms/serviceitemchooser.h"
#include "workshop/serviceitems.h"
#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/linemodel.h"
#include "shell/common/messages.h"

#include <QBoxLayout>
#include <QPushButton>

namespace workshop {

namespace {
const QString kCategory = QStringLiteral("服务项目类别");
const QString kName = QStringLiteral("服务项目名称");
const QString kFee = QStringLiteral("服务收费金额");
} // namespace

QList<shell::ChooserTarget> TListServiceItemForm::targets()
{
    return {
        {QStringLiteral("托收单录入"), kServiceItemBox, shell::ChooserTarget::None,
         [](QWidget *opener, const QVariantMap &row) {
             if (QWidget *fee = opener->findChild<QWidget *>(kLabourFeeBox)) {
                 const QVariant v = row.value(kFee);
                 shell::setBoxText(fee, v.isNull() ? QString() : store::Money::fromVariant(v).toString2());
             }
         }},
        {QStringLiteral("维修业务统计"), kServiceItemBox},
    };
}

TListServiceItemForm::TListServiceItemForm(QWidget *opener)
    : ChooserForm(opener, QStringLiteral("服务项目清单"), kName, targets())
{
    resize(620, 420);
    m_categories = new shell::LineModel({{kCategory, shell::LineField::Text, 50}}, this);
    m_items = new shell::LineModel({{kName, shell::LineField::Text, 100}, {kFee, shell::LineField::Money}}, this);

    // Categories at the left of the item grid.
    auto *outer = qobject_cast<QBoxLayout *>(body()->layout());
    outer->removeWidget(grid());
    auto *row = new QHBoxLayout;
    m_categoryGrid = new shell::DataGrid(body());
    m_categoryGrid->setAccessibleName(QStringLiteral("服务类别"));
    m_categoryGrid->setModel(m_categories);
    m_categoryGrid->setColumns({{kCategory, QStringLiteral("服务类别"), {}, {}, false, false, 140}});
    row->addWidget(m_categoryGrid, 1);
    row->addWidget(grid(), 2);
    outer->addLayout(row);

    grid()->setModel(m_items);
    grid()->setColumns({{kName, QStringLiteral("维修项目名称"), {}, {}, false, false, 220},
                        {kFee, QStringLiteral("工时费"), QStringLiteral("##0.00")}});
    setHint(chooseButton(), QStringLiteral("按下本按钮将选择服务项目!"));
    setHint(exitButton(), QStringLiteral("按下本按钮将退出!"));
    setStatusBarHint(QStringLiteral("操作提示信息显示栏"));

    try {
        for (const QString &name : serviceCategories(shell::database()))
            m_categories->appendLine({{kCategory, name}});
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
    connect(m_categoryGrid, &shell::DataGrid::currentRowChanged, this, &TListServiceItemForm::loadItems);
    if (m_categories->lineCount() > 0)
        m_categoryGrid->setCurrentRow(0);
}

void TListServiceItemForm::loadItems()
{
    m_items->clear();
    const int row = m_categoryGrid->currentRow();
    if (row < 0)
        return;
    try {
        for (const ServiceItem &i : serviceItems(shell::database(), m_categories->value(row, kCategory).toString()))
            m_items->appendLine({{kName, i.name}, {kFee, i.fee ? i.fee->toVariant() : QVariant()}});
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
    if (m_items->lineCount() > 0)
        grid()->setCurrentRow(0);
}

} // namespace workshop
