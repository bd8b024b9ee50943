#pragma once
#include "store/db.h"

namespace store {

// The head-office rows every database starts with.
inline const QString kHeadOfficeCode = QStringLiteral("0000");
inline const QString kHeadOfficeName = QStringLiteral("骏程汽车维修中心");
inline const QString kSuperUserCode = QStringLiteral("000000");
inline const QString kSuperUserName = QStringLiteral("管理员");
// The super-user's password in a new database; the README tells users to change it.
inline const QString kInitialPassword = QStringLiteral("888888");

// Turns an empty database into the blank database: every table, then department and
// warehouse '0000', and the super-user with a right for every grantable function.
// One transaction: a failure leaves the database empty.
void createBlankDatabase(Db &db);

} // namespace store
