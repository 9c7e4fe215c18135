// From what the finder heard (an onset strength and the chroma, frame by
// frame) to the beats and the count's "1": the faults a beat tracker is
// known for, each on an onset strength made to show it, against the beats
// it was made from.
#include "core/beats/BeatTracker.h"
#include "core/beats/Chroma.h"
#include "core/beats/Downbeats.h"

#include "BeatTruth.h"

#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>

using beats::SoundFeatures;

namespace {

constexpr double FrameRate = 22050.0 / 128.0;
using beats::PitchClasses;

// The pitch classes (A = 0) of four major triads: C, F, G and A.
std::array<int, 3> triad(int chord)
{
    const int root = std::array{3, 8, 10, 0}[std::size_t(chord % 4)];
    return {root, (root + 4) % PitchClasses, (root + 7) % PitchClasses};
}

// A piece of sound as the finder hears it: onsets of given strengths at
// given times over a faint, never silent, noise floor, and the chroma,
// which changes with the harmony at each bar's start.
class Heard {
public:
    explicit Heard(double seconds) : m_frames(std::size_t(seconds * FrameRate))
    {
        m_features.frameRate = FrameRate;
        m_features.onset.assign(m_frames, 0.0f);
        m_features.chroma.assign(m_frames * PitchClasses, 0.05f);
        m_features.duration = seconds;
        quint32 seed = 12345;
        for (float& v : m_features.onset) {
            seed = seed * 1664525u + 1013904223u;
            v = 0.02f * float(seed >> 8) / float(1 << 24);
        }
    }

    // An onset of `strength` at `t` seconds (over two frames, as a note's
    // rise spreads).
    void onset(double t, double strength)
    {
        const auto n = std::size_t(std::lround(t * FrameRate));
        if (n + 1 < m_frames) {
            m_features.onset[n] += float(strength);
            m_features.onset[n + 1] += float(strength / 2);
        }
    }
    // From `t` on, the chroma holds chord `chord` (one of four).
    void chordFrom(double t, int chord)
    {
        for (auto n = std::size_t(std::max(0.0, t * FrameRate)); n < m_frames; ++n)
            for (int c = 0; c < PitchClasses; ++c) {
                const auto notes = triad(chord);
                const bool in = std::find(notes.begin(), notes.end(), c) != notes.end();
                m_features.chroma[n * PitchClasses + std::size_t(c)] = in ? 1.0f : 0.05f;
            }
    }
    // Onsets at random from `from` to `to` seconds, `perSecond` of them a
    // second on average, in phrases of `phrase` seconds with `pause`
    // seconds between, each of a strength from `weakest` to `weakest` + 1:
    // speech's syllables.
    void speech(double from, double to, double perSecond, double weakest, double phrase = 1e9, double pause = 0)
    {
        quint32 seed = 99;
        const auto uniform = [&seed] {
            seed = seed * 1664525u + 1013904223u;
            return double(seed >> 8) / double(1 << 24);
        };
        for (double t = from - std::log(1.0 - uniform()) / perSecond; t < to;
             t += -std::log(1.0 - uniform()) / perSecond) {
            const double strength = weakest + uniform();
            if (std::fmod(t - from, phrase + pause) < phrase)
                onset(t, strength);
        }
    }
    SoundFeatures features() const { return m_features; }

private:
    std::size_t m_frames;
    SoundFeatures m_features;
};

// The beats of a steady tempo from `first`, every `period` seconds, up to
// (not including) `until`, each jittered by a few milliseconds as a player
// would.
QList<double> beatTimes(double first, double period, double until)
{
    QList<double> times;
    int i = 0;
    for (double t = first; t < until - 1e-9; t += period)
        times.append(t + 0.006 * std::sin(++i * 2.3));
    return times;
}

// The position of the time in `times` nearest to `t`.
qsizetype nearest(const QList<double>& times, double t)
{
    return std::min_element(times.begin(), times.end(),
                            [t](double a, double b) { return std::abs(a - t) < std::abs(b - t); }) -
           times.begin();
}

struct Song {
    SoundFeatures heard;
    QList<double> truth;
};

// Drums on the beats, hi-hats between them.
Song steady(double bpm, double seconds, double between)
{
    Song song{{}, beatTimes(0.25, 60 / bpm, seconds - 0.5)};
    Heard heard(seconds);
    for (double t : song.truth) {
        heard.onset(t, 1.0);
        heard.onset(t + 30 / bpm, between);
    }
    song.heard = heard.features();
    return song;
}

} // namespace

Q_DECLARE_METATYPE(Song)

class TestBeatTracker : public QObject {
    Q_OBJECT

private slots:
    void faults_data();
    void faults();
    void noSteadyBeat_data();
    void noSteadyBeat();
    void oneOnTheBarsFirstBeat();
    void countGoesOnThroughAStretchLeftOut();
    void oneWhereTheHarmonyChanges();
    void cancelled();
};

