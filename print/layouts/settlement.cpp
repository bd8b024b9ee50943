#include "print/layouts/settlement.h"

namespace print {

namespace {

Report settlementLayout(bool withRate)
{
    Report r;
    r.name = QStringLiteral("结算单");
    r.page = PageSetup::a4Portrait();
    const qreal w = r.page.contentWidth();   // 190 mm

    Band &h = r.pageHeader;
    addCompanyTitle(h, w, QStringLiteral("材料及工时费结算明细表"));
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
    addNoteTotals(s, QStringLiteral("总  计"));
    addRemarkBox(s, 16, w);
    const Style plain{.pt = 9};
    s.label({0, 32, 18, 7}, "客户签名：", plain).line({18, 37.5}, {58, 37.5});
    s.label({60, 32, 18, 7}, "维修技师：", plain).value({78, 32, 26, 7}, "维修技师", {}, plain);
    s.label({106, 32, 18, 7}, "总质检员：", plain).value({124, 32, 22, 7}, "总质检员", {}, plain);
    s.label({148, 32, 15, 7}, "制单员：", plain).value({163, 32, w - 163, 7}, "制单员", {}, plain);
    addDepartmentLine(s, 41, w);

    addPageNumbers(r);
    return r;
}

} // namespace

Report TPrintPayNoteForm::layout()
{
    return settlementLayout(false);
}

Report TPrintPayNote1Form::layout()
{
    return settlementLayout(true);
}

} // namespace print
