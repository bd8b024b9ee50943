#include "store/ruleerror.h"
#include "store/db.h"

namespace store {

void requireGbkWidth(const QString &text, int bytes, const QString &label)
{
    if (gbkWidth(text) > bytes)
        throw RuleError(QStringLiteral("%1最长%2个字节(%3个汉字),请重新输入!").arg(label).arg(bytes).arg(bytes / 2), label);
}

} // namespace store
