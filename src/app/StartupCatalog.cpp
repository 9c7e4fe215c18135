// The composition root's half of the catalog: the catalog window sees the
// main window through its views, and the main window's catalog controls and
// menu items reach the catalog window.
#include "app/MainWindowViews.h"
#include "app/Startup.h"

#include "core/base/Prompt.h"
#include "core/catalog/CatalogControllers.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/ProgramEnd.h"
#include "core/playback/LoopControls.h"
#include "core/playback/MediaPlayerControl.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/input/KeyAssignments.h"
#include "gui/input/Keyboard.h"
#include "gui/main/BookmarkControlsPanel.h"
#include "gui/main/LoopControlsPanel.h"
#include "gui/main/MainMenu.h"
#include "gui/main/SettingsFiles.h"
#include "gui/main/TMainForm.h"
#include "gui/options/TOptionsForm.h"
#include "gui/playback/TActiveMovie.h"

#include <QAction>
#include <QGuiApplication>
#include <QTimer>

void Startup::connectCatalogWindow()
{
    TMainForm* main = m_windows.MainForm;
    TBookmarksForm* catalog = m_windows.BookmarksForm;
    TOptionsForm* options = m_windows.OptionsForm;
    CatalogControllers* rules = m_catalog.get();
    rules->setCatalogView(m_views.get());
    rules->setStoredLoopView(m_views.get());
    const CatalogDocument* document = catalog->document();
    // The restore of the default settings ends the program.
    options->setCatalogSettler([rules] { return UnsavedChanges::mayLeave(rules->lifecycle.settleBeforeEnding()); });
    QObject::connect(options, &TOptionsForm::resetInitialCatalogDirectory, catalog, [rules, options] {
        rules->lifecycle.ResetInitialCatalogDirectory(options->defaultCatalogDirectoryText());
    });
    QObject::connect(options, &TOptionsForm::columnSwitched, catalog,
                     [rules](int column, bool shown) { rules->grid.switchColumn(column, shown); });
    MainWindowViews* views = m_views.get();
    QObject::connect(catalog, &TBookmarksForm::optionsRequested, catalog, [views] { views->showCatalogOptions(); });

    // The catalog button and menu item show the open catalog, or open one;
    // a cancelled dialog gives the keys back to the main window.
    auto showCatalog = [main, catalog, rules, document] {
        if (document->CatalogMode() != CatalogDocument::Mode::Closed) {
            catalog->show();
            catalog->raise();
            catalog->activateWindow();
            return;
        }
        if (!rules->lifecycle.OpenButtonClick(CatalogLifecycle::Caller::MainWindow))
            main->giveFocusToSink();
    };
    QObject::connect(&main->bookmarkControls(), &BookmarkControlsPanel::openCatalogClicked, catalog, showCatalog);
    main->menu().onItem(MainMenu::Item::ShowBookmarks1, showCatalog);

    // Importing clips: the main window's menu item (its import button
    // chooses it too) and the catalog window's menu item.
    auto importClips = [main, rules] {
        if (!rules->lifecycle.ImportMultipleClips())
            main->giveFocusToSink();
    };
    main->menu().onItem(MainMenu::Item::ImportMultipleClips1, importClips);
    QObject::connect(catalog, &TBookmarksForm::importClipsRequested, catalog, importClips);
    connectBookmarkPlaying();
}

