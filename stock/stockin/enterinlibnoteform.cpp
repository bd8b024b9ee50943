#include "stock/stockin/enterinlibnoteform.h"
#include "stock/stockin/listproducetoinlibform.h"
#include "stock/stockin/stockinprint.h"
#include "stock/stockin/stockinservice.h"
#include "stock/warehouse/listlibboxform.h"
#include "store/ruleerror.h"

#include "shell/common/chooser.h"
#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/datebox.h"
#include "shell/common/formregistry.h"
#include "shell/common/gridview.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "shell/common/textrules.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace stock {

namespace {

const QString kCallerTag = QStringLiteral("物品入库");

// A box with its chooser button beside it.
QWidget *withChooserButton(QWidget *parent, QLineEdit *box, const QString &buttonName, QToolButton **button)
{
    auto *holder = new QWidget(parent);
    auto *row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    *button = new QToolButton(holder);
    (*button)->setText(QStringLiteral("…"));
    (*button)->setAccessibleName(buttonName);
    (*button)->setFocusPolicy(Qt::NoFocus);
    row->addWidget(box, 1);
    row->addWidget(*button);
    return holder;
}

} // namespace

TEnterInLibNoteForm::TEnterInLibNoteForm(QWidget *parent) : FunctionForm(parent, QStringLiteral("物品入库录入"))
{
    resize(900, 600);
    auto *layout = new QVBoxLayout(body());
    m_entry = new QWidget(body());
    auto *entryLayout = new QVBoxLayout(m_entry);
    entryLayout->setContentsMargins(0, 0, 0, 0);
    auto *fields = new QGridLayout;
    entryLayout->addLayout(fields);

    m_date = new shell::DateBox(shell::DateBox::Single, 0, m_entry);
    m_supplier = new QLineEdit(m_entry);
    m_supplier->setObjectName(QStringLiteral("supplierBox"));
    shell::limitGbkBytes(m_supplier, 50);
    QToolButton *supplierButton = nullptr;
    QWidget *supplierHolder = withChooserButton(m_entry, m_supplier, QStringLiteral("选择交货单位"), &supplierButton);
    m_type = new QComboBox(m_entry);
    m_type->addItems(stockInTypes());
    m_numberLabel = new QLabel(m_entry);
    m_numberLabel->setObjectName(QStringLiteral("numberLabel"));
    m_numberLabel->setMinimumWidth(110);
    m_actual = new QLineEdit(m_entry);
    shell::limitGbkBytes(m_actual, 12);
    m_remark = new QLineEdit(m_entry);
    shell::limitGbkBytes(m_remark, 100);
    m_warehouse = new QLineEdit(m_entry);
    m_warehouse->setObjectName(kWarehouseBoxName);
    m_warehouse->setReadOnly(true);
    QToolButton *warehouseButton = nullptr;
    QWidget *warehouseHolder = withChooserButton(m_entry, m_warehouse, QStringLiteral("选择入库仓库"), &warehouseButton);
    m_barcode = new QLineEdit(m_entry);
    shell::limitGbkBytes(m_barcode, 24);
    m_handler = new QComboBox(m_entry);
    m_handler->setEditable(true);
    shell::limitGbkBytes(m_handler->lineEdit(), 12);

    const QList<std::tuple<QString, QWidget *, QWidget *>> boxes = {
        {QStringLiteral("入库日期："), m_date, m_date},
        {QStringLiteral("交货单位："), m_supplier, supplierHolder},
        {QStringLiteral("入库类型："), m_type, m_type},
        {QStringLiteral("入库单编号："), m_numberLabel, m_numberLabel},
        {QStringLiteral("实际单号："), m_actual, m_actual},
        {QStringLiteral("摘要："), m_remark, m_remark},
        {QStringLiteral("入库仓库："), m_warehouse, warehouseHolder},
        {QStringLiteral("条形码入物品："), m_barcode, m_barcode},
        {QStringLiteral("经办员："), m_handler, m_handler},
    };
    for (int i = 0; i < boxes.size(); ++i) {
        const auto &[caption, box, placed] = boxes[i];
        auto *label = new QLabel(caption, m_entry);
        label->setBuddy(box);
        fields->addWidget(label, i / 3, (i % 3) * 2, Qt::AlignRight);
        fields->addWidget(placed, i / 3, (i % 3) * 2 + 1);
    }
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 2);
    fields->setColumnStretch(5, 1);

    m_grid = new shell::DataGrid(m_entry);
    m_grid->setAccessibleName(QStringLiteral("入库物品"));
    m_grid->setColumns({{QStringLiteral("物品编号")},
                        {QStringLiteral("物品名称")},
                        {QStringLiteral("物品规格")},
                        {QStringLiteral("物品单位")},
                        {QStringLiteral("物品单价"), {}, QStringLiteral("##0.0000")},
                        {QStringLiteral("物品数量"), {}, QStringLiteral("##0.000")},
                        {QStringLiteral("金额合计"), {}, QStringLiteral("##0.00")}});
    m_grid->setFooter(QStringLiteral("物品编号"), shell::FooterCell::label(QStringLiteral("总  计")));
    m_grid->setFooter(QStringLiteral("金额合计"), shell::FooterCell::sum(QStringLiteral("##0.00")));
    entryLayout->addWidget(m_grid, 1);
    layout->addWidget(m_entry, 1);

    auto *operatorRow = new QHBoxLayout;
    auto *operatorCaption = new QLabel(QStringLiteral("操作员："), body());
    m_operator = new QLabel(shell::currentOperator().name, body());
    m_operator->setObjectName(QStringLiteral("operatorLabel"));
    operatorCaption->setBuddy(m_operator);
    operatorRow->addStretch(1);
    operatorRow->addWidget(operatorCaption);
    operatorRow->addWidget(m_operator);
    layout->addLayout(operatorRow);

    setHint(m_grid, QStringLiteral("双击鼠标左键或按F1键, 进入选择入库物品界面! 按F2键修改选定行资料."));
    setHint(m_grid->view(), hint(m_grid));
    setHint(m_date, QStringLiteral("输入入库日期!"));
    setHint(m_supplier, QStringLiteral("双击或按F1键选择交货单位!"));
    setHint(m_type, QStringLiteral("选择入库类型!"));
    setHint(m_actual, QStringLiteral("输入实际单号;调拨入库时输入调拨出库单编号!"));
    setHint(m_remark, QStringLiteral("输入入库单摘要!"));
    setHint(m_warehouse, QStringLiteral("双击或按F1键选择入库仓库!"));
    setHint(m_barcode, QStringLiteral("扫描物品条形码,直接加入入库单!"));
    setHint(m_handler, QStringLiteral("选择经办员!"));

    m_new = addButton(QStringLiteral("新建"));
    m_save = addButton(QStringLiteral("保存"));
    QPushButton *remove = addButton(QStringLiteral("删除一行"), QStringLiteral("按下本按钮将删除选定的入库物品!"));
    QPushButton *print = addButton(QStringLiteral("打印"), QStringLiteral("按下本按钮将打印入库单!"));
    addExitButton();
    m_save->setEnabled(false);

    connect(m_new, &QPushButton::clicked, this, &TEnterInLibNoteForm::newNote);
    connect(m_save, &QPushButton::clicked, this, &TEnterInLibNoteForm::saveNote);
    connect(remove, &QPushButton::clicked, this, &TEnterInLibNoteForm::deleteLine);
    connect(print, &QPushButton::clicked, this, &TEnterInLibNoteForm::printNote);
    connect(supplierButton, &QToolButton::clicked, this, &TEnterInLibNoteForm::chooseSupplier);
    connect(warehouseButton, &QToolButton::clicked, this, &TEnterInLibNoteForm::chooseWarehouse);
    connect(m_barcode, &QLineEdit::returnPressed, this, &TEnterInLibNoteForm::scanBarcode);
    for (QObject *watched : {static_cast<QObject *>(m_supplier), static_cast<QObject *>(m_warehouse),
                             static_cast<QObject *>(m_actual), static_cast<QObject *>(m_grid->view()),
                             static_cast<QObject *>(m_grid->view()->viewport())})
        watched->installEventFilter(this);
    setEnterChain({m_date, m_supplier, m_type, m_actual, m_warehouse, m_grid->view()}, m_save);

    m_date->setDate(QDate::currentDate());
    try {
        m_handler->addItems(handlerNames(shell::database()));
        m_handler->setCurrentIndex(-1);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
    setEntryEnabled(false);
}

