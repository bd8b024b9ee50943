#pragma once
#include <QStringList>

namespace app {
// The command line of juncheng-admin; returns the exit status.
int runAdminCli(const QStringList &arguments);
}
