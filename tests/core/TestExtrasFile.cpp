#include "core/base/ProgramFolders.h"
#include "core/settings/ConfigFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// extras.txt: written line by line as the program must write it, read back
// whole, and absent or broken without harm.

namespace {

// The default file as it must be written; "" is an empty line. Kept apart
// from the table on purpose.
const QStringList kDefaultLines{
    "Mirror_View: 0",
    "",
    "Loop_Speed_Ladder: 0",
    "Speed_Ladder_Rates: \"0.5, 0.75, 1.0\"",
    "Speed_Ladder_Passes: 2",
    "Repeat_Gap_Milliseconds: 400",
    "",
    "Hardware_Decoding: 1",
    "Frame_Store_MB: 768",
    "",
    "Mirror_View_Key: x",
    "Loop_Mode_Key: b",
    "",
    "Precise_Loop_Points: 0",
    "Find_Beats: 0",
    "Snap_To_Beat: 0",
    "Show_Beat_Count: 0",
    "Beat_Loop_Count: 8",
    "Count_In: 0",
    "Count_In_Volume: 80",
    "",
    "Nudge_Start_Earlier_Key: [",
    "Nudge_Start_Later_Key: ]",
    "Nudge_End_Earlier_Key: ,",
    "Nudge_End_Later_Key: .",
    "Beat_Loop_Key: /",
    "Move_One_Key: ;",
    "",
    "Zoom_In_Key: w",
    "Zoom_Out_Key: q",
    "Zoom_Reset_Key: e",
    "Beat_Level_Key: '",
    "",
    "Play_All_Filter_On: 0",
    "Play_All_Filter_Levels: \"\"",
    "Play_All_Filter_Max_Rating: -1",
    "Play_All_Filter_Due: \"any\"",
};

Extras changed()
{
    Extras e;
    e.mirrorView = true;
    e.loopSpeedLadder = true;
    e.speedLadderRates = QStringLiteral("0.25, 1.5");
    e.speedLadderPasses = 7;
    e.repeatGapMilliseconds = 5000;
    e.hardwareDecoding = false;
    e.frameStoreMB = 0;
    e.mirrorViewKey = QStringLiteral("q");
    e.loopModeKey = QStringLiteral("é");
    e.preciseLoopPoints = true;
    e.findBeats = true;
    e.snapToBeat = true;
    e.showBeatCount = true;
    e.beatLoopCount = 32;
    e.countIn = 2;
    e.countInVolume = 0;
    e.nudgeStartEarlierKey = QStringLiteral("q");
    e.nudgeStartLaterKey = QStringLiteral("w");
    e.nudgeEndEarlierKey = QStringLiteral("v");
    e.nudgeEndLaterKey = QStringLiteral("n");
    e.beatLoopKey = QStringLiteral("8");
    e.zoomInKey = QStringLiteral("+");
    e.zoomOutKey = QStringLiteral("-");
    e.zoomResetKey = QStringLiteral("=");
    e.beatLevelKey = QStringLiteral("0");
    e.playAllFilterOn = true;
    e.playAllFilterLevels = QStringLiteral("bc-");
    e.playAllFilterMaxRating = 0;
    e.playAllFilterDue = QStringLiteral("today");
    return e;
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

} // namespace

class TestExtrasFile : public QObject {
    Q_OBJECT

private slots:
    void defaultsAreWrittenLineByLine()
    {
        QCOMPARE(writeExtras(Extras{}), (kDefaultLines.join("\r\n") + "\r\n").toUtf8());
    }

    void everyValueComesBack()
    {
        const Extras e = changed();
        QVERIFY(!(e == Extras{}));
        QCOMPARE(readExtras(writeExtras(e)), e);
    }

    // A line that does not fit leaves its setting as it was; the others are
    // still read.
    void badLinesKeepTheirSetting_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("gap too long") << QByteArray("Repeat_Gap_Milliseconds: 5001");
        QTest::newRow("gap below zero") << QByteArray("Repeat_Gap_Milliseconds: -1");
        QTest::newRow("gap not a number") << QByteArray("Repeat_Gap_Milliseconds: 1s");
        QTest::newRow("no passes") << QByteArray("Speed_Ladder_Passes: 0");
        QTest::newRow("beat loop too long") << QByteArray("Beat_Loop_Count: 64");
        QTest::newRow("no such count-in") << QByteArray("Count_In: 3");
        QTest::newRow("count-in too loud") << QByteArray("Count_In_Volume: 101");
        QTest::newRow("frame store past its most") << QByteArray("Frame_Store_MB: 8193");
        QTest::newRow("two characters") << QByteArray("Mirror_View_Key: xy");
        QTest::newRow("empty key") << QByteArray("Loop_Mode_Key: \"\"");
        QTest::newRow("three words") << QByteArray("Speed_Ladder_Rates: 0.5, 1");
        QTest::newRow("unknown key") << QByteArray("Mirror_view: 1");
        QTest::newRow("binary") << QByteArray("\x01\x02 Mirror_View: 1");
    }
    void badLinesKeepTheirSetting()
    {
        QFETCH(QByteArray, line);
        const Extras back = readExtras(line + "\r\nLoop_Speed_Ladder: 1\r\n");
        Extras expected;
        expected.loopSpeedLadder = true;
        QCOMPARE(back, expected);
    }

