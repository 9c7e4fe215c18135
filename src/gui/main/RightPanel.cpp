#include "gui/main/RightPanel.h"

#include "core/playback/ClipLoader.h"
#include "gui/input/FocusSink.h"
#include "gui/input/KeyboardView.h"
#include "gui/main/PanelControls.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/TColourButton.h"

using PanelControls::button;

RightPanel::RightPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("RHS_Panel"));
    ViewClipButton = button(this, "ViewClipButton", QStringLiteral("view clip (c)"), {9, 5, 86, 28});
    exitButton = button(this, "exitButton", QStringLiteral("exit (z)"), {100, 5, 86, 28});
    previousClipButton = button(this, "previousClipButton", QStringLiteral("prev clip (PgUp)"), {9, 36, 86, 24});
    nextClipButton = button(this, "nextClipButton", QStringLiteral("next clip (PgDn)"), {100, 36, 86, 24});
    ImportClipsButton = button(this, "ImportClipsButton", QStringLiteral("import clips"), {9, 63, 177, 24});
    AdvancedModeButton =
        button(this, "AdvancedModeButton", QStringLiteral("Switch to Advanced Mode"), {9, 527, 178, 40});
    AdvancedModeButton->hide();
    ViewClipButton->setColor(Colours::fromStored(0x4DB5FB));
    nextClipButton->setColor(Colours::fromStored(0x83CBFC));
    previousClipButton->setColor(Colours::fromStored(0x83CBFC));
    exitButton->setColor(Colours::fromStored(0xFDB9DD));

    connect(exitButton, &QAbstractButton::clicked, this, [this] { emit exitClicked(exitButton); });
    connect(ImportClipsButton, &QAbstractButton::clicked, this, [this] { emit importClicked(ImportClipsButton); });
    connect(AdvancedModeButton, &QAbstractButton::clicked, this,
            [this] { emit advancedModeClicked(AdvancedModeButton); });
}

void RightPanel::connectTo(ClipLoader& clips, const std::function<void()>& giveKeysBack)
{
    m_clips = &clips;
    using Handler = void (RightPanel::*)();
    const std::pair<TColourButton*, Handler> buttons[] = {
        {ViewClipButton, &RightPanel::ViewClipButtonClick},
        {previousClipButton, &RightPanel::previousClipButtonClick},
        {nextClipButton, &RightPanel::nextClipButtonClick},
    };
    for (const auto& [button, handler] : buttons)
        handBackKeysAfterClick(
            button, [this, handler = handler] { (this->*handler)(); }, giveKeysBack);
}

void RightPanel::ViewClipButtonClick()
{
    m_clips->chooseClip();
}
void RightPanel::previousClipButtonClick()
{
    m_clips->playPreviousClip();
}
void RightPanel::nextClipButtonClick()
{
    m_clips->playNextClip();
}

void RightPanel::addFocusParts(KeyboardFocusParts& parts) const
{
    parts.backgrounds << const_cast<RightPanel*>(this);
}

void RightPanel::setExitCaption(const QString& caption)
{
    exitButton->setText(caption);
}

void RightPanel::showMode(bool beginner)
{
    for (QWidget* w :
         std::initializer_list<QWidget*>{ImportClipsButton, previousClipButton, nextClipButton, exitButton})
        w->setVisible(!beginner);
    AdvancedModeButton->setVisible(beginner);
    if (beginner) {
        ViewClipButton->setGeometry(44, 25, 108, 38);
        PanelControls::showBeginnerCaptions(this);
    } else {
        ViewClipButton->setGeometry(9, 5, 86, 28);
    }
}

void RightPanel::lockForPlayingAll(bool on)
{
    for (TColourButton* b : {ViewClipButton, previousClipButton, nextClipButton, ImportClipsButton})
        b->setEnabled(!on);
}
