#include "workshop/settlements/settlementform.h"
#include "workshop/forms/notepreview.h"
#include "workshop/settlements/settlementchoices.h"
#include "workshop/settlements/settlementlines.h"
#include "shell/common/database.h"
#include "shell/common/datebox.h"
#include "shell/common/enterchain.h"
#include "shell/common/linemodel.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "store/displayformat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace workshop {

TEnterPayNoteForm::TEnterPayNoteForm(QWidget *parent) : NoteEntryForm(parent, QStringLiteral("结算单"))
{
    resize(1000, 700);
    auto *layout = new QVBoxLayout(body());

    createNumberBox();
    m_repairOrder = textBox(12);
    m_repairOrder->setReadOnly(true);
    m_received = new shell::DateBox(shell::DateBox::Single, 0, this);
    m_completed = new shell::DateBox(shell::DateBox::Single, 0, this);
    m_due = new shell::DateBox(shell::DateBox::Single, 0, this);
    createPlateBox();
    createVehicleBoxes();
    createTotalBoxes();
    createRemarkBox();
    m_clerk = staffBox();
    m_inspector = staffBox();
    m_payment = createPaymentChoice(this);
    m_printRate = createPrintRateBox(this);

    m_input = new QWidget(body());
    auto *top = new QGridLayout(m_input);
    top->setContentsMargins(0, 0, 0, 0);
    place(top, 0, 0, QStringLiteral("结算单号："), m_number);
    place(top, 0, 2, QStringLiteral("对应托修单号"), m_repairOrder);
    place(top, 0, 4, QStringLiteral("接车时间"), m_received);
    place(top, 0, 6, QStringLiteral("完工时间"), m_completed);
    place(top, 1, 0, QStringLiteral("应结算时间"), m_due);
    place(top, 1, 2, QStringLiteral("车牌号码"), m_plate);
    place(top, 1, 4, QStringLiteral("车型"), m_model);
    place(top, 1, 6, QStringLiteral("颜色"), m_colour);
    place(top, 2, 0, QStringLiteral("VIN码"), m_vin);
    place(top, 2, 2, QStringLiteral("发动机码"), m_engine);
    place(top, 2, 4, QStringLiteral("接车里程"), m_mileage);
    place(top, 2, 6, QStringLiteral("车主"), m_owner);
    place(top, 3, 0, QStringLiteral("联系人"), m_contact);
    place(top, 3, 2, QStringLiteral("联系电话"), m_phone);
    place(top, 3, 4, QStringLiteral("手机"), m_mobile);
    place(top, 3, 6, QStringLiteral("邮编"), m_postcode);
    place(top, 4, 0, QStringLiteral("地址"), m_address, 5);
    place(top, 4, 6, QStringLiteral("传真"), m_fax);
    layout->addWidget(m_input);

    createLineGrid(layout, new SettlementLineModel, true);

    m_bottom = new QWidget(body());
    auto *bottom = new QGridLayout(m_bottom);
    bottom->setContentsMargins(0, 0, 0, 0);
    placeTotals(bottom);
    auto *paymentRow = new QHBoxLayout;
    paymentRow->addWidget(m_payment.cash);
    paymentRow->addWidget(m_payment.onAccount);
    bottom->addLayout(paymentRow, 0, 6, 1, 2);
    place(bottom, 1, 0, QStringLiteral("备注："), m_remark, 7);
    place(bottom, 2, 0, QStringLiteral("结算员"), m_clerk);
    place(bottom, 2, 2, QStringLiteral("总质检员"), m_inspector);
    bottom->addWidget(m_printRate, 2, 6, 1, 2);
    layout->addWidget(m_bottom);

    createButtons();
    setEnterChain({m_plate, m_model, m_colour, m_vin, m_engine, m_mileage, m_owner, m_contact, m_phone, m_mobile,
                   m_address, m_postcode, m_fax, m_rate, m_remark},
                  m_save);
    (new shell::EnterChain(this))->setChain({m_received, m_completed}, m_model);
    (new shell::EnterChain(this))->setChain({m_due}, m_model);
    connect(m_repairOrder, &QLineEdit::returnPressed, this, &TEnterPayNoteForm::loadRepairOrder);
    connect(this, &NoteEntryForm::noteSaved, this, &TEnterPayNoteForm::settlementSaved);

    for (shell::DateBox *date : {m_received, m_completed, m_due})
        date->setDate(QDate::currentDate());
    offerStaff({m_clerk, m_inspector});
    showEmpty();
}

