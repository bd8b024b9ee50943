#pragma once
// Times bench cases: each case runs the program's own service and, beside it, the same
// writes or reads done the fastest way we know by hand (the floor). Both are repeated,
// alternating, and reported as p50 and p99; the ratio program / floor is the figure we
// steer by.

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace bench {

enum class CaseKind {
    Save,     // an interactive write: p99 under 50 ms, within 3x of its floor
    Query,    // an interactive read: p99 under 50 ms, within 2x of its floor
};

// One side of a case: prepare() runs untimed before every repetition, run() is timed.
struct Timed {
    std::function<void()> prepare;
    std::function<void()> run;
    explicit operator bool() const { return bool(run); }
};

struct Case {
    QString name;          // short key, stable across runs: "login", "reserve_number", ...
    QString label;         // what is timed, for the table
    CaseKind kind = CaseKind::Save;
    int reps = 200;
    Timed program;         // empty: the service has not landed yet (todo says so)
    Timed floor;
    QString todo;          // why the program side is missing
    QString note;          // caveat printed under the table
};

struct Stats {
    int n = 0;
    double p50 = 0, p99 = 0, mean = 0, min = 0, max = 0;   // milliseconds
};

struct Result {
    QString name, label, todo, note;
    CaseKind kind = CaseKind::Save;
    std::optional<Stats> program, floor;
    std::optional<double> ratio() const;      // program p50 / floor p50
    std::optional<double> ratio99() const;    // program p99 / floor p99
    // The targets: p99 under 50 ms; a save within 3x of its floor, a query within 2x.
    bool fastEnough() const;
    bool nearFloor() const;
};

Stats statsOf(std::vector<double> millis);

// Runs the cases of several databases (backends, scales) at once: for each case name,
// the repetitions of every database's program and floor alternate, so a change in the
// machine's load while the bench runs hits all of them alike and the figures of two
// databases can be set side by side. Every side is warmed up first. A case that throws
// is reported with its message as todo and the run goes on. setNames label the log.
std::vector<std::vector<Result>> runCases(const std::vector<std::vector<Case>> &sets, const QStringList &setNames,
                                          const std::function<void(const QString &)> &log);

QString formatTable(const QString &title, const std::vector<Result> &results);
QJsonObject toJson(const Result &r);
// Program figures of one set beside another's (ten years beside one, PostgreSQL beside
// SQLite); `other` is a list of toJson() results, from this run or an earlier one.
QString formatComparison(const QString &title, const std::vector<Result> &now, const QString &nowName,
                         const QJsonArray &other, const QString &otherName);

} // namespace bench
