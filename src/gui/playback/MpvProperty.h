#pragma once

// Values of mpv's property events, read in the format they came in; a
// value in another format reads as the fallback.
#include <QString>
#include <cstdint>
#include <mpv/client.h>

namespace mpvproperty {

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
