#pragma once
// An in-memory list of which at most one row can be edited: the new or modified row of
// a setting form. Rows reach the database only through the form's "保存", never from
// the grid itself.

#include "shell/common/linemodel.h"

namespace workshop {

class EditableRowModel : public shell::LineModel {
    Q_OBJECT
public:
    using shell::LineModel::LineModel;

    // -1: no row can be edited.
    void setEditableRow(int row);
    int editableRow() const { return m_row; }

    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    int m_row = -1;
};

} // namespace workshop
