// Opening a clip in MpvEngine: the load, its failures, and the facts of the
// file read once it has loaded.

#include "gui/playback/ClipFrameScan.h"
#include "gui/playback/MpvEngine.h"
#include "gui/playback/MpvProperty.h"
#include "gui/playback/MpvVideoWidget.h"

#include <QFileInfo>
#include <QMetaObject>
#include <iterator>
#include <mpv/client.h>

using namespace mpvproperty;

void MpvEngine::load(const QString& absolutePath)
{
    // Another clip: no frame kept of this one is shown again.
    keepLoopFrames(0.0, -1.0);
    m_atEnd = false;
    m_position = 0.0;
    m_seekPending = false;
    m_stepper.endStep();
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
    mpv_set_property_string(m_mpv, nameOf(PropPause), "yes");
    // mpv's direction and where its seeks start would hold for the next
    // file too; the stepper starts the clip afresh.
    if (m_stepper.seeksStartEarlier())
        mpv_set_property_string(m_mpv, nameOf(PropSeekDemuxerOffset), "0");
    if (!m_stepper.playsForward())
        mpv_set_property_string(m_mpv, nameOf(PropPlayDirection), "forward");
    m_stepper.newClip();
    // mpv's end of playing would hold for the next file too.
    if (m_mpvEnd >= 0.0) {
        m_mpvEnd = -1.0;
        m_pauseFrame = -1.0;
        mpv_set_property_string(m_mpv, nameOf(PropEnd), "none");
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
// loop, never from inside load().
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

// The file is given up for good: mpv is told to stop it without waiting for
// its answer (its core may be busy opening the file), and whatever it still
// reports of that load is dropped.
bool MpvEngine::abandonLoad()
{
    if (!m_mpv || m_loadState != LoadState::Loading)
        return false;
    const char* stop[] = {"stop", nullptr};
    mpv_command_async(m_mpv, 0, stop);
    failLoad(QStringLiteral("the file took too long to open"));
    return true;
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
    // A reply's id carries the load it belongs to and the property.
    const std::uint64_t base = FactReplyFlag | ((m_loadSerial & 0xffffffffu) << 8);
    m_factsPending = 0;
    for (const Property& fact : properties()) {
        if (fact.readOnLoad() && mpv_get_property_async(m_mpv, base | fact.prop, fact.name, fact.format) >= 0)
            ++m_factsPending;
    }
    if (m_factsPending == 0)
        finishLoad();
}

void MpvEngine::handleFact(std::uint64_t replyId, const mpv_event_property* property)
{
    if (((replyId >> 8) & 0xffffffffu) != (m_loadSerial & 0xffffffffu) || m_factsPending <= 0)
        return;
    const auto prop = Prop(replyId & 0xff);
    if (property && prop >= PropTimePos && prop < PropCount && mpvproperty::property(prop).intoFacts)
        mpvproperty::property(prop).intoFacts(m_opening, *property);
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
                // Frames kept under nominal times may lie elsewhere.
                if (m_surface && m_keptEnd > m_keptStart) {
                    m_surface->keepLoopFrames(0.0, -1.0, 0.0);
                    m_surface->keepLoopFrames(m_keptStart, m_keptEnd, m_file.fps);
                }
                // mpv passes over frames backwards in such clips: every
                // step back seeks.
                if (frames.openGroups)
                    m_stepper.seekEveryStepBack();
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