void TestBeatTracker::faults_data()
{
    QTest::addColumn<Song>("song");
    QTest::addColumn<double>("from"); // the stretch that must have its beats
    QTest::addColumn<double>("to");

    QTest::newRow("steady") << steady(120, 40, 0.3) << 0.0 << 40.0;

    // Hip-hop: the kick and snare on the beats at 92, swung hi-hats
    // twice as often: the beat is 92, not 184.
    {
        Song song{{}, beatTimes(0.3, 60 / 92.0, 44)};
        Heard heard(45);
        for (double t : song.truth) {
            heard.onset(t, 1.0);
            heard.onset(t + 0.62 * 60 / 92.0, 0.35);
        }
        song.heard = heard.features();
        QTest::newRow("not double the tempo") << song << 0.0 << 45.0;
    }

    // House: the off-beat open hi-hat and bass are almost as strong as the
    // kick, and more of them: the beats stay on the kick.
    {
        Song song{{}, beatTimes(0.2, 60 / 124.0, 39)};
        Heard heard(40);
        for (double t : song.truth) {
            heard.onset(t, 1.0);
            heard.onset(t + 30 / 124.0, 0.5);
            heard.onset(t + 30 / 124.0 + 0.01, 0.35);
        }
        song.heard = heard.features();
        QTest::newRow("off-beat phase") << song << 0.0 << 40.0;
    }

    // Funk at 110 whose drums stop for eight bars (17.7 s to 35.2 s), where
    // a soft bass on the beats and a chord on each bar's first beat are
    // left: the beats go on.
    {
        Song song{{}, beatTimes(0.4, 60 / 110.0, 60)};
        Heard heard(60);
        for (qsizetype i = 0; i < song.truth.size(); ++i) {
            const double t = song.truth[i];
            const bool inBreak = i >= 32 && i < 64;
            if (!inBreak) {
                heard.onset(t, 1.0);
                heard.onset(t + 30 / 110.0, 0.4);
            } else {
                heard.onset(t, i % 4 == 0 ? 0.6 : 0.3);
            }
        }
        song.heard = heard.features();
        QTest::newRow("break without drums") << song << song.truth[32] << song.truth[63];
    }

    // 100 beats a minute for 30 s, then 126: the beats follow at once.
    {
        Song song{{}, beatTimes(0.3, 0.6, 30.0)};
        const double change = song.truth.back() + 0.6;
        song.truth += beatTimes(change, 60 / 126.0, 60);
        Heard heard(60);
        for (double t : song.truth) {
            heard.onset(t, 1.0);
            heard.onset(t + (t < change ? 0.3 : 30 / 126.0), 0.3);
        }
        song.heard = heard.features();
        QTest::newRow("tempo change") << song << change << 60.0;
    }

    // Drums at 100 under a voice as loud, four syllables a second in
    // phrases of four seconds: the beats go on under the voice.
    {
        Song song{{}, beatTimes(0.3, 0.6, 89.5)};
        Heard heard(90);
        for (double t : song.truth) {
            heard.onset(t, 1.0);
            heard.onset(t + 0.3, 0.3);
        }
        heard.speech(0, 90, 4, 0.3, 4, 2);
        song.heard = heard.features();
        QTest::newRow("a voice over the beat") << song << 0.0 << 80.0;
    }

    // A softer piano alone for eight bars, then the band at 104.
    {
        Song song{{}, beatTimes(0.1, 60 / 104.0, 50)};
        Heard heard(50);
        for (qsizetype i = 0; i < song.truth.size(); ++i) {
            const bool intro = i < 32;
            heard.onset(song.truth[i], intro ? 0.6 : 1.0);
            if (!intro)
                heard.onset(song.truth[i] + 30 / 104.0, 0.4);
        }
        song.heard = heard.features();
        QTest::newRow("quiet intro") << song << 0.0 << song.truth[31];
    }
}

void TestBeatTracker::faults()
{
    QFETCH(Song, song);
    QFETCH(double, from);
    QFETCH(double, to);
    const std::atomic<bool> go{false};
    const beats::BeatAnalysis found = beats::analyseBeats(song.heard, go);
    const double f = BeatTruth::fMeasure(found.beats, song.truth);
    QVERIFY2(f >= 0.95, qPrintable(QStringLiteral("F-measure %1, %2 beats a minute").arg(f).arg(found.tempo)));
    int there = 0, inStretch = 0;
    for (double t : song.truth) {
        if (t < from - 1e-9 || t > to + 1e-9)
            continue;
        ++inStretch;
        there += BeatTruth::distanceToNearest(t, found.beats) <= 0.030 ? 1 : 0;
    }
    QVERIFY2(there >= 0.95 * inStretch, qPrintable(QStringLiteral("%1 of %2").arg(there).arg(inStretch)));
}

