#pragma once

#include <QWidget>
#include <functional>

class ClipLoader;
class TColourButton;
struct KeyboardFocusParts;

// The right-hand panel of the main window (`RHS_Panel`): the clip buttons
// (view clip, previous and next clip, import, exit) and "Switch to Advanced
// Mode" above and below the groups the window places in it (loop, bookmark
// and user controls).
class RightPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int Width = 195;

    explicit RightPanel(QWidget* parent);

    // The clip buttons open clips; the keys go back to the window after.
    void connectTo(ClipLoader& clips, const std::function<void()>& giveKeysBack);
    void addFocusParts(KeyboardFocusParts& parts) const;
    void setExitCaption(const QString& caption);
    // Beginner mode: only "view clip", larger; "Switch to Advanced Mode".
    void showMode(bool beginner);
    // While all bookmarks play no other clip can be opened.
    void lockForPlayingAll(bool on);

signals:
    void exitClicked(QObject* sender);
    void importClicked(QObject* sender);
    void advancedModeClicked(QObject* sender);

private:
    void ViewClipButtonClick();
    void previousClipButtonClick();
    void nextClipButtonClick();

    ClipLoader* m_clips = nullptr;
    TColourButton* ViewClipButton;
    TColourButton* exitButton;
    TColourButton* previousClipButton;
    TColourButton* nextClipButton;
    TColourButton* ImportClipsButton;
    TColourButton* AdvancedModeButton;
};
