#include "shell/common/database.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "shell/instance.h"
#include "shell/loginform.h"
#include "shell/loginservice.h"
#include "shell/recovery.h"
#include "shell/settings.h"
#include "store/blankdb.h"
#include "store/password.h"
#include "tests/support/testdb.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>

using namespace shell;

namespace {
// Answers every box with the given button and remembers the texts.
struct MessageRecorder {
    QStringList texts;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    MessageRecorder()
    {
        Messages::setTestHook([this](const MessageBoxText &box) {
            texts << box.text;
            return answer == QMessageBox::Ok && (box.buttons & QMessageBox::Yes) ? QMessageBox::Yes : answer;
        });
    }
    ~MessageRecorder() { Messages::setTestHook({}); }
};

void addOperator(store::Db &db, const QString &code, const QString &name, const QString &password, const QString &dept)
{
    db.execWrite(QStringLiteral("INSERT INTO 操作员信息表 (操作员代号, 操作员姓名, 操作员类别, 操作员密码, 所属部门, 部门编号) "
                                "VALUES (?, ?, '操作员', ?, ?, '0000')"),
                 {code, name, password, dept});
}
int loginRows(store::Db &db) { return db.scalar(QStringLiteral("SELECT COUNT(*) FROM 登录日志表")).toInt(); }
} // namespace

class LoginTest : public QObject {
    Q_OBJECT
private slots:
    void passwordMustMatchExactly()
    {
        testsupport::TestDatabase t;
        store::Db &db = t.db();
        addOperator(db, QStringLiteral("000001"), QStringLiteral("李四"), QStringLiteral("Secret"), QStringLiteral("前台"));
        OperatorRecord who;
        for (const QString &wrong : {QStringLiteral("secret"), QStringLiteral("Secret "), QStringLiteral("' OR '1'='1"), QString()})
            QCOMPARE(logIn(db, QStringLiteral("000001"), wrong, QStringLiteral("前台"), &who), LoginResult::WrongPassword);
        QCOMPARE(logIn(db, QStringLiteral("00000'"), QStringLiteral("x"), {}, &who), LoginResult::WrongPassword);
        QCOMPARE(logIn(db, QStringLiteral("  "), QStringLiteral("x"), {}, &who), LoginResult::EmptyCode);
        QCOMPARE(loginRows(db), 0);

        // The plain stored password admits once exactly and is then replaced by its hash.
        QCOMPARE(logIn(db, QStringLiteral("000001"), QStringLiteral("Secret"), QStringLiteral("所在部门框"), &who), LoginResult::Ok);
        QCOMPARE(who.name, QStringLiteral("李四"));
        const QString stored = db.scalar(QStringLiteral("SELECT 操作员密码 FROM 操作员信息表 WHERE 操作员代号='000001'")).toString();
        QVERIFY(store::isPasswordHash(stored));
        QCOMPARE(logIn(db, QStringLiteral("000001"), QStringLiteral("Secret"), QStringLiteral("前台"), &who), LoginResult::Ok);
        QCOMPARE(logIn(db, QStringLiteral("000001"), QStringLiteral("secret"), QStringLiteral("前台"), &who), LoginResult::WrongPassword);
        QCOMPARE(loginRows(db), 2);
        auto row = db.one(QStringLiteral("SELECT 操作员, 所属部门 FROM 登录日志表 ORDER BY 流水编号"));
        QCOMPARE(row->value(0).toString(), QStringLiteral("李四"));
        QCOMPARE(row->value(1).toString(), QStringLiteral("所在部门框"));
    }

    void bannerRule()
    {
        const QString design = QStringLiteral("骏程汽车维修管理系统");
        QCOMPARE(bannerText({true, QStringLiteral("骏程汽车维修中心"), {}}, design), design);
        QCOMPARE(bannerText({true, QStringLiteral("星沙汽修厂"), {}}, design), QStringLiteral("星沙汽修厂"));
        QCOMPARE(bannerText({false, {}, {}}, design), QString());
    }

