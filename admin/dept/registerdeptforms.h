#pragma once
namespace admin {
// Registers the department form, the department chooser and the employee form with the
// form registry, by class name and by function name.
void registerDeptForms();
}
