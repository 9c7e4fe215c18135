// Playback figures on one clip, printed as "name value unit" lines:
// open-to-first-frame, single-frame steps, the back-3-seconds jump, loop-end
// overshoot and loop restart gap at three rates, and CPU use while paused.
// Runs the real engine under the real player control; the picture goes
// through MpvVideoWidget (needs an X display; bench/run.sh uses xvfb-run).
#include "BenchFigures.h"
#include "playback/LoopRules.h"
#include "playback/MediaPlayerControl.h"
#include "playback/MpvEngine.h"
#include "playback/MpvVideoWidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

using BenchFigures::median;
using BenchFigures::print;

namespace {

// Runs the event loop until done() or the timeout; false on timeout. A
// 1 ms timer wakes the loop, so waiting costs no CPU worth counting.
template <typename F> bool spinUntil(F done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    QTimer wake;
    wake.start(1);
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

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
        std::fprintf(stderr, "usage: PlayerBench CLIP [LOOPS]\n");
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
    QObject::connect(b.picture, &MpvVideoWidget::frameRendered, [&] { firstFrame = true; });
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

    // Loops of one second, ended by the loop rule on the control's position
    // events, restarted after the 400 ms wait.
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
        bool ended = false;
        auto conn = QObject::connect(
            b.control, &MediaPlayerControl::OnPositionChange, [&](double, double now, quint32, quint32) {
                if (!ended && b.control->PlayState() == mpPlaying && loopEndReached(now, selectionEnd, duration)) {
                    ended = true;
                    b.control->Pause();
                }
            });
        b.seekAndWait(loopStart);
        for (int i = 0; i < loops; ++i) {
            ended = false;
            b.control->Play();
            if (!spinUntil([&] { return ended; }, 10000)) {
                std::fprintf(stderr, "loop end not seen at rate %.1f\n", rate);
                return 1;
            }
            QElapsedTimer gap;
            gap.start();
            // What was on screen once the pause took hold.
            waitMs(60);
            worstOvershoot = std::max(worstOvershoot, int(std::lround((b.engine->position() - loopEnd) * b.fps)));
            // The loop's restart: a blocking wait, then back to its start.
            QThread::msleep(std::max<qint64>(0, 400 - gap.elapsed()));
            b.lastEnginePosition = -1;
            b.control->setCurrentPosition(loopStart);
            spinUntil(
                [&] { return b.lastEnginePosition >= 0 && std::abs(b.lastEnginePosition - loopStart) < frame / 2; },
                5000);
            gaps.push_back(gap.nsecsElapsed() / 1e6);
        }
        QObject::disconnect(conn);
        char name[64];
        std::snprintf(name, sizeof name, "loop_overshoot_x%.1f", rate);
        print(name, worstOvershoot, "frames");
        std::snprintf(name, sizeof name, "loop_restart_gap_x%.1f", rate);
        print(name, median(gaps), "ms");
        std::snprintf(name, sizeof name, "loop_restart_gap_max_x%.1f", rate);
        print(name, *std::max_element(gaps.begin(), gaps.end()), "ms");
    }

    // CPU while paused with the picture shown.
    b.control->Pause();
    waitMs(500);
    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    waitMs(5000);
    print("cpu_paused", 100.0 * (cpuSeconds() - cpu0) / (wall.nsecsElapsed() / 1e9), "% of a core");

    delete b.control; // owns and frees the engine, which frees the render context
    delete b.picture;
    return 0;
}
