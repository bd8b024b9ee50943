#include "workshop/forms/repairorderform.h"
#include "workshop/forms/notepreview.h"
#include "workshop/forms/optionaldatebox.h"
#include "workshop/workshoperror.h"
#include "shell/common/database.h"
#include "shell/common/datebox.h"
#include "shell/common/enterchain.h"
#include "shell/common/linemodel.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "store/displayformat.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace workshop {

namespace {
constexpr int kCompletionDays = 3;
} // namespace

TEnterProduNoteForm::TEnterProduNoteForm(QWidget *parent) : NoteEntryForm(parent, QStringLiteral("托修单"))
{
    resize(980, 700);
    auto *layout = new QVBoxLayout(body());

    createNumberBox();
    createPlateBox();
    m_received = new shell::DateBox(shell::DateBox::Single, 0, this);
    // Left empty, the expected completion takes today plus three days.
    m_expected = new shell::DateBox(shell::DateBox::From, -kCompletionDays, this);
    createVehicleBoxes();
    m_status = staffBox();
    m_status->addItems(vehicleStatusWords());
    m_inspection = textBox(100);
    createTotalBoxes();
    m_nextService = new OptionalDateBox(this);
    createRemarkBox();
    m_adviser = staffBox();
    m_technician = staffBox();
    m_inspector = staffBox();
    m_signature = textBox(12);

    m_input = new QWidget(body());
    auto *top = new QGridLayout(m_input);
    top->setContentsMargins(0, 0, 0, 0);
    place(top, 0, 0, QStringLiteral("托修单号："), m_number);
    place(top, 0, 2, QStringLiteral("车牌号码"), m_plate);
    place(top, 0, 4, QStringLiteral("接车时间"), m_received);
    place(top, 0, 6, QStringLiteral("预计完工时间"), m_expected);
    place(top, 1, 0, QStringLiteral("车型"), m_model);
    place(top, 1, 2, QStringLiteral("颜色"), m_colour);
    place(top, 1, 4, QStringLiteral("VIN码"), m_vin);
    place(top, 1, 6, QStringLiteral("发动机码"), m_engine);
    place(top, 2, 0, QStringLiteral("接车里程"), m_mileage);
    place(top, 2, 2, QStringLiteral("车主"), m_owner);
    place(top, 2, 4, QStringLiteral("联系人"), m_contact);
    place(top, 2, 6, QStringLiteral("联系电话"), m_phone);
    place(top, 3, 0, QStringLiteral("手机"), m_mobile);
    place(top, 3, 2, QStringLiteral("地址"), m_address, 3);
    place(top, 3, 6, QStringLiteral("邮编"), m_postcode);
    place(top, 4, 0, QStringLiteral("传真"), m_fax);
    place(top, 4, 2, QStringLiteral("车辆状态"), m_status);
    place(top, 4, 4, QStringLiteral("接车前检查："), m_inspection, 3);
    layout->addWidget(m_input);

    createLineGrid(layout, new shell::LineModel(noteLineFields(false)), false);

    m_bottom = new QWidget(body());
    auto *bottom = new QGridLayout(m_bottom);
    bottom->setContentsMargins(0, 0, 0, 0);
    placeTotals(bottom);
    place(bottom, 0, 6, QStringLiteral("下次保养时间"), m_nextService);
    place(bottom, 1, 0, QStringLiteral("备注："), m_remark, 7);
    place(bottom, 2, 0, QStringLiteral("业务接待"), m_adviser);
    place(bottom, 2, 2, QStringLiteral("维修技师"), m_technician);
    place(bottom, 2, 4, QStringLiteral("质检员"), m_inspector);
    place(bottom, 2, 6, QStringLiteral("客户签名"), m_signature);
    layout->addWidget(m_bottom);

    createButtons();
    setEnterChain({m_received, m_expected, m_model, m_colour, m_vin, m_engine, m_mileage, m_owner, m_contact, m_phone,
                   m_mobile, m_address, m_postcode, m_fax, m_inspection, m_rate, m_remark},
                  m_save);
    (new shell::EnterChain(this))->setChain({m_plate}, m_colour);
    (new shell::EnterChain(this))->setChain({m_nextService}, m_model);
    connect(this, &NoteEntryForm::noteSaved, this, &TEnterProduNoteForm::orderSaved);

    m_received->setDate(QDate::currentDate());
    m_expected->setDate(QDate::currentDate().addDays(kCompletionDays));
    offerStaff({m_adviser, m_technician, m_inspector});
    showEmpty();
}

