#include "shell/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace shell {

namespace {
const QString kFileName = QStringLiteral("Database.bin");

QString dataHome()
{
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    return xdg.isEmpty() ? QDir::homePath() + QStringLiteral("/.local/share") : xdg;
}
QString configHome()
{
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    return xdg.isEmpty() ? QDir::homePath() + QStringLiteral("/.config") : xdg;
}
} // namespace

QStringList settingsFileCandidates()
{
    return {QDir(QCoreApplication::applicationDirPath()).filePath(kFileName),
            configHome() + QStringLiteral("/juncheng/") + kFileName};
}

QString defaultSqliteFile()
{
    return dataHome() + QStringLiteral("/juncheng/ve0z160_db.sqlite");
}

QString defaultBackupFolder()
{
    return dataHome() + QStringLiteral("/juncheng/备份");
}

WorkstationSettings loadSettings(const QString &file)
{
    QString path = file;
    if (path.isEmpty()) {
        for (const QString &c : settingsFileCandidates())
            if (QFileInfo::exists(c)) { path = c; break; }
    }
    WorkstationSettings s;
    s.backupFolder = defaultBackupFolder();
    store::ConnectionSettings &c = s.connection;
    c.backend = store::Backend::Sqlite;
    c.sqliteFile = defaultSqliteFile();
    c.user = QStringLiteral("SA");
    c.password = QStringLiteral("kestrel9");
    if (path.isEmpty() || !QFileInfo::exists(path))
        return s;
    QSettings ini(path, QSettings::IniFormat);
    const QString backend = ini.value(QStringLiteral("Database/Backend")).toString().trimmed().toLower();
    const QString server = ini.value(QStringLiteral("Server/Server")).toString().trimmed();
    c.user = ini.value(QStringLiteral("User/User"), c.user).toString();
    c.password = ini.value(QStringLiteral("Password/PWD"), c.password).toString();
    if (backend == QLatin1String("postgresql") || backend == QLatin1String("pg")) {
        c.backend = store::Backend::Postgres;
        c.host = server.isEmpty() ? QStringLiteral("localhost") : server;
        c.port = ini.value(QStringLiteral("Database/Port"), 5432).toInt();
        c.database = ini.value(QStringLiteral("Database/Name"), c.database).toString();
    } else if (!server.isEmpty()) {
        c.sqliteFile = server;
    }
    const QString folder = ini.value(QStringLiteral("Backup/Folder")).toString().trimmed();
    if (!folder.isEmpty())
        s.backupFolder = folder;
    return s;
}

QString saveSettings(const WorkstationSettings &s, const QString &file)
{
    QStringList targets = file.isEmpty() ? settingsFileCandidates() : QStringList{file};
    for (const QString &path : targets) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        {
            QFile probe(path);
            if (!probe.open(QIODevice::ReadWrite))
                continue;
        }
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QSettings ini(path, QSettings::IniFormat);
        const store::ConnectionSettings &c = s.connection;
        const bool pg = c.backend == store::Backend::Postgres;
        ini.setValue(QStringLiteral("Server/Server"), pg ? c.host : c.sqliteFile);
        ini.setValue(QStringLiteral("User/User"), c.user);
        ini.setValue(QStringLiteral("Password/PWD"), c.password);
        ini.setValue(QStringLiteral("Database/Backend"), pg ? QStringLiteral("postgresql") : QStringLiteral("sqlite"));
        if (pg) {
            ini.setValue(QStringLiteral("Database/Port"), c.port);
            ini.setValue(QStringLiteral("Database/Name"), c.database);
        }
        ini.setValue(QStringLiteral("Backup/Folder"), s.backupFolder);
        ini.sync();
        if (ini.status() == QSettings::NoError)
            return path;
    }
    return {};
}

} // namespace shell
