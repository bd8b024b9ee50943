#include "workshop/forms/editablerowmodel.h"

namespace workshop {

void EditableRowModel::setEditableRow(int row)
{
    m_row = row;
    if (lineCount() > 0)
        emit dataChanged(index(0, 0), index(lineCount() - 1, columnCount() - 1), {});
}

Qt::ItemFlags EditableRowModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = shell::LineModel::flags(index);
    if (index.row() != m_row)
        f &= ~Qt::ItemIsEditable;
    return f;
}

} // namespace workshop