void Startup::connectProgramEnd()
{
    CatalogControllers* rules = m_catalog.get();
    m_end = std::make_unique<ProgramEnd>(rules->lifecycle, rules->recovery);
    m_controllers.end = m_end.get();
    SettingsFiles* settings = m_controllers.settings;
    m_end->setSettingsWriter([settings](ProgramEnd::Way way) {
        settings->WriteConfigFile(way == ProgramEnd::Way::ByUser ? SettingsFiles::Failures::Told
                                                                 : SettingsFiles::Failures::Untold);
    });
    Keyboard* keyboard = m_controllers.keyboard;
    m_end->setLastCheck([keyboard] { keyboard->assignments->DuplicateKeyCheck(); });

    QObject::connect(&rules->recovery, &RecoveryWriter::writeFailed, m_windows.BookmarksForm,
                     [](const QString& reason) {
                         prompt().message(QStringLiteral("The changes to the video catalog cannot be kept for "
                                                         "recovery after a crash: ") +
                                              reason + QStringLiteral(".\n\nSave the catalog to keep them."),
                                          Prompt::Icon::Warning);
                     });
    // A change another program made to the catalog's file is said when the
    // user comes back: to the catalog window, or to the program from
    // another. After the event that brought the window up, not inside it.
    auto cameBack = [rules] { QTimer::singleShot(0, &rules->watch, [rules] { rules->lifecycle.userCameBack(); }); };
    QObject::connect(m_windows.BookmarksForm, &TBookmarksForm::activated, &rules->watch, cameBack);
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, &rules->watch,
                     [cameBack](Qt::ApplicationState state) {
                         if (state == Qt::ApplicationActive)
                             cameBack();
                     });
}

// Playing bookmarks: the main window's copies of the play-all controls and
// its bookmark list play the catalog's bookmarks.
void Startup::connectBookmarkPlaying()
{
    TMainForm* main = m_windows.MainForm;
    PlayAllSession* playing = &m_catalog->playing;
    CatalogDocument* document = m_windows.BookmarksForm->document();
    m_catalog->setBookmarkPlayView(m_views.get());
    m_controllers.loops->setPlayAllView(playing);
    BookmarkControlsPanel& bookmarks = main->bookmarkControls();
    bookmarks.setPlayingItem([document] { return document->PlayingBookmark() - 1; });
    QObject::connect(&bookmarks, &BookmarkControlsPanel::stopPlayingAllClicked, main, [main, playing] {
        playing->TurnOffPlayAllBookmarks();
        main->giveFocusToSink();
    });
    QObject::connect(&bookmarks, &BookmarkControlsPanel::bookmarkButtonClicked, main,
                     [main, playing](PlayAllView::Step step) {
                         const bool wasPlayingAll = playing->PlayingAll();
                         playing->PlayNextLoop(step, PlayAllView::Asker::Elsewhere);
                         // Past the last bookmark the sequence ends where the
                         // catalog says.
                         if (step != PlayAllView::Step::Next || playing->PlayingAll() || !wasPlayingAll)
                             main->giveFocusToSink();
                     });
    QObject::connect(&bookmarks, &BookmarkControlsPanel::loopListChosen, main, [main, playing](int item) {
        playing->playLoopListItem(item);
        main->giveFocusToSink();
    });
    QObject::connect(&main->loopControls(), &LoopControlsPanel::playingBookmarkCleared, main,
                     [document] { document->setPlayingBookmark(-1); });

    // The passes of the bookmarks' loops go to the catalog's practice log.
    LoopControls* loops = m_controllers.loops;
    PracticeTracker* practice = &m_catalog->practice;
    QObject::connect(loops, &LoopControls::loopStarted, practice, &PracticeTracker::loopStarted);
    QObject::connect(loops, &LoopControls::loopRefused, practice, &PracticeTracker::loopRefused);
    QObject::connect(loops, &LoopControls::loopLeft, practice, &PracticeTracker::loopLeft);
    QObject::connect(loops, &LoopControls::passEnded, practice, &PracticeTracker::passEnded);
    // Zooming while a bookmark's loop is in the boxes keeps the zoom with it.
    BookmarkViews* views = &m_catalog->views;
    QObject::connect(
        main->playerWidget(), &TActiveMovie::pictureZoomed, views, [views, loops, main](const ZoomView& zoom) {
            views->pictureZoomed(zoom, main->player()->FileName(), loops->startTimeDigits(), loops->endTimeDigits());
        });
}
