#pragma once
// "物品类别设置": the goods categories. "新增" appends a row with the next code and takes
// the name in the grid; only "保存" stores it (the grid itself cannot add or store a
// row). Names of stored categories are not edited here. "删除" removes a category with
// its goods and their stock rows.

#include "shell/common/setupform.h"

namespace stock {

class TInitProductObjectForm : public shell::SetupForm {
    Q_OBJECT
public:
    explicit TInitProductObjectForm(QWidget *parent);

    void addNew();      // "新增"
    void save();        // "保存"
    void remove();      // "删除"
    void cancelNew() override;     // Esc in the grid: the list as stored again

private:
    void load();
};

} // namespace stock
