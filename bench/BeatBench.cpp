// The beat finder's benchmark: how long aubio takes to find the beats of a
// clip on its worker thread, how late the interface thread's timer runs
// meanwhile, and how far the beats found lie from the ground truth.
//
//   BeatBench CLIP TRUTH [CHANGE]
//
// TRUTH is a file of beat times (one a line, seconds), as
// scripts/make-beat-clip.sh writes beside its clips. CHANGE is the time of
// a tempo change: with it, beats in the first 4 s and in the 4 s after the
// change count as the tracker settling and are left out of the error
// figures (how many of them are off is printed). Nothing is cached: every
// run finds the beats again.
#include "../tests/support/BeatTruth.h"
#include "BenchFigures.h"
#include "gui/beats/BeatFinder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: BeatBench CLIP TRUTH [CHANGE]\n");
        return 2;
    }
    // The finder takes absolute paths.
    const QString clip = QFileInfo(args.at(1)).absoluteFilePath();
    const QList<double> truth = BeatTruth::read(args.at(2));
    if (truth.isEmpty()) {
        std::fprintf(stderr, "no beats read from %s\n", qPrintable(args.at(2)));
        return 2;
    }
    const double change = args.size() > 3 ? args.at(3).toDouble() : -1.0;

    BeatFinder finder(QString{});
    QList<double> found;
    bool done = false;
    QObject::connect(&finder, &BeatFinder::beatsFound, &app, [&](const QString&, const QList<double>& beats, bool) {
        found = beats;
        done = true;
        app.quit();
    });

    // A frame's timer on the interface thread: how late each tick comes.
    constexpr int FrameMs = 16;
    QElapsedTimer clock;
    std::vector<double> late;
    qint64 last = -1;
    QTimer frame;
    frame.setTimerType(Qt::PreciseTimer);
    QObject::connect(&frame, &QTimer::timeout, &app, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (last >= 0)
            late.push_back(std::max(0.0, (now - last) / 1e6 - FrameMs));
        last = now;
    });
    QTimer::singleShot(600000, &app, &QApplication::quit);

    clock.start();
    frame.start(FrameMs);
    finder.find(clip);
    app.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (!done) {
        std::fprintf(stderr, "no beats within 10 minutes\n");
        return 1;
    }

    using BeatTruth::distanceToNearest;
    const auto settling = [change](double t) { return BeatTruth::settling(t, change); };
    std::vector<double> errors;
    int settlingOff = 0;
    int missed = 0;
    for (double t : found) {
        const double error = distanceToNearest(t, truth) * 1000.0;
        if (!settling(t))
            errors.push_back(error);
        else if (error > 30.0)
            ++settlingOff;
    }
    for (double t : truth)
        if (!settling(t) && distanceToNearest(t, found) > 0.030)
            ++missed;

    using namespace BenchFigures;
    print("analysis_time", seconds, "s");
    print("ui_timer_late_max", late.empty() ? -1 : *std::max_element(late.begin(), late.end()), "ms");
    print("ui_timer_late_p99", percentile(late, 0.99), "ms");
    print("beats_found", found.size(), "");
    print("beats_truth", truth.size(), "");
    print("beat_error_median", median(errors), "ms");
    print("beat_error_max", errors.empty() ? -1 : *std::max_element(errors.begin(), errors.end()), "ms");
    print("truth_beats_missed", missed, "");
    print("off_while_settling", settlingOff, "");
    return 0;
}
