#include "core/input/KeyCommandTable.h"

namespace keys {

const std::array<KeyBoxRow, KeyBoxCount> keyBoxRows{{
    {KeyBox::exit, "exitKey", "Options Form: exit key", "exit", "Options_Form_Exit_Keystroke:", "z"},
    {KeyBox::backseconds, "backsecondsKey", "Player Controls: back seconds key", "back seconds key",
     "Back_Seconds_Key:", "a"},
    {KeyBox::back1frame, "back1frameKey", "Player Controls: back 1 frame key", "back 1 frame key",
     "Back_1_Frame_Key:", "s"},
    {KeyBox::forward1frame, "forward1frameKey", "Player Controls: forward 1 frame key", "forward 1 frame key",
     "Forward_1_Frame_Key:", "d"},
    {KeyBox::forwardseconds, "forwardsecondsKey", "Player Controls: forward seconds key", "forward seconds key",
     "Forward_Seconds_Key:", "f"},
    {KeyBox::slowmotion, "slowmotionKey", "Player Controls: slow motion key", "slow motion key",
     "Slow_Motion_Key:", "j"},
    {KeyBox::regularspeed, "regularspeedKey", "Player Controls: regular speed key", "regular speed key",
     "Regular_Motion_Key:", "k"},
    {KeyBox::fastmotion, "fastmotionKey", "Player Controls: fast motion key", "fast motion key",
     "Fast_Motion_Key:", "l"},
    {KeyBox::setStartTime, "setStartTimeKey", "Main Form: set start time key", "set start time key",
     "Set_Start_Time_Key:", "g"},
    {KeyBox::setEndTime, "setEndTimeKey", "Main Form: set end time key", "set end time key", "Set_End_Time_Key:", "h"},
    {KeyBox::playLoop, "playLoopKey", "Main Form: play Loop key", "play loop key", "Play_Loop_Key:", "t"},
    {KeyBox::playFullVideo, "playFullVideoKey", "Main Form: play full video key", "play full video key",
     "Play_Full_Video_Key:", "y"},
    {KeyBox::chooseclip, "chooseclipKey", "Options Form: choose clip key", "video clip",
     "Options_Form_Choose_Clip_Keystroke:", "c"},
    {KeyBox::pastecommandline, "pastecommandlineKey", "Options Form: paste command line key", "paste command line",
     "Options_Form_Paste_Command_Line_Keystroke:", "u"},
    {KeyBox::playcommandline, "playcommandlineKey", "Options Form: play command line key", "play command line",
     "Options_Form_Play_Command_Line_Keystroke:", "i"},
    {KeyBox::makebookmark, "makebookmarkKey", "Options Form: make bookmark key", "add bookmark",
     "Options_Form_Add_Bookmark_Keystroke:", "o"},
    {KeyBox::restart, "restartKey", "Options Form: restart key", "restart", "Options_Form_Restart_Keystroke:", "r"},
    {KeyBox::mute, "muteKey", "Options Form: mute key", "mute", "Options_Form_Mute_Keystroke:", "m"},
    {KeyBox::previousBookmark, "previousBookmarkKey", "Options Form: play previous bookmark key",
     "play previous bookmark", "Options_Form_Play_Previous_Bookmark_Keystroke:", "8"},
    {KeyBox::currentBookmark, "currentBookmarkKey", "Options Form: play current bookmark key", "play current bookmark",
     "Options_Form_Play_Current_Bookmark_Keystroke:", "9"},
    {KeyBox::nextBookmark, "nextBookmarkKey", "Options Form: play next bookmark key", "play next bookmark",
     "Options_Form_Play_Next_Bookmark_Keystroke:", "0"},
    {KeyBox::loopMode, "loopModeKey", "Practice: loop mode key", "loop mode key", "Loop_Mode_Key:", "b"},
    {KeyBox::mirrorView, "mirrorViewKey", "Practice: mirror view key", "mirror view key", "Mirror_View_Key:", "x"},
    {KeyBox::nudgeStartEarlier, "nudgeStartEarlierKey", "Practice: loop start earlier key", "loop start earlier key",
     "Nudge_Start_Earlier_Key:", "["},
    {KeyBox::nudgeStartLater, "nudgeStartLaterKey", "Practice: loop start later key", "loop start later key",
     "Nudge_Start_Later_Key:", "]"},
    {KeyBox::nudgeEndEarlier, "nudgeEndEarlierKey", "Practice: loop end earlier key", "loop end earlier key",
     "Nudge_End_Earlier_Key:", ","},
    {KeyBox::nudgeEndLater, "nudgeEndLaterKey", "Practice: loop end later key", "loop end later key",
     "Nudge_End_Later_Key:", "."},
    {KeyBox::beatLoop, "beatLoopKey", "Practice: beat loop key", "beat loop key", "Beat_Loop_Key:", "/"},
    {KeyBox::moveOne, "moveOneKey", "Practice: move the count's 1 key", "move the count's 1 key", "Move_One_Key:", ";"},
    {KeyBox::zoomIn, "zoomInKey", "Practice: zoom in key", "zoom in key", "Zoom_In_Key:", "w"},
    {KeyBox::zoomOut, "zoomOutKey", "Practice: zoom out key", "zoom out key", "Zoom_Out_Key:", "q"},
    {KeyBox::zoomReset, "zoomResetKey", "Practice: whole picture key", "whole picture key", "Zoom_Reset_Key:", "e"},
    {KeyBox::beatLevel, "beatLevelKey", "Practice: count the beats another way key", "count the beats another way key",
     "Beat_Level_Key:", "'"},
}};

namespace {

using B = KeyBox;
using C = Command;
using G = Gate;
using M = Match;

constexpr CommandRow fixed(Command command, int key, Held held = Held::Any, Gate gate = G::Always)
{
    return {command, B::None, M::FixedKey, gate, key, held};
}

} // namespace

const std::array<CommandRow, 66> commandRows{{
    // Key codes.
    {C::exit, B::exit, M::ExitKeyCode, G::Always},
    {C::forwardminutes, B::forwardseconds, M::ShiftKeyCode, G::Always},
    {C::backminutes, B::backseconds, M::ShiftKeyCode, G::Always},
    {C::backframes, B::back1frame, M::ShiftKeyCode, G::Always},
    {C::forwardframes, B::forward1frame, M::ShiftKeyCode, G::Always},
    {C::quickMakeBookmark, B::makebookmark, M::ShiftKeyCode, G::Always},
    {C::nudgeStartEarlierTenth, B::nudgeStartEarlier, M::ShiftKeyCode, G::Always},
    {C::nudgeStartLaterTenth, B::nudgeStartLater, M::ShiftKeyCode, G::Always},
    {C::nudgeEndEarlierTenth, B::nudgeEndEarlier, M::ShiftKeyCode, G::Always},
    {C::nudgeEndLaterTenth, B::nudgeEndLater, M::ShiftKeyCode, G::Always},
    fixed(C::playPreviousFile, Qt::Key_PageUp, Held::Any, G::NotPlayingAll),
    fixed(C::playNextFile, Qt::Key_PageDown, Held::Any, G::NotPlayingAll),
    fixed(C::maximizeToggle, Qt::Key_F1),
    fixed(C::fullScreenMode, Qt::Key_F2),
    fixed(C::videoWindowToggle, Qt::Key_F3),
    fixed(C::exit, Qt::Key_F4, Held::AltInMainWindow),
    fixed(C::bookmarksWindowToggle, Qt::Key_F4, Held::NoAlt),
    fixed(C::smallerScreen, Qt::Key_F5),
    fixed(C::largerScreen, Qt::Key_F6),
    fixed(C::setSmallScreenSize, Qt::Key_F7, Held::Ctrl),
    fixed(C::setLargeScreenSize, Qt::Key_F8, Held::Ctrl),
    fixed(C::showSmallScreenSize, Qt::Key_F7, Held::NoCtrl),
    fixed(C::showLargeScreenSize, Qt::Key_F8, Held::NoCtrl),
    fixed(C::arrowLeft, Qt::Key_Left),
    fixed(C::arrowRight, Qt::Key_Right),
    // The media keys. The play key (XF86AudioPlay) plays and pauses, as on
    // every desktop of this platform.
    fixed(C::mediaPlayPause, Qt::Key_MediaPlay),
    fixed(C::mediaPlayPause, Qt::Key_MediaTogglePlayPause),
    fixed(C::mediaPause, Qt::Key_MediaPause),
    fixed(C::mediaStop, Qt::Key_MediaStop),
    fixed(C::mediaNext, Qt::Key_MediaNext),
    fixed(C::mediaPrevious, Qt::Key_MediaPrevious),
    fixed(C::mediaForward, Qt::Key_AudioForward),
    fixed(C::mediaRewind, Qt::Key_AudioRewind),
    // Typed characters.
    {C::backseconds, B::backseconds, M::FirstCharacter, G::Always},
    {C::forwardseconds, B::forwardseconds, M::FirstCharacter, G::Always},
    {C::back1frame, B::back1frame, M::FirstCharacter, G::Always},
    {C::forward1frame, B::forward1frame, M::FirstCharacter, G::Always},
    {C::slowmotion, B::slowmotion, M::FirstCharacter, G::Always},
    {C::regularspeed, B::regularspeed, M::FirstCharacter, G::Always},
    {C::fastmotion, B::fastmotion, M::FirstCharacter, G::Always},
    {C::playLoop, B::playLoop, M::FirstCharacter, G::Always},
    {C::playFullVideo, B::playFullVideo, M::FirstCharacter, G::Always},
    {C::viewClip, B::chooseclip, M::WholeText, G::NotPlayingAll, 0, Held::Any, "view clip", "ViewClipButton"},
    {C::previousBookmark, B::previousBookmark, M::WholeText, G::CatalogOpen, 0, Held::Any, "previous",
     "PreviousBookmarkButton"},
    {C::currentBookmark, B::currentBookmark, M::WholeText, G::CatalogOpen, 0, Held::Any, "current",
     "CurrentBookmarkButton"},
    {C::nextBookmark, B::nextBookmark, M::WholeText, G::CatalogOpen, 0, Held::Any, "next", "NextBookmarkButton"},
    {C::setStartTime, B::setStartTime, M::WholeText, G::NotPlayingAll},
    {C::setEndTime, B::setEndTime, M::WholeText, G::NotPlayingAll},
    {C::pasteCommandLine, B::pastecommandline, M::WholeText, G::NotPlayingAll, 0, Held::Any, "paste command line",
     "pasteCommandLineButton"},
    {C::playCommandLine, B::playcommandline, M::WholeText, G::NotPlayingAll, 0, Held::Any, "play command line",
     "playCommandLineButton"},
    {C::makeBookmark, B::makebookmark, M::WholeText, G::NotPlayingAll, 0, Held::Any, "add bookmark",
     "makeBookmarkButton"},
    {C::play, B::None, M::Blank, G::Always},
    {C::restart, B::restart, M::WholeText, G::Always, 0, Held::Any, "restart", "restartButton"},
    {C::mute, B::mute, M::WholeText, G::Always, 0, Held::Any, "mute", "muteButton"},
    {C::loopMode, B::loopMode, M::WholeText, G::Always},
    {C::mirrorView, B::mirrorView, M::WholeText, G::Always},
    {C::nudgeStartEarlier, B::nudgeStartEarlier, M::WholeText, G::Always},
    {C::nudgeStartLater, B::nudgeStartLater, M::WholeText, G::Always},
    {C::nudgeEndEarlier, B::nudgeEndEarlier, M::WholeText, G::Always},
    {C::nudgeEndLater, B::nudgeEndLater, M::WholeText, G::Always},
    {C::beatLoop, B::beatLoop, M::WholeText, G::NotPlayingAll},
    {C::moveOne, B::moveOne, M::WholeText, G::Always},
    {C::zoomIn, B::zoomIn, M::WholeText, G::Always},
    {C::zoomOut, B::zoomOut, M::WholeText, G::Always},
    {C::zoomReset, B::zoomReset, M::WholeText, G::Always},
    {C::beatLevel, B::beatLevel, M::WholeText, G::Always},
}};

bool rowMatches(const CommandRow& row, const KeyTexts& keys, bool ctrlSelect, const KeyStroke& stroke)
{
    const bool ctrl = stroke.modifiers.testFlag(Qt::ControlModifier);
    const bool alt = stroke.modifiers.testFlag(Qt::AltModifier);
    const bool shift = stroke.modifiers.testFlag(Qt::ShiftModifier);
    const QString& box = row.box == KeyBox::None ? QString() : keyOf(keys, row.box);
    switch (row.match) {
    case Match::FirstCharacter:
        return stroke.typed && matchesFirstCharacter(box, *stroke.typed);
    case Match::WholeText:
        return stroke.typed && matchesWholeText(box, *stroke.typed);
    case Match::Blank:
        return stroke.typed && *stroke.typed == QLatin1Char(' ');
    case Match::ExitKeyCode:
        // With CtrlSelect the exit key needs Ctrl; without, Ctrl must be up.
        return matchesKeyCode(box, stroke.key) && ctrl == ctrlSelect;
    case Match::ShiftKeyCode:
        return matchesKeyCode(box, stroke.key) && shift;
    case Match::FixedKey:
        if (stroke.key != row.fixedKey)
            return false;
        switch (row.held) {
        case Held::Any:
            return true;
        case Held::Ctrl:
            return ctrl;
        case Held::NoCtrl:
            return !ctrl;
        case Held::NoAlt:
            return !alt;
        case Held::AltInMainWindow:
            return alt && stroke.fromMainWindow;
        }
    }
    return false;
}

bool rowConsumes(const CommandRow& row)
{
    return row.held == Held::AltInMainWindow;
}

bool isTypedRow(const CommandRow& row)
{
    return row.match == Match::FirstCharacter || row.match == Match::WholeText || row.match == Match::Blank;
}

bool isMediaKey(int key)
{
    for (const CommandRow& row : commandRows)
        if (row.match == Match::FixedKey && row.fixedKey == key && row.command >= Command::mediaPlayPause)
            return true;
    return false;
}

} // namespace keys
