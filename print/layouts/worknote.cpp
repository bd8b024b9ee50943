#include "print/layouts/worknote.h"
#include "print/layouts/notepieces.h"

namespace print {

Report TPrintWorkNoteForm::layout()
{
    Report r;
    r.name = QStringLiteral("派工单");
    r.page = PageSetup::a4Portrait();
    const qreal w = r.page.contentWidth();   // 190 mm

    Band &h = r.pageHeader;
    addCompanyTitle(h, w, QStringLiteral("派工单"));
    addOrderNumberRow(h, 20);
    addCompactVehicleRow(h, 27);
    // The owner's mobile number follows the owner without a label of its own.
    h.cells(0, 34, 7, {Cell::label("车主", 21), Cell::value("托修单位", 44), Cell::value("联系手机", 24.5),
                       Cell::label("联系人", 21), Cell::value("联系人", 26.5), Cell::label("联系电话", 21),
                       Cell::value("联系电话", 32)}, {.pt = 9, .sides = AllSides});
    addAddressRow(h, 41);
    addInspectionRow(h, 48, w);
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
    addRemarkBox(s, 0, w);
    const Style plain{.pt = 9};
    s.label({0, 16, 18, 7}, "业务接待：", plain).value({18, 16, 26, 7}, "业务接待", {}, plain);
    s.label({48, 16, 18, 7}, "维修技师：", plain).line({66, 21.5}, {92, 21.5});
    s.label({96, 16, 15, 7}, "质检员：", plain).line({111, 21.5}, {137, 21.5});
    s.label({142, 16, 18, 7}, "客户签名：", plain).line({160, 21.5}, {w, 21.5});

    addPageNumbers(r);
    return r;
}

} // namespace print
