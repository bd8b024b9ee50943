#include "workshop/queries/notequeryforms.h"
#include "workshop/queries/notedisplayforms.h"
#include "workshop/forms/repairorderform.h"
#include "workshop/settlements/settlementform.h"
#include "workshop/workshoperror.h"
#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/datebox.h"
#include "shell/common/gridview.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "shell/common/querymodel.h"

#include <QComboBox>
#include <QDynamicPropertyChangeEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace workshop {

namespace {

QList<shell::GridColumn> gridColumns(NoteTable table)
{
    const QString date = QStringLiteral("YYYY-MM-DD");
    if (table == NoteTable::RepairOrders)
        return {{QStringLiteral("托修单编号")},
                {QStringLiteral("接车时间"), {}, date},
                {QStringLiteral("车牌号码")},
                {QStringLiteral("托修单位"), QStringLiteral("托修单位(车主)")},
                {QStringLiteral("业务接待")},
                {QStringLiteral("车辆状态"), {}, {}, Qt::AlignCenter},
                {QStringLiteral("完成标志")},
                {QStringLiteral("备注")}};
    return {{QStringLiteral("结算单编号")},
            {QStringLiteral("托修单编号")},
            {QStringLiteral("完工时间"), {}, date},
            {QStringLiteral("车牌号码")},
            {QStringLiteral("托修单位"), QStringLiteral("托修单位(车主)")},
            {QStringLiteral("车辆状态")},
            {QStringLiteral("结算类型")},
            {QStringLiteral("整单金额合计"), QStringLiteral("金额合计"), QStringLiteral("##0.00")},
            {QStringLiteral("付款标志")},
            {QStringLiteral("付款时间"), {}, date},
            {QStringLiteral("结算员")},
            {QStringLiteral("备注")}};
}

bool isModificationCommand(const QString &command)
{
    return command == QStringLiteral("托修单修改") || command == QStringLiteral("结算单修改");
}

} // namespace

NoteQueryForm::NoteQueryForm(QWidget *parent, NoteTable table, const Texts &texts)
    : FunctionForm(parent, texts.browseTitle), m_table(table), m_texts(texts),
      m_numberField(table == NoteTable::RepairOrders ? QStringLiteral("托修单编号") : QStringLiteral("结算单编号"))
{
    resize(920, 560);
    auto *layout = new QVBoxLayout(body());
    auto *filters = new QGridLayout;
    layout->addLayout(filters);

    m_from = new shell::DateBox(shell::DateBox::From, kQueryFromDays, this);
    m_to = new shell::DateBox(shell::DateBox::To, 0, this);
    m_from->setDate(m_from->defaultDate());
    m_to->setDate(m_to->defaultDate());
    m_condition = new QLineEdit(this);
    m_column = new QComboBox(this);
    m_column->addItems(conditionColumns(table));
    m_column->setCurrentIndex(defaultConditionIndex(table));
    const QList<QPair<QString, QWidget *>> boxes{{QStringLiteral("开始时间"), m_from},
                                                 {QStringLiteral("结束时间"), m_to},
                                                 {QStringLiteral("查询条件"), m_condition},
                                                 {QStringLiteral("条件类别"), m_column}};
    for (int i = 0; i < boxes.size(); ++i) {
        auto *label = new QLabel(boxes[i].first, this);
        label->setBuddy(boxes[i].second);
        filters->addWidget(label, 0, i * 2);
        filters->addWidget(boxes[i].second, 0, i * 2 + 1);
    }

    m_grid = new shell::DataGrid(body());
    m_grid->setAccessibleName(texts.browseTitle);
    m_grid->setColumns(gridColumns(table));
    if (table == NoteTable::RepairOrders) {
        m_grid->setFrozenColumns(4);
    } else {
        m_grid->setFooter(m_numberField, shell::FooterCell::label(QStringLiteral("合  计")));
        m_grid->setFooter(QStringLiteral("整单金额合计"), shell::FooterCell::sum(QStringLiteral("##0.00")));
    }
    m_grid->setFindEnabled(true);
    layout->addWidget(m_grid, 1);
    setHint(m_grid, QStringLiteral("双击表中记录将显示详细内容!"));

    m_query = addButton(QStringLiteral("查询"), texts.queryHint);
    m_modify = addButton(QStringLiteral("修改"));
    m_modify->hide();
    addExitButton(QStringLiteral("按下本按钮将退出!"));
    setStatusBarHint(QStringLiteral("操作提示信息显示栏。"));
    setEnterChain({m_from, m_to}, m_condition);

    connect(m_query, &QPushButton::clicked, this, &NoteQueryForm::runQuery);
    connect(m_condition, &QLineEdit::returnPressed, this, &NoteQueryForm::runQuery);
    connect(m_modify, &QPushButton::clicked, this, &NoteQueryForm::modifyClicked);
    connect(m_grid, &shell::DataGrid::rowActivated, this, &NoteQueryForm::showCurrent);
    m_grid->view()->viewport()->installEventFilter(this);
}

