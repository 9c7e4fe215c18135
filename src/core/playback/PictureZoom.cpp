#include "core/playback/PictureZoom.h"

#include <algorithm>
#include <cmath>

double PictureZoom::factor() const
{
    return std::min(MaxFactor, std::pow(StepFactor, m_level));
}

bool PictureZoom::zoom(ZoomStep step)
{
    return zoomAbout(step, m_visible.center());
}

bool PictureZoom::zoomAbout(ZoomStep step, QPointF point)
{
    const int level = std::clamp(m_level + (step == ZoomStep::In ? 1 : -1), 0, MaxLevel);
    if (level == m_level)
        return false;
    setLevelAbout(level, point);
    return true;
}

// The point keeps its place in the part shown: as far across the new part
// as it was across the old one. A point outside the part counts as the
// nearest point of its edge.
void PictureZoom::setLevelAbout(int level, QPointF point)
{
    const QRectF before = m_visible;
    const double x = std::clamp(point.x(), before.left(), before.right());
    const double y = std::clamp(point.y(), before.top(), before.bottom());
    const double across = (x - before.left()) / before.width();
    const double down = (y - before.top()) / before.height();
    m_level = level;
    const double side = 1.0 / factor();
    m_visible = QRectF(x - across * side, y - down * side, side, side);
    keepInside();
}

bool PictureZoom::pan(QPointF drag, ViewSide side)
{
    const QPointF before = m_visible.topLeft();
    const double across = side == ViewSide::Mirrored ? -drag.x() : drag.x();
    m_visible.translate(-across * m_visible.width(), -drag.y() * m_visible.height());
    keepInside();
    return m_visible.topLeft() != before;
}

QPointF PictureZoom::pointAt(QPointF inView, ViewSide side) const
{
    const double across = side == ViewSide::Mirrored ? 1.0 - inView.x() : inView.x();
    return {m_visible.left() + across * m_visible.width(), m_visible.top() + inView.y() * m_visible.height()};
}

QRectF PictureZoom::partOf(const QRectF& picture) const
{
    return {picture.left() + m_visible.left() * picture.width(), picture.top() + m_visible.top() * picture.height(),
            m_visible.width() * picture.width(), m_visible.height() * picture.height()};
}

void PictureZoom::reset()
{
    m_level = 0;
    m_visible = QRectF(0, 0, 1, 1);
}

ZoomView PictureZoom::view() const
{
    return {m_level, m_level == 0 ? QPointF(0.5, 0.5) : m_visible.center()};
}

void PictureZoom::show(const ZoomView& view)
{
    m_level = std::clamp(view.level, 0, MaxLevel);
    const double side = 1.0 / factor();
    const double x = std::isfinite(view.centre.x()) ? view.centre.x() : 0.5;
    const double y = std::isfinite(view.centre.y()) ? view.centre.y() : 0.5;
    m_visible = QRectF(x - side / 2, y - side / 2, side, side);
    keepInside();
}

void PictureZoom::keepInside()
{
    if (m_level == 0) {
        m_visible = QRectF(0, 0, 1, 1);
        return;
    }
    const double side = m_visible.width();
    m_visible.moveTo(std::clamp(m_visible.left(), 0.0, 1.0 - side), std::clamp(m_visible.top(), 0.0, 1.0 - side));
}
