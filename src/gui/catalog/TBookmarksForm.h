#pragma once

#include "core/catalog/BookmarksGridColumns.h"
#include "core/playback/PlayAllView.h"

#include <QList>
#include <QWidget>
#include <functional>
#include <utility>

class BookmarkPlayView;
class CatalogDocument;
class CatalogView;
class ExtrasBindings;
class FocusSink;
class StoredLoopView;
class PlayAllFilterBar;
class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPrinter;
class QSplitter;
class ConfigBindings;
class TBlinkLabel;
class TBookmarksGrid;
class TColourButton;

// The catalog window: the grid BookmarksGrid showing the open catalog, the
// description pane beside it, and the catalog's document operations (new,
// open, save, close, print). The catalog itself and its state live in the
// document; this window shows and edits them.
class TBookmarksForm : public QWidget, public PlayAllView {
    Q_OBJECT
public:
    explicit TBookmarksForm(QWidget* parent = nullptr);
    ~TBookmarksForm() override;

    CatalogDocument* document() const { return m_document; }
    // The main window, for its bookmark list, indicators and loop boxes.
    void setCatalogView(CatalogView* view) { m_host = view; }
    // Plays bookmarks: opens clips and plays loops.
    void setStoredLoopView(StoredLoopView* view) { m_player = view; }
    // The main window's play-all controls, full screen and play option.
    void setBookmarkPlayView(BookmarkPlayView* view) { m_playHost = view; }
    // The print dialog; true when the user chose to print. Replaceable so
    // tests can print to a file without a person.
    void setPrintDialog(std::function<bool(QPrinter&)> dialog) { m_printDialog = std::move(dialog); }

    // Empties the grid to one blank placeholder row, with the column titles,
    // widths and shown columns given; the description pane is emptied.
    void ResetBookmarksGrid(const BookmarksGridColumns& columns);
    void ResetBookmarksGrid(); // with the host's columns
    // Shows or hides an optional column (Category, Learn, Rating, Folder)
    // of the grid as it stands (TBookmarksFormColumns.cpp).
    void switchColumn(int column, bool shown);
    // Window caption from CatalogMode, CatalogFileName and CatalogModified.
    void UpdateBookmarksFormTitleBar();
    // The open and save dialogs start in this folder.
    void ResetInitialCatalogDirectory(const QString& folder);

    // Ties this window's settings to its controls (BookmarksFormSettings.cpp).
    void bindSettings(ConfigBindings& binding);
    // Ties the play-all filter to extras.txt (BookmarksFormSettings.cpp).
    void bindExtras(ExtrasBindings& binding);
    // Settings: the grid panel's width, the spacing style, repeat hiding and
    // the widths the user gave the resizable columns.
    void setGridPanelWidth(int width);
    int gridPanelWidth() const;
    int SpacingStyle() const;
    void setSpacingStyle(int style);
    bool RepeatsHidden() const;
    void setRepeatsHidden(bool on);
    int categoryColumnWidth() const { return m_categoryWidth; }
    int nameColumnWidth() const { return m_nameWidth; }
    int filenameColumnWidth() const { return m_filenameWidth; }

    // State the other windows read (from the document).
    int CatalogMode() const;
    bool CatalogModified() const;
    bool PlayingAll() const override;
    int PlayingBookmark() const;
    void setPlayingBookmark(int row);

    // The catalog as a document.
    void NewButtonClick();
    bool OpenButtonClick(QWidget* caller);
    bool DoSave(QObject* sender = nullptr);
    bool DoSaveAs(QObject* sender = nullptr);
    void CloseButtonClick(QObject* sender = nullptr);
    void hideCatalogButtonClick(QObject* sender = nullptr);
    // Start-up with a catalog argument: reads it and ties the catalog to it.
    void openCatalogArgument(const QString& path);
    // Leads the user through relinking bookmarks whose clip is missing
    // (TBookmarksFormImport.cpp).
    void ValidateBookmarks();
    // Turns clip files into whole-clip bookmarks: those chosen in the
    // multi-select dialog (a new catalog is started when none is open), or
    // the dropped ones. False when the dialog was cancelled.
    bool ImportMultipleClips(const QStringList* dropped = nullptr);
    // Prints the grid, columns 1 to 10, or 1 to 11 with the description.
    void PrintGrid(bool withDescription);
    // Playing bookmarks (TBookmarksFormPlaying.cpp). Stops a running
    // play-all sequence and undoes its locks; puts the cursor back where
    // play-all found it.
    void TurnOffPlayAllBookmarks() override;
    // Steps to the previous (0), current (1) or next (2) bookmark and plays
    // it; fromButton: a button or key, not the grid itself.
    void PlayNextLoop(int direction, bool fromButton) override;
    void PlayAllClick();
    // The main window's bookmark list chose item `item` (row item + 1).
    void playLoopListItem(int item);

