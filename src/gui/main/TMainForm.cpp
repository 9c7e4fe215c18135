#include "gui/main/TMainForm.h"

#include "core/base/Prompt.h"
#include "core/catalog/CatalogControllers.h"
#include "core/catalog/CatalogDocument.h"
#include "core/playback/ClipLoader.h"
#include "core/playback/LoopControls.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/playback/TransportControls.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/input/FocusSink.h"
#include "gui/input/KeyAssignments.h"
#include "gui/input/Keyboard.h"
#include "gui/input/LayoutKey.h"
#include "gui/main/AppWindows.h"
#include "gui/main/SettingsFiles.h"
#include "gui/main/WindowSizing.h"
#include "gui/playback/TActiveMovie.h"
#include "gui/widgets/TColourButton.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QLayout>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>

namespace {

template <class Target> void onClick(TColourButton* button, Target* target, void (Target::*operation)(QObject*))
{
    QObject::connect(button, &QAbstractButton::clicked, target,
                     [button, target, operation] { (target->*operation)(button); });
}

} // namespace

TMainForm::TMainForm(PlaybackEngine* engine, QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tempoloop"));
    m_central = new QWidget(this);
    m_central->setObjectName(QStringLiteral("MainFormClient"));
    setCentralWidget(m_central);

    ActiveMovie1 = new TActiveMovie(engine, m_central);
    ActiveMovie1->setKeyReader([](const QKeyEvent& key) { return LayoutKey::unshiftedKey(key); });
    focusSink = new FocusSink(m_central);
    buildMenu();
    nameMenuItems();
    buildRightPanel();
    buildBottomPanel();

    loops = new LoopControls(*player(), *this, this);
    transport = new TransportControls(*player(), *this, *loops, this);
    clips = new ClipLoader(*player(), *this, *loops, *transport, this);
    connectControls();
    connectKeyCaptions();
    resize(923, 753);
}

TMainForm::~TMainForm() = default;

MediaPlayerControl* TMainForm::player() const
{
    return ActiveMovie1->control();
}

bool TMainForm::StartVideoClip(const QString& path)
{
    return clips->StartVideoClip(this, path);
}

void TMainForm::playStoredLoop(const QString& startDigits, const QString& endDigits)
{
    clips->whenLoaded([this, startDigits, endDigits] { loops->playStoredLoop(startDigits, endDigits); });
}

FolderClipList& TMainForm::folderClips()
{
    return clips->folderClips();
}

void TMainForm::focusIfSender(QObject* sender)
{
    if (sender)
        giveFocusToSink();
}

