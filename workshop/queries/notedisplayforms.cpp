#include "workshop/queries/notedisplayforms.h"
#include "workshop/forms/notelinegrid.h"
#include "workshop/forms/notepreview.h"
#include "workshop/settlements/settlements.h"
#include "workshop/settlements/settlementchoices.h"
#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/linemodel.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "store/displayformat.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace workshop {

namespace {

QString dateText(const QDate &d)
{
    return d.isValid() ? d.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

QString rateText(double rate)
{
    return store::formatNumber(rate, QStringLiteral("###.##"));
}

// The vehicle and owner boxes both displays show, by label.
QList<QPair<const char *, QString>> vehicleTexts(const NoteVehicle &v)
{
    return {{"车牌号码", v.plate}, {"车型", v.model}, {"颜色", v.colour}, {"VIN码", v.vin}, {"发动机码", v.engineNo},
            {"接车里程", QString::number(v.mileage)}, {"车主", v.owner}, {"联系人", v.contact}, {"联系电话", v.phone},
            {"手机", v.mobile}, {"地址", v.address}, {"邮编", v.postcode}, {"传真", v.fax}};
}

} // namespace

NoteDisplayForm::NoteDisplayForm(QWidget *parent, const QString &title, bool withLabourRate)
    : FunctionForm(parent, title)
{
    resize(1000, 660);
    auto *layout = new QVBoxLayout(body());
    m_boxes = new QWidget(body());
    m_top = new QGridLayout(m_boxes);
    m_top->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_boxes);

    m_lines = new shell::LineModel(noteLineFields(withLabourRate), this);
    m_grid = new shell::DataGrid(body());
    m_grid->setAccessibleName(QStringLiteral("维修项目和材料"));
    m_grid->setModel(m_lines);
    setUpNoteLineGrid(m_grid, withLabourRate);
    m_grid->setReadOnly(true);
    layout->addWidget(m_grid, 1);

    auto *bottom = new QWidget(body());
    m_bottom = new QGridLayout(bottom);
    m_bottom->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bottom);
    setStatusBarHint(QStringLiteral("操作提示信息显示栏。"));
}

void NoteDisplayForm::addBox(QGridLayout *grid, int row, int column, const QString &label, int span)
{
    auto *box = new QLineEdit(this);
    box->setReadOnly(true);
    auto *caption = new QLabel(label, this);
    caption->setBuddy(box);
    grid->addWidget(caption, row, column);
    grid->addWidget(box, row, column + 1, 1, span);
    m_byLabel.insert(label, box);
}

void NoteDisplayForm::setBox(const QString &label, const QString &text)
{
    if (QLineEdit *box = m_byLabel.value(label))
        box->setText(text);
}

QString NoteDisplayForm::boxText(const QString &label) const
{
    const QLineEdit *box = m_byLabel.value(label);
    return box ? box->text() : QString();
}

void NoteDisplayForm::showLines(const QList<NoteLine> &lines, double rate)
{
    setNoteLines(*m_lines, lines);
    const NoteTotals t = noteTotals(lines, rate);
    setBox(QStringLiteral("材料附加管理费"), t.surcharge.toString2());
    setBox(QStringLiteral("整单金额合计"), t.total.toString2());
}

// ---- repair order display ----

TShowProduNoteForm::TShowProduNoteForm(QWidget *parent)
    : NoteDisplayForm(parent, QStringLiteral("托修单显示"), false)
{
    const QStringList top{"托修单号：", "车牌号码", "接车时间", "预计完工时间", "车型", "颜色", "VIN码", "发动机码",
                          "接车里程", "车主", "联系人", "联系电话"};
    for (int i = 0; i < top.size(); ++i)
        addBox(m_top, i / 4, (i % 4) * 2, top[i]);
    addBox(m_top, 3, 0, QStringLiteral("手机"));
    addBox(m_top, 3, 2, QStringLiteral("地址"), 3);
    addBox(m_top, 3, 6, QStringLiteral("邮编"));
    addBox(m_top, 4, 0, QStringLiteral("传真"));
    addBox(m_top, 4, 2, QStringLiteral("车辆状态"));
    addBox(m_top, 4, 4, QStringLiteral("接车前检查："), 3);
    addBox(m_bottom, 0, 0, QStringLiteral("附加费率"));
    addBox(m_bottom, 0, 2, QStringLiteral("材料附加管理费"));
    addBox(m_bottom, 0, 4, QStringLiteral("整单金额合计"));
    addBox(m_bottom, 1, 0, QStringLiteral("备注："), 7);
    const QStringList staff{"业务接待", "维修技师", "质检员", "客户签名"};
    for (int i = 0; i < staff.size(); ++i)
        addBox(m_bottom, 2, i * 2, staff[i]);

    connect(addButton(QStringLiteral("打印托修单"), QStringLiteral("按下本按钮将打印托修单!")), &QPushButton::clicked,
            this, &TShowProduNoteForm::printOrder);
    connect(addButton(QStringLiteral("打印派工单"), QStringLiteral("按下本按钮将打印派工单!")), &QPushButton::clicked,
            this, &TShowProduNoteForm::printWorkOrder);
    addExitButton(QStringLiteral("按下本按钮将退出!"));
}

