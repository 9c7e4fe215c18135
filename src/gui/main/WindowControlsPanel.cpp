#include "gui/main/WindowControlsPanel.h"

#include "gui/input/FocusSink.h"
#include "gui/main/PanelControls.h"
#include "gui/main/WindowSizing.h"
#include "gui/widgets/TColourButton.h"

using PanelControls::button;

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

void WindowControlsPanel::connectTo(WindowSizing& sizing, const std::function<void()>& giveKeysBack)
{
    m_sizing = &sizing;
    // F1 to F4 name their button as who asked: where the keys go after them
    // depends on it, as it depends on the window for their keys.
    using Handler = void (WindowControlsPanel::*)();
    const std::pair<TColourButton*, Handler> told[] = {
        {F1_Button, &WindowControlsPanel::MaximizeToggleButtonClick},
        {F2_Button, &WindowControlsPanel::FullScreenModeClick},
        {F3_Button, &WindowControlsPanel::VideoWindowToggleButtonClick},
        {F4_Button, &WindowControlsPanel::BookmarksWindowToggleButtonClick},
    };
    for (const auto& [button, handler] : told)
        connect(button, &QAbstractButton::clicked, this, handler);
    const std::pair<TColourButton*, Handler> sizes[] = {
        {F5_Button, &WindowControlsPanel::SmallerScreenButtonClick},
        {F6_Button, &WindowControlsPanel::LargerScreenButtonClick},
        {F7_Button, &WindowControlsPanel::ShowSmallScreenSizeButtonClick},
        {F8_Button, &WindowControlsPanel::ShowLargeScreenSizeButtonClick},
    };
    for (const auto& [button, handler] : sizes)
        handBackKeysAfterClick(
            button, [this, handler = handler] { (this->*handler)(); }, giveKeysBack);
}

void WindowControlsPanel::MaximizeToggleButtonClick()
{
    m_sizing->toggleMaximized(windowsize::Asker::MaximizeButton);
}
void WindowControlsPanel::FullScreenModeClick()
{
    m_sizing->toggleFullScreen(windowsize::Asker::FullScreenButton);
}
void WindowControlsPanel::VideoWindowToggleButtonClick()
{
    m_sizing->toggleVideoWindow(windowsize::Asker::VideoWindowButton);
}
void WindowControlsPanel::BookmarksWindowToggleButtonClick()
{
    m_sizing->toggleCatalogWindow(windowsize::Asker::CatalogWindowButton);
}
void WindowControlsPanel::SmallerScreenButtonClick()
{
    m_sizing->shrink();
}
void WindowControlsPanel::LargerScreenButtonClick()
{
    m_sizing->enlarge();
}
void WindowControlsPanel::ShowSmallScreenSizeButtonClick()
{
    m_sizing->showSmallSize();
}
void WindowControlsPanel::ShowLargeScreenSizeButtonClick()
{
    m_sizing->showLargeSize();
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
