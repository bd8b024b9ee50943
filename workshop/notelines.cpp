#include "workshop/notelines.h"

namespace workshop {

namespace {

std::optional<double> number(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return std::nullopt;
    if (v.metaType() == QMetaType::fromType<store::Money>())
        return v.value<store::Money>().toDouble();
    bool ok = false;
    const double d = v.toDouble(&ok);     // an empty text is no number either
    return ok ? std::optional<double>(d) : std::nullopt;
}

QVariant variant(const std::optional<double> &v)
{
    return v ? QVariant(*v) : QVariant();
}

} // namespace

double NoteLine::materialAmount() const
{
    return quantity.value_or(0) * unitPrice.value_or(0);
}

double NoteLine::materialCost() const
{
    return quantity.value_or(0) * unitCost.value_or(0);
}

bool NoteLine::isBlank() const
{
    return item.trimmed().isEmpty() && goodsName.trimmed().isEmpty();
}

QVariantMap NoteLine::toMap() const
{
    return {
        {QStringLiteral("维修项目"), item},
        {QStringLiteral("工时单价"), variant(labourRate)},
        {QStringLiteral("工时"), variant(hours)},
        {QStringLiteral("工时费"), variant(labourFee)},
        {QStringLiteral("物品编号"), goodsCode},
        {QStringLiteral("物品名称"), goodsName},
        {QStringLiteral("单位"), unit},
        {QStringLiteral("物品成本价"), variant(unitCost)},
        {QStringLiteral("物品单价"), variant(unitPrice)},
        {QStringLiteral("物品数量"), variant(quantity)},
        {QStringLiteral("材料总成本"), materialCost()},
        {QStringLiteral("材料金额合计"), materialAmount()},
        {QStringLiteral("备注"), remark},
    };
}

NoteLine NoteLine::fromMap(const QVariantMap &m)
{
    NoteLine l;
    l.item = m.value(QStringLiteral("维修项目")).toString();
    l.labourRate = number(m.value(QStringLiteral("工时单价")));
    l.hours = number(m.value(QStringLiteral("工时")));
    l.labourFee = number(m.value(QStringLiteral("工时费")));
    l.goodsCode = m.value(QStringLiteral("物品编号")).toString();
    l.goodsName = m.value(QStringLiteral("物品名称")).toString();
    l.unit = m.value(QStringLiteral("单位")).toString();
    l.unitCost = number(m.value(QStringLiteral("物品成本价")));
    l.unitPrice = number(m.value(QStringLiteral("物品单价")));
    l.quantity = number(m.value(QStringLiteral("物品数量")));
    l.remark = m.value(QStringLiteral("备注")).toString();
    return l;
}

NoteTotals noteTotals(const QList<NoteLine> &lines, double ratePercent)
{
    NoteTotals t;
    for (const NoteLine &l : lines) {
        t.labour += store::Money::fromDouble(l.labourFee.value_or(0));
        t.material += store::Money::fromDouble(l.materialAmount());
    }
    t.surcharge = t.material.times(ratePercent / 100.0);
    t.total = t.material + t.labour + t.surcharge;
    return t;
}

double parseRate(const QString &text, bool *ok)
{
    const QString t = text.trimmed();
    bool good = true;
    const double rate = t.isEmpty() ? 0 : t.toDouble(&good);
    if (ok)
        *ok = good;
    return good ? rate : 0;
}

} // namespace workshop
