#pragma once

// The player's play states, under the names the windows test them by.
enum class PlayStateValue { Stopped = 0, Paused = 1, Playing = 2 };
inline constexpr PlayStateValue mpStopped = PlayStateValue::Stopped;
inline constexpr PlayStateValue mpPaused = PlayStateValue::Paused;
inline constexpr PlayStateValue mpPlaying = PlayStateValue::Playing;
// Open states: only "open" matters to the windows.
enum class OpenStateValue { Closed = 0, Loading = 3, Open = 6 };
inline constexpr OpenStateValue osClosed = OpenStateValue::Closed;
inline constexpr OpenStateValue osLoading = OpenStateValue::Loading;
inline constexpr OpenStateValue osOpen = OpenStateValue::Open;
// The picture at the clip's own size, or filling the player.
enum class DisplaySizeValue { DefaultSize = 0, FitToSize = 3 };
inline constexpr DisplaySizeValue mpDefaultSize = DisplaySizeValue::DefaultSize;
inline constexpr DisplaySizeValue mpFitToSize = DisplaySizeValue::FitToSize;
