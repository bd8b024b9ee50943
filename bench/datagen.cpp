#include "bench/generator.h"
#include "bench/vocab.h"
#include "store/blankdb.h"

#include <QElapsedTimer>

namespace bench {

namespace gen {

Generator::Generator(store::Db &db, const DataSetOptions &o, const std::function<void(const QString &)> &log)
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

DataSetReport Generator::run()
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

QString Generator::personName(uint64_t h) const
{
    const auto &s = vocab::surnames(), &g = vocab::givenNameChars();
    QString n = s[h % s.size()] + g[(h >> 8) % g.size()];
    if ((h >> 16) % 3)
        n += g[(h >> 24) % g.size()];
    return n;
}

void Generator::makeOrganisation()
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

void Generator::makeGoods()
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
            g.spec = k.specs[(h >> 16) % k.specs.size()];
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

void Generator::makeServiceItems()
{
    for (const vocab::ServiceKind &k : vocab::serviceKinds()) {
        for (int i = 0; i < k.items.size(); ++i) {
            const uint64_t h = Rng::hash(m_o.seed, 300000 + m_serviceItems.size());
            const double fee = std::round((k.lowFee + (h % 1000) / 1000.0 * (k.highFee - k.lowFee)) / 5.0) * 5.0;
            m_serviceItems.push_back({k.category, k.items[i], Money::fromDouble(fee), Money::fromDouble(round2(fee * 0.8))});
        }
    }
}

Customer Generator::customer(int i) const
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

void Generator::simulateDay(int day, const QDate &d)
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
int Generator::pickCustomerForOrder(int b)
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

int Generator::anyKnownCustomer()
{
    if (m_createdBefore > 0)
        return m_rng.below(m_createdBefore);
    return m_visitedToday[m_rng.below(int(m_visitedToday.size()))];
}

} // namespace gen

bool hasDataSet(store::Db &db, const DataSetOptions &options)
{
    try {
        return db.exists(QStringLiteral("SELECT 1 FROM 操作流水表 WHERE 业务内容 = ?"), {gen::marker(options)});
    } catch (const store::DbError &) {
        return false;
    }
}

DataSetReport generateDataSet(store::Db &db, const DataSetOptions &options, const std::function<void(const QString &)> &log)
{
    gen::Generator g(db, options, log);
    return g.run();
}

} // namespace bench
