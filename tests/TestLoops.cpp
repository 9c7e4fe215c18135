// The loop's wiring in the main window: keys during a continuous loop's
// wait, and the marks of the loop's buttons. The loop's rules are tested
// without a window (core/TestLoopControls).
#include "AppFixture.h"
#include "core/playback/LoopControls.h"
#include "core/playback/TransportControls.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/TColourButton.h"
#include "gui/widgets/TimeBox.h"

#include <QTest>

class TestLoops : public QObject {
    Q_OBJECT

    std::unique_ptr<AppFixture> app;

    LoopControls* loops() { return app->loops(); }
    TimeBox* startBox() { return app->control<TimeBox>("setStartTimeValue"); }
    TimeBox* endBox() { return app->control<TimeBox>("setEndTimeValue"); }
    TColourButton* button(const char* name) { return app->control<TColourButton>(name); }
    void setBoxes(const QString& start, const QString& end)
    {
        startBox()->setDigitText(start);
        endBox()->setDigitText(end);
    }
    // A continuous loop from 65 s to 89 s, stepped until it waits at its end.
    bool runContinuousLoopToItsEnd()
    {
        loops()->toggleContinuously();
        setBoxes("000105", "000129");
        loops()->playLoop();
        return app->stepUntil([&] { return loops()->restartPending(); });
    }

private slots:
    void init()
    {
        app = std::make_unique<AppFixture>();
        QVERIFY(app->startWithClip(120.0));
    }
    void cleanup() { app.reset(); }

    // Keys pressed while a continuous loop waits act at once.
    void keysDuringTheWaitActAtOnce()
    {
        QVERIFY(app->activateMain());
        QVERIFY(runContinuousLoopToItsEnd());
        QTest::keyClick(app->main()->windowHandle(), 'g');
        QCOMPARE(startBox()->digitText(), QStringLiteral("000129"));
        QVERIFY(loops()->restartPending());
    }

    // The play key during the wait pauses: no restart comes, and the loop
    // rests at its end until played again, as a "loop once" does.
    void pauseDuringTheWaitCallsOffTheRestart()
    {
        QVERIFY(app->activateMain());
        QVERIFY(runContinuousLoopToItsEnd());
        app->step();
        QCOMPARE(button("playButton")->text(), QStringLiteral("pause (space)"));
        QTest::keyClick(app->main()->windowHandle(), Qt::Key_Space);
        QVERIFY(!loops()->restartPending());
        QCOMPARE(button("playButton")->text(), QStringLiteral("play (space)"));
        app->step(2000);
        QCOMPARE(app->player()->PlayState(), mpPaused);
        QVERIFY(app->player()->CurrentPosition() >= 89.0);
        QTest::keyClick(app->main()->windowHandle(), Qt::Key_Space);
        app->step();
        QCOMPARE(app->player()->PlayState(), mpPlaying);
        QVERIFY(app->player()->CurrentPosition() < 66.0);
    }

    void loopModeButtonShowsTheMode()
    {
        TColourButton* b = button("loopOnce");
        QCOMPARE(b->text(), QStringLiteral("loop once"));
        loops()->toggleContinuously();
        QCOMPARE(b->text(), QStringLiteral("loop continuously"));
        QCOMPARE(b->color(), QColor(241, 92, 137));
        QCOMPARE(b->hotColor(), QColor(237, 50, 106));
        loops()->toggleContinuously();
        QCOMPARE(b->text(), QStringLiteral("loop once"));
        QCOMPARE(b->color(), QColor(136, 201, 232));
        QCOMPARE(b->hotColor(), QColor(104, 186, 225));
    }

    void indicatorMarksTheActiveButton()
    {
        setBoxes("000105", "000129");
        loops()->playLoop();
        QCOMPARE(button("playLoopButton")->color(), QColor(4, 179, 108));
        QCOMPARE(button("playLoopButton")->hotColor(), QColor(4, 179, 108));
        QCOMPARE(button("playFullVideoButton")->color(), Colours::buttonFace());
    }

    void playButtonCaptionFollowsThePlayer()
    {
        app->step();
        QCOMPARE(button("playButton")->text(), QStringLiteral("pause (space)"));
        app->transport()->togglePlay();
        app->step();
        QCOMPARE(button("playButton")->text(), QStringLiteral("play (space)"));
        QCOMPARE(button("playButton")->hotColor(), QColor(184, 248, 187));
    }
};

QTEST_MAIN(TestLoops)
#include "TestLoops.moc"
