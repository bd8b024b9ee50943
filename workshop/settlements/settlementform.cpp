#include "workshop/settlements/settlementform.h"
#include "workshop/forms/materialpickerform.h"
#include "workshop/settlements/settlementlines.h"
#include "customers/customerrecords.h"
#include "print/layouts/settlement.h"
#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/datebox.h"
#include "shell/common/enterchain.h"
#include "shell/common/gridview.h"
#include "shell/common/linemodel.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "shell/common/textrules.h"
#include "store/displayformat.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace workshop {

namespace {
const QString kTitleNew = QStringLiteral("结算单录入");
const QString kTitleModify = QStringLiteral("结算单修改");

QString prefix()
{
    return shell::currentOperator().platePrefix;
}
} // namespace

QLineEdit *TEnterPayNoteForm::textBox(int gbkBytes)
{
    auto *box = new QLineEdit(this);
    if (gbkBytes > 0)
        shell::limitGbkBytes(box, gbkBytes);
    return box;
}

QComboBox *TEnterPayNoteForm::staffBox()
{
    auto *box = new QComboBox(this);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

TEnterPayNoteForm::TEnterPayNoteForm(QWidget *parent) : FunctionForm(parent, kTitleNew)
{
    resize(1000, 700);
    auto *layout = new QVBoxLayout(body());

    m_number = textBox(0);
    m_number->setReadOnly(true);
    m_repairOrder = textBox(12);
    m_repairOrder->setReadOnly(true);
    m_received = new shell::DateBox(shell::DateBox::Single, 0, this);
    m_completed = new shell::DateBox(shell::DateBox::Single, 0, this);
    m_due = new shell::DateBox(shell::DateBox::Single, 0, this);
    m_plate = textBox(30);
    shell::makeUpperCase(m_plate);
    m_model = textBox(50);
    m_colour = textBox(12);
    m_vin = textBox(24);
    m_engine = textBox(24);
    m_mileage = textBox(6);
    shell::makeDigitsOnly(m_mileage);
    m_owner = textBox(50);
    m_contact = textBox(20);
    m_phone = textBox(24);
    m_mobile = textBox(12);
    m_address = textBox(100);
    m_postcode = textBox(6);
    m_fax = textBox(12);

    m_rate = textBox(12);
    shell::makeDigitsOnly(m_rate);
    m_rate->setText(QStringLiteral("0"));
    m_surcharge = textBox(0);
    m_surcharge->setReadOnly(true);
    m_total = textBox(0);
    m_total->setReadOnly(true);
    m_remark = textBox(100);
    m_clerk = staffBox();
    m_inspector = staffBox();
    m_cash = new QRadioButton(QStringLiteral("现金"), this);
    m_onAccount = new QRadioButton(QStringLiteral("记帐"), this);
    auto *payment = new QButtonGroup(this);
    payment->addButton(m_cash);
    payment->addButton(m_onAccount);
    m_cash->setChecked(true);
    m_printRate = new QCheckBox(QStringLiteral("打印工时单价"), this);
    m_printRate->setChecked(true);

    const auto place = [this](QGridLayout *grid, int row, int column, const QString &text, QWidget *box, int span = 1) {
        auto *label = new QLabel(text, this);
        label->setBuddy(box);
        grid->addWidget(label, row, column);
        grid->addWidget(box, row, column + 1, 1, span);
    };

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

    m_lines = new SettlementLineModel(this);
    m_grid = new shell::DataGrid(body());
    m_grid->setAccessibleName(QStringLiteral("维修项目和材料"));
    m_grid->setModel(m_lines);
    setUpNoteLineGrid(m_grid, true);
    layout->addWidget(m_grid, 1);

    m_bottom = new QWidget(body());
    auto *bottom = new QGridLayout(m_bottom);
    bottom->setContentsMargins(0, 0, 0, 0);
    auto *rateRow = new QHBoxLayout;
    rateRow->addWidget(m_rate);
    rateRow->addWidget(new QLabel(QStringLiteral("%"), this));
    auto *rateLabel = new QLabel(QStringLiteral("附加费率"), this);
    rateLabel->setBuddy(m_rate);
    bottom->addWidget(rateLabel, 0, 0);
    bottom->addLayout(rateRow, 0, 1);
    place(bottom, 0, 2, QStringLiteral("材料附加管理费"), m_surcharge);
    place(bottom, 0, 4, QStringLiteral("整单金额合计"), m_total);
    auto *paymentRow = new QHBoxLayout;
    paymentRow->addWidget(m_cash);
    paymentRow->addWidget(m_onAccount);
    bottom->addLayout(paymentRow, 0, 6, 1, 2);
    place(bottom, 1, 0, QStringLiteral("备注："), m_remark, 7);
    place(bottom, 2, 0, QStringLiteral("结算员"), m_clerk);
    place(bottom, 2, 2, QStringLiteral("总质检员"), m_inspector);
    bottom->addWidget(m_printRate, 2, 6, 1, 2);
    layout->addWidget(m_bottom);

    m_new = addButton(QStringLiteral("新增"), QStringLiteral("按下本按钮将新建结算单!"));
    m_print = addButton(QStringLiteral("打印"), QStringLiteral("按下本按钮将打印结算单!"));
    m_deleteLine = addButton(QStringLiteral("删除一行"), QStringLiteral("按下本按钮将删除一行维修单项目或材料。"));
    m_save = addButton(QStringLiteral("保存"), QStringLiteral("按下本按钮将保存结算单!"));
    addExitButton(QStringLiteral("按下本按钮将退出!"));
    setHint(m_grid, QStringLiteral("双击表格选择维修项目和材料!"));
    setStatusBarHint(QStringLiteral("操作提示信息显示栏。"));

    setEnterChain({m_plate, m_model, m_colour, m_vin, m_engine, m_mileage, m_owner, m_contact, m_phone, m_mobile,
                   m_address, m_postcode, m_fax, m_rate, m_remark},
                  m_save);
    (new shell::EnterChain(this))->setChain({m_received, m_completed}, m_model);
    (new shell::EnterChain(this))->setChain({m_due}, m_model);

    connect(m_new, &QPushButton::clicked, this, &TEnterPayNoteForm::newClicked);
    connect(m_print, &QPushButton::clicked, this, &TEnterPayNoteForm::printClicked);
    connect(m_deleteLine, &QPushButton::clicked, this, &TEnterPayNoteForm::deleteLineClicked);
    connect(m_save, &QPushButton::clicked, this, &TEnterPayNoteForm::saveClicked);
    connect(m_repairOrder, &QLineEdit::returnPressed, this, &TEnterPayNoteForm::loadRepairOrder);
    connect(m_lines, &shell::LineModel::linesChanged, this, &TEnterPayNoteForm::recomputeTotals);
    connect(m_rate, &QLineEdit::textChanged, this, &TEnterPayNoteForm::rateChanged);
    // A double-click anywhere in the grid, on a row or below the last one, opens the picker.
    connect(m_grid->view(), &QAbstractItemView::doubleClicked, this, &TEnterPayNoteForm::openPicker);
    m_grid->view()->viewport()->installEventFilter(this);
    m_grid->view()->installEventFilter(this);
    m_plate->installEventFilter(this);

    for (shell::DateBox *date : {m_received, m_completed, m_due})
        date->setDate(QDate::currentDate());
    try {
        const QStringList staff = employeeNames(shell::database());
        for (QComboBox *box : {m_clerk, m_inspector}) {
            box->addItems(staff);
            box->setEditText(QString());
        }
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
    recomputeTotals();
    setInputEnabled(false);
}

QString TEnterPayNoteForm::noteNumber() const
{
    return m_number->text();
}

QString TEnterPayNoteForm::surchargeText() const
{
    return m_surcharge->text();
}

QString TEnterPayNoteForm::totalText() const
{
    return m_total->text();
}

void TEnterPayNoteForm::setInputEnabled(bool enabled)
{
    m_input->setEnabled(enabled);
    m_bottom->setEnabled(enabled);
    m_grid->setReadOnly(!enabled);
    if (enabled)
        m_grid->view()->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                                        | QAbstractItemView::SelectedClicked);
    m_deleteLine->setEnabled(enabled);
    m_save->setEnabled(enabled);
    // The repair order is chosen only while a new settlement is open.
    m_repairOrder->setReadOnly(!(enabled && m_mode == SaveMode::New));
}

void TEnterPayNoteForm::clearBoxes()
{
    for (QLineEdit *box : {m_repairOrder, m_plate, m_model, m_colour, m_vin, m_engine, m_owner, m_contact, m_phone,
                           m_mobile, m_address, m_postcode, m_fax, m_remark})
        box->clear();
    m_mileage->setText(QStringLiteral("0"));
    m_technician.clear();
    m_customerSignature.clear();
    m_clerk->setEditText(shell::currentOperator().name);
    m_inspector->setEditText(QString());
    m_lines->clear();
    for (shell::DateBox *date : {m_received, m_completed, m_due})
        date->setDate(QDate::currentDate());
}

void TEnterPayNoteForm::refuse(const WorkshopError &e)
{
    if (const auto *settled = dynamic_cast<const AlreadySettled *>(&e))
        shell::Messages::info(this, settled->message(), AlreadySettled::caption());
    else
        shell::Messages::info(this, e.message());
    QWidget *box = nullptr;
    if (e.box() == QStringLiteral("车牌号码"))
        box = m_plate;
    else if (e.box() == QStringLiteral("完工时间"))
        box = m_completed;
    else if (e.box() == QStringLiteral("对应托修单号"))
        box = m_repairOrder;
    if (box)
        box->setFocus(Qt::OtherFocusReason);
}

void TEnterPayNoteForm::newClicked()
{
    if (m_editing) {
        shell::Messages::info(this, QStringLiteral("您已经创建了一张新的结算单,请先完成保存本单再进行新增!"));
        return;
    }
    QString number;
    try {
        number = beginSettlement(shell::database(), shell::currentOperator().department);
    } catch (const WorkshopError &e) {
        shell::Messages::warning(this, e.message());
        return;
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    m_editing = true;
    m_saved = false;
    m_lookedUpPlate.clear();
    setInputEnabled(true);
    clearBoxes();
    m_number->setText(number);
    m_repairOrder->setFocus(Qt::OtherFocusReason);
}

bool TEnterPayNoteForm::openForModification(const QString &number)
{
    m_mode = SaveMode::Modify;
    setTitle(kTitleModify);
    m_new->hide();
    std::optional<Settlement> settlement;
    try {
        settlement = loadSettlement(shell::database(), number);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return false;
    }
    if (!settlement) {
        shell::Messages::warning(this, QStringLiteral("没有找到结算单%1,该结算单可能已经被删除!").arg(number));
        return false;
    }
    showSettlement(*settlement);
    m_editing = true;
    m_saved = false;
    m_lookedUpPlate = settlement->plate;
    setInputEnabled(true);
    return true;
}

void TEnterPayNoteForm::showVehicle(const Settlement &s)
{
    m_repairOrder->setText(s.repairOrder);
    m_plate->setText(s.plate);
    m_model->setText(s.model);
    m_colour->setText(s.colour);
    m_vin->setText(s.vin);
    m_engine->setText(s.engineNo);
    m_mileage->setText(QString::number(s.mileage));
    m_owner->setText(s.owner);
    m_contact->setText(s.contact);
    m_phone->setText(s.phone);
    m_mobile->setText(s.mobile);
    m_address->setText(s.address);
    m_postcode->setText(s.postcode);
    m_fax->setText(s.fax);
    m_rate->setText(store::formatNumber(s.surchargeRate, QStringLiteral("###.##")));
    m_remark->setText(s.remark);
    m_technician = s.technician;
    m_received->setDate(s.received);
    setNoteLines(*m_lines, s.lines);
}

void TEnterPayNoteForm::showSettlement(const Settlement &s)
{
    m_number->setText(s.number);
    showVehicle(s);
    m_completed->setDate(s.completed);
    m_due->setDate(s.due);
    m_clerk->setEditText(s.clerk);
    m_inspector->setEditText(s.chiefInspector);
    m_customerSignature = s.customerSignature;
    (s.payment == PaymentKind::OnAccount ? m_onAccount : m_cash)->setChecked(true);
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
    showVehicle(s);
    m_lookedUpPlate = s.plate;
    m_completed->setFocus(Qt::OtherFocusReason);
}

void TEnterPayNoteForm::plateLeft()
{
    const QString plate = m_plate->text().trimmed();
    // Only a typed plate is looked up, and only once: a second look-up would overwrite
    // what the clerk has corrected in the owner and vehicle boxes since.
    if (!m_editing || plate.isEmpty() || plate == prefix() || plate == m_lookedUpPlate)
        return;
    m_lookedUpPlate = plate;
    std::optional<customers::VehicleOwner> found;
    try {
        found = customers::findByPlate(shell::database(), plate);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    if (!found) {
        shell::Messages::info(this, QStringLiteral("该车辆信息还没有录入过,请录入详细客户信息!谢谢!"));
        m_model->setFocus(Qt::OtherFocusReason);
        return;
    }
    m_model->setText(found->model);
    m_colour->setText(found->colour);
    m_vin->setText(found->vin);
    m_engine->setText(found->engineNo);
    m_mileage->setText(QString::number(found->mileage));
    m_owner->setText(found->owner);
    m_contact->setText(found->contact);
    m_phone->setText(found->phone);
    m_mobile->setText(found->mobile);
    m_address->setText(found->address);
    m_postcode->setText(found->postcode);
    m_fax->setText(found->fax);
    if (!m_repairOrder->isReadOnly())
        m_repairOrder->setFocus(Qt::OtherFocusReason);
}

void TEnterPayNoteForm::plateEntered()
{
    // The prefix goes only into an empty box: a typed plate stays when the clerk clicks back.
    if (m_plate->text().isEmpty())
        m_plate->setText(prefix());
}

void TEnterPayNoteForm::rateChanged()
{
    if (m_rate->text().isEmpty()) {
        m_rate->setText(QStringLiteral("0"));   // comes back here once more
        return;
    }
    recomputeTotals();
}

void TEnterPayNoteForm::recomputeTotals()
{
    const NoteTotals t = noteTotals(noteLinesOf(*m_lines), parseRate(m_rate->text()));
    m_surcharge->setText(t.surcharge.toString2());
    m_total->setText(t.total.toString2());
}

Settlement TEnterPayNoteForm::settlementFromBoxes() const
{
    Settlement s;
    s.number = m_number->text();
    s.repairOrder = m_repairOrder->text().trimmed();
    s.received = m_received->date();
    s.completed = m_completed->date();
    s.due = m_due->date();
    s.plate = m_plate->text().trimmed();
    s.model = m_model->text();
    s.colour = m_colour->text();
    s.vin = m_vin->text();
    s.engineNo = m_engine->text();
    s.mileage = m_mileage->text().trimmed().toInt();
    s.owner = m_owner->text();
    s.contact = m_contact->text();
    s.phone = m_phone->text();
    s.mobile = m_mobile->text();
    s.address = m_address->text();
    s.postcode = m_postcode->text();
    s.fax = m_fax->text();
    s.surchargeRate = parseRate(m_rate->text());
    s.payment = m_onAccount->isChecked() ? PaymentKind::OnAccount : PaymentKind::Cash;
    s.remark = m_remark->text();
    s.clerk = m_clerk->currentText();
    s.technician = m_technician;
    s.chiefInspector = m_inspector->currentText();
    s.customerSignature = m_customerSignature;
    s.lines = noteLinesOf(*m_lines);
    return s;
}

void TEnterPayNoteForm::saveClicked()
{
    if (!m_editing) {
        shell::Messages::info(this, QStringLiteral("请先新建一张结算单，填写完成项目后再保存!"));
        return;
    }
    // Leaving the plate box runs a pending look-up first; leaving the grid posts its cell.
    m_remark->setFocus(Qt::OtherFocusReason);
    plateLeft();
    const Settlement s = settlementFromBoxes();
    try {
        checkSettlement(s);
    } catch (const WorkshopError &e) {
        refuse(e);
        return;
    }
    bool ok = true;
    if (const QString mileage = m_mileage->text().trimmed(); !mileage.isEmpty())
        mileage.toInt(&ok);
    if (!ok) {
        shell::Messages::info(this, QStringLiteral("接车里程必须是整数,请重新输入!"));
        m_mileage->setFocus(Qt::OtherFocusReason);
        return;
    }
    parseRate(m_rate->text(), &ok);
    if (!ok) {
        shell::Messages::info(this, QStringLiteral("附加费率必须是数字,请重新输入!"));
        m_rate->setFocus(Qt::OtherFocusReason);
        return;
    }
    recomputeTotals();

    SettlementSaveOptions options;
    options.mode = m_mode;
    options.who = shell::currentOperator();
    try {
        saveSettlement(shell::database(), s, options);
    } catch (const WorkshopError &e) {
        refuse(e);
        return;
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    m_saved = true;
    m_editing = false;
    setInputEnabled(false);
    shell::Messages::info(this, QStringLiteral("结算单保存成功!现在可以打印结算单!!"));
    showStatus(QStringLiteral("结算单保存成功!现在可以继续输入其它结算单!"));
    emit settlementSaved(s.number);
}

void TEnterPayNoteForm::printClicked()
{
    if (!m_saved) {
        shell::Messages::info(this, QStringLiteral("请先保存结算单再按打印，谢谢合作！"));
        return;
    }
    if (m_number->text().isEmpty()) {
        shell::Messages::info(this, QStringLiteral("没有可以打印的结算单，请查清楚！"));
        return;
    }
    try {
        const bool withRate = m_printRate->isChecked();
        const print::PageModel pages =
            settlementPages(shell::database(), m_number->text(), shell::currentOperator().department, withRate);
        if (withRate)
            print::TPrintPayNote1Form::preview(pages, this);
        else
            print::TPrintPayNoteForm::preview(pages, this);
    } catch (const WorkshopError &e) {
        shell::Messages::info(this, e.message());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TEnterPayNoteForm::deleteLineClicked()
{
    if (!m_editing)
        return;
    if (m_lines->lineCount() == 0) {
        shell::Messages::info(this, QStringLiteral("没有维修项目和材料可以删除,请查清楚!"));
        return;
    }
    const int row = m_grid->currentRow();
    m_lines->removeLine(row >= 0 ? row : m_lines->lineCount() - 1);
    showStatus(QStringLiteral("您已经删除一个托修项目及材料!"));
}

void TEnterPayNoteForm::openPicker()
{
    if (!m_editing) {
        shell::Messages::info(this, QStringLiteral("请先创建一张新结算单，然后再输入维修项目和材料费用!"));
        return;
    }
    auto *picker = new TListInforToProNoteForm(this);
    picker->setCallerTag(QStringLiteral("结算单录入"));
    picker->setWarehouse(shell::currentOperator().department);
    picker->setNoteNumber(m_number->text());
    picker->exec();
}

void TEnterPayNoteForm::receiveLine(const NoteLine &line)
{
    const int row = m_lines->appendLine(line.toMap());
    m_grid->setCurrentRow(row);
}

bool TEnterPayNoteForm::canLeave()
{
    if (m_saved)
        return true;
    if (!shell::Messages::question(this, QStringLiteral("数据还没有保存,真的要退出吗？")))
        return false;
    if (m_mode == SaveMode::New && !m_number->text().isEmpty()) {
        try {
            abandonSettlement(shell::database(), m_number->text());
        } catch (const store::DbError &e) {
            shell::Messages::error(this, e.message());
            return false;
        }
    }
    return true;
}

bool TEnterPayNoteForm::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == m_plate) {
        if (type == QEvent::FocusIn) {
            plateEntered();
        } else if (type == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                plateLeft();
        }
    } else if (watched == m_grid->view()->viewport() && type == QEvent::MouseButtonDblClick) {
        // Below the last row: rows themselves report through doubleClicked.
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_grid->view()->indexAt(mouse->position().toPoint()).isValid()) {
            openPicker();
            return true;
        }
    } else if (watched == m_grid->view() && type == QEvent::KeyPress
               && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        deleteLineClicked();
        return true;
    }
    return FunctionForm::eventFilter(watched, event);
}

} // namespace workshop