    // A hand-made file holding only the lines someone changed: each line
    // that is there and fits is used, every other setting keeps its default,
    // also when the file has a single line.
    void linesAreReadOneByOne_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("gap");
        QTest::addColumn<bool>("mirror");
        QTest::newRow("one line") << QByteArray("Repeat_Gap_Milliseconds: 2000\r\n") << 2000 << false;
        QTest::newRow("one line without its break") << QByteArray("Repeat_Gap_Milliseconds: 2000") << 2000 << false;
        QTest::newRow("two lines") << QByteArray("Mirror_View: 1\nRepeat_Gap_Milliseconds: 2000\n") << 2000 << true;
        QTest::newRow("one good line, one bad")
            << QByteArray("Mirror_View: 1\r\nRepeat_Gap_Milliseconds: soon\r\n") << 400 << true;
        QTest::newRow("one bad line") << QByteArray("Repeat_Gap_Milliseconds: 99999") << 400 << false;
    }
    void linesAreReadOneByOne()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, gap);
        QFETCH(bool, mirror);
        Extras expected;
        expected.repeatGapMilliseconds = gap;
        expected.mirrorView = mirror;
        QCOMPARE(readExtras(file), expected);

        // ... and so does the file beside config.txt.
        QTemporaryDir root;
        QFile f(root.path() + "/extras.txt");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
        f.close();
        QCOMPARE(ExtrasFile(root.path(), root.path() + "/user").read(), expected);
    }

    void aFileOfOnlyConfigLinesGivesTheDefaults()
    {
        QCOMPARE(readExtras("Beginner_Mode: 0\r\nLoop_Continuously: 1\r\n"), Extras{});
    }

    // Beside config.txt in the program folder; in the per-user folder when
    // the program folder cannot be written, as for config.txt.
    void livesBesideConfig()
    {
        QTemporaryDir root;
        const QString program = root.path() + "/program/";
        const QString user = root.path() + "/user/";
        QVERIFY(QDir().mkpath(program));
        const ExtrasFile extras(program, user);
        const ConfigFile config(program, user);
        QCOMPARE(extras.read(), Extras{});
        QCOMPARE(extras.writePath(), program + "extras.txt");
        QCOMPARE(extras.write(changed()), QString());
        QCOMPARE(contents(program + "extras.txt"), writeExtras(changed()));
        QCOMPARE(extras.read(), changed());
        QCOMPARE(extras.resetToDefaults(), QString());
        QVERIFY(!QFile::exists(program + "extras.txt"));

        // A program folder that was never there: both go to the user's.
        const ExtrasFile elsewhere(root.path() + "/not there/", user);
        const ConfigFile configElsewhere(root.path() + "/not there/", user);
        QCOMPARE(elsewhere.writePath(), user + "extras.txt");
        QCOMPARE(QFileInfo(elsewhere.writePath()).path(), QFileInfo(configElsewhere.writePath()).path());
        QCOMPARE(QFileInfo(extras.writePath()).path(), QFileInfo(config.writePath()).path());
    }

    void anInstalledProgramKeepsItInTheUsersFolder()
    {
        QTemporaryDir root;
        QVERIFY(QDir().mkpath(root.path() + "/bin"));
        QVERIFY(QDir().mkpath(root.path() + "/share/tempoloop"));
        const ProgramFolders f =
            ProgramFolders::locate(root.path() + "/bin", root.path() + "/config", root.path() + "/data");
        QVERIFY(f.isInstalled());
        QCOMPARE(f.extrasFile().writePath(), root.path() + "/config/extras.txt");
        QCOMPARE(f.extrasFile().writePath().chopped(10), f.configFile().writePath().chopped(10));
    }

    void anUnreadableFileGivesTheDefaultsAndSaysSo()
    {
        QTemporaryDir root;
        const QString program = root.path() + "/";
        QVERIFY(QDir().mkpath(program + "extras.txt")); // a folder where the file should be
        QString error;
        QCOMPARE(ExtrasFile(program, root.path() + "/user").read(&error), Extras{});
        QVERIFY2(error.contains("extras.txt"), qPrintable(error));
    }
};

QTEST_APPLESS_MAIN(TestExtrasFile)
#include "TestExtrasFile.moc"
