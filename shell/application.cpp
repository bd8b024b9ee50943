#include "shell/application.h"

#include <QApplication>
#include <QMessageBox>

namespace shell {

int runApplication(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("骏程汽车美容信息管理系统"));
    QMessageBox::information(nullptr, QStringLiteral("骏程汽车维修管理系统 6.01版"), QStringLiteral("程序界面正在建设中"));
    return 0;
}

} // namespace shell
