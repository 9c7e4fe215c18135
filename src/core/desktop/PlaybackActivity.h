#pragma once

#include <QString>

// What playback is doing, as the desktop hears of it: the screen is kept
// awake and the desktop's media controls show "Playing" while a clip plays
// or is about to play on its own (a loop waiting out its repeat gap, play
// all handing over to the next bookmark, a clip that opens and will play).
enum class PlaybackActivity {
    NoClip,       // nothing is open
    Paused,       // a clip rests: paused by the user, at a loop's end, at the clip's end
    Opening,      // a clip loads, and plays once it has
    Playing,      // the player plays, at any speed
    RepeatGap,    // a continuous loop waits to play again
    NextBookmark, // play all moves on to its next bookmark
};

// The facts the activity is read from, each as its controller tells it.
struct PlaybackFacts {
    bool clipOpen = false;          // the player has a clip open
    bool playerPlaying = false;     // the player's state is "playing"
    bool clipLoading = false;       // a clip was asked for and loads
    bool repeatGap = false;         // a continuous loop waits to start again
    bool playingAll = false;        // the catalog's play all runs
    bool nextBookmarkWaits = false; // the loop plays the next bookmark at the next play-state event
};

PlaybackActivity activityOf(const PlaybackFacts& facts);

// Whether the screen must stay awake: every activity but NoClip and Paused.
bool keepsScreenAwake(PlaybackActivity activity);

// The desktop's three playback states (MPRIS's PlaybackStatus).
enum class MediaStatus { Stopped, Paused, Playing };
MediaStatus mediaStatusOf(PlaybackActivity activity);
QString mediaStatusName(MediaStatus status);
