#include "gui/playback/MpvVideoWidget.h"

#include "core/playback/PictureFit.h"

#include <QApplication>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>
#include <QOpenGLPaintDevice>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <mpv/render_gl.h>

namespace {

void* procAddress(void*, const char* name)
{
    QOpenGLContext* context = QOpenGLContext::currentContext();
    return context ? reinterpret_cast<void*>(context->getProcAddress(name)) : nullptr;
}

} // namespace

MpvVideoWidget::MpvVideoWidget(mpv_handle* mpv, QWidget* parent) : QOpenGLWidget(parent), m_mpv(mpv)
{
    setMinimumSize(16, 16);
    // One buffer between frames: making one takes milliseconds (tens of
    // them at 2160p), never a frame's time at once.
    m_poolFiller.setInterval(0);
    connect(&m_poolFiller, &QTimer::timeout, this, &MpvVideoWidget::makeFrameBuffer);
}

// QOpenGLWidget's destructor destroys the GL context, whose
// aboutToBeDestroyed() would then call back into this part of the object
// after it is gone: release and cut that connection while it still exists.
MpvVideoWidget::~MpvVideoWidget()
{
    releaseRenderContext();
    if (QOpenGLContext* gl = context())
        disconnect(gl, nullptr, this, nullptr);
}

void MpvVideoWidget::initializeGL()
{
    // Moving the widget to another window makes a new GL context; the
    // render context belongs to the old one.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &MpvVideoWidget::releaseRenderContext,
            Qt::UniqueConnection);
    if (m_render || !m_mpv)
        return;
    mpv_opengl_init_params glInit{&procAddress, nullptr};
    const char* apiType = MPV_RENDER_API_TYPE_OPENGL;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(apiType)},
        {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    if (mpv_render_context_create(&m_render, m_mpv, params) < 0) {
        m_render = nullptr;
        return;
    }
    mpv_render_context_set_update_callback(m_render, &MpvVideoWidget::onUpdate, this);
}

void MpvVideoWidget::releaseRenderContext()
{
    if (!m_render)
        return;
    makeCurrent();
    mpv_render_context_set_update_callback(m_render, nullptr, nullptr);
    mpv_render_context_free(m_render);
    m_render = nullptr;
    m_offscreen.reset();
    m_heldFrame.reset();
    m_pool.clear();
    m_store.setReadySlots(0);
    m_shownSlot = -1;
    m_poolFiller.stop();
    doneCurrent();
}

QSize MpvVideoWidget::drawnSize() const
{
    const qreal ratio = devicePixelRatioF();
    return {int(width() * ratio), int(height() * ratio)};
}

void MpvVideoWidget::setFrameStoreBudget(qint64 bytes)
{
    m_store.setBudget(bytes);
    applyLoop();
}

void MpvVideoWidget::keepLoopFrames(double start, double end, double fps)
{
    if (!(end > start)) {
        start = 0.0;
        end = -1.0;
        fps = 0.0;
    }
    m_loopStart = start;
    m_loopEnd = end;
    m_loopFps = fps;
    applyLoop();
}

void MpvVideoWidget::resizeGL(int, int)
{
    applyLoop();
}

// A store whose loop, clip or size changed is empty: its frames are not
// shown any more, and buffers of another size or past its slots go.
void MpvVideoWidget::applyLoop()
{
    const QSize drawn = m_loopEnd > m_loopStart && m_render ? drawnSize() : QSize();
    const int slotsBefore = m_store.slotCount();
    if (m_loopEnd > m_loopStart && !drawn.isEmpty())
        m_store.setLoop(m_loopStart, m_loopEnd, m_loopFps, drawn);
    else
        m_store.clear();
    if (m_store.heldCount() == 0 && m_shownSlot >= 0) {
        m_shownSlot = -1;
        update();
    }
    const bool otherSize = !m_pool.empty() && m_pool.front()->size() != m_store.drawnSize();
    if (otherSize || int(m_pool.size()) > m_store.slotCount() || slotsBefore != m_store.slotCount()) {
        if (otherSize || !m_store.isActive())
            dropFrameBuffers();
        else if (int(m_pool.size()) > m_store.slotCount()) {
            makeCurrent();
            m_pool.resize(std::size_t(m_store.slotCount()));
            doneCurrent();
        }
    }
    m_store.setReadySlots(int(m_pool.size()));
    if (int(m_pool.size()) < m_store.slotCount())
        m_poolFiller.start();
    else
        m_poolFiller.stop();
}