void TMainForm::connectControls()
{
    // Buttons pass themselves as the sender: a click ends with the focus on
    // the focus sink, a key leaves it where it is.
    onClick(ViewClipButton, clips, &ClipLoader::ViewClipButtonClick);
    onClick(previousClipButton, clips, &ClipLoader::PlayPreviousFile);
    onClick(nextClipButton, clips, &ClipLoader::PlayNextFile);
    onClick(playButton, transport, &TransportControls::playButtonClick);
    onClick(restartButton, transport, &TransportControls::restartButtonClick);
    onClick(muteButton, transport, &TransportControls::muteButtonClick);
    onClick(backsecondsButton, transport, &TransportControls::backsecondsButtonClick);
    onClick(forwardsecondsButton, transport, &TransportControls::forwardsecondsButtonClick);
    onClick(backminutesButton, transport, &TransportControls::backminutesButtonClick);
    onClick(forwardminutesButton, transport, &TransportControls::forwardminutesButtonClick);
    onClick(back1frameButton, transport, &TransportControls::back1frameButtonClick);
    onClick(forward1frameButton, transport, &TransportControls::forward1frameButtonClick);
    onClick(backframesButton, transport, &TransportControls::backframesButtonClick);
    onClick(forwardframesButton, transport, &TransportControls::forwardframesButtonClick);
    onClick(slowmotionButton, transport, &TransportControls::slowmotionButtonClick);
    onClick(regularspeedButton, transport, &TransportControls::regularspeedButtonClick);
    onClick(fastmotionButton, transport, &TransportControls::fastmotionButtonClick);
    onClick(setStartTimeButton, loops, &LoopControls::setStartTimeButtonClick);
    onClick(setEndTimeButton, loops, &LoopControls::setEndTimeButtonClick);
    onClick(resetEndTimeButton, loops, &LoopControls::resetEndTimeButtonClick);
    onClick(resetLoopButton, loops, &LoopControls::resetLoopButtonClick);
    onClick(playLoopButton, loops, &LoopControls::playLoopButtonClick);
    onClick(playFullVideoButton, loops, &LoopControls::playFullVideoButtonClick);
    onClick(loopOnce, loops, &LoopControls::loopOnceClick);
    connect(exitButton, &QAbstractButton::clicked, this, [this] { exitButtonClick(exitButton); });

    connect(choosevideoclip1, &QAction::triggered, this, [this] { clips->ViewClipButtonClick(this); });
    connect(PlayPreviousClip1, &QAction::triggered, this, [this] { clips->PlayPreviousFile(this); });
    connect(PlayNextClip1, &QAction::triggered, this, [this] { clips->PlayNextFile(this); });
    connect(Exit1, &QAction::triggered, this, [this] { exitButtonClick(this); });

    connect(slowmotionRate, &QComboBox::activated, transport, &TransportControls::slowmotionRateChange);
    connect(fastmotionRate, &QComboBox::activated, transport, &TransportControls::fastmotionRateChange);

    MediaPlayerControl* p = player();
    connect(p, &MediaPlayerControl::OnPositionChange, loops, [this](double oldPos, double newPos, quint32, quint32) {
        loops->ActiveMovie1PositionChange(oldPos, newPos);
    });
    connect(p, &MediaPlayerControl::OnPlayStateChange, loops, &LoopControls::ActiveMovie1PlayStateChange);
    connect(ActiveMovie1, &TActiveMovie::OnEnter, this, &TMainForm::giveFocusToSink);
    connect(ActiveMovie1, &TActiveMovie::pictureFullScreenRequested, this, &TMainForm::setPictureFullScreen);
}

void TMainForm::exitButtonClick(QObject*)
{
    close();
}

bool TMainForm::FormClose()
{
    if (m_windows && m_windows->catalog && !m_windows->catalog->edits.takeIn()) {
        // A cell value the catalog's checks refused: the user fixes it first.
        giveFocusToSink();
        return false;
    }
    if (m_windows && m_windows->BookmarksForm && m_windows->BookmarksForm->document()->CatalogModified()) {
        switch (prompt().askYesNoCancel(QStringLiteral("Save video catalog before exiting?"), Prompt::Icon::Warning)) {
        case Prompt::Answer::Yes:
            if (!saveCatalog || !saveCatalog()) {
                giveFocusToSink();
                return false;
            }
            break;
        case Prompt::Answer::No:
            break;
        default:
            giveFocusToSink();
            return false;
        }
    }
    if (settings)
        settings->WriteConfigFile();
    if (keyboard)
        keyboard->assignments->DuplicateKeyCheck();
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
    if (sizing)
        sizing->mainWindowResized();
}

// The picture fills the screen: the window goes full screen with everything
// but the picture hidden. The picture's widget stays where it is.
void TMainForm::setPictureFullScreen(bool on)
{
    menuBar()->setVisible(!on);
    RHS_Panel->setVisible(!on);
    if (on) {
        m_stateBeforeFullScreen = windowState();
        m_sizeBeforeFullScreen = size();
        m_bottomWasVisible = PlayerControlsPanel->isVisibleTo(this);
        PlayerControlsPanel->hide();
        showFullScreen();
        // The full-screen picture takes the keys, whichever window had them.
        raise();
        activateWindow();
    } else {
        PlayerControlsPanel->setVisible(m_bottomWasVisible);
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
