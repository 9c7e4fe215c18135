#include "gui/main/WindowSizing.h"

#include "core/base/Prompt.h"
#include "core/input/FullScreenKeys.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/settings/BindingTable.h"
#include "core/window/SizingView.h"
#include "gui/input/KeyCommands.h"
#include "gui/input/KeyDispatcher.h"
#include "gui/playback/TActiveMovie.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

using windowsize::FocusTarget;

namespace {

bool visible(const QWidget* window)
{
    return window && window->isVisible();
}

void activate(QWidget* window)
{
    if (!visible(window))
        return;
    if (window->isMinimized())
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}

} // namespace

WindowSizing::WindowSizing(const Windows& windows, QObject* parent)
    : QObject(parent), m_w(windows), m_beep([] { QApplication::beep(); })
{
    const Settings defaults;
    m_small = QRect(defaults.videoClipSmallScreenSizeLeft, defaults.videoClipSmallScreenSizeTop,
                    defaults.videoClipSmallScreenSizeWidth, defaults.videoClipSmallScreenSizeHeight);
    m_large = QRect(defaults.videoClipLargeScreenSizeLeft, defaults.videoClipLargeScreenSizeTop,
                    defaults.videoClipLargeScreenSizeWidth, defaults.videoClipLargeScreenSizeHeight);
    connect(m_w.player, &MediaPlayerControl::OnFullScreenKeyPress, this, &WindowSizing::fullScreenKeyPressed);
}

void WindowSizing::setKeyHandlers(KeyDispatcher* dispatcher, const KeyCommands* commands)
{
    m_dispatcher = dispatcher;
    m_commands = commands;
}

void WindowSizing::bindSettings(ConfigBindings& binding)
{
    using S = Settings;
    // The lock is shown as read; it is applied once everything is read
    // (the window's bounds among it).
    binding.bind(
        &S::viewOriginalSize, [this] { return m_w.mainView->originalSizeLocked(); },
        [this](bool on) { m_w.mainView->setOriginalSizeLocked(on); });
    binding.bindGroup(
        {&S::videoClipSmallScreenSizeLeft, &S::videoClipSmallScreenSizeTop, &S::videoClipSmallScreenSizeWidth,
         &S::videoClipSmallScreenSizeHeight, &S::videoClipLargeScreenSizeLeft, &S::videoClipLargeScreenSizeTop,
         &S::videoClipLargeScreenSizeWidth, &S::videoClipLargeScreenSizeHeight},
        [this](const Settings& s) {
            m_small = QRect(s.videoClipSmallScreenSizeLeft, s.videoClipSmallScreenSizeTop,
                            s.videoClipSmallScreenSizeWidth, s.videoClipSmallScreenSizeHeight);
            m_large = QRect(s.videoClipLargeScreenSizeLeft, s.videoClipLargeScreenSizeTop,
                            s.videoClipLargeScreenSizeWidth, s.videoClipLargeScreenSizeHeight);
        },
        [this](Settings& s) {
            s.videoClipSmallScreenSizeLeft = m_small.left();
            s.videoClipSmallScreenSizeTop = m_small.top();
            s.videoClipSmallScreenSizeWidth = m_small.width();
            s.videoClipSmallScreenSizeHeight = m_small.height();
            s.videoClipLargeScreenSizeLeft = m_large.left();
            s.videoClipLargeScreenSizeTop = m_large.top();
            s.videoClipLargeScreenSizeWidth = m_large.width();
            s.videoClipLargeScreenSizeHeight = m_large.height();
        });
}

bool WindowSizing::clipLoaded() const
{
    return !m_w.player->FileName().isEmpty();
}

bool WindowSizing::isNormal() const
{
    return !(m_w.main->windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
}

QWidget* WindowSizing::windowOf(Asker asker) const
{
    switch (asker) {
    case Asker::BookmarksForm:
    case Asker::BookmarksGrid:
        return m_w.catalog;
    case Asker::CommandLineEntryForm:
        return m_w.commandLineEntry;
    case Asker::FilePlayingInfoForm:
        return m_w.fileInfo;
    default:
        // The main window's own buttons and keys.
        return m_w.main;
    }
}

void WindowSizing::giveFocus(FocusTarget target)
{
    switch (target) {
    case FocusTarget::Stay:
        return;
    case FocusTarget::MainFocusPanel:
        m_w.mainView->giveFocusToSink();
        return;
    case FocusTarget::MainWindow:
        activate(m_w.main);
        return;
    case FocusTarget::CommandLineEntryForm:
        activate(m_w.commandLineEntry);
        return;
    case FocusTarget::FilePlayingInfoForm:
        activate(m_w.fileInfo);
        return;
    case FocusTarget::CatalogWindow:
        activate(m_w.catalog);
        return;
    }
}

void WindowSizing::showMaximizeButton(bool maximized)
{
    const windowsize::ButtonTexts texts = windowsize::maximizeButtonTexts(maximized);
    m_w.mainView->showMaximizeButton(texts.caption, texts.hint);
}

void WindowSizing::applyMinimumSize()
{
    windowsize::MinimumSizeFacts facts;
    facts.locked = m_w.mainView->originalSizeLocked();
    facts.clipLoaded = clipLoaded();
    facts.native = QSize(m_w.player->ImageSourceWidth(), m_w.player->ImageSourceHeight());
    facts.userControlsShown = m_w.mainView->userControlsShown();
    facts.chrome = m_w.mainView->pictureChrome();
    if (const QScreen* screen = m_w.main->screen()) {
        const QMargins frame = frameMargins();
        facts.available =
            screen->availableGeometry().size() - QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    }
    const QSize minimum = windowsize::minimumSize(facts);
    if (m_w.main->minimumSize() != minimum)
        m_w.main->setMinimumSize(minimum);
}

QMargins WindowSizing::frameMargins() const
{
    // Nothing until the window manager has framed the window.
    const QRect inner = m_w.main->geometry();
    const QRect frame = m_w.main->frameGeometry();
    return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
            frame.bottom() - inner.bottom()};
}

