#pragma once
// Helpers of the workshop form tests: typing into a grid cell as a person does.

#include "shell/common/datagrid.h"
#include "shell/common/gridview.h"
#include "tests/support/ui/uidriver.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace workshoptest {

// Opens the cell's editor, replaces its text by typing and leaves the editor open
// (clicking a button afterwards posts it, as for a person).
inline bool typeIntoCell(shell::DataGrid *grid, int row, int column, const QString &text)
{
    testsupport::ui::activate(grid->window());
    QAbstractItemView *view = grid->view();
    const QModelIndex index = view->model()->index(row, column);
    view->setFocus();
    view->setCurrentIndex(index);
    view->edit(index);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    if (!editor || !view->isAncestorOf(editor))
        return false;
    editor->clear();
    testsupport::ui::typeText(editor, text);
    return true;
}

inline void pressKey(QWidget *widget, Qt::Key key)
{
    QTest::keyClick(widget, key);
}

} // namespace workshoptest
