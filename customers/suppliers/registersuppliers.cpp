#include "customers/suppliers/registersuppliers.h"
#include "customers/suppliers/initprividerform.h"
#include "customers/suppliers/listclientform.h"

#include "shell/common/formregistry.h"

namespace customers {

void registerSupplierForms()
{
    const auto setup = [](QWidget *p) -> QDialog * { return new TInitPrividerForm(p); };
    shell::registerForm(QStringLiteral("TInitPrividerForm"), setup);
    shell::registerForm(QStringLiteral("供销商设置"), setup);
    shell::registerForm(QStringLiteral("TListClientForm"), [](QWidget *p) { return new TListClientForm(p); });
}

} // namespace customers
