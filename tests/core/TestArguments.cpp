#include "core/base/Arguments.h"
#include "core/base/SplitArguments.h"

#include <QtTest>

Q_DECLARE_METATYPE(ArgumentKind)

class TestArguments : public QObject {
    Q_OBJECT

private slots:
    void extension_data();
    void extension();
    void classify_data();
    void classify();
    void spreadsheetCatalog();
    void wrongCountMessage();
    void composeCommandLine_data();
    void composeCommandLine();
    void absolutePath_data();
    void absolutePath();
    void whatStartupDoes_data();
    void whatStartupDoes();
};

void TestArguments::extension_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("extension");
    QTest::newRow("plain") << "clip.mpg"
                           << ".mpg";
    QTest::newRow("capitals kept") << "/v/Clip.MPG"
                                   << ".MPG";
    QTest::newRow("last dot counts") << "a.b.tvc"
                                     << ".tvc";
    QTest::newRow("no dot") << "/v/clip"
                            << "";
    QTest::newRow("dot in folder only") << "/v.d/clip"
                                        << "";
    QTest::newRow("colon after dot") << "x.mpg:1"
                                     << "";
    QTest::newRow("trailing dot") << "clip."
                                  << ".";
    QTest::newRow("dot only") << "."
                              << ".";
    QTest::newRow("hidden file name") << "/v/.tvc"
                                      << ".tvc";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("backslash is an ordinary character") << "a.mp\\g"
                                                        << ".mp\\g";
}

void TestArguments::extension()
{
    QFETCH(QString, argument);
    QFETCH(QString, extension);
    QCOMPARE(argumentExtension(argument), extension);
}

void TestArguments::classify_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<ArgumentKind>("kind");
    QTest::newRow("none") << QStringList() << ArgumentKind::None;
    QTest::newRow("tvc catalog") << QStringList{"/c/dances.tvc"} << ArgumentKind::Catalog;
    QTest::newRow("csv catalog") << QStringList{"/c/dances.csv"} << ArgumentKind::Catalog;
    QTest::newRow("capital TVC is a catalog") << QStringList{"/c/dances.TVC"} << ArgumentKind::Catalog;
    QTest::newRow("mixed Csv is a catalog") << QStringList{"/c/dances.Csv"} << ArgumentKind::Catalog;
    for (const char* ext : {".mpg", ".MPEG", ".m2p", ".Vob", ".avi", ".mov", ".mp3", ".WAV", ".mp4", ".m4v", ".mkv",
                            ".webm", ".m4a", ".ogg", ".FLAC"}) {
        const QString name = QStringLiteral("/v/clip") + QString::fromLatin1(ext);
        QTest::newRow(qPrintable("clip " + name)) << QStringList{name} << ArgumentKind::Clip;
    }
    QTest::newRow("text file") << QStringList{"/v/readme.txt"} << ArgumentKind::Unrecognized;
    QTest::newRow("no extension") << QStringList{"/v/clip"} << ArgumentKind::Unrecognized;
    QTest::newRow("extension of folder only") << QStringList{"/v.mpg/clip"} << ArgumentKind::Unrecognized;
    QTest::newRow("extension plus more") << QStringList{"/v/clip.mpgx"} << ArgumentKind::Unrecognized;
    QTest::newRow("empty argument") << QStringList{""} << ArgumentKind::Unrecognized;
    QTest::newRow("two") << QStringList{"a.mpg", "b.mpg"} << ArgumentKind::WrongCount;
    QTest::newRow("three") << QStringList{"1", "2", "3"} << ArgumentKind::WrongCount;
    QTest::newRow("four") << QStringList{"00:00:01", "00:00:02", "a.mpg", "/v/"} << ArgumentKind::BookmarkCommandLine;
    QTest::newRow("four of anything") << QStringList{"x", "y", "z", "w"} << ArgumentKind::BookmarkCommandLine;
    QTest::newRow("five") << QStringList{"1", "2", "3", "4", "5"} << ArgumentKind::WrongCount;
}

void TestArguments::classify()
{
    QFETCH(QStringList, arguments);
    QFETCH(ArgumentKind, kind);
    QCOMPARE(classifyArguments(arguments), kind);
}

void TestArguments::spreadsheetCatalog()
{
    QVERIFY(isSpreadsheetCatalogArgument("/c/a.csv"));
    QVERIFY(!isSpreadsheetCatalogArgument("/c/a.tvc"));
    QVERIFY(isSpreadsheetCatalogArgument("/c/a.CSV"));
}

