// Loops on the beat in the whole program on the fake engine: the nudge and
// beat loop keys through the real keyboard, the Practice page's switches and
// keys (captions, hints, duplicate check), the time boxes with milliseconds,
// and what extras.txt keeps of them.
#include "AppFixture.h"
#include "Controls.h"
#include "FakeBeats.h"
#include "LayoutChecks.h"
#include "core/beats/BeatLoopControls.h"
#include "core/beats/BeatView.h"
#include "gui/beats/BeatSeekBar.h"
#include "gui/main/ControlsArrangement.h"
#include "gui/main/TMainForm.h"
#include "gui/options/TOptionsForm.h"
#include "gui/playback/TActiveMovie.h"
#include "gui/widgets/TimeBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestBeatKeys : public QObject {
    Q_OBJECT

    std::unique_ptr<AppFixture> app;
    FakeBeatSource source;

    TOptionsForm* options() { return app->windows().OptionsForm; }
    template <class T> T* practice(const char* name) { return child<T>(options(), name); }
    BeatLoopControls* beatLoops() { return app->main()->findChild<BeatLoopControls*>(QStringLiteral("beatLoops")); }
    TimeBox* startBox() { return child<TimeBox>(app->main(), "setStartTimeValue"); }
    TimeBox* endBox() { return child<TimeBox>(app->main(), "setEndTimeValue"); }
    void type(char key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        AppFixture::type(app->main(), key, modifiers);
    }
    void restAt(double seconds)
    {
        app->player()->Pause();
        app->player()->setCurrentPosition(seconds);
        app->step();
    }

