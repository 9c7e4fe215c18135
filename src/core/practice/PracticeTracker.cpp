#include "core/practice/PracticeTracker.h"

#include "core/base/TextFile.h"
#include "core/catalog/CatalogDocument.h"

#include <QDir>
#include <QFile>
#include <algorithm>

using namespace BookmarkColumn;

PracticeTracker::PracticeTracker(CatalogDocument& document, QObject* parent)
    : QObject(parent), m_document(document), m_documentAlive(&document),
      m_clock([] { return QDateTime::currentDateTime(); })
{
    connect(&document, &CatalogDocument::captionChanged, this, &PracticeTracker::catalogChanged);
    document.setDueRows([this](int row) { return rowDue(row); });
    catalogChanged();
}

PracticeTracker::~PracticeTracker()
{
    if (m_documentAlive)
        m_documentAlive->setDueRows({});
}

void PracticeTracker::catalogChanged()
{
    const CatalogDocument::Mode mode = m_document.CatalogMode();
    const QString file = m_document.CatalogFileName();
    const QString path =
        mode == CatalogDocument::Mode::OnFile && !file.isEmpty() ? PracticeLog::pathFor(file) : QString();
    if (mode == CatalogDocument::Mode::Closed) {
        if (m_open)
            startSession({});
        m_open = false;
        return;
    }
    if (m_open && path == m_logPath)
        return;
    m_open = true;
    startSession(path);
}

void PracticeTracker::startSession(const QString& logPath)
{
    m_logPath = logPath;
    m_session.clear();
    m_written.clear();
    m_kept.clear();
    m_pending.reset();
    m_practising.reset();
    m_read = LogRead::Whole;
    m_readProblem.clear();
    m_stamp = {};
    // What the status line said was of the catalog before.
    emit statusMessage(QString());
    if (!m_logPath.isEmpty())
        readLog();
    rebuildHistories();
    m_document.notePracticeChanged();
}

namespace {

// The whole file, or why it could not be read; a missing file is empty.
std::optional<QByteArray> readWhole(const QString& path, QString* reason)
{
    QFile file(path);
    if (!file.exists())
        return QByteArray();
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *reason = file.errorString();
        return std::nullopt;
    }
    return bytes;
}

} // namespace

void PracticeTracker::readLog()
{
    m_stamp = FileStamp::of(m_logPath);
    QString reason;
    const std::optional<QByteArray> bytes = readWhole(m_logPath, &reason);
    if (!bytes) {
        m_read = LogRead::Unreadable;
        m_readProblem = reason;
        emit statusMessage(QStringLiteral("The practice log %1 cannot be read (%2): it is not written over, and this "
                                          "session's practice is not logged.")
                               .arg(QDir::toNativeSeparators(m_logPath), reason));
        return;
    }
    m_kept = PracticeLog::parse(*bytes);
}

void PracticeTracker::writeLog()
{
    if (m_logPath.isEmpty() || m_session.isEmpty())
        return;
    if (m_read == LogRead::Unreadable) {
        emit statusMessage(QStringLiteral("The practice log %1 could not be read (%2): it is not written over, and "
                                          "this session's practice is not logged.")
                               .arg(QDir::toNativeSeparators(m_logPath), m_readProblem));
        return;
    }
    bool merged = false;
    if (FileStamp::of(m_logPath) != m_stamp) {
        // Changed by someone else since: their lines stay, this session's
        // lines as last written are taken out and written anew.
        QString reason;
        const std::optional<QByteArray> bytes = readWhole(m_logPath, &reason);
        if (!bytes) {
            emit statusMessage(
                QStringLiteral("The practice log %1 changed on disk and cannot be read again (%2): it is "
                               "not written over.")
                    .arg(QDir::toNativeSeparators(m_logPath), reason));
            return;
        }
        QList<PracticeLogLine> lines = PracticeLog::parse(*bytes);
        for (const QByteArray& written : std::as_const(m_written)) {
            const auto found =
                std::find_if(lines.begin(), lines.end(), [&](const PracticeLogLine& l) { return l.bytes == written; });
            if (found != lines.end())
                lines.erase(found);
        }
        m_kept = lines;
        merged = true;
    }
    QString reason;
    if (!saveFileAtomically(m_logPath, PracticeLog::compose(m_kept, m_session), &reason)) {
        emit statusMessage(QStringLiteral("The practice log %1 cannot be written (%2); the practice goes on.")
                               .arg(QDir::toNativeSeparators(m_logPath), reason));
        return;
    }
    m_stamp = FileStamp::of(m_logPath);
    m_written.clear();
    for (const PracticeEntry& entry : std::as_const(m_session))
        m_written.append(PracticeLog::formatLine(entry).toUtf8());
    if (merged)
        emit statusMessage(QStringLiteral("The practice log %1 changed on disk: this session's lines were added to it.")
                               .arg(QDir::toNativeSeparators(m_logPath)));
    if (merged)
        rebuildHistories();
}

