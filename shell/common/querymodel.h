#pragma once
// The rows of a query for a grid, fetched lazily in chunks as the grid scrolls, so a
// query over a million rows shows its first screen at once. Totals for footers come
// from one aggregate query over the same statement, never from loading every row.
// The statement and its bound values come from a service; forms hold no SQL.

#include <QSqlQueryModel>
#include <QStringList>
#include <QVariantList>
#include <functional>

namespace store { class Db; }

namespace shell {

class QueryModel : public QSqlQueryModel {
    Q_OBJECT
public:
    explicit QueryModel(store::Db &db, QObject *parent = nullptr);

    // Runs the statement with bound values and resets the model. Throws store::DbError.
    void run(const QString &sql, const QVariantList &params = {});
    // Runs the last statement again (after a save), keeping nothing of the old rows.
    void refresh();
    QString statement() const { return m_sql; }
    QVariantList parameters() const { return m_params; }

    // The number of rows of the whole result, and the sums of the given fields over it
    // (null when the result is empty), by one aggregate statement.
    struct Totals {
        qint64 rows = 0;
        QVariantList sums;
    };
    Totals totals(const QStringList &sumFields) const;
    // Loads every remaining row (exports, searches); callback(loaded) after each chunk may
    // return false to stop.
    void fetchAll(const std::function<bool(int loaded)> &progress = {});

    int fieldIndex(const QString &field) const;
    store::Db &db() const { return m_db; }

private:
    store::Db &m_db;
    QString m_sql;
    QVariantList m_params;
};

} // namespace shell
