#pragma once
// Registers the workshop's forms by class name with the form registry.

namespace workshop {

void registerWorkshopForms();

} // namespace workshop
