#include "gui/playback/MpvProperty.h"

#include <array>
#include <cmath>

namespace mpvproperty {

namespace {

using Read = Property::Read;
constexpr auto Watched = Read::Watched;
constexpr auto OnLoad = Read::OnLoad;
constexpr auto Fact = Read::WatchedAndOnLoad;
constexpr auto OnRequest = Read::OnRequest;

constexpr std::array<Property, PropCount - PropTimePos> Table = {{
    {PropTimePos, "time-pos", MPV_FORMAT_DOUBLE, Watched, nullptr},
    {PropPause, "pause", MPV_FORMAT_FLAG, Watched, nullptr},
    {PropEof, "eof-reached", MPV_FORMAT_FLAG, Watched, nullptr},
    {PropDuration, "duration", MPV_FORMAT_DOUBLE, Fact,
     [](FileFacts& f, const mpv_event_property& p) { f.duration = asDouble(p); }},
    {PropSpeed, "speed", MPV_FORMAT_DOUBLE, Watched, nullptr},
    {PropMute, "mute", MPV_FORMAT_FLAG, Watched, nullptr},
    {PropVolume, "volume", MPV_FORMAT_DOUBLE, Watched, nullptr},
    {PropFps, "container-fps", MPV_FORMAT_DOUBLE, Fact,
     [](FileFacts& f, const mpv_event_property& p) { f.fps = asDouble(p); }},
    {PropFrameCount, "estimated-frame-count", MPV_FORMAT_INT64, Fact,
     [](FileFacts& f, const mpv_event_property& p) { f.estimatedFrames = asInt(p); }},
    {PropWidth, "width", MPV_FORMAT_INT64, Fact,
     [](FileFacts& f, const mpv_event_property& p) { f.width = int(asInt(p)); }},
    {PropHeight, "height", MPV_FORMAT_INT64, Fact,
     [](FileFacts& f, const mpv_event_property& p) { f.height = int(asInt(p)); }},
    {PropDecoder, "current-tracks/video/decoder-desc", MPV_FORMAT_STRING, Fact,
     [](FileFacts& f, const mpv_event_property& p) { f.decoder = asString(p); }},
    // Only where mpv has no description of the decoder.
    {PropCodec, "video-codec", MPV_FORMAT_STRING, OnLoad,
     [](FileFacts& f, const mpv_event_property& p) { f.codec = asString(p); }},
    {PropRotation, "current-tracks/video/demux-rotation", MPV_FORMAT_INT64, Fact,
     [](FileFacts& f, const mpv_event_property& p) { f.rotation = int(asInt(p)); }},
    {PropAspect, "current-tracks/video/demux-par", MPV_FORMAT_DOUBLE, Fact,
     [](FileFacts& f, const mpv_event_property& p) { f.pixelAspect = asDouble(p, 1.0); }},
    {PropHardwareDecoder, "hwdec-current", MPV_FORMAT_STRING, Fact,
     [](FileFacts& f, const mpv_event_property& p) {
         f.hardwareDecoder = asString(p);
         if (f.hardwareDecoder == QLatin1String("no"))
             f.hardwareDecoder.clear();
     }},
    {PropPlayDirection, "play-dir", MPV_FORMAT_STRING, OnRequest, nullptr},
    // mpv stops playing there, as at a clip's end (the pause point).
    {PropEnd, "end", MPV_FORMAT_STRING, OnRequest, nullptr},
    {PropHardwareDecoding, "hwdec", MPV_FORMAT_STRING, OnRequest, nullptr},
    {PropSeekDemuxerOffset, "hr-seek-demuxer-offset", MPV_FORMAT_STRING, OnRequest, nullptr},
    // Whether mpv has no file open; also read for its reply alone, which
    // comes after those of every command sent before it.
    {PropIdle, "idle-active", MPV_FORMAT_FLAG, OnRequest, nullptr},
}};

constexpr bool inOrder()
{
    for (std::size_t i = 0; i < Table.size(); ++i)
        if (Table[i].prop != Prop(PropTimePos + i))
            return false;
    return true;
}
static_assert(inOrder(), "the table lists every property once, in the order of Prop");

} // namespace

std::span<const Property> properties()
{
    return Table;
}

const Property& property(Prop prop)
{
    return Table[prop - PropTimePos];
}

QSize FileFacts::shownSize() const
{
    if (width <= 0 || height <= 0)
        return {0, 0};
    int w = width, h = height;
    // Pixels that are not square are shown stretched, as mpv shows them.
    if (pixelAspect > 1.0)
        w = int(std::lround(w * pixelAspect));
    else if (pixelAspect > 0.0 && pixelAspect < 1.0)
        h = int(std::lround(h / pixelAspect));
    const bool sideways = ((rotation % 180) + 180) % 180 == 90;
    return sideways ? QSize(h, w) : QSize(w, h);
}

} // namespace mpvproperty
