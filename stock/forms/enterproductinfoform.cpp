#include "stock/forms/enterproductinfoform.h"
#include "stock/forms/listproductobjectform.h"
#include "stock/goodsservice.h"
#include "stock/stockquery.h"
#include "store/ruleerror.h"

#include "shell/common/database.h"
#include "shell/common/messages.h"
#include "shell/common/operatorcontext.h"
#include "shell/common/textrules.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace stock {

namespace {
const QString kAddingMode = QStringLiteral("新增物品信息");
const QString kModifyingMode = QStringLiteral("修改物品信息");

const QString kName = QStringLiteral("物品全称");
const QString kBarcode = QStringLiteral("条形码");
const QString kSpec = QStringLiteral("物品规格");
const QString kBrand = QStringLiteral("品牌");
const QString kUnit = QStringLiteral("物品单位");
const QString kPurchase = QStringLiteral("参考进货价");
const QString kSale = QStringLiteral("参考销售价");
const QString kLowest = QStringLiteral("最低销售价");
const QString kUpper = QStringLiteral("最高库存限额");
const QString kLower = QStringLiteral("最低库存限额");
const QString kOpening = QStringLiteral("期初数量");

// Up to four decimals, at least two: "12.50", "3.1416".
QString priceText(store::Money m)
{
    QString s = m.toDecimalString();
    while (s.endsWith(QLatin1Char('0')) && s.indexOf(QLatin1Char('.')) < s.size() - 3)
        s.chop(1);
    return s;
}

QString numberText(std::optional<double> v)
{
    return v ? QString::number(*v, 'g', 15) : QString();
}

std::optional<double> numberOf(const QLineEdit *box, const QString &label)
{
    const QString t = box->text().trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok)
        throw store::RuleError(QStringLiteral("%1\"%2\"不是正确的数字,请重新输入!").arg(label, t), label);
    return v;
}

store::Money moneyOf(const QLineEdit *box, const QString &label)
{
    const QString t = box->text().trimmed();
    if (t.isEmpty())
        return {};
    bool ok = false;
    const store::Money m = store::Money::parse(t, &ok);
    if (!ok)
        throw store::RuleError(QStringLiteral("%1\"%2\"不是正确的金额,请重新输入!").arg(label, t), label);
    return m;
}
} // namespace

TEnterProDuctInfoForm::TEnterProDuctInfoForm(QWidget *parent) : FunctionForm(parent, QStringLiteral("物品信息管理"))
{
    auto *layout = new QGridLayout(body());
    m_category = new QLineEdit(body());
    m_category->setObjectName(QStringLiteral("categoryBox"));
    m_category->setReadOnly(true);
    m_category->installEventFilter(this);
    auto *categoryLabel = new QLabel(QStringLiteral("物品类别"), body());
    categoryLabel->setBuddy(m_category);
    layout->addWidget(categoryLabel, 0, 0);
    layout->addWidget(m_category, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("物品编号："), body()), 0, 2);
    m_codeLabel = new QLabel(body());
    m_codeLabel->setObjectName(QStringLiteral("codeLabel"));
    layout->addWidget(m_codeLabel, 0, 3);
    setHint(m_category, QStringLiteral("双击这里(或按F4)选择物品类别"));

    const QList<QPair<QString, int>> texts = {{kName, 50}, {kBarcode, 24}, {kSpec, 50}, {kBrand, 24}, {kUnit, 12}};
    const QStringList numbers = {kPurchase, kSale, kLowest, kUpper, kLower, kOpening};
    QList<QWidget *> chain;
    int at = 4;   // two label-box pairs a row, below the category row
    auto place = [&](const QString &label, QLineEdit *box) {
        auto *l = new QLabel(label, body());
        l->setBuddy(box);
        layout->addWidget(l, at / 4, at % 4);
        layout->addWidget(box, at / 4, at % 4 + 1);
        at += 2;
        m_boxes.append({label, box});
        chain << box;
        if (label == kOpening)
            m_openingLabel = l;
    };
    for (const auto &[label, bytes] : texts) {
        auto *box = new QLineEdit(body());
        shell::limitGbkBytes(box, bytes);
        place(label, box);
    }
    for (const QString &label : numbers) {
        auto *box = new QLineEdit(body());
        shell::makeDigitsOnly(box);
        box->setAlignment(Qt::AlignRight);
        place(label, box);
    }
    for (const QString &label : {kName, kBarcode, kLower})
        this->box(label)->installEventFilter(this);

    m_newButton = addButton(QStringLiteral("新增"));
    m_saveButton = addButton(QStringLiteral("保存"));
    addExitButton();
    connect(m_newButton, &QPushButton::clicked, this, &TEnterProDuctInfoForm::newGoods);
    connect(m_saveButton, &QPushButton::clicked, this, &TEnterProDuctInfoForm::save);
    setEnterChain(chain, m_saveButton);
    showStatus(QStringLiteral("新增物品时，请双击选择物品类别。"));
}

