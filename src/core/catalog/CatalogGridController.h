#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <utility>

class CatalogDocument;
class CatalogGridView;
class CatalogView;
class CatalogWindowView;
class PendingEdits;
class PlayAllSession;

// The rules of the catalog grid behind the catalog window: where the cursor
// may go (hidden columns are skipped, the "#" column selects the whole row),
// editing cells with their checks, deleting, moving and sorting rows (the
// playing bookmark and the cursor follow their rows), repeat hiding, row
// spacing, column names and hints. The window forwards the grid's events
// here and shows what the views are told.
class CatalogGridController {
public:
    // Where the cursor goes when a cell is asked for.
    struct CellChoice {
        int column;
        int row;
        bool wholeRow = false;
        bool operator==(const CellChoice&) const = default;
    };

    CatalogGridController(CatalogDocument& document, CatalogGridView& grid, CatalogWindowView& window,
                          PendingEdits& edits);

    // The main window: its bookmark list, loop boxes, arrow keys.
    void setCatalogView(CatalogView* view) { m_main = view; }
    // Plays the bookmark of a "Play" cell that is double-clicked.
    void setPlaying(PlayAllSession* playing) { m_playing = playing; }

    // Asks the selection rules for a cell and puts the cursor where they
    // decide.
    void goToCell(int column, int row);
    // The selection rules: the description pane follows the row, a "Play"
    // cell is highlighted, hidden columns are skipped in the direction of
    // the last arrow key, "#" selects the whole row.
    CellChoice BookmarksGridSelectCell(int column, int row);
    // A committed cell value; false refuses it after telling the user why.
    bool BookmarksGridCellValidate(int column, int row, const QString& text);
    void BookmarksGridEditingDone();
    // Enter acts on the current cell as a double-click does.
    void BookmarksGridKeyDown(int key);
    // After an editor committed a value: the catalog is modified, the main
    // window's list is rebuilt and the playing bookmark's times go into the
    // loop boxes.
    void BookmarksGridCellsChanged();
    void BookmarksGridRowMoved(int from, int to);
    // Delete on a whole row: asks, and keeps the last bookmark.
    void BookmarksGridCanDeleteRow();
    QString BookmarksGridGridHint(int column) const;
    // A click on a column title while sorting is on: sorts by it (Shift
    // adds it to the columns sorted by).
    void BookmarksGridHeaderClick(int column, bool shift);
    // A cell double-clicked (or Enter on it): row 0 renames the column; the
    // "Play" column plays its bookmark; editable columns open their editor.
    void activateCell(int row, int column);

    // Hides the repeated categories, or shows them again.
    void toggleHideRepeats();
    // Sorting by the column titles on, or off.
    void toggleSorting();
    // Sorting off: marks hidden, the sort keys forgotten, the caption given.
    void switchSortingOff(const QString& caption);
    // The grid's line spacing: one line a row, or the whole description.
    void toggleLineWrap();
    // The View menu's items: spacing style 1 or 2.
    void setSpacing(int style);
    // An optional column shown or hidden by the options window.
    void switchColumn(int column, bool shown);
    // Rebuilds the main window's bookmark list from the rows.
    void rebuildLoopList();
    // After a button or menu item of the catalog window: the keys go to the
    // focus sink while all bookmarks play, else to the grid.
    void handBackKeys();

private:
    void renameColumn(int column);
    // After the order changed: modified and the list rebuilt; the loop
    // boxes stay as they are.
    void rowsReordered();
    void showSelectedDescription();

    CatalogDocument& m_document;
    CatalogGridView& m_grid;
    CatalogWindowView& m_window;
    PendingEdits& m_edits;
    CatalogView* m_main = nullptr;
    PlayAllSession* m_playing = nullptr;
    bool m_playFromEnter = false;
    QList<std::pair<int, bool>> m_sortKeys; // column, descending
};
