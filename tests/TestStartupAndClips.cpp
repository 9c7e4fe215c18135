// Start-up with each kind of argument, shut-down and the settings file, and
// opening and stepping through clips, through the real windows.
#include "AppFixture.h"
#include "Controls.h"
#include "core/base/Arguments.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogFiles.h"
#include "core/catalog/UnsavedChanges.h"
#include "core/cmdline/BookmarkCommandLine.h"
#include "core/playback/ClipLoader.h"
#include "core/playback/LoopControls.h"
#include "core/settings/ConfigFile.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/info/TFilePlayingInfoForm.h"
#include "gui/options/TOptionsForm.h"
#include "gui/playback/TActiveMovie.h"
#include "gui/widgets/TimeBox.h"

#include "gui/cmdline/TCommandLineEntryForm.h"
#include "gui/help/TAboutForm.h"
#include "gui/widgets/TColourButton.h"
#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>

class TestStartupAndClips : public QObject {
    Q_OBJECT

    static QByteArray readAll(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private slots:
    void missingPlayerEndsWithOneMessageAndNoWindows()
    {
        AppFixture app;
        app.engineStarts = false;
        QVERIFY(!app.start());
        QCOMPARE(app.prompt.messages(), QStringList{Startup::missingPlayerMessage()});
        QVERIFY(app.prompt.lastMessage().startsWith(
            "I am sorry, but you appear to be missing the media playback library (libmpv) to run Tempoloop.\n"));
        QVERIFY(!app.startup->windows().MainForm);
        QVERIFY(!QFile::exists(app.configPath()));
    }

    void plainStartAndExitWritesTheDefaultSettings()
    {
        AppFixture app;
        QVERIFY(app.start());
        QVERIFY(app.prompt.messages().isEmpty());
        QVERIFY(!QFile::exists(app.configPath()));
        // The presence test made one engine, the player another.
        QCOMPARE(app.enginesMade, 2);
        app.main()->exitButtonClick();
        const QByteArray written = readAll(app.configPath());
        QVERIFY(written.startsWith("Beginner_Mode: 1\r\n\r\nBack_Frames_Value: 2\r\n"));
        QCOMPARE(written.count("\r\n\r\n"), 15);
        // Nothing the user did not change differs from the defaults, but
        // for window sizes that the screen is too small for.
        Settings expected = Settings::defaults(app.programFolder());
        const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
        expected.mainFormWidth = std::min(expected.mainFormWidth, screen.width());
        expected.mainFormHeight = std::min(expected.mainFormHeight, screen.height());
        expected.bookmarksFormWidth = std::min(expected.bookmarksFormWidth, screen.width());
        expected.bookmarksFormHeight = std::min(expected.bookmarksFormHeight, screen.height());
        expected.quickStartGuideVisible = true; // the guide was showing at exit
        QCOMPARE(QString::fromUtf8(written), QString::fromUtf8(writeConfig(expected)));
    }

    void settingsReadAtStartReachTheControls()
    {
        AppFixture app;
        QFile f(app.configPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Back_Seconds_Value: 5\r\nSet_Start_Time_Key: q\r\nLoop_Continuously: 1\r\n"
                "Options_Form_Default_Video_Directory: \"/tmp/My Clips\"\r\nQuick_Start_Guide_Visible: 0\r\n");
        f.close();
        QVERIFY(app.start());
        TMainForm* m = app.main();
        QCOMPARE(child<QComboBox>(m, "backSecondsValue")->currentText(), QStringLiteral("6"));
        QCOMPARE(child<QLineEdit>(m, "setStartTimeKey")->text(), QStringLiteral("q"));
        QVERIFY(app.loops()->LoopContinuously());
        QCOMPARE(child<TColourButton>(m, "loopOnce")->text(), QStringLiteral("loop continuously"));
        QCOMPARE(child<QLineEdit>(app.startup->windows().OptionsForm, "defaultVideoDirectory")->text(),
                 QStringLiteral("/tmp/My Clips"));
        app.main()->exitButtonClick();
        const QByteArray written = readAll(app.configPath());
        QVERIFY(written.contains("\r\nBack_Seconds_Value: 5\r\n"));
        QVERIFY(written.contains("\r\nLoop_Continuously: 1\r\n"));
        QVERIFY(written.contains("\r\nOptions_Form_Default_Video_Directory: \"/tmp/My Clips\"\r\n"));
        QVERIFY(written.contains("\r\nQuick_Start_Guide_Visible: 0"));
    }

    void closingWithAModifiedCatalogAsksFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("saveResult"); // -1: no save expected
        QTest::addColumn<bool>("closes");
        QTest::newRow("cancel") << int(Prompt::Answer::Cancel) << -1 << false;
        QTest::newRow("no") << int(Prompt::Answer::No) << -1 << true;
        QTest::newRow("yes, saved") << int(Prompt::Answer::Yes) << 1 << true;
        QTest::newRow("yes, save failed") << int(Prompt::Answer::Yes) << 0 << false;
    }
    void closingWithAModifiedCatalogAsksFirst()
    {
        QFETCH(int, answer);
        QFETCH(int, saveResult);
        QFETCH(bool, closes);
        AppFixture app;
        QVERIFY(app.start());
        // A new catalog, saved under the name the save dialog gives, or not
        // at all when the dialog is cancelled.
        CatalogDocument* document = app.startup->windows().BookmarksForm->document();
        document->setCatalogMode(CatalogDocument::Mode::New);
        document->setCatalogModified(true);
        if (saveResult == 1)
            app.prompt.queueFileName(app.programFolder() + QStringLiteral("saved.tvc"));
        app.prompt.queueAnswer(Prompt::Answer(answer));
        app.main()->exitButtonClick();
        QCOMPARE(app.prompt.messages(), QStringList{UnsavedChanges::question()});
        QCOMPARE(app.prompt.shown().first().kind, QStringLiteral("yesnocancel"));
        const auto saves = std::count_if(app.prompt.shown().begin(), app.prompt.shown().end(),
                                         [](const ScriptedPrompt::Shown& s) { return s.kind == "save"; });
        QCOMPARE(saves, saveResult == -1 ? 0 : 1);
        QCOMPARE(app.main()->isVisible(), !closes);
        QCOMPARE(QFile::exists(app.configPath()), closes);
    }

