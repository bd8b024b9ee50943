#include "print/layouts/repairorder.h"
#include "print/capitalamount.h"
#include "print/preview.h"
#include "print/rowsource.h"
#include "store/money.h"

namespace print {

Report TPrintProduNoteForm::layout()
{
    Report r;
    r.name = QStringLiteral("托修单");
    r.page = PageSetup::a4Portrait();
    const qreal w = r.page.contentWidth();   // 190 mm
    const Style box{.pt = 9, .sides = AllSides};

    r.pageHeader.value({0, 0, w, 10}, QStringLiteral("部门名称"), {}, {.pt = 18, .bold = true, .align = Align::Center});
    r.pageHeader.label({0, 10, w, 8}, QStringLiteral("托修单"), {.pt = 14, .bold = true, .align = Align::Center});
    const qreal y = 20;
    r.pageHeader.cells(0, y, 7, {Cell::label("托修单号", 21), Cell::value("托修单编号", 26.5), Cell::label("车牌号码", 21),
                                 Cell::value("车牌号码", 26.5), Cell::label("接车时间", 21),
                                 Cell::value("接车时间", 26.5, "YYYY-MM-DD"), Cell::label("预计完工时间", 21),
                                 Cell::value("预计完工时间", 26.5, "YYYY-MM-DD")}, box);
    r.pageHeader.cells(0, y + 7, 7, {Cell::label("车型", 21), Cell::value("车型", 26.5), Cell::label("VIN码", 21),
                                     Cell::value("VIN码", 26.5), Cell::label("发动机码", 21), Cell::value("发动机号", 26.5),
                                     Cell::label("接车里程", 21), Cell::value("接车里程", 26.5, "######", Align::Right)}, box);
    r.pageHeader.cells(0, y + 14, 7, {Cell::label("车主", 21), Cell::value("托修单位", 68.5), Cell::label("联系人", 21),
                                      Cell::value("联系人", 26.5), Cell::label("联系电话", 21), Cell::value("联系电话", 32)}, box);
    r.pageHeader.cells(0, y + 21, 7, {Cell::label("地址", 21), Cell::value("地址", 68.5), Cell::label("邮编", 21),
                                      Cell::value("邮编", 26.5), Cell::label("传真", 21), Cell::value("传真", 32)}, box);
    r.pageHeader.cells(0, y + 28, 7, {Cell::label("接车前检查", 21), Cell::value("接车前检查", w - 21)}, box);
    r.pageHeader.height = y + 38;

    addTable(r, {{"维 修 项 目", "维修项目", 40},
                 {"工 时", "工时", 14, "##.##", Align::Center},
                 {"工时费", "工时费", 20, "##0.00", Align::Right},
                 {"材 料 名 称", "物品名称", 44},
                 {"单位", "单位", 12, {}, Align::Center},
                 {"单 价", "物品单价", 20, "##0.00", Align::Right},
                 {"数量", "物品数量", 16, "##.###", Align::Center},
                 {"材料金额", "材料金额合计", 24, "##0.00", Align::Right}},
             {.headerPt = 9.5, .pt = 9});

    Band &s = r.summary;
    s.cells(0, 0, 8, {Cell::label("工时费合计", 30), Cell::value("工时费合计", 65, "￥##0.00"),
                      Cell::label("材料金额合计", 30), Cell::value("材料金额合计", 65, "￥##0.00")}, box);
    s.cells(0, 8, 8, {Cell::label("总   计", 30), Cell::label("（大写）", 20),
                      Cell::computed([](const Context &c) {
                          return capitalAmount(store::Money::fromVariant(c.value(QStringLiteral("整单金额合计"))));
                      }, 90),
                      Cell::label("（小写）", 20), Cell::value("整单金额合计", 30, "￥##0.00")},
            {.pt = 9, .bold = true, .sides = AllSides});
    s.cells(0, 16, 12, {Cell::label("备注", 30), Cell::value("备注", w - 30)}, {.pt = 9, .sides = AllSides, .wrap = true});
    const Style plain{.pt = 9};
    s.label({0, 32, 18, 7}, "业务接待：", plain).value({18, 32, 26, 7}, "业务接待", {}, plain);
    s.label({46, 32, 18, 7}, "维修技师：", plain).value({64, 32, 26, 7}, "维修技师", {}, plain);
    s.label({92, 32, 15, 7}, "质检员：", plain).value({107, 32, 26, 7}, "质检员", {}, plain);
    s.label({136, 32, 18, 7}, "客户签名：", plain).line({154, 37.5}, {w, 37.5});
    s.line({0, 41}, {w, 41}, 0.15);
    s.label({0, 42, 10, 6}, "地址：", plain).value({10, 42, 84, 6}, "部门地址", {}, plain);
    s.label({96, 42, 10, 6}, "电话：", plain).value({106, 42, 38, 6}, "部门电话", {}, plain);
    s.label({146, 42, 10, 6}, "传真：", plain).value({156, 42, 34, 6}, "部门传真", {}, plain);

    r.pageFooter.label({0, 2, w, 5}, "第 {page} 页  共 {pages} 页", {.pt = 8, .align = Align::Center});
    return r;
}

PageModel TPrintProduNoteForm::build(const QVariantMap &values, const QList<QVariantMap> &lines)
{
    return buildPages(layout(), MapRows(lines), values);
}

void TPrintProduNoteForm::preview(const PageModel &pages, QWidget *parent)
{
    showPreview(pages, parent);
}

} // namespace print
