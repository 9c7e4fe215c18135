#pragma once

#include "catalog/BookmarksGridColumns.h"

#include <QWidget>

class FocusSink;
class QPlainTextEdit;
class QTableWidget;
class TColourButton;
class SettingsBinding;

// The catalog window. Its grid BookmarksGrid is the open catalog itself (one
// row per bookmark, no list behind it); the window also holds the catalog's
// state, shared by everything that reads, writes, plays or repairs it.
class TBookmarksForm : public QWidget {
    Q_OBJECT
public:
    explicit TBookmarksForm(QWidget* parent = nullptr);

    // Empties the grid to one blank placeholder row, with the column titles,
    // widths and shown columns given; the description pane is emptied.
    void ResetBookmarksGrid(const BookmarksGridColumns& columns);
    // Window caption from CatalogMode, CatalogFileName and CatalogModified.
    void UpdateBookmarksFormTitleBar();
    // Ties this window's settings to its controls (BookmarksFormSettings.cpp).
    void bindSettings(SettingsBinding& binding);
    // Width of the grid's panel (a setting).
    void setGridPanelWidth(int width);
    int gridPanelWidth() const;

    QWidget* Panel4; // the grid's panel
    QTableWidget* BookmarksGrid;
    QPlainTextEdit* DescriptionMemo;
    TColourButton* hideRepeatsButton;
    TColourButton* PreviousBookmarkButton;
    TColourButton* CurrentBookmarkButton;
    TColourButton* NextBookmarkButton;
    FocusSink* focusSink;

    // The catalog's state.
    int CatalogMode() const { return m_catalogMode; } // 0 none, 1 new without file, 2 tied to a file
    void setCatalogMode(int mode) { m_catalogMode = mode; }
    QString CatalogFileName() const { return m_catalogFileName; }
    void setCatalogFileName(const QString& path) { m_catalogFileName = path; }
    bool CatalogModified() const { return m_catalogModified; }
    void setCatalogModified(bool on) { m_catalogModified = on; }
    int PlayingBookmark() const { return m_playingBookmark; } // bookmark row, -1 none
    void setPlayingBookmark(int row) { m_playingBookmark = row; }
    int SelectedRow() const { return m_selectedRow; }
    void setSelectedRow(int row) { m_selectedRow = row; }
    bool BlankFirstRow() const { return m_blankFirstRow; }
    void setBlankFirstRow(bool on) { m_blankFirstRow = on; }
    int SpacingStyle() const { return m_spacingStyle; } // 1 or 2
    void setSpacingStyle(int style) { m_spacingStyle = style; }
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
    bool JustSorted() const { return m_justSorted; }
    void setJustSorted(bool on) { m_justSorted = on; }
    bool PlayCellSelected() const { return m_playCellSelected; }
    void setPlayCellSelected(bool on) { m_playCellSelected = on; }
    int SavedGridRow() const { return m_savedGridRow; }
    void setSavedGridRow(int row) { m_savedGridRow = row; }
    int SavedGridColumn() const { return m_savedGridColumn; }
    void setSavedGridColumn(int column) { m_savedGridColumn = column; }

public slots:
    void PreviousBookmarkButtonClick(QObject* sender = nullptr);
    void CurrentBookmarkButtonClick(QObject* sender = nullptr);
    void NextBookmarkButtonClick(QObject* sender = nullptr);

private:
    void buildGrid();

    int m_catalogMode = 0;
    QString m_catalogFileName;
    bool m_catalogModified = false;
    int m_playingBookmark = -1;
    int m_selectedRow = 1;
    bool m_blankFirstRow = true;
    int m_spacingStyle = 1;
    bool m_sortingOn = false;
    bool m_playingAll = false;
    bool m_wholeRowSelected = false;
    bool m_repeatsHidden = false;
    bool m_rehideAfterEdit = false;
    bool m_rehideAfterSorting = false;
    bool m_justSorted = false;
    bool m_playCellSelected = false;
    int m_savedGridRow = -1;
    int m_savedGridColumn = -1;
};