    void windowBoundsOffEveryScreenComeBackOnScreen()
    {
        AppFixture app;
        QFile f(app.configPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Main_Form_Left: -9000\r\nMain_Form_Top: 12000\r\nMain_Form_Width: 700\r\nMain_Form_Height: 600\r\n");
        f.close();
        QVERIFY(app.start());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.intersects(app.main()->geometry()));
        QCOMPARE(app.main()->geometry().size(), QSize(700, 600));
    }

    void maximisedMainWindowRestoresToTheLargeVideoBounds()
    {
        AppFixture app;
        QFile f(app.configPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("Video_Clip_LargeScreenSize_Left: 20\r\nVideo_Clip_LargeScreenSize_Top: 30\r\n"
                "Video_Clip_LargeScreenSize_Width: 700\r\nVideo_Clip_LargeScreenSize_Height: 500\r\n"
                "Main_Form_WindowState: 2\r\n");
        f.close();
        QVERIFY(app.start());
        QVERIFY(app.main()->windowState() & Qt::WindowMaximized);
        app.main()->showNormal();
        QCOMPARE(app.main()->geometry(), QRect(20, 30, 700, 500));
    }

    void menuItemsBringUpTheOtherWindows()
    {
        AppFixture app;
        QVERIFY(app.start());
        AppWindows& w = app.startup->windows();
        child<QAction>(app.main(), "VideoFileInfo1")->trigger();
        QVERIFY(w.FilePlayingInfoForm->isVisible());
        child<QAction>(app.main(), "CommandLineEntry1")->trigger();
        QVERIFY(w.CommandLineEntryForm->isVisible());
        // The options window and the about box are modal.
        bool optionsModal = false;
        QTimer::singleShot(0, [&] {
            optionsModal = w.OptionsForm->isVisible() && w.OptionsForm->isModal();
            w.OptionsForm->reject();
        });
        child<QAction>(app.main(), "Options1")->trigger();
        QVERIFY(optionsModal);
        bool aboutShown = false;
        QTimer::singleShot(0, [&] {
            aboutShown = w.AboutForm->isVisible();
            w.AboutForm->reject();
        });
        child<QAction>(app.main(), "About1")->trigger();
        QVERIFY(aboutShown);
    }

    void wrongArgumentCountsAreReportedAndIgnored_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("two") << QStringList{"a.mpg", "b.mpg"};
        QTest::newRow("three") << QStringList{"a", "b", "c"};
        QTest::newRow("five") << QStringList{"a", "b", "c", "d", "e"};
    }
    void wrongArgumentCountsAreReportedAndIgnored()
    {
        QFETCH(QStringList, arguments);
        AppFixture app;
        QVERIFY(app.start(arguments));
        QCOMPARE(app.prompt.messages(), QStringList{wrongArgumentCountMessage(arguments.size())});
        QVERIFY(app.prompt.lastMessage().startsWith("You have passed in " + QString::number(arguments.size()) +
                                                    " arguments into Tempoloop.\n"));
        QVERIFY(app.player()->FileName().isEmpty());
        QVERIFY(app.main()->isVisible());
    }

