#include "workshop/forms/serviceitemform.h"
#include "workshop/workshoperror.h"
#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/gridview.h"
#include "shell/common/messages.h"
#include "shell/common/setupform.h"
#include "shell/common/operatorcontext.h"

#include <QAbstractItemDelegate>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>

namespace workshop {

namespace {
const QString kCategory = QStringLiteral("服务项目类别");
const QString kName = QStringLiteral("服务项目名称");
const QString kFee = QStringLiteral("服务收费金额");
const QString kLowest = QStringLiteral("最低收费金额");

std::optional<store::Money> moneyIn(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return std::nullopt;
    return store::Money::fromVariant(v);
}
QVariant variantOf(const std::optional<store::Money> &m)
{
    return m ? m->toVariant() : QVariant();
}
} // namespace

TInitServiceItemForm::TInitServiceItemForm(QWidget *parent) : FunctionForm(parent, QStringLiteral("维修项目设置"))
{
    resize(760, 480);
    auto *layout = new QHBoxLayout(body());

    m_categories = new shell::LineModel({{kCategory, shell::LineField::Text, 50}}, this);
    m_categoryGrid = new shell::DataGrid(body());
    m_categoryGrid->setAccessibleName(QStringLiteral("服务类别"));
    m_categoryGrid->setModel(m_categories);
    m_categoryGrid->setColumns({{kCategory, QStringLiteral("服务类别"), {}, {}, false, false, 160}});
    layout->addWidget(m_categoryGrid, 1);

    m_items = new shell::SetupLines({{kCategory, shell::LineField::Text, 50},
                                    {kName, shell::LineField::Text, 100},
                                    {kFee, shell::LineField::Money},
                                    {kLowest, shell::LineField::Money}},
                                   this);
    m_itemGrid = new shell::DataGrid(body());
    m_itemGrid->setAccessibleName(QStringLiteral("维修项目"));
    m_itemGrid->setModel(m_items);
    m_itemGrid->setColumns({{kCategory, QStringLiteral("服务类别"), {}, {}, false, true, 110},
                            {kName, QStringLiteral("维修项目名称"), {}, {}, false, false, 220},
                            {kFee, QStringLiteral("工时费"), QStringLiteral("##0.00")},
                            {kLowest, QStringLiteral("最低收费"), QStringLiteral("##0.00")}});
    layout->addWidget(m_itemGrid, 3);
    m_itemGrid->view()->installEventFilter(this);
    // Esc inside a cell's editor drops the change as Esc in the grid does.
    connect(m_itemGrid->view()->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget *, QAbstractItemDelegate::EndEditHint hint) {
                if (hint == QAbstractItemDelegate::RevertModelCache && m_state != State::Idle)
                    cancelEdit();
            }, Qt::QueuedConnection);

    setHint(m_categoryGrid, QStringLiteral("在这里选择不同的服务项目的类别!!!"));
    setHint(m_itemGrid, QStringLiteral("在这里输入服务项目信息,项目名称与收费金额不能为空!"));
    connect(addButton(QStringLiteral("新增"), QStringLiteral("按本按钮新增服务项目!")), &QPushButton::clicked, this,
            &TInitServiceItemForm::addClicked);
    connect(addButton(QStringLiteral("修改"), QStringLiteral("按本按钮修改服务项目!")), &QPushButton::clicked, this,
            &TInitServiceItemForm::modifyClicked);
    connect(addButton(QStringLiteral("删除"), QStringLiteral("按本按钮删除服务项目!")), &QPushButton::clicked, this,
            &TInitServiceItemForm::deleteClicked);
    connect(addButton(QStringLiteral("保存"), QStringLiteral("按本按钮保存服务项目!")), &QPushButton::clicked, this,
            &TInitServiceItemForm::saveClicked);
    addExitButton(QStringLiteral("按本按钮退出服务项目设置!"));

