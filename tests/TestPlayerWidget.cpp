// The player widget: its strip, click to play, and the picture full screen
// (the main window around it goes full screen, keys reach the windows only as
// the control's full-screen key event, and Escape leaves full screen inside
// the control).
#include "AppFixture.h"
#include "Controls.h"
#include "gui/main/RightPanel.h"
#include "gui/playback/TActiveMovie.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

class TestPlayerWidget : public QObject {
    Q_OBJECT

    std::unique_ptr<AppFixture> app;

private slots:
    void init()
    {
        app = std::make_unique<AppFixture>();
        app->defaultClip.duration = 120.0;
        QVERIFY(app->start());
        app->openClip(app->makeClip("lesson.mp4"));
        app->main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app->main()));
    }
    void cleanup() { app.reset(); }

    void pictureFillsTheWindowAndEscapeLeaves()
    {
        TMainForm* m = app->main();
        QSignalSpy keys(app->player(), &MediaPlayerControl::OnFullScreenKeyPress);
        app->player()->setFullScreenMode(true);
        QVERIFY(child<TActiveMovie>(m, "ActiveMovie1")->isPictureFullScreen());
        QVERIFY(!child<QWidget>(m, "RHS_Panel")->isVisible());
        QVERIFY(!child<QWidget>(m, "PlayerControlsPanel")->isVisible());
        QVERIFY(!child<TActiveMovie>(m, "ActiveMovie1")->strip()->isVisible());
        QVERIFY(!m->menuBar()->isVisible());
        QCOMPARE(child<TActiveMovie>(m, "ActiveMovie1")->geometry(), m->centralWidget()->rect());

        // A key is held back from the windows and handed on with the tick.
        const QString startBefore = child<QLineEdit>(m, "setStartTimeKey")->text();
        QTest::keyClick(m->windowHandle(), Qt::Key_A, Qt::ShiftModifier);
        QVERIFY(keys.isEmpty());
        app->player()->tick();
        QCOMPARE(keys.count(), 1);
        QCOMPARE(keys.first().at(0).toInt(), int(Qt::Key_A));
        QCOMPARE(keys.first().at(1).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
        QCOMPARE(child<QLineEdit>(m, "setStartTimeKey")->text(), startBefore);

        QTest::keyClick(m->windowHandle(), Qt::Key_Escape);
        app->player()->tick();
        QCOMPARE(keys.count(), 1);
        QVERIFY(!app->player()->FullScreenMode());
        QVERIFY(!child<TActiveMovie>(m, "ActiveMovie1")->isPictureFullScreen());
        QVERIFY(child<QWidget>(m, "RHS_Panel")->isVisible());
        QVERIFY(child<QWidget>(m, "PlayerControlsPanel")->isVisible());
        QVERIFY(child<TActiveMovie>(m, "ActiveMovie1")->strip()->isVisible());
        QCOMPARE(child<TActiveMovie>(m, "ActiveMovie1")->width(), m->centralWidget()->width() - RightPanel::Width);
    }

    void stripFollowsPlaybackAndSeeks()
    {
        TActiveMovie* movie = child<TActiveMovie>(app->main(), "ActiveMovie1");
        QCOMPARE(movie->strip()->height(), TActiveMovie::StripHeight);
        app->player()->setCurrentPosition(65.4);
        auto* time = movie->strip()->findChild<QLabel*>("timeLabel");
        QVERIFY(time);
        QTRY_COMPARE(time->text(), QStringLiteral("00:01:05 / 00:02:00"));
        auto* seekBar = movie->strip()->findChild<QSlider*>("seekBar");
        QVERIFY(seekBar);
        seekBar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QTRY_VERIFY(app->player()->CurrentPosition() > 65.4);
        auto* play = movie->strip()->findChild<QToolButton*>("stripPlayButton");
        QVERIFY(play);
        play->click();
        QCOMPARE(app->player()->PlayState(), mpPaused);
        QCOMPARE(play->accessibleName(), QStringLiteral("Play"));
    }

    void clickOnThePicturePlaysOrPauses()
    {
        QWidget* picture = child<TActiveMovie>(app->main(), "ActiveMovie1")->picture();
        QCOMPARE(app->player()->PlayState(), mpPlaying);
        QTest::mouseClick(picture, Qt::LeftButton);
        QCOMPARE(app->player()->PlayState(), mpPaused);
        QTest::mouseClick(picture, Qt::LeftButton);
        QCOMPARE(app->player()->PlayState(), mpPlaying);
        child<TActiveMovie>(app->main(), "ActiveMovie1")->setClickToPlay(false);
        QTest::mouseClick(picture, Qt::LeftButton);
        QCOMPARE(app->player()->PlayState(), mpPlaying);
    }
};

QTEST_MAIN(TestPlayerWidget)
#include "TestPlayerWidget.moc"