bool TShowProduNoteForm::showNote(const QString &number)
{
    std::optional<RepairOrder> order;
    try {
        order = loadRepairOrder(shell::database(), number);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
    m_found = order.has_value();
    if (!order)
        return false;
    const RepairOrder &o = *order;
    m_number = o.number;
    const QList<QPair<const char *, QString>> texts{
        {"托修单号：", o.number}, {"接车时间", dateText(o.received)}, {"预计完工时间", dateText(o.expectedCompletion)},
        {"车辆状态", o.status}, {"接车前检查：", o.inspection}, {"附加费率", rateText(o.surchargeRate)}, {"备注：", o.remark}, {"业务接待", o.adviser}, {"维修技师", o.technician}, {"质检员", o.inspector},
        {"客户签名", o.customerSignature}};
    for (const auto &[label, text] : texts + vehicleTexts(o))
        setBox(QString::fromUtf8(label), text);
    showLines(o.lines, o.surchargeRate);
    return true;
}

void TShowProduNoteForm::open(QWidget *parent, const QString &number)
{
    auto *form = new TShowProduNoteForm(parent);
    form->showNote(number);
    form->exec();
}

void TShowProduNoteForm::printOrder()
{
    previewRepairOrder(this, m_number);
}

void TShowProduNoteForm::printWorkOrder()
{
    previewWorkOrder(this, m_number);
}

// ---- settlement display ----

TShowPayNoteForm::TShowPayNoteForm(QWidget *parent) : NoteDisplayForm(parent, QStringLiteral("结算单显示"), true)
{
    const QStringList top{"结算单号：", "对应托修单号", "接车时间", "完工时间", "应结算时间", "车牌号码", "车型",
                          "颜色", "VIN码", "发动机码", "接车里程", "车主", "联系人", "联系电话", "手机", "邮编"};
    for (int i = 0; i < top.size(); ++i)
        addBox(m_top, i / 4, (i % 4) * 2, top[i]);
    addBox(m_top, 4, 0, QStringLiteral("地址"), 5);
    addBox(m_top, 4, 6, QStringLiteral("传真"));

    addBox(m_bottom, 0, 0, QStringLiteral("附加费率"));
    addBox(m_bottom, 0, 2, QStringLiteral("材料附加管理费"));
    addBox(m_bottom, 0, 4, QStringLiteral("整单金额合计"));
    m_payment = createPaymentChoice(this);
    m_payment.cash->setEnabled(false);
    m_payment.onAccount->setEnabled(false);
    m_unpaid = new QLabel(QStringLiteral("（未付款）"), this);
    m_unpaid->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    m_unpaid->hide();
    auto *paymentRow = new QHBoxLayout;
    paymentRow->addWidget(m_payment.cash);
    paymentRow->addWidget(m_payment.onAccount);
    paymentRow->addWidget(m_unpaid);
    paymentRow->addStretch();
    m_bottom->addLayout(paymentRow, 0, 6, 1, 2);
    addBox(m_bottom, 1, 0, QStringLiteral("备注："), 7);
    addBox(m_bottom, 2, 0, QStringLiteral("结算员"));
    addBox(m_bottom, 2, 2, QStringLiteral("总质检员"));
    m_printRate = createPrintRateBox(this);
    m_bottom->addWidget(m_printRate, 2, 6, 1, 2);

    connect(addButton(QStringLiteral("打印"), QStringLiteral("按下本按钮将打印结算单!")), &QPushButton::clicked, this,
            &TShowPayNoteForm::printSettlement);
    addExitButton(QStringLiteral("按下本按钮将退出!"));
}

bool TShowPayNoteForm::showNote(const QString &number)
{
    std::optional<Settlement> settlement;
    try {
        settlement = loadSettlement(shell::database(), number);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
    m_found = settlement.has_value();
    if (!settlement)
        return false;
    const Settlement &s = *settlement;
    m_number = s.number;
    const QList<QPair<const char *, QString>> texts{
        {"结算单号：", s.number}, {"对应托修单号", s.repairOrder}, {"接车时间", dateText(s.received)},
        {"完工时间", dateText(s.completed)}, {"应结算时间", dateText(s.due)}, {"附加费率", rateText(s.surchargeRate)}, {"备注：", s.remark},
        {"结算员", s.clerk}, {"总质检员", s.chiefInspector}};
    for (const auto &[label, text] : texts + vehicleTexts(s))
        setBox(QString::fromUtf8(label), text);
    m_payment.show(s.payment);
    showLines(s.lines, s.surchargeRate);
    m_unpaid->setVisible(!s.paid);
    return true;
}

bool TShowPayNoteForm::isUnpaidShown() const
{
    return !m_unpaid->isHidden();
}

void TShowPayNoteForm::open(QWidget *parent, const QString &number)
{
    auto *form = new TShowPayNoteForm(parent);
    form->showNote(number);
    form->exec();
}

void TShowPayNoteForm::printSettlement()
{
    previewSettlement(this, m_number, m_printRate->isChecked());
}

} // namespace workshop
