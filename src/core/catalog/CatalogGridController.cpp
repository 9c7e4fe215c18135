#include "core/catalog/CatalogGridController.h"

#include "core/base/Prompt.h"
#include "core/base/TimeCode.h"
#include "core/catalog/BookmarkChecks.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogGridView.h"
#include "core/catalog/CatalogView.h"
#include "core/catalog/CatalogWindowView.h"
#include "core/catalog/PendingEdits.h"
#include "core/catalog/PlayAllSession.h"

#include <algorithm>

using namespace BookmarkColumn;

namespace {

constexpr int kReturnKey = Qt::Key_Return;
constexpr int kEnterKey = Qt::Key_Enter;

} // namespace

CatalogGridController::CatalogGridController(CatalogDocument& document, CatalogGridView& grid,
                                             CatalogWindowView& window, PendingEdits& edits)
    : m_document(document), m_grid(grid), m_window(window), m_edits(edits)
{
}

void CatalogGridController::goToCell(int column, int row)
{
    const CellChoice choice = BookmarksGridSelectCell(column, row);
    m_grid.placeCursor(choice.column, choice.row, choice.wholeRow);
}

CatalogGridController::CellChoice CatalogGridController::BookmarksGridSelectCell(int column, int row)
{
    CatalogDocument& d = m_document;
    const bool left = m_main && m_main->lastArrowDirection() == CatalogView::Arrow::Left;
    // What was typed for the row the cursor leaves stays with that row.
    m_edits.takeInDescription();
    // A refused selection moves the cursor elsewhere, which selects again.
    for (int pass = 0; pass < 4; ++pass) {
        const int c = column;
        d.setSelectedRow(row);
        showSelectedDescription();
        if (d.PlayCellSelected() || c == Play)
            m_grid.refreshCells();
        d.setPlayCellSelected(c == Play);

        if (!d.WholeRowSelected()) {
            if (d.columnShown(Folder) && c == Description) {
                column = Folder;
                continue;
            }
            if (!d.columnShown(Folder) && c == Folder) {
                column = Filename;
                continue;
            }
            if (c == Number) {
                d.setWholeRowSelected(true);
                return {RowEnd, row, true};
            }
        } else {
            if (c == Number || c == RowEnd)
                return {RowEnd, row, true};
            d.setWholeRowSelected(false);
            if (c == CategoryCopy || c == Spare)
                return {d.columnShown(Category) ? Category : Name, row};
        }

        const bool learn = d.columnShown(Learn);
        const bool rating = d.columnShown(Rating);
        if (!learn && rating && c == Learn)
            column = left ? Name : Rating;
        else if (learn && !rating && c == Rating)
            column = left ? Learn : Play;
        else if (!learn && !rating && (c == Learn || c == Rating))
            column = left ? Name : Play;
        else if (!d.columnShown(Category) && c == Category)
            column = left ? Number : Name;
        else
            return {c, row};
    }
    return {column, row};
}

void CatalogGridController::showSelectedDescription()
{
    m_window.showDescription(m_document.Cells(Description, m_document.SelectedRow()));
}

bool CatalogGridController::BookmarksGridCellValidate(int column, int row, const QString& text)
{
    const QString message = BookmarkChecks::cellValueMessage(m_document, column, row, text);
    if (message.isEmpty())
        return true;
    prompt().message(message, Prompt::Icon::Warning);
    return false;
}

void CatalogGridController::BookmarksGridEditingDone()
{
    CatalogDocument& d = m_document;
    if (d.RehideAfterEdit()) {
        d.hideRepeats();
        m_window.showRepeatsHidden(true);
        d.setRehideAfterEdit(false);
    }
    m_grid.setEditingOn(false);
    m_grid.focusGrid();
}

void CatalogGridController::BookmarksGridKeyDown(int key)
{
    if (key != kReturnKey && key != kEnterKey)
        return;
    m_playFromEnter = true;
    activateCell(1, 1);
    m_playFromEnter = false;
}

void CatalogGridController::rebuildLoopList()
{
    if (m_main)
        m_main->setLoopListItems(m_document.loopListItems(), m_document.PlayingBookmark() - 1);
}

void CatalogGridController::BookmarksGridCellsChanged()
{
    CatalogDocument& d = m_document;
    d.setCatalogModified(true);
    rebuildLoopList();
    const int playing = d.PlayingBookmark();
    if (playing == -1 || !m_main)
        return;
    const QString start = d.Cells(StartTime, playing);
    const QString end = d.Cells(EndTime, playing);
    if (validatePreciseTimeCode(start))
        m_main->setStartTimeDigits(removeColonsFromString(start));
    if (validatePreciseTimeCode(end))
        m_main->setEndTimeDigits(removeColonsFromString(end));
}

