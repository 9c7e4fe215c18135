#include "gui/playback/MpvEngine.h"

#include "gui/playback/ClipFrameScan.h"
#include "gui/playback/MpvProperty.h"
#include "gui/playback/MpvVideoWidget.h"

#include <QMetaObject>
#include <QPointer>
#include <clocale>
#include <cmath>
#include <iterator>
#include <mpv/client.h>

using namespace mpvproperty;

namespace {

// mpv's safe choice of hardware decoders, with the frames copied back to
// memory: exact seeks, frame steps and every view of the picture work as
// they do with software decoding.
const char* hardwareDecodingValue(bool on)
{
    return on ? "auto-copy-safe" : "no";
}

} // namespace

MpvEngine::MpvEngine(const MpvEngineOptions& options, QObject* parent)
    : PlaybackEngine(parent), m_options(options),
      m_stepper(linkStepper(), {options.stepByDecoding, options.stepBackByReversing}),
      m_hardwareDecoding(options.hardwareDecoding)
{
}

MpvEngine::~MpvEngine()
{
    if (m_scan)
        m_scan->cancel();
    for (auto& scan : m_retiredScans)
        scan->cancel();
    if (!m_mpv)
        return;
    mpv_set_wakeup_callback(m_mpv, nullptr, nullptr);
    // The render context must go before the handle it draws for.
    if (m_surface)
        m_surface->releaseRenderContext();
    mpv_terminate_destroy(m_mpv);
}

bool MpvEngine::initialize()
{
    if (m_mpv)
        return true;
    // mpv refuses to start under a locale that writes decimal commas.
    std::setlocale(LC_NUMERIC, "C");
    m_mpv = mpv_create();
    if (!m_mpv)
        return false;

    const QByteArray vo = m_options.videoOutput.toUtf8();
    const QByteArray ao = m_options.audioOutput.toUtf8();
    const std::pair<const char*, const char*> settings[] = {
        {"config", "no"},
        {"load-scripts", "no"},
        {"ytdl", "no"},
        {"input-default-bindings", "no"},
        {"input-vo-keyboard", "no"},
        {"osc", "no"},
        {"terminal", "no"},
        {"idle", "yes"},
        {"keep-open", "yes"},
        {"access-references", "no"},
        {"hr-seek", "yes"},
        {nameOf(PropPause), "yes"},
        // Without a working sound output clips still play, silently.
        {"audio-fallback-to-null", "yes"},
        // Slow and fast rates keep the music's pitch (mpv's default, made sure).
        {"audio-pitch-correction", "yes"},
        // Frames are handed over when due; drawing never waits for their time.
        {"video-timing-offset", "0"},
        {nameOf(PropHardwareDecoding), hardwareDecodingValue(m_hardwareDecoding)},
        // Decoded frames are copied back to memory, so the picture's render
        // context needs no hardware interop: none is looked for on the
        // interface thread.
        {"gpu-hwdec-interop", "no"},
        {"vo", vo.isEmpty() ? "libmpv" : vo.constData()},
    };
    for (const auto& [name, value] : settings) {
        if (mpv_set_option_string(m_mpv, name, value) < 0) {
            mpv_terminate_destroy(m_mpv);
            m_mpv = nullptr;
            return false;
        }
    }
    if (!ao.isEmpty())
        mpv_set_option_string(m_mpv, "ao", ao.constData());
    for (const auto& [name, value] : m_options.extraOptions)
        mpv_set_option_string(m_mpv, name.constData(), value.constData());

    if (mpv_initialize(m_mpv) < 0) {
        mpv_terminate_destroy(m_mpv);
        m_mpv = nullptr;
        return false;
    }

    for (const Property& watched : properties()) {
        if (watched.watched())
            mpv_observe_property(m_mpv, watched.prop, watched.name, watched.format);
    }

    mpv_set_wakeup_callback(m_mpv, &MpvEngine::onWakeup, this);
    return true;
}

// Called on one of mpv's threads: queue the work, touch nothing else.
void MpvEngine::onWakeup(void* self)
{
    auto* engine = static_cast<MpvEngine*>(self);
    if (engine->m_drainQueued.exchange(true))
        return;
    QMetaObject::invokeMethod(engine, &MpvEngine::drainEvents, Qt::QueuedConnection);
}

