#pragma once

#include <QObject>
#include <functional>

class TMainForm;
class PlayAllSequence;

// The loop of the main window's "Loop Controls": a stretch between the start
// and end time boxes that plays once or continuously, and the handlers of the
// player's position and play-state events that run it.
class LoopControls : public QObject {
    Q_OBJECT
public:
    static constexpr int RestartPauseMs = 400;

    explicit LoopControls(TMainForm& form);

    // The catalog's play-all sequence; none until a catalog player exists.
    void setPlayAllSequence(PlayAllSequence* sequence) { m_playAll = sequence; }
    // The blocking wait before a continuous loop starts again (tests replace it).
    void setRestartWait(std::function<void(int)> wait) { m_wait = std::move(wait); }

    bool LoopIsPlaying = false;
    bool WaitingForLoopRestart = false;
    bool PlayOnNextStateChange = false;
    bool LoopContinuously = false;
    // Set when full screen is left while the clip is paused: the next
    // play-state event pauses again.
    bool RePause = false;
    QString indicator() const { return m_indicator; }

    void setStartTimeButtonClick(QObject* sender = nullptr);
    void setEndTimeButtonClick(QObject* sender = nullptr);
    void resetEndTimeButtonClick(QObject* sender = nullptr);
    void resetLoopButtonClick(QObject* sender = nullptr);
    void playLoopButtonClick(QObject* sender = nullptr);
    void playFullVideoButtonClick(QObject* sender = nullptr);
    void loopOnceClick(QObject* sender = nullptr);
    void LoopPlayingIndicatorChange(const QString& mode);

    void ActiveMovie1PositionChange(double oldPosition, double newPosition);
    void ActiveMovie1PlayStateChange(int oldState, int newState);

    // Fills the two boxes from a stored loop and plays it, as a bookmark or
    // a Bookmark Command Line does (end empty: to the clip's end).
    void playStoredLoop(const QString& startDigits, const QString& endDigits);

private:
    bool playingAll() const;
    void turnOffPlayAll();
    void refuseLoop(const QString& message);
    void clearPlayingBookmarkMarks();

    TMainForm& m_form;
    PlayAllSequence* m_playAll = nullptr;
    std::function<void(int)> m_wait;
    QString m_indicator = QStringLiteral("full");
};
