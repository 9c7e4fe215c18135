#pragma once

// The whole program on the fake engine, for window tests: a temporary
// program folder with a clip folder, a scripted prompt, and the windows
// created by the real start-up wiring (Startup, as main.cpp uses it). It is
// the only start-up path of the tests: make one per test (or per data row),
// so no test depends on what another left behind. Header-only: it needs the
// GUI library, which only the window tests link.
//
//   AppFixture app;
//   QVERIFY(app.startWithSettings({"Beginner_Mode: 0"}));
//   QVERIFY(app.openClipAt(100));
//   AppFixture::type(app.main(), 'a');   // a keystroke as the platform sends it
//   app.step();                          // one player tick on the manual clock

#include "FakeEngine.h"
#include "ManualClock.h"
#include "ScriptedPrompt.h"
#include "app/Startup.h"
#include "core/playback/LoopControls.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/playback/StoredLoopView.h"
#include "gui/main/AppWindows.h"
#include "gui/main/TMainForm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <memory>

class ClipLoader;
class Keyboard;
class LoopControls;
class SettingsFiles;
class TransportControls;
class WindowSizing;

class AppFixture {
public:
    QTemporaryDir programDir;
    QTemporaryDir userDir;
    ScriptedPrompt prompt;
    FakeEngine* engine = nullptr; // the player's engine
    FakeEngine::Clip defaultClip;
    bool engineStarts = true;
    int enginesMade = 0;
    bool endedProgram = false;
    std::unique_ptr<Startup> startup;
    // The clock of the engine and of the loop's restart wait.
    ManualClock clock;
    // Makes the player's engine instead of the fake one (the Wayland tests
    // play on libmpv); the player then runs on its own timers, in real time,
    // and `engine` stays null.
    std::function<PlaybackEngine*()> makeRealEngine;
    // Finds the beats of clips instead of aubio (which the fake engine's
    // empty clip files give nothing to hear); the test then hands the beats
    // in itself.
    std::function<BeatSource*()> makeBeatSource;

    AppFixture() { QDir(programDir.path()).mkpath(QStringLiteral("VideoClips")); }
    AppFixture(const AppFixture&) = delete;
    AppFixture& operator=(const AppFixture&) = delete;

    QString programFolder() const { return programDir.path() + '/'; }
    QString clipFolder() const { return programFolder() + QStringLiteral("VideoClips/"); }
    QString configPath() const { return programFolder() + QStringLiteral("config.txt"); }
    QString stateFolder() const { return userDir.path() + QStringLiteral("/state/"); }

    // Makes an (empty) clip file; the fake engine plays any existing file.
    QString makeClip(const QString& name, const QString& folder = {}) const
    {
        const QString dir = folder.isEmpty() ? clipFolder() : folder;
        QDir().mkpath(dir);
        QFile f(dir + name);
        if (f.open(QIODevice::WriteOnly))
            f.write("clip");
        return dir + name;
    }

    // Writes config.txt from "Key: value" lines, the quick start guide
    // hidden (a one-line settings file would be ignored as damaged).
    bool writeSettings(const QStringList& lines) const
    {
        QFile file(configPath());
        if (!file.open(QIODevice::WriteOnly))
            return false;
        return file.write((lines.join('\n') + "\nQuick_Start_Guide_Visible: 0\n").toUtf8()) > 0;
    }

    // Starts the program through the real start-up wiring.
    bool start(const QStringList& arguments = {})
    {
        Startup::Options options;
        options.makeEngine = makeRealEngine ? makeRealEngine : [this]() -> PlaybackEngine* {
            auto* e = new FakeEngine;
            e->setInitializeResult(engineStarts);
            e->setDefaultClip(defaultClip);
            engine = e;
            ++enginesMade;
            return e;
        };
        options.programFolder = programFolder();
        options.userConfigFolder = userDir.path();
        options.endProgram = [this] { endedProgram = true; };
        // Beats found in clips are kept here, not in the user's cache.
        options.beatCacheFolder = userDir.path() + QStringLiteral("/cache/beats");
        options.makeBeatSource = makeBeatSource;
        // The desktop's services only on a session bus of the test's own
        // (tests/desktop/, under dbus-run-session): never on the bus of the
        // desktop the tests run on.
        options.desktop = qEnvironmentVariableIsSet("TEMPOLOOP_TEST_SESSION_BUS") ? Startup::DesktopLink::SessionBus
                                                                                  : Startup::DesktopLink::None;
        // Recovery files and catalog locks, away from the user's.
        options.stateFolder = stateFolder();
        startup = std::make_unique<Startup>(options);
        const bool started = startup->start(arguments);
        if (started && !makeRealEngine) {
            player()->setTimerEnabled(false);
            loops()->setRestartTimer(
                [this](int ms, std::function<void()> done) { clock.schedule(ms, std::move(done)); });
        }
        return started;
    }
    // Starts on these settings (no lines: the defaults, with the quick
    // start guide hidden).
    bool startWithSettings(const QStringList& lines, const QStringList& arguments = {})
    {
        return writeSettings(lines) && start(arguments);
    }

