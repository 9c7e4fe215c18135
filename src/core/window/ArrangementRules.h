#pragma once

#include <QString>
#include <array>

// The rules of the main window's two modes and the five arrangements of its
// bottom panel of user controls, free of any widget: which state follows
// which, what each state shows and where, and when the bookmark group moves
// into the bottom panel on a small screen.
namespace arrangement {

// The arrangements, in the order the layout button steps through them.
enum State : int {
    Hidden = 0,
    PlayerControlsOnly = 1,
    WindowControlsOnly = 2,
    AllPlayerFirst = 3,
    AllWindowFirst = 4,
};
constexpr int StateCount = 5;
constexpr int DefaultState = AllPlayerFirst;
// Beginner mode always uses this arrangement (without the window controls).
constexpr int BeginnerState = AllPlayerFirst;

// A stored or chosen number outside 0 to 4 counts as the default.
int validState(int state);
// The state the layout button steps to: 0, 1, 2, 3, 4, then 0 again.
int nextState(int state);
// The state to set before stepping once, so that the step lands on target
// (what a menu item and the stored arrangement do).
int stateBefore(int target);

// The layout button's caption and the menu item's caption of a state.
QString buttonCaption(int state);
QString menuCaption(int state);

// The four groups of the bottom panel.
enum Group : int { Basic, AdvancedPlayer, Speed, Window, GroupCount };

bool bottomPanelShown(int state);
// The group's left position in the bottom panel, or -1 when the state hides
// it. In beginner mode the window controls stay hidden; with the bookmark
// group in the bottom panel the speed group sits 2 pixels further left.
int groupLeft(int state, Group group, bool beginner = false, bool bookmarksInBottomPanel = false);

// Beginner mode's captions: they name no keys. Only these buttons (of the
// main window) have one; every other caption keeps naming its key.
struct Caption {
    const char* control; // object name
    const char* caption;
};
const std::array<Caption, 6>& beginnerCaptions();
bool hasBeginnerCaption(const QString& control);

// The bookmark group moves into the bottom panel in beginner mode only on a
// screen at most this high.
constexpr int SmallScreenHeight = 700;
bool isSmallScreen(int screenHeight);

// One control's change when the bookmark group moves into the bottom panel;
// moving it back applies the opposite.
struct Offset {
    const char* control; // object name
    int left, top, width, height;
};
const std::array<Offset, 13>& bookmarkGroupOffsets();

// The mode and arrangement as one value, with the transitions the menu,
// the buttons and the settings file ask for.
class Layout {
public:
    bool beginner() const { return m_beginner; }
    int state() const { return m_state; }
    bool bookmarksInBottomPanel() const { return m_bookmarksInBottomPanel; }

    // The layout button: one step on.
    void step() { m_state = nextState(m_state); }
    // A menu item or a stored value: straight to that state.
    void choose(int state) { m_state = validState(state); }

    // Beginner mode: arrangement 3; true when the bookmark group must move
    // into the bottom panel now (small screen, not moved yet).
    bool enterBeginner(int screenHeight);
    // Advanced mode keeps the arrangement; true when the bookmark group must
    // move back into the right-hand panel now (whatever the screen is by
    // then: advanced mode never keeps it in the bottom panel).
    bool enterAdvanced();

    // What the groups look like in this layout.
    int groupLeft(Group group) const
    {
        return arrangement::groupLeft(m_state, group, m_beginner, m_bookmarksInBottomPanel);
    }

private:
    bool m_beginner = false;
    int m_state = DefaultState;
    bool m_bookmarksInBottomPanel = false;
};

} // namespace arrangement
