#pragma once

#include "core/playback/PlaybackEngine.h"

#include <QHash>
#include <QStringList>
#include <vector>

// A scripted playback engine with a manual clock. Time moves only through
// advance(); every frame boundary passed while playing is reported as a
// position change, and a seek is reported at the next advance(), as a real
// engine reports it after the seek has landed. A load ends (fileLoaded or
// loadFailed) at finishLoad() or at the start of the next advance(), never
// inside load(); a fake told to open clips by itself also ends it as soon as
// the event loop turns, as libmpv does for a test running on real time.
class FakeEngine : public PlaybackEngine {
    Q_OBJECT
public:
    struct Clip {
        double duration = 20.0;
        double fps = 30.0;
        int width = 640;
        int height = 360;
        QString decoder = QStringLiteral("h264 (H.264 / AVC / MPEG-4 AVC / MPEG-4 part 10)");
        bool broken = false;
        // Never ends loading by itself; only abandonLoad() ends it.
        bool hangs = false;
        // The frames' times when they are not 1/fps apart (variable frame
        // rate); empty: 1/fps apart.
        std::vector<double> frameTimes = {};
    };

    explicit FakeEngine(QObject* parent = nullptr) : PlaybackEngine(parent) {}

    // Test controls.
    void setInitializeResult(bool ok) { m_initOk = ok; }
    void setDefaultClip(const Clip& clip) { m_defaultClip = clip; }
    void addClip(const QString& path, const Clip& clip) { m_clips.insert(path, clip); }
    void setOpensClipsByItself(bool byItself) { m_opensByItself = byItself; }
    void advance(int milliseconds);
    // Ends the pending load; false when none pends (or the clip hangs).
    bool finishLoad();
    bool loadPending() const { return m_loadPending; }
    // The open file fails from now on, as when the sound output cannot start.
    void breakDown(const QString& reason);
    const QStringList& loadedPaths() const { return m_loads; }
    int seekCount() const { return m_seeks; }
    double lastSeekTarget() const { return m_lastSeek; }
    // Whether the picture is held (see PlaybackEngine::holdPicture).
    bool pictureHeld() const { return m_pictureHeld; }

    bool initialize() override { return m_initOk; }
    void load(const QString& absolutePath) override;
    bool abandonLoad() override;
    bool isOpen() const override { return m_open; }
    void setPaused(bool paused) override;
    bool isPaused() const override { return m_paused; }
    bool isAtEnd() const override { return m_atEnd; }
    double position() const override { return m_position; }
    void seek(double seconds) override;
    bool seekPending() const override { return m_seekReportPending; }
    double frameTimeFrom(double seconds, int count) const override;
    void holdPicture(bool hold) override { m_pictureHeld = hold; }
    void setHardwareDecoding(bool on) override { m_hardwareDecoding = on; }
    bool hardwareDecodingOn() const { return m_hardwareDecoding; }
    void keepLoopFrames(double start, double end) override { m_keptLoop = {start, end}; }
    // The loop whose frames are kept (an end not after the start: none).
    std::pair<double, double> keptLoop() const { return m_keptLoop; }
    void setFrameStoreBudget(int megabytes) override { m_frameStoreMB = megabytes; }
    int frameStoreMB() const { return m_frameStoreMB; }
    double duration() const override { return m_open ? m_clip.duration : 0.0; }
    double framesPerSecond() const override { return m_open ? m_clip.fps : 0.0; }
    qint64 frameCount() const override;
    int videoWidth() const override { return m_open ? m_clip.width : 0; }
    int videoHeight() const override { return m_open ? m_clip.height : 0; }
    QString videoDecoderName() const override { return m_open && m_clip.width > 0 ? m_clip.decoder : QString(); }
    void setSpeed(double factor) override { m_speed = factor; }
    double speed() const override { return m_speed; }
    void setMuted(bool muted) override { m_muted = muted; }
    bool isMuted() const override { return m_muted; }
    void setVolume(int percent) override { m_volume = percent; }
    int volume() const override { return m_volume; }

private:
    bool m_initOk = true;
    Clip m_defaultClip;
    bool m_opensByItself = false;
    QHash<QString, Clip> m_clips;
    Clip m_clip;
    QString m_pendingLoad;
    bool m_loadPending = false;
    bool m_open = false;
    bool m_paused = true;
    bool m_atEnd = false;
    double m_position = 0.0;
    bool m_seekReportPending = false;
    double m_speed = 1.0;
    bool m_muted = false;
    int m_volume = 100;
    QStringList m_loads;
    int m_seeks = 0;
    double m_lastSeek = -1.0;
    bool m_pictureHeld = false;
    bool m_hardwareDecoding = true;
    std::pair<double, double> m_keptLoop{0.0, -1.0};
    int m_frameStoreMB = 768;
};
