#include "store/backup.h"
#include "store/schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <fcntl.h>
#include <unistd.h>

namespace store {

QString backupFilePath(const QString &folder, BackupKind kind, const QDate &date)
{
    const QString day = date.toString(QStringLiteral("yyyy-MM-dd"));
    const QDir dir(folder);
    if (kind == BackupKind::OnExit)
        return dir.filePath(QStringLiteral("ve0z160_db%1最后备份.bak").arg(day));
    QString path = dir.filePath(QStringLiteral("数据库%1备份.bak").arg(day));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(QStringLiteral("数据库%1备份(%2).bak").arg(day).arg(n));
    return path;
}

QString findPgTool(const QString &name)
{
    QStringList extra;
    const QDir pgRoot(QStringLiteral("/usr/lib/postgresql"));
    QStringList versions = pgRoot.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed);
    for (const QString &v : versions)
        extra << pgRoot.filePath(v + QStringLiteral("/bin"));
    QString found = QStandardPaths::findExecutable(name);
    if (found.isEmpty())
        found = QStandardPaths::findExecutable(name, extra);
    return found;
}

namespace {

void syncFile(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

struct ToolRun { int exitCode; QString output; };

ToolRun runPgTool(const Db &db, const QString &tool, const QStringList &args)
{
    const QString exe = findPgTool(tool);
    if (exe.isEmpty())
        throw DbError(QStringLiteral("找不到 PostgreSQL 工具 %1,请先安装 postgresql-client").arg(tool));
    const ConnectionSettings &s = db.settings();
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PGHOST"), s.host);
    env.insert(QStringLiteral("PGPORT"), QString::number(s.port));
    env.insert(QStringLiteral("PGUSER"), s.user);
    env.insert(QStringLiteral("PGDATABASE"), s.database);
    if (!s.password.isEmpty())
        env.insert(QStringLiteral("PGPASSWORD"), s.password);
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(exe, args);
    if (!p.waitForStarted(10000))
        throw DbError(QStringLiteral("无法启动 %1: %2").arg(tool, p.errorString()));
    p.waitForFinished(-1);
    const QString out = QString::fromLocal8Bit(p.readAll()).trimmed();
    if (p.exitStatus() != QProcess::NormalExit)
        throw DbError(QStringLiteral("%1 异常结束: %2").arg(tool, out));
    return {p.exitCode(), out};
}

// Replaces every table's rows on the server by those of a SQLite database of this
// schema, in one transaction; identity counters continue after the copied rows.
void copySqliteIntoServer(const QString &file, Db &target)
{
    ConnectionSettings s;
    s.sqliteFile = file;
    Db source(s);
    Transaction tx(target);
    if (databaseTables(target).isEmpty())
        createSchema(target);
    for (const Table &t : Schema::instance().tables()) {
        target.exec(QStringLiteral("DELETE FROM %1").arg(t.name));
        const QStringList cols = t.columnNames();
        QStringList marks;
        for (int i = 0; i < cols.size(); ++i) marks << QStringLiteral("?");
        QSqlQuery &insert = target.prepared(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                .arg(t.name, cols.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
        QSqlQuery rows = source.exec(QStringLiteral("SELECT %1 FROM %2").arg(cols.join(QLatin1Char(',')), t.name));
        while (rows.next()) {
            QVariantList values;
            for (int i = 0; i < cols.size(); ++i) {
                QVariant v = rows.value(i);
                const Column &c = t.columns[size_t(i)];
                if (!v.isNull() && c.type == ColumnType::Date) v = toDate(v);
                else if (!v.isNull() && c.type == ColumnType::DateTime) v = toDateTime(v);
                values << v;
            }
            target.run(insert, values);
        }
        for (const Column &c : t.columns)
            if (c.type == ColumnType::Identity)
                target.exec(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), "
                                           "COALESCE((SELECT MAX(%2) FROM %1), 0) + 1, false)").arg(t.name, c.name.toLower()));
    }
    target.exec(QStringLiteral("COMMENT ON TABLE 部门信息 IS 'juncheng-schema:%1'").arg(Schema::version));
    tx.commit();
}

} // namespace

void backupToFile(Db &db, const QString &file)
{
    const QString tmp = file + QStringLiteral(".writing");
    QFile::remove(tmp);
    if (db.isSqlite()) {
        db.exec(QStringLiteral("VACUUM INTO ?"), {QFileInfo(tmp).absoluteFilePath()});
    } else {
        const ToolRun r = runPgTool(db, QStringLiteral("pg_dump"),
                                    {QStringLiteral("--format=custom"), QStringLiteral("--no-owner"),
                                     QStringLiteral("--no-privileges"), QStringLiteral("--file"), tmp});
        if (r.exitCode != 0) {
            QFile::remove(tmp);
            throw DbError(r.output.isEmpty() ? QStringLiteral("pg_dump 失败") : r.output);
        }
    }
    syncFile(tmp);
    QFile::remove(file);
    if (!QFile::rename(tmp, file)) {
        QFile::remove(tmp);
        throw DbError(QStringLiteral("无法写入备份文件 %1").arg(file));
    }
}

QString takeBackup(Db &db, const QString &folder, BackupKind kind, const QDate &date)
{
    if (!QDir().mkpath(folder))
        throw DbError(QStringLiteral("无法建立备份目录 %1").arg(folder));
    const QString file = backupFilePath(folder, kind, date);
    backupToFile(db, file);
    return file;
}

BackupFormat backupFormat(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return BackupFormat::Unknown;
    const QByteArray head = f.read(16);
    if (head.startsWith("SQLite format 3"))
        return BackupFormat::Sqlite;
    if (head.startsWith("PGDMP"))
        return BackupFormat::PgDump;
    return BackupFormat::Unknown;
}

QStringList checkBackupFile(Db &db, const QString &file)
{
    if (!QFileInfo(file).isFile())
        return {QStringLiteral("文件 %1 不存在").arg(file)};
    const BackupFormat format = backupFormat(file);
    if (db.isSqlite()) {
        if (format != BackupFormat::Sqlite)
            return {QStringLiteral("文件 %1 不是本系统的 SQLite 数据库备份").arg(file)};
        try {
            ConnectionSettings s;
            s.backend = Backend::Sqlite;
            s.sqliteFile = file;
            Db probe(s);
            return checkSchema(probe);
        } catch (const DbError &e) {
            return {e.message()};
        }
    }
    if (format == BackupFormat::Sqlite) {   // a SQLite database (the blank one, or a workstation's) moves to the server
        try {
            ConnectionSettings s;
            s.sqliteFile = file;
            Db probe(s);
            return checkSchema(probe);
        } catch (const DbError &e) {
            return {e.message()};
        }
    }
    if (format != BackupFormat::PgDump)
        return {QStringLiteral("文件 %1 不是本系统的 PostgreSQL 数据库备份").arg(file)};
    const ToolRun r = runPgTool(db, QStringLiteral("pg_restore"), {QStringLiteral("--list"), file});
    if (r.exitCode != 0)
        return {r.output};
    QStringList problems;
    for (const QString &t : Schema::instance().tableNames())
        if (!r.output.contains(QStringLiteral(" TABLE DATA public %1 ").arg(t.toLower()))
            && !r.output.contains(QStringLiteral(" TABLE DATA public %1 ").arg(t)))
            problems << QStringLiteral("备份中缺少数据表 %1").arg(t);
    return problems;
}

void restoreFromFile(Db &db, const QString &file)
{
    const QStringList problems = checkBackupFile(db, file);
    if (!problems.isEmpty())
        throw DbError(problems.join(QLatin1Char('\n')));
    if (db.isSqlite()) {
        const QString target = QFileInfo(db.settings().sqliteFile).absoluteFilePath();
        const QString staging = target + QStringLiteral(".restoring");
        const QString previous = target + QStringLiteral(".before-restore");
        QFile::remove(staging);
        if (!QFile::copy(file, staging))
            throw DbError(QStringLiteral("无法复制备份文件 %1").arg(file));
        syncFile(staging);
        db.close();
        QFile::remove(target + QStringLiteral("-wal"));
        QFile::remove(target + QStringLiteral("-shm"));
        QFile::remove(previous);
        if (QFileInfo::exists(target) && !QFile::rename(target, previous)) {
            db.reopen();
            throw DbError(QStringLiteral("无法替换数据库文件 %1").arg(target));
        }
        if (!QFile::rename(staging, target)) {
            QFile::rename(previous, target);
            db.reopen();
            throw DbError(QStringLiteral("无法替换数据库文件 %1").arg(target));
        }
        syncFile(QFileInfo(target).absolutePath());
        db.reopen();
        return;
    }
    if (backupFormat(file) == BackupFormat::Sqlite) {
        copySqliteIntoServer(file, db);
        return;
    }
    db.close();
    const ToolRun r = runPgTool(db, QStringLiteral("pg_restore"),
                                {QStringLiteral("--clean"), QStringLiteral("--if-exists"), QStringLiteral("--no-owner"),
                                 QStringLiteral("--no-privileges"), QStringLiteral("--single-transaction"),
                                 QStringLiteral("--exit-on-error"), QStringLiteral("--dbname"), db.settings().database,
                                 file});
    db.reopen();
    if (r.exitCode != 0)
        throw DbError(r.output.isEmpty() ? QStringLiteral("pg_restore 失败") : r.output);
}

} // namespace store