void CatalogGridController::rowsReordered()
{
    m_document.setCatalogModified(true);
    rebuildLoopList();
}

void CatalogGridController::BookmarksGridRowMoved(int from, int to)
{
    CatalogDocument& d = m_document;
    if (from == to || from < 1 || to < 1 || from >= d.RowCount() || to >= d.RowCount())
        return;
    m_sortKeys.clear();
    m_grid.showSortIndicator(-1, false);
    // The cursor and the selected row follow their rows like the playing
    // bookmark does.
    const int cursorColumn = m_grid.cursorColumn();
    const int cursorRow = m_grid.cursorRow();
    d.moveRow(from, to);
    d.setSelectedRow(CatalogDocument::rowAfterMove(d.SelectedRow(), from, to));
    if (cursorRow > 0)
        m_grid.placeCursor(cursorColumn, CatalogDocument::rowAfterMove(cursorRow, from, to), d.WholeRowSelected());
    rebuildLoopList();
    m_grid.focusGrid();
}

void CatalogGridController::BookmarksGridCanDeleteRow()
{
    CatalogDocument& d = m_document;
    if (!d.WholeRowSelected() || m_grid.cursorColumn() != RowEnd)
        return;
    const int row = m_grid.cursorRow();
    if (prompt().askOkCancel(QStringLiteral("Delete this bookmark?"), Prompt::Icon::Warning) != Prompt::Answer::Ok) {
        goToCell(Number, row);
        return;
    }
    if (d.RowCount() <= 2) {
        prompt().message(QStringLiteral("You cannot delete the last bookmark.\n\nThis is because empty catalogs are "
                                        "not allowed.\n\nIf you want to create a new catalog, please close this "
                                        "catalog first."),
                         Prompt::Icon::Warning);
        return;
    }
    // Whatever was typed for the row goes with it.
    m_edits.takeInDescription();
    const int cursorRow = row == d.RowCount() - 1 ? row - 1 : row;
    d.deleteRow(row);
    // The selected row may name another bookmark now: the pane shows it
    // before anything can take the pane in.
    showSelectedDescription();
    rebuildLoopList();
    goToCell(Number, cursorRow);
}

QString CatalogGridController::BookmarksGridGridHint(int column) const
{
    if (m_document.SortingOn())
        return {};
    switch (column) {
    case Handle:
        return QStringLiteral("Use this column to change the order of bookmarks.");
    case Number:
        return QStringLiteral("Use this column to select the whole row.\nYou can then use the <Delete> key to "
                              "remove the row (the bookmark).");
    case Learn:
        return QStringLiteral("Level of 'Mastery' (optional)\nSelect how well you've learned this move:\na = need "
                              "to learn\nb = learning\nc = almost mastered\nd = mastered\nYou can also set this cell "
                              "to empty at any time.");
    case Rating:
        return QStringLiteral("'Coolness' factor: (optional)\nOn a scale of 0 to 10, select how much you like this "
                              "move.");
    case Play:
        return QStringLiteral("Double click the arrow icon (or select the icon and hit \"enter\") to PLAY the "
                              "selected bookmark.\n(Green indicates the bookmark currently playing).");
    case StartTime:
        return QStringLiteral("Must be in form \"hh:mm:ss\" (hours:minutes:seconds)");
    case EndTime:
        return QStringLiteral("Must be in form \"hh:mm:ss\", or read exactly \"--:--:--\" to indicate no endtime.");
    default:
        return {};
    }
}

void CatalogGridController::BookmarksGridHeaderClick(int column, bool shift)
{
    CatalogDocument& d = m_document;
    if (!d.SortingOn() || !CatalogDocument::isSortableColumn(column))
        return;
    // The pane and an open editor belong to the rows before they move.
    if (!m_edits.takeIn())
        return;
    auto same = [column](const std::pair<int, bool>& key) { return key.first == column; };
    auto it = std::find_if(m_sortKeys.begin(), m_sortKeys.end(), same);
    if (shift) {
        if (it != m_sortKeys.end())
            it->second = !it->second;
        else
            m_sortKeys.append({column, false});
    } else if (m_sortKeys.size() == 1 && it != m_sortKeys.end()) {
        it->second = !it->second;
    } else {
        m_sortKeys = {{column, false}};
    }
    QList<CatalogDocument::SortKey> keys;
    for (const auto& [c, descending] : m_sortKeys)
        keys.append({c, descending});
    const int cursorColumn = m_grid.cursorColumn();
    const int cursorRow = m_grid.cursorRow();
    d.sortRows(keys);
    const bool descending = std::find_if(m_sortKeys.begin(), m_sortKeys.end(), same)->second;
    m_grid.showSortIndicator(column, descending);
    // Only the order changes: the cursor stays where it was, and the pane
    // shows the bookmark the sort put there.
    if (cursorRow > 0)
        m_grid.placeCursor(cursorColumn, cursorRow, d.WholeRowSelected());
    showSelectedDescription();
    rowsReordered();
}

