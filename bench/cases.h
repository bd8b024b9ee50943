#pragma once
// The bench cases, grouped by the subsystem whose services they time.

#include "bench/datagen.h"
#include "bench/harness.h"
#include "store/db.h"

namespace bench {

// What the cases need to know about the loaded data set (found by looking, so a cached
// data set works as well as a fresh one).
struct BenchEnv {
    store::Db &db;
    DataSetOptions data;
    int reps = 200;                 // repetitions of a quick case; slow ones take fewer
    QDate monthFirst, monthLast;    // the month the queries ask for: the last one of the data
    QString branchCode, branchName; // the branch the bench operator works in
    QString operatorCode, operatorName;
    QString plateInMonth;           // a vehicle with repair orders and settlements in that month

    explicit BenchEnv(store::Db &database) : db(database) {}
    void discover();
};

std::vector<Case> shellCases(BenchEnv &env);
std::vector<Case> stockCases(BenchEnv &env);
std::vector<Case> workshopCases(BenchEnv &env);

// Reads every column of every row, the way a grid model takes a result in.
int readAll(QSqlQuery &q);

} // namespace bench
