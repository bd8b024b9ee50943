#include "app/demodata.h"
#include "admin/dept/deptservice.h"
#include "admin/dept/employeeservice.h"
#include "customers/customerrecords.h"
#include "customers/suppliers/supplierservice.h"
#include "stock/categoryservice.h"
#include "stock/goodsservice.h"
#include "stock/stockin/stockinservice.h"
#include "store/blankdb.h"
#include "store/functions.h"
#include "store/numbering.h"
#include "store/password.h"
#include "workshop/serviceitems.h"

namespace app {

namespace {
const QString kAdmin = store::kSuperUserName;

store::Money yuan(const char *text) { return store::Money::parse(QString::fromUtf8(text)); }

void addBranches(store::Db &db)
{
    const struct { const char *name, *address, *phone; } branches[] = {
        {"骏程汽修星沙分店", "长沙县星沙大道 18 号", "0731-84001234"},
        {"骏程汽修河西分店", "岳麓区麓山南路 66 号", "0731-88005678"},
    };
    for (const auto &b : branches) {
        admin::Department d;
        d.code = admin::nextDepartmentCode(db);
        d.name = QString::fromUtf8(b.name);
        d.address = QString::fromUtf8(b.address);
        d.phone = QString::fromUtf8(b.phone);
        admin::addDepartment(db, d, kAdmin);
    }
    db.execWrite(QStringLiteral("UPDATE 部门信息 SET 车牌字头 = ?, 部门地址 = ?, 部门电话 = ? WHERE 部门编号 = ?"),
                 {QStringLiteral("湘A"), QStringLiteral("长沙市芙蓉区五一大道 1 号"), QStringLiteral("0731-82220000"),
                  store::kHeadOfficeCode});
}

void addStaff(store::Db &db)
{
    const struct { const char *name, *dept, *group, *grade; } staff[] = {
        {"李明", "骏程汽车维修中心", "前台", "主管"}, {"王强", "骏程汽车维修中心", "机修组", "技师"},
        {"赵刚", "骏程汽车维修中心", "质检组", "质检员"}, {"陈芳", "骏程汽车维修中心", "收银", "收银员"},
        {"刘洋", "骏程汽修星沙分店", "机修组", "技师"}, {"周敏", "骏程汽修河西分店", "美容组", "美容师"},
    };
    for (const auto &s : staff) {
        admin::Employee e;
        e.name = QString::fromUtf8(s.name);
        e.department = QString::fromUtf8(s.dept);
        e.group = QString::fromUtf8(s.group);
        e.grade = QString::fromUtf8(s.grade);
        admin::addEmployee(db, e, kAdmin);
    }
}

// A counter clerk of the head office with the rights of daily work.
void addClerk(store::Db &db)
{
    store::Transaction tx(db);
    const store::ReservedNumber code = store::reserveNumber(db, store::CounterKind::Operator, store::kHeadOfficeCode);
    db.execWrite(QStringLiteral("INSERT INTO 操作员信息表 (操作员代号, 操作员姓名, 操作员类别, 操作员密码, 所属部门, 部门编号) "
                                "VALUES (?, ?, ?, ?, ?, ?)"),
                 {code.number, QStringLiteral("陈芳"), QStringLiteral("操作员"), store::hashPassword(QStringLiteral("123456")),
                  store::kHeadOfficeName, store::kHeadOfficeCode});
    for (const char *f : {"托修单录入", "托修单查询", "结算单录入", "结算单查询", "物品查询", "修改密码"})
        db.execWrite(QStringLiteral("INSERT INTO 权限信息表 (操作员代号, 功能名称) VALUES (?, ?)"), {code.number, QString::fromUtf8(f)});
    tx.commit();
}

void addGoodsAndStock(store::Db &db)
{
    const struct { const char *category, *name, *size, *unit, *brand, *buy, *sell, *barcode; double qty; } goods[] = {
        {"机油", "全合成机油 5W-30 4L", "SN 4L", "桶", "美孚", "198", "268", "6901234500011", 40},
        {"机油", "半合成机油 10W-40 4L", "SL 4L", "桶", "壳牌", "128", "178", "6901234500028", 30},
        {"滤清器", "机油滤清器", "W712", "个", "曼牌", "25", "45", "6901234500035", 60},
        {"滤清器", "空气滤清器", "C2029", "个", "曼牌", "38", "68", "6901234500042", 40},
        {"刹车系统", "前刹车片（原厂）", "凯美瑞", "套", "博世", "260", "420", "6901234500059", 12},
        {"刹车系统", "刹车油 DOT4", "1L", "瓶", "博世", "35", "58", "6901234500066", 24},
        {"轮胎", "轮胎 205/55R16", "91V", "条", "米其林", "520", "720", "6901234500073", 16},
        {"美容用品", "空调清洗剂", "500ml", "瓶", "3M", "18", "35", "6901234500080", 48},
    };
    QStringList made;
    QList<stock::StockInLine> lines;
    for (const auto &g : goods) {
        const QString category = QString::fromUtf8(g.category);
        if (!made.contains(category)) {
            stock::addCategory(db, category, kAdmin);
            made << category;
        }
        stock::Goods item;
        item.name = QString::fromUtf8(g.name);
        item.specs = QString::fromUtf8(g.size);
        item.category = category;
        item.unit = QString::fromUtf8(g.unit);
        item.brand = QString::fromUtf8(g.brand);
        item.purchasePrice = yuan(g.buy);
        item.salePrice = yuan(g.sell);
        item.lowestPrice = yuan(g.buy);
        item.barcode = QString::fromUtf8(g.barcode);
        const QString code = stock::addGoods(db, item, std::nullopt, kAdmin);
        item.code = code;
        stock::StockInLine line = stock::lineForGoods(item, item.purchasePrice.toDouble(), g.qty);
        line.amount = stock::lineAmount(line.price, line.quantity);
        lines << line;
    }
    // The opening purchase, received into the head office's warehouse as a stock-in note.
    stock::StockInHeader header;
    header.date = QDate::currentDate();
    header.supplier = QStringLiteral("长沙汽配城供应站");
    header.warehouse = store::kHeadOfficeName;
    header.handler = QStringLiteral("李明");
    header.remark = QStringLiteral("演示数据: 期初采购");
    stock::enterStockInNote(db, header, lines, kAdmin);
}

void addSuppliers(store::Db &db)
{
    const struct { const char *name, *type, *contact, *phone; } list[] = {
        {"长沙汽配城供应站", "配件", "黄经理", "0731-85550001"},
        {"湖南美孚润滑油经销部", "油品", "孙小姐", "0731-85550002"},
        {"星城轮胎批发行", "轮胎", "吴先生", "0731-85550003"},
    };
    for (const auto &s : list) {
        customers::Supplier x;
        x.code = customers::nextSupplierCode(db);
        x.name = QString::fromUtf8(s.name);
        x.type = QString::fromUtf8(s.type);
        x.contact = QString::fromUtf8(s.contact);
        x.phone = QString::fromUtf8(s.phone);
        customers::addSupplier(db, x, kAdmin);
    }
}

void addServiceItems(store::Db &db)
{
    const struct { const char *category, *name, *fee; } items[] = {
        {"保养", "更换机油机滤", "30"}, {"保养", "更换空气滤清器", "20"}, {"保养", "四轮定位", "120"},
        {"机修", "更换前刹车片", "150"}, {"机修", "发动机故障检测", "100"},
        {"钣金喷漆", "单面喷漆", "400"}, {"美容", "空调系统清洗", "80"}, {"美容", "精致洗车", "30"},
    };
    QStringList made;
    for (const auto &i : items) {
        const QString category = QString::fromUtf8(i.category);
        if (!made.contains(category)) {
            workshop::addServiceCategory(db, category, kAdmin);
            made << category;
        }
        workshop::ServiceItem item;
        item.category = category;
        item.name = QString::fromUtf8(i.name);
        item.fee = yuan(i.fee);
        item.lowestFee = yuan(i.fee);
        workshop::addServiceItem(db, item, kAdmin);
    }
}

void addCustomersAndCardTypes(store::Db &db)
{
    const struct { const char *plate, *model, *colour, *owner, *phone; int km; } cars[] = {
        {"湘A12345", "丰田凯美瑞 2.5L", "白", "张伟", "13800001111", 86420},
        {"湘A88A12", "大众朗逸 1.5L", "银", "长沙顺达物流有限公司", "0731-86661234", 45210},
        {"湘AD1234", "比亚迪汉 EV", "黑", "王丽", "13900002222", 12030},
    };
    store::Transaction tx(db);
    for (const auto &c : cars) {
        customers::VehicleOwner v;
        v.plate = QString::fromUtf8(c.plate);
        v.model = QString::fromUtf8(c.model);
        v.colour = QString::fromUtf8(c.colour);
        v.owner = QString::fromUtf8(c.owner);
        v.phone = QString::fromUtf8(c.phone);
        v.mileage = c.km;
        customers::createOrRefreshFromNote(db, v, customers::NoteKind::Settlement, store::kHeadOfficeName,
                                           QDate::currentDate());
    }
    // Due dates inside the reminder window, so the due-reminder list has something to show.
    db.execWrite(QStringLiteral("UPDATE 客户信息表 SET 年审时间 = ?, 打腊时间 = ? WHERE 车牌号码 = ?"),
                 {QDate::currentDate().addDays(7), QDate::currentDate().addDays(10), QStringLiteral("湘A12345")});
    // Card types have no service of their own yet: the setup form writes exactly these two columns.
    for (const auto &[type, text] : {std::pair{"普通洗车卡", "10 次精致洗车"}, std::pair{"年卡", "一年内不限次数洗车"}})
        db.execWrite(QStringLiteral("INSERT INTO 会员类别信息表 (会员类别, 会员描述) VALUES (?, ?)"),
                     {QString::fromUtf8(type), QString::fromUtf8(text)});
    tx.commit();
}
} // namespace

void loadDemoData(store::Db &db)
{
    store::Transaction tx(db);
    addBranches(db);
    addStaff(db);
    addClerk(db);
    addSuppliers(db);
    addGoodsAndStock(db);
    addServiceItems(db);
    addCustomersAndCardTypes(db);
    tx.commit();
}

} // namespace app
