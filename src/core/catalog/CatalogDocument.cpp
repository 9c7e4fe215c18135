#include "core/catalog/CatalogDocument.h"

#include <QFileInfo>

using namespace BookmarkColumn;

namespace {

const QString kRepeatMark = QStringLiteral("-");

} // namespace

CatalogDocument::CatalogDocument(QObject* parent) : QObject(parent), m_model(new CatalogModel(this))
{
}

void CatalogDocument::setCatalogMode(Mode mode)
{
    if (m_catalogMode == mode)
        return;
    m_catalogMode = mode;
    emit captionChanged();
}

void CatalogDocument::setCatalogFileName(const QString& path)
{
    if (m_catalogFileName == path)
        return;
    m_catalogFileName = path;
    emit captionChanged();
}

void CatalogDocument::setCatalogModified(bool on)
{
    if (m_catalogModified == on)
        return;
    m_catalogModified = on;
    emit modifiedChanged(on);
    emit captionChanged();
}

void CatalogDocument::setPlayingBookmark(int row)
{
    if (m_playingBookmark == row)
        return;
    m_playingBookmark = row;
    emit playingBookmarkChanged(row);
}

void CatalogDocument::setColumnShown(int column, bool shown)
{
    switch (column) {
    case Category:
        m_columns.showCategory = shown;
        break;
    case Learn:
        m_columns.showLearn = shown;
        break;
    case Rating:
        m_columns.showRating = shown;
        break;
    case Folder:
        m_columns.showFolder = shown;
        break;
    default:
        break;
    }
}

bool CatalogDocument::columnShown(int column) const
{
    switch (column) {
    case Category:
        return m_columns.showCategory;
    case Learn:
        return m_columns.showLearn;
    case Rating:
        return m_columns.showRating;
    case Folder:
        return m_columns.showFolder;
    case Description:
    case CategoryCopy:
    case RowEnd:
    case Spare:
        return false;
    default:
        return true;
    }
}

QString CatalogDocument::captionText() const
{
    const QString modified = m_catalogModified ? QStringLiteral("  [MODIFIED]") : QString();
    if (m_catalogMode == Mode::New)
        return QStringLiteral("Video Catalog --  New  [NO FILE]") + modified;
    if (m_catalogMode != Mode::OnFile)
        return {};
    const int slash = int(m_catalogFileName.lastIndexOf(u'/'));
    const QString folder = m_catalogFileName.left(slash + 1);
    const QString name = m_catalogFileName.mid(slash + 1);
    return QStringLiteral("Video Catalog --  ") + name + QStringLiteral("  (in folder ") + folder + u')' + modified;
}

void CatalogDocument::ResetBookmarksGrid(const BookmarksGridColumns& columns)
{
    m_columns = columns;
    const QStringList headers = {QString(),
                                 QStringLiteral("#"),
                                 columns.categoryName,
                                 columns.nameName,
                                 columns.learnName,
                                 columns.ratingName,
                                 QStringLiteral("Play"),
                                 QStringLiteral("Start Time"),
                                 QStringLiteral("End Time"),
                                 QStringLiteral("Filename"),
                                 QStringLiteral("Folder"),
                                 QStringLiteral("Description"),
                                 QString(),
                                 QString(),
                                 QString()};
    m_model->reset(headers);
    m_selectedRow = 1;
    m_blankFirstRow = true;
}

void CatalogDocument::StoreCopyCategoryColumns()
{
    for (int r = 1; r < RowCount(); ++r)
        setCells(CategoryCopy, r, Cells(Category, r));
}

void CatalogDocument::RestoreCopyCategoryColumns()
{
    // Only the marks are put back: a category typed while repeats were
    // hidden is newer than its copy and stays.
    for (int r = 1; r < RowCount(); ++r)
        if (Cells(Category, r) == kRepeatMark)
            setCells(Category, r, Cells(CategoryCopy, r));
}

QString CatalogDocument::storedCategory(int row) const
{
    const QString category = Cells(Category, row);
    return m_repeatsHidden && category == kRepeatMark ? Cells(CategoryCopy, row) : category;
}

void CatalogDocument::hideRepeats()
{
    m_repeatsHidden = true;
    StoreCopyCategoryColumns();
    for (int r = 2; r < RowCount(); ++r) {
        const QString above = Cells(CategoryCopy, r - 1);
        if (!above.isEmpty() && Cells(CategoryCopy, r) == above)
            setCells(Category, r, kRepeatMark);
    }
}

void CatalogDocument::showRepeats()
{
    m_repeatsHidden = false;
    RestoreCopyCategoryColumns();
}

void CatalogDocument::RefreshHideRepeats()
{
    if (!m_repeatsHidden)
        return;
    showRepeats();
    hideRepeats();
}

int CatalogDocument::rowAfterMove(int p, int from, int to)
{
    if (p == from)
        return to;
    if (p < from && p >= to)
        return p + 1;
    if (from < p && to >= p)
        return p - 1;
    return p;
}

void CatalogDocument::moveRow(int from, int to)
{
    if (from == to || from < 1 || to < 1 || from >= RowCount() || to >= RowCount())
        return;
    m_model->moveRow(from, to);
    setCatalogModified(true);
    RefreshHideRepeats();
    if (m_playingBookmark != -1)
        setPlayingBookmark(rowAfterMove(m_playingBookmark, from, to));
}

bool CatalogDocument::deleteRow(int row)
{
    if (RowCount() <= 2 || row < 1 || row >= RowCount())
        return false;
    if (m_playingBookmark == row)
        setPlayingBookmark(-1);
    else if (m_playingBookmark > row)
        setPlayingBookmark(m_playingBookmark - 1); // it keeps naming its own row
    m_model->removeRow(row);
    // The selected row keeps naming its bookmark; the row of a deleted one
    // goes to the bookmark that takes its place.
    if (m_selectedRow > row)
        --m_selectedRow;
    else if (m_selectedRow >= RowCount())
        m_selectedRow = RowCount() - 1;
    // A deletion is a change like any other, and the marks follow it.
    setCatalogModified(true);
    RefreshHideRepeats();
    return true;
}

CatalogData CatalogDocument::storedCatalog() const
{
    CatalogData catalog = m_model->toCatalogData();
    if (m_repeatsHidden) {
        // Catalog files never hold the "-" marks.
        for (int r = 1; r < RowCount(); ++r)
            if (Cells(Category, r) == kRepeatMark)
                catalog.bookmarks[r - 1].category = Cells(CategoryCopy, r);
    }
    return catalog;
}

int CatalogDocument::takeRowForNewBookmark()
{
    int row = 1;
    if (m_blankFirstRow)
        m_blankFirstRow = false;
    else
        row = m_model->appendRow();
    setCells(Number, row, QString::number(row));
    return row;
}

QStringList CatalogDocument::loopListItems() const
{
    QStringList items;
    items.reserve(RowCount());
    for (int r = 1; r < RowCount(); ++r)
        items.append(Cells(Number, r) + QStringLiteral(" : ") + Cells(Name, r));
    return items;
}

void CatalogDocument::setPlayAllFilter(const PlayAllFilter& filter)
{
    if (filter == m_playAllFilter)
        return;
    m_playAllFilter = filter;
    emit playAllFilterChanged();
}
