#pragma once
// A setup form ("部门信息设置", "供销商设置", "物品类别设置"): the stored rows in a grid that
// is read-only until "新增" opens a new row alone or "修改" opens every row; only "保存"
// stores them, through the form's service (the grid itself never adds or stores a row).
// Enter after typing in a cell moves on to the next shown cell.
//
//   TInitDeptInfoForm::TInitDeptInfoForm(QWidget *parent)
//       : SetupForm(parent, "部门信息设置", deptFields(), deptColumns()) { ... buttons ... }
//   void TInitDeptInfoForm::addNew() {
//       if (isAdding()) { shell::Messages::info(this, "..."); return; }
//       load();
//       beginAdding({{"部门编号", nextDepartmentCode(db)}}, "部门名称");
//   }
//   void TInitDeptInfoForm::save() {
//       commitOpenEditors();
//       ... the service call ...
//       finishEditing();
//   }
//
// What the forms say and refuse ("请先保存后再进行新增") stays theirs.

#include "shell/common/formframe.h"
#include "shell/common/gridcolumn.h"
#include "shell/common/linemodel.h"

class QTableView;

namespace shell {

class DataGrid;

// The rows of a setup grid: only the row being added, or every row while modifying,
// takes edits.
class SetupLines : public LineModel {
    Q_OBJECT
public:
    using LineModel::LineModel;

    static constexpr int kNone = -1;
    static constexpr int kAll = -2;
    void setEditableRow(int row) { m_editable = row; }
    int editableRow() const { return m_editable; }

    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    int m_editable = kNone;
};

class SetupForm : public FunctionForm {
    Q_OBJECT
public:
    enum Option {
        NoOption = 0x0,
        EnterKeyMovesOn = 0x1,      // Enter on a cell not being typed in moves on too
        EscapeCancelsNew = 0x2,     // Esc in the grid while adding calls cancelNew()
    };
    Q_DECLARE_FLAGS(Options, Option)

    DataGrid *grid() const { return m_grid; }
    bool isAdding() const { return m_adding; }
    bool isModifying() const { return m_modifying; }

    // Esc while adding (EscapeCancelsNew): the new row goes, nothing is stored.
    virtual void cancelNew();

protected:
    // The grid fills the body, shows `columns` of the rows and starts read-only.
    SetupForm(QWidget *parent, const QString &title, const QList<LineField> &fields,
              const QList<GridColumn> &columns, Options options = NoOption);

    SetupLines *lines() const { return m_lines; }
    int newRow() const { return m_newRow; }     // -1 unless adding

    // "新增": appends the new row with these values, opens it alone and puts the focus on
    // its `focusField` cell. Returns the row.
    int beginAdding(const QVariantMap &values, const QString &focusField);
    // "修改": every row takes edits; the focus goes to `focusField` of the current row
    // (the first row when none is current).
    void beginModifying(const QString &focusField);
    // After a save, a cancel or a deletion: no row takes edits, the grid is read-only.
    void finishEditing();

    void focusCell(int row, const QString &field);
    // A cell still being typed in counts as typed (before a save or the leave question).
    void commitOpenEditors();

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QTableView *> views() const;      // the scrolling view and the frozen one
    void moveToNextCell(QTableView *view);

    Options m_options;
    SetupLines *m_lines;
    DataGrid *m_grid;
    int m_newRow = -1;
    bool m_adding = false;
    bool m_modifying = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(SetupForm::Options)

} // namespace shell