void MpvVideoWidget::dropFrameBuffers()
{
    if (m_pool.empty())
        return;
    makeCurrent();
    m_pool.clear();
    doneCurrent();
    m_store.setReadySlots(0);
}

void MpvVideoWidget::makeFrameBuffer()
{
    if (!m_render || !context() || int(m_pool.size()) >= m_store.slotCount()) {
        m_poolFiller.stop();
        return;
    }
    makeCurrent();
    m_pool.push_back(std::make_unique<QOpenGLFramebufferObject>(m_store.drawnSize()));
    doneCurrent();
    m_store.setReadySlots(int(m_pool.size()));
}

bool MpvVideoWidget::showStoredFrame(double time)
{
    const int slot = m_store.slotOf(time);
    if (slot < 0 || slot >= int(m_pool.size()))
        return false;
    m_shownSlot = slot;
    m_storedFrameNew = true;
    update();
    return true;
}

void MpvVideoWidget::showLiveFrames()
{
    if (m_shownSlot < 0)
        return;
    m_shownSlot = -1;
    update();
}

void MpvVideoWidget::storeFrame(unsigned target, int width, int height)
{
    const double time = m_frameTime ? m_frameTime() : -1.0;
    if (time < 0.0 || !m_store.covers(time) || m_store.drawnSize() != QSize(width, height))
        return;
    const int slot = m_store.store(time);
    if (slot < 0)
        return;
    QOpenGLExtraFunctions* gl = context()->extraFunctions();
    gl->glBindFramebuffer(GL_READ_FRAMEBUFFER, target);
    gl->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_pool[std::size_t(slot)]->handle());
    gl->glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    gl->glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
}

void MpvVideoWidget::setMirrored(bool mirrored)
{
    if (mirrored == m_mirrored)
        return;
    m_mirrored = mirrored;
    update();
}

void MpvVideoWidget::setPictureHeld(bool held)
{
    if (held == m_held)
        return;
    m_held = held;
    m_heldCaptured = false;
    if (!held) {
        update();
        return;
    }
    // The frame mpv shows now, kept as it is drawn on screen.
    if (!m_render || !isVisible() || !context())
        return;
    makeCurrent();
    const qreal ratio = devicePixelRatioF();
    const int w = int(width() * ratio);
    const int h = int(height() * ratio);
    if (w > 0 && h > 0) {
        if (!m_heldFrame || m_heldFrame->size() != QSize(w, h))
            m_heldFrame = std::make_unique<QOpenGLFramebufferObject>(w, h);
        renderInto(m_heldFrame->handle(), w, h);
        m_heldCaptured = true;
    }
    doneCurrent();
}

unsigned MpvVideoWidget::offscreenTarget(int width, int height)
{
    if (!m_offscreen || m_offscreen->size() != QSize(width, height))
        m_offscreen = std::make_unique<QOpenGLFramebufferObject>(width, height);
    return m_offscreen->handle();
}

void MpvVideoWidget::renderInto(unsigned target, int width, int height)
{
    mpv_opengl_fbo fbo{int(target), width, height, 0};
    int flipY = 1;
    // By default mpv holds this call until the frame's display time, up to a
    // frame's length on every frame: the GUI thread would sit here most of
    // the time while a clip plays. mpv hands frames over when they are due
    // (video-timing-offset 0), so drawing at once keeps them in time.
    int blockForTargetTime = 0;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
        {MPV_RENDER_PARAM_FLIP_Y, &flipY},
        {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &blockForTargetTime},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context_render(m_render, params);
}

