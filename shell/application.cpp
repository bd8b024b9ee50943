#include "shell/application.h"
#include "shell/common/database.h"
#include "shell/common/formregistry.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "shell/instance.h"
#include "shell/loginform.h"
#include "shell/mainwindow.h"
#include "shell/recovery.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <memory>

namespace shell {

namespace {
std::vector<void (*)()> &registrars()
{
    static std::vector<void (*)()> list;
    return list;
}
} // namespace

void addFormRegistrar(void (*registrar)())
{
    registrars().push_back(registrar);
}

// After the main window is first shown: connect, log in, show the reminders, open on
// "业务录入". Returns false when the program must end.
static bool firstActivation(TMainForm &window, const WorkstationSettings &settings, std::unique_ptr<store::Db> &db)
{
    try {
        db = std::make_unique<store::Db>(settings.connection);
        setDatabase(db.get());
    } catch (const store::DbError &) {
        runRecovery(settings, interactiveRecoveryDialogs(&window), &window);
        return false;
    }
    TLoginForm login(&window);
    window.setBanner(bannerText(login.headOffice(), window.bannerText()));
    if (login.exec() != QDialog::Accepted)
        return false;
    window.showOperator();
    for (const QString &reminder : {QStringLiteral("TAlterClientForm"), QStringLiteral("客户到期提醒")}) {
        if (hasForm(reminder)) {
            if (QDialog *form = createForm(reminder, &window)) {
                form->setAttribute(Qt::WA_DeleteOnClose, true);
                form->exec();
            }
            break;
        }
    }
    window.showSection(QStringLiteral("业务录入"));
    return true;
}

int runApplication(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("juncheng"));
    QApplication::setApplicationDisplayName(QStringLiteral("骏程汽车美容信息管理系统"));
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    SingleInstance instance;
    if (!instance.acquired()) {
        Messages::warning(nullptr, QStringLiteral("骏程汽车维修管理系统已经在运行,确定后程序将会自动退出!"), QStringLiteral("警告!"));
        return 0;
    }
    for (auto registrar : registrars())
        registrar();

    const WorkstationSettings settings = loadSettings();
    std::unique_ptr<store::Db> db;
    TMainForm window(settings);
    window.show();
    bool running = false;
    QTimer::singleShot(0, &window, [&] {
        running = firstActivation(window, settings, db);
        if (!running) {
            setDatabase(nullptr);
            QApplication::exit(0);
        }
    });
    const int rc = app.exec();
    setDatabase(nullptr);
    return rc;
}

} // namespace shell
