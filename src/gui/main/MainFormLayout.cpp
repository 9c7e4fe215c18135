// The main window's controls: where they sit and what they read. Positions
// are pixels inside their group, as the window was designed.
#include "gui/main/TMainForm.h"

#include "core/settings/Settings.h"
#include "gui/input/FocusSink.h"
#include "gui/playback/TActiveMovie.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/TColourButton.h"
#include "gui/widgets/TimeBox.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

namespace {

TColourButton* button(QWidget* parent, const char* name, const QString& caption, int x, int y, int w, int h)
{
    auto* b = TColourButton::make(name, caption, parent);
    b->setGeometry(x, y, w, h);
    b->setButtonLook(TColourButton::blFramedOnHover);
    b->setWordWrap(true);
    b->setShowFocus(true);
    return b;
}

QLineEdit* keyBox(QWidget* parent, const char* name, const QString& key, const QString& role, int x, int y)
{
    auto* e = new QLineEdit(key, parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setAccessibleName(role);
    e->setMaxLength(1);
    e->setAlignment(Qt::AlignCenter);
    e->setGeometry(x, y, 20, 22);
    return e;
}

QComboBox* list(QWidget* parent, const char* name, const QStringList& entries, int current, int x, int y, int w)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setAccessibleName(QString::fromLatin1(name));
    c->addItems(entries);
    c->setCurrentIndex(current);
    c->setGeometry(x, y, w, 22);
    return c;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y, int w)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAccessibleName(text);
    l->setGeometry(x, y, w, 22);
    return l;
}

QGroupBox* group(QWidget* parent, const char* name, const QString& title, int x, int y, int w, int h)
{
    auto* g = new QGroupBox(title, parent);
    g->setObjectName(QString::fromLatin1(name));
    g->setAccessibleName(title);
    g->setGeometry(x, y, w, h);
    return g;
}

} // namespace

void TMainForm::buildMenu()
{
    FileMenu = menuBar()->addMenu(tr("File"));
    choosevideoclip1 = FileMenu->addAction(QStringLiteral("View video clip"));
    PlayPreviousClip1 = FileMenu->addAction(QStringLiteral("Play previous clip in same directory     (PgUp)"));
    PlayNextClip1 = FileMenu->addAction(QStringLiteral("Play next clip in same directory           (PgDn)"));
    FileMenu->addSeparator();
    ImportMultipleClips1 = FileMenu->addAction(QStringLiteral("Import Multiple Clips into Video Catalog"));
    ShowBookmarks1 = FileMenu->addAction(QStringLiteral("Open Video Catalog"));
    ShowBookmarks1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    FileMenu->addSeparator();
    Exit1 = FileMenu->addAction(QStringLiteral("Exit"));

    QMenu* view = menuBar()->addMenu(tr("View"));
    BeginnerMode1 = view->addAction(QStringLiteral("Beginner Mode"));
    AdvancedMode1 = view->addAction(QStringLiteral("Advanced Mode"));
    BeginnerMode1->setCheckable(true);
    AdvancedMode1->setCheckable(true);
    AdvancedMode1->setChecked(true);
    UserControls1 = view->addMenu(QStringLiteral("User Controls"));
    UserControls1->menuAction()->setObjectName(QStringLiteral("UserControls1"));
    auto* arrangement = new QActionGroup(this);
    Hidden1 = UserControls1->addAction(QStringLiteral("Hidden"));
    PlayerControls1 = UserControls1->addAction(QStringLiteral("Player controls only"));
    WindowControls1 = UserControls1->addAction(QStringLiteral("Window controls only"));
    All_Player_First = UserControls1->addAction(QStringLiteral("All -- Player controls first"));
    All_Window_First = UserControls1->addAction(QStringLiteral("All -- Window controls first"));
    for (QAction* a : {Hidden1, PlayerControls1, WindowControls1, All_Player_First, All_Window_First}) {
        a->setCheckable(true);
        arrangement->addAction(a);
    }
    All_Player_First->setChecked(true);
    view->addSeparator();
    OriginalSize1 = view->addAction(QStringLiteral("Lock to original clip size"));
    OriginalSize1->setCheckable(true);
    OriginalSize1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    MirrorView1 = view->addAction(QStringLiteral("Mirror view"));
    MirrorView1->setObjectName(QStringLiteral("MirrorView1"));
    MirrorView1->setCheckable(true);
    connect(MirrorView1, &QAction::toggled, this, &TMainForm::showMirrored);
    view->addSeparator();
    VideoFileInfo1 = view->addAction(QStringLiteral("Video File Info"));
    VideoFileInfo1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));

    QMenu* tools = menuBar()->addMenu(tr("Tools"));
    Options1 = tools->addAction(QStringLiteral("Options"));
    Options1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    tools->addSeparator();
    CommandLineEntry1 = tools->addAction(QStringLiteral("Command Line Entry"));

    QMenu* help = menuBar()->addMenu(tr("Help"));
    QuickStartGuide1 = help->addAction(QStringLiteral("Quick Start Guide"));
    UserManual1 = help->addAction(QStringLiteral("User Manual"));
    help->addSeparator();
    About1 = help->addAction(QStringLiteral("About"));
}

