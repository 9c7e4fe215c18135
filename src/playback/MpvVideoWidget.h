#pragma once

#include <QOpenGLWidget>
#include <atomic>

struct mpv_handle;
struct mpv_render_context;

// Shows mpv's picture through its render API. mpv's update callback only
// queues a repaint onto the GUI thread; drawing happens in paintGL(). The
// widget is black while nothing is loaded. A left click is reported as
// clicked() (the player control plays or pauses on it).
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
    // Frames drawn with a picture from mpv, for tests and benchmarks.
    quint64 framesRendered() const { return m_framesRendered; }

signals:
    void clicked();
    void doubleClicked();
    void renderContextCreated();
    // A frame from mpv reached the screen.
    void frameRendered();

protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    static void onUpdate(void* self);
    void updateFromMpv();

    mpv_handle* m_mpv;
    mpv_render_context* m_render = nullptr;
    bool m_pressed = false;
    bool m_frameWaiting = false;
    std::atomic<bool> m_updateQueued{false};
    quint64 m_framesRendered = 0;
};