void TEnterInLibNoteForm::setEntryEnabled(bool enabled)
{
    m_entry->setEnabled(enabled);
}

void TEnterInLibNoteForm::showLines()
{
    try {
        const store::ListQuery q = stockInLinesQuery(m_number);
        m_grid->showQuery(shell::database(), q.sql, q.params);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TEnterInLibNoteForm::closeLines()
{
    const store::ListQuery q = stockInLinesQuery(QString());
    try {
        m_grid->showQuery(shell::database(), q.sql, q.params);
    } catch (const store::DbError &) {
        // An empty grid is all that was wanted.
    }
}

void TEnterInLibNoteForm::linesChanged()
{
    if (m_noteOpen)
        m_saved = false;
    showLines();
}

void TEnterInLibNoteForm::newNote()
{
    QString number;
    try {
        number = beginStockInNote(shell::database());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    setEntryEnabled(true);
    m_noteOpen = true;
    m_new->setEnabled(false);
    m_save->setEnabled(true);
    m_number = number;
    m_numberLabel->setText(number);
    showLines();
    m_date->setDate(QDate::currentDate());
    m_saved = false;
    m_copiedFrom.clear();
    m_supplier->clear();
    m_warehouse->clear();
    m_actual->clear();
    TListLibBoxForm::preselectFirst(this, kCallerTag);
    m_barcode->clear();
    m_barcode->setFocus(Qt::OtherFocusReason);
}

void TEnterInLibNoteForm::saveNote()
{
    if (!m_noteOpen)
        return;
    StockInHeader header;
    header.number = m_number;
    header.date = m_date->date();
    header.supplier = m_supplier->text();
    header.warehouse = m_warehouse->text();
    header.inType = m_type->currentText();
    header.actualNumber = m_actual->text();
    header.handler = m_handler->currentText();
    header.remark = m_remark->text();
    try {
        saveStockInNote(shell::database(), header, shell::currentOperator().name);
    } catch (const store::RuleError &e) {
        shell::Messages::info(this, e.message());
        if (e.field() == QStringLiteral("入库仓库"))
            m_warehouse->setFocus(Qt::OtherFocusReason);
        showLines();    // the lines as they stand
        return;
    } catch (const store::DbError &e) {
        // Nothing of the save was kept; the note stays open to be saved again.
        shell::Messages::error(this, e.message());
        return;
    }
    m_saved = true;
    m_noteOpen = false;
    m_save->setEnabled(false);
    m_new->setEnabled(true);
    closeLines();
    for (QLineEdit *box : {m_supplier, m_warehouse, m_remark, m_actual})
        box->clear();
    setEntryEnabled(false);
    m_new->setFocus(Qt::OtherFocusReason);
}

void TEnterInLibNoteForm::deleteLine()
{
    if (m_saved) {
        shell::Messages::info(this, QStringLiteral("该单已经保存,不能在这种状态下进行删除!"));
        return;
    }
    if (m_grid->isEmpty()) {
        shell::Messages::error(this, QStringLiteral("没有记录可以删除了,请查清楚!"), QStringLiteral("警告信息"));
        return;
    }
    const int row = qMax(0, m_grid->currentRow());
    try {
        stock::deleteLine(shell::database(), m_number, m_grid->value(row, QStringLiteral("入库单明细编号")).toLongLong());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    showLines();
    m_grid->setCurrentRow(qMin(row, m_grid->rowCount() - 1));
}

void TEnterInLibNoteForm::printNote()
{
    if (!m_saved) {
        shell::Messages::info(this, QStringLiteral("请保存单据后再进行打印!"));
        return;
    }
    previewStockInNote(this, shell::database(), m_number);
}

void TEnterInLibNoteForm::openPicker(bool changing)
{
    if (!m_noteOpen) {
        shell::Messages::info(this, changing ? QStringLiteral("没有商品可以进行修改!请先建立一张新的单据!")
                                             : QStringLiteral("请先建立一张新的入库单再选择入库物品!"));
        m_new->setFocus(Qt::OtherFocusReason);
        return;
    }
    std::optional<StockInLine> line;
    if (changing) {
        const qint64 id = m_grid->isEmpty() ? 0 : m_grid->value(qMax(0, m_grid->currentRow()),
                                                                QStringLiteral("入库单明细编号")).toLongLong();
        try {
            for (const StockInLine &l : stockInLines(shell::database(), m_number))
                if (l.id == id)
                    line = l;
        } catch (const store::DbError &e) {
            shell::Messages::error(this, e.message());
            return;
        }
        if (!line) {
            shell::Messages::info(this, QStringLiteral("没有商品可以进行修改!请先建立一张新的单据!"));
            return;
        }
    }
    auto *picker = new TListProduceToInLibForm(this, m_number, m_type->currentText());
    if (line)
        picker->changeLine(*line);
    connect(picker, &TListProduceToInLibForm::lineWritten, this, &TEnterInLibNoteForm::linesChanged);
    picker->exec();
}

void TEnterInLibNoteForm::chooseSupplier()
{
    if (!m_noteOpen)
        return;
    const bool transfer = m_type->currentText() == kTransferIn;
    // Departments and suppliers live in other subsystems: their choosers come by class name.
    const QString chooserClass = transfer ? QStringLiteral("TListDeptForm") : QStringLiteral("TListClientForm");
    auto *chooser = qobject_cast<shell::ChooserForm *>(shell::createForm(chooserClass, this));
    if (!chooser) {
        shell::Messages::error(this, QStringLiteral("%1不可用!").arg(transfer ? QStringLiteral("部门列表")
                                                                               : QStringLiteral("供销商列表")));
        return;
    }
    chooser->setCallerTag(kCallerTag);
    if (!transfer && !m_supplier->text().trimmed().isEmpty())
        QMetaObject::invokeMethod(chooser, "search", Q_ARG(QString, m_supplier->text().trimmed()));
    chooser->exec();
}

void TEnterInLibNoteForm::chooseWarehouse()
{
    if (!m_noteOpen)
        return;
    auto *chooser = new TListLibBoxForm(this);
    chooser->setCallerTag(kCallerTag);
    chooser->exec();
}

void TEnterInLibNoteForm::scanBarcode()
{
    const QString barcode = m_barcode->text();
    m_barcode->clear();
    m_barcode->setFocus(Qt::OtherFocusReason);
    if (!m_noteOpen || barcode.trimmed().isEmpty())
        return;
    try {
        if (addLineByBarcode(shell::database(), m_number, m_type->currentText(), barcode))
            linesChanged();
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TEnterInLibNoteForm::copyTransfer()
{
    const QString from = m_actual->text().trimmed();
    if (!m_noteOpen || m_type->currentText() != kTransferIn || from.isEmpty() || from == m_copiedFrom)
        return;
    try {
        copyTransferLines(shell::database(), m_number, from);
        m_copiedFrom = from;
        linesChanged();
    } catch (const store::RuleError &e) {
        shell::Messages::info(this, e.message());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

bool TEnterInLibNoteForm::canLeave()
{
    if (m_saved || !m_noteOpen)
        return true;
    if (!shell::Messages::question(this, QStringLiteral("数据还没有保存,真的要退出吗？")))
        return false;
    try {
        abandonStockInNote(shell::database(), m_number);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return false;
    }
    m_noteOpen = false;
    m_saved = true;
    return true;
}

bool TEnterInLibNoteForm::eventFilter(QObject *watched, QEvent *event)
{
    const bool grid = watched == m_grid->view() || watched == m_grid->view()->viewport();
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        if (watched == m_supplier) {
            chooseSupplier();
            return true;
        }
        if (watched == m_warehouse) {
            chooseWarehouse();
            return true;
        }
        if (grid) {
            openPicker(false);
            return true;
        }
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_F1 && watched == m_supplier) {
            chooseSupplier();
            return true;
        }
        if (key == Qt::Key_F1 && watched == m_warehouse) {
            chooseWarehouse();
            return true;
        }
        if (grid && (key == Qt::Key_F1 || key == Qt::Key_F2)) {
            openPicker(key == Qt::Key_F2);
            return true;
        }
        break;
    }
    case QEvent::FocusOut:
        if (watched == m_actual && static_cast<QFocusEvent *>(event)->reason() != Qt::ActiveWindowFocusReason
            && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            copyTransfer();
        break;
    default:
        break;
    }
    return FunctionForm::eventFilter(watched, event);
}

} // namespace stock
