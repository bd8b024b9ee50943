#pragma once
// The data generator's working parts, shared by the files that write each kind of note
// (datagen.cpp: set-up and the day loop; gen_notes.cpp: repair orders, settlements,
// service notes, wash cards; gen_stock.cpp: stock notes; gen_final.cpp: the rows that
// hold final state, written at the end).

#include "bench/bulkloader.h"
#include "bench/datagen.h"
#include "bench/rng.h"
#include "store/money.h"

#include <QDateTime>
#include <cmath>
#include <deque>
#include <vector>

namespace bench::gen {

using store::Money;

constexpr int kGeneratorVersion = 1;

inline QString marker(const DataSetOptions &o)
{
    return QStringLiteral("基准数据生成完成:v%1,%2年,种子%3,止于%4")
        .arg(kGeneratorVersion).arg(o.years).arg(o.seed).arg(o.lastDay.toString(QStringLiteral("yyyy-MM-dd")));
}

inline QString padded(qint64 n, int width) { return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0')); }
inline double round2(double v) { return std::round(v * 100.0) / 100.0; }
inline double round4(double v) { return std::round(v * 10000.0) / 10000.0; }
inline double round6(double v) { return std::round(v * 1000000.0) / 1000000.0; }
inline QVariant nullText() { return QVariant(QMetaType::fromType<QString>()); }
inline QVariant nullNumber() { return QVariant(QMetaType::fromType<double>()); }
inline QVariant nullDate() { return QVariant(QMetaType::fromType<QDate>()); }
inline QVariant money(Money m) { return QVariant::fromValue(m); }
inline QDateTime at(const QDate &d, int secondsAfterEight) { return QDateTime(d, QTime(8, 0).addSecs(secondsAfterEight)); }

inline const QStringList kBranchNames = {QStringLiteral("芙蓉店"), QStringLiteral("岳麓店"), QStringLiteral("雨花店"),
                                  QStringLiteral("开福店"), QStringLiteral("天心店")};

struct Dept {
    QString code, name;
    QStringList employees;
    QStringList operatorNames;
    QStringList operatorCodes;
    int orders = 0, settlements = 0, serviceNotes = 0;
};

struct Goods {
    QString code, name, spec, category, unit, brand, barcode;
    Money purchase, sale, lowest;
    double upper = 1000, lower = 1;
};

struct Stock {
    double qty = 0;
    Money total;
    double avg = 0;
    bool exists = false;
    qint16 lastModifier = -1;   // operator of the last stock-in: index into m_allOperatorNames
};

struct Customer {
    QString plate, name, contact, phone, mobile, model, colour, vin, engine, address, postcode;
};

struct Card {
    QString number;
    int customer = 0;
    int dept = 0;
    QDate opened;
    int type = 0;
    int used = 0;
};

struct CardType {
    QString name;
    int uses;
    int price;
};
inline const CardType kCardTypes[] = {{QStringLiteral("洗车卡30次"), 30, 600}, {QStringLiteral("精洗卡10次"), 10, 500}};

struct ServiceItem {
    QString category, name;
    Money fee, lowest;
};

struct OrderLine {
    QString item;
    QVariant hours, fee;
    int goods = -1;
    double cost = 0, price = 0, qty = 0;
};

struct NoteLine {
    int goods;
    double price;
    double qty;
    Money amount;
};

inline QStringList cols(const char *list) { return QString::fromUtf8(list).split(QLatin1Char(','), Qt::SkipEmptyParts); }

class Generator {
public:
    Generator(store::Db &db, const DataSetOptions &o, const std::function<void(const QString &)> &log);
    DataSetReport run();

private:
    // organisation, catalogue, customers (datagen.cpp)
    QString personName(uint64_t h) const;
    void makeOrganisation();
    void makeGoods();
    void makeServiceItems();
    Customer customer(int i) const;
    int homeBranch(int customerIndex) const { return customerIndex % YearVolumes::branches + 1; }
    QDate customerCreated(int i) const { return m_firstDay.addDays(qint64(i) * m_days / m_customerCount); }

    // one day (datagen.cpp)
    void simulateDay(int day, const QDate &d);
    int pickCustomerForOrder(int b);
    int anyKnownCustomer();
    QString operatorOf(int b) { return m_depts[b].operatorNames[m_rng.below(m_depts[b].operatorNames.size())]; }
    QString employeeOf(int b) { return m_depts[b].employees[m_rng.below(m_depts[b].employees.size())]; }
    void journal(const QDate &d, const QString &text, const QString &who) { m_journal->add({at(d, m_rng.below(36000)), text, who}); }

    // workshop and car-care notes (gen_notes.cpp)
    void repairOrder(int b, int ci);
    void addLine(TableWriter &w, const QString &no, const OrderLine &l, bool settlement);
    void serviceNote(int b);
    void openCard(int b);
    void writeCard(const Card &card, bool expired);

    // stock (gen_stock.cpp)
    void markStocked(int w, int g);
    std::vector<int> pickStocked(int w, int count);
    void stockIn(int w, const NoteLine &l, const QString &no, const QString &type, const QString &op, const QString &handler);
    Money stockOut(int w, const NoteLine &l, const QString &no, const QString &type, const QString &handler);
    void writeInNote(const QString &no, const QString &from, int w, const QString &type, const QString &paperNo,
                     const QString &op, const QString &handler, const std::vector<NoteLine> &lines);
    void purchase();
    void transfer(int b);
    void usage(int b);
    static constexpr int kSuppliers = 40;
    QString supplierName(int i) const;

    // final state (gen_final.cpp)
    void writeCatalogueAndState();

    store::Db &m_db;
    DataSetOptions m_o;
    std::function<void(const QString &)> m_log;
    Rng m_rng;
    BulkLoader m_loader;
    QDate m_firstDay, m_day;
    int m_days = 0;
    int m_customerCount = 0;
    int m_createdBefore = 0;
    std::vector<std::deque<int>> m_newCustomers;
    std::vector<int> m_visitedToday;
    std::vector<int> m_mileage;
    std::vector<Dept> m_depts;
    QStringList m_allOperatorNames;
    std::vector<Goods> m_goods;
    std::vector<std::vector<Stock>> m_stock;       // [warehouse][goods]
    std::vector<std::vector<int>> m_stocked;       // goods with stock on hand, per warehouse
    std::vector<std::vector<int>> m_stockedPos;
    std::vector<ServiceItem> m_serviceItems;
    std::vector<Card> m_activeCards;
    int m_cardCounter = 0;
    int m_stockInCounter = 0, m_stockOutCounter = 0;

    TableWriter *m_orderHead, *m_orderLine, *m_settleHead, *m_settleLine, *m_cash, *m_consumption, *m_service, *m_cardRows,
        *m_journal, *m_logins, *m_inHead, *m_inLine, *m_outHead, *m_outLine, *m_ledger;
};

} // namespace bench::gen
