#include "tests/support/testdb.h"
#include "store/blankdb.h"
#include "store/pgadmin.h"
#include "store/schema.h"

#include <QCoreApplication>
#include <QFile>
#include <QMutex>

namespace testsupport {

store::Backend testBackend()
{
    return qEnvironmentVariable("JUNCHENG_TEST_BACKEND") == QLatin1String("pg") ? store::Backend::Postgres
                                                                               : store::Backend::Sqlite;
}

bool backendAvailable()
{
    return testBackend() == store::Backend::Sqlite || !qEnvironmentVariable("JUNCHENG_TEST_PG").isEmpty();
}

store::ConnectionSettings pgServer()
{
    store::ConnectionSettings s = store::parsePgConnInfo(qEnvironmentVariable("JUNCHENG_TEST_PG"));
    s.database = QStringLiteral("postgres");
    return s;
}

namespace {

// The blank database is built once per test process and copied for every test.
QString sqliteTemplate()
{
    static QTemporaryDir dir;
    static QString path;
    static QMutex mutex;
    QMutexLocker lock(&mutex);
    if (path.isEmpty()) {
        const QString p = dir.filePath(QStringLiteral("blank.db"));
        {
            store::ConnectionSettings s;
            s.sqliteFile = p;
            store::Db db(s);
            store::createBlankDatabase(db);
            db.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
            db.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        }
        path = p;
    }
    return path;
}

QString pgTemplate()
{
    static QString name;
    if (!name.isEmpty())
        return name;
    const QString candidate = QStringLiteral("jc_template_v%1").arg(store::Schema::version);
    store::Db admin(pgServer());
    // Test processes run side by side: one builds the template, the others wait.
    admin.exec(QStringLiteral("SELECT pg_advisory_lock(424242)"));
    try {
        store::ConnectionSettings t = pgServer();
        t.database = candidate;
        if (!store::pgDatabaseExists(t)) {
            t.database = candidate + QStringLiteral("_building");
            store::pgDropDatabase(t);
            store::pgCreateDatabase(t);
            {
                store::Db db(t);
                store::createBlankDatabase(db);
            }
            admin.exec(QStringLiteral("ALTER DATABASE %1_building RENAME TO %1").arg(candidate));
        }
    } catch (...) {
        admin.exec(QStringLiteral("SELECT pg_advisory_unlock(424242)"));
        throw;
    }
    admin.exec(QStringLiteral("SELECT pg_advisory_unlock(424242)"));
    name = candidate;
    return name;
}

int g_counter = 0;

} // namespace

TestDatabase::TestDatabase()
{
    if (testBackend() == store::Backend::Sqlite) {
        m_settings.backend = store::Backend::Sqlite;
        m_settings.sqliteFile = m_dir.filePath(QStringLiteral("test.db"));
        QFile::copy(sqliteTemplate(), m_settings.sqliteFile);
        QFile(m_settings.sqliteFile).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    } else {
        m_settings = pgServer();
        m_settings.database = QStringLiteral("jc_t_%1_%2").arg(QCoreApplication::applicationPid()).arg(++g_counter);
        store::pgDropDatabase(m_settings);
        store::pgCreateDatabase(m_settings, pgTemplate());
    }
    m_db = std::make_unique<store::Db>(m_settings);
}

TestDatabase::~TestDatabase()
{
    m_db.reset();
    if (m_settings.backend == store::Backend::Postgres) {
        try { store::pgDropDatabase(m_settings); } catch (...) {}
    }
}

std::unique_ptr<store::Db> TestDatabase::connect() const
{
    return std::make_unique<store::Db>(m_settings);
}

} // namespace testsupport
