#include "print/layouts/settlement.h"
#include "print/capitalamount.h"
#include "print/preview.h"
#include "print/rowsource.h"

namespace print {

namespace {

const QString kLabourTotal = QStringLiteral("工时费合计");
const QString kMaterialTotal = QStringLiteral("材料金额合计");
const QString kGrandTotal = QStringLiteral("整单金额合计");

Report settlementLayout(bool withRate)
{
    Report r;
    r.name = QStringLiteral("结算单");
    r.page = PageSetup::a4Portrait();
    const qreal w = r.page.contentWidth();   // 190 mm

    Band &h = r.pageHeader;
    h.value({0, 0, w, 10}, QStringLiteral("部门名称"), {}, {.pt = 18, .bold = true, .align = Align::Center});
    h.label({0, 10, w, 8}, QStringLiteral("材料及工时费结算明细表"), {.pt = 14, .bold = true, .align = Align::Center});
    h.label({146, 12, 12, 6}, QStringLiteral("单号："), {.pt = 9})
        .value({158, 12, w - 158, 6}, QStringLiteral("结算单编号"), {}, {.pt = 9});
    const Style box{.pt = 9, .sides = AllSides};
    const QString date = QStringLiteral("YYYY-MM-DD");
    h.cells(0, 20, 7, {Cell::label("车 主", 18), Cell::value("托修单位", 40), Cell::label("车牌号码", 18),
                       Cell::value("车牌号码", 28), Cell::label("接车时间", 18), Cell::value("接车时间", 25, date),
                       Cell::label("完工时间", 18), Cell::value("完工时间", 25, date)}, box);
    h.cells(0, 27, 7, {Cell::label("车 型", 18), Cell::value("车型", 30), Cell::label("VIN码", 18),
                       Cell::value("VIN码", 38), Cell::label("发动机码", 18), Cell::value("发动机号", 25),
                       Cell::label("接车里程", 18), Cell::value("接车里程", 25, "######", Align::Right)}, box);
    h.cells(0, 34, 7, {Cell::label("地 址", 18), Cell::value("地址", 40), Cell::label("联系人", 18),
                       Cell::value("联系人", 28), Cell::label("联系电话", 18), Cell::value("联系电话", 25),
                       Cell::label("传 真", 18), Cell::value("传真", 25)}, box);
    h.cells(0, 41, 7, {Cell::label("托修单号", 18), Cell::value("托修单编号", 40), Cell::label("结算类型", 18),
                       Cell::value("结算类型", 28), Cell::label("应结算时间", 18), Cell::value("应结算时间", 25, date),
                       Cell::label("结算员", 18), Cell::value("结算员", 25)}, box);
    h.height = 50;

    std::vector<Column> columns{{"维 修 项 目", "维修项目", withRate ? 34.0 : 42.0}};
    if (withRate)
        columns.push_back({"工时单价", "工时单价", 16, "##.##", Align::Right});
    columns.push_back({"工时", "工时", withRate ? 12.0 : 14.0, "##.##", Align::Center});
    columns.push_back({"工时费", "工时费", withRate ? 18.0 : 20.0, "##0.00", Align::Right});
    columns.push_back({"材 料 名 称", "物品名称", withRate ? 40.0 : 44.0});
    columns.push_back({"单位", "单位", 12, {}, Align::Center});
    columns.push_back({"单 价", "物品单价", 18, "##0.00", Align::Right});
    columns.push_back({"数量", "物品数量", 14, "##.###", Align::Center});
    columns.push_back({"材料金额", "材料金额合计", 26, "##0.00", Align::Right});
    addTable(r, columns, {.headerPt = 9.5, .pt = 9});

    Band &s = r.summary;
    const QString yuan = QStringLiteral("￥##0.00");
    s.cells(0, 0, 8, {Cell::label("工时费合计", 30), Cell::value(kLabourTotal, 65, yuan),
                      Cell::label("材料金额合计", 30), Cell::value(kMaterialTotal, 65, yuan)}, box);
    s.cells(0, 8, 8, {Cell::label("总  计", 30), Cell::label("（大写）", 20),
                      Cell::computed([](const Context &c) {
                          return capitalAmount(store::Money::fromVariant(c.value(kGrandTotal)));
                      }, 90),
                      Cell::label("（小写）", 20), Cell::value(kGrandTotal, 30, yuan)},
            {.pt = 9, .bold = true, .sides = AllSides});
    s.cells(0, 16, 12, {Cell::label("备注", 30), Cell::value("备注", w - 30)}, {.pt = 9, .sides = AllSides, .wrap = true});
    const Style plain{.pt = 9};
    s.label({0, 32, 18, 7}, "客户签名：", plain).line({18, 37.5}, {58, 37.5});
    s.label({60, 32, 18, 7}, "维修技师：", plain).value({78, 32, 26, 7}, "维修技师", {}, plain);
    s.label({106, 32, 18, 7}, "总质检员：", plain).value({124, 32, 22, 7}, "总质检员", {}, plain);
    s.label({148, 32, 15, 7}, "制单员：", plain).value({163, 32, w - 163, 7}, "制单员", {}, plain);
    s.line({0, 41}, {w, 41}, 0.15);
    s.label({0, 42, 10, 6}, "地址：", plain).value({10, 42, 84, 6}, "部门地址", {}, plain);
    s.label({96, 42, 10, 6}, "电话：", plain).value({106, 42, 38, 6}, "部门电话", {}, plain);
    s.label({146, 42, 10, 6}, "传真：", plain).value({156, 42, w - 156, 6}, "部门传真", {}, plain);

    r.pageFooter.label({0, 2, w, 5}, "第 {page} 页  共 {pages} 页", {.pt = 8, .align = Align::Center});
    return r;
}

} // namespace

void putNoteTotals(QVariantMap &values, store::Money labour, store::Money materialWithSurcharge, store::Money total)
{
    values.insert(kLabourTotal, labour.toVariant());
    values.insert(kMaterialTotal, materialWithSurcharge.toVariant());
    values.insert(kGrandTotal, total.toVariant());
}

Report TPrintPayNoteForm::layout()
{
    return settlementLayout(false);
}

PageModel TPrintPayNoteForm::build(const QVariantMap &values, const QList<QVariantMap> &lines)
{
    return buildPages(layout(), MapRows(lines), values);
}

void TPrintPayNoteForm::preview(const PageModel &pages, QWidget *parent)
{
    showPreview(pages, parent);
}

Report TPrintPayNote1Form::layout()
{
    return settlementLayout(true);
}

PageModel TPrintPayNote1Form::build(const QVariantMap &values, const QList<QVariantMap> &lines)
{
    return buildPages(layout(), MapRows(lines), values);
}

void TPrintPayNote1Form::preview(const PageModel &pages, QWidget *parent)
{
    showPreview(pages, parent);
}

} // namespace print
