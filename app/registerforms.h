#pragma once
namespace app {
// Registers the forms of every subsystem with the form registry, so the command table
// finds them.
void registerAllForms();
}
