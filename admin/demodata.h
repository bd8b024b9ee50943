#pragma once
#include "store/db.h"

namespace admin {
// Fills a new blank database with a small shop a new user can try every function on.
void loadDemoData(store::Db &db);
}
