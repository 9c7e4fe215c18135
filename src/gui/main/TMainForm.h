#pragma once

#include "core/window/SizingView.h"
#include "gui/input/KeyboardView.h"

#include <QMainWindow>
#include <QStringList>

class BookmarkControlsPanel;
class ClipLoader;
class ConfigBindings;
class ControlsArrangement;
class ExtrasBindings;
class FocusSink;
class Keyboard;
class LoopControls;
class LoopControlsPanel;
class MainMenu;
class MediaPlayerControl;
class PlaybackEngine;
class PlayerControlsPanel;
class ProgramEnd;
class RightPanel;
class SettingsFiles;
class TActiveMovie;
class TransportControls;
class UserControlsPanel;
class WindowControlsPanel;
class WindowSizing;
struct AppWindows;

// The main window: the video picture with the player, loop, bookmark, window
// and user controls. It is built from panels (the bottom panel of player
// controls, the right-hand panel with the loop, bookmark and user controls,
// the window controls, the menu) and lays them out around the picture; each
// panel holds its own controls and shows what its controller tells it. The
// window itself runs the start-up (FormInit) and the shut-down (FormClose),
// and goes full screen around the picture.
class TMainForm : public QMainWindow, private SizingView, private KeyboardView {
    Q_OBJECT
public:
    // What the window's panels and its start-up and shut-down work with;
    // the composition root makes them.
    struct Controllers {
        ClipLoader* clips = nullptr;
        TransportControls* transport = nullptr;
        LoopControls* loops = nullptr;
        WindowSizing* sizing = nullptr;
        Keyboard* keyboard = nullptr;
        SettingsFiles* settings = nullptr;
        // How the program ends when the user closes this window.
        ProgramEnd* end = nullptr;
    };

    // Takes ownership of the engine.
    explicit TMainForm(PlaybackEngine* engine, QWidget* parent = nullptr);
    ~TMainForm() override;

    MediaPlayerControl* player() const;
    // The player as it shows the clip: picture and seek bar.
    TActiveMovie* playerWidget() const { return ActiveMovie1; }
    // The views the controllers see of this window.
    LoopControlsPanel& loopControls() const { return *m_loop; }
    PlayerControlsPanel& playerControls() const { return *m_player; }
    BookmarkControlsPanel& bookmarkControls() const { return *m_bookmarks; }
    MainMenu& menu() const { return *m_menu; }
    SizingView& sizingView() { return *this; }
    KeyboardView& keyboardView() { return *this; }
    ControlsArrangement* arrangement() const { return m_arrangement; }

    // Once the controllers and the other windows exist: the panels' buttons
    // start the controllers' operations. The controllers are read as they
    // are used: the settings files come last.
    void connectControllers(const Controllers& controllers, AppWindows* windows);

    // Start-up, once every window exists; acts on the program's arguments.
    void FormInit(const QStringList& arguments);
    void exitButtonClick(QObject* sender = nullptr);
    // Keystrokes are commands ("player controls active").
    void giveFocusToSink() override;

    // The window's part in a play-all sequence and in an open catalog.
    void showPlayingAll(bool on, bool catalogOpen);
    void showBookmarkingInfo(bool catalogOpen);
    // The player's picture without its strip.
    QSize videoSize() const;

    // Its settings in config.txt and extras.txt.
    void bindSettings(ConfigBindings& binding);
    void bindExtras(ExtrasBindings& binding);
    // The mirror view menu item and key: the picture flips left to right.
    void MirrorView1Click(QObject* sender = nullptr);
    bool isMirrored() const;

signals:
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Shut-down (ProgramEnd); false when the close is refused.
    bool FormClose();
    void actOnArguments(const QStringList& arguments);
    void layoutPanels();
    void setPictureFullScreen(bool on);
    void connectSizing();

    // SizingView
    bool userControlsShown() const override;
    QSize pictureChrome() const override;
    QSize playerSize() const override;
    void showMaximizeButton(const QString& caption, const QString& hint) override;
    bool originalSizeLocked() const override;
    void setOriginalSizeLocked(bool on) override;
    void refreshTitle() override;
    void askRePause() override;

    // KeyboardView
    KeyboardFocusParts focusParts() const override;
    QAbstractButton* addBookmarkButton() const override;
    bool isBeginnerMode() const override;
    void setViewClipMenuCaption(const QString& caption) override;
    void setExitCaption(const QString& caption) override;
    void showMaximizeCaption() override;
    void shiftKeyChange() override;
    void nonshiftKeyChange() override;
    void setPracticeKeys(const QString& loopModeKey, const QString& mirrorViewKey) override;

    QWidget* m_central;
    TActiveMovie* ActiveMovie1;
    FocusSink* focusSink;
    MainMenu* m_menu;
    RightPanel* m_right;
    LoopControlsPanel* m_loop;
    BookmarkControlsPanel* m_bookmarks;
    UserControlsPanel* m_user;
    PlayerControlsPanel* m_player;
    WindowControlsPanel* m_window;
    ControlsArrangement* m_arrangement;

    const Controllers* m_controllers = nullptr;
    AppWindows* m_windows = nullptr;
    bool m_closeApproved = false;
    Qt::WindowStates m_stateBeforeFullScreen;
    QRect m_boundsBeforeFullScreen;
    // The window's own size before full screen: given back on leaving it,
    // where the compositor would otherwise take the window frame off it.
    QSize m_sizeBeforeFullScreen;
    bool m_bottomWasVisible = true;
};
