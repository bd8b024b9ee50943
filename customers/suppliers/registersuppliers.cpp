#include "customers/suppliers/registersuppliers.h"
#include "customers/suppliers/initprividerform.h"
#include "customers/suppliers/listclientform.h"

#include "shell/common/formregistry.h"

namespace customers {

void registerSupplierForms()
{
    shell::registerForm(QStringLiteral("TInitPrividerForm"), [](QWidget *p) { return new TInitPrividerForm(p); });
    shell::registerForm(QStringLiteral("TListClientForm"), [](QWidget *p) { return new TListClientForm(p); });
}

} // namespace customers
