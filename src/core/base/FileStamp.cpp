#include "core/base/FileStamp.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

FileStamp FileStamp::of(const QString& path)
{
    FileStamp stamp;
#ifdef Q_OS_UNIX
    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return stamp;
    stamp.exists = true;
    stamp.size = qint64(st.st_size);
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + qint64(st.st_mtim.tv_nsec);
    stamp.inode = quint64(st.st_ino);
    stamp.device = quint64(st.st_dev);
#else
    const QFileInfo info(path);
    if (!info.exists())
        return stamp;
    stamp.exists = true;
    stamp.size = info.size();
    stamp.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
#endif
    return stamp;
}
