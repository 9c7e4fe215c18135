#pragma once

#include "core/catalog/BookmarksGridColumns.h"
#include "core/catalog/CatalogFileState.h"
#include "core/catalog/CatalogFiles.h"
#include "core/catalog/CatalogModel.h"
#include "core/catalog/PlayAllFilter.h"
#include "core/catalog/SpreadsheetCatalogFile.h"

#include <QObject>

// The open video catalog as a document: its rows (the model) and the state
// every window shares about it. The catalog window shows it; the main
// window, the keyboard and the bookmark players read it from here.
class CatalogDocument : public QObject {
    Q_OBJECT
public:
    explicit CatalogDocument(QObject* parent = nullptr);

    CatalogModel* model() const { return m_model; }
    QString Cells(int column, int row) const { return m_model->Cells(column, row); }
    void setCells(int column, int row, const QString& text) { m_model->setCells(column, row, text); }
    int RowCount() const { return m_model->RowCount(); }

    // The catalog's state: none open, a new one without a file, or one tied
    // to its file.
    enum class Mode { Closed, New, OnFile };
    Q_ENUM(Mode)
    Mode CatalogMode() const { return m_catalogMode; }
    void setCatalogMode(Mode mode);
    QString CatalogFileName() const { return m_catalogFileName; }
    void setCatalogFileName(const QString& path);
    bool CatalogModified() const { return m_catalogModified; }
    void setCatalogModified(bool on);
    int PlayingBookmark() const { return m_playingBookmark; } // bookmark row, -1 none
    void setPlayingBookmark(int row);
    // The playing row's "Play" cell is green too (chosen from the main
    // window's bookmark list).
    bool PlayCellGreen() const { return m_playCellGreen; }
    void setPlayCellGreen(bool on) { m_playCellGreen = on; }
    int SelectedRow() const { return m_selectedRow; }
    void setSelectedRow(int row) { m_selectedRow = row; }
    bool BlankFirstRow() const { return m_blankFirstRow; }
    void setBlankFirstRow(bool on) { m_blankFirstRow = on; }
    int SpacingStyle() const { return m_spacingStyle; } // 1 or 2
    void setSpacingStyle(int style) { m_spacingStyle = style == 2 ? 2 : 1; }
    bool SortingOn() const { return m_sortingOn; }
    void setSortingOn(bool on) { m_sortingOn = on; }
    bool PlayingAll() const { return m_playingAll; }
    void setPlayingAll(bool on) { m_playingAll = on; }
    bool WholeRowSelected() const { return m_wholeRowSelected; }
    void setWholeRowSelected(bool on) { m_wholeRowSelected = on; }
    bool RepeatsHidden() const { return m_repeatsHidden; }
    void setRepeatsHidden(bool on) { m_repeatsHidden = on; }
    bool RehideAfterEdit() const { return m_rehideAfterEdit; }
    void setRehideAfterEdit(bool on) { m_rehideAfterEdit = on; }
    bool RehideAfterSorting() const { return m_rehideAfterSorting; }
    void setRehideAfterSorting(bool on) { m_rehideAfterSorting = on; }
    bool PlayCellSelected() const { return m_playCellSelected; }
    void setPlayCellSelected(bool on) { m_playCellSelected = on; }
    int SavedGridRow() const { return m_savedGridRow; }
    void setSavedGridRow(int row) { m_savedGridRow = row; }
    int SavedGridColumn() const { return m_savedGridColumn; }
    void setSavedGridColumn(int column) { m_savedGridColumn = column; }

    // Which bookmarks play all and the previous/current/next keys play.
    const PlayAllFilter& playAllFilter() const { return m_playAllFilter; }
    void setPlayAllFilter(const PlayAllFilter& filter);
    // Which rows the practice log finds due today (none set: every row).
    const PlayAllFilter::DueRows& dueRows() const { return m_dueRows; }
    void setDueRows(PlayAllFilter::DueRows dueRows) { m_dueRows = std::move(dueRows); }
    // What the practice log tells changed: the rows due, the filter's count
    // and the figures shown may have changed.
    void notePracticeChanged() { emit practiceChanged(); }
    // Whether the filter is on and bookmark row `row` passes it.
    bool rowMarkedToPlay(int row) const
    {
        return m_playAllFilter.active() && m_playAllFilter.passesRow(*m_model, row, m_dueRows);
    }
    // The category of bookmark row `row`, also while repeats are hidden.
    QString storedCategory(int row) const;

    // The columns of the last reset: titles, shown columns and widths.
    const BookmarksGridColumns& columns() const { return m_columns; }
    bool columnShown(int column) const;
    // An optional column (Category, Learn, Rating, Folder) switched since.
    void setColumnShown(int column, bool shown);

