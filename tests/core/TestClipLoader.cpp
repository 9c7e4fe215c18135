// Opening clips and stepping through a folder's clips against the fake
// engine, without a window: what is shown of a clip, what opening leaves
// alone, and the order of what follows a load.
#include "PlaybackRig.h"

#include <QTest>

class TestClipLoader : public QObject {
    Q_OBJECT

private slots:
    void startVideoClipFillsTheTitleAndInformation()
    {
        PlaybackRig rig(65.27);
        FakeEngine::Clip clip;
        clip.duration = 65.27;
        clip.fps = 29.97;
        clip.width = 352;
        clip.height = 240;
        const QString path = rig.makeClip("lesson1.mpg");
        rig.engine->addClip(path, clip);
        rig.clipView.size = QSize(800, 450);
        rig.setBoxes("000010", QString());
        QVERIFY(rig.clips.StartVideoClip(path));
        QVERIFY(rig.engine->finishLoad());
        QCOMPARE(rig.clipView.title, QStringLiteral("lesson1.mpg (352 x 240), Current Video Size: 800 x 450, "
                                                    "Frames per second = 29.97"));
        QCOMPARE(rig.clipView.fileName, QStringLiteral("lesson1.mpg"));
        QCOMPARE(rig.clipView.clipFolder, rig.clipFolder());
        QCOMPARE(rig.clipView.videoSizeText, QStringLiteral("352 x 240"));
        QCOMPARE(rig.clipView.totalTime, QStringLiteral("65.27 seconds"));
        QCOMPARE(rig.clipView.framesPerSecond, QStringLiteral("29.97"));
        QCOMPARE(rig.clipView.screenSize, QStringLiteral("800 x 450"));
        QVERIFY(rig.loopView.start.isEmpty());
        QCOMPARE(rig.loops.indicator(), LoopControls::Indicator::FullVideo);
    }

    void missingClipChangesNothing()
    {
        PlaybackRig rig;
        const QString clip = rig.makeClip("here.mpg");
        rig.openClip(clip);
        rig.setBoxes("000010", QString());
        rig.openClip(rig.clipFolder() + "gone.mpg");
        QCOMPARE(rig.prompt.messages(),
                 QStringList{"This file, " + rig.clipFolder() + "gone.mpg, does not exist.  Please try again."});
        QCOMPARE(rig.player.FileName(), clip);
        QCOMPARE(rig.loopView.start, QStringLiteral("000010"));
        // A folder is not a clip either.
        rig.prompt.clear();
        rig.openClip(rig.clipFolder());
        QCOMPARE(rig.prompt.messages().size(), 1);
        QCOMPARE(rig.player.FileName(), clip);
    }

    void clipThatCannotPlayShowsNothingToTheUser()
    {
        PlaybackRig rig(42.0);
        rig.openClip(rig.makeClip("good.mpg"));
        const QString broken = rig.makeClip("broken.avi");
        FakeEngine::Clip bad;
        bad.broken = true;
        rig.engine->addClip(broken, bad);
        rig.openClip(broken);
        QVERIFY(rig.prompt.messages().isEmpty());
        QCOMPARE(rig.player.Duration(), 42.0);
        QCOMPARE(rig.player.PlayState(), mpStopped);
        // Stepping on from the broken clip still works.
        rig.clips.playPreviousClip();
        rig.engine->finishLoad();
        QVERIFY(rig.player.FileName().endsWith("good.mpg"));
        QCOMPARE(rig.player.OpenState(), osOpen);
    }

    void clipAudioOnlyShowsNoSize()
    {
        PlaybackRig rig;
        FakeEngine::Clip song;
        song.width = 0;
        song.height = 0;
        const QString path = rig.makeClip("song.mp3");
        rig.engine->addClip(path, song);
        rig.openClip(path);
        QVERIFY(rig.clipView.title.startsWith("song.mp3 (0 x 0), "));
        QCOMPARE(rig.clipView.videoSizeText, QStringLiteral("0 x 0"));
    }

    // Once a clip is open, next and previous step through its folder's
    // clips (other files left out) and wrap round.
    void nextAndPreviousWrapRound()
    {
        PlaybackRig rig;
        const QString a = rig.makeClip("A.mpg");
        const QString b = rig.makeClip("b.avi");
        const QString c = rig.makeClip("c.wav");
        rig.makeClip("notes.txt");
        rig.openClip(b);
        rig.clips.playNextClip();
        QCOMPARE(rig.player.FileName(), c);
        rig.engine->finishLoad();
        rig.clips.playNextClip();
        QCOMPARE(rig.player.FileName(), a);
        rig.engine->finishLoad();
        rig.clips.playPreviousClip();
        QCOMPARE(rig.player.FileName(), c);
        rig.engine->finishLoad();
        rig.clips.playPreviousClip();
        QCOMPARE(rig.player.FileName(), b);
        QVERIFY(rig.prompt.messages().isEmpty());
    }

    void steppingWithNoClipsSaysSo()
    {
        PlaybackRig rig;
        rig.clips.playNextClip();
        rig.clips.playPreviousClip();
        QCOMPARE(rig.prompt.messages(),
                 (QStringList{ClipLoader::missingClipsMessage(), ClipLoader::missingClipsMessage()}));
        QVERIFY(
            rig.prompt.lastMessage().startsWith("You must first have a video clip loaded in order for this to work."));
    }

