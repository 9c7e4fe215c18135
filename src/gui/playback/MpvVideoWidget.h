#pragma once

#include "core/playback/LoopFrameStore.h"
#include "core/playback/PictureZoom.h"

#include <QOpenGLWidget>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class QOpenGLFramebufferObject;

struct mpv_handle;
struct mpv_render_context;

// Shows mpv's picture through its render API. mpv's update callback only
// queues a repaint onto the GUI thread; drawing happens in paintGL(). The
// widget is black while nothing is loaded.
//
// Mirrored, the picture is flipped left to right as it is drawn: mpv renders
// into a frame buffer of the widget's size, which is copied to the widget
// with its x axis swapped. The frame is the same one; nothing in mpv's
// timing or its filter chain changes.
//
// Held, the picture goes on showing the frame it showed when the hold began
// (kept in a frame buffer of its own), while mpv goes on drawing into
// another one unseen: a seek can be made ahead of time without being seen.
//
// The beat count (1 to 8) is drawn by the program over mpv's frame, in the
// picture's lower right corner, the same way in the window and in full
// screen, mirrored or not. The picture is where mpv shows it: its shape
// kept inside the widget, with black bars where the shapes differ.
//
// Zoomed, the part of the picture PictureZoom shows fills the picture's
// place, scaled from the frame mpv drew at the widget's size; the bars stay
// black and the count stays in the corner, unzoomed. The mouse wheel zooms
// about the point under the pointer and a drag with the left button moves
// the picture; a click that does not drag is reported as clicked().
//
// While a loop is set, every frame mpv draws inside it is kept as it was
// drawn (at the widget's size, before the mirror, the zoom and the count)
// in a frame store: buffers of the drawn size made ahead of time, a few at
// a time between frames, and reused (LoopFrameStore keeps the books). A
// kept frame can be shown again at once, mirrored, zoomed and counted as a
// live one, while mpv moves to it unseen. A new loop or clip, or another
// size, empties the store.
//
// The render context must be freed before the mpv handle is destroyed:
// MpvEngine calls releaseRenderContext() when it goes first.
class MpvVideoWidget : public QOpenGLWidget {
    Q_OBJECT
public:
    MpvVideoWidget(mpv_handle* mpv, QWidget* parent = nullptr);
    ~MpvVideoWidget() override;

    // Frees mpv's render context (with the GL context current). Safe to call
    // more than once; the widget stays black afterwards.
    void releaseRenderContext();
    bool hasRenderContext() const { return m_render != nullptr; }

    // Flips the picture left to right (true) or shows it as it is.
    void setMirrored(bool mirrored);
    bool isMirrored() const { return m_mirrored; }

    // The count shown over the picture; 0 shows none.
    void setBeatCount(int count);
    int beatCount() const { return m_beatCount; }
    // The clip's picture size as shown (rotation applied), which places the
    // count in the picture's corner rather than on a bar; empty: the
    // widget's corner.
    void setPictureSize(const QSize& shown);

    // One step closer or further, about the middle of the part shown; the
    // whole picture again; a zoom as it was kept. False when nothing
    // changed.
    bool zoom(ZoomStep step);
    bool showWholePicture();
    bool showZoom(const ZoomView& view);
    const PictureZoom& pictureZoom() const { return m_zoom; }

    // Holds the picture as it is now (true), or shows mpv's frames again.
    void setPictureHeld(bool held);
    bool isPictureHeld() const { return m_held; }

    // The time of the frame mpv draws now, for the frame store; negative
    // while it is not known (a seek under way).
    void setFrameClock(std::function<double()> frameTime) { m_frameTime = std::move(frameTime); }
    void setFrameStoreBudget(qint64 bytes);
    // Keeps the frames drawn from start to end (seconds) of a clip of `fps`
    // frames a second; an end not after the start keeps none.
    void keepLoopFrames(double start, double end, double fps);
    const LoopFrameStore& frameStore() const { return m_store; }
    // Buffers of the store made so far.
    int frameBuffersMade() const { return int(m_pool.size()); }
    // Shows the frame kept at `time` at once, and goes on showing it until
    // mpv draws a frame of its own whose time is known; false when no frame
    // is kept at that time.
    bool showStoredFrame(double time);
    // Shows mpv's frames again.
    void showLiveFrames();
    bool showsStoredFrame() const { return m_shownSlot >= 0; }

signals:
    // A frame from mpv reached the screen.
    void frameRendered();
    // A kept frame asked for by showStoredFrame() reached the screen.
    void storedFrameShown();
    // The zoomed picture was clicked without being dragged.
    void clicked();
    // The wheel zoomed the picture, or a drag moved it.
    void zoomedByUser();

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    static void onUpdate(void* self);
    void updateFromMpv();
    // The frame buffer mpv draws into while mirrored or held, at the given size.
    unsigned offscreenTarget(int width, int height);
    void renderInto(unsigned target, int width, int height);
    void copyToScreen(unsigned source, int sourceWidth, int sourceHeight, int width, int height);
    void drawBeatCount();
    QSize drawnSize() const;
    // The store takes the loop at the drawn size; buffers of another size go.
    void applyLoop();
    void makeFrameBuffer();
    void dropFrameBuffers();
    // Keeps the frame just drawn into `target` when it lies in the loop.
    void storeFrame(unsigned target, int width, int height);
    // Where the whole picture sits in the widget, and a place in it as
    // fractions across and down.
    QRect pictureRect() const;
    QPointF inPicture(QPointF position) const;
    ViewSide viewSide() const { return m_mirrored ? ViewSide::Mirrored : ViewSide::AsIs; }
    void zoomChanged();

    mpv_handle* m_mpv;
    mpv_render_context* m_render = nullptr;
    bool m_frameWaiting = false;
    std::atomic<bool> m_updateQueued{false};
    bool m_mirrored = false;
    std::unique_ptr<QOpenGLFramebufferObject> m_offscreen;
    bool m_held = false;
    bool m_heldCaptured = false;
    std::unique_ptr<QOpenGLFramebufferObject> m_heldFrame;
    int m_beatCount = 0;
    QSize m_pictureSize;
    PictureZoom m_zoom;
    // Wheel turns not yet a whole step (a fine wheel or a touchpad).
    int m_wheelAngle = 0;
    // A drag of the zoomed picture: where the pointer was last, and whether
    // it has gone far enough to be a drag and not a click.
    enum class Drag { None, Pressed, Dragging };
    Drag m_drag = Drag::None;
    QPointF m_pressedAt;
    QPointF m_lastPointer;
    // The frame store: its books, the buffers they name, the loop wanted,
    // and the kept frame on screen (-1: mpv's own).
    LoopFrameStore m_store;
    std::vector<std::unique_ptr<QOpenGLFramebufferObject>> m_pool;
    QTimer m_poolFiller;
    std::function<double()> m_frameTime;
    double m_loopStart = 0.0;
    double m_loopEnd = -1.0;
    double m_loopFps = 0.0;
    int m_shownSlot = -1;
    bool m_storedFrameNew = false;
};
