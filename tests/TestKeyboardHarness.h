#pragma once

// The whole program on the fake engine, for the keyboard tests: real windows,
// real key events sent through each window's platform window (as the
// platform delivers them), scripted message boxes.

#include "FakeEngine.h"
#include "ScriptedPrompt.h"
#include "app/Startup.h"
#include "core/playback/MediaPlayerControl.h"
#include "gui/catalog/BookmarkMaking.h"
#include "gui/input/FocusModel.h"
#include "gui/input/KeyAssignments.h"
#include "gui/input/KeyCommands.h"
#include "gui/input/Keyboard.h"
#include "gui/main/TMainForm.h"
#include "gui/main/WindowSizing.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>
#include <memory>

Q_DECLARE_METATYPE(keys::Command)

class Program {
public:
    // Settings lines for config.txt ("Key: value"), or none for the defaults.
    explicit Program(const QStringList& settingsLines = {})
    {
        if (!settingsLines.isEmpty()) {
            QFile file(m_dir.filePath("config.txt"));
            if (file.open(QIODevice::WriteOnly))
                // A one-line settings file is ignored as damaged: add a line.
                file.write((settingsLines.join('\n') + "\nQuick_Start_Guide_Visible: 0\n").toUtf8());
        }
        Startup::Options options;
        options.makeEngine = [this] {
            m_engine = new FakeEngine;
            FakeEngine::Clip clip;
            clip.duration = 600.0;
            m_engine->setDefaultClip(clip);
            return m_engine;
        };
        options.programFolder = m_dir.path() + '/';
        options.userConfigFolder = m_dir.path() + "/user";
        options.endProgram = [] {};
        m_startup = std::make_unique<Startup>(options);
        m_started = m_startup->start({});
        if (m_started)
            main()->player()->setTimerEnabled(false);
    }

    bool started() const { return m_started; }
    // The program's folder, which holds config.txt; ends in "/".
    QString programFolder() const { return m_dir.path() + '/'; }
    // Makes this program's scripted prompt the one that answers (another
    // program made later installs its own).
    void use() { Prompt::install(&m_prompt); }
    ScriptedPrompt& prompt() { return m_prompt; }
    FakeEngine* engine() const { return m_engine; }
    AppWindows& windows() { return m_startup->windows(); }
    TMainForm* main() { return windows().MainForm; }
    Keyboard* keyboard() { return main()->keyboard; }
    MediaPlayerControl* player() { return main()->player(); }

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

    // Opens the demo clip, paused at `seconds`.
    bool openClipAt(double seconds)
    {
        main()->StartVideoClip(QStringLiteral(TEMPOLOOP_DEMO_CLIP));
        settle();
        player()->Pause();
        player()->setCurrentPosition(seconds);
        settle();
        return !player()->FileName().isEmpty();
    }
    void settle()
    {
        m_engine->advance(60);
        player()->tick();
    }
    double position() { return player()->CurrentPosition(); }

private:
    QTemporaryDir m_dir;
    ScriptedPrompt m_prompt;
    FakeEngine* m_engine = nullptr;
    std::unique_ptr<Startup> m_startup;
    bool m_started = false;
};
