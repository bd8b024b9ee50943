#include "print/examplenote.h"
#include "print/layouts/notepieces.h"
#include "print/capitalamount.h"
#include "print/rowsource.h"
#include "store/displayformat.h"
#include "store/money.h"

#include <QDateTime>

namespace print {

namespace {
using store::Money;

Money noteTotal(const Context &c)
{
    return Money::fromVariant(c.sum(QStringLiteral("工时费"))) + Money::fromVariant(c.sum(QStringLiteral("材料金额合计")));
}
} // namespace

Report exampleNoteLayout()
{
    Report r;
    r.name = QStringLiteral("托修单");
    r.page = PageSetup::a4Portrait();
    const qreal w = r.page.contentWidth();   // 190 mm

    addCompanyTitle(r.pageHeader, w, QStringLiteral("托 修 单"));
    r.pageHeader.label({140, 13, 12, 6}, QStringLiteral("单号："), {.pt = 9})
        .value({152, 13, w - 152, 6}, QStringLiteral("托修单编号"), {}, {.pt = 9});
    r.pageHeader.height = 21;

    addOrderNumberRow(r.title, 0);
    addCompactVehicleRow(r.title, 7);
    addOwnerRow(r.title, 14);
    addAddressRow(r.title, 21);
    addInspectionRow(r.title, 28, w);
    r.title.height = 38;

    addOrderLineTable(r);

    Band &s = r.summary;
    s.cells(0, 0, 8, {Cell::label("工时费合计", 30), Cell::sum("工时费", 65, "￥##0.00", Align::Left),
                      Cell::label("材料金额合计", 30), Cell::sum("材料金额合计", 65, "￥##0.00", Align::Left)},
            {.pt = 9, .sides = AllSides});
    s.cells(0, 8, 8, {Cell::label("总   计", 30), Cell::label("（大写）", 20),
                      Cell::computed([](const Context &c) { return capitalAmount(noteTotal(c)); }, 90),
                      Cell::label("（小写）", 20),
                      Cell::computed([](const Context &c) {
                          return store::formatValue(noteTotal(c).toVariant(), QStringLiteral("￥##0.00"));
                      }, 30)}, {.pt = 9, .bold = true, .sides = AllSides});
    addRemarkBox(s, 16, w);
    addOrderStaffLine(s, 32, w);
    const Style plain{.pt = 9};
    s.line({0, 41}, {w, 41}, 0.15);
    s.label({0, 42, 80, 6}, "地址：", plain).value({10, 42, 80, 6}, "部门地址", {}, plain);
    s.label({96, 42, 10, 6}, "电话：", plain).value({106, 42, 38, 6}, "部门电话", {}, plain);
    s.label({146, 42, 10, 6}, "传真：", plain).value({156, 42, 34, 6}, "部门传真", {}, plain);

    addPageNumbers(r);
    return r;
}

QVariantMap exampleNoteValues()
{
    return {
        {"部门名称", "骏程汽车维修中心"},
        {"部门地址", "广州市天河区中山大道西 88 号"},
        {"部门电话", "020-38881234"},
        {"部门传真", "020-38881235"},
        {"托修单编号", "000000000123"},
        {"车牌号码", "粤A·D1234"},
        {"接车时间", QDate(2024, 5, 6)},
        {"预计完工时间", QDate(2024, 5, 7)},
        {"车型", "丰田凯美瑞 2.5L"},
        {"VIN码", "LVGBE40K18G123456"},
        {"发动机号", "2AR1234567"},
        {"接车里程", 86420.0},
        {"托修单位", "广州市顺达物流有限公司"},
        {"联系人", "陈先生"},
        {"联系电话", "13800138000"},
        {"地址", "广州市白云区机场路 123 号"},
        {"邮编", "510405"},
        {"传真", "020-87654322"},
        {"接车前检查", "左前门轻微刮痕，油表约 1/4，随车工具齐全"},
        {"备注", "旧件已交客户带走。下次保养里程 91420 公里。"},
        {"业务接待", "李明"},
        {"维修技师", "王强"},
        {"质检员", "赵刚"},
    };
}

QList<QVariantMap> exampleNoteLines(int count)
{
    struct Line { const char *item; double hours; qint64 fee; const char *goods; const char *unit; qint64 price; double qty; };
    static const Line lines[] = {
        {"更换机油机滤", 0.5, 300000, "全合成机油 5W-30 4L", "桶", 2680000, 1},
        {"", 0, 0, "机油滤清器", "个", 450000, 1},
        {"四轮定位", 1, 1200000, "", "", 0, 0},
        {"更换前刹车片", 1.5, 1500000, "前刹车片（原厂）", "套", 4200000, 1},
        {"", 0, 0, "刹车油 DOT4", "瓶", 580000, 0.5},
        {"空调系统清洗", 1, 800000, "空调清洗剂", "瓶", 350000, 2},
        {"左前门钣金喷漆", 4, 4000000, "面漆", "升", 1800000, 0.25},
    };
    QList<QVariantMap> out;
    for (int i = 0; i < count; ++i) {
        const Line &l = lines[i % std::size(lines)];
        const Money price = Money::fromUnits(l.price);
        // A line is a labour item, a material or both; the other half stays empty.
        const bool labour = l.hours > 0;
        const bool material = l.qty > 0;
        out.append({{"维修项目", QString::fromUtf8(l.item)},
                    {"工时", labour ? QVariant(l.hours) : QVariant()},
                    {"工时费", labour ? Money::fromUnits(l.fee).toVariant() : QVariant()},
                    {"物品名称", QString::fromUtf8(l.goods)},
                    {"单位", QString::fromUtf8(l.unit)},
                    {"物品单价", material ? price.toVariant() : QVariant()},
                    {"物品数量", material ? QVariant(l.qty) : QVariant()},
                    {"材料金额合计", material ? price.times(l.qty).toVariant() : QVariant()}});
    }
    return out;
}

PageModel buildExampleNote(int lineCount)
{
    return buildPages(exampleNoteLayout(), MapRows(exampleNoteLines(lineCount)), exampleNoteValues());
}

} // namespace print