QRect WindowSizing::onScreen(const QRect& bounds) const
{
    const QScreen* screen = QGuiApplication::screenAt(bounds.center());
    if (!screen)
        screen = m_w.main->screen();
    if (!screen)
        return bounds;
    const QMargins frame = frameMargins();
    return windowsize::cappedBounds(bounds.marginsAdded(frame), screen->availableGeometry()).marginsRemoved(frame);
}

void WindowSizing::resizeMainWindow(QSize size)
{
    const QRect bounds = onScreen(QRect(m_w.main->geometry().topLeft(), size));
    if (bounds.topLeft() != m_w.main->geometry().topLeft())
        m_w.main->setGeometry(bounds);
    else
        m_w.main->resize(bounds.size());
}

void WindowSizing::mainWindowResized()
{
    applyMinimumSize();
    if (!m_w.player->FullScreenMode())
        showMaximizeButton(m_w.main->isMaximized());
    m_w.mainView->refreshTitle();
}

void WindowSizing::userControlsChanged()
{
    applyMinimumSize();
    m_w.mainView->refreshTitle();
}

void WindowSizing::clipOpened()
{
    applyMinimumSize();
    // The lock fits the window to the new clip.
    if (m_w.mainView->originalSizeLocked())
        applyOriginalSizeLock(true);
}