void TMainForm::buildRightPanel()
{
    // The controls were designed at 8 points; the panels' sizes are fixed.
    QFont small = font();
    small.setPointSize(8);
    m_central->setFont(small);

    RHS_Panel = new QWidget(m_central);
    RHS_Panel->setObjectName(QStringLiteral("RHS_Panel"));
    QWidget* p = RHS_Panel;
    ViewClipButton = button(p, "ViewClipButton", QStringLiteral("view clip (c)"), 9, 5, 86, 28);
    exitButton = button(p, "exitButton", QStringLiteral("exit (z)"), 100, 5, 86, 28);
    previousClipButton = button(p, "previousClipButton", QStringLiteral("prev clip (PgUp)"), 9, 36, 86, 24);
    nextClipButton = button(p, "nextClipButton", QStringLiteral("next clip (PgDn)"), 100, 36, 86, 24);
    ImportClipsButton = button(p, "ImportClipsButton", QStringLiteral("import clips"), 9, 63, 177, 24);
    buildLoopControls();
    buildBookmarkControls();
    HideBookmarkingInfo(); // no catalog is open at first

    UserControlsPanel = group(p, "UserControlsPanel", QStringLiteral("User Controls"), 9, 527, 178, 62);
    ShowPlayersControlsButton = button(UserControlsPanel, "ShowPlayersControlsButton",
                                       QStringLiteral("all -- player controls first"), 6, 16, 166, 20);
    BeginnerModeButton =
        button(UserControlsPanel, "BeginnerModeButton", QStringLiteral("Switch to Beginner Mode"), 6, 38, 166, 20);
    AdvancedModeButton = button(p, "AdvancedModeButton", QStringLiteral("Switch to Advanced Mode"), 9, 527, 178, 40);
    AdvancedModeButton->hide();
}

