#pragma once
#include "store/db.h"

namespace store {

// Appends one row to the operation journal: now, the text (cut to the column's
// 100 bytes rather than failing the action it records) and the operator's name.
// Inside a save's transaction it commits or rolls back with the save.
void writeJournal(Db &db, const QString &text, const QString &operatorName);

} // namespace store
