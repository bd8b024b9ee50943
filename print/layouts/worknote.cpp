#include "print/layouts/worknote.h"
#include "print/preview.h"
#include "print/rowsource.h"

namespace print {

Report TPrintWorkNoteForm::layout()
{
    Report r;
    r.name = QStringLiteral("派工单");
    r.page = PageSetup::a4Portrait();
    const qreal w = r.page.contentWidth();   // 190 mm

    Band &h = r.pageHeader;
    h.value({0, 0, w, 10}, QStringLiteral("部门名称"), {}, {.pt = 18, .bold = true, .align = Align::Center});
    h.label({0, 10, w, 8}, QStringLiteral("派工单"), {.pt = 14, .bold = true, .align = Align::Center});
    const Style box{.pt = 9, .sides = AllSides};
    const QString date = QStringLiteral("YYYY-MM-DD");
    h.cells(0, 20, 7, {Cell::label("托修单号", 21), Cell::value("托修单编号", 26.5), Cell::label("车牌号码", 21),
                       Cell::value("车牌号码", 26.5), Cell::label("接车时间", 21), Cell::value("接车时间", 26.5, date),
                       Cell::label("预计完工时间", 21), Cell::value("预计完工时间", 26.5, date)}, box);
    h.cells(0, 27, 7, {Cell::label("车型", 21), Cell::value("车型", 24), Cell::label("VIN码", 14),
                       Cell::value("VIN码", 38), Cell::label("发动机码", 21), Cell::value("发动机号", 24.5),
                       Cell::label("接车里程", 21), Cell::value("接车里程", 26.5, "######", Align::Right)}, box);
    // The owner's mobile number follows the owner without a label of its own.
    h.cells(0, 34, 7, {Cell::label("车主", 21), Cell::value("托修单位", 44), Cell::value("联系手机", 24.5),
                       Cell::label("联系人", 21), Cell::value("联系人", 26.5), Cell::label("联系电话", 21),
                       Cell::value("联系电话", 32)}, box);
    h.cells(0, 41, 7, {Cell::label("地址", 21), Cell::value("地址", 68.5), Cell::label("邮编", 21),
                       Cell::value("邮编", 26.5), Cell::label("传真", 21), Cell::value("传真", 32)}, box);
    h.cells(0, 48, 7, {Cell::label("接车前检查", 21), Cell::value("接车前检查", w - 21)}, box);
    h.height = 57;

    // 工时 and 工时费 stay blank for the workshop to fill in; no price is printed.
    addTable(r, {{"维 修 项 目", "维修项目", 46},
                 {"工 时", {}, 14},
                 {"工时费", {}, 18},
                 {"材 料 名 称", "物品名称", 46},
                 {"单位", "单位", 12, {}, Align::Center},
                 {"数 量", "物品数量", 16, "##.###", Align::Center},
                 {"备  注", "备注", 38}},
             {.headerPt = 9.5, .pt = 9});

    Band &s = r.summary;
    s.cells(0, 0, 12, {Cell::label("备注", 30), Cell::value("备注", w - 30)}, {.pt = 9, .sides = AllSides, .wrap = true});
    const Style plain{.pt = 9};
    s.label({0, 16, 18, 7}, "业务接待：", plain).value({18, 16, 26, 7}, "业务接待", {}, plain);
    s.label({48, 16, 18, 7}, "维修技师：", plain).line({66, 21.5}, {92, 21.5});
    s.label({96, 16, 15, 7}, "质检员：", plain).line({111, 21.5}, {137, 21.5});
    s.label({142, 16, 18, 7}, "客户签名：", plain).line({160, 21.5}, {w, 21.5});

    r.pageFooter.label({0, 2, w, 5}, "第 {page} 页  共 {pages} 页", {.pt = 8, .align = Align::Center});
    return r;
}

PageModel TPrintWorkNoteForm::build(const QVariantMap &values, const QList<QVariantMap> &lines)
{
    return buildPages(layout(), MapRows(lines), values);
}

void TPrintWorkNoteForm::preview(const PageModel &pages, QWidget *parent)
{
    showPreview(pages, parent);
}

} // namespace print
