#include "gui/beats/SoundReader.h"

#include <QFile>
#include <QFileInfo>
#include <memory>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

namespace beats {

namespace {

struct FormatCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecFreer {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};
struct ResamplerFreer {
    void operator()(SwrContext* s) const { swr_free(&s); }
};

int interrupted(void* cancel)
{
    return static_cast<const std::atomic<bool>*>(cancel)->load(std::memory_order_relaxed) ? 1 : 0;
}

class Reader {
public:
    Reader(const std::atomic<bool>& cancel, int rate, const std::function<void(const float*, int)>& take)
        : m_cancel(cancel), m_rate(rate), m_take(take)
    {
    }

    SoundReading read(const QString& path)
    {
        const SoundReading opened = open(path);
        if (opened != SoundReading::Read)
            return opened;
        std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
        m_frame.reset(av_frame_alloc());
        if (!packet || !m_frame)
            return SoundReading::NoSound;
        while (true) {
            if (cancelled())
                return SoundReading::Cancelled;
            const int got = av_read_frame(m_format.get(), packet.get());
            if (got < 0)
                break; // the end, or a file cut short: what was read counts
            if (packet->stream_index == m_stream)
                decode(packet.get());
            av_packet_unref(packet.get());
        }
        decode(nullptr);
        flushResampler();
        return cancelled() ? SoundReading::Cancelled : SoundReading::Read;
    }

private:
    bool cancelled() const { return m_cancel.load(std::memory_order_relaxed); }

    SoundReading open(const QString& path)
    {
        AVFormatContext* format = avformat_alloc_context();
        if (!format)
            return SoundReading::NoSound;
        format->interrupt_callback.callback = &interrupted;
        format->interrupt_callback.opaque = const_cast<std::atomic<bool>*>(&m_cancel);
        AVDictionary* options = nullptr;
        av_dict_set(&options, "protocol_whitelist", "file", 0);
        // "file:" before the path: a name with a colon is no protocol.
        const QByteArray url = "file:" + QFile::encodeName(path);
        const int opened = avformat_open_input(&format, url.constData(), nullptr, &options);
        av_dict_free(&options);
        if (opened < 0) // libav has freed the context
            return cancelled() ? SoundReading::Cancelled : SoundReading::NoSound;
        m_format.reset(format);
        if (avformat_find_stream_info(format, nullptr) < 0)
            return cancelled() ? SoundReading::Cancelled : SoundReading::NoSound;
        const AVCodec* codec = nullptr;
        m_stream = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
        if (m_stream < 0 || !codec)
            return SoundReading::NoSound;
        m_codec.reset(avcodec_alloc_context3(codec));
        if (!m_codec || avcodec_parameters_to_context(m_codec.get(), format->streams[m_stream]->codecpar) < 0 ||
            avcodec_open2(m_codec.get(), codec, nullptr) < 0)
            return SoundReading::NoSound;
        for (unsigned i = 0; i < format->nb_streams; ++i)
            format->streams[i]->discard = int(i) == m_stream ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
        return SoundReading::Read;
    }

    // The resampler is made for the first decoded frame's layout and rate.
    bool prepareResampler(AVFrame* frame)
    {
        if (m_resampler)
            return true;
        AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
        SwrContext* s = nullptr;
        if (swr_alloc_set_opts2(&s, &mono, AV_SAMPLE_FMT_FLT, m_rate, &frame->ch_layout,
                                AVSampleFormat(frame->format), frame->sample_rate, 0, nullptr) < 0 ||
            swr_init(s) < 0) {
            swr_free(&s);
            return false;
        }
        m_resampler.reset(s);
        return true;
    }

    void convert(const uint8_t** input, int count)
    {
        const int room = swr_get_out_samples(m_resampler.get(), count);
        if (room <= 0)
            return;
        m_samples.resize(std::size_t(room));
        auto* out = reinterpret_cast<uint8_t*>(m_samples.data());
        const int made = swr_convert(m_resampler.get(), &out, room, input, count);
        if (made > 0)
            m_take(m_samples.data(), made);
    }

    void decode(const AVPacket* packet)
    {
        if (avcodec_send_packet(m_codec.get(), packet) < 0 && packet)
            return; // a damaged packet: the next one may decode
        while (avcodec_receive_frame(m_codec.get(), m_frame.get()) >= 0) {
            if (prepareResampler(m_frame.get()))
                convert(const_cast<const uint8_t**>(m_frame->extended_data), m_frame->nb_samples);
            av_frame_unref(m_frame.get());
        }
    }

    void flushResampler()
    {
        if (m_resampler)
            convert(nullptr, 0);
    }

    const std::atomic<bool>& m_cancel;
    const int m_rate;
    const std::function<void(const float*, int)>& m_take;
    std::unique_ptr<AVFormatContext, FormatCloser> m_format;
    std::unique_ptr<AVCodecContext, CodecFreer> m_codec;
    std::unique_ptr<AVFrame, FrameFreer> m_frame;
    std::unique_ptr<SwrContext, ResamplerFreer> m_resampler;
    std::vector<float> m_samples;
    int m_stream = -1;
};

} // namespace

SoundReading readSound(const QString& clipPath, int sampleRate, const std::atomic<bool>& cancel,
                       const std::function<void(const float* samples, int count)>& take)
{
    const QFileInfo file(clipPath);
    if (!file.isAbsolute() || !file.isFile())
        return SoundReading::NoSound;
    return Reader(cancel, sampleRate, take).read(file.absoluteFilePath());
}

} // namespace beats
