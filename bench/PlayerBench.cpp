// Playback figures on one clip, printed as "name value unit" lines:
// open-to-first-frame, the decoder that ran, single-frame steps forward and
// back, the back-3-seconds jump, the loop restart gap and the loop-end
// overshoot at three rates, how late the interface thread answers while the
// clip plays, how long the window freezes while another clip opens, and CPU
// use while paused, the frames drawn each second while the clip plays and
// the share of the time spent drawing them.
// Runs the real engine under the real player control and the real loop
// controls; the picture goes through MpvVideoWidget (needs an X display;
// bench/run.sh uses xvfb-run).
//
// To compare levers, the environment may turn things off or pass mpv
// options: TEMPOLOOP_BENCH_STEP_BY_DECODING=0 (steps forward by exact
// seeks), TEMPOLOOP_BENCH_HWDEC=0, TEMPOLOOP_BENCH_NO_CUE=1 (a continuous
// loop seeks back only after its wait), TEMPOLOOP_BENCH_MPV="name=value ...",
// and TEMPOLOOP_BENCH_PARTS="steps loops ui open" picks the parts to run.
#include "../tests/support/FakeViews.h"
#include "../tests/support/PaintClock.h"
#include "../tests/support/ScriptedPrompt.h"
#include "BenchEvents.h"
#include "BenchFigures.h"
#include "core/playback/LoopControls.h"
#include "core/playback/LoopView.h"
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
#include <cstdlib>
#include <sys/resource.h>
#include <vector>

using BenchEvents::cpuSeconds;
using BenchEvents::LatencyProbe;
using BenchEvents::spinUntil;
using BenchEvents::waitMs;
using BenchFigures::median;
using BenchFigures::percentile;
using BenchFigures::print;

namespace {

bool envOff(const char* name)
{
    const char* value = std::getenv(name);
    return value && QByteArray(value) == "0";
}

bool partWanted(const char* part)
{
    const char* parts = std::getenv("TEMPOLOOP_BENCH_PARTS");
    return !parts || QByteArray(parts).split(' ').contains(part);
}

struct Bench {
    MpvEngine* engine = nullptr;
    MediaPlayerControl* control = nullptr;
    MpvVideoWidget* picture = nullptr;
    double fps = 30;
    bool landed = false;
    bool drawn = false;

    // Runs a move of the position and waits until the engine has reported
    // where it landed and the picture has drawn the frame; the latency in
    // ms, -1 when it did not happen within 5 s.
    template <typename Move> double timed(Move move)
    {
        landed = drawn = false;
        QElapsedTimer clock;
        clock.start();
        move();
        const bool done = spinUntil([&] { return landed && drawn && !engine->seekPending(); }, 5000);
        const double ms = clock.nsecsElapsed() / 1e6;
        // Let any later report of the same move arrive too.
        waitMs(30);
        return done ? ms : -1;
    }
    double seekAndWait(double target)
    {
        return timed([&] { control->setCurrentPosition(target); });
    }
    int frameAt(double seconds) const { return int(std::lround(seconds * fps)); }
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
    const int loops = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    ScriptedPrompt prompt;

    MpvEngineOptions options{QStringLiteral("libmpv"), QStringLiteral("null")};
    options.stepByDecoding = !envOff("TEMPOLOOP_BENCH_STEP_BY_DECODING");
    options.hardwareDecoding = !envOff("TEMPOLOOP_BENCH_HWDEC");
    for (const QByteArray& pair : QByteArray(std::getenv("TEMPOLOOP_BENCH_MPV")).split(' ')) {
        const int equals = pair.indexOf('=');
        if (equals > 0)
            options.extraOptions.append({pair.left(equals), pair.mid(equals + 1)});
    }
    const bool cueDuringWait = !std::getenv("TEMPOLOOP_BENCH_NO_CUE");

