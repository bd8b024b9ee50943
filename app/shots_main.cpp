// juncheng-shots: renders the login form and the main window of a demo database into
// PNG files, for the README (run under xvfb-run by scripts/screenshots.sh).
#include "app/demodata.h"
#include "app/registerforms.h"
#include "shell/common/database.h"
#include "shell/common/operatorcontext.h"
#include "shell/loginform.h"
#include "shell/loginservice.h"
#include "shell/mainwindow.h"
#include "store/blankdb.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/screenshots");
    QDir().mkpath(out);
    app::registerAllForms();
    QTemporaryDir dir;
    shell::WorkstationSettings settings;
    settings.connection.sqliteFile = dir.filePath(QStringLiteral("demo.db"));
    settings.backupFolder = dir.filePath(QStringLiteral("bk"));
    store::Db db(settings.connection);
    store::createBlankDatabase(db);
    app::loadDemoData(db);
    shell::setDatabase(&db);

    shell::TMainForm window(settings);
    window.show();
    shell::TLoginForm login(&window);
    login.show();
    login.codeBox()->setText(QStringLiteral("000000"));
    login.departmentBox()->setText(QStringLiteral("骏程汽车维修中心"));
    app.processEvents();
    QTimer::singleShot(300, [&] {
        login.grab().save(out + QStringLiteral("/login.png"));
        login.hide();
        shell::OperatorRecord who;
        shell::logIn(db, QStringLiteral("000000"), store::kInitialPassword, QStringLiteral("骏程汽车维修中心"), &who);
        shell::OperatorContext op = shell::currentOperator();
        op.code = who.code;
        op.name = who.name;
        op.category = who.category;
        op.department = who.department;
        shell::setCurrentOperator(op);
        window.showOperator();
        window.setBanner(shell::bannerText(shell::readHeadOffice(db), window.bannerText()));
        window.showSection(QStringLiteral("业务录入"));
        QTimer::singleShot(300, [&] {
            window.grab().save(out + QStringLiteral("/mainwindow.png"));
            shell::setDatabase(nullptr);
            app.exit(0);
        });
    });
    return app.exec();
}
