#include "gui/main/TMainForm.h"

#include "core/catalog/ProgramEnd.h"
#include "core/playback/ClipLoader.h"
#include "core/playback/LoopControls.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/playback/TransportControls.h"
#include "gui/input/FocusSink.h"
#include "gui/input/KeyAssignments.h"
#include "gui/input/Keyboard.h"
#include "gui/input/LayoutKey.h"
#include "gui/main/AppWindows.h"
#include "gui/main/BookmarkControlsPanel.h"
#include "gui/main/ControlsArrangement.h"
#include "gui/main/LoopControlsPanel.h"
#include "gui/main/MainMenu.h"
#include "gui/main/PlayerControlsPanel.h"
#include "gui/main/RightPanel.h"
#include "gui/main/UserControlsPanel.h"
#include "gui/main/WindowControlsPanel.h"
#include "gui/main/WindowSizing.h"
#include "gui/options/TOptionsForm.h"
#include "gui/playback/MpvVideoWidget.h"
#include "gui/playback/TActiveMovie.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>

TMainForm::TMainForm(PlaybackEngine* engine, QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tempoloop"));
    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("MainFormClient"));
    setCentralWidget(m_central);
    // The controls were designed at 8 points; the panels' sizes are fixed.
    QFont small = font();
    small.setPointSize(8);
    m_central->setFont(small);

    ActiveMovie1 = new TActiveMovie(engine, m_central);
    ActiveMovie1->setKeyReader([](const QKeyEvent& key) { return LayoutKey::unshiftedKey(key); });
    focusSink = new FocusSink(m_central);
    m_menu = new MainMenu(*this);
    m_right = new RightPanel(m_central);
    m_loop = new LoopControlsPanel(*focusSink, m_right);
    m_bookmarks = new BookmarkControlsPanel(*focusSink, m_right);
    m_user = new UserControlsPanel(m_right);
    m_player = new PlayerControlsPanel(*focusSink, m_central);
    m_window = new WindowControlsPanel(m_player);
    m_arrangement = new ControlsArrangement({m_menu, m_right, m_loop, m_bookmarks, m_user, m_player, m_window}, this);
    m_arrangement->giveFocusToSink = [this] { giveFocusToSink(); };
    showBookmarkingInfo(false); // no catalog is open at first

    connect(m_menu, &MainMenu::mirrorToggled, this, [this](bool mirrored) {
        // The picture itself flips; in full screen it is the same widget.
        if (auto* picture = qobject_cast<MpvVideoWidget*>(ActiveMovie1->picture()))
            picture->setMirrored(mirrored);
    });
    m_menu->onItem(MainMenu::Item::Exit1, [this] { exitButtonClick(this); });
    connect(m_right, &RightPanel::exitClicked, this, &TMainForm::exitButtonClick);
    connect(m_right, &RightPanel::importClicked, m_menu,
            [this] { m_menu->trigger(MainMenu::Item::ImportMultipleClips1); });
    connect(m_loop, &LoopControlsPanel::playingShown, m_player, &PlayerControlsPanel::showPlaying);
    connect(m_loop, &LoopControlsPanel::playingBookmarkCleared, m_bookmarks,
            [this] { m_bookmarks->selectLoopListItem(-1); });
    connect(ActiveMovie1, &TActiveMovie::OnEnter, this, &TMainForm::giveFocusToSink);
    connect(ActiveMovie1, &TActiveMovie::pictureFullScreenRequested, this, &TMainForm::setPictureFullScreen);
    resize(923, 753);
}

TMainForm::~TMainForm() = default;

MediaPlayerControl* TMainForm::player() const
{
    return ActiveMovie1->control();
}

void TMainForm::connectControllers(const Controllers& c, AppWindows* windows)
{
    m_controllers = &c;
    m_windows = windows;
    m_right->connectTo(*c.clips, [this] { giveFocusToSink(); });
    m_loop->connectTo(*c.loops);
    m_player->connectTo(*c.transport);
    // The menu's clip items, as the buttons: the keys come back to the window.
    using Item = MainMenu::Item;
    ClipLoader* clips = c.clips;
    const std::pair<Item, void (ClipLoader::*)()> clipItems[] = {
        {Item::choosevideoclip1, &ClipLoader::chooseClip},
        {Item::PlayPreviousClip1, &ClipLoader::playPreviousClip},
        {Item::PlayNextClip1, &ClipLoader::playNextClip},
    };
    for (const auto& [item, operation] : clipItems)
        m_menu->onItem(item, [this, clips, operation = operation] {
            (clips->*operation)();
            giveFocusToSink();
        });

    MediaPlayerControl* p = player();
    LoopControls* loops = c.loops;
    connect(p, &MediaPlayerControl::OnPositionChange, loops,
            [loops](double oldPos, double newPos, quint32, quint32) { loops->positionChanged(oldPos, newPos); });
    connect(p, &MediaPlayerControl::OnPlayStateChange, loops, &LoopControls::playStateChanged);
    if (windows && windows->OptionsForm) {
        const TOptionsForm* options = windows->OptionsForm;
        m_player->setMuteKey([options] { return options->muteKeyText(); });
    }
    m_arrangement->restoreKeyCaptions = [this] {
        if (Keyboard* keyboard = m_controllers->keyboard) {
            keyboard->assignments->anyKeyChange();
            keyboard->assignments->nonshiftKeyChange();
        }
    };
    // The video area changed: lay the panels out again; the window's
    // minimum size and the title follow.
    connect(m_arrangement, &ControlsArrangement::layoutChanged, this, [this] {
        layoutPanels();
        m_controllers->sizing->userControlsChanged();
    });
    connectSizing();
}

