// Opening a clip in MpvEngine: the load, its failures, and the facts of the
// file read once it has loaded.

#include "gui/playback/ClipFrameScan.h"
#include "gui/playback/MpvEngine.h"
#include "gui/playback/MpvProperty.h"
#include "gui/playback/MpvVideoWidget.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QMetaObject>
#include <iterator>
#include <mpv/client.h>

using namespace mpvproperty;

namespace {

// The facts taken when a file has loaded, read without waiting for mpv; a
// reply's id carries the load it belongs to and the fact's index.
struct Fact {
    const char* name;
    mpv_format format;
};
constexpr Fact FactReads[] = {
    {"duration", MPV_FORMAT_DOUBLE},
    {"container-fps", MPV_FORMAT_DOUBLE},
    {"estimated-frame-count", MPV_FORMAT_INT64},
    {"width", MPV_FORMAT_INT64},
    {"height", MPV_FORMAT_INT64},
    {"current-tracks/video/decoder-desc", MPV_FORMAT_STRING},
    {"video-codec", MPV_FORMAT_STRING},
    {"current-tracks/video/demux-rotation", MPV_FORMAT_INT64},
    {"current-tracks/video/demux-par", MPV_FORMAT_DOUBLE},
    {"hwdec-current", MPV_FORMAT_STRING},
};
constexpr int FactCount = int(std::size(FactReads));

// Longest single wait inside waitForLoad(), so its deadline is kept.
constexpr double WaitSliceSeconds = 0.02;

} // namespace

void MpvEngine::load(const QString& absolutePath)
{
    m_atEnd = false;
    m_position = 0.0;
    m_seekPending = false;
    endStep();
    m_paused = true;
    m_frames = FrameTimes();
    m_frameTimesKnown = false;
    if (m_scan) {
        m_scan->cancel();
        m_retiredScans.push_back(std::move(m_scan));
    }
    std::erase_if(m_retiredScans, [](const auto& scan) { return scan->finished(); });
    // What the last clip still had to say is of no interest now.
    ++m_loadSerial;
    m_pendingRefusal.clear();
    // mpv would also take URLs, playlists of URLs and devices: only plain
    // local files go through.
    const QFileInfo info(absolutePath);
    if (!m_mpv || absolutePath.isEmpty() || !info.isAbsolute() || !info.isFile()) {
        refuse(m_mpv ? QStringLiteral("not an existing file: %1").arg(absolutePath)
                     : QStringLiteral("the player is not running"));
        return;
    }

    // mpv's video output needs the picture's render context when the clip
    // starts decoding; create it now if the widget has not painted yet.
    if (m_surface && !m_surface->hasRenderContext() && m_surface->window()->windowHandle())
        m_surface->grabFramebuffer();

    m_loadState = LoadState::Loading;
    m_loadingEntry = -1;
    m_loadingPath = absolutePath;
    m_factsPending = 0;
    mpv_set_property_string(m_mpv, "pause", "yes");
    // So would its direction.
    m_reverseWanted = false;
    m_reversingFailed = false;
    m_backSeekFrom = -1.0;
    if (m_seekStartsEarlier) {
        m_seekStartsEarlier = false;
        mpv_set_property_string(m_mpv, "hr-seek-demuxer-offset", "0");
    }
    if (m_direction != Direction::Forward) {
        m_direction = Direction::Forward;
        mpv_set_property_string(m_mpv, "play-dir", "forward");
    }
    // mpv's end of playing would hold for the next file too.
    if (m_mpvEnd >= 0.0) {
        m_mpvEnd = -1.0;
        m_pauseFrame = -1.0;
        mpv_set_property_string(m_mpv, "end", "none");
    }
    const QByteArray path = absolutePath.toUtf8();
    const char* args[] = {"loadfile", path.constData(), "replace", nullptr};
    mpv_node result;
    if (mpv_command_ret(m_mpv, args, &result) < 0) {
        refuse(QStringLiteral("the player refused the file"));
        return;
    }
    if (result.format == MPV_FORMAT_NODE_MAP) {
        for (int i = 0; i < result.u.list->num; ++i) {
            if (qstrcmp(result.u.list->keys[i], "playlist_entry_id") == 0 &&
                result.u.list->values[i].format == MPV_FORMAT_INT64)
                m_loadingEntry = result.u.list->values[i].u.int64;
        }
    }
    mpv_free_node_contents(&result);
}

// A load refused before it reached mpv reports its failure from the event
// loop (or from waitForLoad, whichever comes first), never from inside load().
void MpvEngine::refuse(const QString& reason)
{
    if (m_mpv)
        mpv_command_string(m_mpv, "stop");
    m_loadState = LoadState::Failed;
    m_loadingEntry = -1;
    m_pendingRefusal = reason;
    const quint64 serial = m_loadSerial;
    QMetaObject::invokeMethod(
        this,
        [this, serial] {
            if (serial == m_loadSerial)
                reportRefusal();
        },
        Qt::QueuedConnection);
}

void MpvEngine::reportRefusal()
{
    if (m_pendingRefusal.isEmpty())
        return;
    const QString reason = m_pendingRefusal;
    m_pendingRefusal.clear();
    emit loadFailed(reason);
}

