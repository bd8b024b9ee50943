// Stock notes: head-office purchases, transfers to the branches, the branches' own use and
// counter sales, with the stock rows simulated so the ledger carries what they hold.

#include "bench/generator.h"
#include "bench/vocab.h"

#include <unordered_set>

namespace bench::gen {

void Generator::markStocked(int w, int g)
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
std::vector<int> Generator::pickStocked(int w, int count)
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

void Generator::stockIn(int w, const NoteLine &l, const QString &no, const QString &type, const QString &op, const QString &handler)
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
Money Generator::stockOut(int w, const NoteLine &l, const QString &no, const QString &type, const QString &handler)
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

void Generator::writeInNote(const QString &no, const QString &from, int w, const QString &type, const QString &paperNo,
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

void Generator::purchase()
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
void Generator::transfer(int b)
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
void Generator::usage(int b)
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

QString Generator::supplierName(int i) const
{
    static const QStringList trades = QStringLiteral("汽配 润滑油 轮胎 汽车电器 钣喷材料").split(QLatin1Char(' '));
    const auto &g = vocab::givenNameChars();
    return QStringLiteral("长沙") + g[i % g.size()] + g[(i * 7 + 3) % g.size()] + trades[i % trades.size()] + QStringLiteral("有限公司");
}

} // namespace bench::gen
