#include "core/beats/BeatCache.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cmath>

namespace beats {

namespace {

std::optional<qint64> numberAfter(const QByteArray& line, const QByteArray& label)
{
    if (!line.startsWith(label))
        return std::nullopt;
    bool ok = false;
    const qint64 value = line.mid(label.size()).trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

} // namespace

BeatCacheKey BeatCacheKey::of(const QFileInfo& clip)
{
    QFileInfo fresh(clip);
    fresh.refresh();
    if (!fresh.isFile())
        return {};
    return {fresh.size(), fresh.lastModified().toMSecsSinceEpoch()};
}

QByteArray writeBeatCache(const BeatCacheKey& key, const BeatGrid& grid)
{
    QByteArray text = QByteArray(BeatCacheHeader) + '\n';
    text += "Size: " + QByteArray::number(key.size) + '\n';
    text += "Modified: " + QByteArray::number(key.modifiedMs) + '\n';
    text += "One: " + QByteArray::number(grid.one()) + '\n';
    text += "Beats: " + QByteArray::number(grid.size()) + '\n';
    for (double t : grid.times())
        text += QByteArray::number(t, 'f', 4) + '\n';
    return text;
}

std::optional<BeatGrid> readBeatCache(const QByteArray& text, const BeatCacheKey& key)
{
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    constexpr qsizetype Head = 5;
    if (lines.size() < Head || lines[0] != BeatCacheHeader)
        return std::nullopt;
    const auto size = numberAfter(lines[1], "Size:");
    const auto modified = numberAfter(lines[2], "Modified:");
    const auto one = numberAfter(lines[3], "One:");
    const auto count = numberAfter(lines[4], "Beats:");
    if (!size || !modified || !one || !count || BeatCacheKey{*size, *modified} != key ||
        *count != lines.size() - Head || *one < 0 || *one >= CountCycle)
        return std::nullopt;
    QList<double> beats;
    for (qsizetype i = Head; i < lines.size(); ++i) {
        bool ok = false;
        const double t = lines[i].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(t) || t < 0 || (!beats.isEmpty() && t <= beats.back()))
            return std::nullopt;
        beats.append(t);
    }
    return BeatGrid(beats, int(*one));
}

QString BeatCache::fileFor(const QString& clipPath) const
{
    const QByteArray path = QFileInfo(clipPath).absoluteFilePath().toUtf8();
    const QByteArray name = QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex();
    return QDir(m_folder).filePath(QString::fromLatin1(name) + QStringLiteral(".beats"));
}

std::optional<BeatGrid> BeatCache::load(const QString& clipPath) const
{
    if (m_folder.isEmpty())
        return std::nullopt;
    QFile file(fileFor(clipPath));
    // A cache file is a few kilobytes; anything much larger is not one.
    if (!file.open(QIODevice::ReadOnly) || file.size() > 4 * 1024 * 1024)
        return std::nullopt;
    return readBeatCache(file.readAll(), BeatCacheKey::of(QFileInfo(clipPath)));
}

bool BeatCache::store(const QString& clipPath, const BeatCacheKey& key, const BeatGrid& grid) const
{
    if (m_folder.isEmpty() || key.size < 0 || !QDir().mkpath(m_folder))
        return false;
    QSaveFile file(fileFor(clipPath));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(writeBeatCache(key, grid));
    return file.commit();
}

bool BeatCache::storeOne(const QString& clipPath, int one) const
{
    const auto kept = load(clipPath);
    if (!kept)
        return false;
    return store(clipPath, BeatCacheKey::of(QFileInfo(clipPath)), BeatGrid(kept->times(), one));
}

} // namespace beats