void CatalogGridController::activateCell(int row, int column)
{
    CatalogDocument& d = m_document;
    if (row == 0) {
        if (column >= Category && column <= Rating)
            renameColumn(column);
        return;
    }
    const int c = m_grid.cursorColumn();
    if (c == Play) {
        if (m_playing)
            m_playing->playFromGrid(PlayAllView::Asker::Grid, m_playFromEnter ? PlayAllSession::Gesture::Enter
                                                                              : PlayAllSession::Gesture::DoubleClick);
        return;
    }
    if (!CatalogModel::isEditableColumn(c) || !d.columnShown(c))
        return;
    if (c == Category) {
        // A category is edited with the repeats shown.
        d.setRehideAfterEdit(d.RepeatsHidden());
        if (d.RepeatsHidden()) {
            d.showRepeats();
            m_window.showRepeatsHidden(false);
        }
    }
    m_grid.setEditingOn(true);
    m_grid.openEditorOnCursor();
}

void CatalogGridController::toggleHideRepeats()
{
    CatalogDocument& d = m_document;
    if (d.RepeatsHidden())
        d.showRepeats();
    else
        d.hideRepeats();
    m_window.showRepeatsHidden(d.RepeatsHidden());
}

void CatalogGridController::toggleSorting()
{
    CatalogDocument& d = m_document;
    if (!d.SortingOn()) {
        m_grid.showSortIndicators(true);
        d.setSortingOn(true);
        m_window.showSorting(true, QStringLiteral("sorting is ON"));
        if (d.RepeatsHidden()) {
            d.showRepeats();
            m_window.showRepeatsHidden(false);
            d.setRehideAfterSorting(true);
        }
    } else {
        switchSortingOff(QStringLiteral("sorting is OFF"));
    }
}

void CatalogGridController::switchSortingOff(const QString& caption)
{
    CatalogDocument& d = m_document;
    m_grid.showSortIndicators(false);
    m_grid.showSortIndicator(-1, false);
    m_sortKeys.clear();
    d.setSortingOn(false);
    m_window.showSorting(false, caption);
    if (d.RehideAfterSorting()) {
        d.hideRepeats();
        m_window.showRepeatsHidden(true);
        d.setRehideAfterSorting(false);
    }
}

void CatalogGridController::handBackKeys()
{
    if (m_document.PlayingAll())
        m_window.focusSink();
    else
        m_grid.focusGrid();
}

void CatalogGridController::toggleLineWrap()
{
    m_document.setSpacingStyle(m_document.SpacingStyle() == 1 ? 2 : 1);
    m_window.showSpacing(m_document.SpacingStyle());
}

void CatalogGridController::setSpacing(int style)
{
    m_document.setSpacingStyle(style);
    m_window.showSpacing(style);
}

void CatalogGridController::switchColumn(int column, bool shown)
{
    if (column != Category && column != Learn && column != Rating && column != Folder)
        return;
    const int row = m_grid.cursorRow();
    const bool cursorInColumn = m_grid.cursorColumn() == column && row >= 1;
    m_document.setColumnShown(column, shown);
    m_grid.showColumn(column, shown);
    if (column == Category)
        m_window.showRepeatsButton(shown);
    if (!shown && cursorInColumn)
        m_grid.placeCursor(column == Folder ? Filename : Name, row);
}

void CatalogGridController::renameColumn(int column)
{
    const QString old = m_document.Cells(column, 0);
    std::optional<QString> name = old;
    for (;;) {
        name = prompt().inputText(QStringLiteral("Column Name Change"),
                                  QStringLiteral("Enter a new name for this column"), *name);
        if (!name)
            return;
        const QString refused = BookmarkChecks::oneLineTextMessage(*name, QStringLiteral("column name"));
        if (refused.isEmpty())
            break;
        prompt().message(refused, Prompt::Icon::Warning);
    }
    if (*name == old)
        return;
    m_document.setCatalogModified(true);
    m_document.setCells(column, 0, *name);
}
