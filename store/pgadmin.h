#pragma once
// PostgreSQL connection strings and whole-database operations of the admin tools.

#include "store/db.h"

namespace store {

// Parses "host=/run/pg port=5433 dbname=shop user=clerk password=..." (libpq keywords).
ConnectionSettings parsePgConnInfo(const QString &conninfo);

bool pgDatabaseExists(const ConnectionSettings &server);
// Creates the database named in settings (from a template when given). The name must
// be a plain identifier.
void pgCreateDatabase(const ConnectionSettings &server, const QString &templateName = {});
void pgDropDatabase(const ConnectionSettings &server);

} // namespace store
