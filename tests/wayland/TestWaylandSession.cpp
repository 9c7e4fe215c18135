// The whole program on libmpv under a headless Wayland compositor (weston,
// started by with-weston.sh), as a user on a Wayland desktop has it: the
// windows, the picture as the compositor shows it, full screen, and the
// keys.
//
// Keys are sent from inside, as Qt key events to the real windows on the
// wayland platform (there is no xdotool for Wayland): they take the
// program's own path (key preview, focus model, dispatch, the full-screen
// picture's keys) but not the compositor's (its keyboard focus, keymap and
// key repeat).
#include "AppFixture.h"
#include "Controls.h"
#include "core/catalog/CatalogData.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogFiles.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/playback/MpvEngine.h"
#include "gui/playback/MpvVideoWidget.h"
#include "gui/playback/TActiveMovie.h"
#include "gui/widgets/TimeBox.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <memory>

namespace {

const QString demoClip = QStringLiteral(TEMPOLOOP_DEMO_CLIP);
const QSize demoSize(640, 360);
const QSize compared(160, 90);
// At most this share of pixels differs between a picture and the frame it
// shows (scaling, compression); another beat's frame differs in more.
const double sameFrame = 0.03;

// The clip's frame at `seconds`, decoded by ffmpeg and scaled to `size`.
QImage clipFrame(double seconds, QSize size)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {"-v", "error", "-ss", QString::number(seconds, 'f', 3), "-i", demoClip, "-frames:v", "1", "-s",
                  QStringLiteral("%1x%2").arg(size.width()).arg(size.height()), "-f", "rawvideo", "-pix_fmt", "rgb24",
                  "-"});
    if (!ffmpeg.waitForFinished(20000) || ffmpeg.exitCode() != 0)
        return {};
    const QByteArray bytes = ffmpeg.readAllStandardOutput();
    if (bytes.size() != size.width() * size.height() * 3)
        return {};
    return QImage(reinterpret_cast<const uchar*>(bytes.constData()), size.width(), size.height(), size.width() * 3,
                  QImage::Format_RGB888)
        .copy();
}

