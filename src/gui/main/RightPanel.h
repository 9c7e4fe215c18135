#pragma once

#include <QWidget>

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

    void connectTo(ClipLoader& clips);
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
    TColourButton* ViewClipButton;
    TColourButton* exitButton;
    TColourButton* previousClipButton;
    TColourButton* nextClipButton;
    TColourButton* ImportClipsButton;
    TColourButton* AdvancedModeButton;
};
