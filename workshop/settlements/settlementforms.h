#pragma once
// Registers, by class name, the settlement entry form and the repair order and settlement
// query and display forms with the form registry.

namespace workshop {

void registerSettlementForms();

} // namespace workshop
