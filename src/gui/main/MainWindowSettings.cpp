// The main window's settings: which control holds each of them.
#include "gui/main/TMainForm.h"

#include "core/playback/LoopControls.h"
#include "core/settings/BindingTable.h"
#include "gui/main/ControlsArrangement.h"
#include "gui/main/WindowSizing.h"
#include "gui/widgets/BindToControl.h"
#include "gui/widgets/WindowPlacement.h"

void TMainForm::bindSettings(ConfigBindings& binding)
{
    using S = Settings;
    bindIndex(binding, &S::backFramesValue, backframesValue);
    bindIndex(binding, &S::forwardFramesValue, forwardframesValue);
    bindIndex(binding, &S::backSecondsValue, backSecondsValue);
    bindIndex(binding, &S::forwardSecondsValue, forwardSecondsValue);
    bindIndex(binding, &S::backMinutesValue, backMinutesValue);
    bindIndex(binding, &S::forwardMinutesValue, forwardMinutesValue);
    bindIndex(binding, &S::slowMotionRate, slowmotionRate);
    bindIndex(binding, &S::fastMotionRate, fastmotionRate);

    bindText(binding, &S::backSecondsKey, backsecondsKey);
    bindText(binding, &S::back1FrameKey, back1frameKey);
    bindText(binding, &S::forward1FrameKey, forward1frameKey);
    bindText(binding, &S::forwardSecondsKey, forwardsecondsKey);
    bindText(binding, &S::slowMotionKey, slowmotionKey);
    bindText(binding, &S::regularMotionKey, regularspeedKey);
    bindText(binding, &S::fastMotionKey, fastmotionKey);
    bindText(binding, &S::setStartTimeKey, setStartTimeKey);
    bindText(binding, &S::setEndTimeKey, setEndTimeKey);
    bindText(binding, &S::playLoopKey, playLoopKey);
    bindText(binding, &S::playFullVideoKey, playFullVideoKey);

    WindowPlacement::bindBounds(binding, this, &S::mainFormLeft, &S::mainFormTop, &S::mainFormWidth, &S::mainFormHeight,
                                &S::mainFormWindowState, 0);
    // The original-size lock and the stored video sizes.
    sizing->bindSettings(binding);
    // The loop mode toggle at the end of reading lands on the stored mode.
    binding.bind(
        &S::loopContinuously, [this] { return loops->LoopContinuously(); },
        [this](bool on) { loops->setStoredLoopContinuously(on); });
    // The arrangement is applied as it is read; the mode once everything is
    // read (SettingsFiles), and beginner mode then imposes its arrangement.
    binding.bind(
        &S::userControlsVisible, [this] { return m_arrangement->state(); },
        [this](int state) { m_arrangement->applyStoredState(state); });
    binding.bind(
        &S::beginnerMode, [this] { return m_arrangement->isBeginnerMode(); },
        [this](bool on) { m_arrangement->setStoredMode(on); });
}
