#pragma once

#include "core/base/FileStamp.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

// Notices, while a catalog is open, that its file was changed on the disk by
// someone else: written into, replaced or removed. The change is only noted
// here (untoldChange()); it is said when the user next comes to the window,
// not in the middle of practice.
class CatalogFileWatch : public QObject {
    Q_OBJECT
public:
    explicit CatalogFileWatch(QObject* parent = nullptr);

    // Watches this file, which stood as `kept` when it was read or saved.
    void watch(const QString& path, const FileStamp& kept);
    // The file stands as `kept` now (this program saved it).
    void keep(const FileStamp& kept);
    // Stops watching (the catalog was closed).
    void stop();
    QString path() const { return m_path; }

    // Whether the file on the disk differs from the one kept, in a version
    // the user has not been told of yet. markTold(): the user hears of each
    // version once.
    bool hasUntoldChange() const;
    void markTold();

signals:
    // The file changed on the disk (also for this program's own saves,
    // which keep() then makes no change).
    void changed();

private:
    void look();

    QFileSystemWatcher m_watcher;
    QString m_path;
    FileStamp m_kept;
    FileStamp m_told;
    bool m_pending = false;
};
