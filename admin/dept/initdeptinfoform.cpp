#include "admin/dept/initdeptinfoform.h"
#include "admin/dept/depterror.h"
#include "admin/dept/deptservice.h"

#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/gridproxy.h"
#include "shell/common/gridview.h"
#include "shell/common/linemodel.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace admin {

namespace {
const QString kCode = QStringLiteral("部门编号");
const QString kName = QStringLiteral("部门名称");

QVariantMap toLine(const Department &d)
{
    return {{kCode, d.code}, {kName, d.name}, {QStringLiteral("部门地址"), d.address},
            {QStringLiteral("部门电话"), d.phone}, {QStringLiteral("部门传真"), d.fax},
            {QStringLiteral("联系人"), d.contact}};
}

Department fromLine(const QVariantMap &l)
{
    return {l.value(kCode).toString(), l.value(kName).toString(), l.value(QStringLiteral("部门地址")).toString(),
            l.value(QStringLiteral("部门电话")).toString(), l.value(QStringLiteral("部门传真")).toString(),
            l.value(QStringLiteral("联系人")).toString()};
}
} // namespace

// The department rows; only the new row (adding) or every row (modifying) takes edits.
class DeptLines : public shell::LineModel {
public:
    explicit DeptLines(QObject *parent)
        : LineModel({{kCode, shell::LineField::Text, 4, {}},
                     {kName, shell::LineField::Text, 50, {}},
                     {QStringLiteral("部门地址"), shell::LineField::Text, 50, {}},
                     {QStringLiteral("部门电话"), shell::LineField::Text, 24, {}},
                     {QStringLiteral("部门传真"), shell::LineField::Text, 24, {}},
                     {QStringLiteral("联系人"), shell::LineField::Text, 50, {}}},
                    parent) {}

    static constexpr int kNone = -1;
    static constexpr int kAll = -2;
    void setEditableRow(int row) { m_editable = row; }

    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        Qt::ItemFlags f = LineModel::flags(index);
        if (m_editable != kAll && index.row() != m_editable)
            f &= ~Qt::ItemIsEditable;
        return f;
    }

private:
    int m_editable = kNone;
};

