#pragma once

// Where a loop that starts came from: the time boxes as the user set them,
// or a stored loop handed to the player (a bookmark, a Bookmark Command
// Line).
enum class LoopSource { ByHand, Stored };
