#include "core/catalog/RecoveryFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString kFormat = QStringLiteral("Tempoloop catalog recovery");
constexpr int kVersion = 1;

// The bookmark's fields by their names in the file.
struct Field {
    const char* name;
    QString Bookmark::*member;
};
constexpr Field kFields[] = {
    {"category", &Bookmark::category}, {"name", &Bookmark::name},       {"learn", &Bookmark::learn},
    {"rating", &Bookmark::rating},     {"start", &Bookmark::startTime}, {"end", &Bookmark::endTime},
    {"file", &Bookmark::fileName},     {"folder", &Bookmark::folder},   {"description", &Bookmark::description},
};

// 64-bit numbers as text: a JSON number holds only 53 bits exactly.
QString number(qint64 n)
{
    return QString::number(n);
}

QJsonObject stampObject(const FileStamp& s)
{
    return {{"exists", s.exists},
            {"size", number(s.size)},
            {"modifiedNs", number(s.modifiedNs)},
            {"inode", QString::number(s.inode)},
            {"device", QString::number(s.device)}};
}

FileStamp stampFrom(const QJsonObject& o)
{
    FileStamp s;
    s.exists = o.value("exists").toBool();
    s.size = o.value("size").toString().toLongLong();
    s.modifiedNs = o.value("modifiedNs").toString().toLongLong();
    s.inode = o.value("inode").toString().toULongLong();
    s.device = o.value("device").toString().toULongLong();
    return s;
}

} // namespace

QByteArray recoveryText(const RecoverySnapshot& snapshot)
{
    QJsonArray bookmarks;
    for (const Bookmark& b : snapshot.catalog.bookmarks) {
        QJsonObject o;
        for (const Field& f : kFields)
            o.insert(QLatin1String(f.name), b.*f.member);
        bookmarks.append(o);
    }
    const CatalogData& c = snapshot.catalog;
    const QJsonObject root{
        {"format", kFormat},
        {"version", kVersion},
        {"catalog", snapshot.catalogPath},
        {"lastChange", snapshot.lastChange.toUTC().toString(Qt::ISODateWithMs)},
        {"file", stampObject(snapshot.file.stamp)},
        {"readWhole", snapshot.file.read == FileRead::Whole},
        {"unread", snapshot.file.unread},
        {"listSeparator", QString(snapshot.listSeparator)},
        {"headers", QJsonArray{c.categoryHeader, c.nameHeader, c.learnHeader, c.ratingHeader}},
        {"bookmarks", bookmarks},
    };
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

std::optional<RecoverySnapshot> readRecoveryText(const QByteArray& text)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject root = doc.object();
    if (root.value("format").toString() != kFormat || root.value("version").toInt() != kVersion)
        return std::nullopt;
    const QJsonArray headers = root.value("headers").toArray();
    const QJsonValue bookmarks = root.value("bookmarks");
    if (headers.size() != 4 || !bookmarks.isArray())
        return std::nullopt;

    RecoverySnapshot s;
    s.catalogPath = root.value("catalog").toString();
    s.lastChange = QDateTime::fromString(root.value("lastChange").toString(), Qt::ISODateWithMs).toLocalTime();
    s.file.stamp = stampFrom(root.value("file").toObject());
    s.file.read = root.value("readWhole").toBool(true) ? FileRead::Whole : FileRead::Partly;
    s.file.unread = root.value("unread").toString();
    const QString separator = root.value("listSeparator").toString();
    if (separator.size() == 1)
        s.listSeparator = separator.front();
    s.catalog.categoryHeader = headers.at(0).toString();
    s.catalog.nameHeader = headers.at(1).toString();
    s.catalog.learnHeader = headers.at(2).toString();
    s.catalog.ratingHeader = headers.at(3).toString();
    for (const QJsonValue& value : bookmarks.toArray()) {
        const QJsonObject o = value.toObject();
        Bookmark b;
        for (const Field& f : kFields)
            b.*f.member = o.value(QLatin1String(f.name)).toString();
        s.catalog.bookmarks.append(b);
    }
    return s;
}
