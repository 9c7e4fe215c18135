// Loops on the beat against the fake engine: precise and snapped loop
// points, the nudge keys at rest and during play at several rates, the beat
// loop key, the count, and that nothing changes while every switch is off.
#include "CatalogFakes.h"
#include "FakeBeats.h"
#include "PlaybackRig.h"
#include "core/base/TimeCode.h"
#include "core/beats/BeatLoopControls.h"
#include "core/beats/BeatView.h"
#include "core/catalog/BookmarkMaking.h"
#include "core/catalog/CatalogFiles.h"

#include <QTest>

using beats::LoopPoint;
using beats::NudgeStep;
using beats::NudgeWay;

class TestBeatLoopControls : public QObject {
    Q_OBJECT

    std::unique_ptr<PlaybackRig> rig;
    std::unique_ptr<BeatLoopControls> beatLoops;
    FakeBeatSource source;
    FakeBeatView view;
    QString clip;

    LoopControls& loops() { return rig->loops; }
    MediaPlayerControl& player() { return rig->player; }
    FakeLoopView& boxes() { return rig->loopView; }
    void giveBeats() { beatLoops->beatsFound(clip, steadyBeats(player().Duration())); }
    // The position at which the loop next pauses at its end.
    double nextLoopEnd()
    {
        rig->stepUntil([&] { return loops().WaitingForLoopRestart(); });
        return player().CurrentPosition();
    }
    // The position at which the loop next starts again (first frame shown).
    double nextLoopStart()
    {
        rig->stepUntil([&] { return loops().WaitingForLoopRestart(); });
        rig->transport.togglePlay(); // loop once: play resumes it
        rig->step();
        return player().CurrentPosition();
    }

private slots:
    void init()
    {
        source = FakeBeatSource();
        view = FakeBeatView();
        rig = std::make_unique<PlaybackRig>(20.0);
        beatLoops = std::make_unique<BeatLoopControls>(rig->player, rig->loops, rig->loopView);
        beatLoops->setBeatSource(&source);
        beatLoops->setBeatView(&view);
        loops().setLoopPointRule([this](double position) { return beatLoops->loopPointDigits(position); });
        QObject::connect(&rig->player, &MediaPlayerControl::OnPositionChange, beatLoops.get(),
                         [this](double, double position, quint32, quint32) { beatLoops->positionChanged(position); });
        rig->openLesson();
        clip = player().FileName();
        beatLoops->clipOpened(clip);
    }
    void cleanup()
    {
        beatLoops.reset();
        rig.reset();
    }

    // With every switch off: whole seconds, no search for beats, no count.
    void switchesOffChangeNothing()
    {
        QVERIFY(source.asked.isEmpty());
        rig->pauseAt(7.6);
        loops().setLoopStart();
        QCOMPARE(boxes().start, QStringLiteral("000008"));
        rig->pauseAt(8.5);
        loops().setLoopEnd();
        QCOMPARE(boxes().end, QStringLiteral("000008")); // half to even
        QCOMPARE(view.count, 0);
        QVERIFY(view.counts.isEmpty());
    }

    void preciseTakesTheFrameTime()
    {
        beatLoops->setPreciseLoopPoints(true);
        rig->pauseAt(7.6);
        loops().setLoopStart();
        QCOMPARE(boxes().start, QStringLiteral("000007600"));
        // A frame time on a whole second keeps the short form.
        rig->pauseAt(12.0);
        loops().setLoopEnd();
        QCOMPARE(boxes().end, QStringLiteral("000012"));
        QVERIFY(source.asked.isEmpty());
    }

    // The loop plays between the exact points.
    void preciseLoopPlaysItsExactPoints()
    {
        rig->setBoxes(QStringLiteral("000002250"), QStringLiteral("000003750"));
        loops().playLoop();
        QCOMPARE(player().SelectionStart(), 2.25);
        QCOMPARE(player().CurrentPosition(), 2.25);
        const double end = nextLoopEnd();
        QVERIFY(end >= 3.75 && end < 3.75 + 1.5 / 30);
        QVERIFY(nextLoopStart() < 2.25 + 1.5 / 30);
        // The order check counts the milliseconds.
        rig->setBoxes(QStringLiteral("000002250"), QStringLiteral("000002"));
        loops().playLoop();
        QCOMPARE(rig->prompt.messages().size(), 1);
        QVERIFY(rig->prompt.messages().first().contains("greater than"));
    }