    void openDialogStartsInTheDefaultFolderAndCancelChangesNothing()
    {
        PlaybackRig rig;
        const QString clip = rig.makeClip("x.mpg");
        rig.openClip(clip);
        rig.setBoxes("000010", QString());
        rig.clips.chooseClip(); // unscripted: cancelled
        QCOMPARE(rig.prompt.shown().last().kind, QStringLiteral("open"));
        QCOMPARE(rig.prompt.shown().last().folder, rig.clipFolder());
        QVERIFY(rig.prompt.shown().last().filter.contains("*.mp4"));
        QCOMPARE(rig.loopView.start, QStringLiteral("000010"));
        QCOMPARE(rig.player.FileName(), clip);
        const QString other = rig.makeClip("y.mpg");
        rig.prompt.queueFileName(other);
        rig.clips.chooseClip();
        QCOMPARE(rig.player.FileName(), other);
        QVERIFY(rig.loopView.start.isEmpty());
        // The options' folder counts from the next reset on.
        rig.clipView.folder = rig.dir.path() + "/elsewhere";
        rig.clips.chooseClip();
        QCOMPARE(rig.prompt.shown().last().folder, rig.clipFolder());
        rig.clips.ResetInitialVideoDirectory();
        rig.clips.chooseClip();
        QCOMPARE(rig.prompt.shown().last().folder, rig.dir.path() + "/elsewhere");
    }

    // Opening a clip returns before the clip has loaded; what depends on the
    // clip follows the engine's report, in its order.
    void openingDoesNotWaitForTheLoad()
    {
        PlaybackRig rig(65.27);
        const QString first = rig.makeClip("first.mpg");
        rig.openClip(first);
        const QString title = rig.clipView.title;
        rig.setBoxes("000010", QString());
        const QString second = rig.makeClip("second.mpg", rig.dir.path() + "/other/");
        int ready = 0;
        connect(&rig.clips, &ClipLoader::clipReady, this, [&] { ++ready; });
        rig.clips.StartVideoClip(second);
        QVERIFY(rig.engine->loadPending());
        QCOMPARE(rig.player.FileName(), second);
        QCOMPARE(rig.clipView.title, title);
        QCOMPARE(rig.loopView.start, QStringLiteral("000010"));
        QVERIFY(rig.clips.loading());
        QCOMPARE(ready, 0);
        QVERIFY(rig.engine->finishLoad());
        QVERIFY(!rig.clips.loading());
        QCOMPARE(ready, 1);
        QVERIFY(rig.clipView.title.startsWith("second.mpg ("));
        QVERIFY(rig.loopView.start.isEmpty());
        // The folder is listed on a worker while the clip loads.
        QTRY_COMPARE(rig.clips.folderClips().entries(), QStringList{second});
        QCOMPARE(rig.player.PlayState(), mpPlaying);
        QCOMPARE(rig.engine->lastSeekTarget(), 0.0);
    }

    // A stored loop (bookmark, Bookmark Command Line) plays once its clip has
    // loaded; a clip opened meanwhile replaces both.
    void storedLoopWaitsForItsClip()
    {
        PlaybackRig rig(120.0);
        auto playStoredLoop = [&](const QString& start, const QString& end) {
            rig.clips.whenLoaded([&rig, start, end] { rig.loops.playStoredLoop(start, end); });
        };
        rig.clips.StartVideoClip(rig.makeClip("lesson.mpg"));
        playStoredLoop("000105", "000129");
        QCOMPARE(rig.loops.indicator(), LoopControls::Indicator::FullVideo);
        QVERIFY(rig.engine->finishLoad());
        QVERIFY(rig.prompt.messages().isEmpty());
        QCOMPARE(rig.loops.indicator(), LoopControls::Indicator::Loop);
        QCOMPARE(rig.player.CurrentPosition(), 65.0);
        QCOMPARE(rig.player.SelectionEnd(), 89.2);

        rig.clips.StartVideoClip(rig.makeClip("a.mpg"));
        playStoredLoop("000010", "000020");
        const QString b = rig.makeClip("b.mpg");
        rig.clips.StartVideoClip(b);
        QVERIFY(rig.engine->finishLoad());
        QVERIFY(!rig.engine->loadPending());
        QCOMPARE(rig.player.FileName(), b);
        QVERIFY(!rig.loops.LoopIsPlaying());
        QVERIFY(rig.loopView.start.isEmpty());
        QCOMPARE(rig.player.SelectionStart(), -1.0);

        // With nothing loading, a stored loop plays at once.
        playStoredLoop("000010", "000020");
        QCOMPARE(rig.player.SelectionStart(), 10.0);
        QVERIFY(rig.loops.LoopIsPlaying());
    }

    // A clip the engine cannot load ends the open as well: the texts show
    // what the player reports, a waiting stored loop meets its own checks.
    void failedLoadEndsTheOpen()
    {
        PlaybackRig rig;
        const QString broken = rig.makeClip("broken.avi");
        FakeEngine::Clip bad;
        bad.broken = true;
        rig.engine->addClip(broken, bad);
        rig.clips.StartVideoClip(broken);
        rig.clips.whenLoaded([&rig] { rig.loops.playStoredLoop("000010", QString()); });
        QVERIFY(rig.engine->finishLoad());
        QVERIFY(!rig.clips.loading());
        QCOMPARE(rig.player.OpenState(), osClosed);
        QCOMPARE(rig.prompt.messages(),
                 QStringList{"The start time is set past the end of the video.\nPlease fix and try again."});
        QVERIFY(rig.clipView.title.startsWith("broken.avi (0 x 0)"));
    }
};

QTEST_GUILESS_MAIN(TestClipLoader)
#include "TestClipLoader.moc"
