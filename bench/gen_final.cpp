// The rows that hold final state, written once the history is simulated: departments with
// their counters, staff and operators, catalogues, goods and stock rows, customers.

#include "bench/generator.h"
#include "bench/vocab.h"
#include "store/blankdb.h"
#include "store/functions.h"
#include "store/password.h"

namespace bench::gen {

void Generator::writeCatalogueAndState()
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

} // namespace bench::gen
