#include "workshop/forms/materialpickerform.h"
#include "workshop/forms/notelinegrid.h"
#include "workshop/forms/serviceitemchooser.h"
#include "workshop/forms/serviceitemform.h"
#include "workshop/workshoperror.h"
#include "shell/commandtable.h"
#include "shell/common/database.h"
#include "shell/common/datagrid.h"
#include "shell/common/enterchain.h"
#include "shell/common/formregistry.h"
#include "shell/common/gridview.h"
#include "shell/common/linemodel.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "shell/common/textrules.h"
#include "shell/loginservice.h"
#include "store/displayformat.h"

#include <QDialog>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace workshop {

namespace {
const QString kGoodsCategory = QStringLiteral("物品类别");
const QString kGoodsCode = QStringLiteral("物品编号");
const QString kGoodsName = QStringLiteral("物品名称");
const QString kGoodsSpec = QStringLiteral("物品规格");
const QString kZero = QStringLiteral("0.00");
const QString kGoodsForm = QStringLiteral("TEnterProDuctInfoForm");

// The permission gate for a function the picker opens; false after the refusal.
bool granted(QWidget *parent, const QString &function)
{
    try {
        if (shell::isGranted(shell::database(), shell::currentOperator().code, function))
            return true;
        shell::Messages::warning(parent, shell::kDefaultDenial);
    } catch (const store::DbError &e) {
        shell::Messages::error(parent, e.message());
    }
    return false;
}
} // namespace

QList<TListInforToProNoteForm::CallerTarget> TListInforToProNoteForm::callerTargets()
{
    return {{QStringLiteral("托修单录入"), "workshop::TEnterProduNoteForm"},
            {QStringLiteral("结算单录入"), "workshop::TEnterPayNoteForm"}};
}

QLineEdit *TListInforToProNoteForm::readOnlyBox()
{
    auto *box = new QLineEdit(body());
    box->setReadOnly(true);
    return box;
}

