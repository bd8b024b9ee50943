#pragma once
// Pieces of the hand-written floors: the fastest way we know to write or read the same
// rows (prepared statements reused, multi-row inserts, one transaction, no program logic).

#include "store/db.h"

#include <QStringList>

namespace bench {

// Inserts rows (values row after row) with one prepared multi-row statement.
void insertRows(store::Db &db, const QString &table, const QStringList &columns, const QVariantList &values);

// Runs a prepared statement; returns the first row's values (empty when no row) and
// finishes the statement, which on SQLite completes an UPDATE ... RETURNING.
QVariantList runReturning(store::Db &db, const QString &sql, const QVariantList &params);

// Appends the journal row of a save.
void floorJournal(store::Db &db, const QString &text, const QString &operatorName);

} // namespace bench
