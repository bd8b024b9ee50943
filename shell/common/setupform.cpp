#include "shell/common/setupform.h"
#include "shell/common/datagrid.h"
#include "shell/common/gridproxy.h"
#include "shell/common/gridview.h"

#include <QAbstractItemDelegate>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace shell {

Qt::ItemFlags SetupLines::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = LineModel::flags(index);
    if (m_editable != kAll && index.row() != m_editable)
        f &= ~Qt::ItemIsEditable;
    return f;
}

SetupForm::SetupForm(QWidget *parent, const QString &title, const QList<LineField> &fields,
                     const QList<GridColumn> &columns, Options options)
    : FunctionForm(parent, title), m_options(options), m_lines(new SetupLines(fields, this))
{
    auto *layout = new QVBoxLayout(body());
    m_grid = new DataGrid(body());
    m_grid->setColumns(columns);
    m_grid->setModel(m_lines);
    m_grid->setReadOnly(true);
    layout->addWidget(m_grid);

    for (QTableView *view : views()) {
        view->installEventFilter(this);
        // Enter in a cell editor stores the cell and moves on to the next one.
        connect(view->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
                [this, view](QWidget *, QAbstractItemDelegate::EndEditHint hint) {
                    if (hint == QAbstractItemDelegate::SubmitModelCache)
                        QTimer::singleShot(0, this, [this, view] { moveToNextCell(view); });
                });
    }
}

QList<QTableView *> SetupForm::views() const
{
    return {static_cast<QTableView *>(m_grid->view()), m_grid->view()->frozenView()};
}

int SetupForm::beginAdding(const QVariantMap &values, const QString &focusField)
{
    m_newRow = m_lines->appendLine(values);
    m_lines->setEditableRow(m_newRow);
    m_grid->setReadOnly(false);
    m_adding = true;
    m_modifying = false;
    focusCell(m_newRow, focusField);
    return m_newRow;
}

void SetupForm::beginModifying(const QString &focusField)
{
    const int row = qMax(0, m_grid->currentRow());
    m_lines->setEditableRow(SetupLines::kAll);
    m_grid->setReadOnly(false);
    m_modifying = true;
    if (m_lines->lineCount() > 0)
        focusCell(row, focusField);
}

void SetupForm::finishEditing()
{
    m_adding = false;
    m_modifying = false;
    m_newRow = -1;
    m_lines->setEditableRow(SetupLines::kNone);
    m_grid->setReadOnly(true);
}

void SetupForm::cancelNew()
{
    if (!m_adding)
        return;
    m_lines->removeLine(m_newRow);
    finishEditing();
}

void SetupForm::focusCell(int row, const QString &field)
{
    m_grid->setCurrentRow(row);
    const QModelIndex index = m_grid->proxy()->index(row, m_lines->fieldIndex(field));
    QTableView *view = m_grid->view();
    if (m_grid->view()->frozenLogicalColumns().contains(index.column()))
        view = m_grid->view()->frozenView();
    view->setCurrentIndex(index);
    view->setFocus(Qt::OtherFocusReason);
}

void SetupForm::commitOpenEditors()
{
    for (QTableView *view : views()) {
        if (QWidget *editor = view->indexWidget(view->currentIndex())) {
            QMetaObject::invokeMethod(view, "commitData", Q_ARG(QWidget *, editor));
            QMetaObject::invokeMethod(view, "closeEditor", Q_ARG(QWidget *, editor),
                                      Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
        }
    }
}

void SetupForm::moveToNextCell(QTableView *view)
{
    const QModelIndex current = view->currentIndex();
    if (!current.isValid() || m_grid->isReadOnly())
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

bool SetupForm::eventFilter(QObject *watched, QEvent *event)
{
    auto *view = qobject_cast<QTableView *>(watched);
    if (view && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Escape && m_adding && m_options.testFlag(EscapeCancelsNew)) {
            cancelNew();
            return true;
        }
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !m_grid->isReadOnly()
            && m_options.testFlag(EnterKeyMovesOn)) {
            moveToNextCell(view);
            return true;
        }
    }
    return FunctionForm::eventFilter(watched, event);
}

} // namespace shell
