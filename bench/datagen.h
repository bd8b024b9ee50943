#pragma once
// Generates the data set of a busy five-branch shop: years of repair orders with their
// settlements, service notes and wash cards, stock notes with the movement ledger,
// the cash book and consumption rows, customers and vehicles, goods and stock rows,
// operators, employees and the journal. The rows obey the program's rules: counters end
// where the numbers end, stock rows are what the ledger says, the cash book holds one
// row per chargeable note with the note's totals. The same seed gives the same data.

#include "store/db.h"

#include <QDate>
#include <QMap>
#include <functional>

namespace bench {

struct DataSetOptions {
    int years = 1;                           // history length; the volumes per year are fixed
    quint64 seed = 42;
    QDate lastDay = QDate(2024, 12, 31);     // the history ends on this day
};

struct DataSetReport {
    qint64 rows = 0;
    double loadSeconds = 0;                  // generating and inserting
    double indexSeconds = 0;                 // building the secondary indexes afterwards
    double analyzeSeconds = 0;
    QMap<QString, qint64> rowsPerTable;
};

// The volumes of one year of the five branches (the reference shop: ten of these).
struct YearVolumes {
    static constexpr int branches = 5;
    static constexpr int customers = 20000;        // new vehicles per year
    static constexpr int goods = 20000;            // the catalogue, whatever the years
    static constexpr int ordersPerBranchDayMin = 40, ordersPerBranchDayMax = 59;     // ~90,000 a year
    static constexpr int linesPerOrderMin = 3, linesPerOrderMax = 13;                // ~8 lines each
    static constexpr int serviceNotesPerBranchDayMin = 88, serviceNotesPerBranchDayMax = 109;  // ~180,000
};

// The operator every branch has first, and the password of every generated operator.
inline const QString kBenchOperatorCode = QStringLiteral("000101");
inline const QString kBenchPassword = QStringLiteral("888888");

// Whether the database holds a complete data set made with these options.
bool hasDataSet(store::Db &db, const DataSetOptions &options);

// Fills a blank database (store::createBlankDatabase) with the data set. The log
// callback receives progress lines with the insert rate.
DataSetReport generateDataSet(store::Db &db, const DataSetOptions &options,
                              const std::function<void(const QString &)> &log);

// Checks the rules the data set must obey; returns the violations (empty when sound).
QStringList checkDataSet(store::Db &db, const std::function<void(const QString &)> &log = {});

} // namespace bench
