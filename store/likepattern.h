#pragma once
// "Contains this text" searches. The user's own '%', '_' and '\' match themselves, so a
// search for "50%" finds "50%" and not "500".
//
//   sql += " WHERE " + store::containsCondition(db, "物品名称");
//   params << store::containsPattern(text);

#include <QString>

namespace store {

class Db;

// The bound value: the text between '%' wildcards, its '%', '_' and '\' escaped with '\'.
QString containsPattern(const QString &text);

// "<column> LIKE ? ESCAPE '\'" in the connection's case-insensitive form (ILIKE on
// PostgreSQL); bind containsPattern(text) for the '?'.
QString containsCondition(const Db &db, const QString &column);

} // namespace store
