#pragma once
#include <QLockFile>
#include <memory>

namespace shell {

// One running copy per user session: a lock file in the user's runtime folder, freed
// by the system when the program dies.
class SingleInstance {
public:
    explicit SingleInstance(const QString &lockPath = {});
    bool acquired() const { return m_acquired; }
    static QString defaultLockPath();
private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_acquired = false;
};

} // namespace shell
