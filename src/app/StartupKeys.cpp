// The composition root's half of the keyboard: which operation of which
// window each key command runs.
#include "app/MainWindowViews.h"
#include "app/Startup.h"

#include "core/beats/BeatLoopControls.h"
#include "core/catalog/BookmarkMaking.h"
#include "core/catalog/CatalogControllers.h"
#include "core/catalog/CatalogDocument.h"
#include "core/playback/ClipLoader.h"
#include "core/playback/LoopControls.h"
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

using beats::LoopPoint;
using keys::Command;
using windowsize::Sender;

namespace {

// Operations started by a key get no sender: the focus stays where it is.
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

    // The window a key was pressed in, as the window commands know it: this
    // is where a sender turns into one of the windows they tell apart.
    const AppWindows* windows = &m_windows;
    auto senderOf = [windows](QObject* window) {
        if (!window)
            return Sender::None;
        if (window == windows->MainForm)
            return Sender::MainForm;
        if (window == windows->BookmarksForm)
            return Sender::BookmarksForm;
        if (window == windows->CommandLineEntryForm)
            return Sender::CommandLineEntryForm;
        if (window == windows->FilePlayingInfoForm)
            return Sender::FilePlayingInfoForm;
        return Sender::Other;
    };
    // F1 to F4 are told the window where the key was pressed; the other
    // window commands get no sender.
    auto told = [w, senderOf](void (WindowSizing::*operation)(Sender)) -> KeyCommands::Operation {
        return [w, senderOf, operation](QObject* window) { (w->*operation)(senderOf(window)); };
    };
    auto untold = [w](void (WindowSizing::*operation)(Sender)) -> KeyCommands::Operation {
        return [w, operation](QObject*) { (w->*operation)(Sender::None); };
    };

    connectBookmarkMaking(*b);

    k.bind(Command::backseconds, plain(t, &TransportControls::backsecondsButtonClick));
    k.bind(Command::forwardseconds, plain(t, &TransportControls::forwardsecondsButtonClick));
    k.bind(Command::back1frame, plain(t, &TransportControls::back1frameButtonClick));
    k.bind(Command::forward1frame, plain(t, &TransportControls::forward1frameButtonClick));
    k.bind(Command::slowmotion, plain(t, &TransportControls::slowmotionButtonClick));
    k.bind(Command::regularspeed, plain(t, &TransportControls::regularspeedButtonClick));
    k.bind(Command::fastmotion, plain(t, &TransportControls::fastmotionButtonClick));
    k.bind(Command::playLoop, plain(l, &LoopControls::playLoopButtonClick));
    k.bind(Command::playFullVideo, plain(l, &LoopControls::playFullVideoButtonClick));
    k.bind(Command::viewClip, plain(c, &ClipLoader::ViewClipButtonClick));
    k.bind(Command::previousBookmark, plain(catalog, &PlayAllSession::PreviousBookmarkButtonClick));
    k.bind(Command::currentBookmark, plain(catalog, &PlayAllSession::CurrentBookmarkButtonClick));
    k.bind(Command::nextBookmark, plain(catalog, &PlayAllSession::NextBookmarkButtonClick));
    k.bind(Command::setStartTime, plain(l, &LoopControls::setStartTimeButtonClick));
    k.bind(Command::setEndTime, plain(l, &LoopControls::setEndTimeButtonClick));
    k.bind(Command::pasteCommandLine, plain(entry, &TCommandLineEntryForm::pasteCommandLineButtonClick));
    k.bind(Command::playCommandLine, plain(entry, &TCommandLineEntryForm::playCommandLineButtonClick));
    k.bind(Command::makeBookmark, plain(b, &BookmarkMaking::makeBookmarkButtonClick));
    k.bind(Command::play, plain(t, &TransportControls::playButtonClick));
    k.bind(Command::restart, plain(t, &TransportControls::restartButtonClick));
    k.bind(Command::mute, plain(t, &TransportControls::muteButtonClick));
    k.bind(Command::exit, plain(m, &TMainForm::exitButtonClick));
    k.bind(Command::forwardminutes, plain(t, &TransportControls::forwardminutesButtonClick));
    k.bind(Command::backminutes, plain(t, &TransportControls::backminutesButtonClick));
    k.bind(Command::backframes, plain(t, &TransportControls::backframesButtonClick));
    k.bind(Command::forwardframes, plain(t, &TransportControls::forwardframesButtonClick));
    k.bind(Command::quickMakeBookmark, plain(b, &BookmarkMaking::QuickMakeBookmarkButtonClick));
    k.bind(Command::playPreviousFile, plain(c, &ClipLoader::PlayPreviousFile));
    k.bind(Command::playNextFile, plain(c, &ClipLoader::PlayNextFile));
    k.bind(Command::maximizeToggle, told(&WindowSizing::MaximizeToggleButtonClick));
    k.bind(Command::fullScreenMode, told(&WindowSizing::FullScreenModeClick));
    k.bind(Command::videoWindowToggle, told(&WindowSizing::VideoWindowToggleButtonClick));
    k.bind(Command::bookmarksWindowToggle, told(&WindowSizing::BookmarksWindowToggleButtonClick));
    k.bind(Command::smallerScreen, untold(&WindowSizing::SmallerScreenButtonClick));
    k.bind(Command::largerScreen, untold(&WindowSizing::LargerScreenButtonClick));
    k.bind(Command::setSmallScreenSize, untold(&WindowSizing::SetSmallScreenSizeButtonClick));
    k.bind(Command::setLargeScreenSize, untold(&WindowSizing::SetLargeScreenSizeButtonClick));
    k.bind(Command::showSmallScreenSize, untold(&WindowSizing::ShowSmallScreenSizeButtonClick));
    k.bind(Command::showLargeScreenSize, untold(&WindowSizing::ShowLargeScreenSizeButtonClick));
    k.bind(Command::loopMode, plain(l, &LoopControls::loopModeKeyPress));
    k.bind(Command::mirrorView, plain(m, &TMainForm::MirrorView1Click));