    try {
        for (const QString &name : serviceCategories(shell::database()))
            m_categories->appendLine({{kCategory, name}});
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
    connect(m_categoryGrid, &shell::DataGrid::currentRowChanged, this, [this] { loadItems(); });
    if (m_categories->lineCount() > 0)
        m_categoryGrid->setCurrentRow(0);
}

QString TInitServiceItemForm::currentCategory() const
{
    const int row = m_categoryGrid->currentRow();
    return row < 0 ? QString() : m_categories->value(row, kCategory).toString();
}

ServiceItem TInitServiceItemForm::itemAt(int row) const
{
    return {m_items->value(row, kCategory).toString(), m_items->value(row, kName).toString(),
            moneyIn(m_items->value(row, kFee)), moneyIn(m_items->value(row, kLowest))};
}

void TInitServiceItemForm::loadItems(const ServiceItem *select)
{
    m_items->setEditableRow(shell::SetupLines::kNone);
    m_items->clear();
    const QString category = currentCategory();
    if (category.isNull())
        return;
    try {
        for (const ServiceItem &i : serviceItems(shell::database(), category)) {
            const int row = m_items->appendLine({{kCategory, i.category}, {kName, i.name}, {kFee, variantOf(i.fee)},
                                                 {kLowest, variantOf(i.lowestFee)}});
            if (select && i == *select)
                m_itemGrid->setCurrentRow(row);
        }
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitServiceItemForm::focusCell(int row, const QString &field)
{
    m_itemGrid->setCurrentRow(row);
    const QModelIndex source = m_items->index(row, m_items->fieldIndex(field));
    QAbstractItemView *view = m_itemGrid->view();
    const QModelIndex index = view->model()->index(row, source.column());
    view->setCurrentIndex(index);
    view->setFocus(Qt::OtherFocusReason);
    view->edit(index);
}

void TInitServiceItemForm::editRow(int row, State state)
{
    m_state = state;
    m_items->setEditableRow(row);
    m_itemGrid->setReadOnly(false);
    // Categories stay put while an item is open: its rows would be replaced otherwise.
    m_categoryGrid->setEnabled(false);
    focusCell(row, kName);
}

void TInitServiceItemForm::leaveEditing()
{
    m_state = State::Idle;
    m_items->setEditableRow(shell::SetupLines::kNone);
    m_itemGrid->setReadOnly(true);
    m_categoryGrid->setEnabled(true);
}

void TInitServiceItemForm::addClicked()
{
    if (m_state == State::Adding) {
        shell::Messages::info(this, QStringLiteral("您已经按了新增按钮,正在新增服务项目中!"));
        return;
    }
    if (m_state == State::Modifying)
        cancelEdit();
    const QString category = currentCategory();
    if (category.isNull()) {
        shell::Messages::info(this, QStringLiteral("请先在左边选择服务项目的类别!"));
        return;
    }
    const int row = m_items->appendLine({{kCategory, category}});
    editRow(row, State::Adding);
}

void TInitServiceItemForm::modifyClicked()
{
    if (m_state == State::Adding) {
        shell::Messages::info(this, QStringLiteral("正在新增服务项目中,不能修改,请先保存服务内容再进行修改!"));
        return;
    }
    const int row = m_itemGrid->currentRow();
    if (row < 0)
        return;
    if (m_state == State::Idle)
        m_original = itemAt(row);
    editRow(row, State::Modifying);
}

void TInitServiceItemForm::saveClicked()
{
    if (m_state == State::Idle)
        return;
    const int row = m_items->editableRow();
    const ServiceItem item = itemAt(row);
    try {
        checkServiceItem(item);
        if (m_state == State::Adding)
            addServiceItem(shell::database(), item, shell::currentOperator().name);
        else
            updateServiceItem(shell::database(), m_original, item, shell::currentOperator().name);
    } catch (const WorkshopError &e) {
        shell::Messages::info(this, e.message());
        if (!e.box().isEmpty())
            focusCell(row, e.box());
        return;
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    leaveEditing();
    loadItems(&item);
    showStatus(QStringLiteral("    服务项目信息保存成功!"));
}

void TInitServiceItemForm::deleteClicked()
{
    // The unsaved new row is simply dropped.
    if (m_state == State::Adding) {
        cancelEdit();
        return;
    }
    if (m_state == State::Modifying)
        cancelEdit();
    const int row = m_itemGrid->currentRow();
    if (row < 0)
        return;
    if (!shell::Messages::question(this, QStringLiteral("若删除服务项目,将会影响整个系统使用！小心删除！"),
                                   QStringLiteral("系统提示"), QMessageBox::Warning))
        return;
    try {
        deleteServiceItem(shell::database(), itemAt(row), shell::currentOperator().name);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    loadItems();
}

void TInitServiceItemForm::cancelEdit()
{
    const int row = m_items->editableRow();
    const State state = m_state;
    leaveEditing();
    if (state == State::Adding)
        m_items->removeLine(row);
    else if (state == State::Modifying && row >= 0)
        m_items->setLine(row, {{kCategory, m_original.category}, {kName, m_original.name},
                               {kFee, variantOf(m_original.fee)}, {kLowest, variantOf(m_original.lowestFee)}});
}

bool TInitServiceItemForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_itemGrid->view() && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && m_state != State::Idle) {
        cancelEdit();
        return true;
    }
    return FunctionForm::eventFilter(watched, event);
}

} // namespace workshop
