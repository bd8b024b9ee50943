#include "shell/common/operatorcontext.h"

namespace shell {

namespace {
OperatorContext &current()
{
    static OperatorContext context;
    return context;
}
} // namespace

bool OperatorContext::canDeleteOrModifyCompleted() const
{
    const QString c = category.trimmed();
    return c == QStringLiteral("经理") || c == QStringLiteral("管理员");
}

const OperatorContext &currentOperator()
{
    return current();
}

void setCurrentOperator(const OperatorContext &context)
{
    current() = context;
}

bool canDeleteOrModifyCompleted()
{
    return current().canDeleteOrModifyCompleted();
}

} // namespace shell
