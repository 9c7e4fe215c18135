#pragma once

#include <QString>
#include <initializer_list>
#include <utility>

struct mpv_handle;

namespace mpvsound {

using Option = std::pair<const char*, const char*>;

// A libmpv handle that plays sound only, beside the clip's player: no
// picture, none of the user's configuration, scripts or key bindings, idle
// between sounds. `audioOutput` is mpv's "ao" (empty: mpv's own choice);
// `extra` options go on top of the common ones. Null when mpv cannot start.
mpv_handle* makeHandle(const QString& audioOutput, std::initializer_list<Option> extra = {});

} // namespace mpvsound
