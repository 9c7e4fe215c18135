#include "core/window/ArrangementRules.h"

#include <algorithm>

namespace arrangement {

namespace {

struct StateRow {
    const char* button;
    const char* menu;
    std::array<int, GroupCount> left; // Basic, AdvancedPlayer, Speed, Window; -1 hidden
};

// The left positions are pixels inside the bottom panel.
constexpr StateRow kStates[StateCount] = {
    {"hidden", "Hidden", {-1, -1, -1, -1}},
    {"player controls only", "Player controls only", {4, 108, 501, -1}},
    {"window controls only", "Window controls only", {-1, -1, -1, 4}},
    {"all -- player controls first", "All -- Player controls first", {4, 108, 501, 647}},
    {"all - window controls first", "All -- Window controls first", {272, 376, 769, 4}},
};

// Beside the bookmark group in the bottom panel the speed group closes up.
constexpr int kSpeedShiftBesideBookmarks = -2;

} // namespace

int validState(int state)
{
    return state >= 0 && state < StateCount ? state : DefaultState;
}

int nextState(int state)
{
    return (validState(state) + 1) % StateCount;
}

int stateBefore(int target)
{
    return (validState(target) + StateCount - 1) % StateCount;
}

QString buttonCaption(int state)
{
    return QString::fromLatin1(kStates[validState(state)].button);
}

QString menuCaption(int state)
{
    return QString::fromLatin1(kStates[validState(state)].menu);
}

bool bottomPanelShown(int state)
{
    return validState(state) != Hidden;
}

int groupLeft(int state, Group group, bool beginner, bool bookmarksInBottomPanel)
{
    if (group < 0 || group >= GroupCount)
        return -1;
    if (beginner && group == Window)
        return -1;
    const int left = kStates[validState(state)].left[group];
    if (left >= 0 && group == Speed && bookmarksInBottomPanel)
        return left + kSpeedShiftBesideBookmarks;
    return left;
}

const std::array<Caption, 6>& beginnerCaptions()
{
    static const std::array<Caption, 6> captions{{
        {"restartButton", "restart"},
        {"makeBookmarkButton", "add bookmark"},
        {"ViewClipButton", "view clip"},
        {"slowmotionButton", "slow"},
        {"regularspeedButton", "regular speed"},
        {"fastmotionButton", "fast"},
    }};
    return captions;
}

bool hasBeginnerCaption(const QString& control)
{
    return std::any_of(beginnerCaptions().begin(), beginnerCaptions().end(),
                       [&control](const Caption& c) { return control == QLatin1String(c.control); });
}

bool isSmallScreen(int screenHeight)
{
    return screenHeight <= SmallScreenHeight;
}

const std::array<Offset, 13>& bookmarkGroupOffsets()
{
    // From 9, 370, 178 x 153 in the right-hand panel to 641, 4, 161 x 137 in
    // the bottom panel; the controls inside close up to the narrower box.
    // The play-all controls shrink a little so they stay inside it, and the
    // advanced mode button takes the group's place, where a window on such a
    // screen still shows it.
    static const std::array<Offset, 13> offsets{{
        {"BookmarkControlsBox", 632, -366, -17, -16},
        {"makeBookmarkButton", -9, 0, 0, 0},
        {"updateBookmarkButton", -9, 0, 0, 0},
        {"NewCatalogLabel", -9, 0, 0, 0},
        {"PlayingAllLabel", -9, 0, 0, 0},
        {"OpenCatalogButton", -9, -10, 0, -4},
        {"CurrentlyPlayingLabel", -9, -4, 0, 0},
        {"LoopList", -2, -4, -13, 0},
        {"PlayAll", -6, 0, -6, -4},
        {"PreviousBookmarkButton", -2, -6, -4, -4},
        {"CurrentBookmarkButton", -6, -6, -4, -4},
        {"NextBookmarkButton", -10, -6, -4, -4},
        {"AdvancedModeButton", 0, -157, 0, 0},
    }};
    return offsets;
}

bool Layout::enterBeginner(int screenHeight)
{
    m_beginner = true;
    m_state = BeginnerState;
    if (m_bookmarksInBottomPanel || !isSmallScreen(screenHeight))
        return false;
    m_bookmarksInBottomPanel = true;
    return true;
}

bool Layout::enterAdvanced()
{
    m_beginner = false;
    if (!m_bookmarksInBottomPanel)
        return false;
    m_bookmarksInBottomPanel = false;
    return true;
}

} // namespace arrangement