    void snapNeedsTheBeats()
    {
        beatLoops->setSnapToBeat(true);
        QCOMPARE(source.asked, QStringList{clip});
        rig->pauseAt(7.6);
        // Until the beats are known, the time is taken as without snapping.
        loops().setLoopStart();
        QCOMPARE(boxes().start, QStringLiteral("000008"));
        giveBeats();
        QCOMPARE(view.ticks.size(), 40);
        loops().setLoopStart();
        QCOMPARE(boxes().start, QStringLiteral("000007750"));
        rig->pauseAt(8.1);
        loops().setLoopEnd();
        QCOMPARE(boxes().end, QStringLiteral("000008250"));
    }

    void beatsOfAnotherClipAreDropped()
    {
        beatLoops->setFindBeats(true);
        const QString other = rig->makeClip(QStringLiteral("other.mp4"));
        rig->openClip(other);
        beatLoops->clipOpened(other);
        QCOMPARE(source.asked, (QStringList{clip, other}));
        QCOMPARE(source.cancelled, 1);
        beatLoops->beatsFound(clip, steadyBeats(20.0));
        QVERIFY(!beatLoops->beatsKnown());
        QVERIFY(view.ticks.isEmpty());
        beatLoops->beatsFound(other, steadyBeats(20.0));
        QVERIFY(beatLoops->beatsKnown());
    }

    void nudgeAtRest_data()
    {
        QTest::addColumn<LoopPoint>("point");
        QTest::addColumn<NudgeWay>("way");
        QTest::addColumn<NudgeStep>("step");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::newRow("start a frame later") << LoopPoint::Start << NudgeWay::Later << NudgeStep::Fine << "000002033"
                                             << "000004";
        QTest::newRow("start a frame earlier")
            << LoopPoint::Start << NudgeWay::Earlier << NudgeStep::Fine << "000001967"
            << "000004";
        QTest::newRow("end a tenth later") << LoopPoint::End << NudgeWay::Later << NudgeStep::Coarse << "000002"
                                           << "000004100";
        QTest::newRow("end a tenth earlier") << LoopPoint::End << NudgeWay::Earlier << NudgeStep::Coarse << "000002"
                                             << "000003900";
    }

