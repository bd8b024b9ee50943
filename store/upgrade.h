#pragma once
// Upgrading an older database to the schema version of this program, one numbered step
// at a time. Each step runs in its own transaction and is safe to run twice.

#include "store/db.h"

#include <functional>
#include <vector>

namespace store {

struct UpgradeStep {
    int toVersion;                         // the version the database has after the step
    const char *description;
    std::function<void(Db &)> apply;       // must tolerate a database already upgraded
};

// The steps of this program, oldest first (empty while the schema is at version 1).
const std::vector<UpgradeStep> &upgradeSteps();

// Applies every step above the stored version; returns the descriptions of the steps run.
// Throws DbError when the database is newer than the program.
QStringList upgradeSchema(Db &db, const std::vector<UpgradeStep> &steps = upgradeSteps());

// Records the version (inside the caller's transaction).
void setStoredSchemaVersion(Db &db, int version);

} // namespace store
