#include "core/desktop/MediaKeyEcho.h"

#include <algorithm>

bool MediaKeyEcho::accept(MediaCommand command, MediaRoute route, qint64 nowMs)
{
    std::deque<Press>& presses = m_unmatched[static_cast<int>(command)];
    while (!presses.empty() && nowMs - presses.front().at > EchoMs)
        presses.pop_front();
    const auto echoed =
        std::find_if(presses.begin(), presses.end(), [route](const Press& p) { return p.route != route; });
    if (echoed != presses.end()) {
        presses.erase(echoed);
        return false;
    }
    presses.push_back({route, nowMs});
    return true;
}
