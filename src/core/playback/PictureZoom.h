#pragma once

#include <QPointF>
#include <QRectF>

// Which way a zoom step goes.
enum class ZoomStep { In, Out };
// Whether the view shows the picture as it is or flipped left to right.
enum class ViewSide { AsIs, Mirrored };

// A zoom as it is kept: the step (0, the whole picture, to
// PictureZoom::MaxLevel) and the middle of the part shown, in the picture's
// own coordinates.
struct ZoomView {
    int level = 0;
    QPointF centre{0.5, 0.5};

    bool isWhole() const { return level <= 0; }
    bool operator==(const ZoomView&) const = default;
};

// How close the player looks at its picture: a factor from 1 (the whole
// picture) up to 8, in steps of 1.25, and the part of the picture shown, as
// a rectangle in the picture's own coordinates (0 to 1 across and down). The
// part is 1/factor of the picture each way and never leaves it: near an
// edge it stops at the edge, so nothing beyond the clip is ever shown.
//
// Points are in the picture's coordinates too; pointAt() finds the point
// under a place of the view, and a drag is given as the view sees it.
class PictureZoom {
public:
    static constexpr double StepFactor = 1.25;
    static constexpr double MaxFactor = 8.0;
    // The steps from the whole picture to the closest: 1.25^9 is below 8,
    // 1.25^10 is past it and is held at 8.
    static constexpr int MaxLevel = 10;

    double factor() const;
    int level() const { return m_level; }
    bool isWhole() const { return m_level == 0; }
    // The part of the picture shown.
    QRectF visible() const { return m_visible; }

    // One step in or out about the middle of the part shown; false when the
    // factor is already at its end (1 or 8) and nothing changed.
    bool zoom(ZoomStep step);
    // One step about a point of the picture, which stays where it shows:
    // the part shown grows or shrinks around it.
    bool zoomAbout(ZoomStep step, QPointF point);
    // The picture follows a drag; the drag is in fractions of the part
    // shown (a drag across the whole width of the view is 1), so the point
    // under the pointer stays under it, until the part meets an edge.
    // Mirrored, a drag to the right moves the picture's own left side into
    // view: the view's x runs the other way.
    bool pan(QPointF drag, ViewSide side = ViewSide::AsIs);
    // The point of the picture shown at a place of the view, given in
    // fractions across and down the view (0 to 1).
    QPointF pointAt(QPointF inView, ViewSide side = ViewSide::AsIs) const;
    // Where the part shown lies in a picture drawn whole at the given
    // rectangle (top down, as on screen; not mirrored).
    QRectF partOf(const QRectF& picture) const;
    // Back to the whole picture.
    void reset();

    // The zoom as it is kept, and a kept one shown again: its step held to
    // the factor's range, its part kept inside the picture.
    ZoomView view() const;
    void show(const ZoomView& view);

private:
    void setLevelAbout(int level, QPointF point);
    void keepInside();

    int m_level = 0;
    QRectF m_visible{0, 0, 1, 1};
};
