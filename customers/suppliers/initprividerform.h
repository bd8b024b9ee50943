#pragma once
// "供销商设置": suppliers in an editable grid. "新增" begins a row under the next code,
// "修改" opens the rows for editing, "保存" stores them through the supplier service,
// Esc in the grid drops a row being added. "新增" during a modification is refused
// until the modification is saved, so no row reaches the table without the duplicate
// name test.

#include "shell/common/setupform.h"

#include <QList>

namespace customers {

class TInitPrividerForm : public shell::SetupForm {
    Q_OBJECT
public:
    explicit TInitPrividerForm(QWidget *parent);

    void addNew();       // "新增"
    void modify();       // "修改"
    void save();         // "保存"
    void remove();       // "删除"

protected:
    bool canLeave() override;

private:
    void load();
    QList<int> changedRows() const;

    QList<QVariantMap> m_loaded;    // rows as stored, parallel to the grid's rows
};

} // namespace customers
