#include "store/password.h"
#include "store/db.h"

#include <sodium.h>

namespace store {

namespace {
// t=2, m=19 MiB: the recommended Argon2id setting for interactive logins; about
// 20 ms here, so a login stays quick while a stolen table stays expensive to crack.
constexpr unsigned long long kOps = 2;
constexpr size_t kMem = 19u * 1024u * 1024u;

void ensureSodium()
{
    static const bool ok = sodium_init() >= 0;
    if (!ok)
        throw DbError(QStringLiteral("密码库初始化失败"));
}
} // namespace

QString hashPassword(const QString &password)
{
    ensureSodium();
    const QByteArray utf8 = password.toUtf8();
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, utf8.constData(), utf8.size(), kOps, kMem) != 0)
        throw DbError(QStringLiteral("内存不足,无法计算密码摘要"));
    return QString::fromLatin1(out);
}

bool isPasswordHash(const QString &stored)
{
    return stored.startsWith(QLatin1String("$argon2id$"));
}

bool verifyPassword(const QString &stored, const QString &typed)
{
    if (!isPasswordHash(stored))
        return stored == typed;
    ensureSodium();
    const QByteArray h = stored.toLatin1();
    const QByteArray utf8 = typed.toUtf8();
    return crypto_pwhash_str_verify(h.constData(), utf8.constData(), utf8.size()) == 0;
}

} // namespace store