    // "Update bookmark" after a nudge: the playing bookmark holds the nudged
    // point, milliseconds and all, in the catalog and in the file written.
    void updateBookmarkStoresANudgedPoint_data()
    {
        QTest::addColumn<bool>("precise");
        QTest::addColumn<LoopPoint>("point");
        QTest::addColumn<NudgeWay>("way");
        QTest::addColumn<NudgeStep>("step");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::newRow("start a frame later")
            << true << LoopPoint::Start << NudgeWay::Later << NudgeStep::Fine << "00:00:02.033"
            << "00:00:06";
        QTest::newRow("end a frame earlier")
            << true << LoopPoint::End << NudgeWay::Earlier << NudgeStep::Fine << "00:00:02"
            << "00:00:05.967";
        QTest::newRow("start a tenth earlier")
            << true << LoopPoint::Start << NudgeWay::Earlier << NudgeStep::Coarse << "00:00:01.900"
            << "00:00:06";
        QTest::newRow("whole seconds shown, a nudge still stored")
            << false << LoopPoint::End << NudgeWay::Later << NudgeStep::Coarse << "00:00:02"
            << "00:00:06.100";
    }
    void updateBookmarkStoresANudgedPoint()
    {
        QFETCH(bool, precise);
        QFETCH(LoopPoint, point);
        QFETCH(NudgeWay, way);
        QFETCH(NudgeStep, step);
        QFETCH(QString, start);
        QFETCH(QString, end);
        beatLoops->setPreciseLoopPoints(precise);
        CatalogRig catalog;
        Bookmark stored;
        stored.name = QStringLiteral("basic step");
        stored.startTime = QStringLiteral("00:00:02");
        stored.endTime = QStringLiteral("00:00:06");
        stored.fileName = QFileInfo(clip).fileName();
        stored.folder = QFileInfo(clip).absolutePath() + '/';
        CatalogData data;
        data.bookmarks = {stored};
        catalog.load(data, rig->dir.filePath(QStringLiteral("steps.tvc")));
        BookmarkMaking making;
        making.connectTo({&player(), &boxes(), &catalog.controllers.lifecycle, nullptr});

        // The bookmark plays: the window puts its points in the loop boxes.
        catalog.controllers.playing.playLoopListItem(0);
        QCOMPARE(catalog.document.PlayingBookmark(), 1);
        rig->setBoxes(catalog.main.startDigits, catalog.main.endDigits);
        QCOMPARE(boxes().start, QStringLiteral("000002"));
        loops().playLoop();
        nextLoopEnd();
        beatLoops->nudge(point, way, step);
        making.updatePlayingBookmark();

        QCOMPARE(catalog.column(BookmarkColumn::StartTime), QStringList{start});
        QCOMPARE(catalog.column(BookmarkColumn::EndTime), QStringList{end});
        QVERIFY(catalog.document.CatalogModified());
        // Written and read back, the times are the nudged ones.
        const QString path = rig->dir.filePath(QStringLiteral("written.tvc"));
        QString error;
        QVERIFY2(TVC_WriteCatalogFile(path, catalog.document.model()->toCatalogData(), &error), qPrintable(error));
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        // The bookmark's line: its times, then its clip.
        const QString line = start + QStringLiteral("   ") + end + QStringLiteral("   \"lesson.mp4\"");
        QVERIFY2(bytes.contains(line.toLatin1()), bytes.constData());
        const CatalogReadResult back = TVC_ReadCatalogFile(path, CatalogData{});
        QVERIFY2(back.message.isEmpty(), qPrintable(back.message));
        QCOMPARE(back.catalog.bookmarks.value(0).startTime, start);
        QCOMPARE(back.catalog.bookmarks.value(0).endTime, end);
        QVERIFY(rig->prompt.messages().isEmpty());
    }

    // A loop that rests at its end takes the new point on its next pass.
    void nudgeAtRest()
    {
        QFETCH(LoopPoint, point);
        QFETCH(NudgeWay, way);
        QFETCH(NudgeStep, step);
        QFETCH(QString, start);
        QFETCH(QString, end);
        rig->setBoxes(QStringLiteral("000002"), QStringLiteral("000004"));
        loops().playLoop();
        nextLoopEnd();
        beatLoops->nudge(point, way, step);
        QCOMPARE(boxes().start, start);
        QCOMPARE(boxes().end, end);
        const double startSeconds = determineMillisecondsFromColonString(start) / 1000.0;
        const double endSeconds = determineMillisecondsFromColonString(end) / 1000.0;
        QVERIFY(std::abs(nextLoopStart() - startSeconds) < 0.5 / 30);
        const double pausedAt = nextLoopEnd();
        QVERIFY2(pausedAt >= endSeconds - 0.001 && pausedAt < endSeconds + 1.0 / 30,
                 qPrintable(QString::number(pausedAt)));
        QVERIFY(rig->prompt.messages().isEmpty());
    }

    void nudgeDuringPlay_data()
    {
        QTest::addColumn<double>("rate");
        QTest::newRow("0.5x") << 0.5;
        QTest::newRow("1x") << 1.0;
        QTest::newRow("2x") << 2.0;
    }

