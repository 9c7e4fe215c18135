#include "gui/playback/ClipFrameScan.h"

#include <QFileInfo>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

extern "C" {
#include <libavformat/avformat.h>
}

namespace {

// How long destroying a scan waits for its thread.
constexpr std::chrono::milliseconds kEndWait{200};

} // namespace

struct ClipFrameScan::Shared {
    std::mutex lock;
    std::condition_variable ended;
    Done done; // cleared by cancel()
    std::atomic<bool> stop{false};
    std::atomic<bool> finished{false};
};

ClipFrameScan::ClipFrameScan(const QString& path, Done done, Reader reader) : m_shared(std::make_shared<Shared>())
{
    m_shared->done = std::move(done);
    if (!reader)
        reader = [](const QString& clip, const std::function<bool()>& stop) { return readFrames(clip, stop); };
    m_thread = std::thread([shared = m_shared, path, reader = std::move(reader)] {
        Frames frames = reader(path, [&] { return shared->stop.load(); });
        {
            std::lock_guard guard(shared->lock);
            if (!shared->stop && shared->done)
                shared->done(std::move(frames));
            shared->finished = true;
        }
        shared->ended.notify_all();
    });
}

ClipFrameScan::~ClipFrameScan()
{
    cancel();
    if (!m_thread.joinable())
        return;
    bool ended = false;
    {
        std::unique_lock guard(m_shared->lock);
        ended = m_shared->ended.wait_for(guard, kEndWait, [this] { return m_shared->finished.load(); });
    }
    if (ended)
        m_thread.join();
    else
        m_thread.detach(); // it holds its own share of what it uses
}

void ClipFrameScan::cancel()
{
    m_shared->stop = true;
    std::lock_guard guard(m_shared->lock);
    m_shared->done = nullptr;
}

bool ClipFrameScan::finished() const
{
    return m_shared->finished;
}

ClipFrameScan::Frames ClipFrameScan::readFrames(const QString& path, const std::function<bool()>& stop)
{
    Frames frames;
    std::vector<double>& times = frames.times;
    // A pipe or a device would keep the reader waiting for data.
    if (!QFileInfo(path).isFile())
        return frames;
    AVFormatContext* format = avformat_alloc_context();
    if (!format)
        return frames;
    // FFmpeg asks between its reads whether to give up: opening and probing
    // a file stop as soon as the scan is cancelled.
    format->interrupt_callback.callback = [](void* opaque) -> int {
        const auto& stopped = *static_cast<const std::function<bool()>*>(opaque);
        return stopped && stopped() ? 1 : 0;
    };
    format->interrupt_callback.opaque = const_cast<std::function<bool()>*>(&stop);
    const QByteArray file = path.toUtf8();
    // Only a local file: no protocols, whatever the name says.
    AVDictionary* options = nullptr;
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    // On failure the context is freed.
    const int opened = avformat_open_input(&format, file.constData(), nullptr, &options);
    av_dict_free(&options);
    if (opened < 0)
        return frames;
    // The container's start time, which libmpv's clock starts from, is
    // known once the streams have been looked at.
    if (avformat_find_stream_info(format, nullptr) >= 0) {
        const int video = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
        if (video >= 0 && !(format->streams[video]->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
            for (unsigned i = 0; i < format->nb_streams; ++i)
                format->streams[i]->discard = int(i) == video ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
            const AVStream* stream = format->streams[video];
            const double unit = av_q2d(stream->time_base);
            const double start = format->start_time == AV_NOPTS_VALUE ? 0.0 : format->start_time / double(AV_TIME_BASE);
            AVPacket* packet = av_packet_alloc();
            // The packets come in decoding order.
            int64_t keyframe = AV_NOPTS_VALUE;
            while (packet && !(stop && stop()) && av_read_frame(format, packet) >= 0) {
                if (packet->stream_index == video) {
                    const int64_t stamp = packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts;
                    if (stamp != AV_NOPTS_VALUE && !(packet->flags & AV_PKT_FLAG_DISCARD)) {
                        times.push_back(stamp * unit - start);
                        if (packet->flags & AV_PKT_FLAG_KEY)
                            keyframe = stamp;
                        else if (keyframe != AV_NOPTS_VALUE && stamp < keyframe && times.size() > 1)
                            frames.openGroups = true;
                    }
                }
                av_packet_unref(packet);
            }
            av_packet_free(&packet);
            if (stop && stop())
                frames = Frames();
        }
    }
    avformat_close_input(&format);
    return frames;
}