TListInforToProNoteForm::TListInforToProNoteForm(QWidget *opener)
    : FunctionForm(opener, QStringLiteral("项目材料选择录入")), m_opener(opener)
{
    resize(820, 600);
    auto *layout = new QGridLayout(body());
    const auto labelled = [&](QGridLayout *grid, int row, int column, const QString &text, QWidget *box) {
        auto *label = new QLabel(text, body());
        label->setBuddy(box);
        grid->addWidget(label, row, column);
        grid->addWidget(box, row, column + 1);
    };

    auto *top = new QGridLayout;
    m_number = readOnlyBox();
    m_search = new QLineEdit(body());
    m_searchButton = new QPushButton(QStringLiteral("查找"), body());
    labelled(top, 0, 0, QStringLiteral("单据编号"), m_number);
    labelled(top, 0, 2, QStringLiteral("查找物品："), m_search);
    top->addWidget(m_searchButton, 0, 4);
    layout->addLayout(top, 0, 0, 1, 2);

    m_categories = new shell::LineModel({{kGoodsCategory, shell::LineField::Text}}, this);
    m_categoryGrid = new shell::DataGrid(body());
    m_categoryGrid->setAccessibleName(QStringLiteral("物品类别"));
    m_categoryGrid->setModel(m_categories);
    m_categoryGrid->setColumns({{kGoodsCategory, QStringLiteral("物品类别"), {}, {}, false, false, 150}});
    m_goods = new shell::LineModel({{kGoodsCode, shell::LineField::Text}, {kGoodsName, shell::LineField::Text},
                                    {kGoodsSpec, shell::LineField::Text}},
                                   this);
    m_goodsGrid = new shell::DataGrid(body());
    m_goodsGrid->setAccessibleName(QStringLiteral("物品"));
    m_goodsGrid->setModel(m_goods);
    m_goodsGrid->setColumns({{kGoodsCode, QStringLiteral("物品编号"), {}, {}, false, false, 90},
                             {kGoodsName, QStringLiteral("物品名称"), {}, {}, false, false, 220},
                             {kGoodsSpec, QStringLiteral("物品规格"), {}, {}, false, false, 140}});
    layout->addWidget(m_categoryGrid, 1, 0);
    layout->addWidget(m_goodsGrid, 1, 1);
    layout->setColumnStretch(1, 3);
    layout->setRowStretch(1, 1);

    auto *goodsBox = new QGroupBox(QStringLiteral("物品"), body());
    auto *g = new QGridLayout(goodsBox);
    m_code = readOnlyBox();
    m_name = readOnlyBox();
    m_spec = readOnlyBox();
    m_category = readOnlyBox();
    m_unit = readOnlyBox();
    m_stock = readOnlyBox();
    m_price = new QLineEdit(body());
    m_quantity = new QLineEdit(body());
    m_charge = readOnlyBox();
    for (QLineEdit *box : {m_price, m_quantity}) {
        shell::makeDigitsOnly(box);
        shell::limitGbkBytes(box, 12);
    }
    labelled(g, 0, 0, QStringLiteral("物品编号"), m_code);
    labelled(g, 0, 2, QStringLiteral("物品名称"), m_name);
    labelled(g, 0, 4, QStringLiteral("物品规格"), m_spec);
    labelled(g, 1, 0, QStringLiteral("物品类别"), m_category);
    labelled(g, 1, 2, QStringLiteral("物品单位"), m_unit);
    labelled(g, 1, 4, QStringLiteral("库存数量"), m_stock);
    labelled(g, 2, 0, QStringLiteral("材料单价"), m_price);
    labelled(g, 2, 2, QStringLiteral("物品数量"), m_quantity);
    labelled(g, 2, 4, QStringLiteral("材料收费"), m_charge);
    layout->addWidget(goodsBox, 2, 0, 1, 2);

    auto *labourBox = new QGroupBox(QStringLiteral("维修项目"), body());
    auto *l = new QGridLayout(labourBox);
    m_item = new QLineEdit(body());
    m_item->setObjectName(kServiceItemBox);
    shell::limitGbkBytes(m_item, 100);
    m_fee = new QLineEdit(body());
    m_fee->setObjectName(kLabourFeeBox);
    shell::makeDigitsOnly(m_fee);
    m_remark = new QLineEdit(body());
    shell::limitGbkBytes(m_remark, 100);
    labelled(l, 0, 0, QStringLiteral("维修项目"), m_item);
    labelled(l, 0, 2, QStringLiteral("工时费"), m_fee);
    labelled(l, 1, 0, QStringLiteral("备注"), m_remark);
    l->setColumnStretch(1, 3);
    layout->addWidget(labourBox, 3, 0, 1, 2);

    auto *newItem = addButton(QStringLiteral("新建项目"), QStringLiteral("按下本按钮将新建维修项目!"));
    m_save = addButton(QStringLiteral("保存"), QStringLiteral("按下本按钮将把项目和材料加入单据!"));
    addExitButton();
    m_newGoods = addButton(QStringLiteral("新建物品"), QStringLiteral("按下本按钮将新建物品资料!"));
    if (!shell::hasForm(kGoodsForm)) {
        m_newGoods->setEnabled(false);
        m_newGoods->setToolTip(QStringLiteral("物品资料录入在本程序中尚未提供"));
    }

    setHint(m_search, QStringLiteral("输入物品的名称或规格可以进行模糊查询！"));
    showStatus(QStringLiteral("双击选择托修项目或物品资料。"));

    setEnterChain({m_price, m_quantity, m_charge}, m_save);
    (new shell::EnterChain(this))->setChain({m_item, m_fee, m_remark}, m_save);
    (new shell::EnterChain(this))->setChain({m_search}, m_goodsGrid->view());

    for (QWidget *w : {static_cast<QWidget *>(m_search), static_cast<QWidget *>(m_price),
                       static_cast<QWidget *>(m_quantity), static_cast<QWidget *>(m_item)})
        w->installEventFilter(this);
    connect(m_searchButton, &QPushButton::clicked, this, &TListInforToProNoteForm::searchClicked);
    connect(m_categoryGrid, &shell::DataGrid::currentRowChanged, this, &TListInforToProNoteForm::listCategory);
    connect(m_categoryGrid->view(), &QAbstractItemView::clicked, this, &TListInforToProNoteForm::listCategory);
    connect(m_goodsGrid, &shell::DataGrid::rowActivated, this, &TListInforToProNoteForm::pickRow);
    connect(m_save, &QPushButton::clicked, this, &TListInforToProNoteForm::saveClicked);
    connect(newItem, &QPushButton::clicked, this, &TListInforToProNoteForm::newItemClicked);
    connect(m_newGoods, &QPushButton::clicked, this, &TListInforToProNoteForm::newGoodsClicked);

    try {
        for (const QString &name : goodsCategoryNames(shell::database()))
            m_categories->appendLine({{kGoodsCategory, name}});
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TListInforToProNoteForm::setNoteNumber(const QString &number)
{
    m_number->setText(number);
}

void TListInforToProNoteForm::listCategory()
{
    const int row = m_categoryGrid->currentRow();
    if (row < 0)
        return;
    try {
        showGoods(goodsInCategory(shell::database(), m_categories->value(row, kGoodsCategory).toString()));
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TListInforToProNoteForm::showGoods(const QList<CatalogueGoods> &goods)
{
    m_goods->clear();
    for (const CatalogueGoods &g : goods)
        m_goods->appendLine({{kGoodsCode, g.code}, {kGoodsName, g.name}, {kGoodsSpec, g.specs}});
}

void TListInforToProNoteForm::searchLeft()
{
    if (m_search->text().trimmed().isEmpty())
        return;
    try {
        const GoodsSearch found = searchGoods(shell::database(), m_search->text(), true);
        showGoods(found.found);
        if (found.pickAtOnce)
            pickRow(0);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TListInforToProNoteForm::searchClicked()
{
    try {
        showGoods(searchGoods(shell::database(), m_search->text(), false).found);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TListInforToProNoteForm::pickRow(int row)
{
    if (row < 0 || row >= m_goods->lineCount())
        return;
    PickedGoods picked;
    try {
        picked = pickGoods(shell::database(), m_goods->value(row, kGoodsCode).toString(), m_warehouse);
    } catch (const WorkshopError &e) {
        shell::Messages::warning(this, e.message());
        return;
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return;
    }
    m_code->setText(picked.goods.code);
    m_name->setText(picked.goods.name);
    m_spec->setText(picked.goods.specs);
    m_category->setText(picked.goods.category);
    m_unit->setText(picked.goods.unit);
    m_price->setText(picked.goods.salePrice.toString2());
    m_stock->setText(store::formatNumber(picked.stock, QStringLiteral("##0.000")));
    m_cost = picked.cost;
    m_price->setFocus(Qt::OtherFocusReason);
    m_price->selectAll();
}

namespace {
// The price and quantity boxes: leaving one with the other filled shows 材料收费.
void settle(QLineEdit *left, QLineEdit *other, QLineEdit *charge)
{
    if (left->text().trimmed().isEmpty()) {
        left->setText(kZero);
        charge->setText(kZero);
        return;
    }
    if (other->text().trimmed().isEmpty()) {
        other->setText(kZero);
        charge->setText(kZero);
        return;
    }
    const auto value = materialCharge(left->text(), other->text());
    charge->setText(value ? store::formatNumber(*value, QStringLiteral("##0.0000")) : kZero);
}
} // namespace

void TListInforToProNoteForm::priceLeft()
{
    settle(m_price, m_quantity, m_charge);
}

void TListInforToProNoteForm::quantityLeft()
{
    settle(m_quantity, m_price, m_charge);
}

void TListInforToProNoteForm::quantityEntered()
{
    if (m_price->text().trimmed().isEmpty()) {
        m_price->setText(kZero);
        m_charge->setText(kZero);
    } else if (m_quantity->text().trimmed().isEmpty()) {
        m_charge->setText(kZero);
    } else {
        const auto value = materialCharge(m_price->text(), m_quantity->text());
        m_charge->setText(value ? store::formatNumber(*value, QStringLiteral("##0.0000")) : kZero);
    }
}

NoteLineReceiver *TListInforToProNoteForm::receiver() const
{
    for (const CallerTarget &t : callerTargets())
        if (t.tag == m_tag && m_opener && m_opener->inherits(t.openerClass))
            return dynamic_cast<NoteLineReceiver *>(m_opener);
    return nullptr;
}

void TListInforToProNoteForm::saveClicked()
{
    NoteLineReceiver *caller = receiver();
    if (!caller)
        return;
    if (m_quantity->text().trimmed().isEmpty()) {
        m_price->setText(kZero);
        m_quantity->setText(kZero);
        m_charge->setText(kZero);
    }
    const NoteLine line = lineFromPicker({m_item->text(), m_fee->text(), m_remark->text(), m_code->text(),
                                          m_name->text(), m_unit->text(), m_cost, m_price->text(),
                                          m_quantity->text()});
    // A line with neither a labour item nor a goods would never be stored.
    if (line.isBlank()) {
        showStatus(QStringLiteral("请选择物品或输入维修项目后再保存!"));
        m_search->setFocus(Qt::OtherFocusReason);
        return;
    }
    caller->receiveLine(line);
    clearEntry();
    m_search->clear();
    m_search->setFocus(Qt::OtherFocusReason);
}

void TListInforToProNoteForm::clearEntry()
{
    for (QLineEdit *box : {m_code, m_name, m_spec, m_category, m_unit, m_stock, m_price, m_quantity, m_charge, m_item,
                           m_fee, m_remark})
        box->clear();
    m_cost.reset();
}

void TListInforToProNoteForm::openServiceItems()
{
    auto *chooser = new TListServiceItemForm(this);
    chooser->setCallerTag(QStringLiteral("托收单录入"));
    chooser->exec();
}

void TListInforToProNoteForm::newItemClicked()
{
    if (!granted(this, QStringLiteral("服务项目设置")))
        return;
    (new TInitServiceItemForm(this))->exec();
}

void TListInforToProNoteForm::newGoodsClicked()
{
    if (!granted(this, QStringLiteral("物品信息设置")))
        return;
    if (QDialog *form = shell::createForm(kGoodsForm, this)) {
        form->exec();
        // The new goods can be picked at once.
        if (!m_search->text().trimmed().isEmpty())
            searchClicked();
        else
            listCategory();
    }
}

bool TListInforToProNoteForm::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    // Focus that only leaves with the window (a message, another form) leaves nothing.
    const bool leavingWindow = type == QEvent::FocusOut
        && (static_cast<QFocusEvent *>(event)->reason() == Qt::ActiveWindowFocusReason
            || static_cast<QFocusEvent *>(event)->reason() == Qt::PopupFocusReason);
    if (leavingWindow)
        return FunctionForm::eventFilter(watched, event);
    if (watched == m_search && type == QEvent::FocusOut)
        searchLeft();
    else if (watched == m_price && type == QEvent::FocusOut)
        priceLeft();
    else if (watched == m_quantity && type == QEvent::FocusOut)
        quantityLeft();
    else if (watched == m_quantity && type == QEvent::FocusIn)
        quantityEntered();
    else if (watched == m_item && type == QEvent::MouseButtonDblClick)
        openServiceItems();
    return FunctionForm::eventFilter(watched, event);
}

} // namespace workshop
