#pragma once

#include "core/playback/FrameTimes.h"
#include "core/playback/PlaybackEngine.h"
#include "gui/playback/MpvFrameStepper.h"
#include "gui/playback/MpvProperty.h"
#include "gui/playback/VideoSurfaceSource.h"

#include <QList>
#include <QPair>
#include <QPointer>
#include <QSize>
#include <QString>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

class ClipFrameScan;
struct mpv_handle;
struct mpv_event;
struct mpv_event_property;
class MpvVideoWidget;

struct MpvEngineOptions {
    // "libmpv" draws through MpvVideoWidget; "null" decodes without showing.
    QString videoOutput = QStringLiteral("libmpv");
    // Empty: mpv's default audio output; "null" for silent runs.
    QString audioOutput;
    // Hardware decoding where the machine has it (see setHardwareDecoding).
    bool hardwareDecoding = true;
    // One frame forward is shown by decoding the next frame (mpv's frame
    // step) instead of an exact seek from the keyframe; off to compare.
    bool stepByDecoding = true;
    // Steps back after a first one are shown by mpv playing the clip
    // backwards (see stepFrames); off to compare.
    bool stepBackByReversing = true;
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
    bool abandonLoad() override;
    bool isOpen() const override { return m_loadState == LoadState::Open; }

    void setPaused(bool paused) override;
    bool isPaused() const override { return m_paused; }
    bool isAtEnd() const override { return isOpen() && m_atEnd; }

    double position() const override { return isOpen() ? m_position : 0.0; }
    void seek(double seconds) override;
    bool seekPending() const override { return m_seekPending || m_stepper.stepPending(); }

    double frameTimeFrom(double seconds, int count) const override;
    void stepFrames(double from, int count) override;
    // Whether the clip's own frame times have been read (until then steps
    // take the nominal frame rate).
    bool knowsFrameTimes() const { return m_frameTimesKnown; }
    // Single-frame steps that showed nothing in time and were made again as
    // exact seeks (each cost the step's deadline).
    int stepsRedone() const { return m_stepper.stepsRedone(); }
    // Exact seeks asked of mpv since the engine started (each decodes from
    // a keyframe).
    int seeksMade() const { return m_seeksMade; }

    void setPausePoint(double seconds) override;
    void holdPicture(bool hold) override;
    void keepLoopFrames(double start, double end) override;
    void setFrameStoreBudget(int megabytes) override;
    void setHardwareDecoding(bool on) override;
    QString hardwareDecoder() const override { return isOpen() ? m_file.hardwareDecoder : QString(); }

    double duration() const override { return isOpen() ? m_file.duration : 0.0; }
    double framesPerSecond() const override { return isOpen() ? m_file.fps : 0.0; }
    qint64 frameCount() const override;
    int videoWidth() const override { return isOpen() ? m_file.shownSize().width() : 0; }
    int videoHeight() const override { return isOpen() ? m_file.shownSize().height() : 0; }
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

    // A question to mpv that it answers after everything asked before it:
    // when syncReached(serial) arrives, whatever mpv had to report until then
    // (the frames it showed, the values it confirmed, what a replaced load
    // still said) has been handled and signalled. Returns the serial.
    quint64 requestSync();
    quint64 syncsReached() const { return m_syncsReached; }

signals:
    void syncReached(quint64 serial);

public:
private:
    enum class LoadState { Idle, Loading, Open, Failed };
    // What the frame stepper asks of the engine (MpvEngineSteps.cpp).
    class StepperLink;
    // Reply ids of asynchronous requests; observed properties use their
    // Prop. A flag's id carries a serial below it.
    static constexpr std::uint64_t SetReplyBase = 0x100;
    static constexpr std::uint64_t SeekReplyFlag = 1ull << 62;
    static constexpr std::uint64_t PositionReplyFlag = 1ull << 61;
    static constexpr std::uint64_t FactReplyFlag = 1ull << 60;
    static constexpr std::uint64_t PauseReplyFlag = 1ull << 59;
    static constexpr std::uint64_t SyncReplyFlag = 1ull << 58;
    static constexpr std::uint64_t TurnReplyFlag = 1ull << 57;
    static constexpr std::uint64_t SerialMask = (1ull << 58) - 1;
    using Prop = mpvproperty::Prop;
    using FileFacts = mpvproperty::FileFacts;

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
    // Writes a property without waiting for mpv; its events until mpv has
    // taken the write are older than the value written.
    void setAsync(Prop prop, void* value);
    void seekTo(double target, double readsAs);
    std::unique_ptr<MpvFrameStepper::Mpv> linkStepper();
    void scanFrameTimes(const QString& path);
    FrameTimes nominalFrames() const;
    double seekTargetFor(double frameTime) const;
    void armPausePoint(double from);
    void dropPausePointEnd();
    void post(std::function<void()> signal, quint64 loadSerial);
    void post(std::function<void()> signal) { post(std::move(signal), m_loadSerial); }
    void deliver();

    MpvEngineOptions m_options;
    mpv_handle* m_mpv = nullptr;
    QPointer<MpvVideoWidget> m_surface;
    std::atomic<bool> m_drainQueued{false};
    bool m_draining = false;
    // Signals found by the drain, each with the load it belongs to; those
    // of a load that has since been replaced are dropped.
    struct Posted {
        quint64 loadSerial; // AnyLoad: delivered whatever loads since
        std::function<void()> emitSignal;
    };
    static constexpr quint64 AnyLoad = ~0ull;
    std::deque<Posted> m_outbox;
    bool m_deliveryQueued = false;

    LoadState m_loadState = LoadState::Idle;
    std::int64_t m_loadingEntry = -1; // playlist entry of the file being opened
    QString m_loadingPath;
    quint64 m_loadSerial = 0;
    QString m_pendingRefusal;
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
    int m_writesInFlight[mpvproperty::PropCount] = {};
    // Seeks: the position reads as the target until the last seek has landed.
    std::uint64_t m_seekSerial = 0;
    std::uint64_t m_seekAcknowledged = 0;
    bool m_seekPending = false;
    quint64 m_syncsAsked = 0;
    quint64 m_syncsReached = 0;
    // Frame steps, mpv's direction for them, and what seeks back still owe.
    MpvFrameStepper m_stepper;
    int m_seeksMade = 0;

    // The clip's frame times, read on a thread of their own after a load;
    // nominal until they are known. Scans of earlier loads stop and are
    // collected here until they have.
    FrameTimes m_frames;
    bool m_frameTimesKnown = false;
    std::unique_ptr<ClipFrameScan> m_scan;
    std::vector<std::unique_ptr<ClipFrameScan>> m_retiredScans;
    bool m_hardwareDecoding = true;

    // The pause point (see setPausePoint): mpv's own end of playing is put
    // just past its frame while the position lies before it, so that mpv
    // stops on that frame by itself. Stopped there, mpv's end of file is
    // no end of the clip.
    double m_pausePoint = -1.0;
    double m_pauseFrame = -1.0;
    double m_mpvEnd = -1.0;

    // The loop whose frames the picture keeps, and the budget it has.
    double m_keptStart = 0.0;
    double m_keptEnd = -1.0;
    int m_frameStoreMB = 768;

    double m_speed = 1.0;
    bool m_muted = false;
    int m_volume = 100;
};
