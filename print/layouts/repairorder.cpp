#include "print/layouts/repairorder.h"
#include "print/layouts/notepieces.h"

namespace print {

Report TPrintProduNoteForm::layout()
{
    Report r;
    r.name = QStringLiteral("托修单");
    r.page = PageSetup::a4Portrait();
    const qreal w = r.page.contentWidth();   // 190 mm

    Band &h = r.pageHeader;
    addCompanyTitle(h, w, QStringLiteral("托修单"));
    const qreal y = 20;
    addOrderNumberRow(h, y);
    h.cells(0, y + 7, 7, {Cell::label("车型", 21), Cell::value("车型", 26.5), Cell::label("VIN码", 21),
                          Cell::value("VIN码", 26.5), Cell::label("发动机码", 21), Cell::value("发动机号", 26.5),
                          Cell::label("接车里程", 21), Cell::value("接车里程", 26.5, "######", Align::Right)},
            {.pt = 9, .sides = AllSides});
    addOwnerRow(h, y + 14);
    addAddressRow(h, y + 21);
    addInspectionRow(h, y + 28, w);
    h.height = y + 38;

    addOrderLineTable(r);

    Band &s = r.summary;
    addNoteTotals(s, QStringLiteral("总   计"));
    addRemarkBox(s, 16, w);
    addOrderStaffLine(s, 32, w);
    addDepartmentLine(s, 41, w);

    addPageNumbers(r);
    return r;
}

} // namespace print
