#include "shell/instance.h"

#include <QDir>
#include <QStandardPaths>

namespace shell {

QString SingleInstance::defaultLockPath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    return QDir(dir).filePath(QStringLiteral("骏程汽车维修管理系统.lock"));
}

SingleInstance::SingleInstance(const QString &lockPath)
    : m_lock(std::make_unique<QLockFile>(lockPath.isEmpty() ? defaultLockPath() : lockPath))
{
    // Never stale by age; a lock whose process is gone is taken over.
    m_lock->setStaleLockTime(0);
    m_acquired = m_lock->tryLock(0);
}

} // namespace shell
