#pragma once
// The data rows a report's detail band runs over, by field name.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

class QAbstractItemModel;
class QSqlQuery;

namespace print {

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual int count() const = 0;
    // Null for a field the row does not have.
    virtual QVariant value(int row, const QString &field) const = 0;
};

// Rows held as maps: a form's line grid, or a query result read with fromQuery().
class MapRows : public RowSource {
public:
    MapRows() = default;
    explicit MapRows(QList<QVariantMap> rows) : m_rows(std::move(rows)) {}
    // Reads every remaining row of an executed query, keyed by its column names.
    static MapRows fromQuery(QSqlQuery &query);

    void append(const QVariantMap &row) { m_rows.append(row); }
    int count() const override { return int(m_rows.size()); }
    QVariant value(int row, const QString &field) const override { return m_rows.at(row).value(field); }

private:
    QList<QVariantMap> m_rows;
};

// The rows of an item model (a grid's model, a QSqlQueryModel), read through Qt::EditRole
// so numbers and dates arrive as values, not display texts. The model must outlive this.
class ModelRows : public RowSource {
public:
    // Field names are the horizontal header texts unless given per column.
    explicit ModelRows(const QAbstractItemModel &model, const QStringList &fieldNames = {});
    int count() const override;
    QVariant value(int row, const QString &field) const override;

private:
    const QAbstractItemModel &m_model;
    QHash<QString, int> m_columns;
};

} // namespace print