private slots:
    void init()
    {
        source = FakeBeatSource();
        app = std::make_unique<AppFixture>();
        app->makeBeatSource = [this] { return &source; };
        QVERIFY(app->startWithClip(20.0));
        QVERIFY(app->activateMain());
        QVERIFY(beatLoops());
    }
    void cleanup() { app.reset(); }

    // Everything off at first: whole seconds, no beats searched for.
    void offAtFirst()
    {
        for (const char* name : {"PreciseLoopPoints", "FindBeats", "SnapToBeat", "ShowBeatCount"})
            QVERIFY2(!practice<QCheckBox>(name)->isChecked(), name);
        QCOMPARE(practice<QComboBox>("BeatLoopCount")->currentText(), QStringLiteral("8"));
        restAt(7.6);
        type('g');
        QCOMPARE(startBox()->displayText(), QStringLiteral("00:00:08"));
        QVERIFY(source.asked.isEmpty());
        QCOMPARE(app->prompt.messages(), QStringList());
    }

    // The page's keys, their captions and hints, which name the keys.
    void keysOnThePracticePage_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("caption");
        QTest::newRow("start earlier") << "nudgeStartEarlierKey"
                                       << "["
                                       << "loop start a frame earlier";
        QTest::newRow("start later") << "nudgeStartLaterKey"
                                     << "]"
                                     << "loop start a frame later";
        QTest::newRow("end earlier") << "nudgeEndEarlierKey"
                                     << ","
                                     << "loop end a frame earlier";
        QTest::newRow("end later") << "nudgeEndLaterKey"
                                   << "."
                                   << "loop end a frame later";
        QTest::newRow("beat loop") << "beatLoopKey"
                                   << "/"
                                   << "beat loop: 8 beats from the nearest beat";
        QTest::newRow("move the count's 1") << "moveOneKey"
                                            << ";"
                                            << "the \"1\" a beat later";
        QTest::newRow("count the beats another way") << "beatLevelKey"
                                                     << "'"
                                                     << "beats ×2, ½, as found";
    }
    void keysOnThePracticePage()
    {
        QFETCH(QString, box);
        QFETCH(QString, key);
        QFETCH(QString, caption);
        auto* edit = practice<QLineEdit>(qPrintable(box));
        QCOMPARE(edit->text(), key);
        QVERIFY(options()->practiceKeyBoxes().contains(edit));
        bool captioned = false;
        for (QLabel* label : options()->findChildren<QLabel*>())
            captioned = captioned || (label->buddy() == edit && label->text() == caption);
        QVERIFY(captioned);
        QVERIFY2(edit->toolTip().startsWith(QStringLiteral("keyboard equivalent for")), qPrintable(edit->toolTip()));
        if (box.startsWith(QLatin1String("nudge")))
            QVERIFY(edit->toolTip().contains(QStringLiteral("<Shift+") + key + '>'));
        // Another key: the hint follows.
        edit->setText(QStringLiteral("p"));
        if (box.startsWith(QLatin1String("nudge")))
            QVERIFY(edit->toolTip().contains(QStringLiteral("<Shift+p>")));
        practice<QComboBox>("BeatLoopCount")->setCurrentIndex(3);
        QCOMPARE(beatLoops()->beatLoopCount(), 32);
        QVERIFY(practice<QLineEdit>("beatLoopKey")->toolTip().contains(QStringLiteral("32 beats")));
    }

    // The nudge keys through the real keyboard; the boxes show milliseconds.
    void nudgeKeysMoveTheLoop()
    {
        startBox()->setDigitText(QStringLiteral("000002"));
        endBox()->setDigitText(QStringLiteral("000004"));
        type(']');
        QCOMPARE(startBox()->displayText(), QStringLiteral("00:00:02.033"));
        type(']');
        type('[');
        QCOMPARE(startBox()->digitText(), QStringLiteral("000002033"));
        type(',');
        QCOMPARE(endBox()->displayText(), QStringLiteral("00:00:03.967"));
        type('.');
        // Back on a whole second: the short form again.
        QCOMPARE(endBox()->displayText(), QStringLiteral("00:00:04"));
        QCOMPARE(endBox()->digitText(), QStringLiteral("000004"));
        // The loop plays between the nudged points.
        type('t');
        QCOMPARE(app->player()->SelectionStart(), 2.033);
        QCOMPARE(app->prompt.messages(), QStringList());
    }

    void aNudgeKeyInTheDuplicateCheck()
    {
        practice<QLineEdit>("nudgeEndLaterKey")->setText(QStringLiteral("a"));
        app->prompt.clear();
        app->main()->exitButtonClick();
        QCOMPARE(app->prompt.messages().size(), 1);
        QVERIFY(app->prompt.messages().first().contains(
            QStringLiteral("Practice: loop end later key is assigned to: 'a'")));
    }

    // Precise: "set start time" takes the frame's time; the box is wider.
    void preciseLoopPoints()
    {
        practice<QCheckBox>("PreciseLoopPoints")->setChecked(true);
        QCOMPARE(startBox()->displayText(), QStringLiteral("__:__:__.___"));
        restAt(7.6);
        type('g');
        QCOMPARE(startBox()->displayText(), QStringLiteral("00:00:07.600"));
        QCOMPARE(startBox()->digitText(), QStringLiteral("000007600"));
        restAt(9.0);
        type('h');
        // A whole second stays whole, shown with blank milliseconds.
        QCOMPARE(endBox()->digitText(), QStringLiteral("000009"));
        QCOMPARE(endBox()->displayText(), QStringLiteral("00:00:09.___"));
        practice<QCheckBox>("PreciseLoopPoints")->setChecked(false);
        QCOMPARE(endBox()->displayText(), QStringLiteral("00:00:09"));
        QCOMPARE(startBox()->displayText(), QStringLiteral("00:00:07.600"));
    }

    // The time boxes show their time whole, milliseconds and all, in either
    // mode; the loop group's controls keep clear of one another.
    void timeBoxesShowTheirTimeWhole_data()
    {
        QTest::addColumn<bool>("beginner");
        QTest::addColumn<bool>("precise");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("shown");
        QTest::newRow("advanced, precise") << false << true << "000105123"
                                           << "00:01:05.123";
        QTest::newRow("beginner, precise") << true << true << "000105123"
                                           << "00:01:05.123";
        QTest::newRow("advanced, whole seconds") << false << false << "000105"
                                                 << "00:01:05";
        QTest::newRow("beginner, whole seconds") << true << false << "000105"
                                                 << "00:01:05";
        QTest::newRow("advanced, a bookmark's milliseconds") << false << false << "000105123"
                                                             << "00:01:05.123";
    }
    void timeBoxesShowTheirTimeWhole()
    {
        QFETCH(bool, beginner);
        QFETCH(bool, precise);
        QFETCH(QString, start);
        QFETCH(QString, shown);
        if (beginner)
            app->main()->arrangement()->BeginnerMode1Click();
        else
            app->main()->arrangement()->AdvancedMode1Click();
        practice<QCheckBox>("PreciseLoopPoints")->setChecked(precise);
        startBox()->setDigitText(start);
        endBox()->setDigitText(QStringLiteral("000110"));
        QCOMPARE(startBox()->displayText(), shown);

        for (TimeBox* box : {startBox(), endBox()}) {
            const QFontMetrics metrics(box->font());
            // The widest time the box can show, and a pixel for the cursor.
            const QString widest =
                box->displayText().size() > 8 ? QStringLiteral("00:00:00.000") : QStringLiteral("00:00:00");
            QVERIFY2(layoutChecks::textRoom(box) >= metrics.horizontalAdvance(widest) + 1,
                     qPrintable(QStringLiteral("%1 has %2 pixels for \"%3\", which takes %4")
                                    .arg(box->objectName())
                                    .arg(layoutChecks::textRoom(box))
                                    .arg(widest)
                                    .arg(metrics.horizontalAdvance(widest))));
        }
        if (shown.size() == 8) {
            // Whole seconds look as they always did.
            QCOMPARE(startBox()->width(), 62);
            QCOMPARE(child<QWidget>(app->main(), "setStartTimeButton")->width(), beginner ? 103 : 80);
        }
        const QStringList faults = layoutChecks::overlapsAndOverhangs(child<QGroupBox>(app->main(), "LoopControlsBox"));
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));

        // Back to whole seconds: the boxes and buttons as before.
        practice<QCheckBox>("PreciseLoopPoints")->setChecked(false);
        startBox()->setDigitText(QStringLiteral("000105"));
        QCOMPARE(startBox()->width(), 62);
        QCOMPARE(child<QWidget>(app->main(), "setEndTimeButton")->width(), beginner ? 103 : 80);
    }

    // The Practice page at the options window's size: every control and
    // caption whole, none covering another, with the longest beat loop
    // caption too.
    void thePracticePageShowsEveryControlWhole()
    {
        options()->showPracticePage();
        options()->show();
        QVERIFY(QTest::qWaitForWindowExposed(options()));
        auto* page = child<QWidget>(options(), "PracticePage");
        for (int count : {0, 3}) {
            practice<QComboBox>("BeatLoopCount")->setCurrentIndex(count);
            QCoreApplication::processEvents();
            const QStringList faults = layoutChecks::overlapsAndOverhangs(page) + layoutChecks::squeezedControls(page);
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
        }
        options()->hide();
    }

    // The beat loop key, with snapping: the beats are asked for, then used.
    void beatLoopAndSnapThroughTheKeys()
    {
        practice<QCheckBox>("SnapToBeat")->setChecked(true);
        const QString clip = app->player()->FileName();
        QCOMPARE(source.asked, QStringList{clip});
        beatLoops()->beatsFound(clip, steadyBeats(20.0));
        restAt(3.4);
        type('g');
        QCOMPARE(startBox()->digitText(), QStringLiteral("000003250"));
        type('/');
        QCOMPARE(startBox()->digitText(), QStringLiteral("000003250"));
        QCOMPARE(endBox()->digitText(), QStringLiteral("000007250"));
        QVERIFY(app->loops()->LoopIsPlaying());
        QCOMPARE(app->position(), 3.25);
        QCOMPARE(app->prompt.messages(), QStringList());
    }

    // The beats found show as ticks under the seek bar's groove, every
    // eighth one longer and orange; another clip takes them away.
    void ticksOnTheSeekBar()
    {
        practice<QCheckBox>("FindBeats")->setChecked(true);
        const QString clip = app->player()->FileName();
        QCOMPARE(source.asked, QStringList{clip});
        const QList<double> beats = steadyBeats(20.0);
        beatLoops()->beatsFound(clip, beats);
        BeatSeekBar* bar = app->main()->playerWidget()->seekBar();
        QCOMPARE(bar->beats(), beats);
        bar->resize(400, bar->height());
        // The bar takes the clip's length (in tenths) as the strip refreshes.
        QTRY_COMPARE(bar->maximum(), 200);
        // Later beats lie further right, inside the bar.
        for (qsizetype i = 1; i < beats.size(); ++i)
            QVERIFY(bar->tickX(beats[i]) > bar->tickX(beats[i - 1]));
        QVERIFY(bar->tickX(beats.first()) > 0 && bar->tickX(beats.last()) < bar->width());
        const QImage image = bar->grab().toImage();
        const int bottom = image.height() - 2;
        const auto orange = [&](int x) {
            const QColor c = image.pixelColor(x, bottom);
            return c.red() > 200 && c.green() > 90 && c.green() < 150 && c.blue() < 60;
        };
        QVERIFY(orange(bar->tickX(beats[0])));
        QVERIFY(orange(bar->tickX(beats[8])));
        QVERIFY(!orange(bar->tickX(beats[4])));
        QVERIFY(!orange((bar->tickX(beats[0]) + bar->tickX(beats[1])) / 2));

        app->openClip(app->makeClip(QStringLiteral("other.mp4")));
        QVERIFY(bar->beats().isEmpty());
    }

    // Switches and keys come back at the next start.
    void keptAcrossStarts()
    {
        practice<QCheckBox>("PreciseLoopPoints")->setChecked(true);
        practice<QCheckBox>("ShowBeatCount")->setChecked(true);
        practice<QComboBox>("BeatLoopCount")->setCurrentIndex(2);
        practice<QLineEdit>("beatLoopKey")->setText(QStringLiteral("p"));
        app->main()->exitButtonClick();
        QCOMPARE(app->prompt.messages(), QStringList());
        const QByteArray extras = readAll(app->programFolder() + QStringLiteral("extras.txt"));
        for (const char* line : {"Precise_Loop_Points: 1\r\n", "Show_Beat_Count: 1\r\n", "Snap_To_Beat: 0\r\n",
                                 "Beat_Loop_Count: 16\r\n", "Beat_Loop_Key: p\r\n", "Nudge_Start_Earlier_Key: [\r\n"})
            QVERIFY2(extras.contains(line), line);

        const QString folder = app->programFolder();
        AppFixture again;
        FakeBeatSource otherSource;
        again.makeBeatSource = [&otherSource] { return &otherSource; };
        for (const QString& name : {QStringLiteral("config.txt"), QStringLiteral("extras.txt")})
            QVERIFY(QFile::copy(folder + name, again.programFolder() + name));
        QVERIFY(again.start());
        auto* beatLoopsAgain = again.main()->findChild<BeatLoopControls*>(QStringLiteral("beatLoops"));
        QVERIFY(beatLoopsAgain->preciseLoopPoints());
        QVERIFY(beatLoopsAgain->showCount());
        QVERIFY(!beatLoopsAgain->snapToBeat());
        QCOMPARE(beatLoopsAgain->beatLoopCount(), 16);
        QCOMPARE(child<QLineEdit>(again.windows().OptionsForm, "beatLoopKey")->text(), QStringLiteral("p"));
        QCOMPARE(child<TimeBox>(again.main(), "setStartTimeValue")->displayText(), QStringLiteral("__:__:__.___"));
        QCOMPARE(again.prompt.messages(), QStringList());
    }
};

QTEST_MAIN(TestBeatKeys)
#include "TestBeatKeys.moc"
