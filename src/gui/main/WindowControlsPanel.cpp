#include "gui/main/WindowControlsPanel.h"

#include "gui/main/PanelControls.h"
#include "gui/main/WindowSizing.h"
#include "gui/widgets/TColourButton.h"

#include <tuple>

using PanelControls::button;
using windowsize::Sender;

WindowControlsPanel::WindowControlsPanel(QWidget* parent) : QGroupBox(parent)
{
    PanelControls::makeGroup(this, "WindowControlsBox", QStringLiteral("Window Controls"), {647, 2, 264, 136});
    F1_Button = button(this, "F1_Button", QStringLiteral("maximize window (F1)"), {6, 18, 124, 26});
    F2_Button = button(this, "F2_Button", QStringLiteral("full screen mode (F2)"), {134, 18, 124, 26});
    F3_Button = button(this, "F3_Button", QStringLiteral("playback toggle (F3)"), {6, 46, 124, 26});
    F4_Button = button(this, "F4_Button", QStringLiteral("catalog toggle (F4)"), {134, 46, 124, 26});
    F5_Button = button(this, "F5_Button", QStringLiteral("shrink video (F5)"), {6, 74, 124, 26});
    F6_Button = button(this, "F6_Button", QStringLiteral("enlarge video (F6)"), {134, 74, 124, 26});
    F7_Button = button(this, "F7_Button", QStringLiteral("small video size (F7)"), {6, 102, 124, 26});
    F8_Button = button(this, "F8_Button", QStringLiteral("large video size (F8)"), {134, 102, 124, 26});
}

void WindowControlsPanel::connectTo(WindowSizing& sizing)
{
    // Each button is its own sender: the window commands tell a click from
    // the function key by it.
    const std::tuple<TColourButton*, Sender, void (WindowSizing::*)(Sender)> buttons[] = {
        {F1_Button, Sender::F1_Button, &WindowSizing::MaximizeToggleButtonClick},
        {F2_Button, Sender::F2_Button, &WindowSizing::FullScreenModeClick},
        {F3_Button, Sender::F3_Button, &WindowSizing::VideoWindowToggleButtonClick},
        {F4_Button, Sender::F4_Button, &WindowSizing::BookmarksWindowToggleButtonClick},
        {F5_Button, Sender::F5_Button, &WindowSizing::SmallerScreenButtonClick},
        {F6_Button, Sender::F6_Button, &WindowSizing::LargerScreenButtonClick},
        {F7_Button, Sender::F7_Button, &WindowSizing::ShowSmallScreenSizeButtonClick},
        {F8_Button, Sender::F8_Button, &WindowSizing::ShowLargeScreenSizeButtonClick},
    };
    WindowSizing* s = &sizing;
    for (const auto& [b, sender, operation] : buttons)
        connect(b, &QAbstractButton::clicked, s, [s, from = sender, op = operation] { (s->*op)(from); });
}

void WindowControlsPanel::showMaximizeButton(const QString& caption, const QString& hint)
{
    F1_Button->setText(caption);
    F1_Button->setToolTip(hint);
}

void WindowControlsPanel::showMaximizeCaption(const QString& caption)
{
    F1_Button->setText(caption);
}
