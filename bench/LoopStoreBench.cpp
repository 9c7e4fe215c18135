// Steps over a loop that has played once, with its frames kept (the frame
// store), on one clip, printed as "name value unit" lines: each single step
// back and forward from the key to the frame on screen (median and slowest
// press), a burst of 12 presses 45 ms apart (the 12th frame on screen
// against the last press), a held key's frames a second both ways (presses
// at the clip's frame rate), the memory held against the budget, and how
// late the interface thread answers while the loop plays and is kept.
// Runs the real engine under the real player control and loop controls;
// the picture goes through MpvVideoWidget (needs an X display; bench/run.sh
// uses xvfb-run).
//
//   LoopStoreBench CLIP
#include "../tests/support/FakeViews.h"
#include "../tests/support/ScriptedPrompt.h"
#include "BenchEvents.h"
#include "BenchFigures.h"
#include "core/playback/LoopControls.h"
#include "core/playback/MediaPlayerControl.h"
#include "gui/playback/MpvEngine.h"
#include "gui/playback/MpvVideoWidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using BenchEvents::LatencyProbe;
using BenchEvents::spinUntil;
using BenchEvents::waitMs;
using BenchFigures::median;
using BenchFigures::percentile;
using BenchFigures::print;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: LoopStoreBench CLIP\n");
        return 2;
    }
    ScriptedPrompt prompt;
    auto* engine = new MpvEngine(MpvEngineOptions{QStringLiteral("libmpv"), QStringLiteral("null")});
    if (!engine->initialize())
        return 1;
    auto* picture = static_cast<MpvVideoWidget*>(engine->createVideoSurface(nullptr));
    // The picture as the main window draws it on a 1280 x 800 screen.
    picture->resize(960, 540);
    picture->show();
    spinUntil([&] { return picture->hasRenderContext(); }, 5000);
    MediaPlayerControl control(engine);
    control.setAutoStart(false);
    control.setFileName(QString::fromLocal8Bit(argv[1]));
    control.Open();
    spinUntil([&] { return control.OpenState() != osLoading; }, MediaPlayerControl::OpenDeadlineMs + 1000);
    if (control.OpenState() != osOpen) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    spinUntil([&] { return engine->knowsFrameTimes(); }, 10000);
    waitMs(300);
    const double fps = engine->framesPerSecond() > 0 ? engine->framesPerSecond() : 30;
    const auto frameAt = [fps](double seconds) { return int(std::lround(seconds * fps)); };

    // Something on screen: a kept frame, or mpv's own frame where the
    // position reads.
    bool shown = false;
    QObject::connect(picture, &MpvVideoWidget::storedFrameShown, [&] { shown = true; });
    QObject::connect(picture, &MpvVideoWidget::frameRendered, [&] {
        if (!engine->seekPending())
            shown = true;
    });

    // A loop from 2 s to 3 s, played once by the loop controls while the
    // interface thread is watched.
    FakeLoopView boxes;
    boxes.start = QStringLiteral("000002");
    boxes.end = QStringLiteral("000003");
    LoopControls loops(control, boxes);
    QObject::connect(&control, &MediaPlayerControl::OnPositionChange, &loops,
                     [&](double from, double to, quint32, quint32) { loops.positionChanged(from, to); });
    QObject::connect(&control, &MediaPlayerControl::OnPlayStateChange, &loops, &LoopControls::playStateChanged);
    loops.setLoopMode(LoopControls::LoopMode::Once);
    LatencyProbe probe;
    probe.start();
    // The first pass keeps the loop's frames as its buffers are made; the
    // second keeps all of them.
    for (int pass = 0; pass < 2; ++pass) {
        loops.playLoop();
        if (!spinUntil([&] { return loops.WaitingForLoopRestart(); }, 15000)) {
            std::fprintf(stderr, "the loop did not end\n");
            return 1;
        }
        waitMs(200);
    }
    probe.stop();
    // Paused on the loop's last frame kept, as the dancer stops there.
    control.Pause();
    const LoopFrameStore& store = picture->frameStore();
    print("store_frames_held", store.heldCount(), "frames");
    print("store_frames_in_loop", std::ceil((store.loopEnd() - store.loopStart()) * fps) + 1, "frames");
    print("store_memory_held", store.bytesHeld() / 1048576.0, "MB");
    print("store_budget", store.budget() / 1048576.0, "MB");
    print("ui_latency_storing_p99", percentile(probe.lateMs, 0.99), "ms");

    // One press: key to frame on screen; -1 when nothing came in 5 s.
    const auto press = [&](int count) {
        shown = false;
        QElapsedTimer clock;
        clock.start();
        control.stepFrames(count);
        const bool done = spinUntil([&] { return shown; }, 5000);
        const double ms = clock.nsecsElapsed() / 1e6;
        return done ? ms : -1.0;
    };
    const auto settle = [&] {
        spinUntil([&] { return !engine->seekPending(); }, 5000);
        waitMs(60);
    };
    int wrong = 0;
    const auto single = [&](int count, const char* name) {
        std::vector<double> ms;
        for (int i = 0; i < 12; ++i) {
            const int before = frameAt(control.CurrentPosition());
            ms.push_back(press(count));
            wrong += frameAt(control.CurrentPosition()) != before + count;
            settle();
        }
        char line[64];
        std::snprintf(line, sizeof line, "%s_median", name);
        print(line, median(ms), "ms");
        std::snprintf(line, sizeof line, "%s_slowest", name);
        print(line, *std::max_element(ms.begin(), ms.end()), "ms");
    };
    control.setCurrentPosition(store.previous(store.loopEnd() + 1).value_or(3.0));
    settle();
    single(-1, "store_step_back");
    single(1, "store_step_forward");

    // Twelve presses back 45 ms apart: when the twelfth frame is on screen.
    settle();
    const int burstFrom = frameAt(control.CurrentPosition());
    int presses = 0;
    QElapsedTimer sinceLast;
    QTimer burst;
    burst.setInterval(45);
    QObject::connect(&burst, &QTimer::timeout, [&] {
        shown = false;
        control.stepFrames(-1);
        sinceLast.start();
        if (++presses == 12)
            burst.stop();
    });
    burst.start();
    spinUntil([&] { return presses == 12 && shown; }, 10000);
    print("store_burst_12_after_last", sinceLast.nsecsElapsed() / 1e6, "ms");
    wrong += frameAt(control.CurrentPosition()) != burstFrom - 12;
    settle();

    // A held key: presses at the clip's frame rate; the frames a second
    // that reach the screen.
    const auto held = [&](int count, const char* name) {
        settle();
        int frames = 0;
        auto counting = QObject::connect(picture, &MpvVideoWidget::storedFrameShown, [&] { ++frames; });
        QTimer repeat;
        repeat.setInterval(int(1000 / fps));
        int left = 20;
        QObject::connect(&repeat, &QTimer::timeout, [&] {
            control.stepFrames(count);
            if (--left == 0)
                repeat.stop();
        });
        QElapsedTimer clock;
        clock.start();
        repeat.start();
        spinUntil([&] { return left == 0; }, 10000);
        waitMs(int(1000 / fps));
        print(name, frames / (clock.nsecsElapsed() / 1e9), "frames/s");
        QObject::disconnect(counting);
    };
    held(-1, "store_held_back_fps");
    held(1, "store_held_forward_fps");
    print("store_clip_fps", fps, "frames/s");
    print("store_steps_off_their_frame", wrong, "steps");
    return 0;
}
