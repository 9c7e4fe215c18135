// What keeping a drawn frame costs on this machine's OpenGL, at the sizes
// the picture is drawn at: a copy of the frame buffer the picture was drawn
// into, kept on the graphics side (a blit into a frame buffer of its own),
// or read back into main memory (glReadPixels); the time to show a kept
// frame again (a blit back); and the memory a frame takes. The figures a
// store of frames for a loop is planned with.
//
//   FrameKeepBench [FRAMES]     (frames kept per size, default 60)
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <QRandomGenerator>
#include <QSize>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct Figures {
    double medianMs = 0;
    double worstMs = 0;
};

Figures figuresOf(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

// A picture with a camera's grain: noise in every pixel, so that nothing on
// the way can take a shortcut over a plain frame.
void drawGrain(QOpenGLExtraFunctions* gl, QOpenGLFramebufferObject& target, quint32 seed)
{
    const QSize size = target.size();
    std::vector<quint32> pixels(size_t(size.width()) * size.height());
    QRandomGenerator random(seed);
    random.fillRange(pixels.data(), pixels.size());
    target.bind();
    GLuint texture = 0;
    gl->glGenTextures(1, &texture);
    gl->glBindTexture(GL_TEXTURE_2D, texture);
    gl->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, size.width(), size.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                     pixels.data());
    GLuint from = 0;
    gl->glGenFramebuffers(1, &from);
    gl->glBindFramebuffer(GL_READ_FRAMEBUFFER, from);
    gl->glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    gl->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target.handle());
    gl->glBlitFramebuffer(0, 0, size.width(), size.height(), 0, 0, size.width(), size.height(), GL_COLOR_BUFFER_BIT,
                          GL_NEAREST);
    gl->glDeleteFramebuffers(1, &from);
    gl->glDeleteTextures(1, &texture);
    gl->glFinish();
}

void blit(QOpenGLExtraFunctions* gl, GLuint from, GLuint to, QSize size)
{
    gl->glBindFramebuffer(GL_READ_FRAMEBUFFER, from);
    gl->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
    gl->glBlitFramebuffer(0, 0, size.width(), size.height(), 0, 0, size.width(), size.height(), GL_COLOR_BUFFER_BIT,
                          GL_NEAREST);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const int frames = argc > 1 ? std::max(4, atoi(argv[1])) : 60;

    QOffscreenSurface surface;
    surface.create();
    QOpenGLContext context;
    if (!context.create() || !context.makeCurrent(&surface)) {
        std::fprintf(stderr, "no OpenGL context\n");
        return 1;
    }
    QOpenGLExtraFunctions* gl = context.extraFunctions();
    std::printf("gl_renderer %s\n", reinterpret_cast<const char*>(gl->glGetString(GL_RENDERER)));

    // The picture widget's sizes: the demo clip at its own size, a window,
    // a 1080p full screen, a 2160p full screen.
    const QList<QSize> sizes{{640, 360}, {1280, 720}, {1920, 1080}, {3840, 2160}};
    for (const QSize size : sizes) {
        const QString name = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        const double frameMb = double(size.width()) * size.height() * 4 / (1024.0 * 1024.0);
        std::printf("frame_memory_%s %.2f MB (%d frames in 768 MB, %.1f s at 30 fps)\n", qPrintable(name), frameMb,
                    int(768 / frameMb), int(768 / frameMb) / 30.0);

        QOpenGLFramebufferObject drawn(size);
        drawGrain(gl, drawn, 1);

        // Kept on the graphics side: one frame buffer per frame, made
        // beforehand (a store keeps its buffers and reuses them), then
        // each frame copied into its own.
        std::vector<std::unique_ptr<QOpenGLFramebufferObject>> kept;
        std::vector<double> makeMs;
        QElapsedTimer timer;
        for (int i = 0; i < frames; ++i) {
            timer.start();
            kept.push_back(std::make_unique<QOpenGLFramebufferObject>(size));
            gl->glFinish();
            makeMs.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::vector<double> keepMs;
        for (int i = 0; i < frames; ++i) {
            timer.start();
            blit(gl, drawn.handle(), kept[size_t(i)]->handle(), size);
            gl->glFinish();
            keepMs.push_back(timer.nsecsElapsed() / 1e6);
        }
        const Figures make = figuresOf(makeMs);
        const Figures keep = figuresOf(keepMs);
        std::printf("make_buffer_%s median %.2f ms worst %.2f ms\n", qPrintable(name), make.medianMs, make.worstMs);
        std::printf("keep_gpu_%s median %.2f ms worst %.2f ms\n", qPrintable(name), keep.medianMs, keep.worstMs);

        // A kept frame shown again: blitted to the picture's frame buffer.
        std::vector<double> showMs;
        for (int i = 0; i < frames; ++i) {
            timer.start();
            blit(gl, kept[size_t(frames - 1 - i)]->handle(), drawn.handle(), size);
            gl->glFinish();
            showMs.push_back(timer.nsecsElapsed() / 1e6);
        }
        const Figures show = figuresOf(showMs);
        std::printf("show_gpu_%s median %.2f ms worst %.2f ms\n", qPrintable(name), show.medianMs, show.worstMs);
        kept.clear();

        // Read back into main memory, and uploaded again to show it.
        std::vector<std::vector<quint8>> copies;
        std::vector<double> readMs;
        std::vector<double> uploadMs;
        GLuint texture = 0;
        gl->glGenTextures(1, &texture);
        gl->glBindTexture(GL_TEXTURE_2D, texture);
        gl->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, size.width(), size.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                         nullptr);
        for (int i = 0; i < frames; ++i) {
            timer.start();
            copies.emplace_back(size_t(size.width()) * size.height() * 4);
            gl->glBindFramebuffer(GL_READ_FRAMEBUFFER, drawn.handle());
            gl->glReadPixels(0, 0, size.width(), size.height(), GL_RGBA, GL_UNSIGNED_BYTE, copies.back().data());
            readMs.push_back(timer.nsecsElapsed() / 1e6);
            timer.start();
            gl->glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, size.width(), size.height(), GL_RGBA, GL_UNSIGNED_BYTE,
                                copies.back().data());
            gl->glFinish();
            uploadMs.push_back(timer.nsecsElapsed() / 1e6);
        }
        gl->glDeleteTextures(1, &texture);
        const Figures read = figuresOf(readMs);
        const Figures upload = figuresOf(uploadMs);
        std::printf("keep_cpu_%s median %.2f ms worst %.2f ms\n", qPrintable(name), read.medianMs, read.worstMs);
        std::printf("show_cpu_%s median %.2f ms worst %.2f ms\n", qPrintable(name), upload.medianMs, upload.worstMs);
    }
    return 0;
}
