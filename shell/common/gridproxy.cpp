#include "shell/common/gridproxy.h"
#include "store/displayformat.h"
#include "store/money.h"

namespace shell {

bool isNumberValue(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<store::Money>())
        return true;
    switch (value.metaType().id()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Short: case QMetaType::Long:
        return true;
    default:
        return false;
    }
}

void GridProxy::setColumns(const QList<GridColumn> &columns)
{
    beginResetModel();
    m_columns = columns;
    invalidateMap();
    endResetModel();
}

void GridProxy::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {});
}

QString GridProxy::fieldName(int column) const
{
    return sourceModel() ? sourceModel()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString() : QString();
}

int GridProxy::columnOf(const QString &field) const
{
    if (!sourceModel())
        return -1;
    const int n = sourceModel()->columnCount();
    for (int c = 0; c < n; ++c)
        if (fieldName(c) == field)
            return c;
    for (int c = 0; c < n; ++c)   // servers that fold the case of plain names
        if (fieldName(c).compare(field, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

void GridProxy::setSourceModel(QAbstractItemModel *model)
{
    if (sourceModel())
        disconnect(sourceModel(), nullptr, this, nullptr);
    invalidateMap();
    QIdentityProxyModel::setSourceModel(model);
    if (model) {
        connect(model, &QAbstractItemModel::modelAboutToBeReset, this, &GridProxy::invalidateMap);
        connect(model, &QAbstractItemModel::modelReset, this, &GridProxy::invalidateMap);
        connect(model, &QAbstractItemModel::columnsInserted, this, &GridProxy::invalidateMap);
        connect(model, &QAbstractItemModel::columnsRemoved, this, &GridProxy::invalidateMap);
        connect(model, &QAbstractItemModel::headerDataChanged, this, &GridProxy::invalidateMap);
    }
}

const GridColumn *GridProxy::column(int column) const
{
    if (!m_mapValid) {
        m_map.clear();
        const int n = sourceModel() ? sourceModel()->columnCount() : 0;
        for (int c = 0; c < n; ++c) {
            const QString name = fieldName(c);
            int found = -1;
            for (int i = 0; i < m_columns.size() && found < 0; ++i)
                if (m_columns[i].field == name)
                    found = i;
            for (int i = 0; i < m_columns.size() && found < 0; ++i)
                if (m_columns[i].field.compare(name, Qt::CaseInsensitive) == 0)
                    found = i;
            m_map.append(found);
        }
        m_mapValid = true;
    }
    if (column < 0 || column >= m_map.size() || m_map[column] < 0)
        return nullptr;
    return &m_columns[m_map[column]];
}

QVariant GridProxy::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const GridColumn *col = column(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return store::formatValue(QIdentityProxyModel::data(index, Qt::DisplayRole), col ? col->mask : QString());
    case Qt::TextAlignmentRole:
        if (col && col->alignment)
            return QVariant::fromValue(col->alignment | Qt::AlignVCenter);
        return QVariant::fromValue(
            (isNumberValue(QIdentityProxyModel::data(index, Qt::DisplayRole)) ? Qt::AlignRight : Qt::AlignLeft)
            | Qt::AlignVCenter);
    default:
        return QIdentityProxyModel::data(index, role);
    }
}

QVariant GridProxy::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        if (const GridColumn *col = column(section))
            return col->shownTitle();
    }
    return QIdentityProxyModel::headerData(section, orientation, role);
}

Qt::ItemFlags GridProxy::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QIdentityProxyModel::flags(index);
    const GridColumn *col = column(index.column());
    if (m_readOnly || (col && col->readOnly))
        f &= ~Qt::ItemIsEditable;
    return f;
}

} // namespace shell
