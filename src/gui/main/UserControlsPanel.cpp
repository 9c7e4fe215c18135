#include "gui/main/UserControlsPanel.h"

#include "gui/main/PanelControls.h"
#include "gui/widgets/TColourButton.h"

UserControlsPanel::UserControlsPanel(QWidget* parent) : QGroupBox(parent)
{
    PanelControls::makeGroup(this, "UserControlsPanel", QStringLiteral("User Controls"), {9, 527, 178, 62});
    ShowPlayersControlsButton = PanelControls::button(this, "ShowPlayersControlsButton",
                                                      QStringLiteral("all -- player controls first"), {6, 16, 166, 20});
    BeginnerModeButton =
        PanelControls::button(this, "BeginnerModeButton", QStringLiteral("Switch to Beginner Mode"), {6, 38, 166, 20});
    connect(ShowPlayersControlsButton, &QAbstractButton::clicked, this,
            [this] { emit layoutButtonClicked(ShowPlayersControlsButton); });
    connect(BeginnerModeButton, &QAbstractButton::clicked, this,
            [this] { emit beginnerModeClicked(BeginnerModeButton); });
}

void UserControlsPanel::showArrangement(const QString& caption)
{
    ShowPlayersControlsButton->setText(caption);
}