void PracticeTracker::rebuildHistories()
{
    QList<PracticeEntry> entries;
    for (const PracticeLogLine& line : std::as_const(m_kept))
        if (line.entry)
            entries.append(*line.entry);
    entries += m_session;
    m_histories.clear();
    std::sort(entries.begin(), entries.end(), [](const PracticeEntry& a, const PracticeEntry& b) {
        return std::pair(a.category, a.name) < std::pair(b.category, b.name);
    });
    for (auto from = entries.cbegin(); from != entries.cend();) {
        const auto to = std::find_if(from, entries.cend(), [&](const PracticeEntry& e) {
            return e.category != from->category || e.name != from->name;
        });
        m_histories.insert({from->category, from->name},
                           PracticeSpacing::historyOf(QList<PracticeEntry>(from, to), from->category, from->name));
        from = to;
    }
}

void PracticeTracker::bookmarkStarting(int row)
{
    if (row < 1 || row >= m_document.RowCount())
        return;
    m_pending = Practised{m_document.storedCategory(row), m_document.Cells(Name, row)};
}

void PracticeTracker::loopStarted(LoopSource source)
{
    m_practising = source == LoopSource::Stored ? m_pending : std::nullopt;
    m_pending.reset();
}

void PracticeTracker::loopRefused(LoopSource)
{
    m_pending.reset();
    m_practising.reset();
}

void PracticeTracker::loopLeft()
{
    m_practising.reset();
}

void PracticeTracker::passEnded(double rate, double seconds)
{
    if (!m_practising || m_logPath.isEmpty())
        return;
    auto it = std::find_if(m_session.begin(), m_session.end(), [this](const PracticeEntry& e) {
        return e.category == m_practising->category && e.name == m_practising->name;
    });
    if (it == m_session.end()) {
        PracticeEntry entry;
        entry.began = m_clock().addMSecs(-qint64(seconds * 1000)).toLocalTime();
        entry.category = m_practising->category;
        entry.name = m_practising->name;
        entry.slowest = rate;
        entry.fastest = rate;
        m_session.append(entry);
        it = m_session.end() - 1;
    }
    PracticeEntry& entry = *it;
    ++entry.passes;
    entry.seconds += seconds;
    entry.slowest = std::min(entry.slowest, rate);
    entry.fastest = std::max(entry.fastest, rate);
    writeLog();
    rebuildHistories();
    m_document.notePracticeChanged();
}

PracticeHistory PracticeTracker::historyOfRow(int row) const
{
    if (row < 1 || row >= m_document.RowCount())
        return {};
    return m_histories.value({m_document.storedCategory(row), m_document.Cells(Name, row)});
}

QString PracticeTracker::describeRow(int row) const
{
    if (!m_open || row < 1 || row >= m_document.RowCount())
        return {};
    return PracticeSpacing::describe(historyOfRow(row));
}

bool PracticeTracker::rowDue(int row) const
{
    return PracticeSpacing::isDue(historyOfRow(row), m_document.Cells(Learn, row), m_clock().date());
}
