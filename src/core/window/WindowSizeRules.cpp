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

QString shownSizeText(const QString& size, bool locked, QSize native, QSize shown)
{
    return pictureScaledDown(locked, native, shown) ? size + QStringLiteral(" (scaled down to fit the screen)") : size;
}

PlayClickBehavior playClickBehavior(int storedChoice)
{
    switch (storedChoice) {
    case 1:
        return PlayClickBehavior::VideoToFront;
    case 2:
        return PlayClickBehavior::FullScreen;
    default:
        return PlayClickBehavior::StayInCatalog;
    }
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

FocusTarget focusAfterFullScreen(Asker requester)
{
    switch (requester) {
    case Asker::BookmarksForm:
    case Asker::BookmarksGrid:
        return FocusTarget::CatalogWindow;
    case Asker::CommandLineEntryForm:
        return FocusTarget::CommandLineEntryForm;
    case Asker::FilePlayingInfoForm:
        return FocusTarget::FilePlayingInfoForm;
    default:
        return FocusTarget::Stay;
    }
}

FocusTarget focusAfterMaximizeToggle(Asker asker)
{
    switch (asker) {
    case Asker::MaximizeButton:
    case Asker::FullScreenButton:
        return FocusTarget::MainFocusPanel;
    case Asker::MainForm:
        return FocusTarget::MainWindow;
    case Asker::BookmarksForm:
        return FocusTarget::CatalogWindow;
    case Asker::CommandLineEntryForm:
        return FocusTarget::CommandLineEntryForm;
    case Asker::FilePlayingInfoForm:
        return FocusTarget::FilePlayingInfoForm;
    default:
        return FocusTarget::Stay;
    }
}

MaximizeStep maximizeStep(bool fullScreen, bool maximizedOrMinimized)
{
    if (fullScreen)
        return MaximizeStep::LeaveFullScreenMaximized;
    return maximizedOrMinimized ? MaximizeStep::Restore : MaximizeStep::Maximize;
}

FullScreenStep fullScreenStep(bool fullScreen, bool clipLoaded)
{
    if (fullScreen)
        return FullScreenStep::Leave;
    return clipLoaded ? FullScreenStep::Enter : FullScreenStep::Refuse;
}

QString fullScreenRefusal()
{
    return QStringLiteral("You must first have a video clip loaded in order for this to work.");
}

QString toggleRefusal(WindowToggle toggle, Asker asker)
{
    if (toggle == WindowToggle::VideoWindow && asker == Asker::VideoWindowButton)
        return QStringLiteral("Sorry, but for this function to work, you have to press the <F3> button itself.");
    if (toggle == WindowToggle::CatalogWindow && asker == Asker::CatalogWindowButton)
        return QStringLiteral("Sorry, but for this function to work, you have to press the <F4> button itself.");
    return {};
}

QString noCatalogToShowMessage()
{
    return QStringLiteral("Sorry, but for this function to work, you must have a video catalog open first.");
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

LockChange lockChange(bool locked, bool clipLoaded, QSize native, int stripHeight)
{
    if (!locked)
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

void FullScreenMemory::entered(Asker requester)
{
    m_requester = requester;
    m_skipNextKey = requester != Asker::FullScreenButton;
}

bool FullScreenMemory::takeSkipNextKey()
{
    return std::exchange(m_skipNextKey, false);
}

} // namespace windowsize
