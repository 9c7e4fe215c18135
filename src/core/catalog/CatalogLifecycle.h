#pragma once

#include "core/base/Prompt.h"
#include "core/catalog/BookmarkCatalogView.h"
#include "core/catalog/CatalogCompanion.h"
#include "core/catalog/CatalogFiles.h"
#include "core/catalog/RecoveryStore.h"
#include "core/catalog/UnsavedChanges.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

class CatalogDocument;
class CatalogFileWatch;
class CatalogGridController;
class CatalogLock;
class CatalogGridView;
class CatalogView;
class CatalogWindowView;
class PendingEdits;
class PlayAllSession;
class RecoveryWriter;

// The open catalog as a document: starting a new one, opening a file,
// saving, saving as, closing and hiding, a catalog named at start-up, the
// check for missing clips after reading, and clips imported as bookmarks.
// Each operation that reads or drops the catalog first takes in what the
// user typed (PendingEdits). The file dialogs and boxes go through the
// prompt.
//
// Nothing is lost on the way: a catalog is not written over a file it did
// not read whole, or one another program changed since, without the user's
// word (OverwriteChecks); a catalog open in another program is not opened
// here unasked (CatalogLock); a change to its file on the disk is said when
// the user comes back to the window (CatalogFileWatch); and unsaved changes
// a run left behind are offered back (RecoveryStore).
class CatalogLifecycle : public BookmarkCatalogView {
public:
    // Who asked: when it was the catalog window, the focus goes back to its
    // grid afterwards (after a failure, for an open).
    enum class Caller { CatalogWindow, MainWindow };

    // What keeps the catalog from being lost.
    struct Keeping {
        RecoveryStore& recoveries;
        RecoveryWriter& recovery;
        CatalogLock& lock;
        CatalogFileWatch& watch;
    };

    CatalogLifecycle(CatalogDocument& document, CatalogGridController& gridRules, CatalogGridView& grid,
                     CatalogWindowView& window, PendingEdits& edits, PlayAllSession& playing, Keeping keeping);
    ~CatalogLifecycle() override;

    // The main window: indicators, bookmark list, column settings, folders.
    void setCatalogView(CatalogView* view) { m_main = view; }
    // A file kept beside the catalog, which follows it to a new name.
    void addCompanion(CatalogCompanion* companion) { m_companions.append(companion); }

    // Empties the grid to one blank placeholder row under these columns;
    // the description pane is emptied.
    void ResetBookmarksGrid(const BookmarksGridColumns& columns);
    // With the options window's columns and the widths the user gave.
    void ResetBookmarksGrid();
    // The open and save dialogs start in this folder.
    void ResetInitialCatalogDirectory(const QString& folder);

    void NewButtonClick();
    bool OpenButtonClick(Caller caller);
    bool DoSave(Caller caller = Caller::MainWindow);
    bool DoSaveAs(Caller caller = Caller::MainWindow);
    void CloseButtonClick(Caller caller = Caller::MainWindow);
    void hideCatalogButtonClick();
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

    // Before the program ends (or its settings are restored, which ends
    // it): what the user typed is taken in, and unsaved changes are saved
    // or given up, as the user says. Unless the user stays, the recovery
    // goes: nothing is left to bring back.
    UnsavedChanges::Outcome settleBeforeEnding();
    // The user came back to the catalog's windows: a change another program
    // made to the catalog's file is said now, with the choice to read it
    // again.
    void userCameBack();
    // At start-up, with no catalog open: offers the unsaved changes runs
    // left behind, newest first, until one is brought back.
    void offerLeftRecoveries();

    // BookmarkCatalogView: making bookmarks.
    CatalogDocument& catalogDocument() override { return m_document; }
    void startNewCatalog() override { NewButtonClick(); }
    void showGrid() override;
    void showCell(int column, int row) override;
    void rebuildBookmarkList() override;
    BookmarksGridColumns optionColumns() const override;

private:
    enum class Recovered { Yes, No };

    bool askToSaveChanges(Caller caller);
    bool write(const QString& path);
    bool finishSave(bool saved, Caller caller);
    // Reads the catalog's file again, its changes here given up; a file
    // that is refused now leaves the catalog as it is.
    void reload();
    // Nothing when the file was refused (the user has been told).
    std::optional<CatalogFile> loadCatalogFileOrSay(const QString& path);
    void readCatalogFile(const CatalogFile& file);
    void tieToFile(const QString& path);
    // A reader filled the grid to its normal end.
    void finishReading();
    // False when the user would rather not open a catalog another program
    // has open.
    bool mayOpenHere(const QString& path);
    // Offers the unsaved changes a run left behind for this catalog;
    // Yes when they were brought back (and the file was not read).
    Recovered offerRecoveryOf(const QString& path);
    // Asks about one left-over recovery; Cancel keeps it for later.
    Prompt::Answer askToRecover(const RecoveryStore::LeftOver& leftOver);
    void restore(const RecoverySnapshot& snapshot);

    CatalogDocument& m_document;
    CatalogGridController& m_gridRules;
    CatalogGridView& m_grid;
    CatalogWindowView& m_window;
    PendingEdits& m_edits;
    PlayAllSession& m_playing;
    Keeping m_keeping;
    CatalogView* m_main = nullptr;
    QList<CatalogCompanion*> m_companions;
    QString m_openFolder;
    QString m_saveFolder;
    QString m_lastOpenPath;
    QMetaObject::Connection m_readingFinished;
};
