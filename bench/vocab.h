#pragma once
// Words the data generator builds its names from: people, vehicles, goods, services.

#include <QString>
#include <QStringList>

namespace bench::vocab {

const QStringList &surnames();
const QStringList &givenNameChars();
const QStringList &vehicleModels();
const QStringList &colours();
const QStringList &streets();
const QStringList &companySuffixes();
const QStringList &brands();
const QStringList &units();
const QStringList &inspectionNotes();

struct GoodsKind {
    QString category;              // 物品类别
    QStringList stems;             // goods names of the category
    QStringList specs;
    double lowPrice, highPrice;    // range of the purchase price
};
const QList<GoodsKind> &goodsKinds();

struct ServiceKind {
    QString category;              // 服务项目类别
    QStringList items;             // 服务项目名称
    double lowFee, highFee;
};
const QList<ServiceKind> &serviceKinds();

} // namespace bench::vocab
