#pragma once
// "供销商设置": suppliers in an editable grid. "新增" begins a row under the next code,
// "修改" opens the rows for editing, "保存" stores them through the supplier service,
// Esc in the grid drops a row being added. "新增" during a modification is refused
// until the modification is saved, so no row reaches the table without the duplicate
// name test.

#include "shell/common/formframe.h"

#include <QList>

class QPushButton;
class QTableView;

namespace shell { class DataGrid; }

namespace customers {

struct Supplier;
class SupplierLines;

class TInitPrividerForm : public shell::FunctionForm {
    Q_OBJECT
public:
    explicit TInitPrividerForm(QWidget *parent);
    ~TInitPrividerForm() override;

    shell::DataGrid *grid() const { return m_grid; }
    bool isAdding() const { return m_adding; }
    bool isModifying() const { return m_modifying; }

    void addNew();       // "新增"
    void modify();       // "修改"
    void save();         // "保存"
    void remove();       // "删除"
    void cancelNew();    // Esc in the grid while adding

protected:
    bool canLeave() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void load();
    void finishEditing();
    void focusCell(int row, const QString &field);
    void commitOpenEditors();
    void moveToNextCell(QTableView *view);
    QList<int> changedRows() const;

    SupplierLines *m_lines;
    shell::DataGrid *m_grid;
    QList<QVariantMap> m_loaded;    // rows as stored, parallel to the grid's rows
    int m_newRow = -1;
    bool m_adding = false;
    bool m_modifying = false;
};

} // namespace customers
