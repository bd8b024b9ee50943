#pragma once

namespace shell {
// The program: single-instance guard, connection, login, main window, event loop.
int runApplication(int argc, char **argv);
}