void WindowSizing::toggleMaximized(Asker asker)
{
    const Qt::WindowStates state = m_w.main->windowState();
    switch (
        windowsize::maximizeStep(m_w.player->FullScreenMode(), state & (Qt::WindowMaximized | Qt::WindowMinimized))) {
    case windowsize::MaximizeStep::LeaveFullScreenMaximized:
        m_w.player->setFullScreenMode(false);
        m_w.main->setWindowState((m_w.main->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
        showMaximizeButton(true);
        giveFocus(windowsize::focusAfterFullScreen(m_fullScreen.requester()));
        return;
    case windowsize::MaximizeStep::Maximize:
        m_w.main->setWindowState(Qt::WindowMaximized);
        showMaximizeButton(true);
        break;
    case windowsize::MaximizeStep::Restore:
        m_w.main->setWindowState(Qt::WindowNoState);
        showMaximizeButton(false);
        break;
    }
    giveFocus(windowsize::focusAfterMaximizeToggle(asker));
}

void WindowSizing::toggleFullScreen(Asker asker)
{
    switch (windowsize::fullScreenStep(m_w.player->FullScreenMode(), clipLoaded())) {
    case windowsize::FullScreenStep::Leave: {
        const bool paused = m_w.player->PlayState() == mpPaused;
        m_w.player->setFullScreenMode(false);
        if (windowsize::rePauseOnLeaving(paused, m_w.player->playStateChangePending()))
            m_w.mainView->askRePause();
        giveFocus(windowsize::focusAfterFullScreen(m_fullScreen.requester()));
        return;
    }
    case windowsize::FullScreenStep::Refuse:
        prompt().message(windowsize::fullScreenRefusal());
        if (asker == Asker::FullScreenButton)
            m_w.mainView->giveFocusToSink();
        return;
    case windowsize::FullScreenStep::Enter:
        m_w.player->setFullScreenMode(true);
        m_fullScreen.entered(asker);
        return;
    }
}

void WindowSizing::enterFullScreenFor(Asker requester)
{
    m_w.player->setFullScreenMode(true);
    m_fullScreen.setRequester(requester);
}

// The toggle of F3 (the main window) and F4 (the catalog window) once the
// window is shown (windowsize::toggleStep).
void WindowSizing::toggleWindow(QWidget* window, Asker asker, const QList<QWidget*>& others)
{
    QWidget* from = windowOf(asker);
    const auto shown = std::find_if(others.begin(), others.end(), visible);
    switch (windowsize::toggleStep(window->isActiveWindow(), from == window, shown != others.end())) {
    case windowsize::ToggleStep::BringToFront:
        activate(window);
        return;
    case windowsize::ToggleStep::BehindSender:
        window->lower();
        activate(from);
        return;
    case windowsize::ToggleStep::BehindOther:
        window->lower();
        activate(*shown);
        return;
    case windowsize::ToggleStep::StayInFront:
        return;
    }
}

void WindowSizing::toggleVideoWindow(Asker asker)
{
    if (const QString refusal = windowsize::toggleRefusal(windowsize::WindowToggle::VideoWindow, asker);
        !refusal.isEmpty()) {
        prompt().message(refusal);
        m_w.mainView->giveFocusToSink();
        return;
    }
    toggleWindow(m_w.main, asker, {m_w.catalog, m_w.commandLineEntry, m_w.fileInfo});
}

void WindowSizing::toggleCatalogWindow(Asker asker)
{
    if (const QString refusal = windowsize::toggleRefusal(windowsize::WindowToggle::CatalogWindow, asker);
        !refusal.isEmpty()) {
        prompt().message(refusal);
        m_w.mainView->giveFocusToSink();
        return;
    }
    if (!m_w.catalog->isVisible()) {
        if (!m_w.catalogOpen || !m_w.catalogOpen()) {
            prompt().message(windowsize::noCatalogToShowMessage());
            return;
        }
        m_w.catalog->show();
        activate(m_w.catalog);
        return;
    }
    toggleWindow(m_w.catalog, asker, {m_w.main, m_w.commandLineEntry, m_w.fileInfo});
}

void WindowSizing::shrink()
{
    if (isNormal())
        resizeMainWindow(windowsize::shrunk(m_w.main->size(), m_w.main->minimumSize()));
    m_w.mainView->refreshTitle();
}

void WindowSizing::enlarge()
{
    if (isNormal())
        resizeMainWindow(windowsize::enlarged(m_w.main->size()));
    m_w.mainView->refreshTitle();
}

void WindowSizing::showStoredSize(const QRect& bounds)
{
    m_w.main->setWindowState(Qt::WindowNoState);
    // Bounds stored on a monitor that is gone come back on this one.
    m_w.main->setGeometry(onScreen(bounds));
}

void WindowSizing::showSmallSize()
{
    showStoredSize(m_small);
}

void WindowSizing::showLargeSize()
{
    showStoredSize(m_large);
}

void WindowSizing::storeSize(QRect* bounds, const QString& message)
{
    *bounds = m_w.main->geometry();
    if (m_beep)
        m_beep();
    prompt().message(message);
}

void WindowSizing::storeSmallSize()
{
    storeSize(&m_small, QStringLiteral("Small video size set to current size of window."));
}

void WindowSizing::storeLargeSize()
{
    storeSize(&m_large, QStringLiteral("Large video size set to current size of window."));
}

void WindowSizing::setOriginalSizeLocked(bool locked)
{
    applyOriginalSizeLock(locked);
}

void WindowSizing::applyShownOriginalSizeLock()
{
    applyOriginalSizeLock(m_w.mainView->originalSizeLocked());
}

void WindowSizing::toggleOriginalSizeLock()
{
    applyOriginalSizeLock(!m_w.mainView->originalSizeLocked());
}

// The lock on fits the window to the clip (again, for a new clip); off, the
// picture fills the player.
void WindowSizing::applyOriginalSizeLock(bool locked)
{
    const QSize native(m_w.player->ImageSourceWidth(), m_w.player->ImageSourceHeight());
    const windowsize::LockChange change =
        windowsize::lockChange(locked, clipLoaded(), native, TActiveMovie::StripHeight);
    m_w.player->setDisplaySize(change.displaySize);
    m_w.mainView->setOriginalSizeLocked(change.locked);
    applyMinimumSize();
    // A clip without a picture (sound only) leaves the window as it is.
    if (change.playerSize && !native.isEmpty() && isNormal())
        resizeMainWindow(m_w.main->size() + (*change.playerSize - m_w.mainView->playerSize()));
    m_w.mainView->refreshTitle();
}

void WindowSizing::fullScreenKeyPressed(int key, Qt::KeyboardModifiers modifiers)
{
    const bool skip = m_fullScreen.takeSkipNextKey();
    if (!m_dispatcher || !m_commands)
        return;
    const keys::KeyTexts texts = m_commands->texts();
    const keys::FullScreenKeyRoute route =
        keys::routeFullScreenKey(key, modifiers, skip, keys::keyOf(texts, keys::KeyBox::chooseclip),
                                 keys::keyOf(texts, keys::KeyBox::makebookmark));
    if (route.keyDown)
        m_dispatcher->FormKeyDown(m_w.main, key, modifiers);
    if (route.typed == keys::FullScreenKeyRoute::Typed::Beep) {
        if (m_beep)
            m_beep();
    } else if (route.typed == keys::FullScreenKeyRoute::Typed::Press && m_dispatcher) {
        m_dispatcher->FormKeyPress(m_w.main, route.character);
    }
}