void TMainForm::buildLoopControls()
{
    LoopControlsBox = group(RHS_Panel, "LoopControlsBox", QStringLiteral("Loop Controls"), 9, 92, 178, 272);
    QWidget* g = LoopControlsBox;
    setStartTimeButton = button(g, "setStartTimeButton", QStringLiteral("set start time"), 6, 20, 80, 26);
    setStartTimeValue = new TimeBox(g);
    setStartTimeValue->setObjectName(QStringLiteral("setStartTimeValue"));
    setStartTimeValue->setAccessibleName(QStringLiteral("Start time"));
    setStartTimeValue->setGeometry(90, 22, 62, 22);
    setStartTimeKey = keyBox(g, "setStartTimeKey", QStringLiteral("g"), QStringLiteral("set start time key"), 154, 22);
    setEndTimeButton = button(g, "setEndTimeButton", QStringLiteral("set end time"), 6, 50, 80, 26);
    setEndTimeValue = new TimeBox(g);
    setEndTimeValue->setObjectName(QStringLiteral("setEndTimeValue"));
    setEndTimeValue->setAccessibleName(QStringLiteral("End time"));
    setEndTimeValue->setGeometry(90, 52, 62, 22);
    setEndTimeKey = keyBox(g, "setEndTimeKey", QStringLiteral("h"), QStringLiteral("set end time key"), 154, 52);
    resetEndTimeButton = button(g, "resetEndTimeButton", QStringLiteral("reset end time"), 6, 82, 80, 26);
    resetLoopButton = button(g, "resetLoopButton", QStringLiteral("reset loop"), 90, 82, 82, 26);
    loopOnce = button(g, "loopOnce", QStringLiteral("loop once"), 6, 114, 166, 26);
    playLoopButton = button(g, "playLoopButton", QStringLiteral("play loop"), 6, 146, 89, 30);
    playLoopKey = keyBox(g, "playLoopKey", QStringLiteral("t"), QStringLiteral("play loop key"), 100, 150);
    playFullVideoButton = button(g, "playFullVideoButton", QStringLiteral("play full video"), 6, 180, 89, 30);
    playFullVideoKey =
        keyBox(g, "playFullVideoKey", QStringLiteral("y"), QStringLiteral("play full video key"), 100, 184);
    RunningDescription = new QLabel(g);
    RunningDescription->setObjectName(QStringLiteral("RunningDescription"));
    RunningDescription->setAccessibleName(QStringLiteral("Bookmark description"));
    RunningDescription->setWordWrap(true);
    RunningDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    RunningDescription->setGeometry(6, 214, 166, 52);
}

void TMainForm::buildBookmarkControls()
{
    BookmarkControlsBox =
        group(RHS_Panel, "BookmarkControlsBox", QStringLiteral("Bookmark Controls"), 9, 370, 178, 153);
    QWidget* g = BookmarkControlsBox;
    makeBookmarkButton = button(g, "makeBookmarkButton", QStringLiteral("add bookmark (o)"), 9, 18, 100, 26);
    updateBookmarkButton = button(g, "updateBookmarkButton", QStringLiteral("update bookmark"), 9, 44, 100, 22);
    // The catalog indicators: which of these show depends on whether a
    // catalog is open (ShowBookmarkingInfo / HideBookmarkingInfo).
    CurrentlyPlayingLabel = label(g, "CurrentlyPlayingLabel", QStringLiteral("Bookmark Currently Playing"), 9, 66, 161);
    CurrentlyPlayingLabel->setFixedHeight(14);
    NewCatalogLabel = label(g, "NewCatalogLabel", QStringLiteral("(and start a new video catalog)"), 9, 50, 100);
    NewCatalogLabel->setWordWrap(true);
    NewCatalogLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    NewCatalogLabel->setFixedHeight(30);
    OpenCatalogButton = button(g, "OpenCatalogButton", QStringLiteral("open video catalog"), 112, 18, 58, 56);
    LoopList = new QComboBox(g);
    LoopList->setObjectName(QStringLiteral("LoopList"));
    LoopList->setAccessibleName(QStringLiteral("Bookmarks"));
    LoopList->setGeometry(9, 80, 161, 22);
    PlayAll = button(g, "PlayAll", QStringLiteral("stop playing bookmarks"), 9, 104, 161, 20);
    PreviousBookmarkButton = button(g, "PreviousBookmarkButton", QStringLiteral("previous (8)"), 9, 126, 52, 22);
    CurrentBookmarkButton = button(g, "CurrentBookmarkButton", QStringLiteral("current (9)"), 63, 126, 52, 22);
    NextBookmarkButton = button(g, "NextBookmarkButton", QStringLiteral("next (0)"), 117, 126, 52, 22);
    // Shown only while all bookmarks play in sequence.
    for (QWidget* w : {static_cast<QWidget*>(PlayAll), static_cast<QWidget*>(PreviousBookmarkButton),
                       static_cast<QWidget*>(CurrentBookmarkButton), static_cast<QWidget*>(NextBookmarkButton)})
        w->hide();
}

