#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>

#include "core/base/FolderClipList.h"
#include "core/catalog/BookmarkPlayView.h"
#include "core/catalog/CatalogView.h"
#include "core/playback/ClipView.h"
#include "core/playback/LoopView.h"
#include "core/playback/StoredLoopView.h"
#include "core/playback/TransportView.h"
#include "core/window/SizingView.h"
#include "gui/input/KeyboardView.h"

class QAction;
class QColor;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class FocusSink;
class MediaPlayerControl;
class PlaybackEngine;
class TActiveMovie;
class TBlinkLabel;
class TColourButton;
class TFilePlayingInfoForm;
class TimeBox;
class ClipLoader;
class TransportControls;
class LoopControls;
struct AppWindows;
class SettingsFiles;
class ConfigBindings;
class ExtrasBindings;
class Keyboard;
class ControlsArrangement;
class WindowSizing;

// The main window: the video picture with the player, loop, bookmark, window
// and user controls. The window holds the controls and the start-up and
// shut-down paths; what the controls do lives in the controllers behind it
// (clips, transport, loops, the catalog), which see the window through the
// narrow views it implements. The controls are the window's own.
class TMainForm : public QMainWindow,
                  public StoredLoopView,
                  public LoopView,
                  public TransportView,
                  public ClipView,
                  public KeyboardView,
                  public CatalogView,
                  public BookmarkPlayView,
                  public SizingView {
    Q_OBJECT
public:
    static constexpr int RightPanelWidth = 195;
    static constexpr int BottomPanelHeight = 142;

    // Takes ownership of the engine.
    explicit TMainForm(PlaybackEngine* engine, QWidget* parent = nullptr);
    ~TMainForm() override;

    void setWindows(AppWindows* windows) { m_windows = windows; }
    // Menu items that bring up the other windows; once they all exist.
    void connectWindowMenus();
    AppWindows* windows() const { return m_windows; }
    // The folder that holds the program, ending in "/".
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }
    QString programFolder() const { return m_programFolder; }

    // Start-up, once every window exists; acts on the program's arguments.
    void FormInit(const QStringList& arguments);
    // Shut-down; false when the close is refused.
    bool FormClose();
    // Saves the open catalog (its document's DoSave); false when the save
    // failed or was cancelled, which keeps the program open.
    std::function<bool()> saveCatalog;
    void exitButtonClick(QObject* sender = nullptr);

    MediaPlayerControl* player() const;

    // Playing a stored loop (Bookmark Command Lines, catalog bookmarks).
    // The loop plays once the clip has loaded.
    bool StartVideoClip(const QString& path) override;
    void playStoredLoop(const QString& startDigits, const QString& endDigits) override;
    FolderClipList& folderClips();

    // The catalog window's view of this window (MainFormCatalog.cpp).
    void setLoopListItems(const QStringList& items, int selected) override;
    void selectLoopListItem(int index) override;
    void ShowBookmarkingInfo() override;
    void HideBookmarkingInfo() override;
    void setStartTimeDigits(const QString& digits) override;
    void setEndTimeDigits(const QString& digits) override;
    void setRunningDescription(const QString& text) override;
    QString openClipPath() const override;
    BookmarksGridColumns gridColumns() const override;
    int lastArrowDirection() const override;
    void showCatalogOptions() override;

    // Playing bookmarks (MainFormBookmarkPlaying.cpp).
    void showPlayingAll(bool on, bool catalogOpen) override;
    void stopPlayAllPlayback() override;
    bool playerFullScreen() const override;
    void leavePlayerFullScreen() override;
    void applyPlayClickBehavior(bool fromDoubleClick) override;
    // The catalog button and menu item: shows the open catalog, or opens one.
    void ShowBookmarksClick(QObject* sender = nullptr);
    // The catalog dialogs start in the options window's catalog folder.
    void ResetInitialCatalogDirectory();
    // Importing clips (MainFormImport.cpp): the import button and menu items
    // of both windows.
    void addLoopListItem(const QString& item) override;
    void ImportMultipleClips1Click(QObject* sender = nullptr);

    // The focus sink: focus to it means "player controls active".
    void giveFocusToSink() override;
    // With a sender present, an operation ends by focusing the sink.
    void focusIfSender(QObject* sender);

    // LoopView
    QString startTimeDigits() const override;
    QString endTimeDigits() const override;
    void showLoopIndicator(bool loop) override;
    void showLoopMode(bool continuously) override;
    void showLadder(const QString& caption) override;
    void showPlaying(bool playing) override;
    void clearPlayingBookmark() override;
    // TransportView
    int jumpValue(JumpList list) const override;
    int slowRateEntry() const override;
    int fastRateEntry() const override;
    void showMuted(bool muted) override;
    void showSpeedMode(SpeedMode mode) override;
    // ClipView
    QString defaultVideoDirectory() const override;
    QSize videoSize() const override;
    void setTitle(const QString& title) override;
    void showClipFacts(const QString& fileName, const QString& folder, const QString& videoSize,
                       const QString& totalTime) override;
    QString framesPerSecondText() const override;
    void setFramesPerSecondText(const QString& text) override;
    void setScreenSizeText(const QString& text) override;

    // Settings file: read at start, written at exit.
    SettingsFiles* settings = nullptr;
    // Ties this window's settings to its controls (MainWindowSettings.cpp).
    void bindSettings(ConfigBindings& binding);
    // Mirror view (MainFormPractice.cpp): the menu item's check, kept in
    // extras.txt, flips the picture.
    void bindExtras(ExtrasBindings& binding);
    void MirrorView1Click(QObject* sender = nullptr);
    bool isMirrored() const;

    // The keyboard: key handlers, focus model, key assignments.
    Keyboard* keyboard = nullptr;

    // Controllers.
    ClipLoader* clips = nullptr;
    TransportControls* transport = nullptr;
    LoopControls* loops = nullptr;
    // The window commands of the function keys, the original-size lock and
    // the window's minimum size (made with the keyboard).
    WindowSizing* sizing = nullptr;
    // The F1 to F8 buttons, the lock's menu item, the full-screen keys and
    // the clip's opening go to the window sizing (MainFormSizing.cpp).
    void connectWindowSizing();

    // SizingView
    bool userControlsShown() const override;
    QSize pictureChrome() const override;
    QSize playerSize() const override;
    void setPlayerSize(QSize size) override;
    void showMaximizeButton(const QString& caption, const QString& hint) override;
    bool originalSizeLocked() const override;
    void setOriginalSizeLocked(bool on) override;
    void refreshTitle() override;
    void askRePause() override;

    // The update-bookmark button, which the start-up wiring connects to the
    // bookmark maker.
    QAbstractButton* updateBookmarkControl() const;

    // KeyboardView
    FocusParts focusParts() const override;
    QAbstractButton* addBookmarkButton() const override;
    bool isBeginnerMode() const override;
    void setViewClipMenuCaption(const QString& caption) override;
    void setExitCaption(const QString& caption) override;
    void showMaximizeCaption() override;
    void shiftKeyChange() override;
    void nonshiftKeyChange() override;
    void setPracticeKeys(const QString& loopModeKey, const QString& mirrorViewKey) override;
    bool isAdvancedMode() const;

    // The mode and the arrangement of the user controls (MainFormArrangement.cpp).
    ControlsArrangement* arrangement() const { return m_arrangement; }
    // Every pop-up hint of this window, the catalog window and the video file
    // information window; several name the current keys (MainFormHints.cpp).
    void SetPopUpHints() override;

