#include "print/rowsource.h"

#include <QAbstractItemModel>
#include <QSqlQuery>
#include <QSqlRecord>

namespace print {

MapRows MapRows::fromQuery(QSqlQuery &query)
{
    MapRows rows;
    while (query.next()) {
        const QSqlRecord record = query.record();
        QVariantMap row;
        for (int i = 0; i < record.count(); ++i)
            row.insert(record.fieldName(i), record.value(i));
        rows.append(row);
    }
    return rows;
}

ModelRows::ModelRows(const QAbstractItemModel &model, const QStringList &fieldNames)
    : m_model(model)
{
    for (int c = 0; c < model.columnCount(); ++c) {
        const QString name = c < fieldNames.size() ? fieldNames.at(c)
                                                   : model.headerData(c, Qt::Horizontal).toString();
        if (!name.isEmpty() && !m_columns.contains(name))
            m_columns.insert(name, c);
    }
}

int ModelRows::count() const
{
    return m_model.rowCount();
}

QVariant ModelRows::value(int row, const QString &field) const
{
    const auto it = m_columns.constFind(field);
    if (it == m_columns.constEnd())
        return {};
    return m_model.data(m_model.index(row, *it), Qt::EditRole);
}

} // namespace print
