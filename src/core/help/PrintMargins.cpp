#include "core/help/PrintMargins.h"

QRect oneInchBodyRect(const PrinterGeometry& printer)
{
    const int left = printer.dpiX - printer.offsetX;
    const int top = printer.dpiY - printer.offsetY;
    const int right = printer.paperWidth - printer.dpiX - printer.offsetX;
    const int bottom = printer.paperHeight - printer.dpiY - printer.offsetY;
    if (right <= left || bottom <= top)
        return {};
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}