    // Nudged while the loop plays: this pass keeps its points, the next
    // takes the new ones, and the boxes show them at once.
    void nudgeDuringPlay()
    {
        QFETCH(double, rate);
        loops().toggleContinuously(); // continuously
        player().setRate(rate);
        rig->setBoxes(QStringLiteral("000002"), QStringLiteral("000004"));
        loops().playLoop();
        QVERIFY(rig->stepUntil([&] { return player().CurrentPosition() > 3.0; }));
        for (int i = 0; i < 3; ++i)
            beatLoops->nudge(LoopPoint::End, NudgeWay::Earlier, NudgeStep::Coarse); // 3.7 s
        beatLoops->nudge(LoopPoint::Start, NudgeWay::Later, NudgeStep::Coarse);     // 2.1 s
        QCOMPARE(boxes().start, QStringLiteral("000002100"));
        QCOMPARE(boxes().end, QStringLiteral("000003700"));
        // This pass still ends at 4 s...
        QVERIFY(rig->stepUntil([&] { return loops().WaitingForLoopRestart(); }));
        QVERIFY(player().CurrentPosition() >= 4.0);
        // ...the next starts at 2.1 s and ends at 3.7 s.
        QVERIFY(rig->stepUntil([&] { return !loops().WaitingForLoopRestart(); }));
        rig->step();
        QVERIFY2(std::abs(player().CurrentPosition() - 2.1) < 2.5 * rate / 30,
                 qPrintable(QString::number(player().CurrentPosition())));
        QVERIFY(rig->stepUntil([&] { return loops().WaitingForLoopRestart(); }));
        QVERIFY(player().CurrentPosition() >= 3.7 && player().CurrentPosition() < 3.7 + 3.0 * rate / 30);
    }

    void nudgeAtTheClipsEnds()
    {
        rig->setBoxes(QStringLiteral("000000"), QString());
        beatLoops->nudge(LoopPoint::Start, NudgeWay::Earlier, NudgeStep::Coarse);
        QCOMPARE(boxes().start, QStringLiteral("000000"));
        // No end time: the end moves from the clip's end, never past it.
        beatLoops->nudge(LoopPoint::End, NudgeWay::Later, NudgeStep::Fine);
        QCOMPARE(boxes().end, QString());
        beatLoops->nudge(LoopPoint::End, NudgeWay::Earlier, NudgeStep::Fine);
        QCOMPARE(boxes().end, QStringLiteral("000019967"));
        beatLoops->nudge(LoopPoint::End, NudgeWay::Later, NudgeStep::Coarse);
        QCOMPARE(boxes().end, QStringLiteral("000020"));
        QVERIFY(rig->prompt.messages().isEmpty());
    }

    void nudgeRefusals()
    {
        beatLoops->nudge(LoopPoint::Start, NudgeWay::Later, NudgeStep::Fine);
        QCOMPARE(rig->prompt.messages().size(), 1);
        QVERIFY(rig->prompt.messages().first().contains("Start Time"));
        rig->setBoxes(QStringLiteral("00_002"), QString());
        beatLoops->nudge(LoopPoint::Start, NudgeWay::Later, NudgeStep::Fine);
        QCOMPARE(rig->prompt.messages().size(), 2);
        QCOMPARE(boxes().start, QStringLiteral("00_002"));
    }

    void nudgeOnTheBeat()
    {
        beatLoops->setSnapToBeat(true);
        giveBeats();
        rig->setBoxes(QStringLiteral("000002250"), QStringLiteral("000006250"));
        beatLoops->nudge(LoopPoint::Start, NudgeWay::Later, NudgeStep::Fine);
        QCOMPARE(boxes().start, QStringLiteral("000002750"));
        beatLoops->nudge(LoopPoint::End, NudgeWay::Later, NudgeStep::Coarse); // a count of 8 beats on
        QCOMPARE(boxes().end, QStringLiteral("000010250"));
        beatLoops->nudge(LoopPoint::End, NudgeWay::Earlier, NudgeStep::Coarse); // and back
        QCOMPARE(boxes().end, QStringLiteral("000006250"));
        beatLoops->nudge(LoopPoint::End, NudgeWay::Earlier, NudgeStep::Coarse); // 2.25 s would pass the start: stays
        QCOMPARE(boxes().end, QStringLiteral("000006250"));
    }

