#pragma once
// The vehicle and its owner as a repair order and a settlement both carry them (the same
// columns in 托修单主表 and 结算单主表; 托修单位 holds the owner).

#include <QString>

namespace workshop {

struct NoteVehicle {
    QString plate;                  // 车牌号码
    QString model;                  // 车型
    QString colour;                 // 颜色
    QString vin;                    // VIN码
    QString engineNo;               // 发动机号
    int mileage = 0;                // 接车里程
    QString owner;                  // 托修单位 (shown as 车主)
    QString contact;                // 联系人
    QString phone;                  // 联系电话
    QString mobile;                 // 联系手机
    QString address;                // 地址
    QString postcode;               // 邮编
    QString fax;                    // 传真
};

} // namespace workshop
