#include "print/layouts/stockin.h"
#include "print/layouts/notepieces.h"
#include "print/capitalamount.h"
#include "print/rowsource.h"
#include "store/money.h"

namespace print {

Report stockInNoteLayout()
{
    Report r;
    r.name = QStringLiteral("入库单");
    r.page = PageSetup::a4Portrait();
    const qreal w = r.page.contentWidth();   // 190 mm

    Band &t = r.title;
    const Style plain{.pt = 10};
    t.label({0, 0, w, 10}, QStringLiteral("入库单"), {.pt = 16, .bold = true, .align = Align::Center});
    t.label({0, 13, 12, 6}, QStringLiteral("编号："), plain).value({12, 13, 48, 6}, QStringLiteral("入库单编号"), {}, plain);
    t.label({64, 13, 20, 6}, QStringLiteral("交货单位："), plain).value({84, 13, 56, 6}, QStringLiteral("交货单位"), {}, plain);
    t.label({142, 13, 20, 6}, QStringLiteral("入库日期："), plain)
        .value({162, 13, w - 162, 6}, QStringLiteral("入库日期"), QStringLiteral("YYYY-MM-DD"), plain);
    t.label({0, 20, 20, 6}, QStringLiteral("入库仓库："), plain).value({20, 20, 40, 6}, QStringLiteral("收料仓库"), {}, plain);
    t.label({64, 20, 12, 6}, QStringLiteral("摘要："), plain).value({76, 20, 64, 6}, QStringLiteral("摘要"), {}, plain);
    t.label({142, 20, 20, 6}, QStringLiteral("入库类型："), plain)
        .value({162, 20, w - 162, 6}, QStringLiteral("入库类型"), {}, plain);
    t.height = 28;

    addTable(r, {{"物品编号", "物品编号", 24, {}, Align::Center},
                 {"物品名称", "物品名称", 48},
                 {"物品规格", "物品规格", 30, {}, Align::Center},
                 {"单位", "物品单位", 14, {}, Align::Center},
                 {"单价(元)", "物品单价", 24, "##0.00", Align::Right},
                 {"数量", "物品数量", 22, "##0.000", Align::Right},
                 {"金额(元)", "金额合计", 28, "##0.00", Align::Right}});

    Band &s = r.summary;
    s.cells(0, 0, 7, {Cell::label("合  计：", 140), Cell::sum("物品数量", 22, "##0.000"),
                      Cell::sum("金额合计", 28, "##0.00")});
    s.label({0, 9, 28, 6}, QStringLiteral("人民币(大写):"), plain).computed({28, 9, w - 28, 6}, [](const Context &c) {
        return capitalAmount(store::Money::fromVariant(c.sum(QStringLiteral("金额合计"))));
    }, plain);
    s.label({0, 18, 16, 6}, QStringLiteral("制单人："), plain)
        .value({16, 18, 40, 6}, QStringLiteral("制单人"), {}, {.pt = 10, .underline = true});
    s.label({66, 18, 14, 6}, QStringLiteral("收货人:"), plain).value({80, 18, 40, 6}, QStringLiteral("经办人"), {}, plain);
    s.label({130, 18, 16, 6}, QStringLiteral("审核人："), plain).line({146, 23.5}, {w, 23.5});

    addPageNumbers(r);
    return r;
}

PageModel buildStockInNotePages(const QList<QVariantMap> &lines, const QVariantMap &values)
{
    return buildPages(stockInNoteLayout(), MapRows(lines), values);
}

} // namespace print
