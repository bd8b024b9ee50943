#include "shell/common/formregistry.h"

#include <QDialog>
#include <QMap>

namespace shell {

namespace {
QMap<QString, FormFactory> &factories()
{
    static QMap<QString, FormFactory> map;
    return map;
}
} // namespace

void registerForm(const QString &functionName, FormFactory factory)
{
    factories().insert(functionName, std::move(factory));
}

bool hasForm(const QString &functionName)
{
    return factories().contains(functionName);
}

QDialog *createForm(const QString &functionName, QWidget *parent)
{
    const auto it = factories().constFind(functionName);
    return it == factories().cend() ? nullptr : (*it)(parent);
}

QStringList registeredForms()
{
    return factories().keys();
}

} // namespace shell
