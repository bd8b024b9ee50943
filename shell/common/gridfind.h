#pragma once
// The find dialog of a grid (Ctrl+F): finds the next row whose text contains what was
// typed, in one column or in all shown columns, and makes it the current row.

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace shell {

class DataGrid;

class GridFindDialog : public QDialog {
    Q_OBJECT
public:
    // Opens (or raises) the grid's find dialog.
    static GridFindDialog *open(DataGrid *grid);

    QLineEdit *textBox() const { return m_text; }
    // Finds from the row after the current one; false (with a message) when nothing matches.
    bool findNext();

private:
    explicit GridFindDialog(DataGrid *grid);
    DataGrid *m_grid;
    QLineEdit *m_text;
    QComboBox *m_scope;
};

} // namespace shell
