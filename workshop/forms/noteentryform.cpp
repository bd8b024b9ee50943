#include "workshop/forms/noteentryform.h"
#include "workshop/forms/materialpickerform.h"
#include "workshop/workshoperror.h"
#include "customers/customerrecords.h"
#include "shell/common/database.h"
#include "shell/common/datagrid.h"
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

NoteEntryForm::NoteEntryForm(QWidget *parent, const QString &noun)
    : FunctionForm(parent, noun + QStringLiteral("录入")), m_noun(noun)
{
}

QLineEdit *NoteEntryForm::textBox(int gbkBytes)
{
    auto *box = new QLineEdit(this);
    if (gbkBytes > 0)
        shell::limitGbkBytes(box, gbkBytes);
    return box;
}

QComboBox *NoteEntryForm::staffBox()
{
    auto *box = new QComboBox(this);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

void NoteEntryForm::createNumberBox()
{
    m_number = textBox(0);
    m_number->setReadOnly(true);
}

void NoteEntryForm::createPlateBox()
{
    m_plate = textBox(30);
    shell::makeUpperCase(m_plate);
}

void NoteEntryForm::createVehicleBoxes()
{
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
}

void NoteEntryForm::createTotalBoxes()
{
    m_rate = textBox(12);
    shell::makeDigitsOnly(m_rate);
    m_rate->setText(QStringLiteral("0"));
    m_surcharge = textBox(0);
    m_surcharge->setReadOnly(true);
    m_total = textBox(0);
    m_total->setReadOnly(true);
}

void NoteEntryForm::createRemarkBox()
{
    m_remark = textBox(100);
}

void NoteEntryForm::offerStaff(const QList<QComboBox *> &boxes)
{
    try {
        const QStringList staff = employeeNames(shell::database());
        for (QComboBox *box : boxes) {
            box->addItems(staff);
            box->setEditText(QString());
        }
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void NoteEntryForm::place(QGridLayout *grid, int row, int column, const QString &text, QWidget *box, int span)
{
    auto *label = new QLabel(text, this);
    label->setBuddy(box);
    grid->addWidget(label, row, column);
    grid->addWidget(box, row, column + 1, 1, span);
}

void NoteEntryForm::placeTotals(QGridLayout *bottom)
{
    auto *rateRow = new QHBoxLayout;
    rateRow->addWidget(m_rate);
    rateRow->addWidget(new QLabel(QStringLiteral("%"), this));
    auto *rateLabel = new QLabel(QStringLiteral("附加费率"), this);
    rateLabel->setBuddy(m_rate);
    bottom->addWidget(rateLabel, 0, 0);
    bottom->addLayout(rateRow, 0, 1);
    place(bottom, 0, 2, QStringLiteral("材料附加管理费"), m_surcharge);
    place(bottom, 0, 4, QStringLiteral("整单金额合计"), m_total);
}

void NoteEntryForm::createLineGrid(QVBoxLayout *layout, shell::LineModel *lines, bool withLabourRate)
{
    m_lines = lines;
    m_lines->setParent(this);
    m_grid = new shell::DataGrid(body());
    m_grid->setAccessibleName(QStringLiteral("维修项目和材料"));
    m_grid->setModel(m_lines);
    setUpNoteLineGrid(m_grid, withLabourRate);
    layout->addWidget(m_grid, 1);
}

void NoteEntryForm::createButtons()
{
    m_new = addButton(QStringLiteral("新增"), QStringLiteral("按下本按钮将新建%1!").arg(m_noun));
    m_print = addButton(QStringLiteral("打印"), QStringLiteral("按下本按钮将打印%1!").arg(m_noun));
    m_deleteLine = addButton(QStringLiteral("删除一行"), QStringLiteral("按下本按钮将删除一行维修单项目或材料。"));
    m_save = addButton(QStringLiteral("保存"), QStringLiteral("按下本按钮将保存%1!").arg(m_noun));
    addExitButton(QStringLiteral("按下本按钮将退出!"));
    setHint(m_grid, QStringLiteral("双击表格选择维修项目和材料!"));
    setStatusBarHint(QStringLiteral("操作提示信息显示栏。"));

    connect(m_new, &QPushButton::clicked, this, &NoteEntryForm::newClicked);
    connect(m_print, &QPushButton::clicked, this, &NoteEntryForm::printClicked);
    connect(m_deleteLine, &QPushButton::clicked, this, &NoteEntryForm::deleteLineClicked);
    connect(m_save, &QPushButton::clicked, this, &NoteEntryForm::saveClicked);
    connect(m_lines, &shell::LineModel::linesChanged, this, &NoteEntryForm::recomputeTotals);
    connect(m_rate, &QLineEdit::textChanged, this, &NoteEntryForm::rateChanged);
    // A double-click anywhere in the grid, on a row or below the last one, opens the picker.
    connect(m_grid->view(), &QAbstractItemView::doubleClicked, this, &NoteEntryForm::openPicker);
    m_grid->view()->viewport()->installEventFilter(this);
    m_grid->view()->installEventFilter(this);
    m_plate->installEventFilter(this);
}

void NoteEntryForm::showEmpty()
{
    recomputeTotals();
    setInputEnabled(false);
}

QString NoteEntryForm::noteNumber() const
{
    return m_number->text();
}

QString NoteEntryForm::surchargeText() const
{
    return m_surcharge->text();
}

QString NoteEntryForm::totalText() const
{
    return m_total->text();
}

QString NoteEntryForm::platePrefix() const
{
    return shell::currentOperator().platePrefix;
}

void NoteEntryForm::setInputEnabled(bool enabled)
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

void NoteEntryForm::clearVehicleBoxes()
{
    for (QLineEdit *box : {m_plate, m_model, m_colour, m_vin, m_engine, m_owner, m_contact, m_phone, m_mobile,
                           m_address, m_postcode, m_fax, m_remark})
        box->clear();
    m_mileage->setText(QStringLiteral("0"));
    m_lines->clear();
}

void NoteEntryForm::clearBoxes()
{
    clearVehicleBoxes();
}

void NoteEntryForm::showVehicle(const NoteVehicle &v)
{
    m_plate->setText(v.plate);
    m_model->setText(v.model);
    m_colour->setText(v.colour);
    m_vin->setText(v.vin);
    m_engine->setText(v.engineNo);
    m_mileage->setText(QString::number(v.mileage));
    m_owner->setText(v.owner);
    m_contact->setText(v.contact);
    m_phone->setText(v.phone);
    m_mobile->setText(v.mobile);
    m_address->setText(v.address);
    m_postcode->setText(v.postcode);
    m_fax->setText(v.fax);
}

void NoteEntryForm::readVehicle(NoteVehicle &v) const
{
    v.plate = m_plate->text().trimmed();
    v.model = m_model->text();
    v.colour = m_colour->text();
    v.vin = m_vin->text();
    v.engineNo = m_engine->text();
    v.mileage = m_mileage->text().trimmed().toInt();
    v.owner = m_owner->text();
    v.contact = m_contact->text();
    v.phone = m_phone->text();
    v.mobile = m_mobile->text();
    v.address = m_address->text();
    v.postcode = m_postcode->text();
    v.fax = m_fax->text();
}

void NoteEntryForm::fillFromRecord(const customers::VehicleOwner &found)
{
    m_model->setText(found.model);
    m_colour->setText(found.colour);
    m_vin->setText(found.vin);
    m_engine->setText(found.engineNo);
    m_mileage->setText(QString::number(found.mileage));
    m_owner->setText(found.owner);
    m_contact->setText(found.contact);
    m_phone->setText(found.phone);
    m_mobile->setText(found.mobile);
    m_address->setText(found.address);
    m_postcode->setText(found.postcode);
    m_fax->setText(found.fax);
}

QWidget *NoteEntryForm::boxNamed(const QString &label) const
{
    return label == QStringLiteral("车牌号码") ? m_plate : nullptr;
}

void NoteEntryForm::refuse(const WorkshopError &e)
{
    shell::Messages::info(this, e.message(), e.messageCaption());
    if (QWidget *box = boxNamed(e.box()))
        box->setFocus(Qt::OtherFocusReason);
}

void NoteEntryForm::saveRefused(const WorkshopError &e)
{
    refuse(e);
}

void NoteEntryForm::newClicked()
{
    if (m_editing) {
        shell::Messages::info(this, QStringLiteral("您已经创建了一张新的%1,请先完成保存本单再进行新增!").arg(m_noun));
        return;
    }
    QString number;
    try {
        number = beginNote();
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
    noteBegun();
}

bool NoteEntryForm::openForModification(const QString &number)
{
    m_mode = SaveMode::Modify;
    setTitle(m_noun + QStringLiteral("修改"));
    m_new->hide();
    std::optional<QString> plate;
    try {
        plate = showSavedNote(number);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return false;
    }
    if (!plate) {
        shell::Messages::warning(this, QStringLiteral("没有找到%1%2,该%1可能已经被删除!").arg(m_noun, number));
        return false;
    }
    m_editing = true;
    m_saved = false;
    m_lookedUpPlate = *plate;
    setInputEnabled(true);
    return true;
}

void NoteEntryForm::plateLeft()
{
    const QString plate = m_plate->text().trimmed();
    // Only a typed plate is looked up, and only once: a second look-up would overwrite
    // what the clerk has corrected in the owner and vehicle boxes since.
    if (!m_editing || plate.isEmpty() || plate == platePrefix() || plate == m_lookedUpPlate)
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
        plateLookedUp(false);
        m_model->setFocus(Qt::OtherFocusReason);
        return;
    }
    fillFromRecord(*found);
    plateLookedUp(true);
}

void NoteEntryForm::plateEntered()
{
    // The prefix goes only into an empty box: a typed plate stays when the clerk clicks back.
    if (m_plate->text().isEmpty())
        m_plate->setText(platePrefix());
}

void NoteEntryForm::rateChanged()
{
    if (m_rate->text().isEmpty()) {
        // 0 selected, so the next digit typed replaces it; comes back here once more.
        m_rate->setText(QStringLiteral("0"));
        m_rate->selectAll();
        return;
    }
    recomputeTotals();
}

void NoteEntryForm::recomputeTotals()
{
    const NoteTotals t = noteTotals(noteLinesOf(*m_lines), parseRate(m_rate->text()));
    m_surcharge->setText(t.surcharge.toString2());
    m_total->setText(t.total.toString2());
}

bool NoteEntryForm::checkNumbers()
{
    bool ok = true;
    if (const QString mileage = m_mileage->text().trimmed(); !mileage.isEmpty())
        mileage.toInt(&ok);
    if (!ok) {
        shell::Messages::info(this, QStringLiteral("接车里程必须是整数,请重新输入!"));
        m_mileage->setFocus(Qt::OtherFocusReason);
        return false;
    }
    parseRate(m_rate->text(), &ok);
    if (!ok) {
        shell::Messages::info(this, QStringLiteral("附加费率必须是数字,请重新输入!"));
        m_rate->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void NoteEntryForm::saveClicked()
{
    if (!m_editing) {
        shell::Messages::info(this, QStringLiteral("请先新建一张%1，填写完成项目后再保存!").arg(m_noun));
        return;
    }
    // Leaving the plate box runs a pending look-up first; leaving the grid posts its cell.
    m_remark->setFocus(Qt::OtherFocusReason);
    plateLeft();
    try {
        checkNote();
    } catch (const WorkshopError &e) {
        refuse(e);
        return;
    }
    if (!checkNumbers())
        return;
    recomputeTotals();
    const QString number = m_number->text();
    try {
        storeNote();
    } catch (const WorkshopError &e) {
        saveRefused(e);
        return;
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    m_saved = true;
    m_editing = false;
    setInputEnabled(false);
    shell::Messages::info(this, QStringLiteral("%1保存成功!现在可以打印%1!!").arg(m_noun));
    showStatus(QStringLiteral("%1保存成功!现在可以继续输入其它%1!").arg(m_noun));
    emit noteSaved(number);
}

void NoteEntryForm::printClicked()
{
    if (!m_saved) {
        shell::Messages::info(this, QStringLiteral("请先保存%1再按打印，谢谢合作！").arg(m_noun));
        return;
    }
    if (m_number->text().isEmpty()) {
        shell::Messages::info(this, QStringLiteral("没有可以打印的%1，请查清楚！").arg(m_noun));
        return;
    }
    try {
        printNote();
    } catch (const WorkshopError &e) {
        shell::Messages::info(this, e.message());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void NoteEntryForm::deleteLineClicked()
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

void NoteEntryForm::openPicker()
{
    if (!m_editing) {
        shell::Messages::info(this, QStringLiteral("请先创建一张新%1，然后再输入维修项目和材料费用!").arg(m_noun));
        return;
    }
    auto *picker = new TListInforToProNoteForm(this);
    picker->setCallerTag(m_noun + QStringLiteral("录入"));
    picker->setWarehouse(shell::currentOperator().department);
    picker->setNoteNumber(m_number->text());
    picker->exec();
}

void NoteEntryForm::receiveLine(const NoteLine &line)
{
    const int row = m_lines->appendLine(line.toMap());
    m_grid->setCurrentRow(row);
}

bool NoteEntryForm::canLeave()
{
    if (m_saved)
        return true;
    if (!shell::Messages::question(this, QStringLiteral("数据还没有保存,真的要退出吗？")))
        return false;
    if (m_mode == SaveMode::New && !m_number->text().isEmpty()) {
        try {
            abandonNote(m_number->text());
        } catch (const store::DbError &e) {
            shell::Messages::error(this, e.message());
            return false;
        }
    }
    return true;
}

bool NoteEntryForm::eventFilter(QObject *watched, QEvent *event)
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
