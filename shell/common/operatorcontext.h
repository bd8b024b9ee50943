#pragma once
// The logged-in operator, set once at login and read by every form.

#include <QString>

namespace shell {

struct OperatorContext {
    QString code;          // operator code, e.g. "000000"
    QString name;
    QString category;      // "操作员", "经理" or "管理员"
    QString department;    // department name
    QString platePrefix;   // 车牌字头 of the head office

    // Deleting in setting and list forms, and modifying completed notes, is for
    // managers and administrators only.
    bool canDeleteOrModifyCompleted() const;
};

const OperatorContext &currentOperator();
void setCurrentOperator(const OperatorContext &context);

// The rule above for the current operator.
bool canDeleteOrModifyCompleted();

} // namespace shell
