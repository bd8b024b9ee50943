// juncheng-bench: loads the generated data set of a busy five-branch shop into SQLite
// and/or PostgreSQL and times the program's services against the hand-written floor.
//
//   juncheng-bench [--backend sqlite|pg|both] [--scale YEARS] [--seed N] [--data DIR]
//                  [--pg CONNINFO] [--reps N] [--json FILE] [--compare FILE]
//                  [--regen] [--check] [--load-only]

#include "bench/cases.h"
#include "bench/datagen.h"
#include "bench/harness.h"
#include "store/blankdb.h"
#include "store/pgadmin.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSysInfo>
#include <QThread>
#include <algorithm>
#include <cstdio>

using namespace bench;

namespace {

void say(const QString &s)
{
    std::fputs(s.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

struct Options {
    QStringList backends;
    DataSetOptions data;
    QString dataDir;
    QString pgConnInfo;
    int reps = 200;
    QString jsonFile, compareFile;
    QStringList only;   // case names to run (all when empty)
    bool regen = false, check = false, loadOnly = false;
};

QJsonObject loadJson(const DataSetReport &r)
{
    QJsonObject tables;
    for (auto it = r.rowsPerTable.begin(); it != r.rowsPerTable.end(); ++it)
        tables[it.key()] = double(it.value());
    return {{QStringLiteral("rows"), double(r.rows)}, {QStringLiteral("insert_seconds"), r.loadSeconds},
            {QStringLiteral("rows_per_second"), r.rows / qMax(r.loadSeconds, 0.001)},
            {QStringLiteral("index_seconds"), r.indexSeconds}, {QStringLiteral("analyze_seconds"), r.analyzeSeconds},
            {QStringLiteral("rows_per_table"), tables}};
}

QString tag(const Options &o) { return QStringLiteral("y%1_s%2").arg(o.data.years).arg(o.data.seed); }

// The connection settings of the backend's bench database, loading the data set first when
// it is not there yet. Returns the load figures (from this run or the run that loaded it).
store::ConnectionSettings prepareDatabase(const QString &backend, const Options &o, QJsonObject *load)
{
    store::ConnectionSettings s;
    const QString loadFile = QDir(o.dataDir).filePath(QStringLiteral("load-%1-%2.json").arg(backend, tag(o)));
    bool present = false;
    if (backend == QLatin1String("sqlite")) {
        s.backend = store::Backend::Sqlite;
        s.sqliteFile = QDir(o.dataDir).filePath(QStringLiteral("bench-%1.sqlite").arg(tag(o)));
        if (QFile::exists(s.sqliteFile) && !o.regen) {
            store::Db db(s);
            present = hasDataSet(db, o.data);
        }
        if (!present)
            for (const QString &suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
                QFile::remove(s.sqliteFile + suffix);
    } else {
        if (o.pgConnInfo.isEmpty())
            throw store::DbError(QStringLiteral("PostgreSQL: give --pg CONNINFO (or set JUNCHENG_BENCH_PG / JUNCHENG_TEST_PG)"));
        s = store::parsePgConnInfo(o.pgConnInfo);
        s.database = QStringLiteral("juncheng_bench_%1").arg(tag(o));
        if (store::pgDatabaseExists(s) && !o.regen) {
            store::Db db(s);
            present = hasDataSet(db, o.data);
        }
        if (!present) {
            store::pgDropDatabase(s);
            store::pgCreateDatabase(s);
        }
    }
    if (present) {
        say(QStringLiteral("%1: using the data set already loaded (%2)").arg(backend, s.describe()));
        QFile f(loadFile);
        if (f.open(QIODevice::ReadOnly))
            *load = QJsonDocument::fromJson(f.readAll()).object();
        (*load)[QStringLiteral("cached")] = true;
        return s;
    }
    say(QStringLiteral("%1: generating %2 year(s), seed %3, into %4").arg(backend).arg(o.data.years).arg(o.data.seed).arg(s.describe()));
    store::Db db(s);
    store::createBlankDatabase(db);
    const DataSetReport report = generateDataSet(db, o.data, say);
    *load = loadJson(report);
    say(QStringLiteral("%1: loaded %2 rows in %3 s (%4 rows/s), indexes %5 s, analyze %6 s")
            .arg(backend).arg(report.rows).arg(report.loadSeconds, 0, 'f', 1)
            .arg(qint64(report.rows / qMax(report.loadSeconds, 0.001))).arg(report.indexSeconds, 0, 'f', 1)
            .arg(report.analyzeSeconds, 0, 'f', 1));
    QFile f(loadFile);
    if (f.open(QIODevice::WriteOnly))
        f.write(QJsonDocument(*load).toJson());
    return s;
}

QJsonObject runBackend(const QString &backend, const Options &o, std::vector<Result> *results)
{
    QJsonObject out;
    QJsonObject load;
    const store::ConnectionSettings settings = prepareDatabase(backend, o, &load);
    out[QStringLiteral("load")] = load;
    store::Db db(settings);   // a fresh connection, with the settings the program runs with
    if (o.check) {
        say(QStringLiteral("%1: checking the data set's rules ...").arg(backend));
        const QStringList problems = checkDataSet(db, say);
        say(problems.isEmpty() ? QStringLiteral("  all rules hold") : QStringLiteral("  %1 rule(s) broken").arg(problems.size()));
        out[QStringLiteral("check")] = QJsonArray::fromStringList(problems);
    }
    if (o.loadOnly)
        return out;
    if (!db.isSqlite())
        out[QStringLiteral("server")] = db.scalar(QStringLiteral("SHOW server_version")).toString();
    BenchEnv env(db);
    env.data = o.data;
    env.reps = o.reps;
    env.discover();
    std::vector<Case> cases = shellCases(env);
    for (auto &c : stockCases(env)) cases.push_back(std::move(c));
    for (auto &c : workshopCases(env)) cases.push_back(std::move(c));
    if (!o.only.isEmpty())
        cases.erase(std::remove_if(cases.begin(), cases.end(), [&](const Case &c) { return !o.only.contains(c.name); }), cases.end());
    say(QStringLiteral("%1: timing %2 cases ...").arg(backend).arg(cases.size()));
    *results = runCases(cases, say);
    QJsonArray arr;
    for (const Result &r : *results) arr.append(toJson(r));
    out[QStringLiteral("cases")] = arr;
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Benchmark of the program's services on a generated shop data set"));
    p.addHelpOption();
    p.addOption({QStringLiteral("backend"), QStringLiteral("sqlite, pg or both"), QStringLiteral("backend"), QStringLiteral("sqlite")});
    p.addOption({QStringLiteral("scale"), QStringLiteral("years of history (1: default run, 10: the full shop)"), QStringLiteral("years"), QStringLiteral("1")});
    p.addOption({QStringLiteral("seed"), QStringLiteral("seed of the data set"), QStringLiteral("n"), QStringLiteral("42")});
    p.addOption({QStringLiteral("data"), QStringLiteral("folder of the SQLite data sets"), QStringLiteral("dir"), QStringLiteral("bench-data")});
    p.addOption({QStringLiteral("pg"), QStringLiteral("PostgreSQL server (libpq keywords)"), QStringLiteral("conninfo")});
    p.addOption({QStringLiteral("reps"), QStringLiteral("repetitions of a quick case"), QStringLiteral("n"), QStringLiteral("200")});
    p.addOption({QStringLiteral("json"), QStringLiteral("write the figures here"), QStringLiteral("file")});
    p.addOption({QStringLiteral("compare"), QStringLiteral("an earlier JSON result to set beside this run"), QStringLiteral("file")});
    p.addOption({QStringLiteral("cases"), QStringLiteral("comma-separated case names to run (default: all)"), QStringLiteral("names")});
    p.addOption({QStringLiteral("regen"), QStringLiteral("generate the data set again even if loaded")});
    p.addOption({QStringLiteral("check"), QStringLiteral("check the data set's rules after loading")});
    p.addOption({QStringLiteral("load-only"), QStringLiteral("load (and check) only, time nothing")});
    p.process(app);

    Options o;
    const QString backend = p.value(QStringLiteral("backend"));
    o.backends = backend == QLatin1String("both") ? QStringList{QStringLiteral("sqlite"), QStringLiteral("pg")} : QStringList{backend};
    for (const QString &b : o.backends)
        if (b != QLatin1String("sqlite") && b != QLatin1String("pg")) {
            say(QStringLiteral("--backend must be sqlite, pg or both"));
            return 2;
        }
    o.data.years = qMax(1, p.value(QStringLiteral("scale")).toInt());
    o.data.seed = p.value(QStringLiteral("seed")).toULongLong();
    o.dataDir = p.value(QStringLiteral("data"));
    QDir().mkpath(o.dataDir);
    o.pgConnInfo = p.value(QStringLiteral("pg"));
    if (o.pgConnInfo.isEmpty()) o.pgConnInfo = qEnvironmentVariable("JUNCHENG_BENCH_PG");
    if (o.pgConnInfo.isEmpty()) o.pgConnInfo = qEnvironmentVariable("JUNCHENG_TEST_PG");
    o.reps = qMax(10, p.value(QStringLiteral("reps")).toInt());
    o.jsonFile = p.value(QStringLiteral("json"));
    o.compareFile = p.value(QStringLiteral("compare"));
    o.only = p.value(QStringLiteral("cases")).split(QLatin1Char(','), Qt::SkipEmptyParts);
    o.regen = p.isSet(QStringLiteral("regen"));
    o.check = p.isSet(QStringLiteral("check"));
    o.loadOnly = p.isSet(QStringLiteral("load-only"));

    QJsonObject earlier;
    if (!o.compareFile.isEmpty()) {
        QFile f(o.compareFile);
        if (f.open(QIODevice::ReadOnly)) earlier = QJsonDocument::fromJson(f.readAll()).object();
    }

    QJsonObject doc{{QStringLiteral("when"), QDateTime::currentDateTime().toString(Qt::ISODate)},
                    {QStringLiteral("machine"), QJsonObject{{QStringLiteral("cpus"), QThread::idealThreadCount()},
                                                            {QStringLiteral("os"), QSysInfo::prettyProductName()},
                                                            {QStringLiteral("qt"), QString::fromLatin1(qVersion())}}},
                    {QStringLiteral("dataset"), QJsonObject{{QStringLiteral("years"), o.data.years},
                                                            {QStringLiteral("seed"), double(o.data.seed)},
                                                            {QStringLiteral("last_day"), o.data.lastDay.toString(Qt::ISODate)}}}};
    QJsonObject backends;
    std::map<QString, std::vector<Result>> all;
    int status = 0;
    for (const QString &b : o.backends) {
        try {
            backends[b] = runBackend(b, o, &all[b]);
        } catch (const std::exception &e) {
            say(QStringLiteral("%1: %2").arg(b, QString::fromUtf8(e.what())));
            status = 1;
        }
    }
    doc[QStringLiteral("backends")] = backends;

    say(QString());
    for (const QString &b : o.backends) {
        if (all[b].empty()) continue;
        say(formatTable(QStringLiteral("== %1, %2 year(s) of a five-branch shop, seed %3 ==")
                            .arg(b == QLatin1String("pg") ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite"))
                            .arg(o.data.years).arg(o.data.seed), all[b]));
        say(QString());
        const QJsonObject before = earlier.value(QStringLiteral("backends")).toObject().value(b).toObject();
        if (!before.isEmpty()) {
            const int years = earlier.value(QStringLiteral("dataset")).toObject().value(QStringLiteral("years")).toInt();
            say(formatComparison(QStringLiteral("== %1: this run beside %2 (%3 year(s)) ==").arg(b, o.compareFile).arg(years),
                                 all[b], before, QStringLiteral("%1y").arg(years)));
            say(QString());
        }
    }
    if (!all[QStringLiteral("sqlite")].empty() && !all[QStringLiteral("pg")].empty()) {
        QJsonObject sqliteJson = backends.value(QStringLiteral("sqlite")).toObject();
        say(formatComparison(QStringLiteral("== PostgreSQL beside SQLite (target: within 3x) =="), all[QStringLiteral("pg")],
                             sqliteJson, QStringLiteral("sqlite")));
        say(QString());
    }
    if (!o.jsonFile.isEmpty()) {
        QFile f(o.jsonFile);
        if (f.open(QIODevice::WriteOnly)) {
            f.write(QJsonDocument(doc).toJson());
            say(QStringLiteral("figures written to %1").arg(o.jsonFile));
        }
    }
    return status;
}
