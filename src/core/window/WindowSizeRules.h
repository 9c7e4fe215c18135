#pragma once

#include <QSize>
#include <QString>
#include <optional>

// The main window's sizing rules and the memory of its full screen mode,
// kept apart from the windows so that they are tested without a screen.
namespace windowsize {

// One press of shrink (F5) or enlarge (F6) changes the window by this much.
constexpr int WidthStep = 15;
constexpr int HeightStep = 10;

// What asked for a window command: no one (a key that names no window), one
// of the windows that pass their keys on, the catalog grid, one of the
// window buttons, or another control. The windows turn the object that
// asked into one of these where it comes in; the rules below go by it.
enum class Sender {
    None,
    MainForm,
    BookmarksForm,
    BookmarksGrid,
    CommandLineEntryForm,
    FilePlayingInfoForm,
    F1_Button,
    F2_Button,
    F3_Button,
    F4_Button,
    F5_Button,
    F6_Button,
    F7_Button,
    F8_Button,
    Other,
};

struct MinimumSizeFacts {
    bool locked = false; // "Lock to original clip size" is on
    bool clipLoaded = false;
    QSize native; // the clip's own picture size
    bool userControlsShown = true;
    // The room the window takes around its picture area (its panels, the
    // player's strip, the menu bar), as laid out now; empty for the usual
    // room of a window with a frame.
    QSize chrome;
};

// The smallest the main window may be made, by any means.
QSize minimumSize(const MinimumSizeFacts& facts);

// One step of shrink, never below the minimum; one step of enlarge.
QSize shrunk(QSize current, QSize minimum);
QSize enlarged(QSize current);

// The maximize button describes what its next press does.
struct ButtonTexts {
    QString caption;
    QString hint;
};
ButtonTexts maximizeButtonTexts(bool maximized);

// Where the keyboard focus goes after a window command.
enum class FocusTarget { Stay, MainFocusPanel, MainWindow, CommandLineEntryForm, FilePlayingInfoForm, CatalogWindow };
// Leaving full screen: back to the window or control that asked for it.
FocusTarget focusAfterFullScreen(Sender requester);
// The maximize toggle outside full screen: by its sender.
FocusTarget focusAfterMaximizeToggle(Sender sender);

// What one press of the original-size lock does.
struct LockChange {
    bool locked = false;
    int displaySize = 0; // mpDefaultSize or mpFitToSize
    // The player's new size (picture and its strip), when a clip is loaded
    // and the lock goes on.
    std::optional<QSize> playerSize;
};
LockChange toggledLock(bool lockedNow, bool clipLoaded, QSize native, int stripHeight);

// Leaving full screen with the clip paused asks the play-state handler to
// pause again, for a player that starts playing as it leaves full screen.
// Only a play-state change that is already on its way can be that start:
// a flag left set with none coming would undo the user's next play.
bool rePauseOnLeaving(bool paused, bool playStateChangeWaiting);

// The memory of the full screen mode: who asked for it, and whether the
// next key the full-screen player reports is the tail of the keystroke
// that entered it.
class FullScreenMemory {
public:
    // Full screen was entered from `requester`; from a key unless the
    // requester is the full screen button.
    void entered(Sender requester);
    void setRequester(Sender requester) { m_requester = requester; }
    Sender requester() const { return m_requester; }
    bool skipNextKey() const { return m_skipNextKey; }
    // True once after a keyboard entry; clears the flag.
    bool takeSkipNextKey();

private:
    Sender m_requester = Sender::None;
    bool m_skipNextKey = false;
};

} // namespace windowsize