void TEnterProduNoteForm::clearBoxes()
{
    clearVehicleBoxes();
    m_inspection->clear();
    m_signature->clear();
    m_adviser->setEditText(shell::currentOperator().name);
    m_technician->setEditText(QString());
    m_inspector->setEditText(QString());
    m_received->setDate(QDate::currentDate());
    m_expected->setDate(QDate::currentDate().addDays(kCompletionDays));
}

QString TEnterProduNoteForm::beginNote()
{
    return beginRepairOrder(shell::database(), shell::currentOperator().department);
}

void TEnterProduNoteForm::noteBegun()
{
    m_newCustomer = false;
    m_plate->setText(platePrefix());
    m_plate->setFocus(Qt::OtherFocusReason);
}

void TEnterProduNoteForm::abandonNote(const QString &number)
{
    abandonRepairOrder(shell::database(), number);
}

std::optional<QString> TEnterProduNoteForm::showSavedNote(const QString &number)
{
    const std::optional<RepairOrder> order = loadRepairOrder(shell::database(), number);
    if (!order)
        return std::nullopt;
    showOrder(*order);
    m_newCustomer = false;
    return order->plate;
}

void TEnterProduNoteForm::showOrder(const RepairOrder &o)
{
    m_number->setText(o.number);
    showVehicle(o);
    m_received->setDate(o.received);
    m_expected->setDate(o.expectedCompletion);
    m_status->setEditText(o.status);
    m_inspection->setText(o.inspection);
    m_rate->setText(store::formatNumber(o.surchargeRate, QStringLiteral("###.##")));
    m_remark->setText(o.remark);
    m_adviser->setEditText(o.adviser);
    m_technician->setEditText(o.technician);
    m_inspector->setEditText(o.inspector);
    m_signature->setText(o.customerSignature);
    setNoteLines(*m_lines, o.lines);
}

void TEnterProduNoteForm::plateLookedUp(bool found)
{
    m_newCustomer = !found;
    if (found)
        m_inspection->setFocus(Qt::OtherFocusReason);
}

RepairOrder TEnterProduNoteForm::orderFromBoxes() const
{
    RepairOrder o;
    o.number = m_number->text();
    o.department = shell::currentOperator().department;
    o.received = m_received->date();
    o.expectedCompletion = m_expected->date();
    readVehicle(o);
    o.inspection = m_inspection->text();
    o.surchargeRate = parseRate(m_rate->text());
    o.status = m_status->currentText();
    o.remark = m_remark->text();
    o.adviser = m_adviser->currentText();
    o.technician = m_technician->currentText();
    o.inspector = m_inspector->currentText();
    o.customerSignature = m_signature->text();
    o.lines = noteLinesOf(*m_lines);
    return o;
}

QWidget *TEnterProduNoteForm::boxNamed(const QString &label) const
{
    if (label == QStringLiteral("预计完工时间"))
        return m_expected;
    return NoteEntryForm::boxNamed(label);
}

void TEnterProduNoteForm::checkNote()
{
    checkRepairOrder(orderFromBoxes());
}

void TEnterProduNoteForm::storeNote()
{
    SaveOptions options;
    options.mode = m_mode;
    options.who = shell::currentOperator();
    if (m_nextService->date().isValid())
        options.nextServiceDate = m_nextService->date();
    saveRepairOrder(shell::database(), orderFromBoxes(), options);
}

void TEnterProduNoteForm::saveRefused(const WorkshopError &e)
{
    shell::Messages::warning(this, e.message());
}

void TEnterProduNoteForm::printNote()
{
    previewRepairOrder(this, m_number->text());
}

} // namespace workshop