    // Catalog window caption; empty in mode 0 (the caption stays as it is).
    QString captionText() const;

    // One empty placeholder row under the given column titles.
    void ResetBookmarksGrid(const BookmarksGridColumns& columns);

    // Repeat hiding: column 12 keeps the categories while column 2 shows "-"
    // for a category equal to the one above.
    void StoreCopyCategoryColumns();
    void RestoreCopyCategoryColumns();
    void hideRepeats(); // RepeatsHidden on, marks placed
    void showRepeats(); // RepeatsHidden off, categories back
    void RefreshHideRepeats();

    // Where a row p lands when row `from` moves to `to`.
    static int rowAfterMove(int p, int from, int to);
    // Moves a bookmark row; the playing bookmark follows its row, the
    // catalog is modified and the repeat marks follow the new order.
    void moveRow(int from, int to);
    // Removes a bookmark row; false (nothing removed) for the only one.
    bool deleteRow(int row);

    // The row a new bookmark goes into: the blank first row after a reset,
    // else a new last row. Its number is its row.
    int takeRowForNewBookmark();

    // Sorting by header clicks: only these columns may be sorted.
    static bool isSortableColumn(int column);
    struct SortKey {
        int column;
        bool descending = false;
    };
    // Sorts the rows, first key first; the texts (numbers included) travel
    // with their rows, and so does the playing bookmark. False, and nothing
    // moves, when a column may not be sorted.
    bool sortRows(const QList<SortKey>& keys);

    // The main window's bookmark list: "#" text, " : ", name, one per row.
    QStringList loopListItems() const;

    // Saves through the writer chosen by the extension, ".tvc" or ".csv" in
    // any letter case (CatalogFormat.h); any other name writes nothing and
    // fails without a message. Repeats are revealed for the save and hidden
    // again after it. A writer's failure message is shown here. A file
    // written is the catalog's file as it now stands (fileState()).
    bool WriteCatalogFile(const QString& path);
    // Reads a loaded catalog file (CatalogFiles.h) into a reset grid with
    // the reader of its format. The reader's message, if any, is shown
    // here; the rows read before a problem stay. A refused file changes
    // nothing. fileState() tells the file as it stood and whether it was
    // read whole.
    void ReadCatalogFile(const CatalogFile& file);
    // Loads the file and reads it. A file that is refused says why, and
    // false is returned with nothing changed.
    bool ReadCatalogFile(const QString& path);
    // The catalog's file as last read or written.
    const CatalogFileState& fileState() const { return m_fileState; }
    void setFileState(const CatalogFileState& state) { m_fileState = state; }
    // Whether a reader or writer takes this name (".tvc" or ".csv").
    static bool isCatalogFileName(const QString& path);
    // The catalog as it is stored: repeated categories written in full.
    CatalogData storedCatalog() const;

    // Field separator of the spreadsheet files this document writes; the
    // locale's at first (";" where numbers have a decimal comma, else ",").
    // Reading takes a file's own separator from its header line, and this
    // one only for a header that does not show it.
    QChar listSeparator() const { return m_listSeparator; }
    void setListSeparator(QChar separator) { m_listSeparator = separator; }

signals:
    void captionChanged();
    void modifiedChanged(bool modified);
    void playingBookmarkChanged(int row);
    // The grid was filled by a reader and is ready (cursor to row 1 ...).
    void readingFinished();
    void playAllFilterChanged();
    // What the practice log tells of the bookmarks changed (a pass was
    // counted, a log was read).
    void practiceChanged();

private:
    void finishReading();

    CatalogModel* m_model;
    BookmarksGridColumns m_columns;
    QChar m_listSeparator = spreadsheetSeparatorFor(QLocale::system());

    Mode m_catalogMode = Mode::Closed;
    QString m_catalogFileName;
    bool m_catalogModified = false;
    int m_playingBookmark = -1;
    bool m_playCellGreen = false;
    int m_selectedRow = 1;
    bool m_blankFirstRow = true;
    int m_spacingStyle = 1;
    bool m_sortingOn = false;
    bool m_playingAll = false;
    bool m_wholeRowSelected = false;
    bool m_repeatsHidden = false;
    bool m_rehideAfterEdit = false;
    bool m_rehideAfterSorting = false;
    bool m_playCellSelected = false;
    int m_savedGridRow = -1;
    int m_savedGridColumn = -1;
    PlayAllFilter m_playAllFilter;
    PlayAllFilter::DueRows m_dueRows;
    CatalogFileState m_fileState;
};
