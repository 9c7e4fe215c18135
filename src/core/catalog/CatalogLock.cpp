#include "core/catalog/CatalogLock.h"

#include "core/catalog/RecoveryStore.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace {

std::unique_ptr<QLockFile> makeLock(const QString& file)
{
    auto lock = std::make_unique<QLockFile>(file);
    // Held as long as the catalog is open: only a dead holder makes it stale.
    lock->setStaleLockTime(0);
    return lock;
}

QString absolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

CatalogLock::CatalogLock(const QString& folder) : m_folder(folder.endsWith(u'/') ? folder : folder + u'/')
{
}

CatalogLock::~CatalogLock() = default;

QString CatalogLock::lockFileOf(const QString& catalogPath) const
{
    return m_folder + RecoveryStore::keyFor(catalogPath) + QStringLiteral(".lock");
}

CatalogLock::Taken CatalogLock::take(const QString& catalogPath)
{
    const QString path = absolute(catalogPath);
    if (m_lock && path == m_path)
        return Taken::Here;
    QDir().mkpath(m_folder);
    std::unique_ptr<QLockFile> lock = makeLock(lockFileOf(path));
    if (!lock->tryLock(0) && lock->error() == QLockFile::LockFailedError)
        return Taken::ByAnother;
    // Also when the lock could not be made at all (a folder that cannot be
    // written): nobody is known to hold the catalog.
    release();
    if (lock->isLocked()) {
        m_lock = std::move(lock);
        m_path = path;
    }
    return Taken::Here;
}

bool CatalogLock::heldElsewhere(const QString& catalogPath) const
{
    const QString path = absolute(catalogPath);
    if (m_lock && path == m_path)
        return false;
    std::unique_ptr<QLockFile> probe = makeLock(lockFileOf(path));
    if (probe->tryLock(0))
        return false; // nobody's (the probe lets it go again)
    return probe->error() == QLockFile::LockFailedError;
}

void CatalogLock::release()
{
    m_lock.reset(); // unlocks
    m_path.clear();
}
