// The whole program as a citizen of a Linux desktop, on a session bus of its
// own (ctest starts the test under dbus-run-session) and an X display of its
// own with a window manager:
//  - the screen is kept awake through the desktop's services while a clip
//    plays (stand-ins of the portal and of org.freedesktop.ScreenSaver on
//    the bus record each hold and its release), through the X server's own
//    screen saver where neither answers;
//  - the desktop's media controls reach the program through MPRIS, driven by
//    playerctl (a real client) and by Qt D-Bus from another connection;
//  - the keyboard's media keys, pressed through the X server with xdotool.
// The player runs on the fake engine, on its own 50 ms tick in real time;
// the clip's time and the loop's repeat gap move only when the test says.
// The last test starts the program itself, on libmpv.
#include "../gl/DisplayWithWindowManager.h"
#include "CatalogFixture.h"
#include "DesktopStandIns.h"
#include "core/playback/ClipLoader.h"
#include "core/playback/TransportControls.h"
#include "gui/help/TQuickStartGuideForm.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <unistd.h>

#include <xcb/screensaver.h>
#include <xcb/xcb.h>

namespace {

const QString mprisPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString playerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString rootInterface = QStringLiteral("org.mpris.MediaPlayer2");

// Waits for a process while this process's events run (the program answers
// the process from them); false when it did not end in time.
bool finish(QProcess& process, int ms = 10000)
{
    QElapsedTimer clock;
    clock.start();
    while (process.state() != QProcess::NotRunning && clock.elapsed() < ms)
        QTest::qWait(5);
    return process.state() == QProcess::NotRunning;
}

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

// playerctl on the program's player.
Run playerctl(const QStringList& arguments)
{
    QProcess p;
    p.start(QStringLiteral("playerctl"), QStringList{QStringLiteral("--player=tempoloop")} + arguments);
    Run run;
    if (!finish(p))
        p.kill();
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    run.err = QString::fromUtf8(p.readAllStandardError()).trimmed();
    return run;
}

bool press(const QString& key)
{
    return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), key}) == 0;
}

// The X server's screen saver: its timeout, and whether it is on now.
class XScreenSaver {
public:
    XScreenSaver() : m_connection(xcb_connect(nullptr, nullptr))
    {
        if (!xcb_connection_has_error(m_connection))
            m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    }
    ~XScreenSaver() { xcb_disconnect(m_connection); }

    void setTimeout(int seconds)
    {
        xcb_set_screen_saver(m_connection, int16_t(seconds), 0, XCB_BLANKING_PREFERRED, XCB_EXPOSURES_ALLOWED);
        xcb_flush(m_connection);
    }
    // Whether the screen saver shows (-1: no answer).
    int on()
    {
        xcb_screensaver_query_info_reply_t* info =
            xcb_screensaver_query_info_reply(m_connection, xcb_screensaver_query_info(m_connection, m_root), nullptr);
        if (!info)
            return -1;
        const int state = info->state;
        free(info);
        return state == XCB_SCREENSAVER_STATE_ON;
    }
    // Input at the X server, as a key or a move of the mouse would be.
    void wake()
    {
        xcb_force_screen_saver(m_connection, XCB_SCREEN_SAVER_RESET);
        xcb_flush(m_connection);
    }

private:
    xcb_connection_t* m_connection;
    xcb_window_t m_root = 0;
};

} // namespace

// What the program's MPRIS object signals, as a client on another
// connection hears it.
class MprisListener : public QObject {
    Q_OBJECT
public:
    QList<qlonglong> seeked;
    QList<QVariantMap> changed; // the player interface's changed properties

public slots:
    void onSeeked(qlonglong position) { seeked << position; }
    void onPropertiesChanged(const QString& interface, const QVariantMap& properties, const QStringList&)
    {
        if (interface == QLatin1String("org.mpris.MediaPlayer2.Player"))
            changed << properties;
    }
};

class TestDesktopSession : public QObject {
    Q_OBJECT

public:
    void setWindowManagerRunning(bool running) { m_windowManager = running; }

private:
    bool m_windowManager = false;
    std::unique_ptr<DesktopStandIns> desktop;
    std::unique_ptr<CatalogFixture> app;
    QDBusConnection client{QString()};

