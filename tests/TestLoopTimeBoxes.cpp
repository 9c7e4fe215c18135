// Half-filled loop time boxes in the main window: a box cannot be left while
// partly filled, and the loop refuses a partly filled time instead of reading
// it as another one ("00:00:1_" is not 10 seconds, "00:_1:05" not 650).
#include "AppFixture.h"
#include "Controls.h"
#include "TimeBoxEntry.h"
#include "core/playback/LoopControls.h"
#include "gui/widgets/TColourButton.h"
#include "gui/widgets/TimeBox.h"

#include <QTest>

class TestLoopTimeBoxes : public QObject {
    Q_OBJECT

    std::unique_ptr<AppFixture> app;

    TimeBox* startBox() const { return child<TimeBox>(app->main(), "setStartTimeValue"); }
    TimeBox* endBox() const { return child<TimeBox>(app->main(), "setEndTimeValue"); }

private slots:
    void init()
    {
        app = std::make_unique<AppFixture>();
        app->defaultClip.duration = 1200.0;
        QVERIFY(app->start());
        app->openClip(app->makeClip("lesson.mp4"));
        app->main()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(app->main()));
        app->prompt.clear();
    }
    void cleanup() { app.reset(); }

    void partlyFilledTimesAreRefused_data()
    {
        QTest::addColumn<QString>("start"); // as shown, "_" unfilled
        QTest::addColumn<QString>("end");
        QTest::newRow("start missing its last digit") << "00:00:1_"
                                                      << "__:__:__";
        QTest::newRow("start with a gap") << "00:_1:05"
                                          << "__:__:__";
        QTest::newRow("end with a gap") << "00:00:05"
                                        << "00:_1:05";
    }
    void partlyFilledTimesAreRefused()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        app->player()->Pause();
        app->player()->setCurrentPosition(30.0);
        enterShown(startBox(), start);
        enterShown(endBox(), end);
        QCOMPARE(startBox()->displayText(), start);
        QCOMPARE(endBox()->displayText(), end);

        app->loops()->playLoop();
        QCOMPARE(app->prompt.messages(),
                 QStringList{"A time box is only partly filled.\nPlease complete or clear it and try again."});
        QCOMPARE(app->player()->CurrentPosition(), 30.0);
        QCOMPARE(app->player()->SelectionStart(), -1.0);
        QCOMPARE(app->player()->SelectionEnd(), -1.0);
        QVERIFY(!app->loops()->LoopIsPlaying());
    }

    void aClickElsewhereIsRefusedWhilePartlyFilled()
    {
        QTest::mouseClick(startBox(), Qt::LeftButton, {}, QPoint(3, 5));
        QVERIFY(startBox()->hasFocus());
        startBox()->setCursorPosition(0);
        QTest::keyClicks(startBox(), "0001");
        QCOMPARE(startBox()->displayText(), QStringLiteral("00:01:__"));

        // The play loop button does not act on a time that is not one.
        QTest::mouseClick(child<TColourButton>(app->main(), "playLoopButton"), Qt::LeftButton);
        QTRY_COMPARE(app->prompt.messages(), QStringList{TimeBox::incompleteMessage()});
        QVERIFY(startBox()->hasFocus());
        QVERIFY(!app->loops()->LoopIsPlaying());

        // Completed, the box can be left.
        QTest::keyClicks(startBox(), "05");
        QTest::mouseClick(child<TColourButton>(app->main(), "playLoopButton"), Qt::LeftButton);
        QVERIFY(app->loops()->LoopIsPlaying());
        QCOMPARE(app->player()->SelectionStart(), 65.0);
        QCOMPARE(app->prompt.messages().size(), 1);
    }
};

QTEST_MAIN(TestLoopTimeBoxes)
#include "TestLoopTimeBoxes.moc"
