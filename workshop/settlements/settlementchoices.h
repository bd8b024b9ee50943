#pragma once
// The choices the settlement entry and display forms both offer: the payment ("现金",
// "记帐") and whether the printout carries the labour rate ("打印工时单价").

#include "workshop/settlements/settlements.h"

class QCheckBox;
class QRadioButton;
class QWidget;

namespace workshop {

struct PaymentChoice {
    QRadioButton *cash = nullptr;
    QRadioButton *onAccount = nullptr;

    PaymentKind kind() const;
    void show(PaymentKind kind);
};

// "现金" (checked) and "记帐", one exclusive group.
PaymentChoice createPaymentChoice(QWidget *parent);
// "打印工时单价", checked.
QCheckBox *createPrintRateBox(QWidget *parent);

} // namespace workshop
