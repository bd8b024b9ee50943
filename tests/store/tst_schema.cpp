#include "store/blankdb.h"
#include "store/functions.h"
#include "store/password.h"
#include "store/schema.h"
#include "store/upgrade.h"
#include "tests/support/testdb.h"

#include <QApplication>
#include <QTest>

using namespace store;

class SchemaTest : public QObject {
    Q_OBJECT
private slots:
    void blankDatabaseHasEveryTableInDocumentedOrder()
    {
        testsupport::TestDatabase t;
        QCOMPARE(Schema::instance().tables().size(), size_t(35));
        QCOMPARE(checkSchema(t.db()), QStringList());
        QStringList expected = Schema::instance().tableNames();
        QStringList actual = databaseTables(t.db());
        expected.sort();
        actual.sort();
        QCOMPARE(actual, expected);
        QCOMPARE(storedSchemaVersion(t.db()), Schema::version);
        // A few documented orders, spot-checked against the server's own listing.
        QCOMPARE(databaseColumns(t.db(), QStringLiteral("物品类别")),
                 QStringList({QStringLiteral("物品类别编号"), QStringLiteral("物品类别"), QStringLiteral("最后编号")}));
        QCOMPARE(databaseColumns(t.db(), QStringLiteral("托修单主表")).value(5), QStringLiteral("车牌号码"));
    }

    void bothBackendsBuildTheSameTables()
    {
        // On the PostgreSQL run, build a SQLite database beside it and compare the two.
        if (testsupport::testBackend() != Backend::Postgres)
            QSKIP("compared on the PostgreSQL run");
        testsupport::TestDatabase pg;
        QTemporaryDir dir;
        ConnectionSettings s;
        s.sqliteFile = dir.filePath(QStringLiteral("x.db"));
        Db lite(s);
        createBlankDatabase(lite);
        QStringList a = databaseTables(pg.db()), b = databaseTables(lite);
        a.sort();
        b.sort();
        QCOMPARE(a, b);
        for (const QString &table : b) {
            QStringList pgCols = databaseColumns(pg.db(), table), liteCols;
            for (const QString &c : databaseColumns(lite, table)) liteCols << c.toLower();  // PG folds ASCII
            QCOMPARE(pgCols, liteCols);
        }
    }

    void headOfficeRows()
    {
        testsupport::TestDatabase t;
        Db &db = t.db();
        auto dept = db.one(QStringLiteral("SELECT * FROM 部门信息 WHERE 部门编号 = '0000'"));
        QVERIFY(dept);
        QCOMPARE(dept->value(QStringLiteral("部门名称")).toString(), kHeadOfficeName);
        QCOMPARE(dept->value(QStringLiteral("最后托修单号")).toString(), QStringLiteral("00000000"));
        QCOMPARE(dept->value(QStringLiteral("最后操作员号")).toString(), QStringLiteral("0000"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT 仓库名称 FROM 仓库信息表 WHERE 仓库编号 = '0000'")).toString(), kHeadOfficeName);
        auto op = db.one(QStringLiteral("SELECT * FROM 操作员信息表 WHERE 操作员代号 = ?"), {kSuperUserCode});
        QVERIFY(op);
        QCOMPARE(op->value(QStringLiteral("操作员类别")).toString(), QStringLiteral("管理员"));
        const QString stored = op->value(QStringLiteral("操作员密码")).toString();
        QVERIFY(isPasswordHash(stored));
        QVERIFY(verifyPassword(stored, kInitialPassword));
        QVERIFY(!verifyPassword(stored, kInitialPassword + QLatin1Char(' ')));
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM 权限信息表 WHERE 操作员代号 = ?"), {kSuperUserCode}).toInt(),
                 int(grantableFunctions().size()));
    }

    void plainStoredPasswordIsComparedExactly()
    {
        QVERIFY(verifyPassword(QStringLiteral("Abc"), QStringLiteral("Abc")));
        QVERIFY(!verifyPassword(QStringLiteral("Abc"), QStringLiteral("abc")));
        QVERIFY(!verifyPassword(QStringLiteral("Abc"), QStringLiteral("Abc ")));
    }

    void upgradeStepsRunOnceEachInOrder()
    {
        testsupport::TestDatabase t;
        Db &db = t.db();
        int applied = 0;
        const std::vector<UpgradeStep> steps = {
            {Schema::version + 1, "二", [&](Db &d) { ++applied; d.execWrite(QStringLiteral("UPDATE 部门信息 SET 联系人 = 'v2'")); }},
            {Schema::version + 2, "三", [&](Db &) { ++applied; }},
        };
        QCOMPARE(upgradeSchema(db, steps), QStringList({QStringLiteral("二"), QStringLiteral("三")}));
        QCOMPARE(storedSchemaVersion(db), Schema::version + 2);
        QCOMPARE(upgradeSchema(db, steps), QStringList());   // a second run does nothing
        QCOMPARE(applied, 2);
        // A step that fails leaves its own changes and the version untouched.
        const std::vector<UpgradeStep> failing = {
            {Schema::version + 3, "坏", [](Db &d) {
                 d.execWrite(QStringLiteral("UPDATE 部门信息 SET 联系人 = 'v4'"));
                 d.exec(QStringLiteral("SELECT * FROM 不存在的表"));
             }}};
        QVERIFY_THROWS_EXCEPTION(DbError, upgradeSchema(db, failing));
        QCOMPARE(storedSchemaVersion(db), Schema::version + 2);
        QCOMPARE(db.scalar(QStringLiteral("SELECT 联系人 FROM 部门信息")).toString(), QStringLiteral("v2"));
        // A database newer than the program is refused.
        QVERIFY_THROWS_EXCEPTION(DbError, upgradeSchema(db));
    }

    void rightsPanelHoldsFiftyFiveBoxes()
    {
        size_t boxes = 0;
        for (const RightTab &t : rightTabs()) boxes += t.boxes.size();
        QCOMPARE(boxes, size_t(55));
        QVERIFY(grantableFunctions().contains(QStringLiteral("服务项目设置")));
        QVERIFY(!grantableFunctions().contains(QStringLiteral("维修项目设置")));
    }
};

JC_TEST_MAIN(SchemaTest)
#include "tst_schema.moc"
