#include "customers/suppliers/initprividerform.h"
#include "customers/suppliers/suppliererror.h"
#include "customers/suppliers/supplierservice.h"

#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/gridproxy.h"
#include "shell/common/gridview.h"
#include "shell/common/linemodel.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "store/db.h"

#include <QAbstractItemDelegate>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace customers {

namespace {

const QString kNameField = QStringLiteral("供销商名称");
const QString kCodeField = QStringLiteral("供销商编号");

QList<shell::LineField> supplierFields()
{
    QList<shell::LineField> fields;
    for (const SupplierColumn &c : supplierColumns())
        fields.append({c.name, shell::LineField::Text, c.width, {}});
    return fields;
}

} // namespace

// The supplier rows; only the rows being added or modified take edits.
class SupplierLines : public shell::LineModel {
public:
    explicit SupplierLines(QObject *parent) : LineModel(supplierFields(), parent) {}

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

TInitPrividerForm::TInitPrividerForm(QWidget *parent)
    : FunctionForm(parent, QStringLiteral("供销商设置")), m_lines(new SupplierLines(this))
{
    auto *layout = new QVBoxLayout(body());
    m_grid = new shell::DataGrid(body());
    m_grid->setAccessibleName(QStringLiteral("供销商"));
    QList<shell::GridColumn> columns;
    for (const SupplierColumn &c : supplierColumns()) {
        shell::GridColumn col{c.name};
        col.readOnly = c.name == kCodeField;
        if (c.width >= 50)
            col.width = c.width >= 100 ? 180 : 130;   // names and addresses need room to be typed
        columns << col;
    }
    m_grid->setColumns(columns);
    m_grid->setModel(m_lines);
    m_grid->setFrozenColumns(2);
    m_grid->setReadOnly(true);
    m_grid->setMinimumSize(760, 360);
    layout->addWidget(m_grid);
    setHint(m_grid, QStringLiteral("在这里输入供销商信息,或修改,回车跳到下一格!"));
    setHint(m_grid->view(), QStringLiteral("在这里输入供销商信息,或修改,回车跳到下一格!"));

    for (QTableView *view : {static_cast<QTableView *>(m_grid->view()), m_grid->view()->frozenView()}) {
        view->installEventFilter(this);
        // Enter in a cell editor stores the cell and moves on to the next one.
        connect(view->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
                [this, view](QWidget *, QAbstractItemDelegate::EndEditHint hint) {
                    if (hint == QAbstractItemDelegate::SubmitModelCache)
                        QTimer::singleShot(0, this, [this, view] { moveToNextCell(view); });
                });
    }

    connect(addButton(QStringLiteral("新增"), QStringLiteral("按下本按钮将新建!")), &QPushButton::clicked, this,
            &TInitPrividerForm::addNew);
    connect(addButton(QStringLiteral("修改"), QStringLiteral("按下本按钮将修改供销商!")), &QPushButton::clicked, this,
            &TInitPrividerForm::modify);
    connect(addButton(QStringLiteral("删除"), QStringLiteral("按下本按钮将删除供销商!")), &QPushButton::clicked, this,
            &TInitPrividerForm::remove);
    connect(addButton(QStringLiteral("保存"), QStringLiteral("按下本按钮将保存供销商!")), &QPushButton::clicked, this,
            &TInitPrividerForm::save);
    addExitButton(QStringLiteral("按下本按钮将退出供销设置!"));

    try {
        load();
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

TInitPrividerForm::~TInitPrividerForm() = default;

void TInitPrividerForm::load()
{
    const QList<Supplier> list = suppliers(shell::database());
    m_lines->clear();
    m_loaded.clear();
    for (const Supplier &s : list) {
        m_lines->appendLine(s.toMap());
        m_loaded << m_lines->line(m_lines->lineCount() - 1);
    }
}

void TInitPrividerForm::focusCell(int row, const QString &field)
{
    m_grid->setCurrentRow(row);
    const QModelIndex index = m_grid->proxy()->index(row, m_lines->fieldIndex(field));
    QTableView *view = m_grid->view();
    if (m_grid->view()->frozenLogicalColumns().contains(index.column()))
        view = m_grid->view()->frozenView();
    view->setCurrentIndex(index);
    view->setFocus(Qt::OtherFocusReason);
}

void TInitPrividerForm::moveToNextCell(QTableView *view)
{
    const QModelIndex current = view->currentIndex();
    if (!current.isValid())
        return;
    const QList<int> visible = m_grid->visibleColumns();
    const int at = visible.indexOf(current.column());
    if (at < 0 || at + 1 >= visible.size())
        return;
    const int next = visible.at(at + 1);
    QTableView *target = m_grid->view()->frozenLogicalColumns().contains(next) ? m_grid->view()->frozenView()
                                                                                : static_cast<QTableView *>(m_grid->view());
    target->setCurrentIndex(current.sibling(current.row(), next));
    target->setFocus(Qt::OtherFocusReason);
}

void TInitPrividerForm::commitOpenEditors()
{
    // A cell still being typed in counts as typed.
    for (QTableView *view : {static_cast<QTableView *>(m_grid->view()), m_grid->view()->frozenView()}) {
        if (QWidget *editor = view->indexWidget(view->currentIndex())) {
            QMetaObject::invokeMethod(view, "commitData", Q_ARG(QWidget *, editor));
            QMetaObject::invokeMethod(view, "closeEditor", Q_ARG(QWidget *, editor),
                                      Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
        }
    }
}

void TInitPrividerForm::addNew()
{
    if (m_adding) {
        shell::Messages::info(this, QStringLiteral("您已经按下了新增按钮，请先完成新增资料保存后再新增！"));
        return;
    }
    if (m_modifying) {
        // A row begun now would be stored without the duplicate-name test of a new one.
        shell::Messages::info(this, QStringLiteral("您正在修改供销商资料,请先保存再新增!"));
        return;
    }
    QString code;
    try {
        load();     // other workstations' suppliers count for the next code
        code = nextSupplierCode(shell::database());
    } catch (const SupplierError &e) {
        shell::Messages::warning(this, e.message());
        return;
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    m_adding = true;
    m_newRow = m_lines->appendLine({{kCodeField, code}});
    m_lines->setEditableRow(m_newRow);
    m_grid->setReadOnly(false);
    focusCell(m_newRow, kNameField);
}

void TInitPrividerForm::modify()
{
    if (m_adding) {
        shell::Messages::info(this, QStringLiteral("您现正在新建供销资料,请先保存再进行修改!"));
        return;
    }
    if (m_modifying) {
        shell::Messages::info(this, QStringLiteral("您正在修改供销商资料,请先保存再进行修改!"));
        return;
    }
    const int row = qMax(0, m_grid->currentRow());
    m_lines->setEditableRow(SupplierLines::kAll);
    m_grid->setReadOnly(false);
    m_modifying = true;
    if (m_lines->lineCount() > 0)
        focusCell(row, kNameField);
}

QList<int> TInitPrividerForm::changedRows() const
{
    QList<int> rows;
    for (int r = 0; r < m_loaded.size() && r < m_lines->lineCount(); ++r)
        if (Supplier::fromMap(m_lines->line(r)).toMap() != Supplier::fromMap(m_loaded[r]).toMap())
            rows << r;
    return rows;
}

void TInitPrividerForm::finishEditing()
{
    m_adding = false;
    m_modifying = false;
    m_newRow = -1;
    m_lines->setEditableRow(SupplierLines::kNone);
    m_grid->setReadOnly(true);
}

void TInitPrividerForm::save()
{
    if (!m_adding && !m_modifying) {
        shell::Messages::info(this, QStringLiteral("您没有新建供销商资料,无需进行保存!谢谢合作!"));
        return;
    }
    commitOpenEditors();
    const QString operatorName = shell::currentOperator().name;
    int faultRow = -1;
    try {
        if (m_adding) {
            faultRow = m_newRow;
            const QString code = addSupplier(shell::database(), Supplier::fromMap(m_lines->line(m_newRow)), operatorName);
            m_lines->setValue(m_newRow, kCodeField, code);
            m_lines->setValue(m_newRow, kNameField, m_lines->value(m_newRow, kNameField).toString().trimmed());
            m_loaded << m_lines->line(m_newRow);
            finishEditing();
            showStatus(QStringLiteral("供销商信息新增保存成功!"));
        } else {
            const QList<int> rows = changedRows();
            QList<Supplier> changed;
            for (int r : rows) {
                changed << Supplier::fromMap(m_lines->line(r));
                if (changed.last().name.trimmed().isEmpty() && faultRow < 0)
                    faultRow = r;
            }
            updateSuppliers(shell::database(), changed, operatorName);
            for (int r : rows)
                m_loaded[r] = m_lines->line(r);
            finishEditing();
            showStatus(QStringLiteral("供销商信息修改保存成功!"));
        }
    } catch (const SupplierError &e) {
        shell::Messages::warning(this, e.message());
        if (e.field() == kNameField && faultRow >= 0)
            focusCell(faultRow, kNameField);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TInitPrividerForm::remove()
{
    if (!shell::canDeleteOrModifyCompleted()) {
        shell::Messages::info(this, kSupplierDeleteRefused);
        return;
    }
    if (m_adding) {
        shell::Messages::info(this, QStringLiteral("您正在新增供商信息,请先进行保存后,再进行删除操作!"));
        return;
    }
    const int row = m_grid->currentRow();
    if (row < 0 || row >= m_loaded.size())
        return;
    if (!shell::Messages::question(this, QStringLiteral("若删除供销商,有可能影响整个系统使用！真的要删除吗?"),
                                   QStringLiteral("系统提示"), QMessageBox::Warning))
        return;
    try {
        deleteSupplier(shell::database(), m_loaded[row].value(kCodeField).toString(), shell::currentOperator());
    } catch (const SupplierError &e) {
        shell::Messages::warning(this, e.message());
        return;
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    m_lines->removeLine(row);
    m_loaded.removeAt(row);
}

void TInitPrividerForm::cancelNew()
{
    if (!m_adding)
        return;
    m_lines->removeLine(m_newRow);
    finishEditing();
}

bool TInitPrividerForm::canLeave()
{
    commitOpenEditors();
    const bool unsaved = m_adding || (m_modifying && !changedRows().isEmpty());
    return !unsaved || shell::Messages::question(this, QStringLiteral("数据还没有保存,真的要退出吗？"));
}

bool TInitPrividerForm::eventFilter(QObject *watched, QEvent *event)
{
    auto *view = qobject_cast<QTableView *>(watched);
    if (view && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape && m_adding) {
            cancelNew();
            return true;
        }
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !m_grid->isReadOnly()) {
            moveToNextCell(view);
            return true;
        }
    }
    return FunctionForm::eventFilter(watched, event);
}

} // namespace customers