void TMainForm::buildBottomPanel()
{
    PlayerControlsPanel = new QWidget(m_central);
    PlayerControlsPanel->setObjectName(QStringLiteral("PlayerControlsPanel"));
    basicPlayControlsBox =
        group(PlayerControlsPanel, "basicPlayControlsBox", QStringLiteral("Basic Play Controls"), 4, 2, 100, 136);
    // The narrowest group: its title needs a slightly smaller face to fit.
    QFont narrow = basicPlayControlsBox->font();
    narrow.setPointSizeF(7.5);
    basicPlayControlsBox->setFont(narrow);
    playButton = button(basicPlayControlsBox, "playButton", QStringLiteral("play (space)"), 8, 20, 84, 36);
    restartButton = button(basicPlayControlsBox, "restartButton", QStringLiteral("restart (r)"), 8, 60, 84, 30);
    muteButton = button(basicPlayControlsBox, "muteButton", QStringLiteral("mute (m)"), 8, 96, 84, 30);
    buildAdvancedControls();
    buildSpeedControls();
    buildWindowControls();
    buildArrangement();
}

void TMainForm::buildAdvancedControls()
{
    AdvancedPlayerControlsBox = group(PlayerControlsPanel, "AdvancedPlayerControlsBox",
                                      QStringLiteral("Advanced Player Controls"), 108, 2, 389, 136);
    QWidget* g = AdvancedPlayerControlsBox;
    const Settings d;
    backsecondsButton = button(g, "backsecondsButton", QStringLiteral("<< 3 sec"), 6, 18, 72, 26);
    backSecondsValue = list(g, "backSecondsValue", Settings::secondsChoices(), d.backSecondsValue, 80, 20, 44);
    backsecondsKey = keyBox(g, "backsecondsKey", QStringLiteral("a"), QStringLiteral("back seconds key"), 126, 20);
    backminutesButton = button(g, "backminutesButton", QStringLiteral("<< 1 min"), 6, 48, 72, 26);
    backMinutesValue = list(g, "backMinutesValue", Settings::minutesChoices(), d.backMinutesValue, 80, 50, 44);
    backminutesKey = label(g, "backminutesKey", QStringLiteral("<shift>a"), 126, 50, 60);
    back1frameButton = button(g, "back1frameButton", QStringLiteral("<< 1 frame"), 6, 78, 72, 26);
    back1frameKey = keyBox(g, "back1frameKey", QStringLiteral("s"), QStringLiteral("back 1 frame key"), 126, 80);
    backframesButton = button(g, "backframesButton", QStringLiteral("<< 5 frames"), 6, 106, 72, 26);
    backframesValue = list(g, "backframesValue", Settings::framesChoices(), d.backFramesValue, 80, 108, 44);
    backframesKey = label(g, "backframesKey", QStringLiteral("<shift>s"), 126, 108, 60);

    forwardsecondsButton = button(g, "forwardsecondsButton", QStringLiteral(">> 3 sec"), 196, 18, 72, 26);
    forwardSecondsValue =
        list(g, "forwardSecondsValue", Settings::secondsChoices(), d.forwardSecondsValue, 270, 20, 44);
    forwardsecondsKey =
        keyBox(g, "forwardsecondsKey", QStringLiteral("f"), QStringLiteral("forward seconds key"), 316, 20);
    forwardminutesButton = button(g, "forwardminutesButton", QStringLiteral(">> 1 min"), 196, 48, 72, 26);
    forwardMinutesValue =
        list(g, "forwardMinutesValue", Settings::minutesChoices(), d.forwardMinutesValue, 270, 50, 44);
    forwardminutesKey = label(g, "forwardminutesKey", QStringLiteral("<shift>f"), 316, 50, 60);
    forward1frameButton = button(g, "forward1frameButton", QStringLiteral(">> 1 frame"), 196, 78, 72, 26);
    forward1frameKey =
        keyBox(g, "forward1frameKey", QStringLiteral("d"), QStringLiteral("forward 1 frame key"), 316, 80);
    forwardframesButton = button(g, "forwardframesButton", QStringLiteral(">> 5 frames"), 196, 106, 72, 26);
    forwardframesValue = list(g, "forwardframesValue", Settings::framesChoices(), d.forwardFramesValue, 270, 108, 44);
    forwardframesKey = label(g, "forwardframesKey", QStringLiteral("<shift>d"), 316, 108, 60);
}

