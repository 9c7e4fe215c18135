#include "core/catalog/RecoveryWriter.h"

#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogGridView.h"
#include "core/catalog/CatalogWindowView.h"
#include "core/catalog/RecoveryStore.h"

#include <QMutexLocker>

using namespace BookmarkColumn;

namespace {

// The cell of a stored column in a bookmark.
QString* fieldOf(Bookmark& b, int column)
{
    switch (column) {
    case Category:
        return &b.category;
    case Name:
        return &b.name;
    case Learn:
        return &b.learn;
    case Rating:
        return &b.rating;
    case StartTime:
        return &b.startTime;
    case EndTime:
        return &b.endTime;
    case Filename:
        return &b.fileName;
    case Folder:
        return &b.folder;
    case Description:
        return &b.description;
    default:
        return nullptr;
    }
}

} // namespace

RecoveryWriter::RecoveryWriter(CatalogDocument& document, CatalogGridView& grid, CatalogWindowView& window,
                               RecoveryStore& store, QObject* parent)
    : QObject(parent), m_document(document), m_grid(grid), m_window(window), m_store(store)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(500);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryWriter::settle);
    m_pool.setMaxThreadCount(1);

    CatalogModel* model = document.model();
    connect(model, &CatalogModel::modelReset, this, &RecoveryWriter::changed);
    connect(model, &CatalogModel::layoutChanged, this, &RecoveryWriter::changed);
    connect(model, &CatalogModel::dataChanged, this, &RecoveryWriter::changed);
    connect(model, &CatalogModel::headerDataChanged, this, &RecoveryWriter::changed);
    connect(model, &CatalogModel::rowsInserted, this, &RecoveryWriter::changed);
    connect(model, &CatalogModel::rowsRemoved, this, &RecoveryWriter::changed);
    connect(model, &CatalogModel::rowsMoved, this, &RecoveryWriter::changed);
    connect(&document, &CatalogDocument::captionChanged, this, &RecoveryWriter::changed);
    // Saved, closed or given up: nothing is left to keep.
    connect(&document, &CatalogDocument::modifiedChanged, this, [this](bool modified) {
        if (!modified)
            settle();
    });
}

RecoveryWriter::~RecoveryWriter()
{
    m_pool.waitForDone();
}

void RecoveryWriter::noteTyping()
{
    changed();
}

void RecoveryWriter::changed()
{
    if (m_stopped)
        return;
    m_lastChange = QDateTime::currentDateTime();
    // A write follows the first change by the interval, however many come
    // after it: typing without a pause is kept too.
    if (!m_timer.isActive())
        m_timer.start();
}

bool RecoveryWriter::hasUnsavedState() const
{
    const CatalogDocument& d = m_document;
    if (d.CatalogMode() == CatalogDocument::Mode::Closed)
        return false;
    if (d.CatalogModified())
        return true;
    const int selected = d.SelectedRow();
    if (const std::optional<QString> typed = m_window.typedDescription();
        typed && selected >= 1 && selected < d.RowCount() && *typed != d.Cells(Description, selected))
        return true;
    if (const auto edit = m_grid.openEditorValue(); edit && edit->text != d.Cells(edit->column, edit->row))
        return true;
    return false;
}

RecoverySnapshot RecoveryWriter::snapshot() const
{
    const CatalogDocument& d = m_document;
    RecoverySnapshot s;
    if (d.CatalogMode() == CatalogDocument::Mode::OnFile)
        s.catalogPath = d.CatalogFileName();
    s.lastChange = m_lastChange.isValid() ? m_lastChange : QDateTime::currentDateTime();
    s.file = d.fileState();
    s.catalog = d.storedCatalog();
    s.listSeparator = d.listSeparator();
    // Bookmark row r is bookmarks[r - 1]; the placeholder row of a catalog
    // without bookmarks is stored as one empty bookmark.
    auto overlay = [&s](int column, int row, const QString& text) {
        if (row < 1 || row > s.catalog.bookmarks.size())
            return;
        if (QString* field = fieldOf(s.catalog.bookmarks[row - 1], column))
            *field = text;
    };
    if (const std::optional<QString> typed = m_window.typedDescription())
        overlay(Description, d.SelectedRow(), *typed);
    if (const auto edit = m_grid.openEditorValue())
        overlay(edit->column, edit->row, edit->text);
    return s;
}

void RecoveryWriter::settle()
{
    m_timer.stop();
    if (m_stopped)
        return;
    if (hasUnsavedState())
        writeInBackground();
    else
        removeWritten();
}

void RecoveryWriter::writeInBackground()
{
    const RecoverySnapshot s = snapshot();
    const QString file = m_store.fileFor(s.catalogPath);
    quint64 generation = 0;
    {
        QMutexLocker lock(&m_mutex);
        generation = ++m_generation;
    }
    m_pool.start([this, s, file, generation] {
        QMutexLocker lock(&m_mutex);
        if (generation == m_generation)
            writeLocked(file, s);
    });
}

bool RecoveryWriter::writeLocked(const QString& file, const RecoverySnapshot& snapshot)
{
    QString reason;
    if (!m_store.write(file, recoveryText(snapshot), &reason)) {
        QMetaObject::invokeMethod(
            this,
            [this, reason] {
                if (m_failureTold)
                    return;
                m_failureTold = true;
                emit writeFailed(reason);
            },
            Qt::QueuedConnection);
        return false;
    }
    // The catalog got a file (or another one): its old recovery goes.
    if (!m_writtenFile.isEmpty() && m_writtenFile != file)
        m_store.remove(m_writtenFile);
    m_writtenFile = file;
    return true;
}

void RecoveryWriter::removeWritten()
{
    QMutexLocker lock(&m_mutex);
    ++m_generation;
    if (m_writtenFile.isEmpty())
        return;
    m_store.remove(m_writtenFile);
    m_writtenFile.clear();
}

void RecoveryWriter::discard()
{
    m_timer.stop();
    removeWritten();
}

bool RecoveryWriter::writeNow()
{
    m_timer.stop();
    if (!hasUnsavedState())
        return false;
    const RecoverySnapshot s = snapshot();
    QMutexLocker lock(&m_mutex);
    ++m_generation;
    return writeLocked(m_store.fileFor(s.catalogPath), s);
}

void RecoveryWriter::stop(int waitMs)
{
    m_stopped = true;
    m_timer.stop();
    m_pool.waitForDone(waitMs);
}

QString RecoveryWriter::writtenFile() const
{
    QMutexLocker lock(&m_mutex);
    return m_writtenFile;
}
