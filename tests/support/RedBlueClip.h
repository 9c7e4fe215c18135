#pragma once

// The test clip whose picture is red on its left half and blue on its right,
// what a picture widget shows of it, and a window that plays it on libmpv.
// Header-only; for the tests on a real X display.

#include "EngineLoads.h"
#include "gui/playback/MpvEngine.h"
#include "gui/playback/MpvVideoWidget.h"
#include "gui/playback/TActiveMovie.h"

#include <QColor>
#include <QImage>
#include <QSignalSpy>
#include <QString>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

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

// A 320 x 180 window holding the player on libmpv (null sound): made by
// the constructor, shown and playing the clip's first frame once
// showAndLoad() has returned true.
struct PlayerWindow {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    MpvEngine* engine = new MpvEngine(MpvEngineOptions{QStringLiteral("libmpv"), QStringLiteral("null")});
    TActiveMovie* movie = nullptr;

    PlayerWindow()
    {
        if (!engine->initialize())
            return;
        movie = new TActiveMovie(engine, window.get());
        auto* layout = new QVBoxLayout(window.get());
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(movie);
        window->resize(320, 180 + TActiveMovie::StripHeight);
    }
    MpvVideoWidget* picture() const { return movie ? qobject_cast<MpvVideoWidget*>(movie->picture()) : nullptr; }

    bool showAndLoad()
    {
        if (!movie)
            return false;
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()) || !picture())
            return false;
        if (!QTest::qWaitFor([this] { return picture()->hasRenderContext(); }, 3000))
            return false;
        QSignalSpy drawn(picture(), &MpvVideoWidget::frameRendered);
        engine->load(clip);
        return loadEnds(*engine, 5000) && QTest::qWaitFor([&drawn] { return drawn.count() > 0; }, 5000);
    }
};

} // namespace redblue
