#include "stock/stockin/listproducetoinlibform.h"
#include "store/ruleerror.h"

#include "shell/commandtable.h"
#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/formregistry.h"
#include "shell/common/gridview.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "shell/common/textrules.h"
#include "shell/loginservice.h"
#include "store/displayformat.h"

#include <QDialog>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace stock {

namespace {

// A price as the operator reads it: at least two decimals, at most four.
QString priceText(double value)
{
    QString text = QString::number(value, 'f', 4);
    while (text.endsWith(u'0') && text.indexOf(u'.') < text.size() - 3)
        text.chop(1);
    return text;
}

QString amountText(double price, double quantity)
{
    return store::formatValue(lineAmount(price, quantity).toVariant(), QStringLiteral("##0.0000"));
}

} // namespace

TListProduceToInLibForm::TListProduceToInLibForm(QWidget *parent, const QString &number, const QString &inType)
    : FunctionForm(parent, QStringLiteral("物品选择录入")), m_number(number), m_inType(inType),
      m_returning(isReturnType(inType))
{
    resize(860, 560);
    auto *layout = new QVBoxLayout(body());

    auto *top = new QHBoxLayout;
    auto *numberCaption = new QLabel(QStringLiteral("单据编号"), body());
    auto *numberLabel = new QLabel(number, body());
    numberLabel->setObjectName(QStringLiteral("numberLabel"));
    numberCaption->setBuddy(numberLabel);
    auto *searchLabel = new QLabel(QStringLiteral("查找物品："), body());
    m_search = new QLineEdit(body());
    searchLabel->setBuddy(m_search);
    auto *searchButton = new QPushButton(QStringLiteral("查找"), body());
    top->addWidget(numberCaption);
    top->addWidget(numberLabel);
    top->addStretch(1);
    top->addWidget(searchLabel);
    top->addWidget(m_search, 2);
    top->addWidget(searchButton);
    layout->addLayout(top);
    setHint(m_search, QStringLiteral("输入物品的名称或规格可以进行模糊查询！"));

    auto *lists = new QHBoxLayout;
    m_categories = new shell::DataGrid(body());
    m_categories->setAccessibleName(QStringLiteral("物品类别"));
    m_categories->setColumns({{QStringLiteral("物品类别")}});
    m_goods = new shell::DataGrid(body());
    m_goods->setAccessibleName(QStringLiteral("物品"));
    m_goods->setColumns({{QStringLiteral("物品编号")}, {QStringLiteral("物品名称")}, {QStringLiteral("物品规格")}});
    lists->addWidget(m_categories, 1);
    lists->addWidget(m_goods, 3);
    layout->addLayout(lists, 1);
    setHint(m_goods, QStringLiteral("双击选择物品,然后输入实际单价与物品数量!"));

    auto *panel = new QGridLayout;
    auto readOnlyBox = [this] {
        auto *box = new QLineEdit(body());
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::ClickFocus);    // Tab passes over what cannot be typed in
        return box;
    };
    m_code = readOnlyBox();
    m_name = readOnlyBox();
    m_size = readOnlyBox();
    m_category = readOnlyBox();
    m_unit = readOnlyBox();
    m_reference = readOnlyBox();
    m_price = new QLineEdit(body());
    m_quantity = new QLineEdit(body());
    m_amount = readOnlyBox();
    for (QLineEdit *box : {m_price, m_quantity}) {
        box->setMaxLength(12);
        shell::makeDigitsOnly(box);
        box->installEventFilter(this);
    }
    const QList<QPair<QString, QLineEdit *>> boxes = {
        {QStringLiteral("物品编号"), m_code},   {QStringLiteral("物品名称"), m_name},
        {QStringLiteral("物品规格"), m_size},   {QStringLiteral("物品类别"), m_category},
        {QStringLiteral("计量单位"), m_unit},   {QStringLiteral("参考单价"), m_reference},
        {QStringLiteral("实际单价"), m_price},  {QStringLiteral("物品数量"), m_quantity},
        {QStringLiteral("金额合计"), m_amount}};
    for (int i = 0; i < boxes.size(); ++i) {
        auto *label = new QLabel(boxes[i].first, body());
        label->setBuddy(boxes[i].second);
        panel->addWidget(label, i / 3, (i % 3) * 2);
        panel->addWidget(boxes[i].second, i / 3, (i % 3) * 2 + 1);
    }
    layout->addLayout(panel);
    setHint(m_price, QStringLiteral("输入物品的实际入库单价!"));
    setHint(m_quantity, m_returning ? QStringLiteral("入库退出,请输入负数!") : QStringLiteral("输入物品的入库数量!"));

    QPushButton *create = addButton(QStringLiteral("新建物品"), QStringLiteral("按下本按钮将新建物品资料!"));
    m_save = addButton(QStringLiteral("保存"), QStringLiteral("按下本按钮将物品加入入库单!"));
    QPushButton *back = addButton(QStringLiteral("返回"), QStringLiteral("按下本按钮将返回入库单!"));
    setEnterChain({m_price, m_quantity}, m_save);

    connect(create, &QPushButton::clicked, this, &TListProduceToInLibForm::openGoodsSetup);
    connect(m_save, &QPushButton::clicked, this, &TListProduceToInLibForm::save);
    connect(back, &QPushButton::clicked, this, [this] {
        emit lineWritten();
        close();
    });
    connect(searchButton, &QPushButton::clicked, this, &TListProduceToInLibForm::search);
    connect(m_search, &QLineEdit::returnPressed, this, &TListProduceToInLibForm::search);
    m_search->installEventFilter(this);
    connect(m_categories, &shell::DataGrid::currentRowChanged, this, &TListProduceToInLibForm::showCategory);
    connect(m_goods, &shell::DataGrid::rowActivated, this, &TListProduceToInLibForm::pickGoodsRow);

    try {
        const store::ListQuery q = categoryListQuery();
        m_categories->showQuery(shell::database(), q.sql, q.params);
        if (!m_categories->isEmpty())
            m_categories->setCurrentRow(0);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TListProduceToInLibForm::showCategory(int row)
{
    if (m_changing || row < 0)
        return;
    try {
        const store::ListQuery q = goodsListQuery(m_categories->value(row, QStringLiteral("物品类别")).toString());
        m_goods->showQuery(shell::database(), q.sql, q.params);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TListProduceToInLibForm::search()
{
    if (m_changing)
        return;
    m_lastSearch = m_search->text();
    try {
        const PickerSearch found = pickerSearch(shell::database(), m_search->text());
        m_goods->showQuery(shell::database(), found.list.sql, found.list.params);
        if (found.picked)
            pickGoods(*found.picked);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TListProduceToInLibForm::pickGoodsRow(int row)
{
    if (m_changing || row < 0)
        return;
    try {
        if (const auto goods = goodsByCode(shell::database(), m_goods->value(row, QStringLiteral("物品编号")).toString()))
            pickGoods(*goods);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TListProduceToInLibForm::pickGoods(const Goods &goods)
{
    if (m_changing)
        return;
    try {
        if (noteHasGoods(shell::database(), m_number, goods.code)) {
            shell::Messages::info(this, kGoodsAlreadyOnNote);
            return;
        }
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    m_code->setText(goods.code);
    m_name->setText(goods.name);
    m_size->setText(goods.specs);
    m_category->setText(goods.category);
    m_unit->setText(goods.unit);
    m_reference->setText(priceText(goods.purchasePrice.toDouble()));
    m_price->setText(priceText(goods.purchasePrice.toDouble()));
    m_quantity->clear();
    m_amount->clear();
    // A transfer arrives at the price it left with: the quantity is what is typed.
    (m_inType == kTransferIn ? m_quantity : m_price)->setFocus(Qt::OtherFocusReason);
}

void TListProduceToInLibForm::changeLine(const StockInLine &line)
{
    m_changing = true;
    m_lineId = line.id;
    m_code->setText(line.goodsCode);
    m_name->setText(line.name);
    m_size->setText(line.size);
    m_category->setText(line.category);
    m_unit->setText(line.unit);
    m_price->setText(priceText(line.price));
    m_quantity->setText(QString::number(line.quantity, 'g', 12));
    m_amount->setText(store::formatValue(line.amount.toVariant(), QStringLiteral("##0.00")));
    try {
        if (const auto goods = goodsByCode(shell::database(), line.goodsCode))
            m_reference->setText(store::formatValue(goods->purchasePrice.toVariant(), QStringLiteral("##0.00")));
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
    m_categories->setEnabled(false);
    m_goods->setEnabled(false);
    m_search->setEnabled(false);
    showStatus(QStringLiteral("现在处于修改状态,不能选择物品."));
    m_price->setFocus(Qt::OtherFocusReason);
}

QString TListProduceToInLibForm::numberText(QLineEdit *box) const
{
    return box->text().trimmed();
}

void TListProduceToInLibForm::priceLeft()
{
    const QString price = numberText(m_price);
    const QString quantity = numberText(m_quantity);
    if (price.isEmpty()) {
        m_price->setText(QStringLiteral("0.00"));
        m_amount->setText(QStringLiteral("0.00"));
    } else if (!quantity.isEmpty()) {
        m_amount->setText(amountText(price.toDouble(), quantity.toDouble()));
    } else {
        m_amount->setText(QStringLiteral("0.00"));
    }
}

void TListProduceToInLibForm::quantityLeft()
{
    if (m_returning && !m_changing && numberText(m_quantity).toDouble() > 0) {
        m_quantity->clear();
        shell::Messages::info(this, kReturnNeedsNegative);
    }
    const QString price = numberText(m_price);
    const QString quantity = numberText(m_quantity);
    if (quantity.isEmpty()) {
        m_quantity->setText(QStringLiteral("0.00"));
        m_amount->setText(QStringLiteral("0.00"));
    } else {
        m_amount->setText(price.isEmpty() ? QStringLiteral("0.00") : amountText(price.toDouble(), quantity.toDouble()));
    }
}

void TListProduceToInLibForm::save()
{
    if (numberText(m_code).isEmpty()) {
        shell::Messages::info(this, kNoGoodsChosen);
        if (!m_changing)
            m_goods->view()->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString price = numberText(m_price);
    const QString quantity = numberText(m_quantity);
    if (!m_changing && price.isEmpty()) {
        shell::Messages::info(this, kPriceEmpty);
        m_price->setText(QStringLiteral("0.00"));
        return;
    }
    if (m_changing && price.toDouble() == 0) {
        shell::Messages::info(this, kPriceZero);
        return;
    }
    if (quantity.toDouble() == 0) {
        shell::Messages::info(this, kQuantityZero);
        m_quantity->setFocus(Qt::OtherFocusReason);
        return;
    }

    StockInLine line;
    line.goodsCode = numberText(m_code);
    line.name = m_name->text();
    line.size = m_size->text();
    line.category = m_category->text();
    line.unit = m_unit->text();
    line.price = price.toDouble();
    line.quantity = quantity.toDouble();
    try {
        if (m_changing) {
            stock::changeLine(shell::database(), m_number, m_inType, m_lineId, line);
            emit lineWritten();
            close();
            return;
        }
        addPickedLine(shell::database(), m_number, m_inType, line);
    } catch (const store::RuleError &e) {
        shell::Messages::info(this, e.message());
        if (e.field() == QStringLiteral("物品数量"))
            m_quantity->setFocus(Qt::OtherFocusReason);
        return;
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    emit lineWritten();
    clearPanel();
    m_search->clear();
    m_lastSearch.clear();
    m_search->setFocus(Qt::OtherFocusReason);
}

void TListProduceToInLibForm::clearPanel()
{
    for (QLineEdit *box : {m_code, m_name, m_size, m_category, m_unit, m_reference, m_price, m_quantity, m_amount})
        box->clear();
}

void TListProduceToInLibForm::openGoodsSetup()
{
    const QString function = QStringLiteral("物品信息设置");
    if (!shell::isGranted(shell::database(), shell::currentOperator().code, function)) {
        shell::Messages::info(this, shell::kDefaultDenial);
        return;
    }
    QDialog *form = shell::createForm(QStringLiteral("TInitProductInfoForm"), this);
    if (!form)
        form = shell::createForm(function, this);
    if (!form) {
        shell::Messages::error(this, QStringLiteral("物品信息设置功能不可用!"));
        return;
    }
    form->exec();
    // Goods just set up are there to be picked.
    showCategory(m_categories->currentRow());
}

bool TListProduceToInLibForm::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving a box for another box runs its rules; a message box taking the focus does not.
    if (event->type() == QEvent::FocusOut
        && static_cast<QFocusEvent *>(event)->reason() != Qt::ActiveWindowFocusReason
        && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == m_price)
            priceLeft();
        else if (watched == m_quantity)
            quantityLeft();
        else if (watched == m_search && !m_changing && m_search->text() != m_lastSearch)
            search();
    }
    return FunctionForm::eventFilter(watched, event);
}

} // namespace stock
