#pragma once
// "维修项目设置": the repair items of each service category with their labour fees.
// The left grid chooses the category; the right grid lists its items. "新增" and "修改"
// open one row of the right grid for editing, "保存" stores it, Esc in the right grid
// drops the change; the grid itself never adds or stores a row.

#include "workshop/serviceitems.h"
#include "shell/common/formframe.h"

namespace shell { class DataGrid; class LineModel; class SetupLines; }

namespace workshop {

class TInitServiceItemForm : public shell::FunctionForm {
    Q_OBJECT
public:
    explicit TInitServiceItemForm(QWidget *parent = nullptr);

    bool isAdding() const { return m_state == State::Adding; }
    bool isModifying() const { return m_state == State::Modifying; }
    shell::DataGrid *categoryGrid() const { return m_categoryGrid; }
    shell::DataGrid *itemGrid() const { return m_itemGrid; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class State { Idle, Adding, Modifying };
    QString currentCategory() const;
    void loadItems(const ServiceItem *select = nullptr);
    ServiceItem itemAt(int row) const;
    void editRow(int row, State state);
    void leaveEditing();
    void focusCell(int row, const QString &field);
    void addClicked();
    void modifyClicked();
    void saveClicked();
    void deleteClicked();
    void cancelEdit();

    shell::LineModel *m_categories;
    shell::SetupLines *m_items;
    shell::DataGrid *m_categoryGrid;
    shell::DataGrid *m_itemGrid;
    State m_state = State::Idle;
    ServiceItem m_original;         // the row being modified, as it was loaded
};

} // namespace workshop