void TMainForm::buildSpeedControls()
{
    speedControlsBox =
        group(PlayerControlsPanel, "speedControlsBox", QStringLiteral("Speed Controls"), 501, 2, 142, 136);
    QWidget* g = speedControlsBox;
    const Settings d;
    slowmotionRate = list(g, "slowmotionRate", Settings::slowMotionRateChoices(), d.slowMotionRate, 6, 22, 44);
    slowmotionButton = button(g, "slowmotionButton", QStringLiteral("slow (0.5)"), 52, 18, 63, 30);
    slowmotionKey = keyBox(g, "slowmotionKey", QStringLiteral("j"), QStringLiteral("slow motion key"), 117, 22);
    regularspeedButton = button(g, "regularspeedButton", QStringLiteral("regular speed (1.0)"), 8, 54, 107, 30);
    regularspeedKey = keyBox(g, "regularspeedKey", QStringLiteral("k"), QStringLiteral("regular speed key"), 117, 58);
    fastmotionRate = list(g, "fastmotionRate", Settings::fastMotionRateChoices(), d.fastMotionRate, 6, 94, 44);
    fastmotionButton = button(g, "fastmotionButton", QStringLiteral("fast (2.0)"), 52, 90, 63, 30);
    fastmotionKey = keyBox(g, "fastmotionKey", QStringLiteral("l"), QStringLiteral("fast motion key"), 117, 94);
}

void TMainForm::buildWindowControls()
{
    WindowControlsBox =
        group(PlayerControlsPanel, "WindowControlsBox", QStringLiteral("Window Controls"), 647, 2, 264, 136);
    QWidget* g = WindowControlsBox;
    F1_Button = button(g, "F1_Button", QStringLiteral("maximize window (F1)"), 6, 18, 124, 26);
    F2_Button = button(g, "F2_Button", QStringLiteral("full screen mode (F2)"), 134, 18, 124, 26);
    F3_Button = button(g, "F3_Button", QStringLiteral("playback toggle (F3)"), 6, 46, 124, 26);
    F4_Button = button(g, "F4_Button", QStringLiteral("catalog toggle (F4)"), 134, 46, 124, 26);
    F5_Button = button(g, "F5_Button", QStringLiteral("shrink video (F5)"), 6, 74, 124, 26);
    F6_Button = button(g, "F6_Button", QStringLiteral("enlarge video (F6)"), 134, 74, 124, 26);
    F7_Button = button(g, "F7_Button", QStringLiteral("small video size (F7)"), 6, 102, 124, 26);
    F8_Button = button(g, "F8_Button", QStringLiteral("large video size (F8)"), 134, 102, 124, 26);
}

void TMainForm::layoutPanels()
{
    if (!m_central)
        return;
    const int w = m_central->width();
    const int h = m_central->height();
    const bool bottom = PlayerControlsPanel->isVisibleTo(m_central);
    const int top = bottom ? h - BottomPanelHeight : h;
    if (bottom)
        PlayerControlsPanel->setGeometry(0, top, w, BottomPanelHeight);
    const bool right = !ActiveMovie1->isPictureFullScreen();
    RHS_Panel->setGeometry(w - RightPanelWidth, 0, RightPanelWidth, top);
    ActiveMovie1->setGeometry(0, 0, right ? w - RightPanelWidth : w, right ? top : h);
    focusSink->setGeometry(0, 0, 0, 0);
}