QLineEdit *TEnterProDuctInfoForm::box(const QString &label) const
{
    for (const auto &[l, b] : m_boxes)
        if (l == label)
            return b;
    return label == QStringLiteral("物品类别") ? m_category : nullptr;
}

void TEnterProDuctInfoForm::focusField(const QString &label)
{
    if (QLineEdit *b = box(label))
        b->setFocus(Qt::OtherFocusReason);
}

void TEnterProDuctInfoForm::clearEntries(bool keepStart)
{
    for (const auto &[label, b] : m_boxes)
        if (!keepStart || (label != kName && label != kBrand && label != kUnit))
            b->clear();
}

void TEnterProDuctInfoForm::enterAdding()
{
    const GoodsCode code = nextGoodsCode(shell::database(), m_category->text());
    m_code = code.code;
    m_sequence = code.sequence;
    m_codeLabel->setText(m_code);
    m_mode = kAddingMode;
    m_adding = true;
    m_modifying = false;
}

void TEnterProDuctInfoForm::startAdding(const QString &categoryName, const QString &name, const QString &brand,
                                        const QString &unit)
{
    setTitle(QStringLiteral("新增物品信息"));
    m_category->setEnabled(true);
    m_category->setText(categoryName);
    m_newButton->setVisible(true);
    m_openingLabel->setVisible(true);
    box(kOpening)->setVisible(true);
    clearEntries(false);
    box(kName)->setText(name);
    box(kBrand)->setText(brand);
    box(kUnit)->setText(unit);
    try {
        enterAdding();
    } catch (const store::RuleError &e) {
        shell::Messages::warning(this, e.message());
        m_category->clear();
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
    focusField(kName);
}

bool TEnterProDuctInfoForm::startModifying(const QString &goodsCode)
{
    std::optional<Goods> g;
    try {
        g = goodsByCode(shell::database(), goodsCode);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
        return false;
    }
    if (!g) {
        shell::Messages::warning(this, QStringLiteral("没有找到您所选择的物品编号的信息!"));
        return false;
    }
    setTitle(QStringLiteral("物品信息修改"));
    m_category->setText(g->category);
    m_category->setEnabled(false);
    m_newButton->setVisible(false);
    m_openingLabel->setVisible(false);
    box(kOpening)->setVisible(false);
    m_code = g->code;
    m_codeLabel->setText(g->code);
    box(kName)->setText(g->name);
    box(kBarcode)->setText(g->barcode);
    box(kSpec)->setText(g->specs);
    box(kBrand)->setText(g->brand);
    box(kUnit)->setText(g->unit);
    box(kPurchase)->setText(priceText(g->purchasePrice));
    box(kSale)->setText(priceText(g->salePrice));
    box(kLowest)->setText(priceText(g->lowestPrice));
    box(kUpper)->setText(numberText(g->upperLimit));
    box(kLower)->setText(numberText(g->lowerLimit));
    m_mode = kModifyingMode;
    m_modifying = true;
    m_adding = false;
    showStatus(QString());
    return true;
}

void TEnterProDuctInfoForm::chooseCategory()
{
    if (m_modifying || !m_category->isEnabled())
        return;
    const QString before = m_category->text();
    auto *chooser = new TListProDuctObjectForm(this);
    chooser->setCallerTag(QStringLiteral("物品设置"));
    if (chooser->exec() == QDialog::Accepted && !m_category->text().isEmpty())
        categoryPicked();
    else
        m_category->setText(before);
}

void TEnterProDuctInfoForm::categoryPicked()
{
    try {
        enterAdding();
        clearEntries(false);
        focusField(kName);
    } catch (const store::RuleError &e) {
        shell::Messages::warning(this, e.message());
        m_category->clear();
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TEnterProDuctInfoForm::newGoods()
{
    if (m_category->text().trimmed().isEmpty()) {
        shell::Messages::warning(this, QStringLiteral("请双击输入框选择一个物品类别!该项不能为空!"));
        return;
    }
    if (m_adding) {
        shell::Messages::warning(this, QStringLiteral("您已新增了一个物品信息,请先完成并保存后再进行新增!"));
        return;
    }
    if (m_modifying) {
        shell::Messages::warning(this, QStringLiteral("您正在修改物品信息状态,请先保存后再进行新建!"));
        return;
    }
    categoryPicked();
}

void TEnterProDuctInfoForm::nameLeft()
{
    const QString name = box(kName)->text().trimmed();
    if (!m_adding || name.isEmpty())
        return;
    try {
        if (!goodsWithName(shell::database(), name))
            return;
        emit clashFound(goodsWithNameQuery(name));
        shell::Messages::warning(this, QStringLiteral("资料表内已存在该相同名称的物品，不能再新增!"));
        box(kName)->clear();
        focusField(kName);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TEnterProDuctInfoForm::barcodeLeft()
{
    const QString barcode = box(kBarcode)->text().trimmed();
    if (!m_adding || barcode.isEmpty())
        return;
    try {
        if (!goodsWithBarcode(shell::database(), barcode))
            return;
        emit clashFound(goodsWithBarcodeQuery(barcode));
        shell::Messages::warning(this, QStringLiteral("资料表内已存在该相同条形码或编码的物品，条形码或编码不能重复!"));
        box(kBarcode)->clear();
        focusField(kBarcode);
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

void TEnterProDuctInfoForm::lowerLimitLeft()
{
    try {
        if (!limitsReversed(numberOf(box(kUpper), kUpper), numberOf(box(kLower), kLower)))
            return;
    } catch (const store::RuleError &) {
        return;   // a malformed number is reported by "保存"
    }
    shell::Messages::warning(this, QStringLiteral("最低库存限额大于最高库存限额这是不正确,请重新输入!"));
    box(kUpper)->clear();
    box(kLower)->clear();
    focusField(kUpper);
}

Goods TEnterProDuctInfoForm::readBoxes() const
{
    Goods g;
    g.code = m_code;
    g.category = m_category->text();
    g.name = box(kName)->text();
    g.barcode = box(kBarcode)->text();
    g.specs = box(kSpec)->text();
    g.brand = box(kBrand)->text();
    g.unit = box(kUnit)->text();
    g.purchasePrice = moneyOf(box(kPurchase), kPurchase);
    g.salePrice = moneyOf(box(kSale), kSale);
    g.lowestPrice = moneyOf(box(kLowest), kLowest);
    g.upperLimit = numberOf(box(kUpper), kUpper);
    g.lowerLimit = numberOf(box(kLower), kLower);
    return g;
}

void TEnterProDuctInfoForm::save()
{
    if (!m_adding && !m_modifying)
        return;
    try {
        const Goods g = readBoxes();
        const QString who = shell::currentOperator().name;
        if (m_adding) {
            const std::optional<double> opening = numberOf(box(kOpening), kOpening);
            addGoods(shell::database(), g, opening, who);
            const QString status = QStringLiteral("物品：%1 新增保存成功!").arg(g.name.trimmed());
            clearEntries(false);
            m_codeLabel->clear();
            m_code.clear();
            m_mode.clear();
            m_adding = false;
            showStatus(status);
            emit goodsSaved(status);
        } else {
            updateGoods(shell::database(), g, who);
            emit goodsSaved(QStringLiteral("物品：%1 修改保存成功!").arg(g.name.trimmed()));
            close();
        }
    } catch (const store::RuleError &e) {
        shell::Messages::warning(this, e.message());
        focusField(e.field());
    } catch (const store::DbError &e) {
        shell::Messages::error(this, e.message());
    }
}

bool TEnterProDuctInfoForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_category) {
        const bool f4 = event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F4;
        if (event->type() == QEvent::MouseButtonDblClick || f4) {
            chooseCategory();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut
               && static_cast<QFocusEvent *>(event)->reason() != Qt::ActiveWindowFocusReason
               && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == box(kName))
            nameLeft();
        else if (watched == box(kBarcode))
            barcodeLeft();
        else if (watched == box(kLower))
            lowerLimitLeft();
    }
    return FunctionForm::eventFilter(watched, event);
}

} // namespace stock
