#pragma once

namespace customers {

// Registers the supplier forms with the form registry: "TInitPrividerForm" (supplier
// setup, also under its function name "供销商设置") and "TListClientForm" (supplier chooser).
void registerSupplierForms();

} // namespace customers