    // The program, its player ticking on its own timer, the main window
    // active (so that the X server's keys reach it).
    bool startProgram()
    {
        app = std::make_unique<CatalogFixture>();
        if (!app->start())
            return false;
        app->startup->windows().QuickStartGuideForm->hide();
        // On real time, as the program runs: the player's own timer ticks
        // and clips open without the test's word.
        app->player()->setTimerEnabled(true);
        app->engine->setOpensClipsByItself(true);
        return app->activateMain();
    }
    // Opens "lesson.mp4" (ten minutes), which plays at once.
    void openLesson()
    {
        app->openClip(app->makeClip(QStringLiteral("lesson.mp4")));
        app->step();
    }
    bool playing() const { return app->player()->PlayState() == mpPlaying; }

    // The program's MPRIS service as a client finds it: its name on the bus.
    QString mprisService() const
    {
        const QStringList names = client.interface()->registeredServiceNames().value();
        for (const QString& name : names)
            if (name.startsWith(QLatin1String("org.mpris.MediaPlayer2.tempoloop")))
                return name;
        return {};
    }
    // A call from the client connection, answered while events run.
    QDBusMessage call(const QDBusMessage& message)
    {
        QDBusPendingCall pending = client.asyncCall(message, 5000);
        QElapsedTimer clock;
        clock.start();
        while (!pending.isFinished() && clock.elapsed() < 6000)
            QTest::qWait(5);
        return pending.reply();
    }
    QVariant property(const QString& interface, const QString& name)
    {
        QDBusMessage get = QDBusMessage::createMethodCall(
            mprisService(), mprisPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << interface << name;
        const QDBusMessage reply = call(get);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return {};
        return qvariant_cast<QDBusVariant>(reply.arguments().first()).variant();
    }
    QDBusMessage callPlayer(const QString& method, const QVariantList& arguments = {})
    {
        QDBusMessage m = QDBusMessage::createMethodCall(mprisService(), mprisPath, playerInterface, method);
        m.setArguments(arguments);
        return call(m);
    }

    // The time from `from` to the screen's release, as the stand-ins saw it;
    // -1 when no release came within two seconds.
    qint64 releaseAfter(qint64 from)
    {
        QElapsedTimer clock;
        clock.start();
        while (desktop->recorder.held() > 0 && clock.elapsed() < 2000)
            QTest::qWait(10);
        return desktop->recorder.held() > 0 ? -1 : desktop->recorder.lastReleaseAt() - from;
    }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (run with QT_QPA_PLATFORM=xcb)");
        QVERIFY2(m_windowManager, "needs Xvfb and openbox (scripts/install-deps.sh)");
        QVERIFY2(!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"),
                 "needs a session bus of its own (ctest runs the test under dbus-run-session)");
        for (const char* tool : {"playerctl", "xdotool"})
            QVERIFY2(!QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty(), tool);
        client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("client"));
        QVERIFY(client.isConnected());
    }

    void init()
    {
        desktop = std::make_unique<DesktopStandIns>();
        QVERIFY(desktop->connected());
        QVERIFY(desktop->setPortal(true));
        QVERIFY(desktop->setScreenSaver(true));
        QVERIFY(startProgram());
    }
    void cleanup()
    {
        app.reset();
        desktop.reset();
    }

    // The portal is asked to keep the session from going idle while the
    // clip plays, at any speed and in full screen, and let go within a
    // second of a pause.
    void portalKeepsTheScreenAwakeWhilePlaying()
    {
        openLesson();
        QTRY_COMPARE(desktop->recorder.held(QStringLiteral("portal")), 1);
        const InhibitEvent* hold = desktop->recorder.lastHold();
        QVERIFY(hold->flags & 8); // idle
        QVERIFY(!hold->reason.isEmpty());
        QCOMPARE(desktop->recorder.held(QStringLiteral("screensaver")), 0);

        AppFixture::type(app->main(), 'l'); // fast motion
        QVERIFY(press(QStringLiteral("F2")));
        QTRY_VERIFY(app->player()->FullScreenMode());
        QTest::qWait(700);
        QCOMPARE(desktop->recorder.count(InhibitEvent::Kind::Release), 0);
        QVERIFY(playing());

        const qint64 paused = desktop->recorder.now();
        QVERIFY(press(QStringLiteral("space")));
        const qint64 after = releaseAfter(paused);
        QVERIFY2(after >= 0 && after < 1000, qPrintable(QString::number(after)));
        QVERIFY(!playing());

        QVERIFY(press(QStringLiteral("space")));
        QTRY_COMPARE(desktop->recorder.held(QStringLiteral("portal")), 1);
    }

    // A continuous loop's repeat gap keeps the screen awake; the end of a
    // loop played once lets it go.
    void loopsKeepTheScreenAwakeThroughTheirGap()
    {
        openLesson();
        app->loops()->setLoopMode(LoopControls::LoopMode::Continuously);
        app->startup->storedLoopView().playStoredLoop(QStringLiteral("000140"), QStringLiteral("000142"), std::nullopt);
        QTRY_COMPARE(desktop->recorder.held(), 1);
        QVERIFY(app->stepUntil([this] { return app->loops()->restartPending(); }, 5000));
        // The gap lasts until the test moves the clock: longer than any
        // release would wait.
        QTest::qWait(1500);
        QCOMPARE(desktop->recorder.count(InhibitEvent::Kind::Release), 0);
        app->step(LoopControls::RestartPauseMs);
        QVERIFY(app->stepUntil([this] { return playing(); }, 1000));

        app->loops()->setLoopMode(LoopControls::LoopMode::Once);
        QVERIFY(app->stepUntil([this] { return !playing(); }, 5000));
        const qint64 ended = desktop->recorder.now();
        const qint64 after = releaseAfter(ended);
        QVERIFY2(after >= 0 && after < 1000, qPrintable(QString::number(after)));
        QCOMPARE(desktop->recorder.count(InhibitEvent::Kind::Hold), 1);
    }

    // Play all holds the screen from the first bookmark to the end of the
    // last, through each hand-over to a bookmark of another clip.
    void playAllKeepsTheScreenAwakeToItsEnd()
    {
        CatalogData data = app->catalog({QStringLiteral("basic step"), QStringLiteral("turn")});
        for (Bookmark& b : data.bookmarks)
            b.endTime = QStringLiteral("00:00:12");
        QVERIFY(app->open(data));
        app->rules().playing.togglePlayAll();
        QTRY_COMPARE(desktop->recorder.held(), 1);
        QVERIFY(app->stepUntil(
            [this] {
                return app->prompt.messages().contains(QStringLiteral("Finished playing all bookmarks in sequence."));
            },
            20000));
        QCOMPARE(desktop->recorder.count(InhibitEvent::Kind::Hold), 1);
        const qint64 ended = desktop->recorder.now();
        const qint64 after = releaseAfter(ended);
        QVERIFY2(after >= 0 && after < 1000, qPrintable(QString::number(after)));
        QCOMPARE(desktop->recorder.count(InhibitEvent::Kind::Hold), 1);
    }

    // Without the portal (Xfce, older desktops) the screen saver service
    // takes the hold, and gets its cookie back.
    void screenSaverServiceWithoutThePortal()
    {
        QVERIFY(desktop->setPortal(false));
        openLesson();
        QTRY_COMPARE(desktop->recorder.held(QStringLiteral("screensaver")), 1);
        QCOMPARE(desktop->recorder.lastHold()->application, QStringLiteral("Tempoloop"));
        QVERIFY(!desktop->recorder.lastHold()->reason.isEmpty());
        AppFixture::type(app->main(), ' ');
        QTRY_COMPARE(desktop->recorder.held(), 0);
        QCOMPARE(desktop->recorder.count(InhibitEvent::Kind::Release, QStringLiteral("screensaver")), 1);
    }

    // Leaving the program lets the screen go.
    void exitLetsTheScreenGo()
    {
        openLesson();
        QTRY_COMPARE(desktop->recorder.held(), 1);
        AppFixture::type(app->main(), 'z');
        QTRY_COMPARE(desktop->recorder.held(), 0);
    }

    // With neither service on the bus, the X server's own screen saver is
    // held off while the clip plays.
    void xServerScreenSaverWithoutTheServices()
    {
        QVERIFY(desktop->setPortal(false));
        QVERIFY(desktop->setScreenSaver(false));
        XScreenSaver screenSaver;
        screenSaver.setTimeout(1);
        openLesson();
        screenSaver.wake();
        QTest::qWait(2500);
        QCOMPARE(screenSaver.on(), 0);
        AppFixture::type(app->main(), ' ');
        QTRY_COMPARE_WITH_TIMEOUT(screenSaver.on(), 1, 4000);
        screenSaver.setTimeout(0);
        screenSaver.wake();
        QCOMPARE(desktop->recorder.events.size(), 0);
    }

    // playerctl, as a desktop's media controls use MPRIS: status, play,
    // pause, position and seek, metadata.
    void playerctlControlsThePlayer()
    {
        openLesson();
        QTRY_COMPARE(playerctl({QStringLiteral("status")}).out, QStringLiteral("Playing"));
        QCOMPARE(playerctl({QStringLiteral("pause")}).exitCode, 0);
        QTRY_VERIFY(!playing());
        QTRY_COMPARE(playerctl({QStringLiteral("status")}).out, QStringLiteral("Paused"));
        QCOMPARE(playerctl({QStringLiteral("play")}).exitCode, 0);
        QTRY_VERIFY(playing());
        QCOMPARE(playerctl({QStringLiteral("play-pause")}).exitCode, 0);
        QTRY_VERIFY(!playing());

        QCOMPARE(playerctl({QStringLiteral("position"), QStringLiteral("100")}).exitCode, 0);
        QTRY_COMPARE(app->position(), 100.0);
        QCOMPARE(playerctl({QStringLiteral("position"), QStringLiteral("5+")}).exitCode, 0);
        QTRY_COMPARE(app->position(), 105.0);
        QCOMPARE(playerctl({QStringLiteral("position"), QStringLiteral("10-")}).exitCode, 0);
        QTRY_COMPARE(app->position(), 95.0);
        QCOMPARE(playerctl({QStringLiteral("position")}).out.toDouble(), 95.0);

        const QString path = app->clipFolder() + QStringLiteral("lesson.mp4");
        QCOMPARE(
            playerctl({QStringLiteral("metadata"), QStringLiteral("--format"),
                       QStringLiteral("{{xesam:title}}|{{xesam:url}}|{{mpris:length}}")})
                .out,
            QStringLiteral("lesson.mp4|%1|600000000").arg(QString::fromUtf8(QUrl::fromLocalFile(path).toEncoded())));
        const QString track = playerctl({QStringLiteral("metadata"), QStringLiteral("mpris:trackid")}).out;
        // playerctl prints an object path in quotes.
        QVERIFY2(track.contains(QLatin1String("/org/tempoloop/Track/")), qPrintable(track));
    }

    // Next and previous step through the clips of the folder; while a
    // bookmark of the catalog plays, through the catalog, and the title is
    // the bookmark's name.
    void playerctlNextAndPrevious()
    {
        app->makeClip(QStringLiteral("a warm-up.mp4"));
        app->makeClip(QStringLiteral("z cool-down.mp4"));
        openLesson();
        const auto title = [] { return playerctl({QStringLiteral("metadata"), QStringLiteral("xesam:title")}).out; };
        QTRY_COMPARE(title(), QStringLiteral("lesson.mp4"));
        QCOMPARE(property(playerInterface, QStringLiteral("CanGoNext")).toBool(), true);
        QCOMPARE(playerctl({QStringLiteral("next")}).exitCode, 0);
        QTRY_COMPARE(QFileInfo(app->player()->FileName()).fileName(), QStringLiteral("z cool-down.mp4"));
        QTRY_COMPARE(title(), QStringLiteral("z cool-down.mp4"));
        QCOMPARE(playerctl({QStringLiteral("previous")}).exitCode, 0);
        QTRY_COMPARE(QFileInfo(app->player()->FileName()).fileName(), QStringLiteral("lesson.mp4"));

        QVERIFY(app->open(app->catalog({QStringLiteral("basic step"), QStringLiteral("turn")})));
        app->rules().playing.playLoopListItem(0);
        app->step();
        QTRY_COMPARE(title(), QStringLiteral("basic step"));
        QCOMPARE(playerctl({QStringLiteral("next")}).exitCode, 0);
        QTRY_COMPARE(app->doc()->PlayingBookmark(), 2);
        QTRY_COMPARE(title(), QStringLiteral("turn"));
        QCOMPARE(playerctl({QStringLiteral("previous")}).exitCode, 0);
        QTRY_COMPARE(app->doc()->PlayingBookmark(), 1);
    }

    // The two interfaces through Qt D-Bus from another connection: the
    // root's facts, the player's properties, their change signals, Seeked
    // on a jump, the rate, opening a file.
    void mprisThroughQtDBus()
    {
        QTRY_VERIFY(!mprisService().isEmpty());
        QCOMPARE(mprisService(), QStringLiteral("org.mpris.MediaPlayer2.tempoloop"));
        QCOMPARE(property(rootInterface, QStringLiteral("Identity")).toString(), QStringLiteral("Tempoloop"));
        QCOMPARE(property(rootInterface, QStringLiteral("DesktopEntry")).toString(), QStringLiteral("tempoloop"));
        QCOMPARE(property(rootInterface, QStringLiteral("SupportedUriSchemes")).toStringList(),
                 QStringList{QStringLiteral("file")});
        const QStringList types = property(rootInterface, QStringLiteral("SupportedMimeTypes")).toStringList();
        QVERIFY(types.contains(QStringLiteral("video/mp4")));
        QVERIFY(types.contains(QStringLiteral("audio/mpeg")));
        QCOMPARE(property(playerInterface, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Stopped"));

        MprisListener listener;
        QVERIFY(client.connect(mprisService(), mprisPath, playerInterface, QStringLiteral("Seeked"), &listener,
                               SLOT(onSeeked(qlonglong))));
        QVERIFY(client.connect(mprisService(), mprisPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                               QStringLiteral("PropertiesChanged"), &listener,
                               SLOT(onPropertiesChanged(QString, QVariantMap, QStringList))));

        openLesson();
        QTRY_COMPARE(property(playerInterface, QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Playing"));
        QTRY_VERIFY(!listener.changed.isEmpty());
        QCOMPARE(property(playerInterface, QStringLiteral("MinimumRate")).toDouble(), 0.1);
        QCOMPARE(property(playerInterface, QStringLiteral("MaximumRate")).toDouble(), 2.0);
        const QVariantMap metadata = qdbus_cast<QVariantMap>(property(playerInterface, QStringLiteral("Metadata")));
        QCOMPARE(metadata.value(QStringLiteral("xesam:title")).toString(), QStringLiteral("lesson.mp4"));
        QCOMPARE(metadata.value(QStringLiteral("mpris:length")).toLongLong(), 600000000LL);

        // The jump key moves the position: Seeked tells where to.
        app->player()->Pause();
        app->player()->setCurrentPosition(100);
        app->step();
        listener.seeked.clear();
        AppFixture::type(app->main(), 'f');
        QTRY_VERIFY(!listener.seeked.isEmpty());
        QCOMPARE(listener.seeked.last(), qlonglong(app->position() * 1e6));
        QCOMPARE(property(playerInterface, QStringLiteral("Position")).toLongLong(), qlonglong(app->position() * 1e6));

        listener.changed.clear();
        QDBusMessage setRate = QDBusMessage::createMethodCall(
            mprisService(), mprisPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
        setRate << playerInterface << QStringLiteral("Rate") << QVariant::fromValue(QDBusVariant(0.5));
        QCOMPARE(call(setRate).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(app->player()->Rate(), 0.5);
        QTRY_VERIFY(std::any_of(listener.changed.cbegin(), listener.changed.cend(), [](const QVariantMap& m) {
            return m.value(QStringLiteral("Rate")).toDouble() == 0.5;
        }));

        const QString other = app->makeClip(QStringLiteral("other lesson.mp4"));
        QCOMPARE(callPlayer(QStringLiteral("OpenUri"), {QUrl::fromLocalFile(other).toString()}).type(),
                 QDBusMessage::ReplyMessage);
        QTRY_COMPARE(app->player()->FileName(), other);
        QCOMPARE(callPlayer(QStringLiteral("OpenUri"), {QStringLiteral("https://example.org/lesson.mp4")}).type(),
                 QDBusMessage::ErrorMessage);

        // Raise brings the main window back to the front.
        app->main()->showMinimized();
        QTRY_VERIFY(!app->main()->isActiveWindow());
        QDBusMessage raise =
            QDBusMessage::createMethodCall(mprisService(), mprisPath, rootInterface, QStringLiteral("Raise"));
        QCOMPARE(call(raise).type(), QDBusMessage::ReplyMessage);
        QTRY_VERIFY(app->main()->isActiveWindow());
    }

    // The keyboard's play/pause key, pressed at the X server, reaches the
    // window and toggles play.
    void mediaKeysThroughTheXServer()
    {
        openLesson();
        QVERIFY(playing());
        QVERIFY(press(QStringLiteral("XF86AudioPlay")));
        QTRY_VERIFY(!playing());
        QVERIFY(press(QStringLiteral("XF86AudioPlay")));
        QTRY_VERIFY(playing());
    }

    // A desktop that watches the keys without taking them hands the same
    // press on through MPRIS: it is acted on once.
    void aKeyThatAlsoComesThroughMprisActsOnce()
    {
        openLesson();
        QTRY_COMPARE(playerctl({QStringLiteral("status")}).out, QStringLiteral("Playing"));
        QProcess forwarded;
        forwarded.start(QStringLiteral("playerctl"),
                        {QStringLiteral("--player=tempoloop"), QStringLiteral("play-pause")});
        QVERIFY(press(QStringLiteral("XF86AudioPlay")));
        QVERIFY(finish(forwarded));
        QCOMPARE(forwarded.exitCode(), 0);
        QTRY_VERIFY(!playing());
        QTest::qWait(500);
        QVERIFY(!playing());
    }

    // The program itself, as main() starts it, on libmpv with the demo clip:
    // the desktop's media controls find it, and the screen it holds is let
    // go as it quits through them, before its process ends (the release is
    // sent, not left to the bus noticing the program gone: the stand-in
    // counts only a release it is sent).
    void theProgramItselfLetsGoAsItEnds()
    {
        app.reset();
        QTRY_VERIFY(mprisService().isEmpty());
        desktop->recorder.events.clear();
        // A program folder of its own, as an install has it, so that its
        // settings are written there.
        QTemporaryDir folder(QDir::currentPath() + QStringLiteral("/program-XXXXXX"));
        const QString program = folder.filePath(QStringLiteral("tempoloop"));
        QVERIFY(::link(TEMPOLOOP_PROGRAM, program.toLocal8Bit().constData()) == 0 ||
                QFile::copy(QStringLiteral(TEMPOLOOP_PROGRAM), program));
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("VideoClips")));
        const QString clip = folder.filePath(QStringLiteral("VideoClips/demo_counted_beat.mp4"));
        QVERIFY(QFile::copy(QStringLiteral(TEMPOLOOP_DEMO_CLIP), clip));
        QProcess tempoloop;
        tempoloop.setProcessChannelMode(QProcess::ForwardedChannels);
        tempoloop.start(program, {clip});
        QVERIFY(tempoloop.waitForStarted());

        QTRY_COMPARE_WITH_TIMEOUT(desktop->recorder.held(QStringLiteral("portal")), 1, 20000);
        QTRY_COMPARE(playerctl({QStringLiteral("status")}).out, QStringLiteral("Playing"));
        // The status says "Playing" from the moment the clip is asked to
        // play; its facts come once libmpv has opened it.
        QTRY_COMPARE(playerctl({QStringLiteral("metadata"), QStringLiteral("xesam:title")}).out,
                     QStringLiteral("demo_counted_beat.mp4"));
        QCOMPARE(playerctl({QStringLiteral("metadata"), QStringLiteral("mpris:length")}).out.toLongLong() / 1000000,
                 20LL);
        // Quit, as a desktop's media widget asks it (playerctl has no word
        // for it).
        const QDBusMessage quit =
            call(QDBusMessage::createMethodCall(mprisService(), mprisPath, rootInterface, QStringLiteral("Quit")));
        QCOMPARE(quit.type(), QDBusMessage::ReplyMessage);
        QVERIFY(finish(tempoloop, 20000));
        QCOMPARE(tempoloop.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tempoloop.exitCode(), 0);
        QCOMPARE(desktop->recorder.count(InhibitEvent::Kind::Release, QStringLiteral("portal")), 1);
        QCOMPARE(desktop->recorder.held(), 0);
        QVERIFY(QFile::exists(folder.filePath(QStringLiteral("config.txt"))));
    }
};

TEMPOLOOP_MAIN_WITH_WINDOW_MANAGER(TestDesktopSession)
#include "TestDesktopSession.moc"
