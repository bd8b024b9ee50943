#pragma once

namespace customers {

// Registers the supplier forms with the form registry: "TInitPrividerForm" (supplier
// setup) and "TListClientForm" (supplier chooser).
void registerSupplierForms();

} // namespace customers
