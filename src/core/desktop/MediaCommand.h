#pragma once

// The commands of the keyboard's media keys and of the desktop's media
// controls (MPRIS), and the two ways they reach the program.
enum class MediaCommand { PlayPause, Play, Pause, Stop, Next, Previous, Forward, Rewind };
constexpr int MediaCommandCount = static_cast<int>(MediaCommand::Rewind) + 1;

enum class MediaRoute {
    Window,  // a media key pressed in one of the program's windows
    Desktop, // the desktop's media controls, over MPRIS
};
