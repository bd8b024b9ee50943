#pragma once
// "部门信息设置": the departments (branches) in a grid that takes edits only after "新增"
// (the new row) or "修改" (every row, the code column never). Rows are stored only by
// "保存"; the grid itself cannot add or store a row.

#include "shell/common/setupform.h"

#include <QVariantMap>

namespace admin {

class TInitDeptInfoForm : public shell::SetupForm {
    Q_OBJECT
public:
    explicit TInitDeptInfoForm(QWidget *parent);

    void addNew();      // "新增"
    void modify();      // "修改"
    void save();        // "保存"
    void remove();      // "删除"

private:
    void load();

    QList<QVariantMap> m_loaded;    // the rows as read, to find the modified ones
};

} // namespace admin
