// Repair orders with their settlements, service notes and wash cards.

#include "bench/generator.h"
#include "bench/vocab.h"

namespace bench::gen {

void Generator::repairOrder(int b, int ci)
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

void Generator::addLine(TableWriter &w, const QString &no, const OrderLine &l, bool settlement)
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

void Generator::serviceNote(int b)
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

void Generator::openCard(int b)
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

void Generator::writeCard(const Card &card, bool expired)
{
    const Customer c = customer(card.customer);
    const CardType &t = kCardTypes[card.type];
    m_cardRows->add({card.number, QString(), c.plate, c.name, c.phone, card.opened, m_depts[card.dept].name,
                     money(Money::fromYuan(t.price)), 1, QStringLiteral("计次卡"), t.name, t.uses, card.used, expired ? 1 : 0,
                     QString(), 0});
}

} // namespace bench::gen
