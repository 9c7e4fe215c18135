// The main window's practice features: the mirror view menu item, the loop
// mode button in the speed ladder's mode, and the keys their captions show.
#include "gui/main/TMainForm.h"

#include "core/settings/BindingTable.h"
#include "gui/playback/MpvVideoWidget.h"
#include "gui/playback/TActiveMovie.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/TColourButton.h"

#include <QAction>

namespace {

QString withKey(const QString& caption, const QString& key)
{
    return key.isEmpty() ? caption : caption + QStringLiteral(" (") + key + QLatin1Char(')');
}

} // namespace

void TMainForm::bindExtras(ExtrasBindings& binding)
{
    binding.bind(
        &Extras::mirrorView, [this] { return MirrorView1->isChecked(); },
        [this](bool on) { MirrorView1->setChecked(on); });
}

bool TMainForm::isMirrored() const
{
    return MirrorView1->isChecked();
}

void TMainForm::MirrorView1Click(QObject* sender)
{
    MirrorView1->setChecked(!MirrorView1->isChecked());
    focusIfSender(sender);
}

// The picture itself flips; in full screen it is the same widget.
void TMainForm::showMirrored(bool mirrored)
{
    if (auto* picture = qobject_cast<MpvVideoWidget*>(ActiveMovie1->picture()))
        picture->setMirrored(mirrored);
}

void TMainForm::showLadder(const QString& caption)
{
    paintLoopModeButton(caption, Colours::fromStored(0x7FD7FF), Colours::fromStored(0x4FC0F0));
}

void TMainForm::paintLoopModeButton(const QString& caption, const QColor& colour, const QColor& hotColour)
{
    loopOnce->setText(caption);
    loopOnce->setColor(colour);
    loopOnce->setHotColor(hotColour);
}

void TMainForm::setPracticeKeys(const QString& loopModeKey, const QString& mirrorViewKey)
{
    Q_UNUSED(loopModeKey) // the loop mode button's hint names it (SetPopUpHints)
    MirrorView1->setText(withKey(QStringLiteral("Mirror view"), mirrorViewKey));
}