    // The beat loop key: 8 beats from the beat nearest the playback point,
    // played at once in the current loop mode.
    void beatLoopFromTheNearestBeat()
    {
        beatLoops->setFindBeats(true);
        giveBeats();
        loops().toggleContinuously(); // continuously
        rig->pauseAt(3.3);
        beatLoops->playBeatLoop();
        QCOMPARE(boxes().start, QStringLiteral("000003250"));
        QCOMPARE(boxes().end, QStringLiteral("000007250"));
        QVERIFY(loops().LoopIsPlaying());
        QCOMPARE(player().CurrentPosition(), 3.25);
        QCOMPARE(player().PlayState(), mpPlaying);
        // It repeats on the beat.
        QVERIFY(rig->stepUntil([&] { return loops().restartPending(); }));
        QVERIFY(rig->stepUntil([&] { return !loops().WaitingForLoopRestart(); }));
        rig->step();
        QVERIFY(std::abs(player().CurrentPosition() - 3.25) < 1.5 / 30);

        beatLoops->setBeatLoopCount(4);
        loops().playFullVideo();
        rig->pauseAt(10.0);
        beatLoops->playBeatLoop();
        QCOMPARE(boxes().start, QStringLiteral("000010250"));
        QCOMPARE(boxes().end, QStringLiteral("000012250"));
    }

    // Pressed before the beats are known: they are searched for, and the
    // loop starts from where the key was pressed once they come.
    void beatLoopWaitsForTheBeats()
    {
        rig->pauseAt(5.1);
        beatLoops->playBeatLoop();
        QCOMPARE(source.asked, QStringList{clip});
        QVERIFY(!loops().LoopIsPlaying());
        rig->pauseAt(9.0);
        giveBeats();
        QCOMPARE(boxes().start, QStringLiteral("000005250"));
        QVERIFY(loops().LoopIsPlaying());
        QVERIFY(rig->prompt.messages().isEmpty());
    }

    // Pressed before the beats are known, and none are found: no box
    // comes up when the search ends (another window may have the keys by
    // then); the next press says why.
    void beatLoopWaitingForNoBeatsRaisesNoBox()
    {
        rig->pauseAt(5.1);
        beatLoops->playBeatLoop();
        beatLoops->beatsFound(clip, {});
        QVERIFY(rig->prompt.messages().isEmpty());
        QVERIFY(!loops().LoopIsPlaying());
        beatLoops->playBeatLoop();
        QCOMPARE(rig->prompt.messages().size(), 1);
        QVERIFY(rig->prompt.messages().last().contains("No steady beat"));
    }

    void beatLoopRefusals()
    {
        beatLoops->beatsFound(clip, {});
        beatLoops->playBeatLoop();
        QCOMPARE(rig->prompt.messages().size(), 1);
        QVERIFY(rig->prompt.messages().last().contains("No steady beat"));
        giveBeats();
        rig->pauseAt(17.0);
        beatLoops->playBeatLoop();
        QCOMPARE(rig->prompt.messages().size(), 2);
        QVERIFY(rig->prompt.messages().last().contains("not enough beats"));
        QVERIFY(!loops().LoopIsPlaying());
    }

    // The count runs 1 to 8 on the beats, with "1" at a beat loop's start.
    void countFollowsTheBeats()
    {
        beatLoops->setShowCount(true);
        giveBeats();
        rig->pauseAt(0.3);
        QCOMPARE(view.count, 1);
        rig->pauseAt(1.3);
        QCOMPARE(view.count, 3);
        rig->pauseAt(3.3);
        beatLoops->playBeatLoop();
        rig->step();
        QCOMPARE(view.count, 1);
        view.counts.clear();
        QVERIFY(rig->stepUntil([&] { return loops().WaitingForLoopRestart(); }));
        QCOMPARE(view.counts, (QList<int>{2, 3, 4, 5, 6, 7, 8, 1}));
        beatLoops->setShowCount(false);
        QCOMPARE(view.count, 0);
    }

