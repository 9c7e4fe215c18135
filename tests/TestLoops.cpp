// The loop of the main window against the fake engine: playing, ending,
// restarting, refusing, and leaving a loop.
#include "AppFixture.h"
#include "playback/LoopControls.h"
#include "playback/TransportControls.h"
#include "ui/Colours.h"
#include "ui/widgets/TColourButton.h"
#include "ui/widgets/TimeBox.h"

#include <QTest>

class TestLoops : public QObject {
    Q_OBJECT

    std::unique_ptr<AppFixture> app;
    QList<int> waits;

    LoopControls* loops() { return app->main()->loops; }
    void setBoxes(const QString& start, const QString& end)
    {
        app->main()->setStartTimeValue->setDigitText(start);
        app->main()->setEndTimeValue->setDigitText(end);
    }

private slots:
    void init()
    {
        app = std::make_unique<AppFixture>();
        app->defaultClip.duration = 120.0;
        QVERIFY(app->start());
        waits.clear();
        loops()->setRestartWait([this](int ms) { waits << ms; });
        app->main()->StartVideoClip(app->makeClip("lesson.mp4"));
        app->prompt.clear();
    }
    void cleanup() { app.reset(); }

    void loopPlaysFromStartAndPausesAtEnd()
    {
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        QCOMPARE(app->player()->CurrentPosition(), 65.0);
        QCOMPARE(app->player()->PlayState(), int(mpPlaying));
        QCOMPARE(loops()->indicator(), QStringLiteral("loop"));
        QVERIFY(app->stepUntil([&] { return app->player()->PlayState() != mpPlaying; }));
        // Paused on the first frame at or after the end time, not rewound.
        QCOMPARE(app->player()->PlayState(), int(mpPaused));
        QVERIFY(app->player()->CurrentPosition() >= 89.0);
        QVERIFY(app->player()->CurrentPosition() < 89.0 + 1.5 / 30);
        QVERIFY(loops()->WaitingForLoopRestart);
        QVERIFY(waits.isEmpty());
    }

    void loopOncePlaysAgainFromItsStartOnPlay()
    {
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        QVERIFY(app->stepUntil([&] { return loops()->WaitingForLoopRestart; }));
        app->step();
        app->main()->transport->playButtonClick();
        app->step();
        QVERIFY(!loops()->WaitingForLoopRestart);
        QVERIFY(app->player()->CurrentPosition() < 66.0);
        QCOMPARE(app->player()->PlayState(), int(mpPlaying));
    }

    void loopContinuouslyRestartsAfterTheWait()
    {
        loops()->loopOnceClick();
        QVERIFY(loops()->LoopContinuously);
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        QVERIFY(app->stepUntil([&] { return !waits.isEmpty(); }));
        QCOMPARE(waits, QList<int>{LoopControls::RestartPauseMs});
        app->step();
        QCOMPARE(app->player()->PlayState(), int(mpPlaying));
        QVERIFY(app->player()->CurrentPosition() < 66.0);
        // And it keeps looping.
        QVERIFY(app->stepUntil([&] { return waits.size() == 2; }));
    }

    void loopEndWithoutEndTime_data()
    {
        QTest::addColumn<QString>("end");
        QTest::newRow("no end time") << QString();
        QTest::newRow("end beyond the clip") << QStringLiteral("000500");
    }
    void loopEndWithoutEndTime()
    {
        QFETCH(QString, end);
        setBoxes("000105", end);
        loops()->playLoopButtonClick();
        QVERIFY(app->stepUntil([&] { return loops()->WaitingForLoopRestart; }));
        QVERIFY(app->player()->CurrentPosition() >= 119.9);
        QVERIFY(app->player()->CurrentPosition() < 120.0);
        QCOMPARE(app->player()->PlayState(), int(mpPaused));
    }

