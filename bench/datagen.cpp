#include "bench/datagen.h"
#include "bench/bulkloader.h"
#include "bench/rng.h"
#include "bench/vocab.h"
#include "store/blankdb.h"
#include "store/functions.h"
#include "store/money.h"
#include "store/password.h"

#include <QElapsedTimer>
#include <cmath>
#include <deque>
#include <unordered_set>

using store::Money;

namespace bench {

namespace {

// Raise when the generator writes different rows, so cached data sets are made again.
constexpr int kGeneratorVersion = 1;

QString marker(const DataSetOptions &o)
{
    return QStringLiteral("基准数据生成完成:v%1,%2年,种子%3,止于%4")
        .arg(kGeneratorVersion).arg(o.years).arg(o.seed).arg(o.lastDay.toString(QStringLiteral("yyyy-MM-dd")));
}

QString padded(qint64 n, int width) { return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0')); }
double round2(double v) { return std::round(v * 100.0) / 100.0; }
double round4(double v) { return std::round(v * 10000.0) / 10000.0; }
double round6(double v) { return std::round(v * 1000000.0) / 1000000.0; }
QVariant nullText() { return QVariant(QMetaType::fromType<QString>()); }
QVariant nullNumber() { return QVariant(QMetaType::fromType<double>()); }
QVariant nullDate() { return QVariant(QMetaType::fromType<QDate>()); }
QVariant money(Money m) { return QVariant::fromValue(m); }
QDateTime at(const QDate &d, int secondsAfterEight) { return QDateTime(d, QTime(8, 0).addSecs(secondsAfterEight)); }

const QStringList kBranchNames = {QStringLiteral("芙蓉店"), QStringLiteral("岳麓店"), QStringLiteral("雨花店"),
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
const CardType kCardTypes[] = {{QStringLiteral("洗车卡30次"), 30, 600}, {QStringLiteral("精洗卡10次"), 10, 500}};

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

QStringList cols(const char *list) { return QString::fromUtf8(list).split(QLatin1Char(','), Qt::SkipEmptyParts); }

class Generator {
public:
    Generator(store::Db &db, const DataSetOptions &o, const std::function<void(const QString &)> &log)
        : m_db(db), m_o(o), m_log(log), m_rng(o.seed), m_loader(db)
    {
        m_firstDay = o.lastDay.addYears(-o.years).addDays(1);
        m_days = int(m_firstDay.daysTo(o.lastDay)) + 1;
        m_customerCount = YearVolumes::customers * o.years;
        m_mileage.assign(m_customerCount, 0);
        m_orderHead = &m_loader.table(QStringLiteral("托修单主表"), cols(
            "托修单编号,服务部门,实际单号,接车时间,预计完工时间,车牌号码,车型,颜色,VIN码,发动机号,接车里程,托修单位,联系人,联系电话,"
            "联系手机,地址,邮编,传真,接车前检查,附加管理费,车辆状态,备注,业务接待,维修技师,质检员,客户名,制单员,审核标志,取车标志,完成标志,付款标志"));
        m_orderLine = &m_loader.table(QStringLiteral("托修单子表"), cols(
            "托修单编号,维修项目,工时,工时费,物品编号,物品名称,单位,物品成本价,物品单价,物品数量,材料总成本,材料金额合计,备注"));
        m_settleHead = &m_loader.table(QStringLiteral("结算单主表"), cols(
            "结算单编号,服务部门,托修单编号,实际单号,接车时间,完工时间,应结算时间,车牌号码,车型,颜色,VIN码,发动机号,接车里程,托修单位,"
            "联系人,联系电话,联系手机,地址,邮编,传真,附加管理费,整单金额合计,车辆状态,结算类型,付款标志,付款时间,审核标志,备注,结算员,"
            "维修技师,总质检员,客户名,制单员"));
        m_settleLine = &m_loader.table(QStringLiteral("结算单子表"), cols(
            "结算单编号,维修项目,工时,工时费,物品编号,物品名称,单位,物品成本价,物品单价,物品数量,材料总成本,材料金额合计,备注,工时单价"));
        m_cash = &m_loader.table(QStringLiteral("现金帐表"), cols(
            "单据编号,部门名称,业务名称,收费时间,服务收费金额,材料成本金额,材料收费金额,总收费金额,收费人,收费标志,收款时间,收款方式"));
        m_consumption = &m_loader.table(QStringLiteral("客户消费表"), cols(
            "车牌号码,客户姓名,消费类型,消费时间,服务部门,服务员工,收费金额,单据编号"));
        m_service = &m_loader.table(QStringLiteral("美容单主表"), cols(
            "美容单编号,服务部门,服务时间,车牌号码,实际单号,会员服务,类型,收费金额,会员卡编号,印刷卡号,开卡部门,已用次数,剩余次数,"
            "洗车员,摘要,付款标志,付款时间,收款员,对帐员,审核标志"));
        m_cardRows = &m_loader.table(QStringLiteral("洗车卡信息表"), cols(
            "洗车卡号,印刷卡号,车牌号码,客户名称,联系电话,开卡日期,开卡部门,开卡金额,付款标志,洗车卡类别,洗车卡名称,洗车卡可使用次数,"
            "洗车卡已使用次数,过期标志,备注,审核标志"));
        m_journal = &m_loader.table(QStringLiteral("操作流水表"), cols("发生时间,业务内容,操作员"));
        m_logins = &m_loader.table(QStringLiteral("登录日志表"), cols("登录时间,操作员,所属部门"));
        m_inHead = &m_loader.table(QStringLiteral("入库单主表"), cols(
            "入库单编号,入库日期,交货单位,收料仓库,入库类型,实际单号,制单人,经办人,摘要"));
        m_inLine = &m_loader.table(QStringLiteral("入库单子表"), cols(
            "入库单编号,物品编号,物品类型,物品名称,物品规格,物品单位,物品单价,物品数量,金额合计"));
        m_outHead = &m_loader.table(QStringLiteral("出库单主表"), cols(
            "出库单编号,出库日期,领料部门,出料仓库,出库类型,实际单号,制单人,经办人,业务员,摘要,付款标志,付款时间"));
        m_outLine = &m_loader.table(QStringLiteral("出库单子表"), cols(
            "出库单编号,物品编号,物品类型,物品名称,物品规格,物品单位,物品单价,物品数量,金额合计"));
        m_ledger = &m_loader.table(QStringLiteral("业务流水"), cols(
            "单据编号,物品编号,物品名称,物品规格,物品单位,业务名称,统计标志,发生时间,部门名称,入库数量,入库金额,出库数量,出库金额,"
            "经办人,当时库存,当时库存金额,单价"));
    }

    DataSetReport run()
    {
        m_loader.dropSecondaryIndexes();
        makeOrganisation();
        makeGoods();
        makeServiceItems();
        QElapsedTimer progress;
        progress.start();
        for (int day = 0; day < m_days; ++day) {
            const QDate d = m_firstDay.addDays(day);
            simulateDay(day, d);
            if (d.addDays(1).day() == 1 || day == m_days - 1) {
                const double s = m_loader.seconds();
                m_log(QStringLiteral("  %1  %2 rows  %3 s  %4 rows/s")
                          .arg(d.toString(QStringLiteral("yyyy-MM")))
                          .arg(m_loader.rows(), 10).arg(s, 7, 'f', 1).arg(qint64(m_loader.rows() / qMax(s, 0.001)), 7));
            }
        }
        writeCatalogueAndState();
        m_loader.finish();
        DataSetReport report;
        report.loadSeconds = m_loader.seconds();
        report.rows = m_loader.rows();
        report.rowsPerTable = m_loader.rowsPerTable();
        m_log(QStringLiteral("  rows inserted: %1 in %2 s (%3 rows/s); building indexes ...")
                  .arg(report.rows).arg(report.loadSeconds, 0, 'f', 1).arg(qint64(report.rows / qMax(report.loadSeconds, 0.001))));
        report.indexSeconds = m_loader.buildSecondaryIndexes();
        QElapsedTimer t;
        t.start();
        // PostgreSQL's autovacuum would gather the statistics soon after a load anyway; do it
        // now so the first timings do not depend on when it runs. A SQLite database of the
        // program never gets ANALYZE, so neither does the bench's.
        if (!m_db.isSqlite())
            m_db.exec(QStringLiteral("ANALYZE"));
        report.analyzeSeconds = t.elapsed() / 1000.0;
        m_db.execWrite(QStringLiteral("INSERT INTO 操作流水表 (发生时间, 业务内容, 操作员) VALUES (?, ?, ?)"),
                       {QDateTime::currentDateTime(), marker(m_o), store::kSuperUserName});
        return report;
    }

private:
    // ---- organisation, catalogue ------------------------------------------------------

    QString personName(uint64_t h) const
    {
        const auto &s = vocab::surnames(), &g = vocab::givenNameChars();
        QString n = s[h % s.size()] + g[(h >> 8) % g.size()];
        if ((h >> 16) % 3)
            n += g[(h >> 24) % g.size()];
        return n;
    }

    void makeOrganisation()
    {
        QSet<QString> operatorNames;
        for (int i = 0; i <= YearVolumes::branches; ++i) {
            Dept d;
            d.code = padded(i, 4);
            d.name = i == 0 ? store::kHeadOfficeName : kBranchNames[i - 1];
            const int employees = i == 0 ? 6 : 12;
            for (int e = 0; e < employees; ++e)
                d.employees << personName(Rng::hash(m_o.seed, 7000 + i * 100 + e));
            const int operators = i == 0 ? 2 : 3;
            for (int k = 1; k <= operators; ++k) {
                uint64_t key = 9000 + i * 100 + k;
                QString name;
                do name = personName(Rng::hash(m_o.seed, key++));
                while (operatorNames.contains(name) || name == store::kSuperUserName);
                operatorNames.insert(name);
                d.operatorNames << name;
                d.operatorCodes << d.code + padded(k, 2);
                m_allOperatorNames << name;
            }
            m_depts.push_back(d);
        }
    }

    void makeGoods()
    {
        const auto &kinds = vocab::goodsKinds();
        const int perCategory = YearVolumes::goods / kinds.size();
        for (int c = 0; c < kinds.size(); ++c) {
            const vocab::GoodsKind &k = kinds[c];
            for (int s = 1; s <= perCategory; ++s) {
                const uint64_t h = Rng::hash(m_o.seed, 100000 + c * 10000 + s);
                Goods g;
                g.code = QString::number(101 + c) + padded(s, 4);
                g.category = k.category;
                g.brand = vocab::brands()[h % vocab::brands().size()];
                g.name = g.brand + k.stems[(h >> 8) % k.stems.size()] + QLatin1Char(' ') + g.code;
                g.spec = k.specifications[(h >> 16) % k.specifications.size()];
                g.unit = vocab::units()[(h >> 24) % vocab::units().size()];
                g.barcode = QStringLiteral("69") + padded(qint64(h % 100000000000ull), 11);
                // The code keeps the barcode unique whatever the hash gives.
                g.barcode = g.barcode.left(6) + g.code;
                const double p = round2(std::exp(std::log(k.lowPrice) + ((h >> 32) % 10000) / 10000.0 * (std::log(k.highPrice) - std::log(k.lowPrice))));
                g.purchase = Money::fromDouble(p);
                g.sale = Money::fromDouble(round2(p * (1.3 + ((h >> 40) % 50) / 100.0)));
                g.lowest = Money::fromDouble(round2(p * 1.1));
                m_goods.push_back(g);
            }
        }
        m_stock.assign(m_depts.size(), std::vector<Stock>(m_goods.size()));
        m_stocked.assign(m_depts.size(), {});
        m_stockedPos.assign(m_depts.size(), std::vector<int>(m_goods.size(), -1));
    }

    void makeServiceItems()
    {
        for (const vocab::ServiceKind &k : vocab::serviceKinds()) {
            for (int i = 0; i < k.items.size(); ++i) {
                const uint64_t h = Rng::hash(m_o.seed, 300000 + m_serviceItems.size());
                const double fee = std::round((k.lowFee + (h % 1000) / 1000.0 * (k.highFee - k.lowFee)) / 5.0) * 5.0;
                m_serviceItems.push_back({k.category, k.items[i], Money::fromDouble(fee), Money::fromDouble(round2(fee * 0.8))});
            }
        }
    }

    Customer customer(int i) const
    {
        const uint64_t h = Rng::hash(m_o.seed, 1000000 + uint64_t(i));
        const uint64_t h2 = Rng::hash(m_o.seed ^ 0x5bd1e995, 1000000 + uint64_t(i));
        Customer c;
        static const QString cities = QStringLiteral("ABCDEFGHJKLMN");
        const int digits = int((uint64_t(i % 100000) * 7919 + m_o.seed % 100000) % 100000);
        c.plate = QStringLiteral("湘") + cities[(i / 100000) % cities.size()] + padded(digits, 5);
        const QString person = personName(h);
        if (h % 10 == 0) {
            const auto &g = vocab::givenNameChars();
            c.name = QStringLiteral("长沙") + g[(h >> 32) % g.size()] + g[(h >> 40) % g.size()] +
                     vocab::companySuffixes()[(h >> 48) % vocab::companySuffixes().size()];
        } else {
            c.name = person;
        }
        c.contact = person;
        c.phone = QStringLiteral("0731-8") + padded(qint64(h2 % 10000000), 7);
        c.mobile = QStringLiteral("13") + padded(qint64((h2 >> 24) % 1000000000), 9);
        c.model = vocab::vehicleModels()[(h >> 12) % vocab::vehicleModels().size()];
        c.colour = vocab::colours()[(h >> 20) % vocab::colours().size()];
        static const char hex[] = "0123456789ABCDEFGHJKLMNPRSTUVWXYZ";
        QString vin = QStringLiteral("LSV");
        uint64_t v = h2;
        for (int k = 0; k < 14; ++k) { vin += QLatin1Char(hex[v % 33]); v = v / 33 + (k == 6 ? h : 0); }
        c.vin = vin;
        c.engine = vin.right(8);
        c.address = QStringLiteral("长沙市") + vocab::streets()[(h2 >> 40) % vocab::streets().size()] + QString::number(1 + (h2 >> 48) % 400) + QStringLiteral("号");
        c.postcode = QStringLiteral("410") + padded(qint64((h >> 56) % 1000), 3);
        return c;
    }

    int homeBranch(int customerIndex) const { return customerIndex % YearVolumes::branches + 1; }
    QDate customerCreated(int i) const { return m_firstDay.addDays(qint64(i) * m_days / m_customerCount); }

    // ---- one day ----------------------------------------------------------------------

    void simulateDay(int day, const QDate &d)
    {
        m_day = d;
        m_createdBefore = int(qint64(m_customerCount) * day / m_days);
        const int createdEnd = int(qint64(m_customerCount) * (day + 1) / m_days);
        for (auto &q : m_newCustomers) q.clear();
        m_newCustomers.resize(m_depts.size());
        m_visitedToday.clear();
        for (int i = m_createdBefore; i < createdEnd; ++i)
            m_newCustomers[homeBranch(i)].push_back(i);

        for (int b = 0; b < int(m_depts.size()); ++b)
            for (int k = 0; k < m_depts[b].operatorNames.size(); ++k)
                m_logins->add({at(d, -1800 + m_rng.below(3600)), m_depts[b].operatorNames[k], m_depts[b].name});

        const int purchases = m_rng.range(8, 12);
        for (int i = 0; i < purchases; ++i)
            purchase();
        for (int b = 1; b <= YearVolumes::branches; ++b) {
            transfer(b);
            transfer(b);
            const int orders = m_rng.range(YearVolumes::ordersPerBranchDayMin, YearVolumes::ordersPerBranchDayMax);
            for (int i = 0; i < orders; ++i)
                repairOrder(b, pickCustomerForOrder(b));
            const int notes = m_rng.range(YearVolumes::serviceNotesPerBranchDayMin, YearVolumes::serviceNotesPerBranchDayMax);
            for (int i = 0; i < notes; ++i)
                serviceNote(b);
            usage(b);
            usage(b);
        }
    }

    // A new customer of the branch comes first (the order that registers it); otherwise a
    // customer registered earlier.
    int pickCustomerForOrder(int b)
    {
        auto &queue = m_newCustomers[b];
        if (!queue.empty()) {
            const int c = queue.front();
            queue.pop_front();
            m_visitedToday.push_back(c);
            return c;
        }
        return anyKnownCustomer();
    }

    int anyKnownCustomer()
    {
        if (m_createdBefore > 0)
            return m_rng.below(m_createdBefore);
        return m_visitedToday[m_rng.below(int(m_visitedToday.size()))];
    }

    QString operatorOf(int b) { return m_depts[b].operatorNames[m_rng.below(m_depts[b].operatorNames.size())]; }
    QString employeeOf(int b) { return m_depts[b].employees[m_rng.below(m_depts[b].employees.size())]; }
    void journal(const QDate &d, const QString &text, const QString &who) { m_journal->add({at(d, m_rng.below(36000)), text, who}); }

    void repairOrder(int b, int ci)
    {
        Dept &dept = m_depts[b];
        const QString no = dept.code + padded(++dept.orders, 8);
        const Customer c = customer(ci);
        int &mileage = m_mileage[ci];
        if (mileage == 0)
            mileage = 3000 + int(Rng::hash(m_o.seed, ci) % 60000);
        mileage = qMin(999999, mileage + m_rng.range(300, 6000));
        const QString op = operatorOf(b), tech = employeeOf(b), inspector = employeeOf(b);
        const double rate = m_rng.chance(0.1) ? 5.0 : 0.0;

        std::vector<OrderLine> lines(m_rng.range(YearVolumes::linesPerOrderMin, YearVolumes::linesPerOrderMax));
        double labour = 0, material = 0, cost = 0;
        for (OrderLine &l : lines) {
            const int kind = m_rng.below(10);   // 0-4 labour, 5-7 material, 8-9 both
            if (kind < 5 || kind >= 8) {
                const ServiceItem &s = m_serviceItems[m_rng.below(int(m_serviceItems.size()))];
                l.item = s.name;
                l.hours = m_rng.range(1, 12) * 0.5;
                l.fee = s.fee.toDouble();
                labour += s.fee.toDouble();
            }
            if (kind >= 5) {
                l.goods = m_rng.below(int(m_goods.size()));
                const Stock &st = m_stock[b][l.goods];
                l.cost = st.exists && st.qty > 0 ? st.avg : m_goods[l.goods].purchase.toDouble();
                l.price = m_goods[l.goods].sale.toDouble();
                l.qty = m_rng.range(1, 4);
                material += l.price * l.qty;
                cost += l.cost * l.qty;
            }
        }
        const double surcharge = material * rate / 100.0;
        const double total = material + labour + surcharge;

        const QDate received = m_day;
        const QDate finished = received.addDays(m_rng.range(0, 3));
        const bool settled = finished <= m_o.lastDay && received.daysTo(m_o.lastDay) >= 2;
        const bool cash = m_rng.chance(0.9);
        QDate collected;
        if (settled && !cash) {
            const QDate when = finished.addDays(m_rng.range(5, 60));
            if (when <= m_o.lastDay) collected = when;
        }
        const bool done = settled && (cash || collected.isValid());

        m_orderHead->add({no, dept.name, no, received, received.addDays(3), c.plate, c.model, c.colour, c.vin, c.engine, mileage,
                          c.name, c.contact, c.phone, c.mobile, c.address, c.postcode, QString(),
                          vocab::inspectionNotes()[m_rng.below(vocab::inspectionNotes().size())], rate,
                          settled ? QStringLiteral("维修完成") : QStringLiteral("正在维修"), QString(), op, tech, inspector,
                          QString(), op, 0, 0, done ? 1 : 0, 0});
        for (const OrderLine &l : lines)
            addLine(*m_orderLine, no, l, false);
        journal(received, QStringLiteral("新增托修单:") + no, op);
        if (!settled)
            return;

        const QString sno = dept.code + padded(++dept.settlements, 8);
        const QString clerk = operatorOf(b);
        const Money grand = Money::fromDouble(total);
        QVariant paidOn = cash ? QVariant(finished) : collected.isValid() ? QVariant(collected) : nullDate();
        const QString kind = cash ? QStringLiteral("现金") : collected.isValid() ? QStringLiteral("已付款") : QStringLiteral("记帐");
        m_settleHead->add({sno, dept.name, no, sno, received, finished, finished, c.plate, c.model, c.colour, c.vin, c.engine,
                           mileage, c.name, c.contact, c.phone, c.mobile, c.address, c.postcode, QString(), rate,
                           money(grand.roundedToCents()), QStringLiteral("已结算"), kind, done ? 1 : 0, paidOn, 0, QString(),
                           clerk, tech, inspector, QString(), clerk});
        for (const OrderLine &l : lines)
            addLine(*m_settleLine, sno, l, true);
        m_cash->add({sno, dept.name, QStringLiteral("汽车维修"), finished, money(Money::fromDouble(labour)),
                     money(Money::fromDouble(cost)), money(Money::fromDouble(material + surcharge)), money(grand), clerk,
                     done ? 1 : 0, paidOn, cash ? QStringLiteral("现金") : QStringLiteral("记帐")});
        m_consumption->add({c.plate, c.name, QStringLiteral("汽车维修"), finished, dept.name, tech, money(grand), sno});
        journal(finished, QStringLiteral("新增结算单:") + sno, clerk);
        if (collected.isValid())
            journal(collected, QStringLiteral("录入应收款,对应单据:") + sno, operatorOf(b));
    }

    void addLine(TableWriter &w, const QString &no, const OrderLine &l, bool settlement)
    {
        const bool hasGoods = l.goods >= 0;
        const Goods *g = hasGoods ? &m_goods[l.goods] : nullptr;
        QVariant item = l.item.isEmpty() ? nullText() : QVariant(l.item);
        QVariant hours = l.hours.isValid() ? l.hours : nullNumber();
        QVariant fee = l.fee.isValid() ? l.fee : nullNumber();
        if (settlement)
            w.add({no, item, hours, fee, hasGoods ? QVariant(g->code) : nullText(), hasGoods ? QVariant(g->name) : nullText(),
                   hasGoods ? QVariant(g->unit) : nullText(), hasGoods ? QVariant(l.cost) : nullNumber(),
                   hasGoods ? QVariant(l.price) : nullNumber(), hasGoods ? QVariant(l.qty) : nullNumber(),
                   hasGoods ? QVariant(l.cost * l.qty) : nullNumber(), hasGoods ? QVariant(l.price * l.qty) : nullNumber(),
                   nullText(), nullNumber()});
        else
            w.add({no, item, hours, fee, hasGoods ? QVariant(g->code) : nullText(), hasGoods ? QVariant(g->name) : nullText(),
                   hasGoods ? QVariant(g->unit) : nullText(), hasGoods ? QVariant(l.cost) : nullNumber(),
                   hasGoods ? QVariant(l.price) : nullNumber(), hasGoods ? QVariant(l.qty) : nullNumber(),
                   hasGoods ? QVariant(l.cost * l.qty) : nullNumber(), hasGoods ? QVariant(l.price * l.qty) : nullNumber(),
                   nullText()});
    }

    // ---- service notes and wash cards ---------------------------------------------------

    void serviceNote(int b)
    {
        Dept &dept = m_depts[b];
        const QString no = dept.code + padded(++dept.serviceNotes, 8);
        const QString washer = employeeOf(b), op = operatorOf(b);
        const int kind = m_rng.below(100);
        if (kind < 70) {
            if (m_activeCards.size() < 400)
                openCard(b);
            const int slot = m_rng.below(int(m_activeCards.size()));
            Card &card = m_activeCards[slot];
            const int uses = kCardTypes[card.type].uses;
            ++card.used;
            const Customer c = customer(card.customer);
            m_service->add({no, dept.name, m_day, c.plate, QString(), 1, QStringLiteral("刷卡"), money(Money()), card.number,
                            QString(), m_depts[card.dept].name, card.used, uses - card.used, washer, QString(), 1, m_day,
                            QString(), QString(), 0});
            if (card.used == uses) {
                writeCard(card, true);
                m_activeCards[slot] = m_activeCards.back();
                m_activeCards.pop_back();
            }
        } else {
            const bool cash = kind < 97;
            const Customer c = customer(anyKnownCustomer());
            const Money amount = Money::fromYuan(5 * m_rng.range(4, 60));
            QDate collected;
            if (!cash) {
                const QDate when = m_day.addDays(m_rng.range(3, 45));
                if (when <= m_o.lastDay) collected = when;
            }
            const bool paid = cash || collected.isValid();
            m_service->add({no, dept.name, m_day, c.plate, QString(), 0, cash ? QStringLiteral("现金") : QStringLiteral("记帐"),
                            money(amount), QString(), QString(), QString(), nullNumber(), nullNumber(), washer, QString(),
                            paid ? 1 : 0, collected.isValid() ? collected : m_day, QString(), QString(), 0});
            m_cash->add({no, dept.name, QStringLiteral("汽车美容服务"), m_day, money(amount), money(Money()), money(Money()),
                         money(amount), op, paid ? 1 : 0, cash ? QVariant(m_day) : collected.isValid() ? QVariant(collected) : nullDate(),
                         cash ? QStringLiteral("现金") : QStringLiteral("记帐")});
            m_consumption->add({c.plate, c.name, QStringLiteral("汽车美容服务"), m_day, dept.name, washer, money(amount), nullText()});
            if (collected.isValid())
                journal(collected, QStringLiteral("录入应收款,对应单据:") + no, operatorOf(b));
        }
        journal(m_day, QStringLiteral("录入洗车收费单:") + no, op);
    }

    void openCard(int b)
    {
        Card card;
        card.number = QStringLiteral("8") + padded(++m_cardCounter, 7);
        card.customer = anyKnownCustomer();
        card.dept = b;
        card.opened = m_day;
        card.type = m_rng.below(4) == 0 ? 1 : 0;
        const Customer c = customer(card.customer);
        const Money price = Money::fromYuan(kCardTypes[card.type].price);
        const QString op = operatorOf(b);
        m_cash->add({card.number, m_depts[b].name, QStringLiteral("会员卡开卡收费"), m_day, money(price), money(Money()),
                     money(Money()), money(price), op, 1, m_day, QStringLiteral("现金")});
        m_consumption->add({c.plate, c.name, QStringLiteral("会员开卡"), m_day, m_depts[b].name, QString(), money(price), nullText()});
        journal(m_day, QStringLiteral("会员开卡,会员卡号是:") + card.number, op);
        m_activeCards.push_back(card);
    }

    void writeCard(const Card &card, bool expired)
    {
        const Customer c = customer(card.customer);
        const CardType &t = kCardTypes[card.type];
        m_cardRows->add({card.number, QString(), c.plate, c.name, c.phone, card.opened, m_depts[card.dept].name,
                         money(Money::fromYuan(t.price)), 1, QStringLiteral("计次卡"), t.name, t.uses, card.used, expired ? 1 : 0,
                         QString(), 0});
    }

    // ---- stock ---------------------------------------------------------------------------

    void markStocked(int w, int g)
    {
        const bool positive = m_stock[w][g].qty > 0;
        int &pos = m_stockedPos[w][g];
        if (positive && pos < 0) {
            pos = int(m_stocked[w].size());
            m_stocked[w].push_back(g);
        } else if (!positive && pos >= 0) {
            const int last = m_stocked[w].back();
            m_stocked[w][pos] = last;
            m_stockedPos[w][last] = pos;
            m_stocked[w].pop_back();
            pos = -1;
        }
    }

    // Distinct goods with stock in the warehouse (fewer when the warehouse holds fewer).
    std::vector<int> pickStocked(int w, int count)
    {
        std::vector<int> out;
        std::unordered_set<int> seen;
        const int available = int(m_stocked[w].size());
        for (int tries = 0; int(out.size()) < qMin(count, available) && tries < count * 4; ++tries) {
            const int g = m_stocked[w][m_rng.below(available)];
            if (seen.insert(g).second) out.push_back(g);
        }
        return out;
    }

    void stockIn(int w, const NoteLine &l, const QString &no, const QString &type, const QString &op, const QString &handler)
    {
        Stock &s = m_stock[w][l.goods];
        if (!s.exists) {
            s.exists = true;
            s.qty = l.qty;
            s.total = l.amount;
            s.avg = l.amount.toDouble() / l.qty;
        } else {
            s.qty += l.qty;
            s.total += l.amount;
            if (s.qty != 0)
                s.avg = round6(s.total.toDouble() / s.qty);
        }
        s.lastModifier = qint16(m_allOperatorNames.indexOf(op));
        markStocked(w, l.goods);
        const Goods &g = m_goods[l.goods];
        m_ledger->add({no, g.code, g.name, g.spec, g.unit, QStringLiteral("物品入库"), type, m_day, m_depts[w].name, l.qty,
                       money(l.amount), 0.0, money(Money()), handler, s.qty, money(s.total), money(Money::fromDouble(round4(s.avg)))});
    }

    // Takes the line out at the average cost; returns the cost of what left.
    Money stockOut(int w, const NoteLine &l, const QString &no, const QString &type, const QString &handler)
    {
        Stock &s = m_stock[w][l.goods];
        s.qty -= l.qty;
        s.total = Money::fromDouble(s.total.toDouble() - l.qty * s.avg);
        markStocked(w, l.goods);
        const Goods &g = m_goods[l.goods];
        const Money cost = Money::fromDouble(round4(s.avg) * l.qty);
        m_ledger->add({no, g.code, g.name, g.spec, g.unit, QStringLiteral("物品出库"), type, m_day, m_depts[w].name, 0.0,
                       money(Money()), l.qty, money(cost), handler, s.qty, money(s.total), money(Money::fromDouble(round4(s.avg)))});
        return cost;
    }

    void writeInNote(const QString &no, const QString &from, int w, const QString &type, const QString &paperNo,
                     const QString &op, const QString &handler, const std::vector<NoteLine> &lines)
    {
        m_inHead->add({no, m_day, from, m_depts[w].name, type, paperNo, op, handler, QString()});
        for (const NoteLine &l : lines) {
            const Goods &g = m_goods[l.goods];
            m_inLine->add({no, g.code, g.category, g.name, g.spec, g.unit, l.price, l.qty, money(l.amount)});
            stockIn(w, l, no, type, op, handler);
        }
        journal(m_day, QStringLiteral("新增物品入库单 ") + no, op);
    }

    void purchase()
    {
        const QString no = QStringLiteral("0000") + padded(++m_stockInCounter, 8);
        const QString op = operatorOf(0), handler = employeeOf(0);
        std::vector<NoteLine> lines;
        std::unordered_set<int> seen;
        const int count = m_rng.range(36, 46);
        while (int(lines.size()) < count) {
            const int g = m_rng.below(int(m_goods.size()));
            if (!seen.insert(g).second) continue;
            const double price = round2(m_goods[g].purchase.toDouble() * (0.97 + 0.06 * m_rng.unit()));
            const double qty = m_rng.range(2, 6);
            lines.push_back({g, price, qty, Money::fromDouble(price * qty)});
        }
        const QString supplier = supplierName(m_rng.below(kSuppliers));
        writeInNote(no, supplier, 0, QStringLiteral("外购入库"), QStringLiteral("CG") + padded(m_rng.below(1000000), 6), op, handler, lines);
    }

    // Head office sends goods to a branch: a transfer stock-out and the branch's stock-in.
    void transfer(int b)
    {
        const std::vector<int> goods = pickStocked(0, m_rng.range(36, 46));
        if (goods.empty())
            return;
        const QString outNo = QStringLiteral("0000") + padded(++m_stockOutCounter, 8);
        const QString op = operatorOf(0), handler = employeeOf(0), clerk = employeeOf(0);
        const QString type = QStringLiteral("调拨出库");
        m_outHead->add({outNo, m_day, m_depts[b].name, m_depts[0].name, type, QString(), op, handler, clerk, QString(), 1, m_day});
        std::vector<NoteLine> lines;
        for (int g : goods) {
            const Stock &s = m_stock[0][g];
            const double qty = qMin<double>(m_rng.range(1, 5), s.qty);
            const double price = s.avg;
            NoteLine l{g, price, qty, Money::fromDouble(price * qty)};
            const Goods &gd = m_goods[g];
            m_outLine->add({outNo, gd.code, gd.category, gd.name, gd.spec, gd.unit, l.price, l.qty, money(l.amount)});
            stockOut(0, l, outNo, type, handler);
            m_goods[g].purchase = Money::fromDouble(m_stock[0][g].avg);   // the transfer prices the goods at cost
            lines.push_back(l);
        }
        journal(m_day, QStringLiteral("新增出库单 ") + outNo, op);

        const QString inNo = QStringLiteral("0000") + padded(++m_stockInCounter, 8);
        writeInNote(inNo, m_depts[0].name, b, QStringLiteral("调拨入库"), outNo, operatorOf(b), employeeOf(b), lines);
    }

    // A branch takes goods for its own use, or sells them over the counter.
    void usage(int b)
    {
        const std::vector<int> goods = pickStocked(b, m_rng.range(10, 18));
        if (goods.empty())
            return;
        const bool sale = m_rng.chance(0.2);
        const QString type = sale ? QStringLiteral("销售出库") : QStringLiteral("领用出库");
        const QString no = QStringLiteral("0000") + padded(++m_stockOutCounter, 8);
        const QString op = operatorOf(b), handler = employeeOf(b), clerk = employeeOf(b);
        const Customer buyer = customer(anyKnownCustomer());
        const QString party = sale ? buyer.plate : m_depts[b].name;
        m_outHead->add({no, m_day, party, m_depts[b].name, type, QString(), op, handler, clerk, QString(), 1, m_day});
        for (int g : goods) {
            const Stock &s = m_stock[b][g];
            const double qty = qMin<double>(m_rng.range(2, 14), s.qty);
            const double price = sale ? m_goods[g].sale.toDouble() : s.avg;
            NoteLine l{g, price, qty, Money::fromDouble(price * qty)};
            const Goods &gd = m_goods[g];
            m_outLine->add({no, gd.code, gd.category, gd.name, gd.spec, gd.unit, l.price, l.qty, money(l.amount)});
            const Money cost = stockOut(b, l, no, type, handler);
            if (sale) {
                m_cash->add({no, m_depts[b].name, QStringLiteral("物品销售"), m_day, money(Money()), money(cost), money(l.amount),
                             money(l.amount), clerk, 1, m_day, QStringLiteral("现金")});
                m_consumption->add({party, party, QStringLiteral("物品销售"), m_day, m_depts[b].name, clerk, money(l.amount), nullText()});
            } else {
                m_cash->add({no, m_depts[b].name, QStringLiteral("领用物品"), m_day, money(Money()), money(cost), money(Money()),
                             money(Money()), clerk, 1, m_day, nullText()});
            }
        }
        journal(m_day, QStringLiteral("新增出库单 ") + no, op);
    }

    static constexpr int kSuppliers = 40;
    QString supplierName(int i) const
    {
        static const QStringList trades = QStringLiteral("汽配 润滑油 轮胎 汽车电器 钣喷材料").split(QLatin1Char(' '));
        const auto &g = vocab::givenNameChars();
        return QStringLiteral("长沙") + g[i % g.size()] + g[(i * 7 + 3) % g.size()] + trades[i % trades.size()] + QStringLiteral("有限公司");
    }

    // ---- the rows that hold final state ---------------------------------------------------

    void writeCatalogueAndState()
    {
        const auto seq8 = [](int n) { return padded(n, 8); };
        // Departments: the head office row exists in the blank database.
        Dept &ho = m_depts[0];
        m_db.execWrite(QStringLiteral("UPDATE 部门信息 SET 车牌字头 = ?, 部门地址 = ?, 部门电话 = ?, 最后入库单号 = ?, 最后出库单号 = ?, "
                                      "最后员工编号 = ?, 最后操作员号 = ? WHERE 部门编号 = ?"),
                       {QStringLiteral("湘A"), QStringLiteral("长沙市芙蓉区五一大道1号"), QStringLiteral("0731-84000000"),
                        seq8(m_stockInCounter), seq8(m_stockOutCounter), padded(ho.employees.size(), 2),
                        padded(ho.operatorCodes.size(), 2), ho.code});
        TableWriter &depts = m_loader.table(QStringLiteral("部门信息"), cols(
            "部门编号,部门名称,部门地址,部门电话,部门传真,联系人,车牌字头,最后入库单号,最后出库单号,最后托修单号,最后结算单号,"
            "最后美容单号,最后装簧单号,最后员工编号,最后操作员号,最后供应商号,最后会员编号"));
        TableWriter &warehouses = m_loader.table(QStringLiteral("仓库信息表"), cols("仓库编号,仓库名称,仓管员"));
        for (int b = 1; b < int(m_depts.size()); ++b) {
            const Dept &d = m_depts[b];
            depts.add({d.code, d.name, QStringLiteral("长沙市%1%2号").arg(vocab::streets()[b]).arg(b * 17),
                       QStringLiteral("0731-8%1").arg(padded(b * 111111, 7)), QString(), d.employees[0], QString(),
                       seq8(0), seq8(0), seq8(d.orders), seq8(d.settlements), seq8(d.serviceNotes), seq8(0),
                       padded(d.employees.size(), 2), padded(d.operatorCodes.size(), 2), QStringLiteral("0000"),
                       QStringLiteral("0000")});
            warehouses.add({d.code, d.name, d.employees[1]});
        }
        TableWriter &employees = m_loader.table(QStringLiteral("员工信息表"), cols("员工编号,员工姓名,所在部门,组别,级别,员工代号"));
        TableWriter &operators = m_loader.table(QStringLiteral("操作员信息表"), cols("操作员代号,操作员姓名,操作员类别,操作员密码,所属部门,部门编号"));
        TableWriter &rights = m_loader.table(QStringLiteral("权限信息表"), cols("操作员代号,功能名称"));
        const QString hash = store::hashPassword(kBenchPassword);
        static const QStringList groups = QStringLiteral("机修组 电工组 钣喷组 美容组 前台").split(QLatin1Char(' '));
        for (const Dept &d : m_depts) {
            for (int e = 0; e < d.employees.size(); ++e)
                employees.add({d.code + padded(e + 1, 2), d.employees[e], d.name, groups[e % groups.size()],
                               e % 4 == 0 ? QStringLiteral("高级") : QStringLiteral("中级"), QStringLiteral("E%1").arg(d.code + padded(e + 1, 2))});
            for (int k = 0; k < d.operatorCodes.size(); ++k) {
                operators.add({d.operatorCodes[k], d.operatorNames[k], k == 0 ? QStringLiteral("经理") : QStringLiteral("操作员"), hash,
                               d.name, d.code});
                for (const QString &f : store::grantableFunctions())
                    rights.add({d.operatorCodes[k], f});
            }
        }

        TableWriter &suppliers = m_loader.table(QStringLiteral("供销商信息表"), cols("供销商编号,供销商名称,供销商类型,联系人,联系电话"));
        for (int i = 0; i < kSuppliers; ++i)
            suppliers.add({QString::number(100001 + i), supplierName(i), QStringLiteral("供应商"), personName(Rng::hash(m_o.seed, 500 + i)),
                           QStringLiteral("0731-8%1").arg(padded(2000000 + i, 7))});

        TableWriter &serviceCats = m_loader.table(QStringLiteral("服务项目类别信息表"), cols("服务项目类别"));
        TableWriter &serviceItems = m_loader.table(QStringLiteral("服务项目信息表"), cols("服务项目类别,服务项目名称,服务收费金额,最低收费金额"));
        for (const vocab::ServiceKind &k : vocab::serviceKinds())
            serviceCats.add({k.category});
        for (const ServiceItem &s : m_serviceItems)
            serviceItems.add({s.category, s.name, money(s.fee), money(s.lowest)});
        TableWriter &cardTypes = m_loader.table(QStringLiteral("会员类别信息表"), cols("会员类别,会员描述"));
        for (const CardType &t : kCardTypes)
            cardTypes.add({t.name, QStringLiteral("计次卡,%1次").arg(t.uses)});
        for (const Card &c : m_activeCards)
            writeCard(c, false);

        TableWriter &categories = m_loader.table(QStringLiteral("物品类别"), cols("物品类别编号,物品类别,最后编号"));
        const int perCategory = YearVolumes::goods / vocab::goodsKinds().size();
        for (int c = 0; c < vocab::goodsKinds().size(); ++c)
            categories.add({QString::number(101 + c), vocab::goodsKinds()[c].category, padded(perCategory, 4)});
        TableWriter &goods = m_loader.table(QStringLiteral("物品信息表"), cols(
            "物品编号,物品名称,物品规格,物品类别,物品单位,品牌,参考进货价,参考销售价,最低销售价,最高库存限额,最低库存限额,条形码"));
        for (const Goods &g : m_goods)
            goods.add({g.code, g.name, g.spec, g.category, g.unit, g.brand, money(g.purchase), money(g.sale), money(g.lowest),
                       g.upper, g.lower, g.barcode});
        TableWriter &stock = m_loader.table(QStringLiteral("物品库存表"), cols(
            "物品编号,仓库,物品名称,物品类型,物品规格,品牌,物品单位,条形码,建议销售价,最低销售价,最高库存限额,最低库存限额,"
            "物品数量,总成本,平均成本,最后修改人"));
        for (int w = 0; w < int(m_depts.size()); ++w) {
            for (int i = 0; i < int(m_goods.size()); ++i) {
                const Stock &s = m_stock[w][i];
                if (!s.exists) continue;
                const Goods &g = m_goods[i];
                stock.add({g.code, m_depts[w].name, g.name, g.category, g.spec, g.brand, g.unit, g.barcode, money(g.sale),
                           money(g.lowest), g.upper, g.lower, s.qty, money(s.total), s.avg,
                           s.lastModifier >= 0 ? QVariant(m_allOperatorNames[s.lastModifier]) : nullText()});
            }
        }

        TableWriter &customers = m_loader.table(QStringLiteral("客户信息表"), cols(
            "车牌号码,客户姓名,联系电话,车型,颜色,里程数,车架码,机头码,单位,联系人,手机号码,地址,邮编,传真,备注,购保险信息,"
            "年审时间,购保险时间,换机油时间,打腊时间,封釉时间,二保时间,建档时间,建档部门"));
        for (int i = 0; i < m_customerCount; ++i) {
            const Customer c = customer(i);
            const uint64_t h = Rng::hash(m_o.seed, 2000000 + uint64_t(i));
            const QDate created = customerCreated(i);
            const auto due = [&](int shift, int spread) { return m_o.lastDay.addDays(int((h >> shift) % spread) - spread / 3); };
            customers.add({c.plate, c.name, c.phone, c.model, c.colour, m_mileage[i], c.vin, c.engine, c.name, c.contact, c.mobile,
                           c.address, c.postcode, QString(), QString(), QStringLiteral("平安保险 交强险+商业险"),
                           due(0, 365), due(9, 365), due(18, 180), due(27, 90), due(36, 365), nullDate(), created,
                           m_depts[homeBranch(i)].name});
        }
    }

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

} // namespace

bool hasDataSet(store::Db &db, const DataSetOptions &options)
{
    try {
        return db.exists(QStringLiteral("SELECT 1 FROM 操作流水表 WHERE 业务内容 = ?"), {marker(options)});
    } catch (const store::DbError &) {
        return false;
    }
}

DataSetReport generateDataSet(store::Db &db, const DataSetOptions &options, const std::function<void(const QString &)> &log)
{
    Generator g(db, options, log);
    return g.run();
}

} // namespace bench
