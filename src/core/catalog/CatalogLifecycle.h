#pragma once

#include "core/catalog/BookmarkCatalogView.h"

#include <QObject>
#include <QString>
#include <QStringList>

class CatalogDocument;
class CatalogGridController;
class CatalogGridView;
class CatalogView;
class CatalogWindowView;
class PendingEdits;
class PlayAllSession;

// The open catalog as a document: starting a new one, opening a file,
// saving, saving as, closing and hiding, a catalog named at start-up, the
// check for missing clips after reading, and clips imported as bookmarks.
// Each operation that reads or drops the catalog first takes in what the
// user typed (PendingEdits). The file dialogs and boxes go through the
// prompt.
class CatalogLifecycle : public BookmarkCatalogView {
public:
    // Who asked to open a catalog: the focus goes back there after a
    // failure.
    enum class Caller { CatalogWindow, MainWindow };

    CatalogLifecycle(CatalogDocument& document, CatalogGridController& gridRules, CatalogGridView& grid,
                     CatalogWindowView& window, PendingEdits& edits, PlayAllSession& playing);
    ~CatalogLifecycle() override;

    // The main window: indicators, bookmark list, column settings, folders.
    void setCatalogView(CatalogView* view) { m_main = view; }

    // Empties the grid to one blank placeholder row under these columns;
    // the description pane is emptied.
    void ResetBookmarksGrid(const BookmarksGridColumns& columns);
    // With the options window's columns and the widths the user gave.
    void ResetBookmarksGrid();
    // The open and save dialogs start in this folder.
    void ResetInitialCatalogDirectory(const QString& folder);

    void NewButtonClick();
    bool OpenButtonClick(Caller caller);
    bool DoSave(QObject* sender = nullptr);
    bool DoSaveAs(QObject* sender = nullptr);
    void CloseButtonClick(QObject* sender = nullptr);
    void hideCatalogButtonClick(QObject* sender = nullptr);
    // Start-up with a catalog argument: reads it and ties the catalog to it;
    // a file that cannot be read is refused with a message.
    void openCatalogArgument(const QString& path);
    // Leads the user through relinking bookmarks whose clip is missing.
    void ValidateBookmarks();
    // Turns clip files into whole-clip bookmarks: those chosen in the
    // multi-select dialog (a new catalog is started when none is open), or
    // the dropped ones. False when the dialog was cancelled. Nothing is
    // imported while all bookmarks play.
    bool ImportMultipleClips(const QStringList* dropped = nullptr);
    // The path last chosen in the open dialog (the print title).
    QString lastOpenPath() const { return m_lastOpenPath; }

    // BookmarkCatalogView: making bookmarks.
    CatalogDocument& catalogDocument() override { return m_document; }
    void startNewCatalog() override { NewButtonClick(); }
    void showGrid() override;
    void showCell(int column, int row) override;
    void rebuildBookmarkList() override;
    BookmarksGridColumns optionColumns() const override;

private:
    bool askToSaveChanges(bool withSender);
    bool save(bool withSender);
    bool saveAs(bool withSender);
    bool write(const QString& path);
    bool finishSave(bool saved, bool withSender);
    // False when the file was refused (the user has been told): nothing
    // changed.
    bool readCatalogFile(const QString& path);
    void tieToFile(const QString& path);
    // A reader filled the grid to its normal end.
    void finishReading();

    CatalogDocument& m_document;
    CatalogGridController& m_gridRules;
    CatalogGridView& m_grid;
    CatalogWindowView& m_window;
    PendingEdits& m_edits;
    PlayAllSession& m_playing;
    CatalogView* m_main = nullptr;
    QString m_openFolder;
    QString m_saveFolder;
    QString m_lastOpenPath;
    QMetaObject::Connection m_readingFinished;
};