    AppWindows& windows() const { return startup->windows(); }
    TMainForm* main() const { return windows().MainForm; }
    MediaPlayerControl* player() const { return main()->player(); }
    // The controllers behind the main window, as the start-up made them.
    Keyboard* keyboard() const { return startup->keyboard(); }
    LoopControls* loops() const { return startup->loops(); }
    ClipLoader* clips() const { return startup->clips(); }
    TransportControls* transport() const { return startup->transport(); }
    WindowSizing* sizing() const { return startup->sizing(); }
    SettingsFiles* settings() const { return startup->settings(); }
    double position() const { return player()->CurrentPosition(); }

    // A control of the main window by its object name.
    template <class T = QWidget> T* control(const char* name) const
    {
        return main()->findChild<T*>(QString::fromLatin1(name));
    }

    // Opens a clip and lets the engine finish loading it.
    void openClip(const QString& path)
    {
        startup->storedLoopView().StartVideoClip(path);
        engine->finishLoad();
    }

    // Starts the program on a clip of this length, "lesson.mp4", opened and
    // loaded, with nothing shown so far.
    bool startWithClip(double duration)
    {
        defaultClip.duration = duration;
        if (!start())
            return false;
        openClip(makeClip(QStringLiteral("lesson.mp4")));
        prompt.clear();
        return true;
    }

    // Opens "lesson.mp4" (ten minutes long unless the test gave its clip
    // another length) and rests paused at `seconds`.
    bool openClipAt(double seconds, double duration = 600.0)
    {
        const QString path = makeClip(QStringLiteral("lesson.mp4"));
        FakeEngine::Clip clip = defaultClip;
        clip.duration = duration;
        engine->addClip(path, clip);
        openClip(path);
        step(60);
        player()->Pause();
        player()->setCurrentPosition(seconds);
        step(60);
        return player()->FileName() == path;
    }

    // The main window active, its keystrokes commands (focus on the sink).
    bool activateMain()
    {
        main()->activateWindow();
        if (!QTest::qWaitForWindowActive(main()))
            return false;
        main()->giveFocusToSink();
        return true;
    }

    // Shows the window and waits until it is the active one.
    static bool activate(QWidget* window)
    {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window);
    }
    // One keystroke as the platform delivers it to the window.
    static void key(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window->windowHandle(), key, modifiers);
    }
    // A key that types nothing, such as a media key (QTest's keyClick knows
    // the text of only some of them).
    static void silentKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::sendKeyEvent(QTest::Click, window->windowHandle(), key, QString(), modifiers);
    }
    // One typed character ('A' with Shift types a capital).
    static void type(QWidget* window, char character, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(window->windowHandle(), character, modifiers);
    }
    static void typeText(QWidget* window, const char* text)
    {
        for (const char* c = text; *c; ++c)
            type(window, *c);
    }

    // One tick of the player: the clock moves, then the tick hands on events.
    void step(int ms = MediaPlayerControl::TickIntervalMs)
    {
        engine->advance(ms);
        clock.advance(ms);
        player()->tick();
    }
    // Runs ticks until the condition holds or the clip time runs out.
    template <class Condition> bool stepUntil(Condition condition, int maxMs = 200000)
    {
        for (int t = 0; t < maxMs; t += MediaPlayerControl::TickIntervalMs) {
            if (condition())
                return true;
            step();
        }
        return condition();
    }
};
