#pragma once
#include "store/db.h"

namespace app {
// Fills a new blank database with a small shop a new user can try every function on:
// branches, staff, goods with stock, suppliers, repair items, customers and card types.
// Everything goes in through the services the forms use.
void loadDemoData(store::Db &db);
}