    // Grid handlers.
    struct CellChoice {
        int column;
        int row;
        bool wholeRow = false;
    };
    CellChoice BookmarksGridSelectCell(int column, int row);
    bool BookmarksGridCellValidate(int column, int row, const QString& text);
    void BookmarksGridEditingDone();
    void BookmarksGridKeyDown(int key);
    void BookmarksGridCellsChanged();
    void BookmarksGridRowMoved(int from, int to);
    void BookmarksGridCanDeleteRow();
    void BookmarksGridColumnSize();
    QString BookmarksGridGridHint(int column) const;
    void BookmarksGridHeaderClick(int column, bool shift);
    void realBookmarksGridDblClickCell(int row, int column, bool fromButton);
    void playSelectedBookmarkButtonClick(int row);

    void hideRepeatsButtonClick(QObject* sender = nullptr);
    void turnOnSortingClick(QObject* sender = nullptr);
    void toggleLineWrapButtonClick(QObject* sender = nullptr);
    void switchSortingOff(const QString& caption);
    // Rebuilds the main window's bookmark list from the rows.
    void rebuildLoopList();

    // Controls.
    QMenuBar* MainMenu;
    QMenu* FileMenu;
    QAction* Open1;
    QAction* Save1;
    QAction* SaveAs1;
    QAction* Close1;
    QAction* ImportMultipleClips1;
    QAction* PrintWithoutDescription1;
    QAction* PrintWithDescription1;
    QAction* Spacing1;
    QAction* Spacing2;
    QAction* Options1;
    TColourButton* OpenButton;
    TColourButton* SaveButton;
    TColourButton* SaveAsButton;
    TColourButton* CloseButton;
    TColourButton* toggleLineWrapButton;
    TColourButton* turnOnSorting;
    TColourButton* PreviousBookmarkButton;
    TColourButton* CurrentBookmarkButton;
    TColourButton* NextBookmarkButton;
    TColourButton* PlayAll;
    TColourButton* PlayAllFilterButton; // shows and hides PlayAllFilterPanel
    PlayAllFilterBar* PlayAllFilterPanel;
    TBlinkLabel* PlayingAllLabel;
    TColourButton* hideCatalogButton;
    TColourButton* hideRepeatsButton;
    QSplitter* Splitter;
    QWidget* Panel4; // the grid's panel
    TBookmarksGrid* BookmarksGrid;
    QPlainTextEdit* DescriptionMemo;
    FocusSink* focusSink;

signals:
    // The "Import Multiple Clips" menu item.
    void importClipsRequested();

public slots:
    void PreviousBookmarkButtonClick(QObject* sender = nullptr);
    void CurrentBookmarkButtonClick(QObject* sender = nullptr);
    void NextBookmarkButtonClick(QObject* sender = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenu();
    void buildButtons(QWidget* bar);
    void buildGrid();
    // The play-all filter's bar, button and grid marks (TBookmarksFormFilter.cpp).
    void connectPlayAllFilter();
    void showPlayAllFilterCount();
    void connectControls();
    void applyRowHeights();
    void focusGridUnlessPlayingAll(QObject* sender);
    void playFromGrid(bool fromButton);
    void stepBookmark(int direction, QObject* sender);
    void setPlayAllLocks(bool on);
    // The panel of the play buttons: orange while all bookmarks play.
    void showPlayPanel(bool playingAll);
    void renameColumn(int column);
    void DescriptionMemoExit();
    bool askToSaveChanges(QObject* sender);
    bool finishSave(bool saved, QObject* sender);
    void readCatalogFile(const QString& path);
    void tieToFile(const QString& path);
    void finishReading();

    CatalogDocument* m_document;
    CatalogView* m_host = nullptr;
    StoredLoopView* m_player = nullptr;
    BookmarkPlayView* m_playHost = nullptr;
    bool m_playFromEnter = false;
    QString m_playAllHint;
    std::function<bool(QPrinter&)> m_printDialog;
    QString m_openFolder;
    QString m_saveFolder;
    QString m_lastOpenPath; // the print title
    int m_categoryWidth = 64;
    int m_nameWidth = 91;
    int m_filenameWidth = 186;
    int m_gridWidth = 690;
    QList<std::pair<int, bool>> m_sortKeys; // column, descending
};
