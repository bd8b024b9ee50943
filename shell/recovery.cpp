#include "shell/recovery.h"
#include "shell/common/messages.h"
#include "store/backup.h"
#include "store/pgadmin.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace shell {

QString blankDatabaseFile()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Data.BAK"));
}

namespace {

// "数据库选择": server (host, or database file for SQLite), user, password.
bool connectDialog(QWidget *parent, store::ConnectionSettings &s)
{
    QDialog d(parent);
    d.setWindowTitle(QStringLiteral("数据库选择"));
    auto *form = new QFormLayout(&d);
    const bool pg = s.backend == store::Backend::Postgres;
    auto *server = new QLineEdit(pg ? s.host : s.sqliteFile, &d);
    auto *user = new QLineEdit(s.user, &d);
    auto *password = new QLineEdit(s.password, &d);
    password->setEchoMode(QLineEdit::Password);
    auto row = [&](const QString &label, QLineEdit *box) {
        auto *l = new QLabel(label, &d);
        l->setBuddy(box);
        form->addRow(l, box);
    };
    row(QStringLiteral("服务器名称"), server);
    row(QStringLiteral("用户名"), user);
    row(QStringLiteral("密码"), password);
    auto *buttons = new QDialogButtonBox(&d);
    QPushButton *connectButton = buttons->addButton(QStringLiteral("连接"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    QObject::connect(connectButton, &QPushButton::clicked, &d, [&] {
        store::ConnectionSettings trial = s;
        if (pg) trial.host = server->text().trimmed(); else trial.sqliteFile = server->text().trimmed();
        trial.user = user->text();
        trial.password = password->text();
        try {
            if (pg) {
                trial.database = QStringLiteral("postgres");   // the server itself, like a maintenance connection
                store::Db probe(trial);
                trial.database = s.database;
            } else {
                QDir().mkpath(QFileInfo(trial.sqliteFile).absolutePath());
                if (!QFileInfo(QFileInfo(trial.sqliteFile).absolutePath()).isWritable())
                    throw store::DbError(QStringLiteral("无法在 %1 中建立数据库文件").arg(trial.sqliteFile));
            }
            s = trial;
            d.accept();
        } catch (const store::DbError &e) {
            Messages::error(&d, e.message());
        }
    });
    return d.exec() == QDialog::Accepted;
}

QString chooseFileDialog(QWidget *parent, const WorkstationSettings &s)
{
    QString folder = s.backupFolder;
    if (!QFileInfo(folder).isDir())
        folder = QCoreApplication::applicationDirPath();
    return QFileDialog::getOpenFileName(parent, QStringLiteral("请选择数据库文件"),
                                        QDir(folder).filePath(QStringLiteral("Data.BAK")),
                                        QStringLiteral("数据库备份文件 (*.BAK *.bak)"));
}

} // namespace

RecoveryDialogs interactiveRecoveryDialogs(QWidget *parent)
{
    return {[parent](store::ConnectionSettings &s) { return connectDialog(parent, s); },
            [parent](const WorkstationSettings &s) { return chooseFileDialog(parent, s); }};
}

RecoveryOutcome runRecovery(WorkstationSettings settings, const RecoveryDialogs &dialogs, QWidget *parent,
                            const QString &settingsFile)
{
    Messages::warning(parent, QStringLiteral("数据库连接出错,请输入你的的服务器名称和密码!"));
    if (!dialogs.connect(settings.connection))
        return RecoveryOutcome::Cancelled;
    if (saveSettings(settings, settingsFile).isEmpty())
        Messages::warning(parent, QStringLiteral("无法保存连接设置文件 Database.bin"));
    Messages::info(parent, QStringLiteral("请选择导入新空白数据库文件或备份数据库文件!"));
    const QString file = dialogs.chooseFile(settings);
    if (file.isEmpty())
        return RecoveryOutcome::Cancelled;
    try {
        store::ConnectionSettings target = settings.connection;
        if (target.backend == store::Backend::Postgres && !store::pgDatabaseExists(target))
            store::pgCreateDatabase(target);
        store::Db db(target);
        store::restoreFromFile(db, file);
    } catch (const store::DbError &e) {
        Messages::error(parent, e.message());
        return RecoveryOutcome::Failed;
    }
    Messages::info(parent, QStringLiteral("新数据库连接完成,请重新运行程序!"));
    return RecoveryOutcome::Restored;
}

} // namespace shell
