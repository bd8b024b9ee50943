// juncheng-admin: creates, checks, backs up and restores the program's database.
#include "admin/admincli.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return admin::runAdminCli(QCoreApplication::arguments());
}
