// juncheng-bench: loads the generated data set of a busy five-branch shop into SQLite
// and/or PostgreSQL and times the program's services against the hand-written floor.
//
//   juncheng-bench [--backend sqlite|pg|both] [--scale YEARS[,YEARS]] [--seed N] [--data DIR]
//                  [--pg CONNINFO] [--reps N] [--json FILE] [--compare FILE]
//                  [--cases NAMES] [--regen] [--check] [--load-only]
//
// With several backends or scales, every database is loaded first and the cases then
// run interleaved across all of them, so their figures can be compared directly.

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
#include <memory>

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
    QList<int> scales;
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

// The machine is shared: the load average beside the figures says how quiet it was.
QString loadAverage()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("?");
    return QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2);
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

// One database the bench times: a backend loaded with a data set of some years.
struct Run {
    QString backend;
    int years = 1;
    QJsonObject out;
    std::unique_ptr<store::Db> db;
    std::unique_ptr<BenchEnv> env;
    std::vector<Case> cases;
    std::vector<Result> results;

    QString name() const { return QStringLiteral("%1/%2y").arg(backend).arg(years); }
    QString title() const
    {
        return QStringLiteral("%1, %2 year(s) of a five-branch shop")
            .arg(backend == QLatin1String("pg") ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite")).arg(years);
    }
};

void openRun(Run &run, const Options &base)
{
    Options o = base;
    o.data.years = run.years;
    QJsonObject load;
    const store::ConnectionSettings settings = prepareDatabase(run.backend, o, &load);
    run.out[QStringLiteral("backend")] = run.backend;
    run.out[QStringLiteral("years")] = run.years;
    run.out[QStringLiteral("load")] = load;
    run.db = std::make_unique<store::Db>(settings);   // a fresh connection, with the settings the program runs with
    if (o.check) {
        say(QStringLiteral("%1: checking the data set's rules ...").arg(run.name()));
        const QStringList problems = checkDataSet(*run.db, say);
        say(problems.isEmpty() ? QStringLiteral("  all rules hold") : QStringLiteral("  %1 rule(s) broken").arg(problems.size()));
        run.out[QStringLiteral("check")] = QJsonArray::fromStringList(problems);
    }
    if (!run.db->isSqlite())
        run.out[QStringLiteral("server")] = run.db->scalar(QStringLiteral("SHOW server_version")).toString();
    if (o.loadOnly)
        return;
    run.env = std::make_unique<BenchEnv>(*run.db);
    run.env->data = o.data;
    run.env->reps = o.reps;
    run.env->discover();
    run.cases = shellCases(*run.env);
    for (auto &c : stockCases(*run.env)) run.cases.push_back(std::move(c));
    for (auto &c : workshopCases(*run.env)) run.cases.push_back(std::move(c));
    if (!o.only.isEmpty())
        run.cases.erase(std::remove_if(run.cases.begin(), run.cases.end(), [&](const Case &c) { return !o.only.contains(c.name); }),
                        run.cases.end());
}

QJsonArray casesJson(const std::vector<Result> &results)
{
    QJsonArray arr;
    for (const Result &r : results) arr.append(toJson(r));
    return arr;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Benchmark of the program's services on a generated shop data set"));
    p.addHelpOption();
    p.addOption({QStringLiteral("backend"), QStringLiteral("sqlite, pg or both"), QStringLiteral("backend"), QStringLiteral("sqlite")});
    p.addOption({QStringLiteral("scale"), QStringLiteral("years of history (1: default run, 10: the full shop; 1,10: both, timed side by side)"),
                 QStringLiteral("years"), QStringLiteral("1")});
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
    for (const QString &y : p.value(QStringLiteral("scale")).split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!o.scales.contains(qMax(1, y.toInt()))) o.scales << qMax(1, y.toInt());
    if (o.scales.isEmpty()) o.scales << 1;
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

    QJsonObject doc{{QStringLiteral("when"), QDateTime::currentDateTime().toString(Qt::ISODate)},
                    {QStringLiteral("machine"), QJsonObject{{QStringLiteral("cpus"), QThread::idealThreadCount()},
                                                            {QStringLiteral("os"), QSysInfo::prettyProductName()},
                                                            {QStringLiteral("qt"), QString::fromLatin1(qVersion())}}},
                    {QStringLiteral("dataset"), QJsonObject{{QStringLiteral("seed"), double(o.data.seed)},
                                                            {QStringLiteral("last_day"), o.data.lastDay.toString(Qt::ISODate)}}}};
    std::vector<Run> runs;
    int status = 0;
    for (const QString &b : o.backends) {
        for (int years : o.scales) {
            Run run;
            run.backend = b;
            run.years = years;
            try {
                openRun(run, o);
                runs.push_back(std::move(run));
            } catch (const std::exception &e) {
                say(QStringLiteral("%1: %2").arg(run.name(), QString::fromUtf8(e.what())));
                status = 1;
            }
        }
    }

    if (!o.loadOnly && !runs.empty()) {
        std::vector<std::vector<Case>> sets;
        QStringList names;
        for (Run &r : runs) {
            sets.push_back(std::move(r.cases));
            names << r.name();
        }
        say(QStringLiteral("timing %1 (load average %2) ...").arg(names.join(QStringLiteral(", ")), loadAverage()));
        const QString before = loadAverage();
        std::vector<std::vector<Result>> results = runCases(sets, names, say);
        const QString after = loadAverage();
        for (size_t i = 0; i < runs.size(); ++i) {
            runs[i].results = std::move(results[i]);
            runs[i].out[QStringLiteral("cases")] = casesJson(runs[i].results);
            runs[i].out[QStringLiteral("load_average_before")] = before;
            runs[i].out[QStringLiteral("load_average_after")] = after;
        }
        say(QString());
        say(QStringLiteral("seed %1; load average %2 -> %3 (two shared cores: figures move with it)").arg(o.data.seed).arg(before, after));
        say(QString());
        for (const Run &r : runs) {
            say(formatTable(QStringLiteral("== %1 ==").arg(r.title()), r.results));
            say(QString());
        }
        // Side by side, from this same interleaved run.
        for (const Run &big : runs)
            for (const Run &small : runs)
                if (big.backend == small.backend && big.years > small.years && small.years == o.scales.first()) {
                    say(formatComparison(QStringLiteral("== %1: %2 years beside %3 (target: within 2x) ==")
                                             .arg(big.backend).arg(big.years).arg(small.years),
                                         big.results, QStringLiteral("%1y").arg(big.years), casesJson(small.results),
                                         QStringLiteral("%1y").arg(small.years)));
                    say(QString());
                }
        for (const Run &pg : runs)
            for (const Run &lite : runs)
                if (pg.backend == QLatin1String("pg") && lite.backend == QLatin1String("sqlite") && pg.years == lite.years) {
                    say(formatComparison(QStringLiteral("== %1 years: PostgreSQL beside SQLite (target: within 3x) ==").arg(pg.years),
                                         pg.results, QStringLiteral("pg"), casesJson(lite.results), QStringLiteral("sqlite")));
                    say(QString());
                }
        if (!o.compareFile.isEmpty()) {
            QFile f(o.compareFile);
            const QJsonArray earlier = f.open(QIODevice::ReadOnly)
                ? QJsonDocument::fromJson(f.readAll()).object().value(QStringLiteral("runs")).toArray() : QJsonArray();
            for (const Run &r : runs)
                for (const auto &v : earlier) {
                    const QJsonObject e = v.toObject();
                    if (e.value(QStringLiteral("backend")).toString() != r.backend) continue;
                    const int years = e.value(QStringLiteral("years")).toInt();
                    say(formatComparison(QStringLiteral("== %1: this run beside %2 (%3 year(s), run %4; load differs between runs) ==")
                                             .arg(r.name(), o.compareFile).arg(years).arg(e.value(QStringLiteral("load_average_before")).toString()),
                                         r.results, QStringLiteral("%1y").arg(r.years), e.value(QStringLiteral("cases")).toArray(),
                                         QStringLiteral("%1y").arg(years)));
                    say(QString());
                }
        }
    }
    QJsonArray runsJson;
    for (const Run &r : runs) runsJson.append(r.out);
    doc[QStringLiteral("runs")] = runsJson;
    if (!o.jsonFile.isEmpty()) {
        QFile f(o.jsonFile);
        if (f.open(QIODevice::WriteOnly)) {
            f.write(QJsonDocument(doc).toJson());
            say(QStringLiteral("figures written to %1").arg(o.jsonFile));
        }
    }
    return status;
}
