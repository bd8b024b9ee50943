#include "store/backup.h"
#include "store/schema.h"
#include "tests/support/testdb.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace store;

namespace {
int categories(Db &db) { return db.scalar(QStringLiteral("SELECT COUNT(*) FROM 服务项目类别信息表")).toInt(); }
void addCategory(Db &db, const QString &name)
{
    db.execWrite(QStringLiteral("INSERT INTO 服务项目类别信息表 (服务项目类别) VALUES (?)"), {name});
}
} // namespace

class BackupTest : public QObject {
    Q_OBJECT
private slots:
    void backupChangeRestoreGivesBackEarlierRows()
    {
        testsupport::TestDatabase t;
        Db &db = t.db();
        addCategory(db, QStringLiteral("机修"));
        const QString folder = t.tempPath(QStringLiteral("备份"));
        const QString file = takeBackup(db, folder, BackupKind::OnDemand, QDate(2026, 12, 11));
        QCOMPARE(QFileInfo(file).fileName(), QStringLiteral("数据库2026-12-11备份.bak"));
        addCategory(db, QStringLiteral("钣金"));
        db.execWrite(QStringLiteral("DELETE FROM 部门信息"));
        restoreFromFile(db, file);
        QCOMPARE(categories(db), 1);
        QCOMPARE(db.scalar(QStringLiteral("SELECT 部门名称 FROM 部门信息")).toString(), QStringLiteral("骏程汽车维修中心"));
        QCOMPARE(checkSchema(db), QStringList());
        addCategory(db, QStringLiteral("美容"));   // the reopened connection writes
        QCOMPARE(categories(db), 2);
    }

    void onDemandKeepsEarlierBackupsAndExitBackupReplacesTheDay()
    {
        testsupport::TestDatabase t;
        Db &db = t.db();
        const QString folder = t.tempPath(QStringLiteral("bk"));
        const QDate day(2026, 1, 5);
        const QString first = takeBackup(db, folder, BackupKind::OnDemand, day);
        const QString second = takeBackup(db, folder, BackupKind::OnDemand, day);
        QVERIFY(first != second);
        QVERIFY(QFileInfo::exists(first) && QFileInfo::exists(second));

        const QString exit1 = takeBackup(db, folder, BackupKind::OnExit, day);
        addCategory(db, QStringLiteral("洗车"));
        const QString exit2 = takeBackup(db, folder, BackupKind::OnExit, day);
        QCOMPARE(exit1, exit2);
        QCOMPARE(QFileInfo(exit2).fileName(), QStringLiteral("ve0z160_db2026-01-05最后备份.bak"));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 3);
        // The exit file holds the second backup.
        addCategory(db, QStringLiteral("喷漆"));
        restoreFromFile(db, exit2);
        QCOMPARE(categories(db), 1);
    }

    void aFileThatIsNoBackupIsRefusedAndChangesNothing()
    {
        testsupport::TestDatabase t;
        Db &db = t.db();
        addCategory(db, QStringLiteral("机修"));
        const QString junk = t.tempPath(QStringLiteral("junk.bak"));
        QFile f(junk);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a database");
        f.close();
        QVERIFY_THROWS_EXCEPTION(DbError, restoreFromFile(db, junk));
        QVERIFY_THROWS_EXCEPTION(DbError, restoreFromFile(db, t.tempPath(QStringLiteral("missing.bak"))));
        QCOMPARE(categories(db), 1);
    }
};

JC_TEST_MAIN(BackupTest)
#include "tst_backup.moc"
