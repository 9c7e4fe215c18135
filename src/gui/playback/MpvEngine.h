#pragma once

#include "core/playback/PlaybackEngine.h"
#include "core/playback/VideoSurfaceSource.h"

#include <QList>
#include <QPair>
#include <QPointer>
#include <QString>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>

struct mpv_handle;
struct mpv_event;
struct mpv_event_property;
class MpvVideoWidget;

struct MpvEngineOptions {
    // "libmpv" draws through MpvVideoWidget; "null" decodes without showing.
    QString videoOutput = QStringLiteral("libmpv");
    // Empty: mpv's default audio output; "null" for silent runs.
    QString audioOutput;
    // Further mpv options, set after (and so over) the engine's own.
    QList<QPair<QByteArray, QByteArray>> extraOptions = {};
};

// PlaybackEngine over libmpv's client API.
//
// mpv runs its own threads; its wakeup callback only queues a drain of the
// event queue onto the GUI thread, where every event is handled. The signals
// that the drain finds are emitted afterwards, from a queued step of their
// own: a handler may open another clip or run a modal box's event loop
// without re-entering the drain. State the windows ask for (position, pause,
// end, speed, mute, volume) is kept from observed properties, so reading it
// never waits for mpv. Facts about a file are taken once when it has loaded.
class MpvEngine : public PlaybackEngine, public VideoSurfaceSource {
    Q_OBJECT
public:
    explicit MpvEngine(const MpvEngineOptions& options = {}, QObject* parent = nullptr);
    ~MpvEngine() override;

    bool initialize() override;

    void load(const QString& absolutePath) override;
    // Deprecated: loading finishes with fileLoaded() or loadFailed().
    bool waitForLoad(int deadlineMs) override;
    bool isOpen() const override { return m_loadState == LoadState::Open; }

    void setPaused(bool paused) override;
    bool isPaused() const override { return m_paused; }
    bool isAtEnd() const override { return isOpen() && m_atEnd; }

    double position() const override { return isOpen() ? m_position : 0.0; }
    void seek(double seconds) override;

    double duration() const override { return isOpen() ? m_file.duration : 0.0; }
    double framesPerSecond() const override { return isOpen() ? m_file.fps : 0.0; }
    qint64 frameCount() const override;
    int videoWidth() const override { return isOpen() ? m_file.width : 0; }
    int videoHeight() const override { return isOpen() ? m_file.height : 0; }
    QString videoDecoderName() const override { return isOpen() ? m_file.decoder : QString(); }

    void setSpeed(double factor) override;
    double speed() const override { return m_speed; }
    void setMuted(bool muted) override;
    bool isMuted() const override { return m_muted; }
    void setVolume(int percent) override;
    int volume() const override { return m_volume; }

    // The picture's window must exist (shown once) before the first load.
    QWidget* createVideoSurface(QWidget* parent) override;

    // mpv's handle, for the picture widget; nullptr before initialize().
    mpv_handle* handle() const { return m_mpv; }
    // Whether mpv's event queue is being drained right now; no signal of the
    // engine is ever emitted while it is.
    bool isDraining() const { return m_draining; }

private:
    enum class LoadState { Idle, Loading, Open, Failed };
    // Observed properties, by the reply id mpv hands back with each change.
    enum Prop : std::uint64_t {
        PropTimePos = 1,
        PropPause,
        PropEof,
        PropDuration,
        PropSpeed,
        PropMute,
        PropVolume,
        PropFps,
        PropFrameCount,
        PropWidth,
        PropHeight,
        PropDecoder,
        PropCount
    };

    static void onWakeup(void* self);
    void drainEvents();
    void handleEvent(const mpv_event& event);
    void handlePropertyChange(Prop prop, const mpv_event_property& property);
    void handleFileLoaded();
    void handleEndFile(const mpv_event& event);
    void handleSeekLanded();
    void reportPosition(double seconds);
    void failLoad(const QString& reason);
    void refuse(const QString& reason);
    void reportRefusal();
    void handleFact(std::uint64_t replyId, const mpv_event_property* property);
    void finishLoad();
    void setAsync(Prop prop, const char* name, int format, void* value);
    void post(std::function<void()> signal);
    void deliver();

    MpvEngineOptions m_options;
    mpv_handle* m_mpv = nullptr;
    QPointer<MpvVideoWidget> m_surface;
    std::atomic<bool> m_drainQueued{false};
    bool m_draining = false;
    // Signals found by the drain, each with the load it belongs to; those
    // of a load that has since been replaced are dropped.
    struct Posted {
        quint64 loadSerial;
        std::function<void()> emitSignal;
    };
    std::deque<Posted> m_outbox;
    bool m_deliveryQueued = false;

    LoadState m_loadState = LoadState::Idle;
    std::int64_t m_loadingEntry = -1; // playlist entry of the file being opened
    quint64 m_loadSerial = 0;
    QString m_pendingRefusal;
    struct FileFacts {
        double duration = 0.0;
        double fps = 0.0;
        qint64 estimatedFrames = 0;
        int width = 0;
        int height = 0;
        QString decoder;
        QString codec; // the decoder's name when mpv has no description
    };
    // Facts of the open file, and of the file being opened while their
    // replies come in.
    FileFacts m_file;
    FileFacts m_opening;
    int m_factsPending = 0;

    bool m_paused = true;
    bool m_atEnd = false;
    double m_position = 0.0;
    // Writes not yet confirmed by mpv, per property: observed values that
    // were queued before the write must not undo it.
    int m_writesInFlight[PropCount] = {};
    // Seeks: the position reads as the target until the last seek has landed.
    std::uint64_t m_seekSerial = 0;
    std::uint64_t m_seekAcknowledged = 0;
    bool m_seekPending = false;

    double m_speed = 1.0;
    bool m_muted = false;
    int m_volume = 100;
};
