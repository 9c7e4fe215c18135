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

// The level's word in the file; none for beats counted as found.
QByteArray levelName(BeatLevel level)
{
    switch (level) {
    case BeatLevel::AsFound:
        break;
    case BeatLevel::Twice:
        return "twice";
    case BeatLevel::Half:
        return "half";
    }
    return {};
}

constexpr char LevelLabel[] = "Level:";

std::optional<BeatLevel> levelAfter(const QByteArray& line)
{
    const QByteArray word = line.mid(qsizetype(sizeof(LevelLabel)) - 1).trimmed();
    for (BeatLevel level : {BeatLevel::Twice, BeatLevel::Half})
        if (word == levelName(level))
            return level;
    return std::nullopt;
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

BeatGrid KeptBeats::counted() const
{
    return BeatGrid(BeatGrid::atLevel(found, count.level).times(), count.one);
}

QByteArray writeBeatCache(const BeatCacheKey& key, const KeptBeats& beats)
{
    QByteArray text = QByteArray(BeatCacheHeader) + '\n';
    text += "Size: " + QByteArray::number(key.size) + '\n';
    text += "Modified: " + QByteArray::number(key.modifiedMs) + '\n';
    text += "One: " + QByteArray::number(beats.count.one) + '\n';
    if (const QByteArray level = levelName(beats.count.level); !level.isEmpty())
        text += QByteArray(LevelLabel) + ' ' + level + '\n';
    text += "Beats: " + QByteArray::number(beats.found.size()) + '\n';
    for (double t : beats.found)
        text += QByteArray::number(t, 'f', 4) + '\n';
    return text;
}

std::optional<KeptBeats> readBeatCache(const QByteArray& text, const BeatCacheKey& key)
{
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    if (lines.size() < 5 || lines[0] != BeatCacheHeader)
        return std::nullopt;
    KeptBeats kept;
    // The level's line is there only for beats not counted as found.
    const bool levelLine = lines[4].startsWith(LevelLabel);
    const qsizetype Head = levelLine ? 6 : 5;
    if (levelLine) {
        const auto level = levelAfter(lines[4]);
        if (!level || lines.size() < Head)
            return std::nullopt;
        kept.count.level = *level;
    }
    const auto size = numberAfter(lines[1], "Size:");
    const auto modified = numberAfter(lines[2], "Modified:");
    const auto one = numberAfter(lines[3], "One:");
    const auto count = numberAfter(lines[Head - 1], "Beats:");
    if (!size || !modified || !one || !count || BeatCacheKey{*size, *modified} != key ||
        *count != lines.size() - Head || *one < 0 || *one >= CountCycle)
        return std::nullopt;
    for (qsizetype i = Head; i < lines.size(); ++i) {
        bool ok = false;
        const double t = lines[i].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(t) || t < 0 || (!kept.found.isEmpty() && t <= kept.found.back()))
            return std::nullopt;
        kept.found.append(t);
    }
    kept.count.one = int(*one);
    return kept;
}

QString BeatCache::fileFor(const QString& clipPath) const
{
    const QByteArray path = QFileInfo(clipPath).absoluteFilePath().toUtf8();
    const QByteArray name = QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex();
    return QDir(m_folder).filePath(QString::fromLatin1(name) + QStringLiteral(".beats"));
}

std::optional<KeptBeats> BeatCache::load(const QString& clipPath) const
{
    if (m_folder.isEmpty())
        return std::nullopt;
    QFile file(fileFor(clipPath));
    // A cache file is a few kilobytes; anything much larger is not one.
    if (!file.open(QIODevice::ReadOnly) || file.size() > 4 * 1024 * 1024)
        return std::nullopt;
    return readBeatCache(file.readAll(), BeatCacheKey::of(QFileInfo(clipPath)));
}

bool BeatCache::store(const QString& clipPath, const BeatCacheKey& key, const KeptBeats& beats) const
{
    if (m_folder.isEmpty() || key.size < 0 || !QDir().mkpath(m_folder))
        return false;
    QSaveFile file(fileFor(clipPath));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(writeBeatCache(key, beats));
    return file.commit();
}

bool BeatCache::storeCount(const QString& clipPath, BeatCount count) const
{
    auto kept = load(clipPath);
    if (!kept)
        return false;
    kept->count = count;
    return store(clipPath, BeatCacheKey::of(QFileInfo(clipPath)), *kept);
}

} // namespace beats
