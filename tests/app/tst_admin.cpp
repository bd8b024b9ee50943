#include "app/admincli.h"
#include "app/demodata.h"
#include "store/pgadmin.h"
#include "store/schema.h"
#include "tests/support/testdb.h"

#include <QApplication>
#include <QFile>
#include <QTest>

class AdminTest : public QObject {
    Q_OBJECT
private slots:
    void demoShopIsConsistent()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        app::loadDemoData(db);
        auto count = [&](const char *table) {
            return db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QString::fromUtf8(table))).toInt();
        };
        QCOMPARE(count("部门信息"), 3);
        QCOMPARE(count("仓库信息表"), 3);   // every branch has its warehouse
        QVERIFY(count("员工信息表") >= 5);
        QVERIFY(count("供销商信息表") >= 3);
        QVERIFY(count("服务项目信息表") >= 5);
        QVERIFY(count("客户信息表") >= 3);
        QVERIFY(count("会员类别信息表") >= 2);
        // Stock came in through a stock-in note: one ledger row per goods, values agreeing.
        QCOMPARE(count("物品库存表"), count("物品信息表"));
        QCOMPARE(count("业务流水"), count("物品信息表"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT COUNT(*) FROM 物品库存表 s JOIN 业务流水 l ON l.物品编号 = s.物品编号 "
                                          "WHERE l.当时库存 = s.物品数量 AND l.当时库存金额 = s.总成本")).toInt(),
                 count("物品信息表"));
        QCOMPARE(db.scalar(QStringLiteral("SELECT 最后入库单号 FROM 部门信息 WHERE 部门编号 = '0000'")).toString(),
                 QStringLiteral("00000001"));
    }

    void createRefusesToOverwriteAndChecks()
    {
        if (testsupport::testBackend() != store::Backend::Sqlite)
            QSKIP("the file cases run on the SQLite pass");
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("shop.db"));
        const QString exe = QStringLiteral("juncheng-admin");
        QCOMPARE(app::runAdminCli({exe, QStringLiteral("create"), QStringLiteral("--sqlite"), file}), 0);
        QCOMPARE(app::runAdminCli({exe, QStringLiteral("check"), QStringLiteral("--sqlite"), file}), 0);
        // An existing database is never replaced without --force.
        QCOMPARE(app::runAdminCli({exe, QStringLiteral("create"), QStringLiteral("--sqlite"), file, QStringLiteral("--demo")}), 1);
        QCOMPARE(app::runAdminCli({exe, QStringLiteral("create"), QStringLiteral("--sqlite"), file, QStringLiteral("--demo"),
                                   QStringLiteral("--force")}), 0);
        const QString backup = dir.filePath(QStringLiteral("b.bak"));
        QCOMPARE(app::runAdminCli({exe, QStringLiteral("backup"), QStringLiteral("--sqlite"), file, QStringLiteral("--to"), backup}), 0);
        QCOMPARE(app::runAdminCli({exe, QStringLiteral("restore"), QStringLiteral("--sqlite"), file, QStringLiteral("--from"), backup}), 0);
        // Wrong use and missing databases fail with a non-zero status.
        QCOMPARE(app::runAdminCli({exe, QStringLiteral("check"), QStringLiteral("--sqlite"), dir.filePath(QStringLiteral("none.db"))}), 1);
        QCOMPARE(app::runAdminCli({exe, QStringLiteral("bogus")}), 2);
        QCOMPARE(app::runAdminCli({exe, QStringLiteral("create")}), 1);
        QCOMPARE(app::runAdminCli({exe, QStringLiteral("--help")}), 0);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("none.db"))));
    }
};

JC_TEST_MAIN(AdminTest)
#include "tst_admin.moc"
