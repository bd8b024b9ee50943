#pragma once
// The program-wide database connection that forms and their services use.
// The main window sets it after connecting; tests set their own.

namespace store { class Db; }

namespace shell {

// Throws std::logic_error when no connection has been set.
store::Db &database();
bool hasDatabase();
// Does not take ownership; nullptr clears it.
void setDatabase(store::Db *db);

} // namespace shell
