#include "core/catalog/BookmarkViews.h"

#include "core/base/Prompt.h"
#include "core/base/TextFile.h"
#include "core/base/TimeCode.h"
#include "core/catalog/BookmarkChecks.h"
#include "core/catalog/BookmarksGridColumns.h"
#include "core/catalog/CatalogDocument.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>

using namespace BookmarkColumn;

namespace BookmarkViewsFile {

namespace {

const QString kFormat = QStringLiteral("Tempoloop bookmark views");
constexpr int kVersion = 1;

// The times stand in the file as the catalog writes them ("00:01:05", or
// "00:01:05.250" for a precise point).
QString digitsOf(const QString& time)
{
    const QString text = time.trimmed();
    return text.contains(u':') || text.startsWith(u'-') ? removeColonsFromString(text) : text;
}

} // namespace

QString pathFor(const QString& catalogPath)
{
    return catalogPath + CatalogCompanions::viewsSuffix();
}

QString keyOf(const QString& fileName, const QString& startDigits, const QString& endDigits)
{
    return fileName + u'\n' + startDigits + u'\n' + endDigits;
}

ReadResult read(const QString& path)
{
    ReadResult result;
    QFile file(path);
    if (!file.exists())
        return result;
    result.access = Access::Refused;
    if (!file.open(QIODevice::ReadOnly)) {
        result.message = file.errorString();
        return result;
    }
    if (file.size() > MaxBytes) {
        result.message = QStringLiteral("it is larger than a views file can be");
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() != file.size()) {
        result.message = QStringLiteral("it could not be read whole");
        return result;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    const QJsonObject top = document.object();
    if (error.error != QJsonParseError::NoError || !document.isObject() || top.value(u"format").toString() != kFormat) {
        result.message = QStringLiteral("it is not a views file of this program");
        return result;
    }
    if (top.value(u"version").toInt() > kVersion) {
        result.message = QStringLiteral("a newer version of the program wrote it");
        return result;
    }
    for (const QJsonValue& value : top.value(u"bookmarks").toArray()) {
        const QJsonObject entry = value.toObject();
        const QString clip = entry.value(u"clip").toString();
        if (clip.isEmpty())
            continue;
        result.entries.insert(
            keyOf(clip, digitsOf(entry.value(u"start").toString()), digitsOf(entry.value(u"end").toString())), entry);
    }
    result.access = Access::Read;
    return result;
}

bool write(const QString& path, const QMap<QString, QJsonObject>& entries, QString* reason)
{
    QJsonArray bookmarks;
    for (const QJsonObject& entry : entries)
        bookmarks.append(entry);
    QJsonObject top;
    top.insert(u"format", kFormat);
    top.insert(u"version", kVersion);
    top.insert(u"bookmarks", bookmarks);
    return saveFileAtomically(path, QJsonDocument(top).toJson(QJsonDocument::Indented), reason);
}

ZoomView zoomOf(const QJsonObject& entry)
{
    const QJsonObject zoom = entry.value(u"zoom").toObject();
    ZoomView view;
    view.level = zoom.value(u"level").toInt(0);
    view.centre = QPointF(zoom.value(u"x").toDouble(0.5), zoom.value(u"y").toDouble(0.5));
    PictureZoom shown;
    shown.show(view); // held inside the picture, whatever the file says
    return shown.view();
}

bool setZoom(QJsonObject& entry, const ZoomView& zoom)
{
    if (zoom.isWhole()) {
        entry.remove(u"zoom");
    } else {
        // Four places are a hundredth of a pixel on a 4K picture.
        const auto rounded = [](double v) { return std::round(v * 10000.0) / 10000.0; };
        QJsonObject value;
        value.insert(u"level", zoom.level);
        value.insert(u"x", rounded(zoom.centre.x()));
        value.insert(u"y", rounded(zoom.centre.y()));
        entry.insert(u"zoom", value);
    }
    // Only the loop's own fields left: nothing is kept with it.
    for (auto it = entry.constBegin(); it != entry.constEnd(); ++it) {
        if (it.key() != u"clip" && it.key() != u"start" && it.key() != u"end")
            return true;
    }
    return false;
}

} // namespace BookmarkViewsFile

BookmarkViews::BookmarkViews(CatalogDocument& document, QObject* parent)
    : QObject(parent), m_document(document), m_mode(document.CatalogMode())
{
    // A catalog closed, or a new one started, has none of the zooms kept
    // for the new catalog before it; one saved takes them along first
    // (catalogSavedAs).
    connect(&m_document, &CatalogDocument::captionChanged, this, [this] {
        const CatalogDocument::Mode mode = m_document.CatalogMode();
        if (mode != m_mode && mode != CatalogDocument::Mode::OnFile)
            m_unsaved.clear();
        m_mode = mode;
    });
}

QString BookmarkViews::keyOfRow(int row) const
{
    if (row < 1 || row >= m_document.RowCount())
        return {};
    const QString file = m_document.Cells(Filename, row);
    const QString name = file.mid(file.lastIndexOf(u'/') + 1);
    if (name.isEmpty())
        return {};
    return BookmarkViewsFile::keyOf(name, removeColonsFromString(m_document.Cells(StartTime, row).trimmed()),
                                    removeColonsFromString(m_document.Cells(EndTime, row).trimmed()));
}

const QMap<QString, QJsonObject>& BookmarkViews::entries() const
{
    const QString catalog = m_document.CatalogFileName();
    if (catalog.isEmpty())
        return m_unsaved;
    const QString path = BookmarkViewsFile::pathFor(catalog);
    const FileStamp stamp = FileStamp::of(path);
    if (path != m_readPath || stamp != m_readStamp) {
        m_readPath = path;
        m_readStamp = stamp;
        m_read = BookmarkViewsFile::read(path).entries;
    }
    return m_read;
}

ZoomView BookmarkViews::zoomOfRow(int row) const
{
    const QString key = keyOfRow(row);
    if (key.isEmpty())
        return {};
    return BookmarkViewsFile::zoomOf(entries().value(key));
}

void BookmarkViews::keepZoomOfRow(int row, const ZoomView& zoom)
{
    const QString key = keyOfRow(row);
    if (!key.isEmpty())
        keep(key, zoom);
}

void BookmarkViews::pictureZoomed(const ZoomView& zoom, const QString& clipPath, const QString& startDigits,
                                  const QString& endDigits)
{
    if (clipPath.isEmpty() || m_document.CatalogMode() == CatalogDocument::Mode::Closed)
        return;
    const QString name = clipPath.mid(clipPath.lastIndexOf(u'/') + 1);
    const QString key = BookmarkViewsFile::keyOf(name, startDigits, endDigits);
    for (int row = 1; row < m_document.RowCount(); ++row) {
        if (keyOfRow(row) == key && BookmarkChecks::clipPath(m_document, row) == clipPath) {
            keep(key, zoom);
            return;
        }
    }
}

void BookmarkViews::keep(const QString& key, const ZoomView& zoom)
{
    QJsonObject entry = entries().value(key);
    if (BookmarkViewsFile::zoomOf(entry) == zoom && (!zoom.isWhole() || !entry.contains(u"zoom")))
        return;
    const QStringList parts = key.split(u'\n');
    entry.insert(u"clip", parts.value(0));
    entry.insert(u"start", insertColonsIntoString(parts.value(1)));
    entry.insert(u"end", insertColonsIntoString(parts.value(2)));
    const bool kept = BookmarkViewsFile::setZoom(entry, zoom);
    const QString catalog = m_document.CatalogFileName();
    if (catalog.isEmpty()) {
        if (kept)
            m_unsaved.insert(key, entry);
        else
            m_unsaved.remove(key);
        return;
    }
    QMap<QString, QJsonObject> change;
    change.insert(key, kept ? entry : QJsonObject());
    writeThrough(BookmarkViewsFile::pathFor(catalog), change);
}

bool BookmarkViews::writeThrough(const QString& path, const QMap<QString, QJsonObject>& changes)
{
    BookmarkViewsFile::ReadResult now = BookmarkViewsFile::read(path);
    if (now.access == BookmarkViewsFile::Access::Refused) {
        sayOnce(path, now.message);
        return false;
    }
    for (auto it = changes.constBegin(); it != changes.constEnd(); ++it) {
        if (it.value().isEmpty())
            now.entries.remove(it.key());
        else
            now.entries.insert(it.key(), it.value());
    }
    QString reason;
    if (now.entries.isEmpty() && now.access == BookmarkViewsFile::Access::Missing)
        return true; // nothing to keep, and no file to keep it in
    if (!BookmarkViewsFile::write(path, now.entries, &reason)) {
        sayOnce(path, reason);
        return false;
    }
    m_readPath = path;
    m_readStamp = FileStamp::of(path);
    m_read = now.entries;
    return true;
}

void BookmarkViews::sayOnce(const QString& path, const QString& why)
{
    if (m_told.contains(path))
        return;
    m_told.append(path);
    prompt().message(QStringLiteral("The zoom of the bookmark could not be kept in\r\n%1\r\n(%2).\r\n"
                                    "The catalog itself is not touched; the file is left as it is.")
                         .arg(path, why),
                     Prompt::Icon::Warning);
}

void BookmarkViews::catalogSavedAs(const QString& from, const QString& to)
{
    if (to.isEmpty() || from == to)
        return;
    const QMap<QString, QJsonObject> carried =
        from.isEmpty() ? m_unsaved : BookmarkViewsFile::read(BookmarkViewsFile::pathFor(from)).entries;
    if (!carried.isEmpty())
        writeThrough(BookmarkViewsFile::pathFor(to), carried);
    m_unsaved.clear();
}