void TestBeatTracker::noSteadyBeat_data()
{
    QTest::addColumn<Song>("song");
    // Onsets at random, four a second on average: speech's syllables.
    Heard speech(40);
    speech.speech(0, 40, 4, 0.3);
    QTest::newRow("onsets at random") << Song{speech.features(), {}};
    QTest::newRow("nothing but the floor") << Song{Heard(40).features(), {}};
    QTest::newRow("shorter than a window") << Song{steady(120, 5, 0.3).heard, {}};
    QTest::newRow("no frames") << Song{Heard(0).features(), {}};
}

void TestBeatTracker::noSteadyBeat()
{
    QFETCH(Song, song);
    const std::atomic<bool> go{false};
    QCOMPARE(beats::analyseBeats(song.heard, go).beats, QList<double>{});
}

// The chord changes on every fourth beat from the second beat heard (the
// music starts on an upbeat): that beat is the count's "1".
void TestBeatTracker::oneOnTheBarsFirstBeat()
{
    const QList<double> truth = beatTimes(0.5, 0.5, 40);
    Heard heard(40);
    for (qsizetype i = 0; i < truth.size(); ++i) {
        heard.onset(truth[i], i % 4 == 2 ? 0.8 : 1.0); // the snare on two and four
        if (i % 4 == 1)
            heard.chordFrom(truth[i], int(i / 4));
    }
    const std::atomic<bool> go{false};
    const beats::BeatAnalysis found = beats::analyseBeats(heard.features(), go);
    QVERIFY(BeatTruth::fMeasure(found.beats, truth) > 0.95);
    QVERIFY(found.one >= 0 && found.one < found.beats.size());
    const double one = found.beats.at(found.one);
    QCOMPARE(nearest(truth, one) % 4, 1);
    QCOMPARE(found.beatsPerBar, 4);
}

// Ten seconds of a voice alone between two stretches of music at 120 in
// step with each other: the voice gets no beats, and after it the count's
// "1" is again on the bars' first beats.
void TestBeatTracker::countGoesOnThroughAStretchLeftOut()
{
    const QList<double> grid = beatTimes(0.25, 0.5, 110);
    Heard heard(110);
    QList<double> truth, bars;
    for (qsizetype i = 0; i < grid.size(); ++i) {
        const double t = grid[i];
        if (t > 40 && t < 50)
            continue;
        truth.append(t);
        heard.onset(t, 1.0);
        heard.onset(t + 0.25, 0.3);
        if (i % 4 == 0) {
            heard.chordFrom(t, int(i / 4));
            if (t > 50)
                bars.append(t);
        }
    }
    heard.speech(40, 50, 4, 0.3);
    const std::atomic<bool> go{false};
    const beats::BeatAnalysis found = beats::analyseBeats(heard.features(), go);
    QVERIFY2(BeatTruth::fMeasure(found.beats, truth) >= 0.95, qPrintable(QString::number(found.beats.size())));
    int onOne = 0;
    for (double bar : bars)
        onOne += ((nearest(found.beats, bar) - found.one) % 4 + 4) % 4 == 0 ? 1 : 0;
    QVERIFY2(onOne >= 0.95 * bars.size(), qPrintable(QStringLiteral("%1 of %2 bars").arg(onOne).arg(bars.size())));
}

// The chord changes on the second beat of each bar and grows louder on the
// fourth: the harmony's change marks the bar, not the loudness.
void TestBeatTracker::oneWhereTheHarmonyChanges()
{
    constexpr long FramesABeat = 80;
    std::vector<float> chroma;
    std::vector<long> beatFrames;
    for (int beat = 0; beat < 40; ++beat) {
        beatFrames.push_back(beat * FramesABeat);
        const auto notes = triad((beat + 3) / 4);
        const float loudness = beat % 4 == 3 ? 3.0f : 1.0f;
        for (long f = 0; f < FramesABeat; ++f)
            for (int c = 0; c < PitchClasses; ++c)
                chroma.push_back(loudness * (std::find(notes.begin(), notes.end(), c) != notes.end() ? 1.0f : 0.05f));
    }
    QCOMPARE(beats::firstDownbeat(chroma, beatFrames, 4), 1);
    QCOMPARE(beats::firstDownbeat(chroma, std::vector<long>(beatFrames.begin(), beatFrames.begin() + 8), 4), 0);
}

void TestBeatTracker::cancelled()
{
    const std::atomic<bool> stop{true};
    QVERIFY(beats::analyseBeats(steady(120, 40, 0.3).heard, stop).beats.isEmpty());
}

QTEST_GUILESS_MAIN(TestBeatTracker)
#include "TestBeatTracker.moc"