    // Open to first frame drawn, counted from creating the player, as the
    // mpv command line counts from its start.
    QElapsedTimer clock;
    clock.start();
    Bench b;
    b.engine = new MpvEngine(options);
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
        b.drawn = true;
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
    const double duration = b.control->Duration();
    // The decoder, once the first frames have been decoded (a hardware
    // decoder that fails falls back to software then).
    waitMs(300);
    const QString hardware = b.engine->hardwareDecoder();
    std::printf("decoder %s, %s\n", qPrintable(b.engine->videoDecoderName()),
                hardware.isEmpty() ? "software decoding" : qPrintable("hardware decoding (" + hardware + ")"));
    // The frame times are read in the background; steps count real frames
    // once they are known.
    spinUntil([&] { return b.engine->knowsFrameTimes(); }, 10000);

    QObject::connect(b.engine, &PlaybackEngine::positionChanged, [&](double) { b.landed = true; });

    if (partWanted("steps")) {
        // Single-frame steps, as the keys make them: forward 40 frames (across a
        // keyframe), then back 40 frames from a fresh seek, so that each step
        // back decodes from its keyframe as it does after a jump.
        std::vector<double> forward, backward;
        int wrongSteps = 0;
        const double stepStart = std::min(4.0, duration / 3);
        b.seekAndWait(stepStart);
        for (int i = 0; i < 40; ++i) {
            const int before = b.frameAt(b.control->CurrentPosition());
            forward.push_back(b.timed([&] { b.control->stepFrames(1); }));
            wrongSteps += b.frameAt(b.engine->position()) != before + 1;
        }
        b.seekAndWait(stepStart + 2.0);
        for (int i = 0; i < 40; ++i) {
            const int before = b.frameAt(b.control->CurrentPosition());
            backward.push_back(b.timed([&] { b.control->stepFrames(-1); }));
            wrongSteps += b.frameAt(b.engine->position()) != before - 1;
        }
        print("step_forward_median", median(forward), "ms");
        print("step_forward_p90", percentile(forward, 0.9), "ms");
        print("step_backward_median", median(backward), "ms");
        print("step_backward_p90", percentile(backward, 0.9), "ms");
        // The press that waits for mpv to turn backwards.
        print("step_backward_worst", *std::max_element(backward.begin(), backward.end()), "ms");
        print("steps_off_their_frame", wrongSteps, "steps");

        // Back 3 seconds from frame-exact positions.
        int worstError = 0;
        std::vector<double> jumps;
        for (int i = 0; i < 10; ++i) {
            const double from = std::round((3.5 + i * 0.53 * (duration - 4.0) / 10) * b.fps) / b.fps;
            b.seekAndWait(from);
            const double target = from - 3.0;
            jumps.push_back(b.seekAndWait(target));
            worstError = std::max(worstError, std::abs(b.frameAt(b.engine->position() - target)));
        }
        print("back3s_error_worst", worstError, "frames");
        print("back3s_latency_median", median(jumps), "ms");
    }