void MpvEngine::drainEvents()
{
    m_drainQueued = false;
    if (!m_mpv || m_draining)
        return;
    m_draining = true;
    while (true) {
        const mpv_event* event = mpv_wait_event(m_mpv, 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        handleEvent(*event);
    }
    m_draining = false;
}

// Signals wait for a queued step of their own, so that what the windows do
// on them (open another clip, show a modal box) happens outside the drain.
void MpvEngine::post(std::function<void()> signal, quint64 loadSerial)
{
    m_outbox.push_back({loadSerial, std::move(signal)});
    if (m_deliveryQueued)
        return;
    m_deliveryQueued = true;
    QMetaObject::invokeMethod(this, &MpvEngine::deliver, Qt::QueuedConnection);
}

// One at a time from the front: a handler that runs an event loop of its
// own lets the rest be delivered in order from there.
void MpvEngine::deliver()
{
    m_deliveryQueued = false;
    while (!m_outbox.empty()) {
        Posted next = std::move(m_outbox.front());
        m_outbox.pop_front();
        if (next.loadSerial == m_loadSerial || next.loadSerial == AnyLoad)
            next.emitSignal();
    }
}

void MpvEngine::handleEvent(const mpv_event& event)
{
    switch (event.event_id) {
    case MPV_EVENT_PROPERTY_CHANGE:
        if (event.reply_userdata >= PropTimePos && event.reply_userdata < PropCount)
            handlePropertyChange(Prop(event.reply_userdata), *static_cast<mpv_event_property*>(event.data));
        break;
    case MPV_EVENT_START_FILE:
        // Without an entry id from loadfile, the next file to start is ours.
        if (m_loadState == LoadState::Loading && m_loadingEntry < 0)
            m_loadingEntry = static_cast<mpv_event_start_file*>(event.data)->playlist_entry_id;
        break;
    case MPV_EVENT_FILE_LOADED:
        handleFileLoaded();
        break;
    case MPV_EVENT_END_FILE:
        handleEndFile(event);
        break;
    case MPV_EVENT_SET_PROPERTY_REPLY: {
        const std::uint64_t prop = event.reply_userdata - SetReplyBase;
        if (prop < PropCount && m_writesInFlight[prop] > 0)
            --m_writesInFlight[prop];
        break;
    }
    case MPV_EVENT_COMMAND_REPLY:
        if (event.reply_userdata & SeekReplyFlag)
            m_seekAcknowledged = event.reply_userdata & SerialMask;
        else if (event.reply_userdata == TurnReplyFlag)
            m_stepper.turnTaken();
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        m_stepper.playbackRestarted();
        handleSeekLanded();
        break;
    case MPV_EVENT_GET_PROPERTY_REPLY: {
        const auto* property = static_cast<mpv_event_property*>(event.data);
        if (event.reply_userdata & SyncReplyFlag) {
            const quint64 serial = event.reply_userdata & SerialMask;
            post(
                [this, serial] {
                    m_syncsReached = std::max(m_syncsReached, serial);
                    emit syncReached(serial);
                },
                AnyLoad);
            break;
        }
        if (event.reply_userdata & FactReplyFlag) {
            handleFact(event.reply_userdata, event.error >= 0 ? property : nullptr);
            break;
        }
        if ((event.reply_userdata & PositionReplyFlag) && event.error >= 0 && isOpen() &&
            (event.reply_userdata & SerialMask) == m_seekSerial && !m_seekPending && !m_stepper.stepPending() &&
            property->format == MPV_FORMAT_DOUBLE) {
            if (m_stepper.exactSeekLanded(asDouble(*property)) == MpvFrameStepper::Landing::SoughtAgain)
                break;
            reportPosition(asDouble(*property));
            m_stepper.turnIfWanted();
        }
        // After a step has landed: whether mpv has paused again by itself.
        if ((event.reply_userdata & PauseReplyFlag) && event.error >= 0 && property->format == MPV_FORMAT_FLAG &&
            asFlag(*property) && m_stepper.stepHoldsPause())
            m_stepper.mpvPaused();
        break;
    }
    default:
        break;
    }
}

void MpvEngine::handlePropertyChange(Prop prop, const mpv_event_property& p)
{
    if (m_writesInFlight[prop] > 0)
        return;
    if (const auto intoFacts = mpvproperty::property(prop).intoFacts) {
        intoFacts(m_file, p);
        return;
    }
    switch (prop) {
    case PropTimePos:
        // While mpv turns around it seeks to where it rests: nothing moves.
        if (!isOpen() || m_seekPending || m_stepper.isTurning() || p.format != MPV_FORMAT_DOUBLE)
            return;
        if (m_stepper.holdsPosition(asDouble(p)))
            return;
        reportPosition(asDouble(p));
        break;
    case PropPause:
        if (m_stepper.stepHoldsPause()) {
            // mpv plays for the step and pauses again by itself.
            if (asFlag(p))
                m_stepper.mpvPaused();
            return;
        }
        if (asFlag(p) != m_paused) {
            m_paused = asFlag(p);
            post([this, paused = m_paused] { emit pausedChanged(paused); });
        }
        break;
    case PropEof: {
        bool atEnd = asFlag(p);
        // Stopped at the pause point: mpv's end, not the clip's.
        if (atEnd && m_mpvEnd >= 0.0 && m_pauseFrame >= 0.0)
            atEnd = false;
        if (atEnd == m_atEnd)
            return;
        m_atEnd = atEnd;
        if (atEnd && isOpen())
            post([this] { emit endReached(); });
        break;
    }
    case PropSpeed:
        m_speed = asDouble(p, m_speed);
        break;
    case PropMute:
        m_muted = asFlag(p);
        break;
    case PropVolume:
        m_volume = int(std::lround(asDouble(p, m_volume)));
        break;
    default:
        break;
    }
}

// On the last frame mpv may report the audio's clock, which runs on past the
// picture; the picture is what the user sees, so its time is the position.
void MpvEngine::reportPosition(double seconds)
{
    // Stopped at the pause point, mpv reads its end, just past the frame.
    if (m_mpvEnd >= 0.0 && seconds > m_pauseFrame && seconds <= m_mpvEnd + 1e-6)
        seconds = m_pauseFrame;
    const qint64 frames = frameCount();
    if (m_file.width > 0 && m_file.fps > 0.0 && frames > 0) {
        // The frame times read from the file know the last frame better
        // than the average rate does (a variable rate).
        double last = (frames - 1) / m_file.fps;
        if (m_frameTimesKnown)
            last = std::max(last, m_frames.timeOf(m_frames.count() - 1));
        seconds = std::min(seconds, last);
    }
    m_position = std::max(seconds, 0.0);
    post([this, position = m_position] { emit positionChanged(position); });
}

FrameTimes MpvEngine::nominalFrames() const
{
    return FrameTimes::nominal(m_file.fps, m_file.duration);
}

double MpvEngine::frameTimeFrom(double seconds, int count) const
{
    if (!isOpen())
        return -1.0;
    return m_frameTimesKnown ? m_frames.timeFrom(seconds, count) : nominalFrames().timeFrom(seconds, count);
}

double MpvEngine::seekTargetFor(double frameTime) const
{
    return m_frameTimesKnown ? m_frames.seekTargetFor(frameTime) : nominalFrames().seekTargetFor(frameTime);
}

void MpvEngine::seek(double seconds)
{
    if (m_surface)
        m_surface->showLiveFrames();
    if (!std::isfinite(seconds) || seconds < 0.0)
        seconds = 0.0;
    seekTo(seconds, seconds);
}

// An exact seek to `target`; the position reads `readsAs` until it lands.
void MpvEngine::seekTo(double target, double readsAs)
{
    if (!isOpen())
        return;
    if (m_stepper.stepPending() || m_stepper.stepHoldsPause()) {
        // A step under way still has mpv playing: pausing calls it off.
        int flag = 1;
        setAsync(PropPause, &flag);
    }
    m_stepper.seekStarts();
    armPausePoint(readsAs);
    m_position = readsAs;
    m_seekPending = true;
    m_atEnd = false;
    const QByteArray where = QByteArray::number(target, 'f', 6);
    const char* args[] = {"seek", where.constData(), "absolute+exact", nullptr};
    mpv_command_async(m_mpv, SeekReplyFlag | (++m_seekSerial & SerialMask), args);
    ++m_seeksMade;
}

quint64 MpvEngine::requestSync()
{
    const quint64 serial = ++m_syncsAsked;
    if (!m_mpv || mpv_get_property_async(m_mpv, SyncReplyFlag | serial, nameOf(PropIdle), MPV_FORMAT_FLAG) < 0)
        QMetaObject::invokeMethod(
            this,
            [this, serial] {
                m_syncsReached = std::max(m_syncsReached, serial);
                emit syncReached(serial);
            },
            Qt::QueuedConnection);
    return serial;
}

void MpvEngine::setPausePoint(double seconds)
{
    m_pausePoint = seconds;
    armPausePoint(m_position);
}

// mpv stops playing at its "end" (as at a clip's end, resting on the last
// frame before it); set halfway to the frame after the pause point's frame,
// it stops on that frame. Only while playing from before it would reach it:
// a seek beyond it would otherwise find mpv's end there at once.
void MpvEngine::armPausePoint(double from)
{
    double end = -1.0;
    m_pauseFrame = -1.0;
    if (m_pausePoint >= 0.0 && isOpen() && m_file.width > 0) {
        const double frame = frameTimeFrom(m_pausePoint, 0);
        const double next = frameTimeFrom(m_pausePoint, 1);
        if (frame >= 0.0 && from < frame - 1e-6) {
            m_pauseFrame = frame;
            end = next > frame ? (frame + next) / 2 : frame + 0.5 / (m_file.fps > 0.0 ? m_file.fps : 30.0);
        }
    }
    if (end == m_mpvEnd || !m_mpv)
        return;
    m_mpvEnd = end;
    const QByteArray value = end < 0.0 ? QByteArray("none") : QByteArray::number(end, 'f', 6);
    const char* args[] = {"set", nameOf(PropEnd), value.constData(), nullptr};
    mpv_command_async(m_mpv, 0, args);
}

void MpvEngine::dropPausePointEnd()
{
    if (m_mpvEnd < 0.0)
        return;
    m_mpvEnd = -1.0;
    m_pauseFrame = -1.0;
    const char* args[] = {"set", nameOf(PropEnd), "none", nullptr};
    mpv_command_async(m_mpv, 0, args);
}

void MpvEngine::holdPicture(bool hold)
{
    if (m_surface)
        m_surface->setPictureHeld(hold);
}

void MpvEngine::keepLoopFrames(double start, double end)
{
    m_keptStart = start;
    m_keptEnd = end;
    if (m_surface)
        m_surface->keepLoopFrames(start, end, m_file.fps);
}

void MpvEngine::setFrameStoreBudget(int megabytes)
{
    m_frameStoreMB = std::max(0, megabytes);
    if (m_surface)
        m_surface->setFrameStoreBudget(qint64(m_frameStoreMB) * 1024 * 1024);
}

void MpvEngine::setHardwareDecoding(bool on)
{
    if (on == m_hardwareDecoding)
        return;
    m_hardwareDecoding = on;
    if (!m_mpv)
        return;
    const char* args[] = {"set", nameOf(PropHardwareDecoding), hardwareDecodingValue(on), nullptr};
    mpv_command_async(m_mpv, 0, args);
}

// Playback restarts after every seek. Until mpv has taken the last seek we
// asked for, a restart belongs to an earlier one and the target stands.
void MpvEngine::handleSeekLanded()
{
    if (!m_seekPending || m_seekAcknowledged != m_seekSerial)
        return;
    m_seekPending = false;
    mpv_get_property_async(m_mpv, PositionReplyFlag | m_seekSerial, "time-pos", MPV_FORMAT_DOUBLE);
}

qint64 MpvEngine::frameCount() const
{
    if (!isOpen())
        return 0;
    if (m_file.estimatedFrames > 0)
        return m_file.estimatedFrames;
    return m_file.fps > 0.0 ? std::llround(m_file.duration * m_file.fps) : 0;
}

void MpvEngine::setAsync(Prop prop, void* value)
{
    if (!m_mpv)
        return;
    const Property& written = mpvproperty::property(prop);
    if (mpv_set_property_async(m_mpv, SetReplyBase + prop, written.name, written.format, value) >= 0)
        ++m_writesInFlight[prop];
}

void MpvEngine::setPaused(bool paused)
{
    if (!paused && m_surface)
        m_surface->showLiveFrames();
    // Played backwards for steps back, mpv turns forward where it rests.
    if (!paused && !m_stepper.playsForward())
        seekTo(seekTargetFor(m_position), m_position);
    if (m_stepper.stepHoldsPause()) {
        // mpv still plays a step and would pause after it: pausing first
        // calls the step off, whatever comes next.
        int flag = 1;
        setAsync(PropPause, &flag);
        m_stepper.takePauseBack();
    }
    // Resting at the pause point, mpv plays on only without its end there.
    if (!paused && m_mpvEnd >= 0.0 && m_position >= m_pauseFrame - 1e-6)
        dropPausePointEnd();
    int flag = paused ? 1 : 0;
    setAsync(PropPause, &flag);
    if (paused != m_paused) {
        m_paused = paused;
        emit pausedChanged(paused);
    }
}

void MpvEngine::setSpeed(double factor)
{
    if (!(factor > 0.0))
        return;
    m_speed = factor;
    setAsync(PropSpeed, &factor);
}

void MpvEngine::setMuted(bool muted)
{
    m_muted = muted;
    int flag = muted ? 1 : 0;
    setAsync(PropMute, &flag);
}

void MpvEngine::setVolume(int percent)
{
    m_volume = std::clamp(percent, 0, 100);
    double value = m_volume;
    setAsync(PropVolume, &value);
}

QWidget* MpvEngine::createVideoSurface(QWidget* parent)
{
    if (!m_mpv || m_options.videoOutput != QLatin1String("libmpv"))
        return nullptr;
    if (m_surface)
        return m_surface;
    // mpv's video output needs the widget's render context: load() creates
    // it if the widget has not painted yet, once its window exists.
    m_surface = new MpvVideoWidget(m_mpv, parent);
    // A frame drawn is kept under the time of the frame mpv rests on; while
    // a seek or a step has not landed, that is not known.
    m_surface->setFrameClock(
        [this] { return isOpen() && !seekPending() && !m_stepper.isTurning() ? frameTimeFrom(m_position, 0) : -1.0; });
    m_surface->setFrameStoreBudget(qint64(m_frameStoreMB) * 1024 * 1024);
    return m_surface;
}
