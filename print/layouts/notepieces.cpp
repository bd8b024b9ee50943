#include "print/layouts/notepieces.h"
#include "print/capitalamount.h"
#include "store/money.h"

namespace print {

namespace {
const Style kBox{.pt = 9, .sides = AllSides};
const Style kPlain{.pt = 9};
const QString kLabourTotal = QStringLiteral("工时费合计");
const QString kMaterialTotal = QStringLiteral("材料金额合计");
const QString kGrandTotal = QStringLiteral("整单金额合计");
} // namespace

void addCompanyTitle(Band &band, qreal width, const QString &title)
{
    band.value({0, 0, width, 10}, QStringLiteral("部门名称"), {}, {.pt = 18, .bold = true, .align = Align::Center});
    band.label({0, 10, width, 8}, title, {.pt = 14, .bold = true, .align = Align::Center});
}

void addPageNumbers(Report &r)
{
    r.pageFooter.label({0, 2, r.page.contentWidth(), 5}, QStringLiteral("第 {page} 页  共 {pages} 页"),
                       {.pt = 8, .align = Align::Center});
}

void addOrderNumberRow(Band &band, qreal y)
{
    band.cells(0, y, 7, {Cell::label("托修单号", 21), Cell::value("托修单编号", 26.5), Cell::label("车牌号码", 21),
                         Cell::value("车牌号码", 26.5), Cell::label("接车时间", 21),
                         Cell::value("接车时间", 26.5, "YYYY-MM-DD"), Cell::label("预计完工时间", 21),
                         Cell::value("预计完工时间", 26.5, "YYYY-MM-DD")}, kBox);
}

void addCompactVehicleRow(Band &band, qreal y)
{
    band.cells(0, y, 7, {Cell::label("车型", 21), Cell::value("车型", 24), Cell::label("VIN码", 14),
                         Cell::value("VIN码", 38), Cell::label("发动机码", 21), Cell::value("发动机号", 24.5),
                         Cell::label("接车里程", 21), Cell::value("接车里程", 26.5, "######", Align::Right)}, kBox);
}

void addOwnerRow(Band &band, qreal y)
{
    band.cells(0, y, 7, {Cell::label("车主", 21), Cell::value("托修单位", 68.5), Cell::label("联系人", 21),
                         Cell::value("联系人", 26.5), Cell::label("联系电话", 21), Cell::value("联系电话", 32)}, kBox);
}

void addAddressRow(Band &band, qreal y)
{
    band.cells(0, y, 7, {Cell::label("地址", 21), Cell::value("地址", 68.5), Cell::label("邮编", 21),
                         Cell::value("邮编", 26.5), Cell::label("传真", 21), Cell::value("传真", 32)}, kBox);
}

void addInspectionRow(Band &band, qreal y, qreal width)
{
    band.cells(0, y, 7, {Cell::label("接车前检查", 21), Cell::value("接车前检查", width - 21)}, kBox);
}

void addOrderLineTable(Report &r)
{
    addTable(r, {{"维 修 项 目", "维修项目", 40},
                 {"工 时", "工时", 14, "##.##", Align::Center},
                 {"工时费", "工时费", 20, "##0.00", Align::Right},
                 {"材 料 名 称", "物品名称", 44},
                 {"单位", "单位", 12, {}, Align::Center},
                 {"单 价", "物品单价", 20, "##0.00", Align::Right},
                 {"数量", "物品数量", 16, "##.###", Align::Center},
                 {"材料金额", "材料金额合计", 24, "##0.00", Align::Right}},
             {.headerPt = 9.5, .pt = 9});
}

void putNoteTotals(QVariantMap &values, store::Money labour, store::Money materialWithSurcharge, store::Money total)
{
    values.insert(kLabourTotal, labour.toVariant());
    values.insert(kMaterialTotal, materialWithSurcharge.toVariant());
    values.insert(kGrandTotal, total.toVariant());
}

void addNoteTotals(Band &summary, const QString &totalCaption)
{
    const QString yuan = QStringLiteral("￥##0.00");
    summary.cells(0, 0, 8, {Cell::label("工时费合计", 30), Cell::value(kLabourTotal, 65, yuan),
                            Cell::label("材料金额合计", 30), Cell::value(kMaterialTotal, 65, yuan)}, kBox);
    summary.cells(0, 8, 8, {Cell::label(totalCaption, 30), Cell::label("（大写）", 20),
                            Cell::computed([](const Context &c) {
                                return capitalAmount(store::Money::fromVariant(c.value(kGrandTotal)));
                            }, 90),
                            Cell::label("（小写）", 20), Cell::value(kGrandTotal, 30, yuan)},
                  {.pt = 9, .bold = true, .sides = AllSides});
}

void addRemarkBox(Band &band, qreal y, qreal width)
{
    band.cells(0, y, 12, {Cell::label("备注", 30), Cell::value("备注", width - 30)},
               {.pt = 9, .sides = AllSides, .wrap = true});
}

void addOrderStaffLine(Band &band, qreal y, qreal width)
{
    band.label({0, y, 18, 7}, "业务接待：", kPlain).value({18, y, 26, 7}, "业务接待", {}, kPlain);
    band.label({46, y, 18, 7}, "维修技师：", kPlain).value({64, y, 26, 7}, "维修技师", {}, kPlain);
    band.label({92, y, 15, 7}, "质检员：", kPlain).value({107, y, 26, 7}, "质检员", {}, kPlain);
    band.label({136, y, 18, 7}, "客户签名：", kPlain).line({154, y + 5.5}, {width, y + 5.5});
}

void addDepartmentLine(Band &band, qreal y, qreal width)
{
    band.line({0, y}, {width, y}, 0.15);
    band.label({0, y + 1, 10, 6}, "地址：", kPlain).value({10, y + 1, 84, 6}, "部门地址", {}, kPlain);
    band.label({96, y + 1, 10, 6}, "电话：", kPlain).value({106, y + 1, 38, 6}, "部门电话", {}, kPlain);
    band.label({146, y + 1, 10, 6}, "传真：", kPlain).value({156, y + 1, width - 156, 6}, "部门传真", {}, kPlain);
}

} // namespace print
