#pragma once

#include "core/playback/LoopView.h"

#include <QGroupBox>

class ConfigBindings;
class FocusSink;
class LoopControls;
class QLabel;
class QLineEdit;
class TColourButton;
class TimeBox;
struct KeyboardFocusParts;

// The group "Loop Controls" (`LoopControlsBox`) of the main window: the set
// and reset buttons, the start and end time boxes `setStartTimeValue` and
// `setEndTimeValue` with their key boxes, the loop mode button, "play loop"
// and "play full video", and the description of the bookmark that plays.
// It is what the loop sees of the window.
class LoopControlsPanel : public QGroupBox, public LoopView {
    Q_OBJECT
public:
    LoopControlsPanel(FocusSink& sink, QWidget* parent);

    // The buttons start the loop's operations; the keys go back to the focus
    // sink after each.
    void connectTo(LoopControls& loops);
    void bindSettings(ConfigBindings& binding);
    void addFocusParts(KeyboardFocusParts& parts) const;

    // Beginner mode: no key boxes, wider buttons.
    void showMode(bool beginner);
    // While all bookmarks play the loop cannot be changed.
    void lockForPlayingAll(bool on);
    // The description of the bookmark that plays; shown only with a catalog.
    void setRunningDescription(const QString& text);
    void showRunningDescription(bool shown);

    // LoopView
    QString startTimeDigits() const override;
    QString endTimeDigits() const override;
    void setStartTimeDigits(const QString& digits) override;
    void setEndTimeDigits(const QString& digits) override;
    // The time boxes offer milliseconds ("precise loop points").
    void setPreciseTimeBoxes(bool precise);
    void showLoopIndicator(bool loop) override;
    void showLoopMode(bool continuously) override;
    void showLadder(const QString& caption) override;
    // The play button is the player controls' own: the window passes it on.
    void showPlaying(bool playing) override { emit playingShown(playing); }
    void clearPlayingBookmark() override;

    // Keystrokes are commands again ("player controls active").
    void giveFocusToSink();

signals:
    void playingShown(bool playing);
    // The playing bookmark's marks elsewhere (the bookmark list, the
    // catalog's row) go too.
    void playingBookmarkCleared();

private:
    void setStartTimeButtonClick();
    void setEndTimeButtonClick();
    void resetEndTimeButtonClick();
    void resetLoopButtonClick();
    void playLoopButtonClick();
    void playFullVideoButtonClick();
    void loopOnceClick();
    void paintLoopModeButton(const QString& caption, const QColor& colour, const QColor& hotColour);
    void placeTimeRows();

    FocusSink& m_sink;
    LoopControls* m_loops = nullptr;
    bool m_beginner = false;
    TColourButton* setStartTimeButton;
    TimeBox* setStartTimeValue;
    QLineEdit* setStartTimeKey;
    TColourButton* setEndTimeButton;
    TimeBox* setEndTimeValue;
    QLineEdit* setEndTimeKey;
    TColourButton* resetEndTimeButton;
    TColourButton* resetLoopButton;
    TColourButton* loopOnce;
    TColourButton* playLoopButton;
    QLineEdit* playLoopKey;
    TColourButton* playFullVideoButton;
    QLineEdit* playFullVideoKey;
    QLabel* RunningDescription;
};
