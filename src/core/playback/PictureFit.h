#pragma once

#include "core/playback/PlayStates.h"

#include <QRect>
#include <QSize>

// Where a picture shows inside an area that keeps its shape: as large as the
// area allows, centred, with bars above and below (a wide picture in a tall
// area) or left and right (a tall one in a wide area). The picture's size is
// its size as shown (rotation and pixel shape applied), as the player draws
// it.
//
// A picture of no known size fills the whole area; an empty area holds an
// empty rectangle at its origin.
QRect fittedPicture(const QSize& picture, const QSize& area);

// Where the player puts its picture widget inside its picture area: at the
// default display size the picture keeps the clip's own size in the middle
// of the area, or, when the area is smaller, the largest size of the same
// shape that fits it; full screen, fitted to the player, or for a clip of
// no known size, it fills the area.
QRect placedPicture(const QSize& clip, const QRect& area, DisplaySizeValue displaySize, bool fullScreen);
