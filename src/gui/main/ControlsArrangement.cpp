#include "gui/main/ControlsArrangement.h"

#include "gui/main/BookmarkControlsPanel.h"
#include "gui/main/LoopControlsPanel.h"
#include "gui/main/MainMenu.h"
#include "gui/main/PanelControls.h"
#include "gui/main/PlayerControlsPanel.h"
#include "gui/main/RightPanel.h"
#include "gui/main/UserControlsPanel.h"
#include "gui/main/WindowControlsPanel.h"

#include <QScreen>

using namespace arrangement;

ControlsArrangement::ControlsArrangement(const Panels& panels, QObject* parent) : QObject(parent), m_panels(panels)
{
    screenHeight = [this] {
        const QScreen* screen = m_panels.right->screen();
        return screen ? screen->geometry().height() : SmallScreenHeight + 1;
    };
    using Item = MainMenu::Item;
    MainMenu& menu = *m_panels.menu;
    menu.onItem(Item::Hidden1, [this] { Hidden1Click(); });
    menu.onItem(Item::PlayerControls1, [this] { PlayerControls1Click(); });
    menu.onItem(Item::WindowControls1, [this] { WindowControls1Click(); });
    menu.onItem(Item::All_Player_First, [this] { All_Player_FirstClick(); });
    menu.onItem(Item::All_Window_First, [this] { All_Window_FirstClick(); });
    menu.onItem(Item::BeginnerMode1, [this] { BeginnerMode1Click(); });
    menu.onItem(Item::AdvancedMode1, [this] { AdvancedMode1Click(); });
    connect(m_panels.user, &UserControlsPanel::layoutButtonClicked, this, &ControlsArrangement::ShowPlayControlsClick);
    connect(m_panels.user, &UserControlsPanel::beginnerModeClicked, this,
            &ControlsArrangement::BeginnerModeButtonClick);
    connect(m_panels.right, &RightPanel::advancedModeClicked, this, &ControlsArrangement::AdvancedModeButtonClick);
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
    ShowPlayControlsClick(this);
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
    m_panels.user->showArrangement(buttonCaption(state));
    m_panels.player->setVisible(bottomPanelShown(state));
    for (Group g : {Basic, AdvancedPlayer, Speed})
        m_panels.player->placeGroup(g, m_layout.groupLeft(g));
    const int windowLeft = m_layout.groupLeft(Window);
    if (windowLeft >= 0)
        m_panels.window->move(windowLeft, m_panels.window->y());
    m_panels.window->setVisible(windowLeft >= 0);
    m_panels.menu->showArrangement(state);
}

void ControlsArrangement::showMode(bool beginner)
{
    m_panels.menu->showMode(beginner);
    m_panels.right->showMode(beginner);
    m_panels.user->setVisible(!beginner);
    m_panels.loop->showMode(beginner);
    m_panels.bookmarks->showMode(beginner);
    m_panels.player->showMode(beginner);
}

void ControlsArrangement::BeginnerMode1Click()
{
    const bool move = m_layout.enterBeginner(screenHeight ? screenHeight() : SmallScreenHeight + 1);
    showMode(true);
    if (move)
        moveBookmarkGroup(true);
    applyLayout();
    emit layoutChanged();
}

void ControlsArrangement::AdvancedMode1Click()
{
    const bool moveBack = m_layout.enterAdvanced();
    showMode(false);
    if (restoreKeyCaptions)
        restoreKeyCaptions();
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

void ControlsArrangement::moveBookmarkGroup(bool intoBottomPanel)
{
    const int sign = intoBottomPanel ? 1 : -1;
    QWidget* box = m_panels.bookmarks;
    const bool visible = !box->isHidden();
    box->setParent(intoBottomPanel ? static_cast<QWidget*>(m_panels.player) : m_panels.right);
    box->setVisible(visible);
    // Each control named in the offsets is the group itself or one of its
    // own, else one of the right-hand panel's own.
    for (const Offset& o : bookmarkGroupOffsets()) {
        const QString name = QString::fromLatin1(o.control);
        QWidget* w = box->objectName() == name ? box : box->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
        if (!w)
            w = m_panels.right->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
        if (w)
            PanelControls::shift(w, sign, o.left, o.top, o.width, o.height);
    }
}