// Copies a frame buffer onto the widget, stretched to its size, and mirrored
// when the view is. Zoomed, only the part of the picture shown is copied,
// onto the picture's place.
void MpvVideoWidget::copyToScreen(unsigned source, int sourceWidth, int sourceHeight, int width, int height)
{
    QOpenGLExtraFunctions* gl = context()->extraFunctions();
    gl->glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
    gl->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, defaultFramebufferObject());
    QRect from(0, 0, sourceWidth, sourceHeight);
    QRect to(0, 0, width, height);
    if (!m_zoom.isWhole()) {
        from = m_zoom.partOf(QRectF(fittedPicture(m_pictureSize, from.size()))).toRect();
        to = fittedPicture(m_pictureSize, to.size());
    }
    // Frame buffers count rows from the bottom; mirrored, the destination's
    // x runs backwards: the copy is the mirror image.
    const int fromBottom = sourceHeight - (from.y() + from.height());
    const int toBottom = height - (to.y() + to.height());
    const int left = m_mirrored ? to.x() + to.width() : to.x();
    const int right = m_mirrored ? to.x() : to.x() + to.width();
    const bool sameSize = from.size() == to.size();
    gl->glBlitFramebuffer(from.x(), fromBottom, from.x() + from.width(), fromBottom + from.height(), left, toBottom,
                          right, toBottom + to.height(), GL_COLOR_BUFFER_BIT, sameSize ? GL_NEAREST : GL_LINEAR);
    gl->glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
}

bool MpvVideoWidget::zoom(ZoomStep step)
{
    if (!m_zoom.zoom(step))
        return false;
    zoomChanged();
    return true;
}

bool MpvVideoWidget::showWholePicture()
{
    if (m_zoom.isWhole())
        return false;
    m_zoom.reset();
    zoomChanged();
    return true;
}

bool MpvVideoWidget::showZoom(const ZoomView& view)
{
    const ZoomView before = m_zoom.view();
    m_zoom.show(view);
    if (m_zoom.view() == before)
        return false;
    zoomChanged();
    return true;
}

void MpvVideoWidget::zoomChanged()
{
    if (m_zoom.isWhole()) {
        m_drag = Drag::None;
        unsetCursor();
    } else if (m_drag == Drag::None) {
        setCursor(Qt::OpenHandCursor);
    }
    update();
}

QRect MpvVideoWidget::pictureRect() const
{
    return fittedPicture(m_pictureSize, size());
}

QPointF MpvVideoWidget::inPicture(QPointF position) const
{
    const QRect picture = pictureRect();
    if (picture.isEmpty())
        return {0.5, 0.5};
    return {(position.x() - picture.x()) / picture.width(), (position.y() - picture.y()) / picture.height()};
}

// A step for each notch of the wheel, about the point under the pointer.
void MpvVideoWidget::wheelEvent(QWheelEvent* event)
{
    m_wheelAngle += event->angleDelta().y();
    const QPointF point = m_zoom.pointAt(inPicture(event->position()), viewSide());
    bool changed = false;
    for (; m_wheelAngle >= 120; m_wheelAngle -= 120)
        changed = m_zoom.zoomAbout(ZoomStep::In, point) || changed;
    for (; m_wheelAngle <= -120; m_wheelAngle += 120)
        changed = m_zoom.zoomAbout(ZoomStep::Out, point) || changed;
    if (changed) {
        zoomChanged();
        emit zoomedByUser();
    }
    event->accept();
}

void MpvVideoWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_zoom.isWhole()) {
        QOpenGLWidget::mousePressEvent(event);
        return;
    }
    m_drag = Drag::Pressed;
    m_pressedAt = m_lastPointer = event->position();
    setCursor(Qt::ClosedHandCursor);
    event->accept();
}

void MpvVideoWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_drag == Drag::None) {
        QOpenGLWidget::mouseMoveEvent(event);
        return;
    }
    const QPointF at = event->position();
    if (m_drag == Drag::Pressed && (at - m_pressedAt).manhattanLength() < QApplication::startDragDistance())
        return;
    m_drag = Drag::Dragging;
    const QRect picture = pictureRect();
    if (!picture.isEmpty()) {
        const QPointF moved = at - m_lastPointer;
        if (m_zoom.pan(QPointF(moved.x() / picture.width(), moved.y() / picture.height()), viewSide()))
            update();
    }
    m_lastPointer = at;
    event->accept();
}

void MpvVideoWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_drag == Drag::None) {
        QOpenGLWidget::mouseReleaseEvent(event);
        return;
    }
    const bool click = m_drag == Drag::Pressed;
    m_drag = Drag::None;
    if (!m_zoom.isWhole())
        setCursor(Qt::OpenHandCursor);
    event->accept();
    if (click)
        emit clicked();
    else
        emit zoomedByUser();
}