    void refusedLoops_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("message");
        QTest::newRow("no start") << QString() << QStringLiteral("000010")
                                  << QStringLiteral("You must enter a \"Start Time\" first before playing a loop.");
        QTest::newRow("start at the end") << QStringLiteral("000200") << QString()
                                          << QStringLiteral("The start time is set past the end of the video.\n"
                                                            "Please fix and try again.");
        QTest::newRow("end equal to start")
            << QStringLiteral("000105") << QStringLiteral("000105")
            << QStringLiteral("The \"End Time\" must be greater than the \"Start Time\"");
        QTest::newRow("end before start") << QStringLiteral("000105") << QStringLiteral("000059")
                                          << QStringLiteral("The \"End Time\" must be greater than the \"Start Time\"");
    }
    void refusedLoops()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, message);
        setBoxes(start, end);
        loops()->playLoopButtonClick();
        QCOMPARE(app->prompt.messages(), QStringList{message});
        QCOMPARE(loops()->indicator(), QStringLiteral("full"));
        QVERIFY(!loops()->LoopIsPlaying);
        QCOMPARE(app->player()->SelectionStart(), -1.0);
        // The refusal paused the player and left the boxes alone.
        QCOMPARE(app->player()->PlayState(), int(mpPaused));
        QCOMPARE(app->main()->setStartTimeValue->digitText(), start);
    }

    void noClipMessages()
    {
        AppFixture empty;
        QVERIFY(empty.start());
        LoopControls* l = empty.main()->loops;
        l->playLoopButtonClick();
        l->setStartTimeButtonClick();
        l->setEndTimeButtonClick();
        l->playFullVideoButtonClick();
        QCOMPARE(empty.prompt.messages(),
                 (QStringList{"You must choose a clip first before attempting to play a loop.",
                              "You must choose a clip first before defining a start time.",
                              "You must choose a clip first before defining an end time.",
                              "You must choose a clip first before attempting to play the full video."}));
    }

    void setTimesRoundHalvesToEven_data()
    {
        QTest::addColumn<double>("position");
        QTest::addColumn<QString>("digits");
        QTest::newRow("12.5") << 12.5 << "000012";
        QTest::newRow("13.5") << 13.5 << "000014";
        QTest::newRow("13.4") << 13.4 << "000013";
        QTest::newRow("65.6") << 65.6 << "000106";
    }
    void setTimesRoundHalvesToEven()
    {
        QFETCH(double, position);
        QFETCH(QString, digits);
        app->player()->setCurrentPosition(position);
        loops()->setStartTimeButtonClick();
        loops()->setEndTimeButtonClick();
        QCOMPARE(app->main()->setStartTimeValue->digitText(), digits);
        QCOMPARE(app->main()->setEndTimeValue->digitText(), digits);
    }

    void playFullVideoLeavesTheLoopWhereItIs()
    {
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        app->step(1000);
        const double here = app->player()->CurrentPosition();
        loops()->playFullVideoButtonClick();
        QCOMPARE(app->player()->CurrentPosition(), here);
        QCOMPARE(loops()->indicator(), QStringLiteral("full"));
        QVERIFY(!loops()->LoopIsPlaying);
        QCOMPARE(app->player()->SelectionEnd(), -1.0);
        // Playback runs on through the old end time.
        app->step(30000);
        QVERIFY(app->player()->CurrentPosition() > 95.0);
    }

    void playFullVideoAfterALoopOnceEndedGoesOnFromThere()
    {
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        QVERIFY(app->stepUntil([&] { return loops()->WaitingForLoopRestart; }));
        app->step();
        loops()->playFullVideoButtonClick();
        app->step();
        app->step();
        QVERIFY(app->player()->CurrentPosition() > 89.0);
        QCOMPARE(app->player()->PlayState(), int(mpPlaying));
    }

    void resetLoopEmptiesTheBoxesAndTheRange()
    {
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        loops()->resetLoopButtonClick();
        QVERIFY(app->main()->setStartTimeValue->digitText().isEmpty());
        QVERIFY(app->main()->setEndTimeValue->digitText().isEmpty());
        QCOMPARE(app->player()->SelectionStart(), -1.0);
        QCOMPARE(app->player()->SelectionEnd(), -1.0);
        QCOMPARE(loops()->indicator(), QStringLiteral("full"));
    }

    void resetEndTimeLetsTheLoopRunOn()
    {
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        loops()->resetEndTimeButtonClick();
        QCOMPARE(app->main()->setStartTimeValue->digitText(), QStringLiteral("000105"));
        QVERIFY(app->main()->setEndTimeValue->digitText().isEmpty());
        QCOMPARE(loops()->indicator(), QStringLiteral("loop"));
        for (int i = 0; i < 600; ++i)
            app->step();
        QVERIFY(app->player()->CurrentPosition() > 94.0);
        QCOMPARE(app->player()->PlayState(), int(mpPlaying));
    }

    void boxesChangedDuringALoopCountWhenResumed()
    {
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        app->step(2000);
        setBoxes("000010", "000020");
        QCOMPARE(app->player()->SelectionStart(), 65.0);
        app->main()->transport->playButtonClick(); // pause
        app->main()->transport->playButtonClick(); // resume with the new boxes
        QCOMPARE(app->player()->SelectionStart(), 10.0);
        QCOMPARE(app->player()->SelectionEnd(), 20.2);
    }

    void loopModeButtonShowsTheMode()
    {
        TColourButton* b = app->main()->loopOnce;
        QCOMPARE(b->text(), QStringLiteral("loop once"));
        loops()->loopOnceClick();
        QCOMPARE(b->text(), QStringLiteral("loop continuously"));
        QCOMPARE(b->color(), QColor(241, 92, 137));
        QCOMPARE(b->hotColor(), QColor(237, 50, 106));
        loops()->loopOnceClick();
        QCOMPARE(b->text(), QStringLiteral("loop once"));
        QCOMPARE(b->color(), QColor(136, 201, 232));
        QCOMPARE(b->hotColor(), QColor(104, 186, 225));
    }

    void indicatorMarksTheActiveButton()
    {
        setBoxes("000105", "000129");
        loops()->playLoopButtonClick();
        QCOMPARE(app->main()->playLoopButton->color(), QColor(4, 179, 108));
        QCOMPARE(app->main()->playLoopButton->hotColor(), QColor(4, 179, 108));
        QCOMPARE(app->main()->playFullVideoButton->color(), Colours::buttonFace());
    }

    void playButtonCaptionFollowsThePlayer()
    {
        app->step();
        QCOMPARE(app->main()->playButton->text(), QStringLiteral("pause (space)"));
        app->main()->transport->playButtonClick();
        app->step();
        QCOMPARE(app->main()->playButton->text(), QStringLiteral("play (space)"));
        QCOMPARE(app->main()->playButton->hotColor(), QColor(184, 248, 187));
    }
};

QTEST_MAIN(TestLoops)
#include "TestLoops.moc"
