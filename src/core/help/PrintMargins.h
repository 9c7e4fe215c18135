#pragma once

#include <QRect>

// What a printer tells about its page, in printer pixels.
struct PrinterGeometry {
    int dpiX = 0;       // horizontal resolution, dots per inch
    int dpiY = 0;       // vertical resolution
    int offsetX = 0;    // left edge of the printable area, from the paper's edge
    int offsetY = 0;    // top edge of the printable area
    int paperWidth = 0; // the whole sheet
    int paperHeight = 0;
};

// The rectangle to print into, in the printer's drawing coordinates (their
// origin is the printable area's corner), one inch in from every edge of
// the paper whatever the printer's unprintable border. Empty when the paper
// is too small for two inches of margin.
QRect oneInchBodyRect(const PrinterGeometry& printer);
