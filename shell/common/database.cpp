#include "shell/common/database.h"

#include <stdexcept>

namespace shell {

namespace {
store::Db *g_db = nullptr;
}

store::Db &database()
{
    if (!g_db)
        throw std::logic_error("no database connection has been set");
    return *g_db;
}

bool hasDatabase()
{
    return g_db != nullptr;
}

void setDatabase(store::Db *db)
{
    g_db = db;
}

} // namespace shell
