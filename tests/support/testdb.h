#pragma once
// A fresh blank database for one test, on the backend the test run asks for
// (JUNCHENG_TEST_BACKEND=sqlite|pg; PostgreSQL through the server JUNCHENG_TEST_PG names).

#include "store/db.h"

#include <QTemporaryDir>
#include <memory>

namespace testsupport {

store::Backend testBackend();
// Whether the chosen backend can run here (PostgreSQL needs JUNCHENG_TEST_PG).
bool backendAvailable();
// The PostgreSQL server of the test run, with dbname of the maintenance database.
store::ConnectionSettings pgServer();

class TestDatabase {
public:
    TestDatabase();                 // a new blank database, connected
    ~TestDatabase();
    store::Db &db() { return *m_db; }
    const store::ConnectionSettings &settings() const { return m_settings; }
    // Another workstation's connection to the same database.
    std::unique_ptr<store::Db> connect() const;
    QString tempPath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    store::ConnectionSettings m_settings;
    std::unique_ptr<store::Db> m_db;
};

} // namespace testsupport

// main() of a test: exits with 77 (skipped) when the backend of this run is not available.
#define JC_TEST_MAIN(TestObject)                                         \
    int main(int argc, char **argv)                                      \
    {                                                                    \
        QApplication app(argc, argv);                                    \
        if (!testsupport::backendAvailable()) return 77;                 \
        TestObject tc;                                                   \
        return QTest::qExec(&tc, argc, argv);                            \
    }
