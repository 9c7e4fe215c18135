#pragma once

#include "core/base/FileStamp.h"
#include "core/catalog/CatalogCompanion.h"
#include "core/catalog/CatalogDocument.h"
#include "core/playback/PictureZoom.h"

#include <QJsonObject>
#include <QMap>
#include <QObject>
#include <QString>

// The file beside a catalog that keeps how each bookmark's loop is looked
// at (the zoom of the picture), never in the catalog file itself: the
// catalog stays as the dancer and other programs wrote it. It is named after
// the catalog ("Practice.tvc.views.json" beside "Practice.tvc"), so it moves
// with the catalog and its clips.
//
// An entry belongs to a loop, not to a row: the clip's file name (without
// its folder, so a relinked clip keeps it) and the loop's start and end.
// Bookmarks of the same loop share it; renaming a bookmark or moving its row
// keeps it. Each entry is a JSON object; what this program does not know of
// it is kept as it was.
namespace BookmarkViewsFile {

inline constexpr qint64 MaxBytes = 4 * 1024 * 1024;

QString pathFor(const QString& catalogPath);
// The entry's key: file name and the times as digits (colons left out).
QString keyOf(const QString& fileName, const QString& startDigits, const QString& endDigits);

enum class Access { Read, Missing, Refused };
struct ReadResult {
    Access access = Access::Missing;
    QMap<QString, QJsonObject> entries;
    QString message; // why it was refused
};
ReadResult read(const QString& path);
// The whole file, replaced atomically; false with *reason on failure.
bool write(const QString& path, const QMap<QString, QJsonObject>& entries, QString* reason = nullptr);

// The zoom an entry keeps; the whole picture when none.
ZoomView zoomOf(const QJsonObject& entry);
// The entry with this zoom (none at the whole picture); false when nothing
// is left in it.
bool setZoom(QJsonObject& entry, const ZoomView& zoom);

} // namespace BookmarkViewsFile

// What is kept with the bookmarks of the open catalog beside it: the zoom a
// bookmark's loop was looked at with, given back when the bookmark plays.
// A zoom is kept as soon as it changes (a bookmark made while zoomed, the
// picture zoomed while a bookmark's loop is in the loop boxes): the file is
// read again just before, so what another run wrote to it is kept, and it is
// not written over when it cannot be read (the user is told once). A catalog
// without a file yet keeps its zooms here until it is saved.
class BookmarkViews : public QObject, public CatalogCompanion {
    Q_OBJECT
public:
    explicit BookmarkViews(CatalogDocument& document, QObject* parent = nullptr);

    // The zoom kept with bookmark row `row`: the whole picture when none.
    ZoomView zoomOfRow(int row) const;
    // Keeps a zoom with bookmark row `row`.
    void keepZoomOfRow(int row, const ZoomView& zoom);
    // The picture's zoom changed with this clip open and this loop in the
    // boxes (digits, empty end: to the clip's end): kept with the bookmarks
    // of that loop, when there are any.
    void pictureZoomed(const ZoomView& zoom, const QString& clipPath, const QString& startDigits,
                       const QString& endDigits);

    // CatalogCompanion: the zooms follow the catalog to its new file.
    void catalogSavedAs(const QString& from, const QString& to) override;

private:
    QString keyOfRow(int row) const;
    // The entries of the catalog's file (read again when it changed on the
    // disk), or those kept here while it has none.
    const QMap<QString, QJsonObject>& entries() const;
    void keep(const QString& key, const ZoomView& zoom);
    // Writes `changes` over what the file at `path` holds now; false (the
    // user told once) when the file cannot be read or written.
    bool writeThrough(const QString& path, const QMap<QString, QJsonObject>& changes);
    void sayOnce(const QString& path, const QString& why);

    CatalogDocument& m_document;
    CatalogDocument::Mode m_mode;
    // Zooms of a catalog that has no file yet.
    QMap<QString, QJsonObject> m_unsaved;
    // The last read of the catalog's views file.
    mutable QString m_readPath;
    mutable FileStamp m_readStamp;
    mutable QMap<QString, QJsonObject> m_read;
    // Files whose trouble the user has been told of.
    QStringList m_told;
};
