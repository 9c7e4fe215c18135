// The beat finder's benchmark: how long the finder takes to find the beats
// of a clip on its worker thread, how late the interface thread's timer runs
// meanwhile, and how the beats found compare with the ground truth; beside
// them the same figures for aubio's own beat tracker with its defaults, run
// on the same clip (the peer).
//
//   BeatBench CLIP TRUTH [CHANGE]
//
// TRUTH is a file of beats (one a line: seconds, and for generated songs the
// beat's place in the bar), as scripts/make-beat-clip.sh and
// scripts/make-song.sh write beside their clips. CHANGE is the time of a
// tempo change in a click track: with it, beats in the first 4 s and in the
// 4 s after the change count as the tracker settling and are left out of
// the error figures (how many of them are off is printed). Nothing is
// cached: every run finds the beats again.
//
// The figures: the F-measure (a found beat within 70 ms of a true one, each
// matched once), the tempo (the median gap between beats) against the
// truth's in each stretch of one tempo, within 4 % or at which wrong level
// (half, double, two thirds, three halves), and the share of the truth's
// bars whose first beat the count calls "1" or "5".
#include "../tests/support/BeatTruth.h"
#include "BenchFigures.h"
#include "gui/beats/BeatFinder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <aubio/aubio.h>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// aubio's own tracker as its command line runs it by default: windows of
// 1024 samples, a hop of 512, at the file's own rate.
QList<double> aubioPeerBeats(const QString& clip)
{
    QList<double> beats;
    const QByteArray path = QFile::encodeName(clip);
    aubio_source_t* source = new_aubio_source(path.constData(), 0, 512);
    if (!source)
        return beats;
    aubio_tempo_t* tempo = new_aubio_tempo("default", 1024, 512, aubio_source_get_samplerate(source));
    fvec_t* block = new_fvec(512);
    fvec_t* out = new_fvec(1);
    uint_t read = 0;
    do {
        aubio_source_do(source, block, &read);
        aubio_tempo_do(tempo, block, out);
        if (out->data[0] != 0)
            beats.append(aubio_tempo_get_last_s(tempo));
    } while (read == 512);
    del_fvec(out);
    del_fvec(block);
    del_aubio_tempo(tempo);
    del_aubio_source(source);
    return beats;
}

// A stretch of the truth at one tempo: its first and last beat and gap.
struct Stretch {
    double from = 0, to = 0, gap = 0;
};

std::vector<Stretch> stretchesOf(const QList<double>& truth)
{
    std::vector<Stretch> stretches;
    for (qsizetype i = 1; i < truth.size(); ++i) {
        const double gap = truth[i] - truth[i - 1];
        if (stretches.empty() || std::abs(gap / stretches.back().gap - 1) > 0.02)
            stretches.push_back({truth[i - 1], truth[i], gap});
        else
            stretches.back().to = truth[i];
    }
    std::erase_if(stretches, [](const Stretch& s) { return (s.to - s.from) / s.gap < 8; });
    return stretches;
}

// The level a found tempo stands at against the truth's.
const char* levelOf(double ratio)
{
    const struct {
        double ratio;
        const char* name;
    } levels[] = {{1.0, "right"}, {0.5, "half"}, {2.0, "double"}, {2.0 / 3.0, "two-thirds"}, {1.5, "three-halves"}};
    for (const auto& level : levels)
        if (std::abs(ratio / level.ratio - 1) <= 0.04)
            return level.name;
    return ratio == 0 ? "none" : "other";
}

// Prints the tempo figures of `found` against the truth, with `prefix`.
void printTempo(const char* prefix, const QList<double>& found, const QList<double>& truth)
{
    using BenchFigures::print;
    const std::vector<Stretch> stretches = stretchesOf(truth);
    const char* worst = "right";
    for (std::size_t i = 0; i < stretches.size(); ++i) {
        const Stretch& s = stretches[i];
        const double gap = BeatTruth::medianGap(found, s.from, s.to);
        const double ratio = gap > 0 ? s.gap / gap : 0;
        const char* level = levelOf(ratio);
        std::printf("%stempo_stretch_%zu  truth %.1f found %.1f (%s)\n", prefix, i + 1, 60 / s.gap,
                    gap > 0 ? 60 / gap : 0.0, level);
        if (std::string(level) != "right")
            worst = level;
    }
    std::printf("%stempo_level  %s\n", prefix, worst);
    print((std::string(prefix) + "tempo_right").c_str(), std::string(worst) == "right" ? 1 : 0, "");
}

// The share of the truth's bars whose first beat has a found beat within
// 70 ms that the count calls "1" or "5"; -1 when the truth has no bars.
double barsOnOne(const QList<double>& found, int one, const QList<double>& bars)
{
    if (bars.isEmpty())
        return -1;
    int right = 0;
    for (double bar : bars) {
        qsizetype nearest = -1;
        for (qsizetype i = 0; i < found.size(); ++i)
            if (std::abs(found[i] - bar) <= 0.070 &&
                (nearest < 0 || std::abs(found[i] - bar) < std::abs(found[nearest] - bar)))
                nearest = i;
        if (nearest >= 0 && ((nearest - one) % 4 + 4) % 4 == 0)
            ++right;
    }
    return double(right) / double(bars.size());
}

} // namespace

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
    const QList<double> bars = BeatTruth::read(args.at(2), 1);
    if (truth.isEmpty()) {
        std::fprintf(stderr, "no beats read from %s\n", qPrintable(args.at(2)));
        return 2;
    }
    const double change = args.size() > 3 ? args.at(3).toDouble() : -1.0;

    BeatFinder finder(QString{});
    QList<double> found;
    int one = 0;
    bool done = false;
    QObject::connect(&finder, &BeatFinder::beatsFound, &app,
                     [&](const QString&, const QList<double>& beats, beats::BeatCount count, bool) {
                         found = beats;
                         one = count.one;
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
        if (!settling(t) && distanceToNearest(t, found) > 0.030) {
            ++missed;
            std::fprintf(stderr, "missed beat at %.3f s (nearest found %.0f ms away)\n", t,
                         distanceToNearest(t, found) * 1000);
        }

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
    print("f_measure", BeatTruth::fMeasure(found, truth), "");
    printTempo("", found, truth);
    print("bars_on_one", barsOnOne(found, one, bars), "");

    QElapsedTimer peerClock;
    peerClock.start();
    const QList<double> peer = aubioPeerBeats(clip);
    print("peer_analysis_time", peerClock.nsecsElapsed() / 1e9, "s");
    print("peer_f_measure", BeatTruth::fMeasure(peer, truth), "");
    printTempo("peer_", peer, truth);
    return 0;
}
