#pragma once
// The customer and vehicle record (客户信息表, one row per plate) as repair orders and
// settlements use it: look a plate up to fill a note, and create or refresh the record
// from a saved note. The note's save runs these inside its own transaction.

#include "store/db.h"

#include <QDate>
#include <optional>

namespace customers {

// The vehicle and owner columns a note shares with the customer record.
struct VehicleOwner {
    QString plate;          // 车牌号码
    QString model;          // 车型
    QString colour;         // 颜色
    QString vin;            // 车架码 (shown as VIN码)
    QString engineNo;       // 机头码 (shown as 发动机号)
    int mileage = 0;        // 里程数
    QString owner;          // 客户姓名 (a note's 托修单位, its 车主)
    QString company;        // 单位 (as read; a note writes its 车主 into it)
    QString contact;        // 联系人
    QString phone;          // 联系电话
    QString mobile;         // 手机号码
    QString address;        // 地址
    QString postcode;       // 邮编
    QString fax;            // 传真
};

// The record of a plate (matched exactly), if any.
std::optional<VehicleOwner> findByPlate(store::Db &db, const QString &plate);

enum class NoteKind {
    RepairOrder,    // a refresh leaves the record's 客户姓名 as it is
    Settlement,     // a refresh also writes 客户姓名
};

enum class RecordWrite { Created, Refreshed };

// Creates the record of a plate that has none (客户姓名 and 单位 = the note's 车主,
// 建档时间 = `today`, 建档部门 = the note's department), otherwise refreshes its vehicle
// and owner columns from the note. Whether the plate is new is decided here, against
// the table, so a record another workstation created meanwhile is refreshed rather
// than added twice. The due dates are never touched.
RecordWrite createOrRefreshFromNote(store::Db &db, const VehicleOwner &note, NoteKind kind,
                                    const QString &department, const QDate &today);

// Sets the date the next service falls due (换机油时间) of the plate's record.
void setNextServiceDate(store::Db &db, const QString &plate, const QDate &date);

} // namespace customers
