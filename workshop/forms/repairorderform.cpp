#include "workshop/forms/repairorderform.h"
#include "workshop/forms/materialpickerform.h"
#include "workshop/forms/optionaldatebox.h"
#include "workshop/repairorderprint.h"
#include "workshop/workshoperror.h"
#include "customers/customerrecords.h"
#include "print/layouts/repairorder.h"
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

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace workshop {

namespace {
const QString kTitleNew = QStringLiteral("托修单录入");
const QString kTitleModify = QStringLiteral("托修单修改");
constexpr int kCompletionDays = 3;

QString prefix()
{
    return shell::currentOperator().platePrefix;
}

void fillStaff(QComboBox *box, const QStringList &names)
{
    box->clear();
    box->addItems(names);
    box->setEditText(QString());
}
} // namespace

QLineEdit *TEnterProduNoteForm::textBox(int gbkBytes)
{
    auto *box = new QLineEdit(this);
    if (gbkBytes > 0)
        shell::limitGbkBytes(box, gbkBytes);
    return box;
}

QComboBox *TEnterProduNoteForm::staffBox()
{
    auto *box = new QComboBox(this);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

TEnterProduNoteForm::TEnterProduNoteForm(QWidget *parent) : FunctionForm(parent, kTitleNew)
{
    resize(980, 700);
    auto *layout = new QVBoxLayout(body());

    m_number = textBox(0);
    m_number->setReadOnly(true);
    m_plate = textBox(30);
    shell::makeUpperCase(m_plate);
    m_received = new shell::DateBox(shell::DateBox::Single, 0, this);
    // Left empty, the expected completion takes today plus three days.
    m_expected = new shell::DateBox(shell::DateBox::From, -kCompletionDays, this);
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
    m_status = new QComboBox(this);
    m_status->setEditable(true);
    m_status->setInsertPolicy(QComboBox::NoInsert);
    m_status->addItems(vehicleStatusWords());
    m_inspection = textBox(100);

    m_rate = textBox(12);
    shell::makeDigitsOnly(m_rate);
    m_rate->setText(QStringLiteral("0"));
    m_surcharge = textBox(0);
    m_surcharge->setReadOnly(true);
    m_total = textBox(0);
    m_total->setReadOnly(true);
    m_nextService = new OptionalDateBox(this);
    m_remark = textBox(100);
    m_adviser = staffBox();
    m_technician = staffBox();
    m_inspector = staffBox();
    m_signature = textBox(12);

    const auto place = [this](QGridLayout *grid, int row, int column, const QString &text, QWidget *box, int span = 1) {
        auto *label = new QLabel(text, this);
        label->setBuddy(box);
        grid->addWidget(label, row, column);
        grid->addWidget(box, row, column + 1, 1, span);
    };

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

    m_lines = new shell::LineModel(noteLineFields(false), this);
    m_grid = new shell::DataGrid(body());
    m_grid->setAccessibleName(QStringLiteral("维修项目和材料"));
    m_grid->setModel(m_lines);
    setUpNoteLineGrid(m_grid, false);
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
    place(bottom, 0, 6, QStringLiteral("下次保养时间"), m_nextService);
    place(bottom, 1, 0, QStringLiteral("备注："), m_remark, 7);
    place(bottom, 2, 0, QStringLiteral("业务接待"), m_adviser);
    place(bottom, 2, 2, QStringLiteral("维修技师"), m_technician);
    place(bottom, 2, 4, QStringLiteral("质检员"), m_inspector);
    place(bottom, 2, 6, QStringLiteral("客户签名"), m_signature);
    layout->addWidget(m_bottom);

    m_new = addButton(QStringLiteral("新增"), QStringLiteral("按下本按钮将新建托修单!"));
    m_print = addButton(QStringLiteral("打印"), QStringLiteral("按下本按钮将打印托修单!"));
    m_deleteLine = addButton(QStringLiteral("删除一行"), QStringLiteral("按下本按钮将删除一行维修单项目或材料。"));
    m_save = addButton(QStringLiteral("保存"), QStringLiteral("按下本按钮将保存托修单!"));
    addExitButton(QStringLiteral("按下本按钮将退出!"));
    setHint(m_grid, QStringLiteral("双击表格选择维修项目和材料!"));
    setStatusBarHint(QStringLiteral("操作提示信息显示栏。"));

    setEnterChain({m_received, m_expected, m_model, m_colour, m_vin, m_engine, m_mileage, m_owner, m_contact, m_phone,
                   m_mobile, m_address, m_postcode, m_fax, m_inspection, m_rate, m_remark},
                  m_save);
    (new shell::EnterChain(this))->setChain({m_plate}, m_colour);
    (new shell::EnterChain(this))->setChain({m_nextService}, m_model);

    connect(m_new, &QPushButton::clicked, this, &TEnterProduNoteForm::newClicked);
    connect(m_print, &QPushButton::clicked, this, &TEnterProduNoteForm::printClicked);
    connect(m_deleteLine, &QPushButton::clicked, this, &TEnterProduNoteForm::deleteLineClicked);
    connect(m_save, &QPushButton::clicked, this, &TEnterProduNoteForm::saveClicked);
    connect(m_lines, &shell::LineModel::linesChanged, this, &TEnterProduNoteForm::recomputeTotals);
    connect(m_rate, &QLineEdit::textChanged, this, &TEnterProduNoteForm::rateChanged);
    // A double-click anywhere in the grid, on a row or below the last one, opens the picker.
    connect(m_grid->view(), &QAbstractItemView::doubleClicked, this, &TEnterProduNoteForm::openPicker);
    m_grid->view()->viewport()->installEventFilter(this);
    m_grid->view()->installEventFilter(this);
    m_plate->installEventFilter(this);

    m_received->setDate(QDate::currentDate());
    m_expected->setDate(QDate::currentDate().addDays(kCompletionDays));
    try {
        const QStringList staff = employeeNames(shell::database());
        for (QComboBox *box : {m_adviser, m_technician, m_inspector})
            fillStaff(box, staff);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
    recomputeTotals();
    setInputEnabled(false);
}

QString TEnterProduNoteForm::noteNumber() const
{
    return m_number->text();
}

QString TEnterProduNoteForm::surchargeText() const
{
    return m_surcharge->text();
}

QString TEnterProduNoteForm::totalText() const
{
    return m_total->text();
}

void TEnterProduNoteForm::setInputEnabled(bool enabled)
{
    m_input->setEnabled(enabled);
    m_bottom->setEnabled(enabled);
    m_grid->setReadOnly(!enabled);
    // A double-click opens the picker; cells are edited by typing into them.
    if (enabled)
        m_grid->view()->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                                        | QAbstractItemView::SelectedClicked);
    m_deleteLine->setEnabled(enabled);
    m_save->setEnabled(enabled);
}

void TEnterProduNoteForm::clearBoxes()
{
    for (QLineEdit *box : {m_plate, m_model, m_colour, m_vin, m_engine, m_owner, m_contact, m_phone, m_mobile,
                           m_address, m_postcode, m_fax, m_inspection, m_remark, m_signature})
        box->clear();
    m_mileage->setText(QStringLiteral("0"));
    m_adviser->setEditText(shell::currentOperator().name);
    m_technician->setEditText(QString());
    m_inspector->setEditText(QString());
    m_lines->clear();
    m_received->setDate(QDate::currentDate());
    m_expected->setDate(QDate::currentDate().addDays(kCompletionDays));
}

void TEnterProduNoteForm::newClicked()
{
    if (m_editing) {
        shell::Messages::info(this, QStringLiteral("您已经创建了一张新的托修单,请先完成保存本单再进行新增!"));
        return;
    }
    QString number;
    try {
        number = beginRepairOrder(shell::database(), shell::currentOperator().department);
    } catch (const WorkshopError &e) {
        shell::Messages::warning(this, e.message());
        return;
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    m_editing = true;
    m_saved = false;
    m_newCustomer = false;
    m_lookedUpPlate.clear();
    setInputEnabled(true);
    clearBoxes();
    m_number->setText(number);
    m_plate->setText(prefix());
    m_plate->setFocus(Qt::OtherFocusReason);
}

bool TEnterProduNoteForm::openForModification(const QString &number)
{
    m_mode = SaveMode::Modify;
    setTitle(kTitleModify);
    m_new->hide();
    std::optional<RepairOrder> order;
    try {
        order = loadRepairOrder(shell::database(), number);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return false;
    }
    if (!order) {
        shell::Messages::warning(this, QStringLiteral("没有找到托修单%1,该托修单可能已经被删除!").arg(number));
        return false;
    }
    showOrder(*order);
    m_editing = true;
    m_saved = false;
    m_newCustomer = false;
    m_lookedUpPlate = order->plate;
    setInputEnabled(true);
    return true;
}

void TEnterProduNoteForm::showOrder(const RepairOrder &o)
{
    m_number->setText(o.number);
    m_plate->setText(o.plate);
    m_received->setDate(o.received);
    m_expected->setDate(o.expectedCompletion);
    m_model->setText(o.model);
    m_colour->setText(o.colour);
    m_vin->setText(o.vin);
    m_engine->setText(o.engineNo);
    m_mileage->setText(QString::number(o.mileage));
    m_owner->setText(o.owner);
    m_contact->setText(o.contact);
    m_phone->setText(o.phone);
    m_mobile->setText(o.mobile);
    m_address->setText(o.address);
    m_postcode->setText(o.postcode);
    m_fax->setText(o.fax);
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

void TEnterProduNoteForm::plateLeft()
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
        m_newCustomer = true;
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
    m_newCustomer = false;
    m_inspection->setFocus(Qt::OtherFocusReason);
}

void TEnterProduNoteForm::plateEntered()
{
    // The prefix goes only into an empty box: a typed plate stays when the clerk clicks back.
    if (m_plate->text().isEmpty())
        m_plate->setText(prefix());
}

void TEnterProduNoteForm::rateChanged()
{
    if (m_rate->text().isEmpty()) {
        m_rate->setText(QStringLiteral("0"));   // comes back here once more
        m_rate->selectAll();                     // the next digit typed replaces it
        return;
    }
    recomputeTotals();
}

void TEnterProduNoteForm::recomputeTotals()
{
    const NoteTotals t = noteTotals(noteLinesOf(*m_lines), parseRate(m_rate->text()));
    m_surcharge->setText(t.surcharge.toString2());
    m_total->setText(t.total.toString2());
}

RepairOrder TEnterProduNoteForm::orderFromBoxes() const
{
    RepairOrder o;
    o.number = m_number->text();
    o.department = shell::currentOperator().department;
    o.received = m_received->date();
    o.expectedCompletion = m_expected->date();
    o.plate = m_plate->text().trimmed();
    o.model = m_model->text();
    o.colour = m_colour->text();
    o.vin = m_vin->text();
    o.engineNo = m_engine->text();
    o.mileage = m_mileage->text().trimmed().toInt();
    o.owner = m_owner->text();
    o.contact = m_contact->text();
    o.phone = m_phone->text();
    o.mobile = m_mobile->text();
    o.address = m_address->text();
    o.postcode = m_postcode->text();
    o.fax = m_fax->text();
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

QWidget *TEnterProduNoteForm::boxForLabel(const QString &label) const
{
    if (label == QStringLiteral("车牌号码"))
        return m_plate;
    if (label == QStringLiteral("预计完工时间"))
        return m_expected;
    return nullptr;
}

void TEnterProduNoteForm::saveClicked()
{
    if (!m_editing) {
        shell::Messages::info(this, QStringLiteral("请先新建一张托修单，填写完成项目后再保存!"));
        return;
    }
    // Leaving the plate box runs a pending look-up first; leaving the grid posts its cell.
    m_remark->setFocus(Qt::OtherFocusReason);
    plateLeft();
    const RepairOrder order = orderFromBoxes();
    try {
        checkRepairOrder(order);
    } catch (const WorkshopError &e) {
        shell::Messages::info(this, e.message());
        if (QWidget *box = boxForLabel(e.box()))
            box->setFocus(Qt::OtherFocusReason);
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

    SaveOptions options;
    options.mode = m_mode;
    options.who = shell::currentOperator();
    if (m_nextService->date().isValid())
        options.nextServiceDate = m_nextService->date();
    try {
        saveRepairOrder(shell::database(), order, options);
    } catch (const WorkshopError &e) {
        shell::Messages::warning(this, e.message());
        return;
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    m_saved = true;
    m_editing = false;
    setInputEnabled(false);
    shell::Messages::info(this, QStringLiteral("托修单保存成功!现在可以打印托修单!!"));
    showStatus(QStringLiteral("托修单保存成功!现在可以继续输入其它托修单!"));
    emit orderSaved(order.number);
}

void TEnterProduNoteForm::printClicked()
{
    if (!m_saved) {
        shell::Messages::info(this, QStringLiteral("请先保存托修单再按打印，谢谢合作！"));
        return;
    }
    if (m_number->text().isEmpty()) {
        shell::Messages::info(this, QStringLiteral("没有可以打印的托修单，请查清楚！"));
        return;
    }
    try {
        print::TPrintProduNoteForm::preview(
            repairOrderPages(shell::database(), m_number->text(), shell::currentOperator().department), this);
    } catch (const WorkshopError &e) {
        shell::Messages::info(this, e.message());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TEnterProduNoteForm::deleteLineClicked()
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

void TEnterProduNoteForm::openPicker()
{
    if (!m_editing) {
        shell::Messages::info(this, QStringLiteral("请先创建一张新托修单，然后再输入维修项目和材料费用!"));
        return;
    }
    auto *picker = new TListInforToProNoteForm(this);
    picker->setCallerTag(QStringLiteral("托修单录入"));
    picker->setWarehouse(shell::currentOperator().department);
    picker->setNoteNumber(m_number->text());
    picker->exec();
}

void TEnterProduNoteForm::receiveLine(const NoteLine &line)
{
    const int row = m_lines->appendLine(line.toMap());
    m_grid->setCurrentRow(row);
}

bool TEnterProduNoteForm::canLeave()
{
    if (m_saved)
        return true;
    if (!shell::Messages::question(this, QStringLiteral("数据还没有保存,真的要退出吗？")))
        return false;
    if (m_mode == SaveMode::New && !m_number->text().isEmpty()) {
        try {
            abandonRepairOrder(shell::database(), m_number->text());
        } catch (const store::DbError &e) {
            shell::Messages::error(this, e.message());
            return false;
        }
    }
    return true;
}

bool TEnterProduNoteForm::eventFilter(QObject *watched, QEvent *event)
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
