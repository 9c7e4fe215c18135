#pragma once

// A loop with its count-in played on libmpv into a PulseAudio server of the
// test's own (tests/sound/with-pulse.sh), the server's output recorded with
// parec, and the count-ins found in the recording: the four counts and the
// loop's first beat after them. Used by the sound test and the count-in
// benchmark. Header-only; every wait has a deadline.
#include "../ControlsOnMpv.h"
#include "core/beats/BeatGrid.h"
#include "gui/playback/MpvCountInPlayer.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

namespace countinrecording {

inline constexpr int SampleRate = 48000;
// The clip's click track: a beat every half second, 440 Hz clicks (the
// count-in's clicks are three times higher or more), heard up to 3.9 s:
// the loop below ends on the beat at 4 s, and the little of it that sounds
// as the loop pauses there would hide the count's "5".
inline constexpr double ClipBeat = 0.5;
inline constexpr double ClipSeconds = 8.0;

// Makes the click-track clip (a small picture and the clicks) with ffmpeg.
inline bool makeClickClip(const QString& path)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {"-loglevel",
                  "error",
                  "-y",
                  "-f",
                  "lavfi",
                  "-i",
                  "color=c=gray:s=64x64:r=30:d=8",
                  "-f",
                  "lavfi",
                  "-i",
                  "aevalsrc=0.5*sin(2*PI*440*t)*lt(mod(t\\,0.5)\\,0.03)*lt(t\\,3.9):s=48000:d=8",
                  "-c:v",
                  "libx264",
                  "-pix_fmt",
                  "yuv420p",
                  "-g",
                  "15",
                  "-c:a",
                  "aac",
                  "-b:a",
                  "128k",
                  "-shortest",
                  path});
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0 && QFile::exists(path);
}

inline QList<double> clipBeats()
{
    QList<double> beats;
    for (double t = 0; t < ClipSeconds; t += ClipBeat)
        beats << t;
    return beats;
}

// One sound heard in the recording: when it starts, and whether it is one
// of the count-in's clicks (high) or the clip's (low).
struct Onset {
    double seconds = 0;
    bool count = false;
};

// The starts of the clicks in mono 16-bit samples: a sample louder than the
// threshold after at least 150 ms of quieter ones... or of sounds already
// counted; each is told by its pitch (zero crossings in its first 8 ms).
inline QList<Onset> onsets(const QList<qint16>& samples)
{
    constexpr int Threshold = 1500;
    const qsizetype refractory = qsizetype(0.15 * SampleRate);
    const qsizetype window = qsizetype(0.008 * SampleRate);
    QList<Onset> found;
    qsizetype last = -refractory;
    for (qsizetype i = 0; i < samples.size(); ++i) {
        if (std::abs(int(samples[i])) < Threshold || i - last < refractory)
            continue;
        last = i;
        int crossings = 0;
        for (qsizetype j = i + 1; j < std::min(samples.size(), i + window); ++j)
            crossings += (samples[j - 1] < 0) != (samples[j] < 0);
        // 440 Hz crosses 7 times in 8 ms, 1320 Hz 21 times.
        found << Onset{double(i) / SampleRate, crossings > 14};
    }
    return found;
}

// A count-in found: its four counts and the loop's first beat after them.
struct CountInHeard {
    QList<double> times; // five
    // The largest difference of an interval between them from the beat.
    double worstErrorSeconds(double beat) const
    {
        double worst = 0;
        for (qsizetype i = 1; i < times.size(); ++i)
            worst = std::max(worst, std::abs(times[i] - times[i - 1] - beat));
        return worst;
    }
};

// Four high clicks in a row, then a low one.
inline QList<CountInHeard> countIns(const QList<Onset>& heard)
{
    QList<CountInHeard> found;
    for (qsizetype i = 0; i + 4 < heard.size(); ++i) {
        bool shape = !heard[i + 4].count;
        for (int k = 0; k < 4; ++k)
            shape = shape && heard[i + k].count;
        if (!shape)
            continue;
        CountInHeard one;
        for (int k = 0; k < 5; ++k)
            one.times << heard[i + k].seconds;
        found << one;
        i += 4;
    }
    return found;
}

// The server's output, recorded by parec into a file while it lives.
class Recorder {
public:
    explicit Recorder(const QString& path) : m_path(path)
    {
        m_parec.setStandardOutputFile(path);
        m_parec.start(QStringLiteral("parec"),
                      {"--latency-msec=10", "-d", qEnvironmentVariable("TEMPOLOOP_TEST_SINK") + ".monitor", "--raw",
                       "--format=s16le", "--rate=" + QString::number(SampleRate), "--channels=1"});
    }
    ~Recorder() { stop(); }
    // Waits until the server's sound comes in (parec takes a while to start).
    bool running()
    {
        return QTest::qWaitFor([&] { return QFileInfo(m_path).size() > SampleRate / 5; }, 10000);
    }
    QList<qint16> stop()
    {
        if (m_parec.state() != QProcess::NotRunning) {
            m_parec.terminate();
            m_parec.waitForFinished(5000);
        }
        QFile file(m_path);
        QList<qint16> samples;
        if (!file.open(QIODevice::ReadOnly))
            return samples;
        const QByteArray bytes = file.readAll();
        samples.resize(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.constData(), size_t(samples.size()) * 2);
        return samples;
    }

private:
    QString m_path;
    QProcess m_parec;
};

// Runs the event loop, as the program does, until the condition holds or
// the deadline passes (Qt Test's waits sleep between rounds of events, which
// would make the program's timers late).
inline bool runUntil(const std::function<bool()>& done, int deadlineMs)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(deadlineMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

// Plays a continuous loop of the clip from 2 s to 4 s (four beats) at
// `rate` with the count-in on, for `passes` passes, recording the output;
// the count-ins heard in the recording.
inline QList<CountInHeard> playCountedLoop(const QString& clip, const QString& recording, double rate,
                                           countin::CountInSound sound, int passes)
{
    ControlsOnMpv c({QStringLiteral("null"), QStringLiteral("pulse")});
    if (!c.started)
        return {};
    MpvCountInPlayer count(QStringLiteral("pulse"));
    QSignalSpy finished(c.player.get(), &MediaPlayerControl::loadFinished);
    c.player->setFileName(clip);
    c.player->Open();
    if (!finished.wait(ControlsOnMpv::DeadlineMs) || !finished.first().first().toBool())
        return {};
    c.loops->clipOpened();
    c.loops->setCountInPlayer(&count);
    c.loops->setBeatGrid(beats::BeatGrid(clipBeats()));
    c.loops->setCountIn(sound, 100);
    c.loops->setLoopMode(LoopControls::LoopMode::Continuously);
    c.player->setRate(rate);
    c.loopView.start = QStringLiteral("000002");
    c.loopView.end = QStringLiteral("000004");
    int started = 0;
    QObject::connect(c.player.get(), &MediaPlayerControl::OnPlayStateChange, c.player.get(),
                     [&](PlayStateValue, PlayStateValue to) { started += to == mpPlaying; });
    Recorder recorder(recording);
    if (!recorder.running())
        return {};
    started = 0; // the clip played as it opened
    c.loops->playLoop();
    const double pass = 4 * ClipBeat / rate;
    const int deadlineMs = int(passes * 2 * pass * 1000) + 5000;
    if (!runUntil([&] { return started >= passes; }, deadlineMs))
        return {};
    // The last pass's first beats are heard.
    runUntil([] { return false; }, int(pass * 500));
    c.loops->cancelRestart();
    c.player->Pause();
    return countIns(onsets(recorder.stop()));
}

} // namespace countinrecording
