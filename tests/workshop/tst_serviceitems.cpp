#include "tests/support/testdb.h"
#include "tests/workshop/workshopfixture.h"
#include "workshop/serviceitems.h"
#include "workshop/workshoperror.h"

#include <QApplication>
#include <QTest>

using namespace workshop;
using namespace workshoptest;
using store::Money;

namespace {
ServiceItem item(const QString &category, const QString &name, qint64 fee, std::optional<qint64> lowest = {})
{
    return {category, name, Money::fromYuan(fee), lowest ? std::optional<Money>(Money::fromYuan(*lowest)) : std::nullopt};
}
} // namespace

class ServiceItemsTest : public QObject {
    Q_OBJECT
private slots:
    void duplicateCategoryIsRefused()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addServiceCategory(db, QStringLiteral("保养"), QStringLiteral("管理员"));
        QCOMPARE(journal(db), QStringList{QStringLiteral("新增服务类别信息:保养")});
        try {
            addServiceCategory(db, QStringLiteral("保养"), QStringLiteral("管理员"));
            QFAIL("a duplicate category was accepted");
        } catch (const WorkshopError &e) {
            QCOMPARE(e.message(), QStringLiteral("该服务类别已经存在，无需重复设置！"));
        }
        QCOMPARE(serviceCategories(db), QStringList{QStringLiteral("保养")});
        QCOMPARE(journal(db).size(), 1);
    }

    void categoryDeleteTakesItsItemsFirstInOneStep()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addServiceCategory(db, QStringLiteral("保养"), QStringLiteral("管理员"));
        addServiceCategory(db, QStringLiteral("钣金"), QStringLiteral("管理员"));
        addServiceItem(db, item(QStringLiteral("保养"), QStringLiteral("更换机油"), 50), QStringLiteral("管理员"));
        addServiceItem(db, item(QStringLiteral("保养"), QStringLiteral("四轮定位"), 120, 100), QStringLiteral("管理员"));
        addServiceItem(db, item(QStringLiteral("钣金"), QStringLiteral("喷漆"), 400), QStringLiteral("管理员"));
        const int journalBefore = journal(db).size();

        QCOMPARE(deleteServiceCategory(db, QStringLiteral("保养"), manager()), 2);
        QCOMPARE(serviceCategories(db), QStringList{QStringLiteral("钣金")});
        QCOMPARE(count(db, QStringLiteral("服务项目信息表")), 1);
        QCOMPARE(serviceItems(db, QStringLiteral("钣金")).size(), 1);
        const QStringList after = journal(db);
        QCOMPARE(after.size(), journalBefore + 1);
        QCOMPARE(after.last(), QStringLiteral("删除服务类别信息:保养"));
    }

    void onlyManagersDeleteCategoriesButClerksDeleteItems()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addServiceCategory(db, QStringLiteral("保养"), QStringLiteral("管理员"));
        const ServiceItem oil = item(QStringLiteral("保养"), QStringLiteral("更换机油"), 50);
        addServiceItem(db, oil, QStringLiteral("管理员"));
        try {
            deleteServiceCategory(db, QStringLiteral("保养"), clerk());
            QFAIL("a clerk deleted a category");
        } catch (const WorkshopError &e) {
            QCOMPARE(e.message(), QStringLiteral("只有经理或管理员才能删除服务类别信息!"));
        }
        QCOMPARE(serviceItems(db, QStringLiteral("保养")).size(), 1);
        deleteServiceItem(db, oil, clerk().name);
        QVERIFY(serviceItems(db, QStringLiteral("保养")).isEmpty());
        QCOMPARE(journal(db).last(), QStringLiteral("删除服务项目信息:更换机油"));
    }

    void itemChecksNameThenFee_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("withFee");
        QTest::addColumn<QString>("message");
        QTest::newRow("no name") << "  " << true << "请输入服务项目名称,再进行保存!服务名称不能为空";
        QTest::newRow("no fee") << "洗车" << false << "请输入服务项目的服务收费金额,再进行保存!";
        QTest::newRow("neither") << "" << false << "请输入服务项目名称,再进行保存!服务名称不能为空";
    }
    void itemChecksNameThenFee()
    {
        QFETCH(QString, name);
        QFETCH(bool, withFee);
        QFETCH(QString, message);
        ServiceItem i{QStringLiteral("保养"), name, withFee ? std::optional<Money>(Money::fromYuan(5)) : std::nullopt, {}};
        try {
            checkServiceItem(i);
            QFAIL("the item was accepted");
        } catch (const WorkshopError &e) {
            QCOMPARE(e.message(), message);
        }
    }

    void modifyingChangesOneRowOfIdenticalOnes()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addServiceCategory(db, QStringLiteral("保养"), QStringLiteral("管理员"));
        const ServiceItem wash = item(QStringLiteral("保养"), QStringLiteral("洗车"), 20, 15);
        addServiceItem(db, wash, QStringLiteral("管理员"));
        addServiceItem(db, wash, QStringLiteral("管理员"));
        ServiceItem dearer = wash;
        dearer.fee = Money::parse(QStringLiteral("25.5"));
        dearer.lowestFee.reset();
        updateServiceItem(db, wash, dearer, QStringLiteral("管理员"));
        const QList<ServiceItem> items = serviceItems(db, QStringLiteral("保养"));
        QCOMPARE(items.size(), 2);
        QCOMPARE(items.count(wash), 1);
        QCOMPARE(items.count(dearer), 1);
        QCOMPARE(journal(db).last(), QStringLiteral("修改服务项目信息:洗车"));

        deleteServiceItem(db, dearer, QStringLiteral("管理员"));
        QCOMPARE(serviceItems(db, QStringLiteral("保养")), QList<ServiceItem>{wash});
        // A row that no longer holds what the form showed is not silently re-created.
        QVERIFY_THROWS_EXCEPTION(WorkshopError, updateServiceItem(db, dearer, wash, QStringLiteral("管理员")));
        QCOMPARE(serviceItems(db, QStringLiteral("保养")).size(), 1);
    }
};

JC_TEST_MAIN(ServiceItemsTest)
#include "tst_serviceitems.moc"
