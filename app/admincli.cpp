#include "app/admincli.h"
#include "app/demodata.h"
#include "store/backup.h"
#include "store/blankdb.h"
#include "store/pgadmin.h"
#include "store/schema.h"
#include "store/upgrade.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace app {

namespace {

const char *kHelp =
    "用法: juncheng-admin <命令> <数据库> [选项]\n"
    "\n"
    "数据库 (二选一):\n"
    "  --sqlite FILE        嵌入式 SQLite 数据库文件\n"
    "  --pg CONNINFO        PostgreSQL 连接串, 如 \"host=/run/postgresql port=5432 dbname=ve0z160_db user=shop\"\n"
    "\n"
    "命令:\n"
    "  create [--demo] [--force]   由空白数据库建立新数据库 (--demo 同时装入演示数据;\n"
    "                              已存在的数据库只有加 --force 才会被替换)\n"
    "  check                       检查数据库结构是否为本程序所需\n"
    "  backup --to FILE            把数据库完整备份到文件\n"
    "  backup --folder DIR         按日期备份到目录 (数据库yyyy-MM-dd备份.bak, 不覆盖当天已有的备份)\n"
    "  restore --from FILE         用备份文件恢复数据库 (先检查备份文件)\n"
    "  upgrade                     把旧版数据库逐步升级到本程序的结构版本\n"
    "  --help                      显示本说明\n"
    "\n"
    "出错时给出原因并以非零状态退出.\n";

struct Args {
    QString command;
    QString sqlite, pg, to, folder, from;
    bool demo = false, force = false, help = false;
};

Args parse(const QStringList &argv, QString *error)
{
    Args a;
    for (int i = 1; i < argv.size(); ++i) {
        const QString &x = argv[i];
        auto value = [&](QString &out) {
            if (i + 1 >= argv.size()) { *error = QStringLiteral("选项 %1 缺少参数").arg(x); return; }
            out = argv[++i];
        };
        if (x == QLatin1String("--help") || x == QLatin1String("-h")) a.help = true;
        else if (x == QLatin1String("--sqlite")) value(a.sqlite);
        else if (x == QLatin1String("--pg")) value(a.pg);
        else if (x == QLatin1String("--to")) value(a.to);
        else if (x == QLatin1String("--folder")) value(a.folder);
        else if (x == QLatin1String("--from")) value(a.from);
        else if (x == QLatin1String("--demo")) a.demo = true;
        else if (x == QLatin1String("--force")) a.force = true;
        else if (!x.startsWith(QLatin1Char('-')) && a.command.isEmpty()) a.command = x;
        else *error = QStringLiteral("不认识的参数 %1").arg(x);
        if (!error->isEmpty()) break;
    }
    return a;
}

store::ConnectionSettings target(const Args &a)
{
    if (a.sqlite.isEmpty() == a.pg.isEmpty())
        throw store::DbError(QStringLiteral("请用 --sqlite FILE 或 --pg CONNINFO 指定一个数据库"));
    if (!a.pg.isEmpty())
        return store::parsePgConnInfo(a.pg);
    store::ConnectionSettings s;
    s.backend = store::Backend::Sqlite;
    s.sqliteFile = QFileInfo(a.sqlite).absoluteFilePath();
    return s;
}

void requireExisting(const store::ConnectionSettings &s)
{
    if (s.backend == store::Backend::Sqlite ? !QFileInfo::exists(s.sqliteFile) : !store::pgDatabaseExists(s))
        throw store::DbError(QStringLiteral("数据库 %1 不存在").arg(s.describe()));
}

int create(const Args &a, QTextStream &out)
{
    const store::ConnectionSettings s = target(a);
    if (s.backend == store::Backend::Sqlite) {
        if (QFileInfo::exists(s.sqliteFile)) {
            if (!a.force)
                throw store::DbError(QStringLiteral("数据库文件 %1 已经存在; 要替换它请加 --force").arg(s.sqliteFile));
            for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
                QFile::remove(s.sqliteFile + suffix);
        }
    } else if (store::pgDatabaseExists(s)) {
        if (!a.force)
            throw store::DbError(QStringLiteral("数据库 %1 已经存在; 要替换它请加 --force").arg(s.describe()));
        store::pgDropDatabase(s);
    }
    if (s.backend == store::Backend::Postgres)
        store::pgCreateDatabase(s);
    try {
        store::Db db(s);
        store::createBlankDatabase(db);
        if (a.demo)
            app::loadDemoData(db);
    } catch (...) {
        if (s.backend == store::Backend::Sqlite)
            QFile::remove(s.sqliteFile);
        else
            try { store::pgDropDatabase(s); } catch (...) {}
        throw;
    }
    if (s.backend == store::Backend::Sqlite)
        QFile(s.sqliteFile).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    out << QStringLiteral("已建立数据库 %1%2\n").arg(s.describe(), a.demo ? QStringLiteral(" (含演示数据)") : QString());
    return 0;
}

int check(const Args &a, QTextStream &out)
{
    const store::ConnectionSettings s = target(a);
    requireExisting(s);
    store::Db db(s);
    const QStringList problems = store::checkSchema(db);
    if (problems.isEmpty()) {
        out << QStringLiteral("数据库 %1 结构正确 (版本 %2, %3 个数据表)\n")
                   .arg(s.describe()).arg(store::Schema::version).arg(store::Schema::instance().tables().size());
        return 0;
    }
    for (const QString &p : problems) out << p << '\n';
    return 1;
}

int backup(const Args &a, QTextStream &out)
{
    const store::ConnectionSettings s = target(a);
    requireExisting(s);
    store::Db db(s);
    QString file;
    if (!a.to.isEmpty()) {
        if (QFileInfo::exists(a.to) && !a.force)
            throw store::DbError(QStringLiteral("文件 %1 已经存在; 要覆盖它请加 --force").arg(a.to));
        store::backupToFile(db, a.to);
        file = a.to;
    } else if (!a.folder.isEmpty()) {
        file = store::takeBackup(db, a.folder, store::BackupKind::OnDemand);
    } else {
        throw store::DbError(QStringLiteral("请用 --to FILE 或 --folder DIR 指定备份位置"));
    }
    out << QStringLiteral("已备份到 %1\n").arg(file);
    return 0;
}

int restore(const Args &a, QTextStream &out)
{
    const store::ConnectionSettings s = target(a);
    if (a.from.isEmpty())
        throw store::DbError(QStringLiteral("请用 --from FILE 指定备份文件"));
    if (s.backend == store::Backend::Postgres && !store::pgDatabaseExists(s))
        store::pgCreateDatabase(s);
    store::Db db(s);
    store::restoreFromFile(db, a.from);
    out << QStringLiteral("已用 %1 恢复数据库 %2\n").arg(a.from, s.describe());
    return 0;
}

int upgrade(const Args &a, QTextStream &out)
{
    const store::ConnectionSettings s = target(a);
    requireExisting(s);
    store::Db db(s);
    const QStringList steps = store::upgradeSchema(db);
    for (const QString &step : steps) out << QStringLiteral("已升级: %1\n").arg(step);
    out << QStringLiteral("数据库 %1 的结构版本为 %2\n").arg(s.describe()).arg(store::storedSchemaVersion(db));
    return 0;
}

} // namespace

int runAdminCli(const QStringList &arguments)
{
    QTextStream out(stdout), err(stderr);
    QString error;
    const Args a = parse(arguments, &error);
    if (!error.isEmpty()) {
        err << error << "\n\n" << QString::fromUtf8(kHelp);
        return 2;
    }
    if (a.help || a.command.isEmpty()) {
        (a.help ? out : err) << QString::fromUtf8(kHelp);
        return a.help ? 0 : 2;
    }
    try {
        if (a.command == QLatin1String("create")) return create(a, out);
        if (a.command == QLatin1String("check")) return check(a, out);
        if (a.command == QLatin1String("backup")) return backup(a, out);
        if (a.command == QLatin1String("restore")) return restore(a, out);
        if (a.command == QLatin1String("upgrade")) return upgrade(a, out);
        err << QStringLiteral("不认识的命令 %1\n\n").arg(a.command) << QString::fromUtf8(kHelp);
        return 2;
    } catch (const store::DbError &e) {
        err << QStringLiteral("错误: %1\n").arg(e.message());
        return 1;
    }
}

} // namespace app
