// Playback figures on one clip, printed as "name value unit" lines:
// open-to-first-frame, single-frame steps, the back-3-seconds jump, loop-end
// overshoot and loop restart gap at three rates, how late the interface
// thread answers while the clip plays, how long the window freezes while
// another clip opens, and CPU use while paused.
// Runs the real engine under the real player control; the picture goes
// through MpvVideoWidget (needs an X display; bench/run.sh uses xvfb-run).
#include "BenchEvents.h"
#include "BenchFigures.h"
#include "core/playback/LoopRules.h"
#include "core/playback/MediaPlayerControl.h"
#include "gui/playback/MpvEngine.h"
#include "gui/playback/MpvVideoWidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

using BenchEvents::cpuSeconds;
using BenchEvents::spinUntil;
using BenchEvents::waitMs;
using BenchFigures::median;
using BenchFigures::percentile;
using BenchFigures::print;

namespace {

// A 1 ms timer armed again each time it fires, on the interface thread: how
// late it fires is how long any request to that thread (a key, a paint, a
// screen reader's question) waits.
class LatencyProbe : public QObject {
public:
    std::vector<double> lateMs;
    double longestGapMs = 0;

    void start()
    {
        lateMs.clear();
        longestGapMs = 0;
        m_running = true;
        m_sinceFire.start();
        arm();
    }
    void stop() { m_running = false; }

private:
    void arm()
    {
        m_armed.start();
        QTimer::singleShot(1, Qt::PreciseTimer, this, [this] {
            if (!m_running)
                return;
            lateMs.push_back(m_armed.nsecsElapsed() / 1e6 - 1.0);
            longestGapMs = std::max(longestGapMs, m_sinceFire.nsecsElapsed() / 1e6);
            m_sinceFire.start();
            arm();
        });
    }

    bool m_running = false;
    QElapsedTimer m_armed;
    QElapsedTimer m_sinceFire;
};

struct Bench {
    MpvEngine* engine = nullptr;
    MediaPlayerControl* control = nullptr;
    MpvVideoWidget* picture = nullptr;
    double fps = 30;
    double lastEnginePosition = -1;
    QElapsedTimer lastMove;

    // Seeks through the control and waits for the engine to report the
    // landed frame; returns the latency in ms.
    double seekAndWait(double target)
    {
        lastEnginePosition = -1;
        QElapsedTimer clock;
        clock.start();
        control->setCurrentPosition(target);
        const bool landed = spinUntil([&] { return lastEnginePosition >= 0; }, 5000);
        // Let any later report of the same seek arrive too.
        waitMs(30);
        return landed ? clock.nsecsElapsed() / 1e6 : -1;
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: PlayerBench CLIP [LOOPS [OTHER_CLIP]]\n");
        return 2;
    }
    const QString clip = QString::fromLocal8Bit(argv[1]);
    const int loops = argc > 2 ? std::atoi(argv[2]) : 20;

    // Open to first frame drawn, counted from creating the player, as the
    // mpv command line counts from its start.
    QElapsedTimer clock;
    clock.start();
    Bench b;
    b.engine = new MpvEngine(MpvEngineOptions{QStringLiteral("libmpv"), QStringLiteral("null")});
    if (!b.engine->initialize()) {
        std::fprintf(stderr, "libmpv did not start\n");
        return 1;
    }
    b.picture = static_cast<MpvVideoWidget*>(b.engine->createVideoSurface(nullptr));
    b.picture->resize(640, 360);
    b.picture->show();
    spinUntil([&] { return b.picture->hasRenderContext(); }, 5000);
    const double startupMs = clock.nsecsElapsed() / 1e6;
    b.control = new MediaPlayerControl(b.engine);
    b.control->setAutoStart(false);
    bool firstFrame = false;
    // A frame of the clip being opened, not of the one before it.
    QObject::connect(b.picture, &MpvVideoWidget::frameRendered, [&] {
        if (b.control->OpenState() == osOpen)
            firstFrame = true;
    });
    QElapsedTimer openClock;
    openClock.start();
    b.control->setFileName(clip);
    b.control->Open();
    spinUntil([&] { return b.control->OpenState() != osLoading; }, MediaPlayerControl::OpenDeadlineMs + 1000);
    if (b.control->OpenState() != osOpen) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    spinUntil([&] { return firstFrame; }, 10000);
    print("first_frame_total", clock.nsecsElapsed() / 1e6, "ms");
    print("first_frame_after_start", openClock.nsecsElapsed() / 1e6, "ms");
    print("player_start", startupMs, "ms");
    b.fps = b.engine->framesPerSecond() > 0 ? b.engine->framesPerSecond() : 30;
    const double frame = 1.0 / b.fps;
    const double duration = b.control->Duration();

    QObject::connect(b.engine, &PlaybackEngine::positionChanged, [&](double s) {
        b.lastEnginePosition = s;
        b.lastMove.start();
    });

    // Single-frame steps, forward then back, across keyframes.
    std::vector<double> forward, backward;
    double at = 4.0;
    b.seekAndWait(at);
    for (int i = 0; i < 40; ++i) {
        at += frame;
        forward.push_back(b.seekAndWait(at));
    }
    for (int i = 0; i < 40; ++i) {
        at -= frame;
        backward.push_back(b.seekAndWait(at));
    }
    print("step_forward_median", median(forward), "ms");
    print("step_backward_median", median(backward), "ms");

