#include "customers/customerrecords.h"

namespace customers {

std::optional<VehicleOwner> findByPlate(store::Db &db, const QString &plate)
{
    const auto row = db.one(QStringLiteral(
        "SELECT 车牌号码, 车型, 颜色, 车架码, 机头码, 里程数, 客户姓名, 单位, 联系人, 联系电话, 手机号码, 地址, 邮编, 传真 "
        "FROM 客户信息表 WHERE 车牌号码 = ?"), {plate});
    if (!row)
        return std::nullopt;
    VehicleOwner v;
    v.plate = row->value(0).toString();
    v.model = row->value(1).toString();
    v.colour = row->value(2).toString();
    v.vin = row->value(3).toString();
    v.engineNo = row->value(4).toString();
    v.mileage = row->value(5).toInt();
    v.owner = row->value(6).toString();
    v.company = row->value(7).toString();
    v.contact = row->value(8).toString();
    v.phone = row->value(9).toString();
    v.mobile = row->value(10).toString();
    v.address = row->value(11).toString();
    v.postcode = row->value(12).toString();
    v.fax = row->value(13).toString();
    return v;
}

RecordWrite createOrRefreshFromNote(store::Db &db, const VehicleOwner &n, NoteKind kind,
                                    const QString &department, const QDate &today)
{
    if (!db.exists(QStringLiteral("SELECT 1 FROM 客户信息表 WHERE 车牌号码 = ?"), {n.plate})) {
        db.execWrite(QStringLiteral(
            "INSERT INTO 客户信息表 (车牌号码, 车型, 颜色, 车架码, 机头码, 里程数, 单位, 客户姓名, 联系人, 联系电话, "
            "手机号码, 地址, 邮编, 传真, 建档时间, 建档部门) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
            {n.plate, n.model, n.colour, n.vin, n.engineNo, n.mileage, n.owner, n.owner, n.contact, n.phone,
             n.mobile, n.address, n.postcode, n.fax, today, department});
        return RecordWrite::Created;
    }
    QString sql = QStringLiteral(
        "UPDATE 客户信息表 SET 联系人 = ?, 手机号码 = ?, 车型 = ?, 颜色 = ?, 里程数 = ?, 车架码 = ?, 机头码 = ?, "
        "单位 = ?, 联系电话 = ?, 传真 = ?, 地址 = ?, 邮编 = ?");
    QVariantList params{n.contact, n.mobile, n.model, n.colour, n.mileage, n.vin, n.engineNo,
                        n.owner, n.phone, n.fax, n.address, n.postcode};
    if (kind == NoteKind::Settlement) {
        sql += QStringLiteral(", 客户姓名 = ?");
        params << n.owner;
    }
    sql += QStringLiteral(" WHERE 车牌号码 = ?");
    params << n.plate;
    db.execWrite(sql, params);
    return RecordWrite::Refreshed;
}

void setNextServiceDate(store::Db &db, const QString &plate, const QDate &date)
{
    db.execWrite(QStringLiteral("UPDATE 客户信息表 SET 换机油时间 = ? WHERE 车牌号码 = ?"), {date, plate});
}

} // namespace customers
