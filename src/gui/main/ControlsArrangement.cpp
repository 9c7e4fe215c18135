#include "gui/main/ControlsArrangement.h"

#include "gui/widgets/TColourButton.h"

#include <QAction>
#include <QMenu>
#include <QScreen>
#include <QWidget>

using namespace arrangement;

namespace {

constexpr const char* kGroups[GroupCount] = {"basicPlayControlsBox", "AdvancedPlayerControlsBox", "speedControlsBox",
                                             "WindowControlsBox"};
constexpr const char* kStateItems[StateCount] = {"Hidden1", "PlayerControls1", "WindowControls1", "All_Player_First",
                                                 "All_Window_First"};

// Hidden in beginner mode (the window controls go with the arrangement).
// Their keys keep working.
constexpr const char* kAdvancedOnly[] = {
    "ImportClipsButton", "previousClipButton", "nextClipButton", "UserControlsPanel", "exitButton",
    // step sizes
    "backSecondsValue", "forwardSecondsValue", "backMinutesValue", "forwardMinutesValue", "backframesValue",
    "forwardframesValue",
    // key boxes and key labels
    "backsecondsKey", "back1frameKey", "forward1frameKey", "forwardsecondsKey", "backminutesKey", "backframesKey",
    "forwardframesKey", "forwardminutesKey", "slowmotionKey", "regularspeedKey", "fastmotionKey", "setStartTimeKey",
    "setEndTimeKey", "playLoopKey", "playFullVideoKey",
    // rates
    "slowmotionRate", "fastmotionRate", "muteButton"};

// Where a mode puts a control: -1 keeps that coordinate.
struct Placement {
    const char* control;
    int beginnerLeft, beginnerTop, beginnerWidth, beginnerHeight;
    int advancedLeft, advancedTop, advancedWidth, advancedHeight;
};
constexpr Placement kPlacements[] = {
    {"ViewClipButton", 44, 25, 108, 38, 9, 5, 86, 28},
    {"setStartTimeButton", -1, -1, 103, -1, -1, -1, 80, -1},
    {"setEndTimeButton", -1, -1, 103, -1, -1, -1, 80, -1},
    // The wider time buttons would cover the time boxes, whose key boxes
    // are hidden: the boxes take their place.
    {"setStartTimeValue", 112, -1, -1, -1, 90, -1, -1, -1},
    {"setEndTimeValue", 112, -1, -1, -1, 90, -1, -1, -1},
    {"playLoopButton", -1, -1, 114, -1, -1, -1, 89, -1},
    {"playFullVideoButton", -1, -1, 114, -1, -1, -1, 89, -1},
    {"slowmotionButton", 17, -1, 105, -1, 50, -1, 63, -1},
    {"regularspeedButton", 17, -1, -1, -1, 8, -1, -1, -1},
    {"fastmotionButton", 17, -1, 105, -1, 50, -1, 63, -1},
};

// Beginner captions name no keys.
constexpr std::pair<const char*, const char*> kBeginnerCaptions[] = {
    {"restartButton", "restart"}, {"makeBookmarkButton", "add bookmark"},  {"ViewClipButton", "view clip"},
    {"slowmotionButton", "slow"}, {"regularspeedButton", "regular speed"}, {"fastmotionButton", "fast"},
};

int pick(int wanted, int current)
{
    return wanted < 0 ? current : wanted;
}

} // namespace

ControlsArrangement::ControlsArrangement(QWidget& mainWindow) : QObject(&mainWindow), m_window(mainWindow)
{
    screenHeight = [this] {
        const QScreen* screen = m_window.screen();
        return screen ? screen->geometry().height() : SmallScreenHeight + 1;
    };
    auto* layoutButton = qobject_cast<QAbstractButton*>(control("ShowPlayersControlsButton"));
    connect(layoutButton, &QAbstractButton::clicked, this,
            [this, layoutButton] { ShowPlayControlsClick(layoutButton); });
    void (ControlsArrangement::*const menuItems[StateCount])() = {
        &ControlsArrangement::Hidden1Click, &ControlsArrangement::PlayerControls1Click,
        &ControlsArrangement::WindowControls1Click, &ControlsArrangement::All_Player_FirstClick,
        &ControlsArrangement::All_Window_FirstClick};
    for (int s = 0; s < StateCount; ++s)
        connect(item(kStateItems[s]), &QAction::triggered, this, menuItems[s]);
    connect(item("BeginnerMode1"), &QAction::triggered, this, &ControlsArrangement::BeginnerMode1Click);
    connect(item("AdvancedMode1"), &QAction::triggered, this, &ControlsArrangement::AdvancedMode1Click);
    for (const char* name : {"BeginnerModeButton", "AdvancedModeButton"}) {
        auto* button = qobject_cast<QAbstractButton*>(control(name));
        const bool beginner = qstrcmp(name, "BeginnerModeButton") == 0;
        connect(button, &QAbstractButton::clicked, this, [this, button, beginner] {
            beginner ? BeginnerModeButtonClick(button) : AdvancedModeButtonClick(button);
        });
    }
}

QWidget* ControlsArrangement::control(const char* name) const
{
    QWidget* w = m_window.findChild<QWidget*>(QString::fromLatin1(name));
    Q_ASSERT_X(w, "ControlsArrangement", name);
    return w;
}

