#include "app/MainWindowViews.h"

#include "core/playback/ClipLoader.h"
#include "core/playback/LoopControls.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/window/WindowSizeRules.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/cmdline/TCommandLineEntryForm.h"
#include "gui/info/TFilePlayingInfoForm.h"
#include "gui/input/KeyCommands.h"
#include "gui/input/Keyboard.h"
#include "gui/main/AppWindows.h"
#include "gui/main/BookmarkControlsPanel.h"
#include "gui/main/LoopControlsPanel.h"
#include "gui/main/MainMenu.h"
#include "gui/main/SettingsFiles.h"
#include "gui/main/WindowSizing.h"
#include "gui/options/TOptionsForm.h"
#include "gui/playback/TActiveMovie.h"

MainWindowViews::MainWindowViews(AppWindows& windows, const TMainForm::Controllers& controllers)
    : m_windows(windows), m_controllers(controllers)
{
}

TMainForm& MainWindowViews::main() const
{
    return *m_windows.MainForm;
}

QString MainWindowViews::defaultVideoDirectory() const
{
    return m_windows.OptionsForm ? m_windows.OptionsForm->defaultVideoDirectoryText() : QString();
}

QSize MainWindowViews::videoSize() const
{
    return main().videoSize();
}

void MainWindowViews::setTitle(const QString& title)
{
    main().setWindowTitle(title);
}

void MainWindowViews::showClipFacts(const QString& fileName, const QString& folder, const QString& videoSize,
                                    const QString& totalTime)
{
    if (TFilePlayingInfoForm* info = m_windows.FilePlayingInfoForm)
        info->showClipFacts(fileName, folder, videoSize, totalTime);
}

QString MainWindowViews::framesPerSecondText() const
{
    return m_windows.FilePlayingInfoForm ? m_windows.FilePlayingInfoForm->framesPerSecondText() : QString();
}

void MainWindowViews::setFramesPerSecondText(const QString& text)
{
    if (TFilePlayingInfoForm* info = m_windows.FilePlayingInfoForm)
        info->setFramesPerSecondText(text);
}

void MainWindowViews::setScreenSizeText(const QString& text)
{
    TFilePlayingInfoForm* info = m_windows.FilePlayingInfoForm;
    if (!info)
        return;
    const MediaPlayerControl* player = main().player();
    const QSize native(player->ImageSourceWidth(), player->ImageSourceHeight());
    info->setScreenSizeText(
        windowsize::shownSizeText(text, main().menu().originalSizeLocked(), native, main().videoSize()));
}

void MainWindowViews::setLoopListItems(const QStringList& items, int selected)
{
    main().bookmarkControls().setLoopListItems(items, selected);
}

void MainWindowViews::selectLoopListItem(int index)
{
    main().bookmarkControls().selectLoopListItem(index);
}

void MainWindowViews::addLoopListItem(const QString& item)
{
    main().bookmarkControls().addLoopListItem(item);
}

void MainWindowViews::ShowBookmarkingInfo()
{
    main().showBookmarkingInfo(true);
}

void MainWindowViews::HideBookmarkingInfo()
{
    main().showBookmarkingInfo(false);
}

void MainWindowViews::setStartTimeDigits(const QString& digits)
{
    main().loopControls().setStartTimeDigits(digits);
}

void MainWindowViews::setEndTimeDigits(const QString& digits)
{
    main().loopControls().setEndTimeDigits(digits);
}

void MainWindowViews::setRunningDescription(const QString& text)
{
    main().loopControls().setRunningDescription(text);
}

QString MainWindowViews::openClipPath() const
{
    return main().player()->FileName();
}

BookmarksGridColumns MainWindowViews::gridColumns() const
{
    return m_controllers.settings ? m_controllers.settings->gridColumns() : BookmarksGridColumns{};
}

CatalogView::Arrow MainWindowViews::lastArrowDirection() const
{
    return m_controllers.keyboard ? m_controllers.keyboard->commands->lastArrow() : Arrow::None;
}

void MainWindowViews::showCatalogOptions()
{
    TOptionsForm* options = m_windows.OptionsForm;
    options->showCatalogingPage();
    options->exec();
}

void MainWindowViews::showPlayingAll(bool on, bool catalogOpen)
{
    main().showPlayingAll(on, catalogOpen);
    if (TCommandLineEntryForm* entry = m_windows.CommandLineEntryForm)
        entry->setPlayingAll(on);
}

void MainWindowViews::stopPlayAllPlayback()
{
    m_controllers.loops->stopPlayAllPlayback();
}

bool MainWindowViews::playerFullScreen() const
{
    return main().player()->FullScreenMode();
}

void MainWindowViews::leavePlayerFullScreen()
{
    main().player()->setFullScreenMode(false);
}

void MainWindowViews::applyPlayClickBehavior(bool fromDoubleClick)
{
    using windowsize::Asker;
    using windowsize::PlayClickBehavior;
    switch (windowsize::playClickBehavior(m_windows.OptionsForm->BookmarkPlayClickBehaviorIndex())) {
    case PlayClickBehavior::VideoToFront:
        m_controllers.sizing->toggleVideoWindow(Asker::BookmarksForm);
        break;
    case PlayClickBehavior::FullScreen:
        // Leaving full screen gives the focus back to the catalog window.
        m_controllers.sizing->enterFullScreenFor(fromDoubleClick ? Asker::BookmarksForm : Asker::BookmarksGrid);
        break;
    case PlayClickBehavior::StayInCatalog:
        break;
    }
}

bool MainWindowViews::StartVideoClip(const QString& path)
{
    return m_controllers.clips->StartVideoClip(path);
}

void MainWindowViews::playStoredLoop(const QString& startDigits, const QString& endDigits,
                                     const std::optional<ZoomView>& zoom)
{
    LoopControls* loops = m_controllers.loops;
    TActiveMovie* player = main().playerWidget();
    // After the load, which shows each clip whole.
    m_controllers.clips->whenLoaded([loops, player, startDigits, endDigits, zoom] {
        if (zoom)
            player->showZoom(*zoom);
        loops->playStoredLoop(startDigits, endDigits);
    });
}