    BeatLoopControls* beat = m_beatLoops;
    const auto nudge = [beat](LoopPoint point, int direction, bool tenth) -> KeyCommands::Operation {
        return [beat, point, direction, tenth](QObject*) { beat->nudge(point, direction, tenth); };
    };
    k.bind(Command::nudgeStartEarlier, nudge(LoopPoint::Start, -1, false));
    k.bind(Command::nudgeStartLater, nudge(LoopPoint::Start, 1, false));
    k.bind(Command::nudgeEndEarlier, nudge(LoopPoint::End, -1, false));
    k.bind(Command::nudgeEndLater, nudge(LoopPoint::End, 1, false));
    k.bind(Command::nudgeStartEarlierTenth, nudge(LoopPoint::Start, -1, true));
    k.bind(Command::nudgeStartLaterTenth, nudge(LoopPoint::Start, 1, true));
    k.bind(Command::nudgeEndEarlierTenth, nudge(LoopPoint::End, -1, true));
    k.bind(Command::nudgeEndLaterTenth, nudge(LoopPoint::End, 1, true));
    k.bind(Command::beatLoop, plain(beat, &BeatLoopControls::beatLoopKeyPress));
    k.bind(Command::moveOne, [beat](QObject*) { beat->moveOneKeyPress(); });
}

void Startup::connectBookmarkMaking(BookmarkMaking& making)
{
    TMainForm* m = m_windows.MainForm;
    making.connectTo({m->player(), &m->loopControls(), &m_catalog->lifecycle, m_windows.CategoryInputForm});
    making.setChimePlayer(std::make_unique<MpvChimePlayer>());
    QObject::connect(&m->bookmarkControls(), &BookmarkControlsPanel::updateBookmarkClicked, &making,
                     [&making](QObject* sender) { making.updateBookmarkButtonClick(sender); });
}