    // Back 3 seconds from frame-exact positions.
    int worstError = 0;
    std::vector<double> jumps;
    for (int i = 0; i < 10; ++i) {
        const double from = std::round((4.0 + i * 0.53 * duration / 20) * b.fps) / b.fps;
        b.seekAndWait(from);
        const double target = from - 3.0;
        jumps.push_back(b.seekAndWait(target));
        worstError = std::max(worstError, int(std::abs(std::lround((b.engine->position() - target) * b.fps))));
    }
    print("back3s_error_worst", worstError, "frames");
    print("back3s_latency_median", median(jumps), "ms");

    // Loops of one second, run as the main window runs them: the loop rule
    // on the control's position events pauses at the loop's end; 400 ms
    // later a timer plays again, and the play-state event that follows
    // returns to the loop's start. The gap is from the pause to the loop's
    // first frame reported again.
    const double loopStart = 2.0, loopEnd = 3.0;
    const double selectionEnd = selectionEndForEndTime(int(loopEnd));
    for (double rate : {0.5, 1.0, 2.0}) {
        b.control->setRate(rate);
        b.control->setSelectionStart(-1);
        b.control->setSelectionEnd(-1);
        b.control->setSelectionStart(loopStart);
        b.control->setSelectionEnd(selectionEnd);
        int worstOvershoot = 0;
        std::vector<double> gaps;
        bool waiting = false;
        bool returning = false;
        QElapsedTimer gap;
        auto ends = QObject::connect(
            b.control, &MediaPlayerControl::OnPositionChange, [&](double, double now, quint32, quint32) {
                if (waiting || returning || b.control->PlayState() != mpPlaying ||
                    !loopEndReached(now, selectionEnd, duration))
                    return;
                b.control->Pause();
                waiting = true;
                gap.start();
                // What is on screen once the pause has taken hold.
                QTimer::singleShot(100, [&] {
                    worstOvershoot =
                        std::max(worstOvershoot, int(std::lround((b.engine->position() - loopEnd) * b.fps)));
                });
                QTimer::singleShot(400, b.control, [&] { b.control->Play(); });
            });
        auto restarts = QObject::connect(b.control, &MediaPlayerControl::OnPlayStateChange, [&](int, int now) {
            if (waiting && now == mpPlaying) {
                waiting = false;
                returning = true;
                b.control->setCurrentPosition(loopStart);
            }
        });
        auto lands = QObject::connect(b.engine, &PlaybackEngine::positionChanged, [&](double s) {
            // The first frame back at the loop's start; while playing, the
            // first report may already be a frame or two past it.
            if (returning && s >= loopStart - frame / 2 && s < loopStart + 3 * frame) {
                returning = false;
                gaps.push_back(gap.nsecsElapsed() / 1e6);
            }
        });
        b.seekAndWait(loopStart);
        b.control->Play();
        if (!spinUntil([&] { return int(gaps.size()) >= loops; }, loops * 4000 + 5000)) {
            std::fprintf(stderr, "loop did not restart at rate %.1f\n", rate);
            return 1;
        }
        b.control->Pause();
        waitMs(150);
        QObject::disconnect(ends);
        QObject::disconnect(restarts);
        QObject::disconnect(lands);
        char name[64];
        std::snprintf(name, sizeof name, "loop_overshoot_x%.1f", rate);
        print(name, worstOvershoot, "frames");
        std::snprintf(name, sizeof name, "loop_restart_gap_x%.1f", rate);
        print(name, median(gaps), "ms");
        std::snprintf(name, sizeof name, "loop_restart_gap_max_x%.1f", rate);
        print(name, *std::max_element(gaps.begin(), gaps.end()), "ms");
    }
    b.control->setRate(1.0);
    b.control->setSelectionStart(-1);
    b.control->setSelectionEnd(-1);

    // The interface thread while the clip plays, and while it is paused.
    LatencyProbe probe;
    auto measureLatency = [&](const char* state, int ms) {
        waitMs(300);
        probe.start();
        waitMs(ms);
        probe.stop();
        char name[64];
        std::snprintf(name, sizeof name, "ui_latency_%s_median", state);
        print(name, median(probe.lateMs), "ms");
        std::snprintf(name, sizeof name, "ui_latency_%s_p99", state);
        print(name, percentile(probe.lateMs, 0.99), "ms");
    };
    b.seekAndWait(0.0);
    b.control->Play();
    measureLatency("playing", 6000);
    b.control->Pause();
    measureLatency("paused", 2000);

    // CPU while paused with the picture shown.
    b.control->Pause();
    waitMs(500);
    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    waitMs(5000);
    print("cpu_paused", 100.0 * (cpuSeconds() - cpu0) / (wall.nsecsElapsed() / 1e9), "% of a core");

    // Opening another clip while this one plays, as the open dialog or the
    // next-clip key does: the longest the interface thread stays away from
    // its event loop between the open and the new clip's first frame.
    const QString other = argc > 3 ? QString::fromLocal8Bit(argv[3]) : clip;
    b.control->setAutoStart(true);
    b.control->Play();
    waitMs(500);
    firstFrame = false;
    probe.start();
    QElapsedTimer openFreeze;
    openFreeze.start();
    b.control->setFileName(other);
    b.control->Open();
    const bool reopened = spinUntil([&] { return b.control->OpenState() == osOpen && firstFrame; }, 10000);
    const double openMs = openFreeze.nsecsElapsed() / 1e6;
    waitMs(200);
    probe.stop();
    if (!reopened) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(other));
        return 1;
    }
    print("open_other_first_frame", openMs, "ms");
    print("open_other_freeze", probe.longestGapMs, "ms");

    delete b.control; // owns and frees the engine, which frees the render context
    delete b.picture;
    return 0;
}