TInitDeptInfoForm::TInitDeptInfoForm(QWidget *parent)
    : FunctionForm(parent, QStringLiteral("部门信息设置")), m_lines(new DeptLines(this))
{
    auto *layout = new QVBoxLayout(body());
    m_grid = new shell::DataGrid(body());
    m_grid->setAccessibleName(QStringLiteral("部门信息"));
    shell::GridColumn code{kCode};
    code.readOnly = true;
    m_grid->setColumns({code, {kName}, {QStringLiteral("部门地址")}, {QStringLiteral("部门电话")},
                        {QStringLiteral("部门传真")}, {QStringLiteral("联系人")}});
    m_grid->setModel(m_lines);
    m_grid->setReadOnly(true);
    m_grid->setMinimumSize(760, 320);
    layout->addWidget(m_grid);
    setHint(m_grid, QStringLiteral("在这里输入部门信息!"));
    setHint(m_grid->view(), QStringLiteral("在这里输入部门信息!"));

    // Enter in a cell stores the cell and moves on to the next one.
    for (QTableView *view : {static_cast<QTableView *>(m_grid->view()), m_grid->view()->frozenView()})
        connect(view->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
                [this, view](QWidget *, QAbstractItemDelegate::EndEditHint hint) {
                    if (hint == QAbstractItemDelegate::SubmitModelCache)
                        QTimer::singleShot(0, this, [this, view] { moveToNextCell(view); });
                });

    connect(addButton(QStringLiteral("新增"), QStringLiteral("按本按钮新增部门信息!")), &QPushButton::clicked, this,
            &TInitDeptInfoForm::addNew);
    connect(addButton(QStringLiteral("修改"), QStringLiteral("按本按钮修改部门信息!")), &QPushButton::clicked, this,
            &TInitDeptInfoForm::modify);
    connect(addButton(QStringLiteral("删除"), QStringLiteral("按本按钮删除部门信息!")), &QPushButton::clicked, this,
            &TInitDeptInfoForm::remove);
    connect(addButton(QStringLiteral("保存"), QStringLiteral("按本按钮保存部门信息!")), &QPushButton::clicked, this,
            &TInitDeptInfoForm::save);
    addExitButton(QStringLiteral("按本按钮退出!"));

    try {
        load();
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

TInitDeptInfoForm::~TInitDeptInfoForm() = default;

void TInitDeptInfoForm::load()
{
    const QList<Department> list = departments(shell::database());
    m_lines->clear();
    m_loaded.clear();
    for (const Department &d : list) {
        m_lines->appendLine(toLine(d));
        m_loaded << m_lines->line(m_lines->lineCount() - 1);
    }
}

void TInitDeptInfoForm::setEditing(bool editing)
{
    if (!editing)
        m_lines->setEditableRow(DeptLines::kNone);
    m_grid->setReadOnly(!editing);
}

void TInitDeptInfoForm::focusCell(int row, const QString &field)
{
    m_grid->setCurrentRow(row);
    const QModelIndex index = m_grid->proxy()->index(row, m_lines->fieldIndex(field));
    QTableView *view = m_grid->view();
    view->setCurrentIndex(index);
    view->setFocus(Qt::OtherFocusReason);
}

void TInitDeptInfoForm::moveToNextCell(QTableView *view)
{
    const QModelIndex current = view->currentIndex();
    if (!current.isValid() || m_grid->isReadOnly())
        return;
    const QList<int> visible = m_grid->visibleColumns();
    const int at = visible.indexOf(current.column());
    if (at < 0 || at + 1 >= visible.size())
        return;
    view->setCurrentIndex(view->model()->index(current.row(), visible.at(at + 1)));
}

void TInitDeptInfoForm::addNew()
{
    if (m_adding) {
        shell::Messages::info(this, QStringLiteral("您已按下了新增按钮，请先保存后再进行新增"));
        return;
    }
    try {
        load();
        const int row = m_lines->appendLine({{kCode, nextDepartmentCode(shell::database())}});
        m_lines->setEditableRow(row);
        setEditing(true);
        m_adding = true;
        focusCell(row, kName);
    } catch (const DeptError &e) {
        shell::Messages::error(this, e.message());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitDeptInfoForm::modify()
{
    if (m_adding) {
        shell::Messages::info(this, QStringLiteral("您正在新增一个部门，请选择保存后再进行修改！"));
        return;
    }
    m_lines->setEditableRow(DeptLines::kAll);
    setEditing(true);
    focusCell(qMax(0, m_grid->currentRow()), kName);
}

void TInitDeptInfoForm::save()
{
    // A cell still being typed in counts.
    if (QWidget *editor = QApplication::focusWidget(); editor && m_grid->isAncestorOf(editor))
        m_grid->view()->setFocus(Qt::OtherFocusReason);
    const QString who = shell::currentOperator().name;
    try {
        if (m_adding) {
            const int row = m_lines->lineCount() - 1;
            addDepartment(shell::database(), fromLine(m_lines->line(row)), who);
            m_adding = false;
            setEditing(false);
            load();
            showStatus(QStringLiteral("新增部门保存成功！"));
            return;
        }
        QList<Department> changed;
        for (int row = 0; row < m_lines->lineCount() && row < m_loaded.size(); ++row)
            if (m_lines->line(row) != m_loaded.at(row))
                changed << fromLine(m_lines->line(row));
        if (!changed.isEmpty())
            updateDepartments(shell::database(), changed, who);
        setEditing(false);
        load();
        showStatus(QStringLiteral("修改部门保存成功！"));
    } catch (const DeptError &e) {
        shell::Messages::warning(this, e.message());
        if (m_adding)
            focusCell(m_lines->lineCount() - 1, kName);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitDeptInfoForm::remove()
{
    if (!shell::canDeleteOrModifyCompleted()) {
        shell::Messages::warning(this, QStringLiteral("只有经理或管理员才能删除部门!"));
        return;
    }
    const int row = m_grid->currentRow();
    if (row < 0)
        return;
    if (!shell::Messages::question(this, QStringLiteral("若删除部门,可能会影响整个系统使用！小心删除！"),
                                   QStringLiteral("系统提示"), QMessageBox::Warning)) {
        showStatus(QStringLiteral("删除被取消了!"));
        return;
    }
    const QString code = m_lines->value(row, kCode).toString();
    if (code == kHeadOfficeCode)
        return;
    try {
        // The unsaved new row just goes; a stored branch goes with its warehouse.
        if (!(m_adding && row == m_lines->lineCount() - 1))
            deleteDepartment(shell::database(), code, shell::currentOperator());
        m_adding = false;
        setEditing(false);
        load();
    } catch (const DeptError &e) {
        shell::Messages::warning(this, e.message());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

} // namespace admin
