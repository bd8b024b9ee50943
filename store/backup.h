#pragma once
// Full backups of the database into files, and the restore of one.
// SQLite: an online copy with VACUUM INTO. PostgreSQL: pg_dump / pg_restore.

#include "store/db.h"

#include <QDate>
#include <functional>

namespace store {

enum class BackupKind {
    OnDemand,   // "数据库{date}备份.bak": never replaces an earlier backup of the day
    OnExit,     // "ve0z160_db{date}最后备份.bak": one file per day, holding the newest
};

// The file name of a backup of this kind taken on this date, in the folder.
// For OnDemand, the first name not yet taken ("...备份.bak", "...备份(2).bak", ...).
QString backupFilePath(const QString &folder, BackupKind kind, const QDate &date);

// Takes a backup into the folder (created if missing); returns the written file.
// Throws DbError with the server's or the tool's message.
QString takeBackup(Db &db, const QString &folder, BackupKind kind, const QDate &date = QDate::currentDate());

// Writes a full backup of the open database to exactly this file (replaced atomically).
void backupToFile(Db &db, const QString &file);

// What kind of backup a file holds, judged by its first bytes.
enum class BackupFormat { Unknown, Sqlite, PgDump };
BackupFormat backupFormat(const QString &file);

// Checks that the file is a backup of this program's schema for the db's backend;
// returns the problems found (empty when it can be restored).
QStringList checkBackupFile(Db &db, const QString &file);

// Replaces the database's contents by the backup. The file is checked first and nothing
// is touched if it is not a backup of this schema; the old SQLite file is kept beside
// the new one ("<file>.before-restore") until the new one is in place. The connection
// is reopened afterwards.
void restoreFromFile(Db &db, const QString &file);

// Finds a PostgreSQL client tool (pg_dump, pg_restore, psql) on PATH or in Debian's
// versioned folders.
QString findPgTool(const QString &name);

} // namespace store