signals:
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The loop mode button's caption and colours.
    void paintLoopModeButton(const QString& caption, const QColor& colour, const QColor& hotColour);
    void showMirrored(bool mirrored);

    // Menu.
    QMenu* FileMenu = nullptr;
    QAction* choosevideoclip1 = nullptr;
    QAction* PlayPreviousClip1 = nullptr;
    QAction* PlayNextClip1 = nullptr;
    QAction* ImportMultipleClips1 = nullptr;
    QAction* ShowBookmarks1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* BeginnerMode1 = nullptr;
    QAction* AdvancedMode1 = nullptr;
    QMenu* UserControls1 = nullptr;
    QAction* Hidden1 = nullptr;
    QAction* PlayerControls1 = nullptr;
    QAction* WindowControls1 = nullptr;
    QAction* All_Player_First = nullptr;
    QAction* All_Window_First = nullptr;
    QAction* OriginalSize1 = nullptr;
    QAction* MirrorView1 = nullptr;
    QAction* VideoFileInfo1 = nullptr;
    QAction* Options1 = nullptr;
    QAction* CommandLineEntry1 = nullptr;
    QAction* QuickStartGuide1 = nullptr;
    QAction* UserManual1 = nullptr;
    QAction* About1 = nullptr;

    // Player and focus sink.
    TActiveMovie* ActiveMovie1 = nullptr;
    FocusSink* focusSink = nullptr;

    // Right-hand panel.
    QWidget* RHS_Panel = nullptr;
    TColourButton* ViewClipButton = nullptr;
    TColourButton* previousClipButton = nullptr;
    TColourButton* nextClipButton = nullptr;
    TColourButton* ImportClipsButton = nullptr;
    TColourButton* exitButton = nullptr;
    QGroupBox* LoopControlsBox = nullptr;
    TColourButton* setStartTimeButton = nullptr;
    TimeBox* setStartTimeValue = nullptr;
    QLineEdit* setStartTimeKey = nullptr;
    TColourButton* setEndTimeButton = nullptr;
    TimeBox* setEndTimeValue = nullptr;
    QLineEdit* setEndTimeKey = nullptr;
    TColourButton* resetEndTimeButton = nullptr;
    TColourButton* resetLoopButton = nullptr;
    TColourButton* loopOnce = nullptr;
    TColourButton* playLoopButton = nullptr;
    QLineEdit* playLoopKey = nullptr;
    TColourButton* playFullVideoButton = nullptr;
    QLineEdit* playFullVideoKey = nullptr;
    QGroupBox* BookmarkControlsBox = nullptr;
    TColourButton* makeBookmarkButton = nullptr;
    TColourButton* updateBookmarkButton = nullptr;
    TColourButton* OpenCatalogButton = nullptr;
    QComboBox* LoopList = nullptr;
    TColourButton* PlayAll = nullptr;
    TColourButton* PreviousBookmarkButton = nullptr;
    TColourButton* CurrentBookmarkButton = nullptr;
    TColourButton* NextBookmarkButton = nullptr;
    TBlinkLabel* PlayingAllLabel = nullptr;
    QLabel* RunningDescription = nullptr;
    QLabel* CurrentlyPlayingLabel = nullptr;
    QLabel* NewCatalogLabel = nullptr;
    QGroupBox* UserControlsPanel = nullptr;
    TColourButton* ShowPlayersControlsButton = nullptr;
    TColourButton* BeginnerModeButton = nullptr;
    TColourButton* AdvancedModeButton = nullptr;

    // Bottom panel.
    QWidget* PlayerControlsPanel = nullptr;
    QGroupBox* basicPlayControlsBox = nullptr;
    TColourButton* playButton = nullptr;
    TColourButton* restartButton = nullptr;
    TColourButton* muteButton = nullptr;
    QGroupBox* AdvancedPlayerControlsBox = nullptr;
    TColourButton* backsecondsButton = nullptr;
    QComboBox* backSecondsValue = nullptr;
    QLineEdit* backsecondsKey = nullptr;
    TColourButton* forwardsecondsButton = nullptr;
    QComboBox* forwardSecondsValue = nullptr;
    QLineEdit* forwardsecondsKey = nullptr;
    TColourButton* backminutesButton = nullptr;
    QComboBox* backMinutesValue = nullptr;
    QLabel* backminutesKey = nullptr;
    TColourButton* forwardminutesButton = nullptr;
    QComboBox* forwardMinutesValue = nullptr;
    QLabel* forwardminutesKey = nullptr;
    TColourButton* back1frameButton = nullptr;
    QLineEdit* back1frameKey = nullptr;
    TColourButton* forward1frameButton = nullptr;
    QLineEdit* forward1frameKey = nullptr;
    TColourButton* backframesButton = nullptr;
    QComboBox* backframesValue = nullptr;
    QLabel* backframesKey = nullptr;
    TColourButton* forwardframesButton = nullptr;
    QComboBox* forwardframesValue = nullptr;
    QLabel* forwardframesKey = nullptr;
    QGroupBox* speedControlsBox = nullptr;
    TColourButton* slowmotionButton = nullptr;
    QComboBox* slowmotionRate = nullptr;
    QLineEdit* slowmotionKey = nullptr;
    TColourButton* regularspeedButton = nullptr;
    QLineEdit* regularspeedKey = nullptr;
    TColourButton* fastmotionButton = nullptr;
    QComboBox* fastmotionRate = nullptr;
    QLineEdit* fastmotionKey = nullptr;
    QGroupBox* WindowControlsBox = nullptr;
    TColourButton* F1_Button = nullptr;
    TColourButton* F2_Button = nullptr;
    TColourButton* F3_Button = nullptr;
    TColourButton* F4_Button = nullptr;
    TColourButton* F5_Button = nullptr;
    TColourButton* F6_Button = nullptr;
    TColourButton* F7_Button = nullptr;
    TColourButton* F8_Button = nullptr;

    void buildMenu();
    void buildRightPanel();
    void buildBottomPanel();
    void buildLoopControls();
    void buildBookmarkControls();
    void buildAdvancedControls();
    void buildSpeedControls();
    void buildWindowControls();
    void connectControls();
    void nameMenuItems();
    void connectKeyCaptions();
    void layoutPanels();
    void buildArrangement();
    void connectPopUpHints();
    void actOnArguments(const QStringList& arguments);
    void connectCatalogWindow();
    void connectImportClips();
    void connectBookmarkPlaying();
    void setPictureFullScreen(bool on);
    TFilePlayingInfoForm* infoWindow() const;

    AppWindows* m_windows = nullptr;
    QString m_programFolder;
    QWidget* m_central = nullptr;
    bool m_closeApproved = false;
    Qt::WindowStates m_stateBeforeFullScreen;
    // The window's own size before full screen: given back on leaving it,
    // where the compositor would otherwise take the window frame off it.
    QSize m_sizeBeforeFullScreen;
    bool m_bottomWasVisible = true;
    ControlsArrangement* m_arrangement = nullptr;
};
