#pragma once

// The test clip whose picture is red on its left half and blue on its right,
// and what a picture widget shows of it. Header-only; for the tests on a
// real X display.

#include "gui/playback/MpvVideoWidget.h"

#include <QColor>
#include <QImage>
#include <QString>

namespace redblue {

inline const QString clip = QStringLiteral(TEMPOLOOP_TEST_DATA "/clips/left_red_right_blue.mp4");

// "red", "blue" or what else the pixel is, at a share of the picture's width
// on its middle line.
inline QString colourAt(const QImage& image, double xShare)
{
    const QColor c = image.pixelColor(int(image.width() * xShare), image.height() / 2);
    if (c.red() > 150 && c.blue() < 100)
        return QStringLiteral("red");
    if (c.blue() > 150 && c.red() < 100)
        return QStringLiteral("blue");
    return c.name();
}

// The colours at 30 % and 70 % of the width, "red|blue" as the clip is.
inline QString leftAndRight(MpvVideoWidget* picture)
{
    const QImage image = picture->grabFramebuffer();
    return colourAt(image, 0.3) + u'|' + colourAt(image, 0.7);
}

} // namespace redblue
