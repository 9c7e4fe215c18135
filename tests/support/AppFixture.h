#pragma once

// The whole program on the fake engine, for window tests: a temporary
// program folder with a clip folder, a scripted prompt, and the windows
// created by the real start-up path. Header-only: it needs the GUI library,
// which only the window tests link.

#include "FakeEngine.h"
#include "ManualClock.h"
#include "ScriptedPrompt.h"
#include "app/Startup.h"
#include "core/playback/LoopControls.h"
#include "core/playback/MediaPlayerControl.h"
#include "gui/main/TMainForm.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

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

    AppFixture() { QDir(programDir.path()).mkpath(QStringLiteral("VideoClips")); }

    QString programFolder() const { return programDir.path() + '/'; }
    QString clipFolder() const { return programFolder() + QStringLiteral("VideoClips/"); }
    QString configPath() const { return programFolder() + QStringLiteral("config.txt"); }

    // Makes an (empty) clip file; the fake engine plays any existing file.
    QString makeClip(const QString& name, const QString& folder = {}) const
    {
        const QString dir = folder.isEmpty() ? clipFolder() : folder;
        QDir().mkpath(dir);
        QFile f(dir + name);
        f.open(QIODevice::WriteOnly);
        f.write("clip");
        return dir + name;
    }

    bool start(const QStringList& arguments = {})
    {
        Startup::Options options;
        options.makeEngine = [this]() -> PlaybackEngine* {
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
        startup = std::make_unique<Startup>(options);
        const bool started = startup->start(arguments);
        if (started) {
            player()->setTimerEnabled(false);
            main()->loops->setRestartTimer(
                [this](int ms, std::function<void()> done) { clock.schedule(ms, std::move(done)); });
        }
        return started;
    }

    TMainForm* main() const { return startup->windows().MainForm; }
    MediaPlayerControl* player() const { return main()->player(); }

    // A control of the main window by its object name.
    template <class T = QWidget> T* control(const char* name) const
    {
        return main()->findChild<T*>(QString::fromLatin1(name));
    }

    // Opens a clip and lets the engine finish loading it.
    void openClip(const QString& path)
    {
        main()->StartVideoClip(path);
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

    // The main window active, its keystrokes commands (focus on the sink).
    bool activateMain()
    {
        main()->activateWindow();
        if (!QTest::qWaitForWindowActive(main()))
            return false;
        main()->giveFocusToSink();
        return true;
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
