#pragma once
// How the repair order and settlement services keep a note: a header row reserved under
// the department's next number, the lines in a child table in entry order (blank lines
// never stored), the vehicle and owner columns both headers carry, and the header written
// over its reserved row. Used by repairorders.cpp and settlements.cpp only.

#include "workshop/repairorders.h"
#include "customers/customerrecords.h"
#include "store/numbering.h"

#include <QSqlRecord>

namespace workshop {

struct NoteTables {
    QString noun;               // 托修单 / 结算单, as messages name the note
    QString header;             // 托修单主表
    QString lines;              // 托修单子表
    QString key;                // 托修单编号
    QString lineOrder;          // 托修单明细编号
    store::CounterKind counter;
    bool labourRate;            // the lines carry 工时单价
};
const NoteTables &repairOrderTables();
const NoteTables &settlementTables();

// Reserves the department's next number and inserts its header row (key, 服务部门) in one
// transaction. Throws WorkshopError for an unknown department.
QString beginNote(store::Db &db, const NoteTables &t, const QString &department);
// Deletes the lines and the header of a reserved note.
void abandonNote(store::Db &db, const NoteTables &t, const QString &number);

QList<NoteLine> readNoteLines(store::Db &db, const NoteTables &t, const QString &number);
// Replaces the note's lines by the non-blank ones; returns how many were stored.
int writeNoteLines(store::Db &db, const NoteTables &t, const QString &number, const QList<NoteLine> &lines);

// The header row of a save: `columns` = `values` both ways; `zeroFlags` set to 0 both
// ways; `insertOnly` columns only when the reserved row has to be inserted again.
struct HeaderWrite {
    QStringList columns;
    QVariantList values;
    QStringList zeroFlags;
    QStringList insertOnlyColumns;
    QVariantList insertOnlyValues;
};
// Updates the reserved header row. When it is gone, a modification is refused
// ("没有找到…,该…可能已经被删除!") and a new note is inserted under its number rather
// than losing what the clerk entered.
void writeNoteHeader(store::Db &db, const NoteTables &t, const QString &number, SaveMode mode, const HeaderWrite &w);

// 车牌号码, 车型, ..., 传真 and their values, in the same order.
QStringList vehicleColumns();
QVariantList vehicleValues(const NoteVehicle &v);
void readVehicle(NoteVehicle &v, const QSqlRecord &row);
// The customer record a save creates or refreshes (托修单位 also as 单位名称).
customers::VehicleOwner vehicleOwnerOf(const NoteVehicle &v);

// The save checks both notes make: a plate, a finish date not before the reception
// (`finishBox` names that box) and at least one non-blank line.
void checkNote(const NoteVehicle &v, const QDate &received, const QDate &finish, const QString &finishBox,
               const QList<NoteLine> &lines);

// "新增托修单:{no}" / "修改托修单:{no}" in the operator journal.
void writeNoteJournal(store::Db &db, const NoteTables &t, SaveMode mode, const QString &number, const QString &who);

QVariant dateOrNull(const QDate &d);

} // namespace workshop
