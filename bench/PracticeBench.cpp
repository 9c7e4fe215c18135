// Practice figures on one clip, printed as "name value unit" lines:
//  - the speed ladder on real libmpv: a one-second loop climbs 0.5, 0.75,
//    1.0 with two passes each, run by the real loop controls. For every pass
//    the first frame reported after the restart is compared with the loop's
//    start frame, the rate in force then with the ladder's, and the frame
//    the loop paused on with its end (overshoot);
//  - the mirror view's cost: the time from a paint event of the picture to
//    its frame drawn, while the clip plays, plain and mirrored.
// Needs an X display (bench/run.sh uses xvfb-run).
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
#include <QEvent>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <vector>

using BenchEvents::cpuSeconds;
using BenchEvents::spinUntil;
using BenchEvents::waitMs;
using BenchFigures::median;
using BenchFigures::percentile;
using BenchFigures::print;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: PracticeBench CLIP [CLIMBS]\n");
        return 2;
    }
    const QString clip = QString::fromLocal8Bit(argv[1]);
    const int climbs = argc > 2 ? std::max(0, std::atoi(argv[2])) : 3;
    ScriptedPrompt prompt;

    auto* engine = new MpvEngine(MpvEngineOptions{QStringLiteral("libmpv"), QStringLiteral("null")});
    if (!engine->initialize()) {
        std::fprintf(stderr, "libmpv did not start\n");
        return 1;
    }
    auto* picture = static_cast<MpvVideoWidget*>(engine->createVideoSurface(nullptr));
    picture->resize(960, 540);
    picture->show();
    spinUntil([&] { return picture->hasRenderContext(); }, 5000);
    MediaPlayerControl control(engine);
    control.setAutoStart(false);
    control.setFileName(clip);
    control.Open();
    spinUntil([&] { return control.OpenState() != osLoading; }, MediaPlayerControl::OpenDeadlineMs + 1000);
    if (control.OpenState() != osOpen) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    const double fps = engine->framesPerSecond() > 0 ? engine->framesPerSecond() : 30;

    // The ladder, as the main window runs it.
    FakeLoopView view; // a loop from 2 s to 3 s
    view.start = QStringLiteral("000002");
    view.end = QStringLiteral("000003");
    LoopControls loops(control, view);
    QObject::connect(&control, &MediaPlayerControl::OnPositionChange, &loops,
                     [&](double from, double to, quint32, quint32) { loops.positionChanged(from, to); });
    QObject::connect(&control, &MediaPlayerControl::OnPlayStateChange, &loops, &LoopControls::playStateChanged);
    // The user's own rate, which the ladder gives back.
    control.setRate(1.0);
    const double loopStart = 2.0, loopEnd = 3.0;
    const int passes = 2 * 3 + 1; // two at each rate, then one at the last
    int worstStartOffset = 0;
    int startOffFrames = 0;
    int worstOvershoot = 0;
    int wrongRates = 0;
    bool returning = true;
    bool rateDue = false;
    double expectedRate = 1.0;
    // The seek back to the start lands while the loop still waits; the
    // pass plays at its rate once the wait is over.
    QObject::connect(engine, &PlaybackEngine::positionChanged, [&](double s) {
        if (returning && std::abs(s - loopStart) < 0.5) {
            returning = false;
            rateDue = true;
            const int offset = int(std::abs(std::lround((s - loopStart) * fps)));
            worstStartOffset = std::max(worstStartOffset, offset);
            startOffFrames += offset != 0;
        }
        if (rateDue && !loops.restartPending() && !engine->isPaused()) {
            rateDue = false;
            wrongRates += std::abs(engine->speed() - expectedRate) > 1e-6;
        }
    });
    QObject::connect(engine, &PlaybackEngine::pausedChanged, [&](bool paused) {
        if (!paused || !loops.restartPending())
            return;
        QTimer::singleShot(100, [&] {
            worstOvershoot = std::max(worstOvershoot, int(std::lround((engine->position() - loopEnd) * fps)));
        });
    });
    // Runs the loop through seven passes, `climbs` times, in the given mode;
    // plain continuous loops at 1.0 give the figures to compare with.
    const auto run = [&](LoopControls::LoopMode mode, const char* prefix) {
        loops.setLoopMode(mode);
        worstStartOffset = startOffFrames = worstOvershoot = wrongRates = 0;
        std::vector<double> climbMs;
        for (int climb = 0; climb < climbs; ++climb) {
            QElapsedTimer climbClock;
            climbClock.start();
            for (int pass = 0; pass < passes; ++pass) {
                expectedRate = mode != LoopControls::LoopMode::Ladder ? 1.0 : pass < 2 ? 0.5 : pass < 4 ? 0.75 : 1.0;
                returning = true;
                if (pass == 0)
                    loops.playLoop();
                if (!spinUntil([&] { return !returning; }, 8000) || !spinUntil([&] { return !rateDue; }, 8000) ||
                    !spinUntil([&] { return loops.restartPending(); }, 8000)) {
                    std::fprintf(stderr, "the %s loop stopped at pass %d\n", prefix, pass + 1);
                    return false;
                }
            }
            climbMs.push_back(climbClock.nsecsElapsed() / 1e6);
            loops.clearLoop();
            control.Pause();
            waitMs(200);
        }
        const auto name = [prefix](const char* what) { return std::string(prefix) + "_" + what; };
        print(name("passes").c_str(), double(passes * climbs), "passes");
        print(name("start_offset_worst").c_str(), worstStartOffset, "frames");
        print(name("passes_off_start").c_str(), startOffFrames, "passes");
        print(name("overshoot_worst").c_str(), worstOvershoot, "frames");
        print(name("wrong_rate_passes").c_str(), wrongRates, "passes");
        print(name("seven_passes_median").c_str(), median(climbMs), "ms");
        return true;
    };
    if (climbs > 0) {
        if (!run(LoopControls::LoopMode::Ladder, "ladder") || !run(LoopControls::LoopMode::Continuously, "plain"))
            return 1;
        // The ladder gave back the rate it found.
        print("ladder_rate_after_leaving", control.Rate(), "x");
    }

    // The mirror's cost per frame drawn.
    PaintClock paintClock;
    picture->installEventFilter(&paintClock);
    QObject::connect(picture, &MpvVideoWidget::frameRendered, &paintClock, &PaintClock::painted);
    control.setCurrentPosition(0);
    for (bool mirrored : {false, true, false, true}) {
        picture->setMirrored(mirrored);
        waitMs(200);
        control.Play();
        waitMs(300);
        paintClock.paintMs.clear();
        const double cpuBefore = cpuSeconds();
        waitMs(2500);
        const double cpu = cpuSeconds() - cpuBefore;
        control.Pause();
        const char* which = mirrored ? "mirrored" : "plain";
        char name[64];
        std::snprintf(name, sizeof name, "paint_%s_median", which);
        print(name, median(paintClock.paintMs), "ms");
        std::snprintf(name, sizeof name, "paint_%s_p95", which);
        print(name, percentile(paintClock.paintMs, 0.95), "ms");
        std::snprintf(name, sizeof name, "frames_%s", which);
        print(name, double(paintClock.paintMs.size()), "frames");
        // All the process's threads (the GL rasterizer's among them) per frame.
        std::snprintf(name, sizeof name, "cpu_per_frame_%s", which);
        print(name, paintClock.paintMs.empty() ? -1 : cpu * 1000 / paintClock.paintMs.size(), "ms");
        control.setCurrentPosition(0);
    }
    delete picture;
    return 0;
}
