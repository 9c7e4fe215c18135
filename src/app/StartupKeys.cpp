// The composition root's half of the keyboard: which operation of which
// window each key command runs.
#include "app/MainWindowViews.h"
#include "app/Startup.h"

#include "core/beats/BeatLoopControls.h"
#include "core/catalog/BookmarkMaking.h"
#include "core/catalog/CatalogControllers.h"
#include "core/catalog/CatalogDocument.h"
#include "core/desktop/MediaControls.h"
#include "core/playback/ClipLoader.h"
#include "core/playback/LoopControls.h"
#include "core/playback/PictureZoom.h"
#include "core/playback/TransportControls.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/catalog/TCategoryInputForm.h"
#include "gui/cmdline/TCommandLineEntryForm.h"
#include "gui/info/TFilePlayingInfoForm.h"
#include "gui/input/KeyCommands.h"
#include "gui/input/Keyboard.h"
#include "gui/main/BookmarkControlsPanel.h"
#include "gui/main/LoopControlsPanel.h"
#include "gui/main/TMainForm.h"
#include "gui/main/WindowSizing.h"
#include "gui/playback/MpvChimePlayer.h"
#include "gui/playback/TActiveMovie.h"

using beats::LoopPoint;
using keys::Command;
using windowsize::Asker;

namespace {

// Operations started by a key leave the focus where it is; most do not ask
// in which window the key was pressed.
template <class Target> KeyCommands::Operation plain(Target* target, void (Target::*operation)())
{
    return [target, operation](QObject*) { (target->*operation)(); };
}
// A window's own handler, told no sender: a key, not its button.
template <class Target> KeyCommands::Operation plain(Target* target, void (Target::*operation)(QObject*))
{
    return [target, operation](QObject*) { (target->*operation)(nullptr); };
}

} // namespace

