#pragma once
// "部门信息设置": the departments (branches) in a grid that takes edits only after "新增"
// (the new row) or "修改" (every row, the code column never). Rows are stored only by
// "保存"; the grid itself cannot add or store a row.

#include "shell/common/formframe.h"

#include <QVariantMap>

class QTableView;

namespace shell { class DataGrid; }

namespace admin {

class DeptLines;

class TInitDeptInfoForm : public shell::FunctionForm {
    Q_OBJECT
public:
    explicit TInitDeptInfoForm(QWidget *parent);
    ~TInitDeptInfoForm() override;

    shell::DataGrid *grid() const { return m_grid; }
    bool isAdding() const { return m_adding; }

    void addNew();      // "新增"
    void modify();      // "修改"
    void save();        // "保存"
    void remove();      // "删除"

private:
    void load();
    void setEditing(bool editing);
    void focusCell(int row, const QString &field);
    void moveToNextCell(QTableView *view);

    shell::DataGrid *m_grid;
    DeptLines *m_lines;
    QList<QVariantMap> m_loaded;    // the rows as read, to find the modified ones
    bool m_adding = false;
};

} // namespace admin
