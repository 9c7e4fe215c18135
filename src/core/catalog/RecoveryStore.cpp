#include "core/catalog/RecoveryStore.h"

#include "core/base/TextFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <algorithm>

namespace {

const QString kSuffix = QStringLiteral(".recovery");

QString lockOf(const QString& file)
{
    return file + QStringLiteral(".lock");
}

std::shared_ptr<QLockFile> makeLock(const QString& file)
{
    auto lock = std::make_shared<QLockFile>(lockOf(file));
    // Held as long as the run lives: only a dead holder makes it stale.
    lock->setStaleLockTime(0);
    return lock;
}

QString absolute(const QString& path)
{
    return path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

QString RecoveryStore::platformFolder()
{
    // A relative path is no state folder (XDG Base Directory).
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(base) + QStringLiteral("/Tempoloop/");
}

RecoveryStore::RecoveryStore(const QString& folder)
    : m_folder(folder.endsWith(u'/') ? folder : folder + u'/'),
      m_run(QStringLiteral("%1-%2").arg(QCoreApplication::applicationPid()).arg(QDateTime::currentMSecsSinceEpoch()))
{
}

RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::keyFor(const QString& catalogPath)
{
    if (catalogPath.isEmpty())
        return QStringLiteral("new catalog");
    const QString path = absolute(catalogPath);
    QString name = QFileInfo(path).fileName();
    name.replace(QRegularExpression(QStringLiteral("[^\\w.-]")), QStringLiteral("_"));
    const QByteArray hash = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return name.left(60) + u'-' + QString::fromLatin1(hash);
}

QString RecoveryStore::fileFor(const QString& catalogPath) const
{
    return m_folder + keyFor(catalogPath) + u'~' + m_run + kSuffix;
}

bool RecoveryStore::write(const QString& file, const QByteArray& text, QString* reason)
{
    // The notes in a catalog are the user's own.
    if (!QFileInfo(m_folder).isDir()) {
        if (!QDir().mkpath(m_folder)) {
            if (reason)
                *reason = QStringLiteral("the folder %1 cannot be made").arg(m_folder);
            return false;
        }
        QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    if (!m_locks.contains(file)) {
        std::shared_ptr<QLockFile> lock = makeLock(file);
        lock->tryLock(0);
        m_locks.insert(file, lock);
    }
    return saveFileAtomically(file, text, reason);
}

void RecoveryStore::remove(const QString& file)
{
    QFile::remove(file);
    m_locks.remove(file); // the lock goes with it
}

QList<RecoveryStore::LeftOver> RecoveryStore::leftOvers() const
{
    QList<LeftOver> found;
    const QDir dir(m_folder);
    for (const QString& name : dir.entryList({QStringLiteral("*") + kSuffix}, QDir::Files)) {
        const QString file = m_folder + name;
        std::shared_ptr<QLockFile> lock = makeLock(file);
        if (!lock->tryLock(0))
            continue; // a running program's
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly))
            continue;
        std::optional<RecoverySnapshot> snapshot = readRecoveryText(in.readAll());
        if (!snapshot)
            continue;
        found.append({file, *snapshot, lock});
    }
    std::stable_sort(found.begin(), found.end(), [](const LeftOver& a, const LeftOver& b) {
        return a.snapshot.lastChange > b.snapshot.lastChange;
    });
    return found;
}

QList<RecoveryStore::LeftOver> RecoveryStore::leftOversOf(const QString& catalogPath) const
{
    QList<LeftOver> found = leftOvers();
    const QString path = absolute(catalogPath);
    found.removeIf([&path](const LeftOver& l) { return absolute(l.snapshot.catalogPath) != path; });
    return found;
}

void RecoveryStore::removeLeftOver(const LeftOver& leftOver)
{
    QFile::remove(leftOver.file);
    if (leftOver.lock)
        leftOver.lock->unlock();
}