bool NoteQueryForm::runQuery()
{
    NoteFilter filter;
    filter.from = m_from->date().isValid() ? m_from->date() : m_from->defaultDate();
    filter.to = m_to->date().isValid() ? m_to->date() : m_to->defaultDate();
    filter.column = m_column->currentText();
    filter.condition = m_condition->text().trimmed();
    try {
        const QueryStatement q = noteQuery(shell::database(), m_table, filter);
        m_grid->showQuery(shell::database(), q.sql, q.params);
    } catch (const WorkshopError &e) {
        shell::Messages::info(this, e.message());
        return false;
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return false;
    }
    return true;
}

void NoteQueryForm::requery()
{
    try {
        if (shell::QueryModel *model = m_grid->queryModel())
            model->refresh();
        else
            runQuery();
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

QString NoteQueryForm::currentNumber() const
{
    if (m_grid->rowCount() == 0)
        return {};
    const int row = m_grid->currentRow();
    return m_grid->value(row >= 0 ? row : 0, m_numberField).toString();
}

bool NoteQueryForm::isModification() const
{
    return isModificationCommand(property("command").toString());
}

void NoteQueryForm::applyCommand()
{
    const bool modification = isModification();
    m_modify->setVisible(modification);
    setTitle(modification ? m_texts.modifyTitle : m_texts.browseTitle);
}

bool NoteQueryForm::event(QEvent *event)
{
    if (event->type() == QEvent::DynamicPropertyChange
        && static_cast<QDynamicPropertyChangeEvent *>(event)->propertyName() == "command")
        applyCommand();
    return FunctionForm::event(event);
}

bool NoteQueryForm::eventFilter(QObject *watched, QEvent *event)
{
    // A double-click on an empty list (rows report through rowActivated).
    if (watched == m_grid->view()->viewport() && event->type() == QEvent::MouseButtonDblClick && m_grid->isEmpty()) {
        showCurrent();
        return true;
    }
    return FunctionForm::eventFilter(watched, event);
}

void NoteQueryForm::showCurrent()
{
    const QString number = currentNumber();
    if (number.isEmpty()) {
        shell::Messages::info(this, m_texts.nothingToShow);
        return;
    }
    showNote(number);
}

void NoteQueryForm::modifyClicked()
{
    const QString number = currentNumber();
    if (number.isEmpty()) {
        shell::Messages::info(this, m_texts.nothingToModify);
        return;
    }
    openModification(number);
}

void NoteQueryForm::openModification(const QString &number)
{
    bool allowed = false;
    try {
        allowed = mayModifyNote(number);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    if (!allowed) {
        shell::Messages::info(this, m_texts.modifyRefused);
        return;
    }
    NoteEntryForm *form = createEntryForm();
    if (!form->openForModification(number)) {
        delete form;
        return;
    }
    connect(form, &NoteEntryForm::noteSaved, this, &NoteQueryForm::requery);
    form->exec();
}

TFindProduNoteForm::TFindProduNoteForm(QWidget *parent)
    : NoteQueryForm(parent, NoteTable::RepairOrders,
                    {QStringLiteral("托修单查询"), QStringLiteral("托修单修改"), QStringLiteral("按下本按钮将查询托修单!"),
                     QStringLiteral("没有可以查看的托修单!"), QStringLiteral("没有可以修改的托修单!"),
                     QStringLiteral("该托修单已经完成，只有经理或管理员才能修改!")})
{
    runQuery();
}

void TFindProduNoteForm::showNote(const QString &number)
{
    TShowProduNoteForm::open(this, number);
}

bool TFindProduNoteForm::mayModifyNote(const QString &number)
{
    const std::optional<RepairOrder> order = loadRepairOrder(shell::database(), number);
    return !order || mayModify(*order, shell::currentOperator());
}

NoteEntryForm *TFindProduNoteForm::createEntryForm()
{
    return new TEnterProduNoteForm(this);
}

TFindPayNoteForm::TFindPayNoteForm(QWidget *parent)
    : NoteQueryForm(parent, NoteTable::Settlements,
                    {QStringLiteral("结算单查询"), QStringLiteral("结算单修改"), QStringLiteral("按下本按钮将查询结算单!"),
                     QStringLiteral("没有可以查看的结算单!"), QStringLiteral("没有可以修改的结算单!"),
                     QStringLiteral("该结算单已经付款，只有经理或管理员才能修改!")})
{
    runQuery();
}

void TFindPayNoteForm::showNote(const QString &number)
{
    TShowPayNoteForm::open(this, number);
}

bool TFindPayNoteForm::mayModifyNote(const QString &number)
{
    const std::optional<Settlement> settlement = loadSettlement(shell::database(), number);
    return !settlement || mayModify(*settlement, shell::currentOperator());
}

NoteEntryForm *TFindPayNoteForm::createEntryForm()
{
    return new TEnterPayNoteForm(this);
}

} // namespace workshop
