// What the window sizing and the keyboard see of the main window, and the
// main window's settings.
#include "gui/main/TMainForm.h"

#include "core/input/KeyTexts.h"
#include "core/playback/ClipLoader.h"
#include "core/playback/LoopControls.h"
#include "core/settings/BindingTable.h"
#include "core/window/WindowSizeRules.h"
#include "gui/input/FocusSink.h"
#include "gui/main/BookmarkControlsPanel.h"
#include "gui/main/ControlsArrangement.h"
#include "gui/main/LoopControlsPanel.h"
#include "gui/main/MainMenu.h"
#include "gui/main/PlayerControlsPanel.h"
#include "gui/main/RightPanel.h"
#include "gui/main/WindowControlsPanel.h"
#include "gui/main/WindowSizing.h"
#include "gui/playback/TActiveMovie.h"
#include "gui/widgets/WindowPlacement.h"

#include <QGroupBox>

using windowsize::Asker;

// The F1 to F8 buttons, the lock's menu item and the clip's opening go to
// the window sizing.
void TMainForm::connectSizing()
{
    WindowSizing* s = m_controllers->sizing;
    m_window->connectTo(*s, [this] { giveFocusToSink(); });
    // The menu item's check mark, as the click left it, is the lock wanted.
    m_menu->onItem(MainMenu::Item::OriginalSize1,
                   [this, s] { s->setOriginalSizeLocked(m_menu->originalSizeLocked()); });
    connect(m_controllers->clips, &ClipLoader::clipReady, s, &WindowSizing::clipOpened);
}

bool TMainForm::userControlsShown() const
{
    // Full screen hides them for its time only.
    if (ActiveMovie1->isPictureFullScreen())
        return m_bottomWasVisible;
    return m_player->isVisibleTo(m_central);
}

QSize TMainForm::pictureChrome() const
{
    return size() - ActiveMovie1->pictureArea()->size();
}

QSize TMainForm::playerSize() const
{
    return ActiveMovie1->size();
}

void TMainForm::showMaximizeButton(const QString& caption, const QString& hint)
{
    m_window->showMaximizeButton(caption, hint);
}

bool TMainForm::originalSizeLocked() const
{
    return m_menu->originalSizeLocked();
}

void TMainForm::setOriginalSizeLocked(bool on)
{
    m_menu->setOriginalSizeLocked(on);
}

void TMainForm::refreshTitle()
{
    m_controllers->clips->UpdateMainFormTitleBar();
}

void TMainForm::askRePause()
{
    m_controllers->loops->askRePause();
}

KeyboardFocusParts TMainForm::focusParts() const
{
    KeyboardFocusParts parts;
    parts.sink = focusSink;
    parts.backgrounds << const_cast<TMainForm*>(this) << m_central;
    m_right->addFocusParts(parts);
    m_loop->addFocusParts(parts);
    m_bookmarks->addFocusParts(parts);
    m_player->addFocusParts(parts);
    // Every group box of the window is a background.
    for (QGroupBox* box : findChildren<QGroupBox*>())
        if (!parts.backgrounds.contains(box))
            parts.backgrounds << box;
    return parts;
}

QAbstractButton* TMainForm::addBookmarkButton() const
{
    return m_bookmarks->addBookmarkButton();
}

bool TMainForm::isBeginnerMode() const
{
    return m_arrangement->isBeginnerMode();
}

void TMainForm::setViewClipMenuCaption(const QString& caption)
{
    m_menu->setViewClipCaption(caption);
}

void TMainForm::setExitCaption(const QString& caption)
{
    m_right->setExitCaption(caption);
}

void TMainForm::showMaximizeCaption()
{
    m_window->showMaximizeCaption(windowsize::maximizeButtonTexts(isMaximized()).caption);
}

void TMainForm::shiftKeyChange()
{
    m_player->shiftKeyChange();
}

void TMainForm::nonshiftKeyChange()
{
    m_player->nonshiftKeyChange();
}

void TMainForm::setPracticeKeys(const QString& loopModeKey, const QString& mirrorViewKey)
{
    Q_UNUSED(loopModeKey) // the loop mode button's hint names it
    m_menu->setMirrorViewCaption(mirrorViewKey.isEmpty()
                                     ? QStringLiteral("Mirror view")
                                     : QStringLiteral("Mirror view (") + mirrorViewKey + QLatin1Char(')'));
}

void TMainForm::bindSettings(ConfigBindings& binding)
{
    using S = Settings;
    m_player->bindSettings(binding);
    m_loop->bindSettings(binding);
    // Full screen is no state of the settings file: the window is stored as
    // it was before it.
    WindowPlacement::bindBounds(binding, this, &S::mainFormLeft, &S::mainFormTop, &S::mainFormWidth, &S::mainFormHeight,
                                &S::mainFormWindowState, 0, [this](const windowsize::Placement& now) {
                                    const int before = (m_stateBeforeFullScreen & Qt::WindowMinimized)   ? 1
                                                       : (m_stateBeforeFullScreen & Qt::WindowMaximized) ? 2
                                                                                                         : 0;
                                    return windowsize::placementToStore(now, ActiveMovie1->isPictureFullScreen(),
                                                                        {m_boundsBeforeFullScreen, before});
                                });
    // The original-size lock and the stored video sizes.
    m_controllers->sizing->bindSettings(binding);
    // The speed ladder is stored as a continuous loop with its own switch
    // beside it (SettingsFiles).
    LoopControls* loops = m_controllers->loops;
    binding.bind(
        &S::loopContinuously, [loops] { return loops->LoopContinuously(); },
        [loops](bool on) {
            loops->setLoopMode(on ? LoopControls::LoopMode::Continuously : LoopControls::LoopMode::Once);
        });
    // The arrangement is applied as it is read; the mode once everything is
    // read (SettingsFiles), and beginner mode then imposes its arrangement.
    binding.bind(
        &S::userControlsVisible, [this] { return m_arrangement->state(); },
        [this](int state) { m_arrangement->applyStoredState(state); });
    binding.bind(
        &S::beginnerMode, [this] { return m_arrangement->isBeginnerMode(); },
        [this](bool on) { m_arrangement->setStoredMode(on); });
}

void TMainForm::bindExtras(ExtrasBindings& binding)
{
    binding.bind(
        &Extras::mirrorView, [this] { return m_menu->mirrored(); }, [this](bool on) { m_menu->setMirrored(on); });
}