// Share of the pixels (0 to 1) in which two pictures, brought to the same
// small size, differ by more than `tolerance` in a colour channel; 1 when
// either is missing. Scaling and compression leave a few edges apart; a
// picture not drawn, or another frame, differs in whole areas.
double difference(const QImage& a, const QImage& b, int tolerance = 40)
{
    if (a.isNull() || b.isNull())
        return 1.0;
    const QImage x =
        a.convertToFormat(QImage::Format_RGB888).scaled(compared, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage y =
        b.convertToFormat(QImage::Format_RGB888).scaled(compared, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    int differing = 0;
    for (int row = 0; row < x.height(); ++row) {
        const uchar* p = x.constScanLine(row);
        const uchar* q = y.constScanLine(row);
        for (int column = 0; column < x.width(); ++column, p += 3, q += 3)
            differing += std::abs(p[0] - q[0]) > tolerance || std::abs(p[1] - q[1]) > tolerance ||
                         std::abs(p[2] - q[2]) > tolerance;
    }
    return double(differing) / (x.width() * x.height());
}

// The compositor's whole output, through weston's screenshot protocol.
QImage screenshot()
{
    QTemporaryDir dir;
    QProcess shooter;
    shooter.setWorkingDirectory(dir.path());
    shooter.start(QStringLiteral("weston-screenshooter"), QStringList());
    if (!shooter.waitForFinished(10000) || shooter.exitCode() != 0)
        return {};
    const QStringList shots = QDir(dir.path()).entryList({QStringLiteral("*.png")});
    return shots.size() == 1 ? QImage(dir.filePath(shots.first())) : QImage();
}

// Where the clip shows inside a widget of this size: the largest rectangle
// of the clip's shape, in the middle.
QRect clipRectIn(const QRect& area)
{
    const QSize fitted = demoSize.scaled(area.size(), Qt::KeepAspectRatio);
    return QRect(area.center() - QPoint(fitted.width() / 2, fitted.height() / 2), fitted);
}

// The clip's frames around `seconds`: the position a player reports may be
// a few frames off the frame it shows.
QList<QImage> framesAround(double seconds)
{
    QList<QImage> frames;
    for (int f = -5; f <= 2; ++f)
        frames << clipFrame(seconds + f / 30.0, compared);
    return frames;
}

// How far a picture is from the nearest of these frames.
double nearest(const QImage& picture, const QList<QImage>& frames)
{
    double best = 1.0;
    for (const QImage& frame : frames)
        best = std::min(best, difference(picture, frame));
    return best;
}

} // namespace

class TestWaylandSession : public QObject {
    Q_OBJECT

    std::unique_ptr<AppFixture> app;
    int criticalMessages = 0;

    TMainForm* m() const { return app->main(); }
    MediaPlayerControl* player() const { return app->player(); }
    TActiveMovie* movie() const { return child<TActiveMovie>(m(), "ActiveMovie1"); }
    MpvVideoWidget* picture() const { return qobject_cast<MpvVideoWidget*>(movie()->picture()); }

    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const { AppFixture::key(m(), k, modifiers); }
    void type(char c) const { AppFixture::type(m(), c); }

    // Starts the program on libmpv with these arguments; the quick start
    // guide stays closed.
    bool start(const QStringList& arguments)
    {
        app = std::make_unique<AppFixture>();
        app->makeRealEngine = [] {
            return new MpvEngine(MpvEngineOptions{QStringLiteral("libmpv"), QStringLiteral("null")});
        };
        return app->startWithSettings({QStringLiteral("Beginner_Mode: 1")}, arguments);
    }
    // Starts on the demo clip and waits until it plays in a shown window.
    bool startOnTheDemoClip()
    {
        if (!start({demoClip}) || !QTest::qWaitForWindowExposed(m()))
            return false;
        return QTest::qWaitFor([&] { return player()->OpenState() == osOpen && player()->PlayState() == mpPlaying; },
                               10000);
    }
    // Pauses at `seconds` and waits until the picture has drawn that frame.
    bool restAt(double seconds)
    {
        player()->Pause();
        QSignalSpy drawn(picture(), &MpvVideoWidget::frameRendered);
        player()->setCurrentPosition(seconds);
        return QTest::qWaitFor(
            [&] {
                return player()->PlayState() == mpPaused && std::abs(player()->CurrentPosition() - seconds) < 0.034 &&
                       !drawn.isEmpty();
            },
            10000);
    }
    // The main window asks to be active (the compositor may say no; keys
    // sent to it reach it all the same) and its keystrokes are commands.
    void takeTheKeys() const
    {
        QVERIFY(QTest::qWaitForWindowExposed(m()));
        m()->activateWindow();
        m()->giveFocusToSink();
    }
    bool fullScreen(bool on)
    {
        key(Qt::Key_F2);
        const bool done = QTest::qWaitFor(
            [&] {
                return player()->FullScreenMode() == on && m()->isFullScreen() == on &&
                       (!on || m()->size() == m()->screen()->size());
            },
            10000);
        if (!done)
            qWarning("full screen %d: player %d, window state %d, size %dx%d", on, player()->FullScreenMode(),
                     int(m()->windowState()), m()->width(), m()->height());
        return done;
    }
    // Waits until the picture has drawn two frames at its present size.
    bool pictureSettled()
    {
        QSignalSpy drawn(picture(), &MpvVideoWidget::frameRendered);
        return QTest::qWaitFor([&] { return drawn.size() >= 2; }, 10000);
    }

    static void countCriticals(QtMsgType type, const QMessageLogContext&, const QString& text)
    {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            ++self->criticalMessages;
        fprintf(stderr, "%s: %s\n",
                type == QtWarningMsg                      ? "warning"
                : type == QtDebugMsg || type == QtInfoMsg ? "debug"
                                                          : "critical",
                qPrintable(text));
    }
    static TestWaylandSession* self;

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        QVERIFY2(!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"), "run through tests/wayland/with-weston.sh");
        QVERIFY(QFileInfo::exists(demoClip));
        QVERIFY(!QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty());
        QVERIFY(!QStandardPaths::findExecutable(QStringLiteral("weston-screenshooter")).isEmpty());
        self = this;
        qInstallMessageHandler(countCriticals);
    }
    void init() { criticalMessages = 0; }
    void cleanup()
    {
        app.reset();
        QCOMPARE(criticalMessages, 0);
    }
    void cleanupTestCase() { qInstallMessageHandler(nullptr); }

    void mainWindowOpensOnTheDemoClip()
    {
        QVERIFY(startOnTheDemoClip());
        QVERIFY(m()->isVisible());
        QCOMPARE(player()->FileName(), demoClip);
        QVERIFY(m()->windowTitle().startsWith(QStringLiteral("demo_counted_beat.mp4 (640 x 360)")));
        QTRY_VERIFY_WITH_TIMEOUT(player()->CurrentPosition() > 0.5, 10000);
        QVERIFY(app->prompt.messages().isEmpty());
    }

    // The frame the compositor shows in full screen is the clip's frame at
    // the player's position, not another one, not a black or empty one.
    // (A seek while paused right after entering full screen can leave the
    // screen on the frame before the seek; the picture's own frame buffer
    // has the new one. That is looked into apart.)
    void pictureIsDrawnOnTheScreen()
    {
        QVERIFY(startOnTheDemoClip());
        QVERIFY(fullScreen(true));
        QVERIFY(pictureSettled());
        QTRY_VERIFY_WITH_TIMEOUT(player()->CurrentPosition() > 2.0, 10000);
        player()->Pause();
        QTRY_COMPARE_WITH_TIMEOUT(player()->PlayState(), mpPaused, 5000);
        // The frame at the paused position, or one of its neighbours.
        const double at = player()->CurrentPosition();
        const QList<QImage> frames = framesAround(at);
        const QImage otherBeat = clipFrame(at + 0.5, compared);
        QVERIFY(!frames.contains(QImage()) && !otherBeat.isNull());
        // An empty (black) picture would be far off.
        QImage black(compared, QImage::Format_RGB888);
        black.fill(Qt::black);
        QVERIFY(difference(black, frames[5]) > 0.5);
        const QRect area(movie()->picture()->mapTo(m(), QPoint(0, 0)), movie()->picture()->size());
        const QRect shown = clipRectIn(area);
        QImage shot;
        double off = 1.0;
        // The compositor shows the frame once the program has committed it.
        const bool same = QTest::qWaitFor(
            [&] {
                shot = screenshot().copy(shown);
                off = nearest(shot, frames);
                return off < sameFrame;
            },
            5000);
        const QString saved = QDir::temp().filePath(QStringLiteral("tempoloop-wayland-picture.png"));
        if (!same && !shot.isNull())
            shot.save(saved);
        QVERIFY2(!shot.isNull(), "weston-screenshooter gave no picture");
        QVERIFY2(same, qPrintable(QStringLiteral("%1 of the screen's pixels differ from the clip's frame at %2 s "
                                                 "(saved in %3)")
                                      .arg(off)
                                      .arg(at)
                                      .arg(saved)));
        QVERIFY(off < difference(shot, otherBeat));
        QVERIFY(fullScreen(false));
    }

    void spacePlaysAndPauses()
    {
        QVERIFY(startOnTheDemoClip());
        takeTheKeys();
        key(Qt::Key_Space);
        QTRY_COMPARE_WITH_TIMEOUT(player()->PlayState(), mpPaused, 5000);
        const double pausedAt = player()->CurrentPosition();
        key(Qt::Key_Space);
        QTRY_COMPARE_WITH_TIMEOUT(player()->PlayState(), mpPlaying, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(player()->CurrentPosition() > pausedAt + 0.3, 10000);
    }

    // g and h take the whole seconds of the position, t plays the loop, and
    // a loop played once rests paused on its end frame, which the picture
    // shows.
    void loopSetByKeysRestsOnItsEndFrame()
    {
        QVERIFY(startOnTheDemoClip());
        takeTheKeys();
        QVERIFY(restAt(2.0));
        type('g');
        type('f'); // 3 seconds on
        QTRY_VERIFY_WITH_TIMEOUT(std::abs(player()->CurrentPosition() - 5.0) < 0.034, 5000);
        type('h');
        QCOMPARE(child<TimeBox>(m(), "setStartTimeValue")->digitText(), QStringLiteral("000002"));
        QCOMPARE(child<TimeBox>(m(), "setEndTimeValue")->digitText(), QStringLiteral("000005"));
        type('t');
        QTRY_VERIFY_WITH_TIMEOUT(app->loops()->WaitingForLoopRestart(), 15000);
        QCOMPARE(player()->PlayState(), mpPaused);
        // It pauses on the first frame at or after the end time, or, on a
        // busy machine, a few frames later (how close, libmpv's own tests
        // measure); the picture shows the frame it rests on.
        const double end = player()->CurrentPosition();
        QVERIFY2(end >= 5.0 && end < 5.25, qPrintable(QString::number(end)));
        // The resting frame may have been drawn before this point, so no new
        // frame signal need come: draw the picture again until it shows it.
        const QList<QImage> around = framesAround(end);
        QTRY_VERIFY_WITH_TIMEOUT(
            nearest(picture()->grabFramebuffer().copy(clipRectIn(picture()->rect())), around) < sameFrame, 5000);
    }

    // F2 goes full screen and comes back to the window as it was, also
    // after several rounds (where the compositor's window frame would take
    // its share of the window each time), and keys reach the full-screen
    // picture in between.
    void f2EntersAndLeavesFullScreen()
    {
        QVERIFY(startOnTheDemoClip());
        takeTheKeys();
        const QSize windowSize = m()->size();
        QVERIFY(fullScreen(true));
        QVERIFY(!m()->menuBar()->isVisible());
        QCOMPARE(movie()->pictureArea()->size(), m()->screen()->size());
        QVERIFY(pictureSettled());
        QTRY_VERIFY_WITH_TIMEOUT(player()->CurrentPosition() > 3.5, 10000);
        const double before = player()->CurrentPosition();
        type('a'); // 3 seconds back
        QTRY_VERIFY_WITH_TIMEOUT(player()->CurrentPosition() < before - 2.0, 5000);
        QVERIFY(fullScreen(false));
        QVERIFY(m()->menuBar()->isVisible());
        for (int round = 1; round <= 3; ++round) {
            QVERIFY(pictureSettled());
            QTRY_COMPARE_WITH_TIMEOUT(m()->size(), windowSize, 5000);
            QVERIFY(fullScreen(true));
            QVERIFY(pictureSettled());
            QVERIFY(fullScreen(false));
        }
        QVERIFY(pictureSettled());
        QTRY_COMPARE_WITH_TIMEOUT(m()->size(), windowSize, 5000);
        QVERIFY(app->prompt.messages().isEmpty());
    }

    void catalogWindowOpensWithACatalogArgument()
    {
        app = std::make_unique<AppFixture>();
        CatalogData data;
        Bookmark b;
        b.name = QStringLiteral("Counting");
        b.startTime = QStringLiteral("00:00:01");
        b.endTime = QStringLiteral("00:00:05");
        b.fileName = QFileInfo(demoClip).fileName();
        b.folder = QFileInfo(demoClip).absolutePath() + '/';
        data.bookmarks << b;
        const QString path = app->programFolder() + QStringLiteral("Beat practice.tvc");
        QString error;
        QVERIFY2(TVC_WriteCatalogFile(path, data, &error), qPrintable(error));
        QVERIFY(start({path}));
        TBookmarksForm* catalog = app->windows().BookmarksForm;
        QVERIFY(QTest::qWaitForWindowExposed(catalog));
        QCOMPARE(catalog->document()->CatalogFileName(), path);
        QCOMPARE(catalog->document()->RowCount(), 2); // the header row and the bookmark
        QVERIFY(app->prompt.messages().isEmpty());
    }

    void exitKeyEndsTheProgramAndWritesTheSettings()
    {
        QVERIFY(startOnTheDemoClip());
        takeTheKeys();
        QFile::remove(app->configPath());
        QSignalSpy closing(m(), &TMainForm::closing);
        type('z');
        QTRY_COMPARE_WITH_TIMEOUT(closing.size(), 1, 5000);
        QVERIFY(!m()->isVisible());
        QVERIFY(QFileInfo(app->configPath()).size() > 0);
    }

    // Wayland lets no program place or lower its windows, nor raise one
    // without the compositor's leave: the keys that would do so fail
    // quietly and leave every window usable.
    void whatWaylandRefusesFailsQuietly()
    {
        QVERIFY(startOnTheDemoClip());
        TBookmarksForm* catalog = app->windows().BookmarksForm;
        catalog->document()->setCatalogMode(CatalogDocument::Mode::New);
        takeTheKeys();
        key(Qt::Key_F4); // the catalog to the front
        QTRY_VERIFY_WITH_TIMEOUT(catalog->isVisible(), 5000);
        QVERIFY(QTest::qWaitForWindowExposed(catalog));
        AppFixture::key(catalog, Qt::Key_F4); // and behind the video window again
        key(Qt::Key_F3);
        key(Qt::Key_F3);
        key(Qt::Key_F7, Qt::ControlModifier); // remember place and size
        key(Qt::Key_F6);
        key(Qt::Key_F7); // the size comes back, the place cannot
        QCoreApplication::processEvents();
        QCOMPARE(app->prompt.messages(), QStringList{"Small video size set to current size of window."});
        QVERIFY(m()->isVisible());
        QVERIFY(catalog->isVisible());
        QVERIFY(!m()->isMinimized());
        // Still answering: the play key pauses.
        takeTheKeys();
        key(Qt::Key_Space);
        QTRY_COMPARE_WITH_TIMEOUT(player()->PlayState(), mpPaused, 5000);
    }
};

TestWaylandSession* TestWaylandSession::self = nullptr;

QTEST_MAIN(TestWaylandSession)
#include "TestWaylandSession.moc"
