#pragma once

#include "core/window/ArrangementRules.h"

#include <QObject>
#include <functional>

class BookmarkControlsPanel;
class LoopControlsPanel;
class MainMenu;
class PlayerControlsPanel;
class RightPanel;
class UserControlsPanel;
class WindowControlsPanel;

// Owns the main window's mode (beginner or advanced) and the arrangement of
// its bottom panel of user controls: the layout button, the View menu's mode
// and "User Controls" items, the mode buttons. Each panel shows a mode its
// own way; this tells them which, places the groups of the bottom panel, and
// moves the bookmark group between the panels on a small screen.
class ControlsArrangement : public QObject {
    Q_OBJECT
public:
    struct Panels {
        MainMenu* menu = nullptr;
        RightPanel* right = nullptr;
        LoopControlsPanel* loop = nullptr;
        BookmarkControlsPanel* bookmarks = nullptr;
        UserControlsPanel* user = nullptr;
        PlayerControlsPanel* player = nullptr;
        WindowControlsPanel* window = nullptr;
    };

    ControlsArrangement(const Panels& panels, QObject* parent);

    bool isBeginnerMode() const { return m_layout.beginner(); }
    int state() const { return m_layout.state(); }
    bool bookmarkGroupInBottomPanel() const { return m_layout.bookmarksInBottomPanel(); }

    // The layout button: on to the next arrangement. With a sender the focus
    // goes to the focus sink afterwards.
    void ShowPlayControlsClick(QObject* sender = nullptr);
    // The View, User Controls menu items.
    void Hidden1Click();
    void PlayerControls1Click();
    void WindowControls1Click();
    void All_Player_FirstClick();
    void All_Window_FirstClick();

    // The View menu's mode items and the two mode buttons.
    void BeginnerMode1Click();
    void AdvancedMode1Click();
    void BeginnerModeButtonClick(QObject* sender = nullptr);
    void AdvancedModeButtonClick(QObject* sender = nullptr);

    // Start-up: the stored arrangement (applied through the same stepping),
    // then the stored mode.
    void applyStoredState(int state);
    void setStoredMode(bool beginner) { m_storedBeginner = beginner; }
    void applyStoredMode();

    // Advanced mode puts the keys and rates back into the captions.
    std::function<void()> restoreKeyCaptions;
    // Keystrokes become commands again (the focus sink takes the focus).
    std::function<void()> giveFocusToSink;
    // The screen's height; the bookmark group moves on small screens.
    std::function<int()> screenHeight;

signals:
    // The controls changed their arrangement: the video area changed size,
    // so the window's minimum size and title follow.
    void layoutChanged();

private:
    void chooseState(int state);
    void applyLayout();
    void showMode(bool beginner);
    void moveBookmarkGroup(bool intoBottomPanel);

    Panels m_panels;
    arrangement::Layout m_layout;
    bool m_storedBeginner = true;
};