void TEnterPayNoteForm::setInputEnabled(bool enabled)
{
    NoteEntryForm::setInputEnabled(enabled);
    // The repair order is chosen only while a new settlement is open.
    m_repairOrder->setReadOnly(!(enabled && m_mode == SaveMode::New));
}

void TEnterPayNoteForm::clearBoxes()
{
    clearVehicleBoxes();
    m_repairOrder->clear();
    m_technician.clear();
    m_customerSignature.clear();
    m_clerk->setEditText(shell::currentOperator().name);
    m_inspector->setEditText(QString());
    for (shell::DateBox *date : {m_received, m_completed, m_due})
        date->setDate(QDate::currentDate());
}

QWidget *TEnterPayNoteForm::boxNamed(const QString &label) const
{
    if (label == QStringLiteral("完工时间"))
        return m_completed;
    if (label == QStringLiteral("对应托修单号"))
        return m_repairOrder;
    return NoteEntryForm::boxNamed(label);
}

QString TEnterPayNoteForm::beginNote()
{
    return beginSettlement(shell::database(), shell::currentOperator().department);
}

void TEnterPayNoteForm::noteBegun()
{
    m_repairOrder->setFocus(Qt::OtherFocusReason);
}

void TEnterPayNoteForm::abandonNote(const QString &number)
{
    abandonSettlement(shell::database(), number);
}

std::optional<QString> TEnterPayNoteForm::showSavedNote(const QString &number)
{
    const std::optional<Settlement> settlement = loadSettlement(shell::database(), number);
    if (!settlement)
        return std::nullopt;
    showSettlement(*settlement);
    return settlement->plate;
}

// What a settlement takes from its repair order (and shows again when loaded).
void TEnterPayNoteForm::showBill(const Settlement &s)
{
    m_repairOrder->setText(s.repairOrder);
    showVehicle(s);
    m_rate->setText(store::formatNumber(s.surchargeRate, QStringLiteral("###.##")));
    m_remark->setText(s.remark);
    m_technician = s.technician;
    m_received->setDate(s.received);
    setNoteLines(*m_lines, s.lines);
}

void TEnterPayNoteForm::showSettlement(const Settlement &s)
{
    m_number->setText(s.number);
    showBill(s);
    m_completed->setDate(s.completed);
    m_due->setDate(s.due);
    m_clerk->setEditText(s.clerk);
    m_inspector->setEditText(s.chiefInspector);
    m_customerSignature = s.customerSignature;
    m_payment.show(s.payment);
}

void TEnterPayNoteForm::loadRepairOrder()
{
    if (!m_editing || m_mode != SaveMode::New)
        return;
    const QString number = m_repairOrder->text().trimmed();
    Settlement s = settlementFromBoxes();
    if (number.isEmpty())
        return;
    try {
        fillFromRepairOrder(s, repairOrderToSettle(shell::database(), number, m_number->text()));
    } catch (const WorkshopError &e) {
        refuse(e);
        return;
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    showBill(s);
    m_lookedUpPlate = s.plate;
    m_completed->setFocus(Qt::OtherFocusReason);
}

void TEnterPayNoteForm::plateLookedUp(bool found)
{
    if (found && !m_repairOrder->isReadOnly())
        m_repairOrder->setFocus(Qt::OtherFocusReason);
}

Settlement TEnterPayNoteForm::settlementFromBoxes() const
{
    Settlement s;
    s.number = m_number->text();
    s.repairOrder = m_repairOrder->text().trimmed();
    s.received = m_received->date();
    s.completed = m_completed->date();
    s.due = m_due->date();
    readVehicle(s);
    s.surchargeRate = parseRate(m_rate->text());
    s.payment = m_payment.kind();
    s.remark = m_remark->text();
    s.clerk = m_clerk->currentText();
    s.technician = m_technician;
    s.chiefInspector = m_inspector->currentText();
    s.customerSignature = m_customerSignature;
    s.lines = noteLinesOf(*m_lines);
    return s;
}

void TEnterPayNoteForm::checkNote()
{
    checkSettlement(settlementFromBoxes());
}

void TEnterPayNoteForm::storeNote()
{
    SettlementSaveOptions options;
    options.mode = m_mode;
    options.who = shell::currentOperator();
    saveSettlement(shell::database(), settlementFromBoxes(), options);
}

void TEnterPayNoteForm::printNote()
{
    previewSettlement(this, m_number->text(), m_printRate->isChecked());
}

} // namespace workshop
