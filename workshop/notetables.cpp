#include "workshop/notetables.h"
#include "workshop/workshoperror.h"
#include "store/journal.h"

#include <algorithm>

namespace workshop {

namespace {

// The line columns after the key; 工时单价 only where the lines carry it.
QStringList lineColumns(const NoteTables &t)
{
    QStringList columns{QStringLiteral("维修项目")};
    if (t.labourRate)
        columns << QStringLiteral("工时单价");
    columns << QStringLiteral("工时") << QStringLiteral("工时费") << QStringLiteral("物品编号")
            << QStringLiteral("物品名称") << QStringLiteral("单位") << QStringLiteral("物品成本价")
            << QStringLiteral("物品单价") << QStringLiteral("物品数量") << QStringLiteral("材料总成本")
            << QStringLiteral("材料金额合计") << QStringLiteral("备注");
    return columns;
}

QString placeholders(qsizetype count)
{
    return QStringLiteral("?,").repeated(count - 1) + QStringLiteral("?");
}

QVariant orNull(const std::optional<double> &v)
{
    return v ? QVariant(*v) : QVariant(QMetaType::fromType<double>());
}

std::optional<double> numberOrNone(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return std::nullopt;
    return v.toDouble();
}

} // namespace

const NoteTables &repairOrderTables()
{
    static const NoteTables t{QStringLiteral("托修单"), QStringLiteral("托修单主表"), QStringLiteral("托修单子表"),
                              QStringLiteral("托修单编号"), QStringLiteral("托修单明细编号"),
                              store::CounterKind::RepairOrder, false};
    return t;
}

const NoteTables &settlementTables()
{
    static const NoteTables t{QStringLiteral("结算单"), QStringLiteral("结算单主表"), QStringLiteral("结算单子表"),
                              QStringLiteral("结算单编号"), QStringLiteral("结算单明细编号"),
                              store::CounterKind::Settlement, true};
    return t;
}

QString beginNote(store::Db &db, const NoteTables &t, const QString &department)
{
    const QString code = store::departmentCodeByName(db, department);
    if (code.isEmpty())
        throw WorkshopError(
            QStringLiteral("没有找到部门\"%1\",无法生成%2号,请检查部门信息!").arg(department, t.noun));
    store::Transaction tx(db);
    const store::ReservedNumber reserved = store::reserveNumber(db, t.counter, code);
    db.execWrite(QStringLiteral("INSERT INTO %1 (%2, 服务部门) VALUES (?, ?)").arg(t.header, t.key),
                 {reserved.number, department});
    tx.commit();
    return reserved.number;
}

void abandonNote(store::Db &db, const NoteTables &t, const QString &number)
{
    if (number.isEmpty())
        return;
    store::Transaction tx(db);
    db.execWrite(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(t.lines, t.key), {number});
    db.execWrite(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(t.header, t.key), {number});
    tx.commit();
}

QList<NoteLine> readNoteLines(store::Db &db, const NoteTables &t, const QString &number)
{
    QList<NoteLine> lines;
    QSqlQuery q = db.exec(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? ORDER BY %4")
                              .arg(lineColumns(t).join(QStringLiteral(", ")), t.lines, t.key, t.lineOrder),
                          {number});
    const int shift = t.labourRate ? 1 : 0;   // the columns after 工时单价 move by one
    while (q.next()) {
        NoteLine l;
        l.item = q.value(0).toString();
        if (t.labourRate)
            l.labourRate = numberOrNone(q.value(1));
        l.hours = numberOrNone(q.value(1 + shift));
        l.labourFee = numberOrNone(q.value(2 + shift));
        l.goodsCode = q.value(3 + shift).toString();
        l.goodsName = q.value(4 + shift).toString();
        l.unit = q.value(5 + shift).toString();
        l.unitCost = numberOrNone(q.value(6 + shift));
        l.unitPrice = numberOrNone(q.value(7 + shift));
        l.quantity = numberOrNone(q.value(8 + shift));
        l.remark = q.value(11 + shift).toString();
        lines.append(l);
    }
    return lines;
}

int writeNoteLines(store::Db &db, const NoteTables &t, const QString &number, const QList<NoteLine> &lines)
{
    db.execWrite(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(t.lines, t.key), {number});
    const QStringList columns = lineColumns(t);
    QSqlQuery &insert = db.prepared(QStringLiteral("INSERT INTO %1 (%2, %3) VALUES (%4)")
                                        .arg(t.lines, t.key, columns.join(QStringLiteral(", ")),
                                             placeholders(columns.size() + 1)));
    int stored = 0;
    for (const NoteLine &l : lines) {
        if (l.isBlank())
            continue;
        QVariantList values{number, l.item};
        if (t.labourRate)
            values << orNull(l.labourRate);
        values << orNull(l.hours) << orNull(l.labourFee) << l.goodsCode << l.goodsName << l.unit << orNull(l.unitCost)
               << orNull(l.unitPrice) << orNull(l.quantity) << l.materialCost() << l.materialAmount() << l.remark;
        db.run(insert, values);
        ++stored;
    }
    return stored;
}

void writeNoteHeader(store::Db &db, const NoteTables &t, const QString &number, SaveMode mode, const HeaderWrite &w)
{
    QStringList assignments;
    for (const QString &c : w.columns)
        assignments << c + QStringLiteral(" = ?");
    for (const QString &flag : w.zeroFlags)
        assignments << flag + QStringLiteral(" = 0");
    QVariantList params = w.values;
    params << number;
    if (db.execWrite(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                         .arg(t.header, assignments.join(QStringLiteral(", ")), t.key),
                     params) > 0)
        return;
    if (mode == SaveMode::Modify)
        throw WorkshopError(QStringLiteral("没有找到%1%2,该%1可能已经被删除!").arg(t.noun, number));
    // The reserved header row is gone (removed from elsewhere).
    const QStringList columns = w.columns + w.insertOnlyColumns + QStringList{t.key};
    QStringList values(columns.size(), QStringLiteral("?"));
    values += QStringList(w.zeroFlags.size(), QStringLiteral("0"));
    params = w.values + w.insertOnlyValues;
    params << number;
    db.execWrite(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                     .arg(t.header, (columns + w.zeroFlags).join(QStringLiteral(", ")),
                          values.join(QStringLiteral(","))),
                 params);
}

QStringList vehicleColumns()
{
    return {QStringLiteral("车牌号码"), QStringLiteral("车型"), QStringLiteral("颜色"), QStringLiteral("VIN码"),
            QStringLiteral("发动机号"), QStringLiteral("接车里程"), QStringLiteral("托修单位"), QStringLiteral("联系人"),
            QStringLiteral("联系电话"), QStringLiteral("联系手机"), QStringLiteral("地址"), QStringLiteral("邮编"),
            QStringLiteral("传真")};
}

QVariantList vehicleValues(const NoteVehicle &v)
{
    return {v.plate, v.model, v.colour, v.vin, v.engineNo, v.mileage, v.owner,
            v.contact, v.phone, v.mobile, v.address, v.postcode, v.fax};
}

void readVehicle(NoteVehicle &v, const QSqlRecord &row)
{
    const auto text = [&](const char *column) { return row.value(QString::fromUtf8(column)).toString(); };
    v.plate = text("车牌号码");
    v.model = text("车型");
    v.colour = text("颜色");
    v.vin = text("VIN码");
    v.engineNo = text("发动机号");
    v.mileage = row.value(QStringLiteral("接车里程")).toInt();
    v.owner = text("托修单位");
    v.contact = text("联系人");
    v.phone = text("联系电话");
    v.mobile = text("联系手机");
    v.address = text("地址");
    v.postcode = text("邮编");
    v.fax = text("传真");
}

customers::VehicleOwner vehicleOwnerOf(const NoteVehicle &n)
{
    customers::VehicleOwner v;
    v.plate = n.plate;
    v.model = n.model;
    v.colour = n.colour;
    v.vin = n.vin;
    v.engineNo = n.engineNo;
    v.mileage = n.mileage;
    v.owner = n.owner;
    v.company = n.owner;
    v.contact = n.contact;
    v.phone = n.phone;
    v.mobile = n.mobile;
    v.address = n.address;
    v.postcode = n.postcode;
    v.fax = n.fax;
    return v;
}

void checkNote(const NoteVehicle &v, const QDate &received, const QDate &finish, const QString &finishBox,
               const QList<NoteLine> &lines)
{
    if (v.plate.trimmed().isEmpty())
        throw WorkshopError(QStringLiteral("请输入车牌号码,以便以后进行查询与分析!"), QStringLiteral("车牌号码"));
    if (received.isValid() && finish.isValid() && finish < received)
        throw WorkshopError(QStringLiteral("完工时间不正确,接车时间不能大于完工时间"), finishBox);
    if (std::all_of(lines.begin(), lines.end(), [](const NoteLine &l) { return l.isBlank(); }))
        throw WorkshopError(QStringLiteral("请双击表格选择维修项目和材料,再进行保存!"));
}

void writeNoteJournal(store::Db &db, const NoteTables &t, SaveMode mode, const QString &number, const QString &who)
{
    store::writeJournal(db, (mode == SaveMode::New ? QStringLiteral("新增") : QStringLiteral("修改")) + t.noun
                                + QLatin1Char(':') + number,
                        who);
}

QVariant dateOrNull(const QDate &d)
{
    return d.isValid() ? QVariant(d) : QVariant(QMetaType::fromType<QDate>());
}

} // namespace workshop
