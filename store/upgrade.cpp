#include "store/upgrade.h"
#include "store/schema.h"

namespace store {

const std::vector<UpgradeStep> &upgradeSteps()
{
    static const std::vector<UpgradeStep> steps;
    return steps;
}

void setStoredSchemaVersion(Db &db, int version)
{
    if (db.isSqlite())
        db.exec(QStringLiteral("PRAGMA user_version=%1").arg(version));
    else
        db.exec(QStringLiteral("COMMENT ON TABLE 部门信息 IS 'juncheng-schema:%1'").arg(version));
}

QStringList upgradeSchema(Db &db, const std::vector<UpgradeStep> &steps)
{
    QStringList done;
    const int latest = steps.empty() ? Schema::version : steps.back().toVersion;
    if (storedSchemaVersion(db) > latest)
        throw DbError(QStringLiteral("数据库结构版本 %1 比本程序新 (%2),请使用新版程序").arg(storedSchemaVersion(db)).arg(latest));
    for (const UpgradeStep &step : steps) {
        if (storedSchemaVersion(db) >= step.toVersion)
            continue;
        Transaction tx(db);
        step.apply(db);
        setStoredSchemaVersion(db, step.toVersion);
        tx.commit();
        done << QString::fromUtf8(step.description);
    }
    return done;
}

} // namespace store
