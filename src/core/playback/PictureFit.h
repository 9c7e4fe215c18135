#pragma once

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
