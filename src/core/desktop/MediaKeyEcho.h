#pragma once

#include "core/desktop/MediaCommand.h"

#include <QtGlobal>
#include <array>
#include <deque>

// One press of a media key is acted on once, whichever ways it comes.
//
// A desktop that takes the media keys for itself (GNOME's and KDE's media
// key handling grab them at the X server or the compositor) hands each
// press on over MPRIS, and the window never sees it; in a session without
// such a daemon the key reaches the window and nothing comes over MPRIS. A
// desktop that watches the keys without taking them would deliver one press
// both ways. So a command that comes one way within EchoMs of the same
// command come the other way, and not yet matched with one, is that press's
// echo and is dropped. Presses that come the same way are never echoes of
// each other: a key pressed twice in a row acts twice.
class MediaKeyEcho {
public:
    // Far longer than a desktop takes to hand a key on, far shorter than a
    // second press of the same key by another hand.
    static constexpr qint64 EchoMs = 400;

    // Whether the command, come this way at this time (milliseconds on a
    // steady clock), is a press of its own; false: the echo of one acted on.
    bool accept(MediaCommand command, MediaRoute route, qint64 nowMs);

private:
    struct Press {
        MediaRoute route;
        qint64 at;
    };
    // The recent presses of each command not yet matched by an echo.
    std::array<std::deque<Press>, MediaCommandCount> m_unmatched;
};
