// The main window's settings: which control holds each of them.
#include "ui/TMainForm.h"

#include "app/SettingsBinding.h"
#include "playback/LoopControls.h"
#include "ui/widgets/WindowPlacement.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

namespace {

void bindList(SettingsBinding& binding, int Settings::*member, QComboBox* list)
{
    binding.bind(
        member, [list] { return list->currentIndex(); }, [list](int index) { list->setCurrentIndex(index); });
}

void bindKey(SettingsBinding& binding, QString Settings::*member, QLineEdit* box)
{
    binding.bind(
        member, [box] { return box->text(); }, [box](const QString& key) { box->setText(key); });
}

} // namespace

void TMainForm::bindSettings(SettingsBinding& binding)
{
    using S = Settings;
    bindList(binding, &S::backFramesValue, backframesValue);
    bindList(binding, &S::forwardFramesValue, forwardframesValue);
    bindList(binding, &S::backSecondsValue, backSecondsValue);
    bindList(binding, &S::forwardSecondsValue, forwardSecondsValue);
    bindList(binding, &S::backMinutesValue, backMinutesValue);
    bindList(binding, &S::forwardMinutesValue, forwardMinutesValue);
    bindList(binding, &S::slowMotionRate, slowmotionRate);
    bindList(binding, &S::fastMotionRate, fastmotionRate);

    bindKey(binding, &S::backSecondsKey, backsecondsKey);
    bindKey(binding, &S::back1FrameKey, back1frameKey);
    bindKey(binding, &S::forward1FrameKey, forward1frameKey);
    bindKey(binding, &S::forwardSecondsKey, forwardsecondsKey);
    bindKey(binding, &S::slowMotionKey, slowmotionKey);
    bindKey(binding, &S::regularMotionKey, regularspeedKey);
    bindKey(binding, &S::fastMotionKey, fastmotionKey);
    bindKey(binding, &S::setStartTimeKey, setStartTimeKey);
    bindKey(binding, &S::setEndTimeKey, setEndTimeKey);
    bindKey(binding, &S::playLoopKey, playLoopKey);
    bindKey(binding, &S::playFullVideoKey, playFullVideoKey);

    WindowPlacement::bindBounds(binding, this, &S::mainFormLeft, &S::mainFormTop, &S::mainFormWidth, &S::mainFormHeight,
                                &S::mainFormWindowState, 0);
    binding.bind(
        &S::viewOriginalSize, [this] { return OriginalSize1->isChecked(); },
        [this](bool on) { OriginalSize1->setChecked(on); });
    // The loop mode toggle at the end of reading flips the mode onto the
    // stored one.
    binding.bind(
        &S::loopContinuously, [this] { return loops->LoopContinuously; },
        [this](bool on) { loops->LoopContinuously = !on; });
}