void TMainForm::exitButtonClick(QObject*)
{
    close();
}

bool TMainForm::FormClose()
{
    ProgramEnd* end = m_controllers ? m_controllers->end : nullptr;
    if (end && end->end(ProgramEnd::Way::ByUser) == ProgramEnd::Outcome::Stays) {
        giveFocusToSink();
        return false;
    }
    emit closing();
    return true;
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!m_closeApproved && !FormClose()) {
        giveFocusToSink();
        event->ignore();
        return;
    }
    m_closeApproved = true;
    event->accept();
    QMainWindow::closeEvent(event);
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    layoutPanels();
    if (m_controllers && m_controllers->sizing)
        m_controllers->sizing->mainWindowResized();
}

void TMainForm::layoutPanels()
{
    const int w = m_central->width();
    const int h = m_central->height();
    const bool bottom = m_player->isVisibleTo(m_central);
    const int top = bottom ? h - PlayerControlsPanel::Height : h;
    if (bottom)
        m_player->setGeometry(0, top, w, PlayerControlsPanel::Height);
    const bool right = !ActiveMovie1->isPictureFullScreen();
    m_right->setGeometry(w - RightPanel::Width, 0, RightPanel::Width, top);
    ActiveMovie1->setGeometry(0, 0, right ? w - RightPanel::Width : w, right ? top : h);
    focusSink->setGeometry(0, 0, 0, 0);
}

// The picture fills the screen: the window goes full screen with everything
// but the picture hidden. The picture's widget stays where it is.
void TMainForm::setPictureFullScreen(bool on)
{
    menuBar()->setVisible(!on);
    m_right->setVisible(!on);
    if (on) {
        m_stateBeforeFullScreen = windowState();
        m_boundsBeforeFullScreen = normalGeometry().isValid() ? normalGeometry() : geometry();
        m_sizeBeforeFullScreen = size();
        m_bottomWasVisible = m_player->isVisibleTo(this);
        m_player->hide();
        showFullScreen();
        // The full-screen picture takes the keys, whichever window had them.
        raise();
        activateWindow();
    } else {
        m_player->setVisible(m_bottomWasVisible);
        setWindowState(m_stateBeforeFullScreen);
        if (!(m_stateBeforeFullScreen & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
            resize(m_sizeBeforeFullScreen);
            // A Wayland compositor hands the window back later, less its
            // window frame: the next state it reports gives the size back.
            auto* once = new QObject(this);
            connect(windowHandle(), &QWindow::windowStateChanged, once, [this, once](Qt::WindowState state) {
                if (state == Qt::WindowFullScreen)
                    return;
                QTimer::singleShot(0, this, [this] { resize(m_sizeBeforeFullScreen); });
                once->deleteLater();
            });
        }
    }
    // The menu bar came or went inside a window of the same size: the
    // client area takes its new size before the panels are laid out in it.
    if (layout())
        layout()->activate();
    layoutPanels();
}

void TMainForm::giveFocusToSink()
{
    focusSink->takeFocus();
}

void TMainForm::showPlayingAll(bool on, bool catalogOpen)
{
    m_bookmarks->showPlayingAll(on, catalogOpen);
    m_loop->lockForPlayingAll(on);
    m_right->lockForPlayingAll(on);
    m_menu->lockForPlayingAll(on);
}

void TMainForm::showBookmarkingInfo(bool catalogOpen)
{
    m_bookmarks->showBookmarkingInfo(catalogOpen);
    m_loop->showRunningDescription(catalogOpen);
    m_menu->showCatalogOpen(catalogOpen);
}

QSize TMainForm::videoSize() const
{
    return {ActiveMovie1->width(), ActiveMovie1->height() - TActiveMovie::StripHeight};
}

void TMainForm::MirrorView1Click(QObject* sender)
{
    m_menu->setMirrored(!m_menu->mirrored());
    if (sender)
        giveFocusToSink();
}

bool TMainForm::isMirrored() const
{
    return m_menu->mirrored();
}