void TestArguments::wrongCountMessage()
{
    const QString expected = "You have passed in 2 arguments into Tempoloop.\n"
                             "\n"
                             "There should be either:\n"
                             "0 arguments (starting Tempoloop normally),\n"
                             "1 argument (starting Tempoloop with either a video file or catalog file),\n"
                             "or exactly 4 arguments (starting Tempoloop with playing a \"Bookmark Command Line.\")\n"
                             "\n"
                             "See the user manual for more details.\n"
                             "\n"
                             "Tempoloop has just opened up normally now, ignoring all the input arguments.";
    QCOMPARE(wrongArgumentCountMessage(2), expected);
    QVERIFY(wrongArgumentCountMessage(12).startsWith("You have passed in 12 arguments into Tempoloop.\n"));
}

void TestArguments::composeCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << QStringList{"00:01:05", "00:01:29", "videoclip 1.mpg", "/home/me/Video Clips/"}
                           << "00:01:05 00:01:29 \"videoclip 1.mpg\" \"/home/me/Video Clips/\"";
    QTest::newRow("no time end") << QStringList{"00:00:00", "--:--:--", "a.mp4", "/v/"}
                                 << "00:00:00 --:--:-- \"a.mp4\" \"/v/\"";
    QTest::newRow("empty arguments") << QStringList{"", "", "", ""} << "  \"\" \"\"";
}

void TestArguments::composeCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, text);
    const QString composed = composeCommandLineText(arguments);
    QCOMPARE(composed, text);
    // The play operation splits the text again; plain arguments come back.
    if (!arguments.first().isEmpty())
        QCOMPARE(SplitArguments(composed), arguments);
}

void TestArguments::absolutePath_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("expected");
    QTest::newRow("bare name") << "salsa basic.mp4"
                               << "/home/me/clips/salsa basic.mp4";
    QTest::newRow("relative folder") << "../catalogs/moves.tvc"
                                     << "/home/me/catalogs/moves.tvc";
    QTest::newRow("dot") << "./a.mp4"
                         << "/home/me/clips/a.mp4";
    QTest::newRow("full path kept") << "/media/usb/b.mp4"
                                    << "/media/usb/b.mp4";
    QTest::newRow("empty stays empty") << ""
                                       << "";
}

void TestArguments::absolutePath()
{
    QFETCH(QString, argument);
    QFETCH(QString, expected);
    QCOMPARE(absoluteArgument(argument, QStringLiteral("/home/me/clips")), expected);
}

void TestArguments::whatStartupDoes_data()
{
    using Open = StartupAction::Open;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Open>("open");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("messageShown");
    QTest::addColumn<bool>("playerControlsActive");
    QTest::addColumn<bool>("exits");
    QTest::newRow("none") << QStringList() << Open::Nothing << "" << false << true << false;
    QTest::newRow("catalog, relative") << QStringList{"dances.tvc"} << Open::Catalog << "/start/dances.tvc" << false
                                       << false << false;
    QTest::newRow("clip") << QStringList{"/v/lesson.MP4"} << Open::Clip << "/v/lesson.MP4" << false << true << false;
    QTest::newRow("unknown file type: told, then exit")
        << QStringList{"notes.txt"} << Open::Nothing << "" << true << false << true;
    QTest::newRow("command line") << QStringList{"00:01:05", "00:01:29", "clip 1.mpg", "/v/"} << Open::CommandLine
                                  << "00:01:05 00:01:29 \"clip 1.mpg\" \"/v/\"" << false << true << false;
    QTest::newRow("two arguments: told, a plain start")
        << QStringList{"a", "b"} << Open::Nothing << "" << true << true << false;
}

void TestArguments::whatStartupDoes()
{
    QFETCH(QStringList, arguments);
    QFETCH(StartupAction::Open, open);
    QFETCH(QString, text);
    QFETCH(bool, messageShown);
    QFETCH(bool, playerControlsActive);
    QFETCH(bool, exits);
    const StartupAction action = startupAction(arguments, QStringLiteral("/start"));
    QCOMPARE(action.open, open);
    QCOMPARE(action.text, text);
    QCOMPARE(!action.message.isEmpty(), messageShown);
    QCOMPARE(action.playerControlsActive, playerControlsActive);
    QCOMPARE(action.then == StartupAction::Then::Exit, exits);
}

QTEST_APPLESS_MAIN(TestArguments)
#include "TestArguments.moc"
