#pragma once
// The rules of logging in, without a window: the head-office row read before the login,
// the operator look-up by code, the password check and the login-log row.

#include "store/db.h"

#include <optional>

namespace shell {

struct HeadOfficeInfo {
    bool found = false;
    QString name;          // the company name
    QString platePrefix;   // 车牌字头
};
HeadOfficeInfo readHeadOffice(store::Db &db);

// The banner shows the company name unless it is the design's own name; a missing
// head-office row empties it.
QString bannerText(const HeadOfficeInfo &headOffice, const QString &designText);

struct OperatorRecord {
    QString code, name, category, department, departmentCode;
};
// Looks an operator up by code (the caller trims it).
std::optional<OperatorRecord> findOperator(store::Db &db, const QString &code);

enum class LoginResult { Ok, EmptyCode, WrongPassword };

// Checks code and password exactly as typed (letter case and trailing blanks count).
// On success writes the login-log row with the department shown in the login form,
// replaces a plain stored password by its hash (one transaction), and fills *who.
LoginResult logIn(store::Db &db, const QString &code, const QString &password,
                  const QString &departmentShown, OperatorRecord *who);

// The permission gate: whether the operator (code trimmed of blanks) holds a right
// for the function name.
bool isGranted(store::Db &db, const QString &operatorCode, const QString &functionName);

} // namespace shell
