#pragma once
// "物品类别设置": the goods categories. "新增" appends a row with the next code and takes
// the name in the grid; only "保存" stores it (the grid itself cannot add or store a
// row). Names of stored categories are not edited here. "删除" removes a category with
// its goods and their stock rows.

#include "shell/common/formframe.h"

namespace shell { class DataGrid; class LineModel; }

namespace stock {

class TInitProductObjectForm : public shell::FunctionForm {
    Q_OBJECT
public:
    explicit TInitProductObjectForm(QWidget *parent);

    shell::DataGrid *grid() const { return m_grid; }
    bool isAdding() const { return m_adding; }

    void addNew();      // "新增"
    void save();        // "保存"
    void remove();      // "删除"
    void cancelAdding();    // Esc in the grid

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void load();
    void focusNameCell();

    shell::DataGrid *m_grid;
    shell::LineModel *m_lines;
    bool m_adding = false;
};

} // namespace stock
