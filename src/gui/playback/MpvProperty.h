#pragma once

// mpv's properties as the engine knows them: one table of every property it
// reads or writes, with its name, its format and where its value goes, for
// watching them and for reading them when a file has loaded; and the values
// of mpv's property events, read in the format they came in.
#include <QSize>
#include <QString>
#include <cstdint>
#include <mpv/client.h>
#include <span>

namespace mpvproperty {

// What the engine knows of a file.
struct FileFacts {
    double duration = 0.0;
    double fps = 0.0;
    qint64 estimatedFrames = 0;
    // The picture as stored; shown turned by `rotation` degrees and
    // stretched by its pixels' aspect.
    int width = 0;
    int height = 0;
    int rotation = 0;
    double pixelAspect = 1.0;
    QString decoder;
    QString codec; // the decoder's name when mpv has no description
    QString hardwareDecoder;
    QSize shownSize() const;
};

// The properties, by the id their events and replies carry.
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
    PropCodec,
    PropRotation,
    PropAspect,
    PropHardwareDecoder,
    // Written or read only when the engine asks.
    PropPlayDirection,
    PropEnd,
    PropHardwareDecoding,
    PropSeekDemuxerOffset,
    PropIdle,
    PropCount
};

struct Property {
    // Watched: observed for as long as the engine lives, its changes come as
    // events. OnLoad: read once when a file has loaded, into the facts of the
    // file being opened. A fact of the file is both. OnRequest: written, or
    // read, only when the engine asks.
    enum class Read { Watched, OnLoad, WatchedAndOnLoad, OnRequest };

    Prop prop;
    const char* name;
    mpv_format format;
    Read read;
    // Where a fact of the file goes; none for the state of playback (time,
    // pause, end, speed, mute, volume), which the engine follows itself.
    void (*intoFacts)(FileFacts& facts, const mpv_event_property& value);

    bool watched() const { return read == Read::Watched || read == Read::WatchedAndOnLoad; }
    bool readOnLoad() const { return read == Read::OnLoad || read == Read::WatchedAndOnLoad; }
};

// Every property, in the order of Prop.
std::span<const Property> properties();
const Property& property(Prop prop);
inline const char* nameOf(Prop prop)
{
    return property(prop).name;
}

inline double asDouble(const mpv_event_property& p, double fallback = 0.0)
{
    return p.format == MPV_FORMAT_DOUBLE ? *static_cast<double*>(p.data) : fallback;
}

inline bool asFlag(const mpv_event_property& p)
{
    return p.format == MPV_FORMAT_FLAG && *static_cast<int*>(p.data) != 0;
}

inline std::int64_t asInt(const mpv_event_property& p)
{
    return p.format == MPV_FORMAT_INT64 ? *static_cast<std::int64_t*>(p.data) : 0;
}

inline QString asString(const mpv_event_property& p)
{
    return p.format == MPV_FORMAT_STRING ? QString::fromUtf8(*static_cast<char**>(p.data)) : QString();
}

} // namespace mpvproperty