    void clipArgumentPlaysTheClip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("lower case") << "lesson.mpg";
        QTest::newRow("capital extension") << "LESSON.WAV";
        QTest::newRow("mp4") << "lesson.mp4";
    }
    void clipArgumentPlaysTheClip()
    {
        QFETCH(QString, name);
        AppFixture app;
        const QString clip = app.makeClip(name);
        QVERIFY(app.start({clip}));
        QVERIFY(app.engine->finishLoad());
        QVERIFY(app.prompt.messages().isEmpty());
        QCOMPARE(app.player()->FileName(), clip);
        QCOMPARE(app.player()->PlayState(), mpPlaying);
        QVERIFY(!app.startup->windows().BookmarksForm->isVisible());
    }

    void unrecognisedArgumentExitsThroughTheNormalShutDown_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("text file") << "notes.txt";
        QTest::newRow("no extension") << "lesson";
    }
    void unrecognisedArgumentExitsThroughTheNormalShutDown()
    {
        QFETCH(QString, name);
        AppFixture app;
        QVERIFY(app.start({app.makeClip(name)}));
        QCOMPARE(app.prompt.messages(), QStringList{"Unrecognized file type. Exiting ...."});
        QTRY_VERIFY(!app.main()->isVisible());
        QVERIFY(QFile::exists(app.configPath()));
    }

    void catalogArgumentOpensTheCatalogWindowTiedToIt()
    {
        AppFixture app;
        const QString catalog = app.programFolder() + "VideoCatalogs/steps.tvc";
        QDir().mkpath(app.programFolder() + "VideoCatalogs");
        CatalogData data;
        for (const char* name : {"Basic step", "Turn", "Dip"}) {
            Bookmark b;
            b.name = QString::fromLatin1(name);
            b.startTime = QStringLiteral("00:00:01");
            b.endTime = QStringLiteral("00:00:02");
            data.bookmarks.append(b);
        }
        QString error;
        QVERIFY(TVC_WriteCatalogFile(catalog, data, &error));
        QVERIFY(app.start({catalog}));
        TBookmarksForm* c = app.startup->windows().BookmarksForm;
        const CatalogDocument* d = c->document();
        QCOMPARE(d->CatalogMode(), CatalogDocument::Mode::OnFile);
        QCOMPARE(d->CatalogFileName(), catalog);
        QVERIFY(!d->CatalogModified());
        QVERIFY(c->isVisible());
        QVERIFY(app.player()->FileName().isEmpty());
        // The rows are read before anything can save over them.
        QCOMPARE(d->model()->toCatalogData(), data);
        QComboBox* list = child<QComboBox>(app.main(), "LoopList");
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->itemText(0), QStringLiteral("1 : Basic step"));
        QCOMPARE(list->itemText(2), QStringLiteral("3 : Dip"));
        QCOMPARE(list->currentIndex(), -1);
    }

    void missingCatalogArgumentOpensEmptyAndTied()
    {
        AppFixture app;
        const QString catalog = app.programFolder() + "nothing.csv";
        QVERIFY(app.start({catalog}));
        const CatalogDocument* d = app.startup->windows().BookmarksForm->document();
        QCOMPARE(d->CatalogMode(), CatalogDocument::Mode::OnFile);
        QCOMPARE(d->RowCount(), 2);
        QVERIFY(d->BlankFirstRow());
        QVERIFY(app.prompt.messages().isEmpty());
    }

    void fourArgumentsPlayABookmarkCommandLine()
    {
        AppFixture app;
        app.defaultClip.duration = 120;
        const QString clip = app.makeClip("videoclip 1.mpg");
        QVERIFY(app.start({"00:01:05", "00:01:29", "videoclip 1.mpg", app.clipFolder()}));
        QVERIFY(app.engine->finishLoad());
        QVERIFY(app.prompt.messages().isEmpty());
        QCOMPARE(app.player()->FileName(), clip);
        QCOMPARE(child<TimeBox>(app.main(), "setStartTimeValue")->digitText(), QStringLiteral("000105"));
        QCOMPARE(child<TimeBox>(app.main(), "setEndTimeValue")->digitText(), QStringLiteral("000129"));
        QCOMPARE(app.player()->CurrentPosition(), 65.0);
        QVERIFY(app.loops()->LoopIsPlaying());
        QVERIFY(!app.startup->windows().CommandLineEntryForm->isVisible());
    }

    void fourArgumentsWithABadTimeReportIt()
    {
        AppFixture app;
        QVERIFY(app.start({"1:05", "00:01:29", "clip.mpg", app.clipFolder()}));
        QCOMPARE(app.prompt.messages(), QStringList{commandLineErrorMessage(CommandLineError::BadStartTime)});
        QVERIFY(app.main()->isVisible());
    }

    void startVideoClipFillsTheTitleAndInformation()
    {
        AppFixture app;
        app.defaultClip.duration = 65.27;
        app.defaultClip.fps = 29.97;
        app.defaultClip.width = 352;
        app.defaultClip.height = 240;
        QVERIFY(app.start());
        child<TimeBox>(app.main(), "setStartTimeValue")->setDigitText("000010");
        QVERIFY(app.startup->storedLoopView().StartVideoClip(app.makeClip("lesson1.mpg")));
        QVERIFY(app.engine->finishLoad());
        const int w = child<TActiveMovie>(app.main(), "ActiveMovie1")->width();
        const int h = child<TActiveMovie>(app.main(), "ActiveMovie1")->height() - 72;
        QCOMPARE(app.main()->windowTitle(), QString("lesson1.mpg (352 x 240), Current Video Size: %1 x %2, "
                                                    "Frames per second = 29.97")
                                                .arg(w)
                                                .arg(h));
        TFilePlayingInfoForm* info = app.startup->windows().FilePlayingInfoForm;
        QCOMPARE(child<QLineEdit>(info, "ShowVideoPlayingFileName")->text(), QStringLiteral("lesson1.mpg"));
        QCOMPARE(child<QLineEdit>(info, "ShowVideoPlayingFilePath")->text(), app.clipFolder());
        QCOMPARE(child<QLineEdit>(info, "ShowVideoSize")->text(), QStringLiteral("352 x 240"));
        QCOMPARE(child<QLineEdit>(info, "ShowTotalTime")->text(), QStringLiteral("65.27 seconds"));
        QCOMPARE(child<QLineEdit>(info, "ShowScreenSize")->text(), QString("%1 x %2").arg(w).arg(h));
        QVERIFY(child<TimeBox>(app.main(), "setStartTimeValue")->digitText().isEmpty());
        QCOMPARE(app.loops()->indicator(), LoopControls::Indicator::FullVideo);
    }

    // Before any clip, next and previous step through the default clip
    // folder that the start listed (other files left out).
    void beforeAnyClipTheDefaultFolderSteps_data()
    {
        QTest::addColumn<bool>("next");
        QTest::addColumn<QString>("opened");
        QTest::newRow("next opens the first") << true << "A.mpg";
        QTest::newRow("previous opens the last") << false << "c.wav";
    }
    void beforeAnyClipTheDefaultFolderSteps()
    {
        QFETCH(bool, next);
        QFETCH(QString, opened);
        AppFixture app;
        app.makeClip("A.mpg");
        app.makeClip("b.avi");
        app.makeClip("c.wav");
        app.makeClip("notes.txt");
        QVERIFY(app.start());
        if (next)
            app.clips()->playNextClip();
        else
            app.clips()->playPreviousClip();
        QCOMPARE(app.player()->FileName(), app.clipFolder() + opened);
        QVERIFY(app.prompt.messages().isEmpty());
    }

    void openDialogStartsInTheDefaultFolderAndCancelChangesNothing()
    {
        AppFixture app;
        QVERIFY(app.start());
        const QString clip = app.makeClip("x.mpg");
        app.openClip(clip);
        child<TimeBox>(app.main(), "setStartTimeValue")->setDigitText("000010");
        app.clips()->chooseClip(); // unscripted: cancelled
        QCOMPARE(app.prompt.shown().last().kind, QStringLiteral("open"));
        QCOMPARE(app.prompt.shown().last().folder, app.programFolder() + "VideoClips");
        QVERIFY(app.prompt.shown().last().filter.contains("*.mp4"));
        QCOMPARE(child<TimeBox>(app.main(), "setStartTimeValue")->digitText(), QStringLiteral("000010"));
        QCOMPARE(app.player()->FileName(), clip);
        const QString other = app.makeClip("y.mpg");
        app.prompt.queueFileName(other);
        app.clips()->chooseClip();
        QCOMPARE(app.player()->FileName(), other);
        QVERIFY(child<TimeBox>(app.main(), "setStartTimeValue")->digitText().isEmpty());
    }
};

QTEST_MAIN(TestStartupAndClips)
#include "TestStartupAndClips.moc"
