// Loops on the beat in the whole program on libmpv and a real X display:
// the demo clip (a click every 0.5 s from its first frame) opens, aubio
// finds its beats on its worker thread, and the keys, pressed with xdotool
// (the whole path of a real keystroke), snap the loop's start to a beat and
// play a loop of 8 beats. At each restart of the loop the first frame on
// screen is the beat's frame, give or take one, and the count over the
// picture shows "1".
#include "AppFixture.h"
#include "Controls.h"
#include "XKeys.h"
#include "core/base/TimeCode.h"
#include "core/beats/BeatLoopControls.h"
#include "gui/input/FocusSink.h"
#include "gui/options/TOptionsForm.h"
#include "gui/playback/MpvEngine.h"
#include "gui/playback/MpvVideoWidget.h"
#include "gui/playback/TActiveMovie.h"
#include "gui/widgets/TimeBox.h"

#include <QCheckBox>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <memory>

namespace {

const QString demoClip = QStringLiteral(TEMPOLOOP_DEMO_CLIP);
constexpr double FrameSeconds = 1.0 / 30;

// The digits of a time box in seconds.
double seconds(TimeBox* box)
{
    return determineMillisecondsFromColonString(box->digitText()) / 1000.0;
}

} // namespace

using xkeys::press;

class TestBeatLoopOnMpv : public QObject {
    Q_OBJECT

    std::unique_ptr<AppFixture> app;

    TMainForm* m() const { return app->main(); }
    MediaPlayerControl* player() const { return app->player(); }
    MpvVideoWidget* picture() const { return qobject_cast<MpvVideoWidget*>(m()->playerWidget()->picture()); }
    BeatLoopControls* beatLoops() const { return m()->findChild<BeatLoopControls*>(QStringLiteral("beatLoops")); }
    TimeBox* startBox() const { return child<TimeBox>(m(), "setStartTimeValue"); }
    TimeBox* endBox() const { return child<TimeBox>(m(), "setEndTimeValue"); }
    QCheckBox* practice(const char* name) const { return child<QCheckBox>(app->windows().OptionsForm, name); }

    bool restAt(double at)
    {
        player()->Pause();
        QSignalSpy drawn(picture(), &MpvVideoWidget::frameRendered);
        player()->setCurrentPosition(at);
        return QTest::qWaitFor(
            [&] {
                return player()->PlayState() == mpPaused && std::abs(player()->CurrentPosition() - at) < 0.034 &&
                       !drawn.isEmpty();
            },
            10000);
    }
    void takeTheKeys()
    {
        m()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m()));
        m()->giveFocusToSink();
        QTRY_VERIFY(child<FocusSink>(m(), "PanelFocusPanel")->isActive());
    }

private slots:
    void initTestCase()
    {
        if (const QString lacking = xkeys::missing(); !lacking.isEmpty())
            QSKIP(qPrintable(lacking));
    }

    void init()
    {
        app = std::make_unique<AppFixture>();
        app->makeRealEngine = [] {
            return new MpvEngine(MpvEngineOptions{QStringLiteral("libmpv"), QStringLiteral("null")});
        };
        QVERIFY(app->startWithSettings({QStringLiteral("Beginner_Mode: 0")}, {demoClip}));
        QVERIFY(QTest::qWaitForWindowExposed(m()));
        QVERIFY(QTest::qWaitFor([&] { return player()->OpenState() == osOpen; }, 10000));
        QVERIFY(picture());
        // Snap and the count on: the beats are found (aubio, 20 s of sound).
        practice("SnapToBeat")->setChecked(true);
        practice("ShowBeatCount")->setChecked(true);
        QVERIFY(QTest::qWaitFor([&] { return beatLoops()->beatsKnown(); }, 60000));
        QVERIFY(beatLoops()->grid().times().size() >= 36);
        takeTheKeys();
    }
    void cleanup() { app.reset(); }

    // "Set start time" lands on the beat nearest the frame shown: 3.4 s
    // is nearest the beat at 3.5 s; 5.2 s nearest 5.0 s.
    void setStartTimeSnapsToTheBeat_data()
    {
        QTest::addColumn<double>("at");
        QTest::addColumn<double>("beat");
        QTest::newRow("3.4 s") << 3.4 << 3.5;
        QTest::newRow("5.2 s") << 5.2 << 5.0;
    }
    void setStartTimeSnapsToTheBeat()
    {
        QFETCH(double, at);
        QFETCH(double, beat);
        QVERIFY(restAt(at));
        QVERIFY(press(QStringLiteral("g")));
        QTRY_VERIFY(!startBox()->digitText().isEmpty());
        QVERIFY2(std::abs(seconds(startBox()) - beat) <= 0.020, qPrintable(startBox()->displayText()));
        // The nudge key with snapping goes to the next beat.
        QVERIFY(press(QStringLiteral("bracketright")));
        QTRY_VERIFY2(std::abs(seconds(startBox()) - beat - 0.5) <= 0.020, qPrintable(startBox()->displayText()));
    }

    // The beat loop key: 8 beats from the beat nearest the playback point,
    // played continuously; each pass starts on the beat's frame, with the
    // count's "1" over the picture.
    void beatLoopRestartsOnTheBeatsFrame()
    {
        app->loops()->setLoopMode(LoopControls::LoopMode::Continuously);
        QVERIFY(restAt(3.4));
        QVERIFY(press(QStringLiteral("slash")));
        QTRY_VERIFY(app->loops()->LoopIsPlaying());
        QVERIFY2(std::abs(seconds(startBox()) - 3.5) <= 0.020, qPrintable(startBox()->displayText()));
        QVERIFY2(std::abs(seconds(endBox()) - 7.5) <= 0.020, qPrintable(endBox()->displayText()));

        const double start = seconds(startBox());
        for (int pass = 1; pass <= 2; ++pass) {
            QVERIFY(QTest::qWaitFor([&] { return app->loops()->WaitingForLoopRestart(); }, 15000));
            // The first frame drawn once the loop has gone back to its start.
            double shown = -1;
            QMetaObject::Connection c = connect(picture(), &MpvVideoWidget::frameRendered, this, [&] {
                const double at = player()->engine()->position();
                if (shown < 0 && !app->loops()->WaitingForLoopRestart() && at < start + 1.0)
                    shown = at;
            });
            QVERIFY(QTest::qWaitFor([&] { return shown >= 0; }, 15000));
            disconnect(c);
            QVERIFY2(std::abs(shown - 3.5) <= FrameSeconds + 0.002,
                     qPrintable(QStringLiteral("pass %1 starts at %2 s").arg(pass).arg(shown, 0, 'f', 3)));
            QVERIFY(QTest::qWaitFor([&] { return picture()->beatCount() == 1; }, 2000));
            // The count is drawn over the clip's picture, not instead of it:
            // the clip's dark blue background shows beside the badge.
            const QImage image = picture()->grabFramebuffer();
            const QColor beside = image.pixelColor(image.width() / 10, image.height() / 2);
            QVERIFY2(beside.blue() > 30, qPrintable(beside.name()));
            // A beat later the count has moved on.
            QVERIFY(QTest::qWaitFor([&] { return picture()->beatCount() == 2; }, 3000));
        }
        QCOMPARE(app->prompt.messages(), QStringList());
    }
};

QTEST_MAIN(TestBeatLoopOnMpv)
#include "TestBeatLoopOnMpv.moc"
