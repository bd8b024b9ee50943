#include "shell/commandtable.h"
#include "shell/common/database.h"
#include "shell/common/formregistry.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "shell/mainwindow.h"
#include "store/backup.h"
#include "store/functions.h"
#include "tests/support/testdb.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace shell;

namespace {
const QStringList kStandIns = {QStringLiteral("TInitServiceItemForm"), QStringLiteral("TInitFactoryInfoForm"),
                               QStringLiteral("TFeeDayReportForm"), QStringLiteral("TInitsystemForm"),
                               QStringLiteral("TChangePasswordForm"), QStringLiteral("TFindProduNoteForm")};

struct Harness {
    testsupport::TestDatabase t;
    QTemporaryDir backups;
    std::unique_ptr<TMainForm> window;
    QStringList opened;      // window titles of the forms opened
    QStringList messages;
    QStringList desktop;     // documents and programs started
    QMessageBox::StandardButton answer = QMessageBox::Yes;

    explicit Harness(const QString &operatorCode)
    {
        for (const QString &name : kStandIns)
            registerForm(name, [name](QWidget *parent) {
                auto *d = new QDialog(parent);
                d->setWindowTitle(name);
                return d;
            });
        setDatabase(&t.db());
        WorkstationSettings s;
        s.connection = t.settings();
        s.backupFolder = backups.path();
        window = std::make_unique<TMainForm>(s);
        window->setFormLauncher([this](QDialog *d) { opened << d->windowTitle(); delete d; });
        window->setDesktopLauncher([this](const QString &what) { desktop << what; return true; });
        Messages::setTestHook([this](const MessageBoxText &box) {
            messages << box.text;
            return box.buttons & QMessageBox::Yes ? answer : QMessageBox::Ok;
        });
        OperatorContext op;
        op.code = operatorCode;
        op.name = QStringLiteral("测试员");
        setCurrentOperator(op);
        window->showOperator();
    }
    ~Harness()
    {
        Messages::setTestHook({});
        window.reset();
        setDatabase(nullptr);
    }
    void grant(const QString &code, const QString &function)
    {
        t.db().execWrite(QStringLiteral("INSERT INTO 权限信息表 (操作员代号, 功能名称) VALUES (?, ?)"), {code, function});
    }
    int backupFiles(const QString &pattern = QStringLiteral("*")) const
    {
        return int(QDir(backups.path()).entryList({pattern}, QDir::Files).size());
    }
};
} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void layoutFollowsTheCommandTable()
    {
        Harness h(QStringLiteral("000000"));
        QCOMPARE(h.window->windowTitle(), QStringLiteral("骏程汽车维修管理系统 6.01版"));
        QCOMPARE(h.window->currentPanel(), QStringLiteral("P0"));
        h.window->showSection(QStringLiteral("业务录入"));
        QCOMPARE(h.window->currentPanel(), QStringLiteral("P3"));
        QStringList menus;
        for (QAction *a : h.window->menuBar()->actions()) menus << a->text();
        QCOMPARE(menus, QStringList({"业务录入", "业务查询", "物品管理", "客户管理", "统计报表", "基础资料", "系统功能"}));
        QCOMPARE(h.window->statusPanelText(0), QStringLiteral("操作员编号"));
        QCOMPARE(h.window->statusPanelText(1), QStringLiteral("000000"));
        QCOMPARE(h.window->statusPanelText(3), QStringLiteral("测试员"));
        QVERIFY(!h.window->statusPanelText(5).isEmpty());   // the clock runs from creation
        // Every gated name of the table can be granted, and "修改密码" is the only extra one.
        QStringList gated;
        for (const Command &c : commands())
            if (!c.function.isEmpty() && !gated.contains(c.function)) gated << c.function;
        gated << QStringLiteral("修改密码");
        QStringList grantable = store::grantableFunctions();
        gated.sort();
        grantable.sort();
        QCOMPARE(gated, grantable);
        // A command whose form is not part of this build is disabled, not pretending to work.
        QVERIFY(!h.window->runCommand(QStringLiteral("收费月报表")));
    }

    void operatorWithoutRightsOpensOnlyTheFreeCommands()
    {
        Harness h(QStringLiteral("000101"));
        QVERIFY(!h.window->runCommand(QStringLiteral("维修项目设置")));
        QCOMPARE(h.messages.last(), kDefaultDenial);
        QVERIFY(!h.window->runCommand(QStringLiteral("托修单修改")));
        QVERIFY(!h.window->runCommand(QStringLiteral("数据备份"), false));
        QCOMPARE(h.messages.last(), kBackupDenialMenu);
        QVERIFY(!h.window->runCommand(QStringLiteral("数据备份"), true));
        QCOMPARE(h.messages.last(), kBackupDenialButton);
        QVERIFY(h.window->runCommand(QStringLiteral("修改密码")));
        QVERIFY(h.window->runCommand(QStringLiteral("使用说明")));
        QVERIFY(h.window->runCommand(QStringLiteral("关于软件")));
        QCOMPARE(h.opened, QStringList({QStringLiteral("TChangePasswordForm"), QStringLiteral("关于软件")}));
        QVERIFY(h.desktop.value(0).endsWith(QStringLiteral("Help/使用说明.html")));
        QCOMPARE(h.backupFiles(), 0);
    }

    void gateUsesFunctionNamesAndTrimmedCodes()
    {
        Harness h(QStringLiteral(" 000101 "));   // blanks around the code in status panel 1
        h.grant(QStringLiteral("000101"), QStringLiteral("服务项目设置"));
        h.grant(QStringLiteral("000101"), QStringLiteral("物品信息设置"));
        h.grant(QStringLiteral("000101"), QStringLiteral("收费日结"));
        h.grant(QStringLiteral("000101"), QStringLiteral("托修单修改"));
        QVERIFY(h.window->runCommand(QStringLiteral("维修项目设置")));
        QVERIFY(h.window->runCommand(QStringLiteral("仓库数据导入")));
        QVERIFY(h.window->runCommand(QStringLiteral("收费日结")));
        QVERIFY(!h.window->runCommand(QStringLiteral("收费日报表")));   // same form, granted separately
        QVERIFY(h.window->runCommand(QStringLiteral("托修单修改")));     // opened under its own heading
        QVERIFY(h.window->runCommand(QStringLiteral("服务项目设置")));   // by function name, as a launcher would
        QCOMPARE(h.opened, QStringList({"TInitServiceItemForm", "TInitFactoryInfoForm", "TFeeDayReportForm", "托修单修改",
                                        "TInitServiceItemForm"}));
    }

    void systemInitialisationIsForTheSuperUserOnly()
    {
        Harness h(QStringLiteral("000101"));
        for (const QString &f : store::grantableFunctions()) h.grant(QStringLiteral("000101"), f);
        QVERIFY(!h.window->runCommand(QStringLiteral("系统初始化")));
        QCOMPARE(h.messages.last(), kShortDenial);
        OperatorContext op = currentOperator();
        op.code = QStringLiteral("000000");
        setCurrentOperator(op);
        h.window->showOperator();
        QVERIFY(h.window->runCommand(QStringLiteral("系统初始化")));
    }

    void backupsOnDemandAndOnExit()
    {
        Harness h(QStringLiteral("000000"));
        QVERIFY(h.window->runCommand(QStringLiteral("数据备份"), true));
        QVERIFY(h.window->runCommand(QStringLiteral("数据备份"), true));
        QCOMPARE(h.messages.last(), QStringLiteral("数据备份完毕!请将该数据备份文件拷到备份目录!"));
        QCOMPARE(h.backupFiles(), 2);   // the second did not replace the first
        QCOMPARE(h.t.db().scalar(QStringLiteral("SELECT COUNT(*) FROM 操作流水表 WHERE 业务内容 = '进行数据库备份.'")).toInt(), 2);

        // "否" keeps the program and takes no backup.
        h.answer = QMessageBox::No;
        QVERIFY(!h.window->confirmExit());
        QCOMPARE(h.messages.last(), QStringLiteral("按下“是” 将会退出系统,按“否”返回系统!"));
        QCOMPARE(h.backupFiles(), 2);
        // Two exits on one day leave one exit file, holding the second.
        h.answer = QMessageBox::Yes;
        QVERIFY(h.window->confirmExit());
        h.t.db().execWrite(QStringLiteral("INSERT INTO 会员类别信息表 (会员类别) VALUES ('银卡')"));
        QVERIFY(h.window->confirmExit());
        QCOMPARE(h.backupFiles(QStringLiteral("*最后备份.bak")), 1);
        h.t.db().execWrite(QStringLiteral("INSERT INTO 会员类别信息表 (会员类别) VALUES ('铜卡')"));
        const QString exitFile = QDir(h.backups.path()).entryInfoList({QStringLiteral("*最后备份.bak")}, QDir::Files)[0].filePath();
        store::restoreFromFile(h.t.db(), exitFile);
        QCOMPARE(h.t.db().scalar(QStringLiteral("SELECT COUNT(*) FROM 会员类别信息表")).toInt(), 1);
    }

    void failingExitBackupIsReportedAndTheProgramStillEnds()
    {
        Harness h(QStringLiteral("000000"));
        WorkstationSettings s;
        s.connection = h.t.settings();
        s.backupFolder = QStringLiteral("/proc/no-such-folder");
        TMainForm window(s);
        QVERIFY(window.confirmExit());
        QVERIFY(h.messages.last().startsWith(QStringLiteral("退出备份失败")));
    }
};

JC_TEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
