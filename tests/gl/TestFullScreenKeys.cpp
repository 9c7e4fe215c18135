// Keys while the picture fills the screen, on an X display with a window
// manager (which makes the window full screen and gives a new message box
// the keyboard): the keys are pressed with xdotool (XTest) and take the
// whole path of a real keystroke, into the full-screen player's key filter
// and on to the commands. A message box raised in full screen is a real one.
#include "AppFixture.h"
#include "Controls.h"
#include "DisplayWithWindowManager.h"
#include "XKeys.h"
#include "gui/help/TQuickStartGuideForm.h"
#include "gui/prompt/QtPrompt.h"
#include "gui/widgets/TColourButton.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using xkeys::press;

class TestFullScreenKeys : public QObject {
    Q_OBJECT

public:
    void setWindowManagerRunning(bool running) { m_windowManager = running; }

private:
    bool m_windowManager = false;
    std::unique_ptr<AppFixture> app;

    // Full screen from its button (no keystroke to skip), the clip at 100 s.
    bool enterFullScreen()
    {
        app->openClip(app->makeClip(QStringLiteral("lesson.mp4")));
        app->player()->setCurrentPosition(100);
        app->step();
        child<TColourButton>(app->main(), "F2_Button")->click();
        return app->player()->FullScreenMode() && QTest::qWaitForWindowActive(app->main()) &&
               QTest::qWaitFor([this] { return app->main()->isFullScreen(); });
    }

private slots:
    void initTestCase()
    {
        if (const QString lacking = xkeys::missing(); !lacking.isEmpty())
            QSKIP(qPrintable(lacking));
        QVERIFY2(m_windowManager, "needs Xvfb and openbox (scripts/install-deps.sh)");
    }

    void init()
    {
        app = std::make_unique<AppFixture>();
        app->defaultClip.duration = 600.0;
        QVERIFY(app->start());
        app->startup->windows().QuickStartGuideForm->hide();
    }
    void cleanup() { app.reset(); }

    // The space pauses and plays in full screen as it does in the window.
    void spacePlaysAndPauses()
    {
        QVERIFY(enterFullScreen());
        QCOMPARE(app->player()->PlayState(), mpPlaying);
        QVERIFY(press(QStringLiteral("space")));
        QTRY_COMPARE((app->player()->tick(), app->player()->PlayState()), mpPaused);
        QVERIFY(app->player()->FullScreenMode());
        QVERIFY(press(QStringLiteral("space")));
        QTRY_COMPARE((app->player()->tick(), app->player()->PlayState()), mpPlaying);
        QVERIFY(app->player()->FullScreenMode());
    }

    // "i" with an empty command line raises its message over the full-screen
    // picture. While it is open the keys are the box's: a command key does
    // nothing behind it, Return answers it.
    void aMessageBoxOwnsTheKeys()
    {
        QtPrompt boxes(QStringLiteral("Tempoloop"));
        Prompt::install(&boxes);
        QVERIFY(enterFullScreen());
        app->player()->Pause();
        app->step();
        const double position = app->player()->CurrentPosition();

        // Runs inside the box's own event loop, once the box is up.
        QString shown;
        bool handled = false;
        bool answered = false;
        QTimer watcher;
        watcher.setInterval(20);
        connect(&watcher, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (handled || !box || !QTest::qWaitForWindowActive(box))
                return;
            handled = true;
            watcher.stop();
            shown = box->text();
            press(QStringLiteral("a")); // back seconds, were it a command
            press(QStringLiteral("Return"));
            answered = QTest::qWaitFor([] { return !QApplication::activeModalWidget(); }, 5000);
            if (!answered)
                box->reject(); // the box kept no key: close it for the user
        });
        watcher.start();
        QVERIFY(press(QStringLiteral("i")));
        // The player hands the key on with its tick; the tick returns once
        // the box is closed.
        QTRY_VERIFY_WITH_TIMEOUT((app->player()->tick(), handled), 10000);
        Prompt::install(&app->prompt);

        QCOMPARE(shown, QStringLiteral("The \"Command Line Entry Box\" must contain some text."));
        QVERIFY2(answered, "Return did not reach the message box");
        // The key pressed while the box was open went to the box, not to the
        // commands behind it.
        app->step();
        QCOMPARE(app->player()->CurrentPosition(), position);
        QVERIFY(app->player()->FullScreenMode());
    }
};

TEMPOLOOP_MAIN_WITH_WINDOW_MANAGER(TestFullScreenKeys)
#include "TestFullScreenKeys.moc"
