#include "workshop/settlements/settlementchoices.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>

namespace workshop {

PaymentKind PaymentChoice::kind() const
{
    return onAccount->isChecked() ? PaymentKind::OnAccount : PaymentKind::Cash;
}

void PaymentChoice::show(PaymentKind kind)
{
    (kind == PaymentKind::OnAccount ? onAccount : cash)->setChecked(true);
}

PaymentChoice createPaymentChoice(QWidget *parent)
{
    PaymentChoice c;
    c.cash = new QRadioButton(QStringLiteral("现金"), parent);
    c.onAccount = new QRadioButton(QStringLiteral("记帐"), parent);
    auto *group = new QButtonGroup(parent);
    group->addButton(c.cash);
    group->addButton(c.onAccount);
    c.cash->setChecked(true);
    return c;
}

QCheckBox *createPrintRateBox(QWidget *parent)
{
    auto *box = new QCheckBox(QStringLiteral("打印工时单价"), parent);
    box->setChecked(true);
    return box;
}

} // namespace workshop
