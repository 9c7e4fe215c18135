#pragma once

// Plays the program's built-in chime. play() returns at once; the chime
// plays to its end on its own, beside the clip, without touching the clip's
// player. A second play() while one sounds starts the chime again.
class ChimePlayer {
public:
    virtual ~ChimePlayer() = default;
    virtual void play() = 0;
};
