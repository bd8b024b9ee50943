#include "stock/forms/initproductobjectform.h"
#include "stock/categoryservice.h"
#include "stock/stockerror.h"

#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/gridproxy.h"
#include "shell/common/gridview.h"
#include "shell/common/linemodel.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace stock {

namespace {
const QString kCode = QStringLiteral("物品类别编号");
const QString kName = QStringLiteral("物品类别");

// Category rows; only the row being added takes a name.
class CategoryLines : public shell::LineModel {
public:
    explicit CategoryLines(QObject *parent)
        : LineModel({{kCode, shell::LineField::Text, 3, {}}, {kName, shell::LineField::Text, 24, {}}}, parent) {}
    int editableRow = -1;
    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        Qt::ItemFlags f = LineModel::flags(index);
        if (index.row() != editableRow)
            f &= ~Qt::ItemIsEditable;
        return f;
    }
};
} // namespace

TInitProductObjectForm::TInitProductObjectForm(QWidget *parent)
    : FunctionForm(parent, QStringLiteral("物品类别设置")), m_lines(new CategoryLines(this))
{
    auto *layout = new QVBoxLayout(body());
    m_grid = new shell::DataGrid(body());
    m_grid->setAccessibleName(QStringLiteral("物品类别"));
    shell::GridColumn code{kCode};
    code.readOnly = true;
    m_grid->setColumns({code, {kName}});
    m_grid->setModel(m_lines);
    m_grid->setReadOnly(true);
    m_grid->setMinimumSize(420, 360);
    m_grid->view()->installEventFilter(this);
    layout->addWidget(m_grid);
    setHint(m_grid, QStringLiteral("在这里输入物品类别名称!"));

    connect(addButton(QStringLiteral("新增")), &QPushButton::clicked, this, &TInitProductObjectForm::addNew);
    connect(addButton(QStringLiteral("删除")), &QPushButton::clicked, this, &TInitProductObjectForm::remove);
    connect(addButton(QStringLiteral("保存")), &QPushButton::clicked, this, &TInitProductObjectForm::save);
    addExitButton();

    try {
        load();
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitProductObjectForm::load()
{
    m_lines->clear();
    static_cast<CategoryLines *>(m_lines)->editableRow = -1;
    for (const Category &c : categories(shell::database()))
        m_lines->appendLine({{kCode, c.code}, {kName, c.name}});
}

void TInitProductObjectForm::focusNameCell()
{
    const int row = m_lines->lineCount() - 1;
    m_grid->setCurrentRow(row);
    m_grid->view()->setCurrentIndex(m_grid->proxy()->index(row, m_lines->fieldIndex(kName)));
    m_grid->view()->setFocus(Qt::OtherFocusReason);
}

void TInitProductObjectForm::addNew()
{
    if (m_adding) {
        shell::Messages::info(this, QStringLiteral("您已经按下了新增按钮，请先完成新增资料保存后再新增！"));
        return;
    }
    try {
        load();
        const int row = m_lines->appendLine({{kCode, nextCategoryCode(shell::database())}});
        static_cast<CategoryLines *>(m_lines)->editableRow = row;
        m_grid->setReadOnly(false);
        m_adding = true;
        focusNameCell();
    } catch (const StockError &e) {
        shell::Messages::warning(this, e.message());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitProductObjectForm::save()
{
    if (!m_adding)
        return;
    // A name still being typed counts.
    if (QWidget *editor = QApplication::focusWidget(); editor && m_grid->isAncestorOf(editor) && editor != m_grid->view())
        m_grid->view()->setFocus(Qt::OtherFocusReason);
    const int row = m_lines->lineCount() - 1;
    try {
        addCategory(shell::database(), m_lines->value(row, kName).toString(), shell::currentOperator().name);
        m_adding = false;
        m_grid->setReadOnly(true);
        load();
        showStatus(QStringLiteral("物品类别设置成功！"));
        m_grid->setCurrentRow(m_lines->lineCount() - 1);
    } catch (const StockError &e) {
        shell::Messages::warning(this, e.message());
        if (e.message() == QStringLiteral("该物品类别已经存在，无需重复设置！"))
            m_lines->setValue(row, kName, QString());
        focusNameCell();
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitProductObjectForm::cancelAdding()
{
    if (!m_adding)
        return;
    m_adding = false;
    m_grid->setReadOnly(true);
    try {
        load();
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitProductObjectForm::remove()
{
    if (!shell::canDeleteOrModifyCompleted()) {
        shell::Messages::warning(this, QStringLiteral("只有经理或管理员才能删除物品类别信息!"));
        return;
    }
    const int row = m_grid->currentRow();
    if (row < 0)
        return;
    if (!shell::Messages::question(this, QStringLiteral("若删除物品类别,将会影响整个系统使用！小心删除！"),
                                   QStringLiteral("系统提示"), QMessageBox::Warning))
        return;
    const bool unsaved = m_adding && row == m_lines->lineCount() - 1;
    try {
        if (!unsaved)
            deleteCategory(shell::database(), m_lines->value(row, kName).toString(), shell::currentOperator());
        m_adding = false;
        m_grid->setReadOnly(true);
        load();
    } catch (const StockError &e) {
        shell::Messages::warning(this, e.message());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

bool TInitProductObjectForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid->view() && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && m_adding) {
        cancelAdding();
        return true;
    }
    return FunctionForm::eventFilter(watched, event);
}

} // namespace stock
