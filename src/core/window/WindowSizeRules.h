#pragma once

#include "core/playback/PlayStates.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

// The main window's sizing rules and the memory of its full screen mode,
// kept apart from the windows so that they are tested without a screen.
namespace windowsize {

// One press of shrink (F5) or enlarge (F6) changes the window by this much.
constexpr int WidthStep = 15;
constexpr int HeightStep = 10;

// Who asked for a window command: no one (a key that names no window), one
// of the windows that pass their keys on, the catalog grid, one of the
// main window's window buttons (each the button of one command), or another
// control. The windows turn whatever asked into one of these where it comes
// in; the rules below go by it.
enum class Asker {
    None,
    MainForm,
    BookmarksForm,
    BookmarksGrid,
    CommandLineEntryForm,
    FilePlayingInfoForm,
    MaximizeButton,
    FullScreenButton,
    VideoWindowButton,
    CatalogWindowButton,
    ShrinkButton,
    EnlargeButton,
    SmallSizeButton,
    LargeSizeButton,
    Other,
};

// The maximize command (F1): out of full screen into the maximized window,
// or maximize a window that is neither maximized nor minimized, or restore.
enum class MaximizeStep { LeaveFullScreenMaximized, Maximize, Restore };
MaximizeStep maximizeStep(bool fullScreen, bool maximizedOrMinimized);

// The full screen command (F2): out of full screen, into it, or refused
// without a clip (the user is told why).
enum class FullScreenStep { Leave, Enter, Refuse };
FullScreenStep fullScreenStep(bool fullScreen, bool clipLoaded);
QString fullScreenRefusal();

// The video and catalog window toggles (F3, F4) are refused when their own
// button asks: they send the window behind the one the key was pressed in,
// which a button has none of. Empty when the toggle goes ahead.
enum class WindowToggle { VideoWindow, CatalogWindow };
QString toggleRefusal(WindowToggle toggle, Asker asker);
// F4 while the catalog window is hidden: it shows, unless no catalog is
// open (then this message says so).
QString noCatalogToShowMessage();

struct MinimumSizeFacts {
    bool locked = false; // "Lock to original clip size" is on
    bool clipLoaded = false;
    QSize native; // the clip's own picture size
    bool userControlsShown = true;
    // The room the window takes around its picture area (its panels, the
    // player's strip, the menu bar), as laid out now; empty for the usual
    // room of a window with a frame.
    QSize chrome;
    // The available area of the screen the window is on (less the window's
    // frame); empty when not known. No minimum is larger than it, and a
    // locked window whose clip does not fit in it keeps the usual minimum.
    QSize available;
};

// The smallest the main window may be made, by any means.
QSize minimumSize(const MinimumSizeFacts& facts);

// Every size the program gives the main window fits the available area of
// its screen: a larger one is cut to it.
QSize cappedSize(QSize wanted, QSize available);
// Bounds that fit the available area: cut to its size, then moved inside it.
QRect cappedBounds(const QRect& wanted, const QRect& available);
// Whether a picture locked to the clip's own size is shown smaller, because
// the window that would hold it does not fit the screen.
bool pictureScaledDown(bool locked, QSize native, QSize shown);
// The video window size as the information window shows it, with a note
// when the picture is shown smaller than the lock asks.
QString shownSizeText(const QString& size, bool locked, QSize native, QSize shown);

// What playing a bookmark from the catalog grid does with the windows, as
// the options choose it (stored as its position in their list): nothing,
// the video window to the front, or the video full screen.
enum class PlayClickBehavior { StayInCatalog = 0, VideoToFront = 1, FullScreen = 2 };
PlayClickBehavior playClickBehavior(int storedChoice);

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
FocusTarget focusAfterFullScreen(Asker requester);
// The maximize toggle outside full screen: by who asked.
FocusTarget focusAfterMaximizeToggle(Asker asker);

// The video and catalog window toggles (F3, F4) from the keyboard, once the
// window is shown: what the key does with it.
enum class ToggleStep {
    // Not the active window: to the front.
    BringToFront,
    // The key came from another window: behind that one, which is active again.
    BehindSender,
    // The key came from the window itself: behind the first of the other
    // windows that is shown, which becomes active.
    BehindOther,
    // From the window itself with none of the others shown: it stays in
    // front (behind it are only other programs' windows).
    StayInFront,
};
ToggleStep toggleStep(bool windowActive, bool fromWindowItself, bool otherWindowShown);

// A window's place as the settings file keeps it: its bounds, and its state
// (0 normal, 1 minimised, 2 maximised).
struct Placement {
    QRect bounds;
    int state = 0;
    bool operator==(const Placement&) const = default;
};
// What is stored of the main window at exit: as it is, or, in full screen
// (which is no state of its own), as it was before.
Placement placementToStore(const Placement& now, bool fullScreen, const Placement& beforeFullScreen);

// What setting the original-size lock on or off does.
struct LockChange {
    bool locked = false;
    DisplaySizeValue displaySize = mpDefaultSize;
    // The player's new size (picture and its strip), when a clip is loaded
    // and the lock goes on.
    std::optional<QSize> playerSize;
};
LockChange lockChange(bool locked, bool clipLoaded, QSize native, int stripHeight);

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
    void entered(Asker requester);
    void setRequester(Asker requester) { m_requester = requester; }
    Asker requester() const { return m_requester; }
    bool skipNextKey() const { return m_skipNextKey; }
    // True once after a keyboard entry; clears the flag.
    bool takeSkipNextKey();

private:
    Asker m_requester = Asker::None;
    bool m_skipNextKey = false;
};

} // namespace windowsize
