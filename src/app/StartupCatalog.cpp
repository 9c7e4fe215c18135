// The composition root's half of the catalog: the catalog window sees the
// main window through its views, and the main window's catalog controls and
// menu items reach the catalog window.
#include "app/MainWindowViews.h"
#include "app/Startup.h"

#include "core/catalog/CatalogDocument.h"
#include "core/playback/LoopControls.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/main/BookmarkControlsPanel.h"
#include "gui/main/LoopControlsPanel.h"
#include "gui/main/MainMenu.h"
#include "gui/main/TMainForm.h"
#include "gui/options/TOptionsForm.h"

#include <QAction>

void Startup::connectCatalogWindow()
{
    TMainForm* main = m_windows.MainForm;
    TBookmarksForm* catalog = m_windows.BookmarksForm;
    TOptionsForm* options = m_windows.OptionsForm;
    catalog->setCatalogView(m_views.get());
    catalog->setStoredLoopView(m_views.get());
    const CatalogDocument* document = catalog->document();
    options->setCatalogSaver([document] { return document->CatalogModified(); },
                             [catalog] { return catalog->DoSave(); });
    QObject::connect(options, &TOptionsForm::resetInitialCatalogDirectory, catalog, [catalog, options] {
        catalog->ResetInitialCatalogDirectory(options->defaultCatalogDirectoryText());
    });
    QObject::connect(options, &TOptionsForm::columnSwitched, catalog, &TBookmarksForm::switchColumn);

    // The catalog button and menu item show the open catalog, or open one;
    // a cancelled dialog gives the keys back to the main window.
    auto showCatalog = [main, catalog, document] {
        if (document->CatalogMode() != 0) {
            catalog->show();
            catalog->raise();
            catalog->activateWindow();
            return;
        }
        if (!catalog->OpenButtonClick(main))
            main->giveFocusToSink();
    };
    QObject::connect(&main->bookmarkControls(), &BookmarkControlsPanel::openCatalogClicked, catalog, showCatalog);
    main->menu().onItem(MainMenu::Item::ShowBookmarks1, showCatalog);

    // Importing clips: the main window's menu item (its import button
    // chooses it too) and the catalog window's menu item.
    auto importClips = [main, catalog] {
        if (!catalog->ImportMultipleClips())
            main->giveFocusToSink();
    };
    main->menu().onItem(MainMenu::Item::ImportMultipleClips1, importClips);
    QObject::connect(catalog, &TBookmarksForm::importClipsRequested, catalog, importClips);
    connectBookmarkPlaying();
}

// Playing bookmarks: the main window's copies of the play-all controls and
// its bookmark list play the catalog's bookmarks.
void Startup::connectBookmarkPlaying()
{
    TMainForm* main = m_windows.MainForm;
    TBookmarksForm* catalog = m_windows.BookmarksForm;
    catalog->setBookmarkPlayView(m_views.get());
    m_controllers.loops->setPlayAllView(catalog);
    BookmarkControlsPanel& bookmarks = main->bookmarkControls();
    bookmarks.setPlayingItem([catalog] { return catalog->PlayingBookmark() - 1; });
    QObject::connect(&bookmarks, &BookmarkControlsPanel::stopPlayingAllClicked, catalog, [main, catalog] {
        catalog->TurnOffPlayAllBookmarks();
        main->giveFocusToSink();
    });
    QObject::connect(&bookmarks, &BookmarkControlsPanel::bookmarkButtonClicked, catalog,
                     [main, catalog](int direction) {
                         const bool wasPlayingAll = catalog->PlayingAll();
                         catalog->PlayNextLoop(direction, true);
                         // Past the last bookmark the sequence ends where the catalog says.
                         if (direction != 2 || catalog->PlayingAll() || !wasPlayingAll)
                             main->giveFocusToSink();
                     });
    QObject::connect(&bookmarks, &BookmarkControlsPanel::loopListChosen, catalog, [main, catalog](int item) {
        catalog->playLoopListItem(item);
        main->giveFocusToSink();
    });
    QObject::connect(&main->loopControls(), &LoopControlsPanel::playingBookmarkCleared, catalog,
                     [catalog] { catalog->setPlayingBookmark(-1); });
}
