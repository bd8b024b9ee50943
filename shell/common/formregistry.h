#pragma once
// Forms by function name: the command table registers how each function's form is made,
// so the main window, a launcher or a test can open any form by its name.

#include <QString>
#include <QStringList>
#include <functional>

class QDialog;
class QWidget;

namespace shell {

using FormFactory = std::function<QDialog *(QWidget *parent)>;

// A later registration of the same name replaces the earlier one.
void registerForm(const QString &functionName, FormFactory factory);
bool hasForm(const QString &functionName);
// The new form (not yet shown), or nullptr for an unknown name.
QDialog *createForm(const QString &functionName, QWidget *parent);
QStringList registeredForms();

} // namespace shell
