#pragma once
#include <QString>

namespace store {

// Argon2id hash of a password (libsodium), the form stored in 操作员信息表.操作员密码.
QString hashPassword(const QString &password);
// Whether the stored value is one of our hashes (an older database may hold plain text).
bool isPasswordHash(const QString &stored);
// A hash is verified; a plain stored password is compared exactly, letter case and
// trailing blanks included.
bool verifyPassword(const QString &stored, const QString &typed);

} // namespace store
