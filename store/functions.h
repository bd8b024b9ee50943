#pragma once
// The function names that rights are granted for, as the rights panel shows them:
// tab by tab, each box's caption and the name stored in 权限信息表.

#include <QString>
#include <QStringList>
#include <vector>

namespace store {

struct RightBox {
    QString caption;
    QString function;   // stored name (differs from the caption for two boxes)
};

struct RightTab {
    QString title;
    std::vector<RightBox> boxes;
};

const std::vector<RightTab> &rightTabs();
// Every grantable function name once, in the order of the panel.
QStringList grantableFunctions();

} // namespace store
