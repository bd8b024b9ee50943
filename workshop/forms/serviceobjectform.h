#pragma once
// "服务类别设置": the service categories. A new category is a row added by "新增" and
// stored by "保存"; the grid itself never adds or stores a row.

#include "shell/common/formframe.h"

class QPushButton;
namespace shell { class DataGrid; class SetupLines; }

namespace workshop {

class TInitServiceObjectForm : public shell::FunctionForm {
    Q_OBJECT
public:
    explicit TInitServiceObjectForm(QWidget *parent = nullptr);

    bool isAdding() const { return m_adding; }
    shell::DataGrid *grid() const { return m_grid; }

private:
    void reload(const QString &select = {});
    void addClicked();
    void saveClicked();
    void deleteClicked();
    void focusNewRow();

    shell::SetupLines *m_rows;
    shell::DataGrid *m_grid;
    bool m_adding = false;
};

} // namespace workshop
