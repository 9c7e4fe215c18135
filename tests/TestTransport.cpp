// The transport's wiring in the main window: the jump and rate lists it
// reads, the marks and captions it sets, the buttons that hand the keys
// back. Its rules are tested without a window (core/TestTransportControls).
#include "AppFixture.h"
#include "Controls.h"
#include "core/playback/LoopControls.h"
#include "core/playback/TransportControls.h"
#include "gui/input/FocusSink.h"
#include "gui/widgets/Colours.h"
#include "gui/widgets/TColourButton.h"
#include "gui/widgets/TimeBox.h"

#include <QComboBox>
#include <QTest>

class TestTransport : public QObject {
    Q_OBJECT

    std::unique_ptr<AppFixture> app;
    TransportControls* t() { return app->transport(); }
    MediaPlayerControl* p() { return app->player(); }

private slots:
    void init()
    {
        app = std::make_unique<AppFixture>();
        app->defaultClip.duration = 1200.0;
        QVERIFY(app->start());
        app->openClip(app->makeClip("lesson.mp4"));
        app->step();
        app->prompt.clear();
    }
    void cleanup() { app.reset(); }

    void jumps_data()
    {
        QTest::addColumn<QString>("jump");
        QTest::addColumn<int>("entry");
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::newRow("back 3 sec") << "backseconds" << 2 << 10.0 << 7.0;
        QTest::newRow("back 20 sec") << "backseconds" << 8 << 30.0 << 10.0;
        QTest::newRow("forward 3 sec") << "forwardseconds" << 2 << 10.0 << 13.0;
        QTest::newRow("back 1 min") << "backminutes" << 0 << 100.0 << 40.0;
        QTest::newRow("forward 10 min") << "forwardminutes" << 5 << 10.0 << 610.0;
    }
    void jumps()
    {
        QFETCH(QString, jump);
        QFETCH(int, entry);
        QFETCH(double, from);
        QFETCH(double, to);
        TMainForm* m = app->main();
        child<QComboBox>(m, "backSecondsValue")->setCurrentIndex(entry);
        child<QComboBox>(m, "forwardSecondsValue")->setCurrentIndex(entry);
        child<QComboBox>(m, "backMinutesValue")->setCurrentIndex(entry);
        child<QComboBox>(m, "forwardMinutesValue")->setCurrentIndex(entry);
        p()->setCurrentPosition(from);
        const PlayStateValue state = p()->PlayState();
        QMetaObject::invokeMethod(t(), [&] {
            if (jump == "backseconds")
                t()->jumpBackSeconds();
            if (jump == "forwardseconds")
                t()->jumpForwardSeconds();
            if (jump == "backminutes")
                t()->jumpBackMinutes();
            if (jump == "forwardminutes")
                t()->jumpForwardMinutes();
        });
        QCOMPARE(p()->CurrentPosition(), to);
        QCOMPARE(p()->PlayState(), state);
    }

    void speeds()
    {
        TMainForm* m = app->main();
        t()->playSlow();
        QCOMPARE(p()->Rate(), 0.5);
        QCOMPARE(child<TColourButton>(m, "slowmotionButton")->color(), QColor(4, 179, 108));
        QCOMPARE(child<TColourButton>(m, "regularspeedButton")->color(), Colours::buttonFace());
        QCOMPARE(child<TColourButton>(m, "regularspeedButton")->hotColor(), Colours::buttonShadow());
        // A new rate picked in slow mode applies at once and plays.
        p()->Pause();
        child<QComboBox>(m, "slowmotionRate")->setCurrentIndex(2);
        t()->slowRateChosen();
        QCOMPARE(p()->Rate(), 0.3);
        QCOMPARE(p()->PlayState(), mpPlaying);
        // In regular mode a new rate waits for the slow button.
        t()->playRegular();
        QCOMPARE(p()->Rate(), 1.0);
        child<QComboBox>(m, "slowmotionRate")->setCurrentIndex(0);
        t()->slowRateChosen();
        QCOMPARE(p()->Rate(), 1.0);
        child<QComboBox>(m, "fastmotionRate")->setCurrentIndex(1);
        t()->playFast();
        QCOMPARE(p()->Rate(), 1.5);
        QCOMPARE(t()->speedMode(), TransportControls::SpeedMode::Fast);
    }

    void rateSurvivesANewClipButTheModeTurnsRegular()
    {
        t()->playSlow();
        app->openClip(app->makeClip("second.mp4"));
        app->step();
        QCOMPARE(app->engine->speed(), 0.5);
        QCOMPARE(t()->speedMode(), TransportControls::SpeedMode::Regular);
        QCOMPARE(child<TColourButton>(app->main(), "slowmotionButton")->color(), QColor(4, 179, 108));
    }

    void muteTwiceReturnsTheCaption()
    {
        TColourButton* mute = child<TColourButton>(app->main(), "muteButton");
        t()->toggleMute();
        QVERIFY(p()->Mute());
        QCOMPARE(mute->text(), QStringLiteral("un-mute (m)"));
        QCOMPARE(mute->color(), QColor(0, 255, 255));
        t()->toggleMute();
        QVERIFY(!p()->Mute());
        QCOMPARE(mute->text(), QStringLiteral("mute (m)"));
        QCOMPARE(mute->color(), Colours::buttonFace());
    }

    void playWithoutAClipWarnsOnlyWhenClicked()
    {
        AppFixture empty;
        QVERIFY(empty.start());
        empty.transport()->togglePlay();
        QVERIFY(empty.prompt.messages().isEmpty());
        child<TColourButton>(empty.main(), "playButton")->click();
        QCOMPARE(empty.prompt.messages(),
                 QStringList{"In order to play video, you must first choose a clip using the \"view clip\" button."});
    }

    void clickedButtonsHandTheFocusToTheSink()
    {
        app->main()->show();
        app->main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app->main()));
        child<TimeBox>(app->main(), "setStartTimeValue")->setFocus();
        child<TColourButton>(app->main(), "forwardsecondsButton")->click();
        QTRY_VERIFY(child<FocusSink>(app->main(), "PanelFocusPanel")->isActive());
    }
};

QTEST_MAIN(TestTransport)
#include "TestTransport.moc"
