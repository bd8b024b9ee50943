// juncheng-admin: creates, checks, backs up and restores the program's database.
#include "app/admincli.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return app::runAdminCli(QCoreApplication::arguments());
}
