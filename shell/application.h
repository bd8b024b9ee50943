#pragma once

namespace shell {
// The program: single-instance guard, connection, login, main window, event loop.
int runApplication(int argc, char **argv);
// Subsystems add the function that registers their forms; called before the main
// window is built, so its commands know which forms exist.
void addFormRegistrar(void (*registrar)());
}
