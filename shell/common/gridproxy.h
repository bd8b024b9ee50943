#pragma once
// The model a data grid shows: the source model's rows with the grid's column titles,
// display masks, alignment and read-only rule. Display text is the masked value, so the
// screen and the spreadsheet export show the same text; the edit role stays raw.

#include "shell/common/gridcolumn.h"

#include <QHash>
#include <QIdentityProxyModel>

namespace shell {

class GridProxy : public QIdentityProxyModel {
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    void setColumns(const QList<GridColumn> &columns);
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    // The source column of a field name, or -1.
    int columnOf(const QString &field) const;
    QString fieldName(int column) const;
    // The declared column of a source column, or nullptr when the grid declares none.
    const GridColumn *column(int column) const;

    void setSourceModel(QAbstractItemModel *model) override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void invalidateMap() { m_mapValid = false; }
    QList<GridColumn> m_columns;
    mutable QList<int> m_map;       // source column -> declared column, or -1
    mutable bool m_mapValid = false;
    bool m_readOnly = true;
};

bool isNumberValue(const QVariant &value);

} // namespace shell
