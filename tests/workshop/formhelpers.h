#pragma once
// Helpers of the workshop, settlement and query form tests: typing into a grid cell as a
// person does, a box found by its label, pictures kept for the documentation.

#include "shell/common/datagrid.h"
#include "shell/common/gridview.h"
#include "tests/support/ui/uidriver.h"

#include <QApplication>
#include <QDir>
#include <QImage>
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

// The line edit labelled `label` in the form.
inline QLineEdit *edit(QWidget *form, const char *label)
{
    return qobject_cast<QLineEdit *>(testsupport::ui::box(form, QString::fromUtf8(label)));
}

// The project keeps pictures of its forms and printouts for its documentation
// (in the folder JUNCHENG_SCREENSHOTS names, when it is set).
inline void keepPicture(const QImage &image, const QString &name)
{
    const QString dir = qEnvironmentVariable("JUNCHENG_SCREENSHOTS");
    if (!dir.isEmpty())
        QVERIFY(image.save(QDir(dir).filePath(name)));
}

inline void pressKey(QWidget *widget, Qt::Key key)
{
    QTest::keyClick(widget, key);
}

} // namespace workshoptest