// Blocks the GUI thread; kept only until every caller finishes loading on
// fileLoaded() / loadFailed(). What it found is delivered before it returns.
bool MpvEngine::waitForLoad(int deadlineMs)
{
    reportRefusal();
    QElapsedTimer clock;
    clock.start();
    while (m_mpv && m_loadState == LoadState::Loading) {
        const qint64 left = deadlineMs - clock.elapsed();
        if (left <= 0) {
            // Give up on the file for good, so a late success cannot surprise
            // a caller that was told it failed.
            mpv_command_string(m_mpv, "stop");
            failLoad(QStringLiteral("the file took too long to open"));
            break;
        }
        const mpv_event* event = mpv_wait_event(m_mpv, std::min(WaitSliceSeconds, left / 1000.0));
        if (event->event_id != MPV_EVENT_NONE)
            handleEvent(*event);
    }
    deliver();
    return isOpen();
}

void MpvEngine::failLoad(const QString& reason)
{
    m_loadState = LoadState::Failed;
    m_loadingEntry = -1;
    post([this, reason] { emit loadFailed(reason); });
}

// The callers read the file's facts as soon as fileLoaded() arrives. They
// are asked for without waiting: a synchronous read waits for mpv's core,
// which is busy starting the file, and froze the window for up to 0.3 s.
void MpvEngine::handleFileLoaded()
{
    if (m_loadState != LoadState::Loading || m_factsPending > 0)
        return;
    m_opening = {};
    m_factsPending = FactCount;
    const std::uint64_t base = FactReplyFlag | ((m_loadSerial & 0xffffffffu) << 8);
    for (int i = 0; i < FactCount; ++i) {
        if (mpv_get_property_async(m_mpv, base | i, FactReads[i].name, FactReads[i].format) < 0)
            --m_factsPending;
    }
    if (m_factsPending == 0)
        finishLoad();
}

void MpvEngine::handleFact(std::uint64_t replyId, const mpv_event_property* property)
{
    if (((replyId >> 8) & 0xffffffffu) != (m_loadSerial & 0xffffffffu) || m_factsPending <= 0)
        return;
    const int index = int(replyId & 0xff);
    if (property && index < FactCount) {
        switch (index) {
        case 0:
            m_opening.duration = asDouble(*property);
            break;
        case 1:
            m_opening.fps = asDouble(*property);
            break;
        case 2:
            m_opening.estimatedFrames = asInt(*property);
            break;
        case 3:
            m_opening.width = int(asInt(*property));
            break;
        case 4:
            m_opening.height = int(asInt(*property));
            break;
        case 5:
            m_opening.decoder = asString(*property);
            break;
        case 6:
            m_opening.codec = asString(*property);
            break;
        case 7:
            m_opening.rotation = int(asInt(*property));
            break;
        case 8:
            m_opening.pixelAspect = asDouble(*property, 1.0);
            break;
        case 9:
            m_opening.hardwareDecoder = asString(*property);
            if (m_opening.hardwareDecoder == QLatin1String("no"))
                m_opening.hardwareDecoder.clear();
            break;
        }
    }
    if (--m_factsPending == 0 && m_loadState == LoadState::Loading)
        finishLoad();
}

void MpvEngine::finishLoad()
{
    m_file = m_opening;
    if (m_file.decoder.isEmpty())
        m_file.decoder = m_file.codec;
    if (m_file.width <= 0 || m_file.height <= 0) {
        m_file.width = m_file.height = 0;
        m_file.decoder.clear();
    }
    m_loadState = LoadState::Open;
    m_position = 0.0;
    m_atEnd = false;
    if (m_file.width > 0)
        scanFrameTimes(m_loadingPath);
    armPausePoint(0.0);
    post([this] { emit fileLoaded(); });
}

// The frame times are read while the clip plays; steps take the nominal rate
// until they are known. The scan never calls back once it has been
// cancelled (a new load, or the engine going), and a queued result of an
// earlier load is dropped.
void MpvEngine::scanFrameTimes(const QString& path)
{
    const quint64 serial = m_loadSerial;
    m_scan = std::make_unique<ClipFrameScan>(path, [this, serial](ClipFrameScan::Frames frames) {
        QMetaObject::invokeMethod(
            this,
            [this, serial, frames = std::move(frames)]() mutable {
                if (serial != m_loadSerial || frames.times.empty())
                    return;
                m_frames = FrameTimes::fromTimes(std::move(frames.times));
                m_frameTimesKnown = true;
                // mpv passes over frames backwards in such clips: every
                // step back seeks.
                if (frames.openGroups)
                    m_reversingFailed = true;
                // The pause point's frame may lie elsewhere than 1/fps said.
                armPausePoint(m_position);
            },
            Qt::QueuedConnection);
    });
}

void MpvEngine::handleEndFile(const mpv_event& event)
{
    const auto* end = static_cast<mpv_event_end_file*>(event.data);
    // A file replaced by the next load ends with STOP; that is no failure.
    if (end->reason == MPV_END_FILE_REASON_STOP || end->reason == MPV_END_FILE_REASON_REDIRECT)
        return;
    if (m_loadingEntry >= 0 && end->playlist_entry_id != m_loadingEntry)
        return;
    if (m_loadState != LoadState::Loading && m_loadState != LoadState::Open)
        return;
    const QString reason = end->reason == MPV_END_FILE_REASON_ERROR ? QString::fromUtf8(mpv_error_string(end->error))
                                                                    : QStringLiteral("nothing to play");
    failLoad(reason);
}
