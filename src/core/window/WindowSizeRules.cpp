#include "core/window/WindowSizeRules.h"

#include "core/playback/MediaPlayerControl.h"

#include <algorithm>
#include <utility>

namespace windowsize {

namespace {

// Room the panels around the picture take, in a locked window: the loop and
// bookmark panel on the right and the window's edges across; the player's
// strip, the user controls and the window's menu and edges down.
constexpr int LockedExtraWidth = 203;
constexpr int LockedExtraHeight = 266;
constexpr int LockedExtraHeightWithoutControls = 118;
// An unlocked window (or one without a clip) stays usable at this size.
constexpr int SmallestWidth = 303;
constexpr int SmallestHeight = 366;
constexpr int SmallestHeightWithoutControls = 218;

} // namespace

QSize minimumSize(const MinimumSizeFacts& facts)
{
    const QSize smallest(SmallestWidth, facts.userControlsShown ? SmallestHeight : SmallestHeightWithoutControls);
    if (!facts.locked || !facts.clipLoaded)
        return cappedSize(smallest, facts.available);
    const int extra = facts.userControlsShown ? LockedExtraHeight : LockedExtraHeightWithoutControls;
    const QSize chrome = facts.chrome.isValid() ? facts.chrome : QSize(LockedExtraWidth, extra);
    const QSize locked(std::max(0, facts.native.width()) + chrome.width(),
                       std::max(0, facts.native.height()) + chrome.height());
    // A clip too large for the screen is shown smaller: the window then
    // keeps the usual minimum, so that it can still be made smaller.
    if (cappedSize(locked, facts.available) != locked)
        return cappedSize(smallest, facts.available);
    return locked;
}

QSize cappedSize(QSize wanted, QSize available)
{
    if (available.isEmpty())
        return wanted;
    return wanted.boundedTo(available);
}

QRect cappedBounds(const QRect& wanted, const QRect& available)
{
    if (available.isEmpty())
        return wanted;
    QRect bounds(wanted.topLeft(), cappedSize(wanted.size(), available.size()));
    bounds.moveLeft(std::clamp(bounds.left(), available.left(), available.right() + 1 - bounds.width()));
    bounds.moveTop(std::clamp(bounds.top(), available.top(), available.bottom() + 1 - bounds.height()));
    return bounds;
}

bool pictureScaledDown(bool locked, QSize native, QSize shown)
{
    return locked && !native.isEmpty() && (native.width() > shown.width() || native.height() > shown.height());
}

QSize shrunk(QSize current, QSize minimum)
{
    return QSize(current.width() - WidthStep, current.height() - HeightStep).expandedTo(minimum);
}

QSize enlarged(QSize current)
{
    return {current.width() + WidthStep, current.height() + HeightStep};
}

ButtonTexts maximizeButtonTexts(bool maximized)
{
    if (maximized)
        return {QStringLiteral("restore window (F1)"),
                QStringLiteral("Restore the video window back to previous size")};
    return {QStringLiteral("maximize window (F1)"),
            QStringLiteral("Maximize the video window (Loop and Bookmark controls will still be visible.)")};
}

FocusTarget focusAfterFullScreen(Sender requester)
{
    switch (requester) {
    case Sender::BookmarksForm:
    case Sender::BookmarksGrid:
        return FocusTarget::CatalogWindow;
    case Sender::CommandLineEntryForm:
        return FocusTarget::CommandLineEntryForm;
    case Sender::FilePlayingInfoForm:
        return FocusTarget::FilePlayingInfoForm;
    default:
        return FocusTarget::Stay;
    }
}

FocusTarget focusAfterMaximizeToggle(Sender sender)
{
    switch (sender) {
    case Sender::F1_Button:
    case Sender::F2_Button:
        return FocusTarget::MainFocusPanel;
    case Sender::MainForm:
        return FocusTarget::MainWindow;
    case Sender::BookmarksForm:
        return FocusTarget::CatalogWindow;
    case Sender::CommandLineEntryForm:
        return FocusTarget::CommandLineEntryForm;
    case Sender::FilePlayingInfoForm:
        return FocusTarget::FilePlayingInfoForm;
    default:
        return FocusTarget::Stay;
    }
}

ToggleStep toggleStep(bool windowActive, bool fromWindowItself, bool otherWindowShown)
{
    if (!windowActive)
        return ToggleStep::BringToFront;
    if (!fromWindowItself)
        return ToggleStep::BehindSender;
    return otherWindowShown ? ToggleStep::BehindOther : ToggleStep::StayInFront;
}

Placement placementToStore(const Placement& now, bool fullScreen, const Placement& beforeFullScreen)
{
    if (!fullScreen || !beforeFullScreen.bounds.isValid())
        return now;
    return beforeFullScreen;
}

LockChange toggledLock(bool lockedNow, bool clipLoaded, QSize native, int stripHeight)
{
    if (lockedNow)
        return {false, mpFitToSize, std::nullopt};
    LockChange change{true, mpDefaultSize, std::nullopt};
    if (clipLoaded)
        change.playerSize = QSize(native.width(), native.height() + stripHeight);
    return change;
}

bool rePauseOnLeaving(bool paused, bool playStateChangeWaiting)
{
    return paused && playStateChangeWaiting;
}

void FullScreenMemory::entered(Sender requester)
{
    m_requester = requester;
    m_skipNextKey = requester != Sender::F2_Button;
}

bool FullScreenMemory::takeSkipNextKey()
{
    return std::exchange(m_skipNextKey, false);
}

} // namespace windowsize
