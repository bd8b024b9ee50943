#include "bench/harness.h"

#include "store/db.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <algorithm>
#include <cmath>
#include <exception>

namespace bench {

namespace {
constexpr double kInteractiveMs = 50.0;

double percentile(const std::vector<double> &sorted, double p)
{
    // Nearest rank: the value below which p of the repetitions fall.
    const size_t rank = size_t(std::ceil(p * double(sorted.size())));
    return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

QString ms(double v)
{
    if (v >= 100) return QString::number(v, 'f', 0);
    if (v >= 10) return QString::number(v, 'f', 1);
    return QString::number(v, 'f', 2);
}

QString pad(const QString &s, int width, bool right = false)
{
    // Chinese characters take two columns in a terminal.
    int w = 0;
    for (const QChar c : s) w += c.unicode() >= 0x2E80 ? 2 : 1;
    const QString fill(qMax(0, width - w), QLatin1Char(' '));
    return right ? fill + s : s + fill;
}

QJsonObject statsJson(const Stats &s)
{
    return {{QStringLiteral("n"), s.n}, {QStringLiteral("p50_ms"), s.p50}, {QStringLiteral("p99_ms"), s.p99},
            {QStringLiteral("mean_ms"), s.mean}, {QStringLiteral("min_ms"), s.min}, {QStringLiteral("max_ms"), s.max}};
}

double timeOnce(const Timed &t)
{
    if (t.prepare) t.prepare();
    QElapsedTimer timer;
    timer.start();
    t.run();
    return timer.nsecsElapsed() / 1e6;
}
} // namespace

Stats statsOf(std::vector<double> v)
{
    Stats s;
    if (v.empty()) return s;
    std::sort(v.begin(), v.end());
    s.n = int(v.size());
    s.p50 = percentile(v, 0.50);
    s.p99 = percentile(v, 0.99);
    s.min = v.front();
    s.max = v.back();
    double sum = 0;
    for (double x : v) sum += x;
    s.mean = sum / v.size();
    return s;
}

std::optional<double> Result::ratio() const
{
    if (!program || !floor || floor->p50 <= 0) return std::nullopt;
    return program->p50 / floor->p50;
}

std::optional<double> Result::ratio99() const
{
    if (!program || !floor || floor->p99 <= 0) return std::nullopt;
    return program->p99 / floor->p99;
}

bool Result::fastEnough() const { return program && program->p99 < kInteractiveMs; }

bool Result::nearFloor() const
{
    const auto r = ratio();
    return r && *r <= (kind == CaseKind::Save ? 3.0 : 2.0);
}

std::vector<std::vector<Result>> runCases(const std::vector<std::vector<Case>> &sets, const QStringList &setNames,
                                          const std::function<void(const QString &)> &log)
{
    struct Side {
        size_t set;
        const Case *c;
        Result r;
        std::vector<double> prog, flo;
        bool failed = false;
    };
    std::vector<std::vector<Result>> out(sets.size());
    QStringList names;
    for (const auto &set : sets)
        for (const Case &c : set)
            if (!names.contains(c.name)) names << c.name;

    for (const QString &name : names) {
        std::vector<Side> sides;
        for (size_t s = 0; s < sets.size(); ++s)
            for (const Case &c : sets[s])
                if (c.name == name) {
                    Side side{s, &c, {}, {}, {}};
                    side.r.name = c.name;
                    side.r.label = c.label;
                    side.r.kind = c.kind;
                    side.r.todo = c.todo;
                    side.r.note = c.note;
                    sides.push_back(std::move(side));
                }
        const auto guarded = [](Side &side, const std::function<void()> &f) {
            if (side.failed) return;
            try {
                f();
            } catch (const std::exception &e) {
                side.failed = true;
                side.r.todo = QStringLiteral("failed: %1").arg(QString::fromUtf8(e.what()));
            }
        };
        int reps = 0;
        for (Side &side : sides) {
            reps = qMax(reps, side.c->reps);
            const int warm = qBound(2, side.c->reps / 20, 10);
            guarded(side, [&] {
                for (int i = 0; i < warm; ++i) {
                    if (side.c->program) timeOnce(side.c->program);
                    if (side.c->floor) timeOnce(side.c->floor);
                }
            });
        }
        for (int i = 0; i < reps; ++i) {
            for (Side &side : sides) {
                if (i >= side.c->reps) continue;
                guarded(side, [&] {
                    if (side.c->program) side.prog.push_back(timeOnce(side.c->program));
                    if (side.c->floor) side.flo.push_back(timeOnce(side.c->floor));
                });
            }
        }
        for (Side &side : sides) {
            if (!side.failed) {
                if (side.c->program) side.r.program = statsOf(side.prog);
                if (side.c->floor) side.r.floor = statsOf(side.flo);
            }
            const Result &r = side.r;
            log(QStringLiteral("  %1 %2: program p50 %3 ms, floor p50 %4 ms%5")
                    .arg(setNames.value(int(side.set)), name, r.program ? ms(r.program->p50) : QStringLiteral("-"),
                         r.floor ? ms(r.floor->p50) : QStringLiteral("-"),
                         r.todo.isEmpty() ? QString() : QStringLiteral("  [") + r.todo + QLatin1Char(']')));
            out[side.set].push_back(side.r);
        }
    }
    return out;
}

QString formatTable(const QString &title, const std::vector<Result> &results)
{
    QStringList lines;
    lines << title;
    const QString head = pad(QStringLiteral("case"), 34) + pad(QStringLiteral("prog p50"), 10, true) + pad(QStringLiteral("p99"), 9, true) +
                         pad(QStringLiteral("floor p50"), 11, true) + pad(QStringLiteral("p99"), 9, true) +
                         pad(QStringLiteral("ratio"), 8, true) + pad(QStringLiteral("r.p99"), 8, true) + QStringLiteral("  targets");
    lines << head << QString(head.size() + 12, QLatin1Char('-'));
    QStringList notes;
    for (const Result &r : results) {
        QString line = pad(r.label, 34);
        line += pad(r.program ? ms(r.program->p50) : QStringLiteral("TODO"), 10, true);
        line += pad(r.program ? ms(r.program->p99) : QString(), 9, true);
        line += pad(r.floor ? ms(r.floor->p50) : QStringLiteral("-"), 11, true);
        line += pad(r.floor ? ms(r.floor->p99) : QString(), 9, true);
        const auto ratio = r.ratio(), ratio99 = r.ratio99();
        line += pad(ratio ? QString::number(*ratio, 'f', 2) : QString(), 8, true);
        line += pad(ratio99 ? QString::number(*ratio99, 'f', 2) : QString(), 8, true);
        if (r.program) {
            line += QStringLiteral("  <50ms:%1").arg(r.fastEnough() ? QStringLiteral("ok") : QStringLiteral("MISS"));
            if (ratio)
                line += QStringLiteral(" floor%1:%2").arg(r.kind == CaseKind::Save ? QStringLiteral("x3") : QStringLiteral("x2"),
                                                         r.nearFloor() ? QStringLiteral("ok") : QStringLiteral("MISS"));
        }
        lines << line;
        if (!r.todo.isEmpty()) notes << QStringLiteral("  %1: TODO %2").arg(r.name, r.todo);
        if (!r.note.isEmpty()) notes << QStringLiteral("  %1: %2").arg(r.name, r.note);
    }
    lines << QStringLiteral("(times in ms; ratio = program p50 / floor p50, r.p99 = program p99 / floor p99)");
    lines += notes;
    return lines.join(QLatin1Char('\n'));
}

QJsonObject toJson(const Result &r)
{
    QJsonObject o{{QStringLiteral("name"), r.name}, {QStringLiteral("label"), r.label},
                  {QStringLiteral("kind"), r.kind == CaseKind::Save ? QStringLiteral("save") : QStringLiteral("query")}};
    if (r.program) o[QStringLiteral("program")] = statsJson(*r.program);
    if (r.floor) o[QStringLiteral("floor")] = statsJson(*r.floor);
    if (const auto x = r.ratio()) o[QStringLiteral("ratio_p50")] = *x;
    if (const auto x = r.ratio99()) o[QStringLiteral("ratio_p99")] = *x;
    if (r.program) {
        o[QStringLiteral("under_50ms_p99")] = r.fastEnough();
        if (r.ratio()) o[QStringLiteral("near_floor")] = r.nearFloor();
    }
    if (!r.todo.isEmpty()) o[QStringLiteral("todo")] = r.todo;
    if (!r.note.isEmpty()) o[QStringLiteral("note")] = r.note;
    return o;
}

QString formatComparison(const QString &title, const std::vector<Result> &now, const QString &nowName,
                         const QJsonArray &other, const QString &otherName)
{
    QStringList lines;
    lines << title;
    lines << pad(QStringLiteral("case (program)"), 34) + pad(QStringLiteral("p50 ") + nowName, 12, true) +
                 pad(otherName, 10, true) + pad(QStringLiteral("x"), 7, true) + pad(QStringLiteral("p99 ") + nowName, 12, true) +
                 pad(otherName, 10, true) + pad(QStringLiteral("x"), 7, true);
    for (const Result &r : now) {
        if (!r.program) continue;
        for (const auto &v : other) {
            const QJsonObject o = v.toObject();
            if (o.value(QStringLiteral("name")).toString() != r.name || !o.contains(QStringLiteral("program"))) continue;
            const QJsonObject p = o.value(QStringLiteral("program")).toObject();
            const double e50 = p.value(QStringLiteral("p50_ms")).toDouble(), e99 = p.value(QStringLiteral("p99_ms")).toDouble();
            lines << pad(r.label, 34) + pad(ms(r.program->p50), 12, true) + pad(ms(e50), 10, true) +
                         pad(QString::number(r.program->p50 / e50, 'f', 2), 7, true) + pad(ms(r.program->p99), 12, true) +
                         pad(ms(e99), 10, true) + pad(QString::number(r.program->p99 / e99, 'f', 2), 7, true);
        }
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace bench
