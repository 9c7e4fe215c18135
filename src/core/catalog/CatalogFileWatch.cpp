#include "core/catalog/CatalogFileWatch.h"

#include <QFileInfo>

CatalogFileWatch::CatalogFileWatch(QObject* parent) : QObject(parent)
{
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &CatalogFileWatch::look);
    // A file replaced by a rename leaves the watch on the old one; its
    // folder tells of the new.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &CatalogFileWatch::look);
}

void CatalogFileWatch::watch(const QString& path, const FileStamp& kept)
{
    stop();
    m_path = path;
    m_kept = kept;
    m_told = kept;
    if (QFileInfo::exists(path))
        m_watcher.addPath(path);
    const QString folder = QFileInfo(path).absolutePath();
    if (QFileInfo(folder).isDir())
        m_watcher.addPath(folder);
}

void CatalogFileWatch::keep(const FileStamp& kept)
{
    m_kept = kept;
    m_told = kept;
    m_pending = false;
    // A new file (or a new identity after an atomic save) needs a new watch.
    if (!m_path.isEmpty() && QFileInfo::exists(m_path) && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
}

void CatalogFileWatch::stop()
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_path.clear();
    m_pending = false;
}

void CatalogFileWatch::look()
{
    if (m_path.isEmpty())
        return;
    if (QFileInfo::exists(m_path) && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
    const FileStamp now = FileStamp::of(m_path);
    if (now != m_kept && now != m_told)
        m_pending = true;
    emit changed();
}

bool CatalogFileWatch::hasUntoldChange() const
{
    if (!m_pending || m_path.isEmpty())
        return false;
    const FileStamp now = FileStamp::of(m_path);
    return now != m_kept && now != m_told;
}

void CatalogFileWatch::markTold()
{
    m_pending = false;
    m_told = FileStamp::of(m_path);
}