    void loginFormFlow()
    {
        testsupport::TestDatabase t;
        setDatabase(&t.db());
        t.db().execWrite(QStringLiteral("UPDATE 部门信息 SET 车牌字头 = '湘A' WHERE 部门编号 = '0000'"));
        MessageRecorder messages;
        TLoginForm form;
        QCOMPARE(currentOperator().platePrefix, QStringLiteral("湘A"));
        QCOMPARE(form.codeBox()->text(), QStringLiteral("000000"));
        QCOMPARE(form.codeBox()->maxLength(), 6);
        QCOMPARE(form.passwordBox()->maxLength(), 24);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        // An unknown code: message, box cleared, focus back.
        form.codeBox()->setFocus();
        form.codeBox()->setText(QStringLiteral("123'45"));
        QTest::keyClick(form.codeBox(), Qt::Key_Return);
        QCOMPARE(messages.texts.value(0), QStringLiteral("用户编号不正确!,请重新输入!"));
        QCOMPARE(form.codeBox()->text(), QString());

        // Empty code: only the top label speaks.
        auto *login = form.findChild<QPushButton *>(QString(), Qt::FindChildrenRecursively);
        for (QPushButton *b : form.findChildren<QPushButton *>())
            if (b->text() == QStringLiteral("登录")) login = b;
        login->click();
        QCOMPARE(form.topLabel()->text(), QStringLiteral("请输入用户编号!"));
        QCOMPARE(messages.texts.size(), 1);

        // A known code fills name and department; a wrong password clears only its own box.
        form.codeBox()->setFocus();
        form.codeBox()->setText(QStringLiteral("000000"));
        QTest::keyClick(form.codeBox(), Qt::Key_Return);
        QCOMPARE(form.topLabel()->text(), QStringLiteral("管理员"));
        QCOMPARE(form.departmentBox()->text(), QStringLiteral("骏程汽车维修中心"));
        form.passwordBox()->setText(QStringLiteral("888888 "));
        login->click();
        QCOMPARE(messages.texts.last(), QStringLiteral("您所输入的密码错误!请重新输入!!"));
        QCOMPARE(form.passwordBox()->text(), QString());
        QCOMPARE(form.codeBox()->text(), QStringLiteral("000000"));
        QCOMPARE(form.departmentBox()->text(), QStringLiteral("骏程汽车维修中心"));
        QVERIFY(form.isVisible());

        form.passwordBox()->setText(QStringLiteral("888888"));
        login->click();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(currentOperator().code, QStringLiteral("000000"));
        QCOMPARE(currentOperator().category, QStringLiteral("管理员"));
        QCOMPARE(currentOperator().department, QStringLiteral("骏程汽车维修中心"));
        QCOMPARE(loginRows(t.db()), 1);
        setDatabase(nullptr);
    }

    void settingsDefaultsAndRoundTrip()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Database.bin"));
        WorkstationSettings s = loadSettings(file);   // missing file
        QCOMPARE(s.connection.backend, store::Backend::Sqlite);
        QCOMPARE(s.connection.sqliteFile, defaultSqliteFile());
        {
            QSettings ini(file, QSettings::IniFormat);
            ini.setValue(QStringLiteral("Database/Backend"), QStringLiteral("postgresql"));
            ini.setValue(QStringLiteral("Server/Server"), QStringLiteral("db.shop.lan"));
        }
        s = loadSettings(file);   // missing user, password, port: defaults
        QCOMPARE(s.connection.backend, store::Backend::Postgres);
        QCOMPARE(s.connection.host, QStringLiteral("db.shop.lan"));
        QCOMPARE(s.connection.user, QStringLiteral("SA"));
        QCOMPARE(s.connection.port, 5432);
        s.connection.password = QStringLiteral("p'w=d");
        QCOMPARE(saveSettings(s, file), file);
        QCOMPARE(QFile(file).permissions() & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
        QCOMPARE(loadSettings(file).connection.password, QStringLiteral("p'w=d"));
    }