// Called on one of mpv's threads: queue the work, touch nothing else. One
// queued update at a time: the update reads whatever mpv has by then.
void MpvVideoWidget::onUpdate(void* self)
{
    auto* widget = static_cast<MpvVideoWidget*>(self);
    if (widget->m_updateQueued.exchange(true))
        return;
    QMetaObject::invokeMethod(widget, &MpvVideoWidget::updateFromMpv, Qt::QueuedConnection);
}

void MpvVideoWidget::setBeatCount(int count)
{
    if (count == m_beatCount)
        return;
    m_beatCount = count;
    update();
}

void MpvVideoWidget::setPictureSize(const QSize& shown)
{
    if (shown == m_pictureSize)
        return;
    m_pictureSize = shown;
    if (m_beatCount > 0 || !m_zoom.isWhole())
        update();
}

// A round badge in the picture's lower right corner, about a sixth of the
// picture's height; the count's "1" stands out in orange. Mirrored, the
// picture sits where it did (it is centred), so the badge does too.
void MpvVideoWidget::drawBeatCount()
{
    // Painted on a device of its own over the frame just drawn: a painter on
    // the widget would first fill the widget's background (it fills itself,
    // black), wiping the frame.
    const qreal ratio = devicePixelRatioF();
    QOpenGLContext::currentContext()->functions()->glBindFramebuffer(GL_FRAMEBUFFER, defaultFramebufferObject());
    QOpenGLPaintDevice device(QSize(int(width() * ratio), int(height() * ratio)));
    device.setDevicePixelRatio(ratio);
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect picture = fittedPicture(m_pictureSize, size());
    const int side = std::clamp(picture.height() / 6, 24, 120);
    const int margin = side / 4;
    const QRectF badge(std::max(0, picture.x() + picture.width() - side - margin),
                       std::max(0, picture.y() + picture.height() - side - margin), side, side);
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_beatCount == 1 ? QColor(230, 120, 30, 220) : QColor(0, 0, 0, 160));
    painter.drawEllipse(badge);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(side * 6 / 10);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(badge, Qt::AlignCenter, QString::number(m_beatCount));
}

void MpvVideoWidget::updateFromMpv()
{
    m_updateQueued = false;
    if (!m_render)
        return;
    if (mpv_render_context_update(m_render) & MPV_RENDER_UPDATE_FRAME) {
        m_frameWaiting = true;
        update();
    }
}

void MpvVideoWidget::paintGL()
{
    QOpenGLFunctions* gl = context()->functions();
    gl->glClearColor(0, 0, 0, 1);
    gl->glClear(GL_COLOR_BUFFER_BIT);
    if (!m_render)
        return;
    const qreal ratio = devicePixelRatioF();
    const int w = int(width() * ratio);
    const int h = int(height() * ratio);
    const bool held = m_held && m_heldCaptured;
    // A new frame inside the loop is drawn off screen, kept, then shown.
    const bool newFrame = m_frameWaiting;
    const bool storing = newFrame && m_store.isActive();
    const bool offscreen = m_mirrored || held || !m_zoom.isWhole() || storing || m_shownSlot >= 0;
    const unsigned target = offscreen ? offscreenTarget(w, h) : defaultFramebufferObject();
    // While held, mpv still draws each frame it has (its output waits for
    // that), unseen.
    renderInto(target, w, h);
    // mpv drew a frame of its own whose time is known: it is live again.
    if (newFrame && m_shownSlot >= 0 && m_frameTime && m_frameTime() >= 0.0)
        m_shownSlot = -1;
    if (storing)
        storeFrame(target, w, h);
    if (m_shownSlot >= 0) {
        const QOpenGLFramebufferObject& kept = *m_pool[std::size_t(m_shownSlot)];
        copyToScreen(kept.handle(), kept.width(), kept.height(), w, h);
    } else if (held) {
        copyToScreen(m_heldFrame->handle(), m_heldFrame->width(), m_heldFrame->height(), w, h);
    } else if (offscreen) {
        copyToScreen(target, w, h, w, h);
    }
    if (m_beatCount > 0)
        drawBeatCount();
    if (m_shownSlot >= 0 && m_storedFrameNew) {
        m_storedFrameNew = false;
        emit storedFrameShown();
    }
    // A held or kept picture on screen is no frame of mpv's reaching it.
    if (m_frameWaiting && !held && m_shownSlot < 0) {
        m_frameWaiting = false;
        emit frameRendered();
    }
}
