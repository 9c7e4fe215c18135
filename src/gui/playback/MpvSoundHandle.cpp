#include "gui/playback/MpvSoundHandle.h"

#include <clocale>
#include <mpv/client.h>

namespace mpvsound {

mpv_handle* makeHandle(const QString& audioOutput, std::initializer_list<Option> extra)
{
    // libmpv reads numbers in the C locale.
    std::setlocale(LC_NUMERIC, "C");
    mpv_handle* mpv = mpv_create();
    if (!mpv)
        return nullptr;
    const Option common[] = {
        {"config", "no"}, {"load-scripts", "no"},  {"ytdl", "no"},  {"terminal", "no"},
        {"vo", "null"},   {"video", "no"},         {"idle", "yes"}, {"input-default-bindings", "no"},
        {"osc", "no"},    {"audio-display", "no"},
    };
    for (const auto& [name, value] : common)
        mpv_set_option_string(mpv, name, value);
    for (const auto& [name, value] : extra)
        mpv_set_option_string(mpv, name, value);
    if (!audioOutput.isEmpty())
        mpv_set_option_string(mpv, "ao", audioOutput.toUtf8().constData());
    if (mpv_initialize(mpv) < 0) {
        mpv_terminate_destroy(mpv);
        return nullptr;
    }
    return mpv;
}

} // namespace mpvsound