    // One-second loops (2 s to 3 s) run by the real loop controls, at three
    // rates. Continuous loops: the restart gap is the time the picture
    // rests on the loop's end, from the pause until the loop's first frame
    // is drawn again while playing; the overshoot is the frame the loop
    // rests on (the position it holds) against the end time. Loops played
    // once: the frame mpv rests on once the pause has taken hold, against
    // the end time.
    FakeLoopView boxes; // a loop from 2 s to 3 s
    boxes.start = QStringLiteral("000002");
    boxes.end = QStringLiteral("000003");
    LoopControls loopControls(*b.control, boxes);
    QObject::connect(b.control, &MediaPlayerControl::OnPositionChange, &loopControls,
                     [&](double from, double to, quint32, quint32) { loopControls.positionChanged(from, to); });
    QObject::connect(b.control, &MediaPlayerControl::OnPlayStateChange, &loopControls, &LoopControls::playStateChanged);
    if (!cueDuringWait) {
        // The old order, to compare: the seek back waits for the wait's end.
        QObject::connect(b.engine, &PlaybackEngine::positionChanged, [&](double) {
            if (b.control->isCued())
                b.control->dropCue();
        });
    }
    const double loopStart = 2.0, loopEnd = 3.0;
    const double frame = 1.0 / b.fps;
    const double maxGap = loopControls.restartPauseMs() + 1000.0 * frame;
    for (double rate : {0.5, 1.0, 2.0}) {
        if (!partWanted("loops"))
            break;
        b.control->setRate(rate);
        int worstOvershoot = 0;
        std::vector<double> gaps;
        QElapsedTimer gap;
        bool waiting = false;
        // The pause at the loop's end: the controls have paused and wait.
        auto ends = QObject::connect(b.control, &MediaPlayerControl::OnPositionChange, [&] {
            if (waiting || !loopControls.restartPending())
                return;
            waiting = true;
            gap.start();
            worstOvershoot = std::max(worstOvershoot, b.frameAt(b.control->CurrentPosition() - loopEnd));
        });
        auto restarts = QObject::connect(b.picture, &MpvVideoWidget::frameRendered, [&] {
            const double at = b.engine->position();
            if (waiting && b.control->PlayState() == mpPlaying && at >= loopStart - frame / 2 &&
                at < loopStart + 3 * frame) {
                waiting = false;
                gaps.push_back(gap.nsecsElapsed() / 1e6);
            }
        });
        loopControls.setLoopMode(LoopControls::LoopMode::Continuously);
        loopControls.playLoop();
        const bool looped = spinUntil([&] { return int(gaps.size()) >= loops; }, loops * 5000 + 5000);
        QObject::disconnect(ends);
        QObject::disconnect(restarts);
        loopControls.clearLoop();
        b.control->Pause();
        waitMs(150);
        if (!looped) {
            std::fprintf(stderr, "loop did not restart at rate %.1f\n", rate);
            return 1;
        }

        // Loops played once, a few times.
        loopControls.setLoopMode(LoopControls::LoopMode::Once);
        for (int pass = 0; pass < std::max(3, loops / 4); ++pass) {
            loopControls.playLoop();
            if (!spinUntil([&] { return loopControls.WaitingForLoopRestart(); }, 8000)) {
                std::fprintf(stderr, "loop once did not end at rate %.1f\n", rate);
                return 1;
            }
            waitMs(100);
            worstOvershoot = std::max(worstOvershoot, b.frameAt(b.engine->position() - loopEnd));
        }
        loopControls.clearLoop();

        char name[64];
        std::snprintf(name, sizeof name, "loop_overshoot_x%.1f", rate);
        print(name, worstOvershoot, "frames");
        std::snprintf(name, sizeof name, "loop_restart_gap_x%.1f", rate);
        print(name, median(gaps), "ms");
        std::snprintf(name, sizeof name, "loop_restart_gap_max_x%.1f", rate);
        print(name, *std::max_element(gaps.begin(), gaps.end()), "ms");
    }
    if (partWanted("loops"))
        print("loop_restart_gap_allowed", maxGap, "ms");
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
    if (partWanted("ui")) {
        b.seekAndWait(0.0);
        // While the clip plays: the frames drawn each second, and the share
        // of the time the interface thread spends drawing them (paint event
        // to frame drawn), over the latency probe's six seconds.
        PaintClock paintClock;
        b.picture->installEventFilter(&paintClock);
        QObject::connect(b.picture, &MpvVideoWidget::frameRendered, &paintClock, &PaintClock::painted);
        b.control->Play();
        waitMs(300);
        paintClock.reset();
        QElapsedTimer playing;
        playing.start();
        measureLatency("playing", 6000);
        const double playedMs = playing.nsecsElapsed() / 1e6;
        print("frames_drawn_per_second", paintClock.paintMs.size() * 1000.0 / playedMs, "frames");
        print("paint_share_playing", 100.0 * paintClock.busyMs() / playedMs, "%");
        b.picture->removeEventFilter(&paintClock);
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
    }
    if (!partWanted("open")) {
        delete b.control;
        delete b.picture;
        return 0;
    }

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
