#pragma once
// Database.bin: the connection settings of a workstation (an INI file).
//   [Server] Server=   host of the PostgreSQL server, or the SQLite database file
//   [User]   User=     login name
//   [Password] PWD=    login password
//   [Database] Backend=sqlite|postgresql  Port=5432  Name=ve0z160_db
//   [Backup] Folder=   where backups are written
// A missing file, section or key falls back to the embedded SQLite database in the
// user's data folder.

#include "store/db.h"

#include <QString>
#include <QStringList>

namespace shell {

struct WorkstationSettings {
    store::ConnectionSettings connection;
    QString backupFolder;
};

// The places Database.bin is looked for: beside the program, then the user's
// configuration folder.
QStringList settingsFileCandidates();
QString defaultSqliteFile();
QString defaultBackupFolder();

// Reads the first existing candidate (or the given file); defaults for whatever is missing.
WorkstationSettings loadSettings(const QString &file = {});
// Writes to the given file, or the first writable candidate; mode 0600 since the file
// holds a password. Returns the file written, or empty on failure.
QString saveSettings(const WorkstationSettings &settings, const QString &file = {});

} // namespace shell
