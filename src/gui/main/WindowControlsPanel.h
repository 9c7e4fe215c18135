#pragma once

#include <QGroupBox>
#include <functional>

class TColourButton;
class WindowSizing;

// The group "Window Controls" (`WindowControlsBox`): the buttons of the
// function keys F1 to F8. It sits in the bottom panel where the arrangement
// puts it.
class WindowControlsPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit WindowControlsPanel(QWidget* parent);

    // Each button runs its window command; after the size commands the keys
    // go back to the window.
    void connectTo(WindowSizing& sizing, const std::function<void()>& giveKeysBack);
    // The maximize button says what its next press does.
    void showMaximizeButton(const QString& caption, const QString& hint);
    void showMaximizeCaption(const QString& caption);

private:
    void MaximizeToggleButtonClick();
    void FullScreenModeClick();
    void VideoWindowToggleButtonClick();
    void BookmarksWindowToggleButtonClick();
    void SmallerScreenButtonClick();
    void LargerScreenButtonClick();
    void ShowSmallScreenSizeButtonClick();
    void ShowLargeScreenSizeButtonClick();

    WindowSizing* m_sizing = nullptr;
    TColourButton* F1_Button;
    TColourButton* F2_Button;
    TColourButton* F3_Button;
    TColourButton* F4_Button;
    TColourButton* F5_Button;
    TColourButton* F6_Button;
    TColourButton* F7_Button;
    TColourButton* F8_Button;
};