void Startup::bindKeyCommands(Keyboard& keyboard)
{
    KeyCommands& k = *keyboard.commands;
    TMainForm* m = m_windows.MainForm;
    TransportControls* t = m_controllers.transport;
    LoopControls* l = m_controllers.loops;
    ClipLoader* c = m_controllers.clips;
    PlayAllSession* catalog = &m_catalog->playing;
    TCommandLineEntryForm* entry = m_windows.CommandLineEntryForm;
    WindowSizing* w = m_controllers.sizing;
    BookmarkMaking* b = keyboard.bookmarkMaking;

    // F1 to F4 are told the window the key was pressed in, as the window
    // commands know the windows.
    const AppWindows* windows = &m_windows;
    auto askerOf = [windows](QObject* window) {
        if (!window)
            return Asker::None;
        if (window == windows->MainForm)
            return Asker::MainForm;
        if (window == windows->BookmarksForm)
            return Asker::BookmarksForm;
        if (window == windows->CommandLineEntryForm)
            return Asker::CommandLineEntryForm;
        if (window == windows->FilePlayingInfoForm)
            return Asker::FilePlayingInfoForm;
        return Asker::Other;
    };
    auto told = [w, askerOf](void (WindowSizing::*operation)(Asker)) -> KeyCommands::Operation {
        return [w, askerOf, operation](QObject* window) { (w->*operation)(askerOf(window)); };
    };

    connectBookmarkMaking(*b);

    k.bind(Command::backseconds, plain(t, &TransportControls::jumpBackSeconds));
    k.bind(Command::forwardseconds, plain(t, &TransportControls::jumpForwardSeconds));
    k.bind(Command::back1frame, plain(t, &TransportControls::stepBack));
    k.bind(Command::forward1frame, plain(t, &TransportControls::stepForward));
    k.bind(Command::slowmotion, plain(t, &TransportControls::playSlow));
    k.bind(Command::regularspeed, plain(t, &TransportControls::playRegular));
    k.bind(Command::fastmotion, plain(t, &TransportControls::playFast));
    k.bind(Command::playLoop, [l](QObject*) { l->playLoop(); });
    k.bind(Command::playFullVideo, plain(l, &LoopControls::playFullVideo));
    k.bind(Command::viewClip, plain(c, &ClipLoader::chooseClip));
    k.bind(Command::previousBookmark, plain(catalog, &PlayAllSession::playPreviousBookmark));
    k.bind(Command::currentBookmark, plain(catalog, &PlayAllSession::playCurrentBookmark));
    k.bind(Command::nextBookmark, plain(catalog, &PlayAllSession::playNextBookmark));
    k.bind(Command::setStartTime, plain(l, &LoopControls::setLoopStart));
    k.bind(Command::setEndTime, plain(l, &LoopControls::setLoopEnd));
    k.bind(Command::pasteCommandLine, plain(entry, &TCommandLineEntryForm::pasteCommandLineButtonClick));
    k.bind(Command::playCommandLine, plain(entry, &TCommandLineEntryForm::playCommandLineButtonClick));
    k.bind(Command::makeBookmark, plain(b, &BookmarkMaking::makeBookmark));
    k.bind(Command::play, [t](QObject*) { t->togglePlay(); });
    k.bind(Command::restart, plain(t, &TransportControls::restart));
    k.bind(Command::mute, plain(t, &TransportControls::toggleMute));
    k.bind(Command::exit, plain(m, &TMainForm::exitButtonClick));
    k.bind(Command::forwardminutes, plain(t, &TransportControls::jumpForwardMinutes));
    k.bind(Command::backminutes, plain(t, &TransportControls::jumpBackMinutes));
    k.bind(Command::backframes, plain(t, &TransportControls::stepBackSeveral));
    k.bind(Command::forwardframes, plain(t, &TransportControls::stepForwardSeveral));
    k.bind(Command::quickMakeBookmark, plain(b, &BookmarkMaking::makeQuickBookmark));
    k.bind(Command::playPreviousFile, plain(c, &ClipLoader::playPreviousClip));
    k.bind(Command::playNextFile, plain(c, &ClipLoader::playNextClip));
    k.bind(Command::maximizeToggle, told(&WindowSizing::toggleMaximized));
    k.bind(Command::fullScreenMode, told(&WindowSizing::toggleFullScreen));
    k.bind(Command::videoWindowToggle, told(&WindowSizing::toggleVideoWindow));
    k.bind(Command::bookmarksWindowToggle, told(&WindowSizing::toggleCatalogWindow));
    k.bind(Command::smallerScreen, plain(w, &WindowSizing::shrink));
    k.bind(Command::largerScreen, plain(w, &WindowSizing::enlarge));
    k.bind(Command::setSmallScreenSize, plain(w, &WindowSizing::storeSmallSize));
    k.bind(Command::setLargeScreenSize, plain(w, &WindowSizing::storeLargeSize));
    k.bind(Command::showSmallScreenSize, plain(w, &WindowSizing::showSmallSize));
    k.bind(Command::showLargeScreenSize, plain(w, &WindowSizing::showLargeSize));
    k.bind(Command::loopMode, plain(l, &LoopControls::cycleLoopMode));
    k.bind(Command::mirrorView, plain(m, &TMainForm::MirrorView1Click));
    TActiveMovie* player = m->playerWidget();
    k.bind(Command::zoomIn, [player](QObject*) { player->zoomPicture(ZoomStep::In); });
    k.bind(Command::zoomOut, [player](QObject*) { player->zoomPicture(ZoomStep::Out); });
    k.bind(Command::zoomReset, plain(player, &TActiveMovie::showWholePicture));

    BeatLoopControls* beat = m_beatLoops;
    using beats::NudgeStep;
    using beats::NudgeWay;
    const auto nudge = [beat](LoopPoint point, NudgeWay way, NudgeStep step) -> KeyCommands::Operation {
        return [beat, point, way, step](QObject*) { beat->nudge(point, way, step); };
    };
    k.bind(Command::nudgeStartEarlier, nudge(LoopPoint::Start, NudgeWay::Earlier, NudgeStep::Fine));
    k.bind(Command::nudgeStartLater, nudge(LoopPoint::Start, NudgeWay::Later, NudgeStep::Fine));
    k.bind(Command::nudgeEndEarlier, nudge(LoopPoint::End, NudgeWay::Earlier, NudgeStep::Fine));
    k.bind(Command::nudgeEndLater, nudge(LoopPoint::End, NudgeWay::Later, NudgeStep::Fine));
    k.bind(Command::nudgeStartEarlierTenth, nudge(LoopPoint::Start, NudgeWay::Earlier, NudgeStep::Coarse));
    k.bind(Command::nudgeStartLaterTenth, nudge(LoopPoint::Start, NudgeWay::Later, NudgeStep::Coarse));
    k.bind(Command::nudgeEndEarlierTenth, nudge(LoopPoint::End, NudgeWay::Earlier, NudgeStep::Coarse));
    k.bind(Command::nudgeEndLaterTenth, nudge(LoopPoint::End, NudgeWay::Later, NudgeStep::Coarse));
    k.bind(Command::beatLoop, plain(beat, &BeatLoopControls::playBeatLoop));
    k.bind(Command::moveOne, [beat](QObject*) { beat->moveCountOne(); });
    k.bind(Command::beatLevel, [beat](QObject*) { beat->changeBeatLevel(); });

    // The media keys go where the desktop's media controls go, which tells
    // a press that comes both ways from two presses.
    MediaControls* media = m_media.get();
    const auto mediaKey = [media](MediaCommand command) -> KeyCommands::Operation {
        return [media, command](QObject*) { media->run(command, MediaRoute::Window); };
    };
    k.bind(Command::mediaPlayPause, mediaKey(MediaCommand::PlayPause));
    k.bind(Command::mediaPause, mediaKey(MediaCommand::Pause));
    k.bind(Command::mediaStop, mediaKey(MediaCommand::Stop));
    k.bind(Command::mediaNext, mediaKey(MediaCommand::Next));
    k.bind(Command::mediaPrevious, mediaKey(MediaCommand::Previous));
    k.bind(Command::mediaForward, mediaKey(MediaCommand::Forward));
    k.bind(Command::mediaRewind, mediaKey(MediaCommand::Rewind));
}

void Startup::connectBookmarkMaking(BookmarkMaking& making)
{
    TMainForm* m = m_windows.MainForm;
    making.connectTo({m->player(), &m->loopControls(), &m_catalog->lifecycle, m_windows.CategoryInputForm});
    making.setChimePlayer(std::make_unique<MpvChimePlayer>());
    QObject::connect(&m->bookmarkControls(), &BookmarkControlsPanel::updateBookmarkClicked, &making, [&making, m] {
        making.updatePlayingBookmark();
        m->giveFocusToSink();
    });
    // A bookmark keeps the zoom its loop was looked at with.
    BookmarkViews* views = &m_catalog->views;
    QObject::connect(&making, &BookmarkMaking::bookmarkStored, views,
                     [views, m](int row) { views->keepZoomOfRow(row, m->playerWidget()->pictureZoom()); });
}