    void secondCopyIsRefused()
    {
        QTemporaryDir dir;
        const QString lock = dir.filePath(QStringLiteral("x.lock"));
        SingleInstance first(lock);
        QVERIFY(first.acquired());
        SingleInstance second(lock);
        QVERIFY(!second.acquired());
    }

    void recoverySavesSettingsEvenWhenNoFileIsChosen()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("Database.bin"));
        MessageRecorder messages;
        WorkstationSettings s;
        s.connection.sqliteFile = dir.filePath(QStringLiteral("old.db"));
        RecoveryDialogs dialogs;
        dialogs.connect = [&](store::ConnectionSettings &c) { c.sqliteFile = dir.filePath(QStringLiteral("new.db")); return true; };
        dialogs.chooseFile = [](const WorkstationSettings &) { return QString(); };
        QCOMPARE(runRecovery(s, dialogs, nullptr, file), RecoveryOutcome::Cancelled);
        QCOMPARE(loadSettings(file).connection.sqliteFile, dir.filePath(QStringLiteral("new.db")));
        QCOMPARE(messages.texts.value(0), QStringLiteral("数据库连接出错,请输入你的的服务器名称和密码!"));

        // Cancelling the connect dialog writes nothing.
        QFile::remove(file);
        dialogs.connect = [](store::ConnectionSettings &) { return false; };
        QCOMPARE(runRecovery(s, dialogs, nullptr, file), RecoveryOutcome::Cancelled);
        QVERIFY(!QFile::exists(file));
    }

    void recoveryRestoresTheBlankDatabase()
    {
        // A blank database restored into a new place (on PostgreSQL: copied onto the server).
        testsupport::TestDatabase source;
        source.db().execWrite(QStringLiteral("INSERT INTO 会员类别信息表 (会员类别) VALUES ('金卡')"));
        QTemporaryDir dir;
        const QString backup = dir.filePath(QStringLiteral("Data.BAK"));
        if (testsupport::testBackend() == store::Backend::Sqlite) {
            source.db().exec(QStringLiteral("VACUUM INTO ?"), {backup});
        } else {
            store::ConnectionSettings lite;
            lite.sqliteFile = dir.filePath(QStringLiteral("lite.db"));
            {
                store::Db db(lite);
                store::createBlankDatabase(db);
                db.execWrite(QStringLiteral("INSERT INTO 会员类别信息表 (会员类别) VALUES ('金卡')"));
                db.execWrite(QStringLiteral("INSERT INTO 登录日志表 (登录时间, 操作员) VALUES (?, 'x')"), {QDateTime::currentDateTime()});
            }
            QFile::copy(lite.sqliteFile, backup);
        }
        testsupport::TestDatabase target;
        MessageRecorder messages;
        WorkstationSettings s;
        s.connection = target.settings();
        RecoveryDialogs dialogs;
        dialogs.connect = [](store::ConnectionSettings &) { return true; };
        dialogs.chooseFile = [&](const WorkstationSettings &) { return backup; };
        QCOMPARE(runRecovery(s, dialogs, nullptr, dir.filePath(QStringLiteral("Database.bin"))), RecoveryOutcome::Restored);
        QCOMPARE(messages.texts.last(), QStringLiteral("新数据库连接完成,请重新运行程序!"));
        auto db = target.connect();
        QCOMPARE(db->scalar(QStringLiteral("SELECT 会员类别 FROM 会员类别信息表")).toString(), QStringLiteral("金卡"));
        // Identity numbers continue after the copied rows.
        db->execWrite(QStringLiteral("INSERT INTO 登录日志表 (登录时间, 操作员) VALUES (?, 'y')"), {QDateTime::currentDateTime()});
        QCOMPARE(db->scalar(QStringLiteral("SELECT COUNT(DISTINCT 流水编号) FROM 登录日志表")).toInt(),
                 db->scalar(QStringLiteral("SELECT COUNT(*) FROM 登录日志表")).toInt());
    }
};

JC_TEST_MAIN(LoginTest)
#include "tst_login.moc"
