#pragma once

#include "core/desktop/PlaybackActivity.h"

#include <QObject>
#include <functional>

class IdleInhibitor;

// Keeps the screen awake while a clip plays, and only then. It follows the
// playback activity: the hold is taken as soon as an activity that keeps
// the screen awake begins, and let go once none has lasted ReleaseDelayMs,
// so that the turns between two passes or two bookmarks, a pause and a play
// pressed in a row, do not let the screen go and take it again. At the
// program's end it lets go at once and takes nothing any more.
class ScreenAwake : public QObject {
    Q_OBJECT
public:
    // Well within a second of a pause, counting the player's 50 ms tick.
    static constexpr int ReleaseDelayMs = 500;
    // Calls done once, ms milliseconds from now.
    using Timer = std::function<void(int ms, std::function<void()> done)>;
    enum class Hold { Released, Held, Releasing, Ended };

    explicit ScreenAwake(IdleInhibitor& inhibitor, QObject* parent = nullptr);

    // The timer of the release (a single-shot QTimer unless tests drive
    // their own clock).
    void setTimer(Timer timer) { m_timer = std::move(timer); }

    void follow(PlaybackActivity activity);
    // The program ends: the screen is let go now.
    void end();

    Hold hold() const { return m_hold; }

private:
    void releaseLater();

    IdleInhibitor& m_inhibitor;
    Timer m_timer;
    Hold m_hold = Hold::Released;
    int m_releaseNumber = 0; // tells a called-off release from the pending one
};
