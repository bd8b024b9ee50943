#pragma once
// Note numbers, operator codes and employee numbers from the last-number counters of
// 部门信息. Reading a counter and advancing it is one locked step, so two workstations
// never get the same number.

#include "store/db.h"

namespace store {

enum class CounterKind { StockIn, StockOut, RepairOrder, Settlement, ServiceNote, Operator, Employee };

struct CounterInfo {
    const char *column;   // counter column of 部门信息
    int width;            // digits of the sequence
    bool headOffice;      // counts in row '0000' whatever the department
};
CounterInfo counterInfo(CounterKind kind);

struct ReservedNumber {
    QString number;       // department code + padded sequence
    QString sequence;     // the padded sequence stored back into the counter
    QString departmentCode;
};

// The next number of the department's counter, computed but not stored (the code an
// operator form proposes before the operator is saved). Throws DbError when the
// counter cannot give a number.
ReservedNumber peekNumber(Db &db, CounterKind kind, const QString &departmentCode);

// Reserves the next number: reads the counter and advances it only if no other
// workstation moved it meanwhile (compare and set, retried), inside the caller's
// transaction when one is open.
// Throws DbError, beginning nothing, when the department is missing, the counter
// holds non-digits, or the sequence would outgrow its width.
ReservedNumber reserveNumber(Db &db, CounterKind kind, const QString &departmentCode);

// The code of the department of this name (look-ups by name), or empty.
QString departmentCodeByName(Db &db, const QString &name);

// The pure rule, for tests and previews: the next padded sequence after counter text.
// Returns empty and sets error when the counter is not digits or the width is outgrown.
QString nextSequence(const QString &counter, int width, QString *error);

} // namespace store
