#include "core/playback/PictureFit.h"

#include <QtGlobal>

QRect placedPicture(const QSize& clip, const QRect& area, DisplaySizeValue displaySize, bool fullScreen)
{
    if (fullScreen || displaySize != mpDefaultSize || clip.isEmpty())
        return area;
    const bool fits = clip.width() <= area.width() && clip.height() <= area.height();
    QRect placed(QPoint(), fits ? clip : clip.scaled(area.size(), Qt::KeepAspectRatio));
    placed.moveCenter(area.center());
    return placed;
}

QRect fittedPicture(const QSize& picture, const QSize& area)
{
    if (area.width() <= 0 || area.height() <= 0)
        return QRect(0, 0, 0, 0);
    if (picture.width() <= 0 || picture.height() <= 0)
        return QRect(QPoint(0, 0), area);
    // Compared as products: 4K pictures in large areas stay exact.
    const qint64 pictureByArea = qint64(picture.width()) * area.height();
    const qint64 areaByPicture = qint64(area.width()) * picture.height();
    int width = area.width();
    int height = area.height();
    if (pictureByArea > areaByPicture) // wider than the area: bars above and below
        height = int((qint64(area.width()) * picture.height() * 2 + picture.width()) / (2 * qint64(picture.width())));
    else if (pictureByArea < areaByPicture) // taller: bars left and right
        width = int((qint64(area.height()) * picture.width() * 2 + picture.height()) / (2 * qint64(picture.height())));
    return QRect((area.width() - width) / 2, (area.height() - height) / 2, width, height);
}