    // The finder's "1" counts; the move-"1" key shifts the count (and the
    // long ticks) one beat on, the beats stay, and the clip keeps it.
    void oneMovesByABeat()
    {
        beatLoops->setShowCount(true);
        beatLoops->beatsFound(clip, steadyBeats(player().Duration()), {beats::BeatLevel::AsFound, 2});
        QCOMPARE(view.one, 2);
        rig->pauseAt(1.3); // the beat at 1.25, the third
        QCOMPARE(view.count, 1);
        const QList<double> ticks = view.ticks;
        beatLoops->moveCountOne();
        QCOMPARE(view.one, 3);
        QCOMPARE(view.ticks, ticks);
        QCOMPARE(view.count, 8);
        QCOMPARE(source.kept, QList<int>{3});
        QVERIFY(rig->prompt.messages().isEmpty());
        for (int i = 0; i < 5; ++i)
            beatLoops->moveCountOne();
        QCOMPARE(view.one, 0); // within the first eight beats
    }

    // Pressed while the beats are not known: they are searched for, and the
    // presses count once they come. Without beats it says why.
    void oneMovedBeforeTheBeatsCome()
    {
        beatLoops->moveCountOne();
        beatLoops->moveCountOne();
        QCOMPARE(source.asked, QStringList{clip});
        QVERIFY(source.kept.isEmpty());
        beatLoops->beatsFound(clip, steadyBeats(player().Duration()), {beats::BeatLevel::AsFound, 1});
        QCOMPARE(view.one, 3);
        QCOMPARE(source.kept, QList<int>{3});
        QVERIFY(rig->prompt.messages().isEmpty());

        beatLoops->clipOpened(clip);
        beatLoops->beatsFound(clip, {});
        beatLoops->moveCountOne();
        QCOMPARE(rig->prompt.messages().size(), 1);
        QVERIFY(rig->prompt.messages().first().contains("No steady beat"));
    }

    // The level key counts the beats twice as fast, half as fast, and as
    // found again: the "1" stays on its beat through the whole round, the
    // count and the beat loop follow the beats counted, and the clip keeps
    // each level. Pressed before the beats come, it counts once they do.
    void beatLevelGoesRound()
    {
        beatLoops->setShowCount(true);
        beatLoops->changeBeatLevel(); // before the beats are known
        QCOMPARE(source.asked, QStringList{clip});
        const QList<double> found = steadyBeats(player().Duration()); // every half second from 0.25
        beatLoops->beatsFound(clip, found, {beats::BeatLevel::AsFound, 3});
        QCOMPARE(beatLoops->beatLevel(), beats::BeatLevel::Twice);
        QCOMPARE(view.ticks.size(), 2 * found.size() - 1);
        QCOMPARE(view.ticks.value(view.one), found[3]);
        QCOMPARE(source.levels, QList<beats::BeatLevel>{beats::BeatLevel::Twice});
        rig->pauseAt(found[3] + 0.25); // the beat added after the "1"
        QCOMPARE(view.count, 2);

        beatLoops->changeBeatLevel();
        QCOMPARE(beatLoops->beatLevel(), beats::BeatLevel::Half);
        QCOMPARE(view.ticks.value(view.one), found[3]);
        QCOMPARE(view.ticks.value(view.one + 1), found[5]);
        QCOMPARE(view.count, 1); // still on the "1"'s own beat
        beatLoops->playBeatLoop();
        QCOMPARE(boxes().start, QStringLiteral("000001750")); // eight beats of a second
        QCOMPARE(boxes().end, QStringLiteral("000009750"));

        beatLoops->changeBeatLevel();
        QCOMPARE(beatLoops->beatLevel(), beats::BeatLevel::AsFound);
        QCOMPARE(view.ticks, found);
        QCOMPARE(view.ticks.value(view.one), found[3]);
        QCOMPARE(source.kept, (QList<int>{6, 1, 3}));
        QVERIFY(rig->prompt.messages().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestBeatLoopControls)
#include "TestBeatLoopControls.moc"