QAction* ControlsArrangement::item(const char* name) const
{
    QAction* a = m_window.findChild<QAction*>(QString::fromLatin1(name));
    Q_ASSERT_X(a, "ControlsArrangement", name);
    return a;
}

void ControlsArrangement::ShowPlayControlsClick(QObject* sender)
{
    m_layout.step();
    applyLayout();
    emit layoutChanged();
    if (sender && giveFocusToSink)
        giveFocusToSink();
}

void ControlsArrangement::chooseState(int state)
{
    m_layout.choose(stateBefore(state));
    ShowPlayControlsClick(&m_window);
}

void ControlsArrangement::Hidden1Click()
{
    chooseState(Hidden);
}

void ControlsArrangement::PlayerControls1Click()
{
    chooseState(PlayerControlsOnly);
}

void ControlsArrangement::WindowControls1Click()
{
    chooseState(WindowControlsOnly);
}

void ControlsArrangement::All_Player_FirstClick()
{
    chooseState(AllPlayerFirst);
}

void ControlsArrangement::All_Window_FirstClick()
{
    chooseState(AllWindowFirst);
}

void ControlsArrangement::applyLayout()
{
    const int state = m_layout.state();
    static_cast<TColourButton*>(control("ShowPlayersControlsButton"))->setText(buttonCaption(state));
    control("PlayerControlsPanel")->setVisible(bottomPanelShown(state));
    for (int g = 0; g < GroupCount; ++g) {
        QWidget* group = control(kGroups[g]);
        const int left = m_layout.groupLeft(Group(g));
        if (left >= 0)
            group->move(left, group->y());
        group->setVisible(left >= 0);
    }
    item(kStateItems[state])->setChecked(true);
}

void ControlsArrangement::BeginnerMode1Click()
{
    const bool move = m_layout.enterBeginner(screenHeight ? screenHeight() : SmallScreenHeight + 1);
    item("BeginnerMode1")->setChecked(true);
    item("AdvancedMode1")->setChecked(false);
    control("AdvancedModeButton")->show();
    showAdvancedOnlyControls(false);
    placeModeControls(true);
    for (const auto& [name, caption] : kBeginnerCaptions)
        static_cast<TColourButton*>(control(name))->setText(QString::fromLatin1(caption));
    if (move)
        moveBookmarkGroup(true);
    applyLayout();
    emit layoutChanged();
}

void ControlsArrangement::AdvancedMode1Click()
{
    const bool moveBack = m_layout.enterAdvanced();
    item("BeginnerMode1")->setChecked(false);
    item("AdvancedMode1")->setChecked(true);
    control("AdvancedModeButton")->hide();
    showAdvancedOnlyControls(true);
    placeModeControls(false);
    if (restoreKeyCaptions)
        restoreKeyCaptions();
    static_cast<TColourButton*>(control("regularspeedButton"))->setText(QStringLiteral("regular speed (1.0)"));
    if (moveBack)
        moveBookmarkGroup(false);
    applyLayout();
    emit layoutChanged();
}

void ControlsArrangement::BeginnerModeButtonClick(QObject* sender)
{
    BeginnerMode1Click();
    if (sender && giveFocusToSink)
        giveFocusToSink();
}

void ControlsArrangement::AdvancedModeButtonClick(QObject* sender)
{
    AdvancedMode1Click();
    if (sender && giveFocusToSink)
        giveFocusToSink();
}

void ControlsArrangement::applyStoredState(int state)
{
    m_layout.choose(stateBefore(state));
    ShowPlayControlsClick();
}

void ControlsArrangement::applyStoredMode()
{
    if (m_storedBeginner)
        BeginnerModeButtonClick();
    else
        AdvancedModeButtonClick();
}

void ControlsArrangement::showAdvancedOnlyControls(bool shown)
{
    for (const char* name : kAdvancedOnly)
        control(name)->setVisible(shown);
    item("UserControls1")->setEnabled(shown);
}

void ControlsArrangement::placeModeControls(bool beginner)
{
    for (const Placement& p : kPlacements) {
        QWidget* w = control(p.control);
        const QRect r = w->geometry();
        if (beginner)
            w->setGeometry(pick(p.beginnerLeft, r.x()), pick(p.beginnerTop, r.y()), pick(p.beginnerWidth, r.width()),
                           pick(p.beginnerHeight, r.height()));
        else
            w->setGeometry(pick(p.advancedLeft, r.x()), pick(p.advancedTop, r.y()), pick(p.advancedWidth, r.width()),
                           pick(p.advancedHeight, r.height()));
    }
}

void ControlsArrangement::moveBookmarkGroup(bool intoBottomPanel)
{
    const int sign = intoBottomPanel ? 1 : -1;
    QWidget* box = control("BookmarkControlsBox");
    const bool visible = !box->isHidden();
    box->setParent(control(intoBottomPanel ? "PlayerControlsPanel" : "RHS_Panel"));
    box->setVisible(visible);
    for (const Offset& o : bookmarkGroupOffsets()) {
        QWidget* w = qstrcmp(o.control, "BookmarkControlsBox") == 0 ? box : control(o.control);
        w->setGeometry(w->x() + sign * o.left, w->y() + sign * o.top, w->width() + sign * o.width,
                       w->height() + sign * o.height);
    }
}
