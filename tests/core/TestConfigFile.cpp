#include "core/settings/ConfigFile.h"
#include "core/settings/Settings.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

// Reading and writing config.txt as bytes. Where the file lives is tested in
// TestConfigFileLocation.

namespace {

const QString kProgramFolder = QStringLiteral("/opt/tempoloop/");

Settings defaults()
{
    return Settings::defaults(kProgramFolder);
}

QByteArray sample(const QString& name)
{
    QFile file(QStringLiteral(TEMPOLOOP_TEST_DATA "/config/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing sample %s", qPrintable(file.fileName()));
    return file.readAll();
}

// The default file, line by line, as the program must write it. Kept apart
// from the writer's own table on purpose; "" is an empty line.
const QStringList kDefaultLines{
    "Beginner_Mode: 1",
    "",
    "Back_Frames_Value: 2",
    "Forward_Frames_Value: 2",
    "Back_Seconds_Value: 2",
    "Forward_Seconds_Value: 2",
    "Back_Minutes_Value: 0",
    "Forward_Minutes_Value: 0",
    "",
    "Slow_Motion_Rate: 4",
    "Fast_Motion_Rate: 3",
    "",
    "Back_Seconds_Key: a",
    "Back_1_Frame_Key: s",
    "Forward_1_Frame_Key: d",
    "Forward_Seconds_Key: f",
    "",
    "Slow_Motion_Key: j",
    "Regular_Motion_Key: k",
    "Fast_Motion_Key: l",
    "",
    "Set_Start_Time_Key: g",
    "Set_End_Time_Key: h",
    "Play_Loop_Key: t",
    "Play_Full_Video_Key: y",
    "",
    "User_Controls_Visible: 3",
    "",
    "Video_Clip_SmallScreenSize_Left: 10",
    "Video_Clip_SmallScreenSize_Top: 10",
    "Video_Clip_SmallScreenSize_Width: 655",
    "Video_Clip_SmallScreenSize_Height: 559",
    "Video_Clip_LargeScreenSize_Left: 10",
    "Video_Clip_LargeScreenSize_Top: 10",
    "Video_Clip_LargeScreenSize_Width: 924",
    "Video_Clip_LargeScreenSize_Height: 717",
    "",
    "Main_Form_Left: 10",
    "Main_Form_Top: 10",
    "Main_Form_Width: 923",
    "Main_Form_Height: 753",
    "Main_Form_WindowState: 0",
    "",
    "View_Original_Size: 0",
    "Loop_Continuously: 0",
    "",
    "Bookmarks_Form_Left: 8",
    "Bookmarks_Form_Top: 430",
    "Bookmarks_Form_Width: 950",
    "Bookmarks_Form_Height: 305",
    "Bookmarks_Form_WindowState: 0",
    "Bookmarks_Form_Category_Column_Name: \"Category\"",
    "Bookmarks_Form_Name_Column_Name: \"Name\"",
    "Bookmarks_Form_Learn_Column_Name: \"Learn\"",
    "Bookmarks_Form_Rating_Column_Name: \"Rating\"",
    "Bookmarks_Form_Category_Column_Width: 64",
    "Bookmarks_Form_Name_Column_Width: 91",
    "Bookmarks_Form_Filename_Column_Width: 186",
    "Bookmarks_Form_Category_Column_Show: 0",
    "Bookmarks_Form_Learn_Column_Show: 1",
    "Bookmarks_Form_Rating_Column_Show: 1",
    "Bookmarks_Form_Folder_Column_Show: 1",
    "Bookmarks_Form_Line_Wrap_Style: 1",
    "Bookmarks_Form_Hide_Repeat_Category: 0",
    "Bookmarks_Form_Grid_Width: 690",
    "",
    "Video_File_Info_Form_Left: 548",
    "Video_File_Info_Form_Top: 108",
    "Video_File_Info_Form_Visible: 0",
    "",
    "Options_Form_Left: 226",
    "Options_Form_Top: 180",
    "Options_Form_Default_Video_Directory: \"/opt/tempoloop/VideoClips\"",
    "Options_Form_Default_Catalog_Directory: \"/opt/tempoloop/VideoCatalogs\"",
    "",
    "Options_Form_Choose_Clip_Keystroke: c",
    "Options_Form_Exit_Keystroke: z",
    "Options_Form_Exit_Keystroke_with_Ctrl_Key: 0",
    "Options_Form_Paste_Command_Line_Keystroke: u",
    "Options_Form_Play_Command_Line_Keystroke: i",
    "Options_Form_Add_Bookmark_Keystroke: o",
    "Options_Form_Restart_Keystroke: r",
    "Options_Form_Mute_Keystroke: m",
    "Options_Form_Play_Previous_Bookmark_Keystroke: 8",
    "Options_Form_Play_Current_Bookmark_Keystroke: 9",
    "Options_Form_Play_Next_Bookmark_Keystroke: 0",
    "Options_Form_Disable_Showing_Hints: 0",
    "Options_Form_Bookmark_Play_Click_Behavior: 0",
    "",
    "Command_Line_Entry_Form_Left: 392",
    "Command_Line_Entry_Form_Top: 18",
    "Command_Line_Entry_Form_Visible: 0",
    "",
    "Quick_Start_Guide_Visible: 1",
};

// "key" -> value text of the default file above.
QMap<QString, QString> defaultValues()
{
    QMap<QString, QString> values;
    for (const QString& line : kDefaultLines) {
        if (line.isEmpty())
            continue;
        const qsizetype blank = line.indexOf(u' ');
        values.insert(line.left(blank), line.mid(blank + 1));
    }
    return values;
}

// Every setting but the two folders, different from its default and from
// the other settings of its kind.
Settings allChanged()
{
    Settings s;
    s.beginnerMode = false;
    s.backFramesValue = 6;
    s.forwardFramesValue = 0;
    s.backSecondsValue = 8;
    s.forwardSecondsValue = 1;
    s.backMinutesValue = 5;
    s.forwardMinutesValue = 3;
    s.slowMotionRate = 0;
    s.fastMotionRate = 1;
    s.backSecondsKey = "A";
    s.back1FrameKey = "1";
    s.forward1FrameKey = QString::fromUtf8("é");
    s.forwardSecondsKey = QString::fromUtf8("€");
    s.slowMotionKey = "#";
    s.regularMotionKey = ",";
    s.fastMotionKey = ".";
    s.setStartTimeKey = "[";
    s.setEndTimeKey = "]";
    s.playLoopKey = "p";
    s.playFullVideoKey = QString::fromUtf8("😀");
    s.userControlsVisible = 0;
    s.videoClipSmallScreenSizeLeft = -1680;
    s.videoClipSmallScreenSizeTop = 21;
    s.videoClipSmallScreenSizeWidth = 640;
    s.videoClipSmallScreenSizeHeight = 480;
    s.videoClipLargeScreenSizeLeft = 0;
    s.videoClipLargeScreenSizeTop = -3;
    s.videoClipLargeScreenSizeWidth = 1920;
    s.videoClipLargeScreenSizeHeight = 1080;
    s.mainFormLeft = 101;
    s.mainFormTop = 102;
    s.mainFormWidth = 1003;
    s.mainFormHeight = 804;
    s.mainFormWindowState = 2;
    s.viewOriginalSize = true;
    s.loopContinuously = true;
    s.bookmarksFormLeft = 105;
    s.bookmarksFormTop = 106;
    s.bookmarksFormWidth = 1007;
    s.bookmarksFormHeight = 308;
    s.bookmarksFormWindowState = 1;
    s.bookmarksFormCategoryColumnName = "Style of dance";
    s.bookmarksFormNameColumnName = "\tMove ";
    s.bookmarksFormLearnColumnName = QString::fromUtf8("Maîtrise");
    s.bookmarksFormRatingColumnName = "";
    s.bookmarksFormCategoryColumnWidth = 110;
    s.bookmarksFormNameColumnWidth = 111;
    s.bookmarksFormFilenameColumnWidth = 112;
    s.bookmarksFormCategoryColumnShow = true;
    s.bookmarksFormLearnColumnShow = false;
    s.bookmarksFormRatingColumnShow = false;
    s.bookmarksFormFolderColumnShow = false;
    s.bookmarksFormLineWrapStyle = 2;
    s.bookmarksFormHideRepeatCategory = true;
    s.bookmarksFormGridWidth = 113;
    s.videoFileInfoFormLeft = 114;
    s.videoFileInfoFormTop = 115;
    s.videoFileInfoFormVisible = true;
    s.optionsFormLeft = 116;
    s.optionsFormTop = 117;
    s.defaultVideoDirectory = QString::fromUtf8("/home/dancer/My Clips/Salsa  2024 \u00e9t\u00e9");
    s.defaultCatalogDirectory = "/media/usb drive/catalogs/";
    s.chooseClipKey = "C";
    s.exitKey = "q";
    s.exitKeyWithCtrl = true;
    s.pasteCommandLineKey = "v";
    s.playCommandLineKey = "b";
    s.addBookmarkKey = "n";
    s.restartKey = "e";
    s.muteKey = "w";
    s.previousBookmarkKey = "5";
    s.currentBookmarkKey = "6";
    s.nextBookmarkKey = "7";
    s.disableShowingHints = true;
    s.bookmarkPlayClickBehavior = 2;
    s.commandLineEntryFormLeft = 118;
    s.commandLineEntryFormTop = 119;
    s.commandLineEntryFormVisible = true;
    s.quickStartGuideVisible = false;
    return s;
}

// The values a Settings would be written with, keyed by setting.
QMap<QString, QString> writtenValues(const Settings& s)
{
    QMap<QString, QString> values;
    const QString text = QString::fromUtf8(writeConfig(s));
    for (const QString& line : text.split(QStringLiteral("\r\n"))) {
        if (line.isEmpty())
            continue;
        const qsizetype blank = line.indexOf(u' ');
        values.insert(line.left(blank), line.mid(blank + 1));
    }
    return values;
}

} // namespace

class TestConfigFile : public QObject {
    Q_OBJECT

private slots:
    void defaultsAreWrittenExactly()
    {
        const QByteArray expected = (kDefaultLines.join(QStringLiteral("\r\n")) + "\r\n").toUtf8();
        QCOMPARE(QString::fromUtf8(writeConfig(defaults())), QString::fromUtf8(expected));
        QCOMPARE(writeConfig(defaults()), expected);
        // 79 settings in 16 groups, counted in what the writer wrote.
        const QByteArray written = writeConfig(defaults());
        QCOMPARE(written.count("\r\n\r\n"), 15);
        QCOMPARE(written.count("\r\n") - 15, 79);
        QVERIFY(!written.startsWith("\r\n") && !written.endsWith("\r\n\r\n"));
    }

    void defaultsOfTheProgramFolder()
    {
        const Settings s = Settings::defaults(QStringLiteral("/usr/local/lib/tempoloop/"));
        QCOMPARE(s.defaultVideoDirectory, QStringLiteral("/usr/local/lib/tempoloop/VideoClips"));
        QCOMPARE(s.defaultCatalogDirectory, QStringLiteral("/usr/local/lib/tempoloop/VideoCatalogs"));
        QCOMPARE(Settings::secondsChoices().value(5), QStringLiteral("6"));
        QCOMPARE(Settings::fastMotionRateChoices().value(3), QStringLiteral("2.0"));
        QCOMPARE(Settings::bookmarkPlayClickBehaviorChoices().size(), 3);
    }

    void everySettingIsWrittenAndReadBack()
    {
        const Settings changed = allChanged();
        const QByteArray bytes = writeConfig(changed);

        // Each of the 79 lines differs from the default file, so every
        // setting really went through the file.
        const QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), kDefaultLines.size() + 1); // text ends with CR LF
        for (qsizetype i = 0; i < kDefaultLines.size(); ++i) {
            if (kDefaultLines[i].isEmpty())
                QCOMPARE(lines[i], QString());
            else
                QVERIFY2(lines[i] != kDefaultLines[i], qPrintable(lines[i]));
        }

        const Settings back = readConfig(bytes, defaults());
        QCOMPARE(writtenValues(back), writtenValues(changed));
        QVERIFY(back == changed);
    }

    void readingSamples_data()
    {
        QTest::addColumn<QString>("file");
        // "key value" lines, as the program would write them, that differ
        // from the defaults after reading; every other setting must be
        // at its default.
        QTest::addColumn<QStringList>("changes");

        QTest::newRow("empty file") << "empty.txt" << QStringList{};
        QTest::newRow("blank lines only") << "only_blank_lines.txt" << QStringList{};
        QTest::newRow("one line is ignored") << "one_line.txt" << QStringList{};
        QTest::newRow("one line without break") << "one_line_without_break.txt" << QStringList{};
        QTest::newRow("letter case, colon, unknown keys")
            << "miscased_and_unknown_keys.txt" << QStringList{"Fast_Motion_Rate: 1"};
        QTest::newRow("one or three words") << "word_counts.txt" << QStringList{"Forward_Minutes_Value: 4"};
        QTest::newRow("tabs and blanks") << "tabs_and_blanks.txt"
                                         << QStringList{"Back_Seconds_Value: 5", "Forward_Seconds_Value: 6",
                                                        "Main_Form_Left: -20", "Set_Start_Time_Key: q",
                                                        "Bookmarks_Form_Learn_Column_Name: \"Level\""};
        QTest::newRow("quoted values")
            << "quoted_values.txt"
            << QStringList{"Options_Form_Default_Video_Directory: \"/home/dancer/My Video Clips/Salsa  Basics\"",
                           "Options_Form_Default_Catalog_Directory: \"/media/usb/Tango\tCatalogs/\"",
                           "Bookmarks_Form_Category_Column_Name: \"Style of dance\"",
                           "Bookmarks_Form_Name_Column_Name: \"Move\"",
                           "Bookmarks_Form_Learn_Column_Name: \" Mastery \"",
                           "Bookmarks_Form_Rating_Column_Name: \"\""};
        QTest::newRow("numbers that do not fit") << "bad_numbers.txt" << QStringList{"Beginner_Mode: 0"};
        QTest::newRow("first and last list entries, other edges")
            << "edge_values.txt" << QStringList{"Back_Seconds_Value: 5",
                                                "Forward_Seconds_Value: 8",
                                                "Back_Minutes_Value: 5",
                                                "Slow_Motion_Rate: 0",
                                                "User_Controls_Visible: 0",
                                                "Main_Form_WindowState: 2",
                                                "Bookmarks_Form_WindowState: 1",
                                                "Bookmarks_Form_Line_Wrap_Style: 2",
                                                "Options_Form_Bookmark_Play_Click_Behavior: 2",
                                                "Main_Form_Left: -1680",
                                                "Options_Form_Exit_Keystroke: Z",
                                                "Set_End_Time_Key: 7"};
        QTest::newRow("flags are on for 1 only") << "flags.txt"
                                                 << QStringList{"Beginner_Mode: 0",
                                                                "View_Original_Size: 1",
                                                                "Bookmarks_Form_Category_Column_Show: 1",
                                                                "Bookmarks_Form_Learn_Column_Show: 0",
                                                                "Bookmarks_Form_Rating_Column_Show: 0",
                                                                "Bookmarks_Form_Folder_Column_Show: 0",
                                                                "Options_Form_Exit_Keystroke_with_Ctrl_Key: 1"};
        QTest::newRow("double quote inside a value") << "quote_in_value.txt" << QStringList{"Beginner_Mode: 0"};

        const QStringList lineEnds{"Beginner_Mode: 0", "Back_Seconds_Value: 5",
                                   "Options_Form_Default_Video_Directory: \"/clips/line ends\"",
                                   "Quick_Start_Guide_Visible: 0"};
        QTest::newRow("CR LF") << "crlf.txt" << lineEnds;
        QTest::newRow("CR only") << "cr_only.txt" << lineEnds;
        QTest::newRow("LF only") << "lf_only.txt" << lineEnds;
        QTest::newRow("mixed line ends") << "mixed_line_ends.txt" << lineEnds;

        QTest::newRow("Windows-1252 text")
            << "windows1252_folder.txt"
            << QStringList{"Beginner_Mode: 0",
                           QString::fromUtf8("Options_Form_Default_Video_Directory: "
                                             "\"/home/José/Vidéos de danse €\""),
                           QString::fromUtf8("Options_Form_Default_Catalog_Directory: "
                                             "\"/home/José/“Tango” – Catalogs\""),
                           QString::fromUtf8("Bookmarks_Form_Category_Column_Name: \"Catégorie\"")};
        QTest::newRow("UTF-8 with byte order mark")
            << "utf8_with_bom.txt"
            << QStringList{"Beginner_Mode: 0",
                           QString::fromUtf8("Bookmarks_Form_Category_Column_Name: \"Kategorie äö\"")};
        QTest::newRow("later duplicate wins, a bad one changes nothing")
            << "duplicates.txt"
            << QStringList{"Back_Seconds_Value: 7", "Forward_Seconds_Value: 3",
                           "Options_Form_Default_Catalog_Directory: \"/second\""};
        QTest::newRow("binary garbage") << "binary_garbage.txt" << QStringList{};
    }

    void readingSamples()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, changes);

        QMap<QString, QString> expected = defaultValues();
        for (const QString& change : changes) {
            const qsizetype blank = change.indexOf(u' ');
            QVERIFY2(expected.contains(change.left(blank)), qPrintable(change));
            expected.insert(change.left(blank), change.mid(blank + 1));
        }
        const QMap<QString, QString> actual = writtenValues(readConfig(sample(file), defaults()));
        QCOMPARE(actual.keys(), expected.keys());
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(it.key() + u' ' + actual.value(it.key()), it.key() + u' ' + it.value());
    }

    void valuesOfSingleSettings_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("backSeconds");
        QTest::addColumn<bool>("quickStartGuide");

        // Every file here has two lines: a file of one line is ignored.
        QTest::newRow("back seconds 5 is the sixth entry") << QByteArray("Back_Seconds_Value: 5") << 5 << true;
        QTest::newRow("back seconds last entry") << QByteArray("Back_Seconds_Value: 8") << 8 << true;
        QTest::newRow("back seconds past the list") << QByteArray("Back_Seconds_Value: 9") << 2 << true;
        QTest::newRow("back seconds negative") << QByteArray("Back_Seconds_Value: -1") << 2 << true;
        QTest::newRow("back seconds not a number") << QByteArray("Back_Seconds_Value: 5s") << 2 << true;
        QTest::newRow("back seconds empty quotes") << QByteArray("Back_Seconds_Value: \"\"") << 2 << true;
        QTest::newRow("quick start guide 1") << QByteArray("Quick_Start_Guide_Visible: 1") << 2 << true;
        QTest::newRow("quick start guide 7") << QByteArray("Quick_Start_Guide_Visible: 7") << 2 << true;
        QTest::newRow("quick start guide word") << QByteArray("Quick_Start_Guide_Visible: off") << 2 << true;
        QTest::newRow("quick start guide 0") << QByteArray("Quick_Start_Guide_Visible: 0") << 2 << false;
        QTest::newRow("quick start guide 00") << QByteArray("Quick_Start_Guide_Visible: 00") << 2 << true;
        QTest::newRow("quick start guide 0 quoted") << QByteArray("Quick_Start_Guide_Visible: \"0\"") << 2 << false;
    }

    void valuesOfSingleSettings()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, backSeconds);
        QFETCH(bool, quickStartGuide);
        const Settings s = readConfig(line + "\r\nLoop_Continuously: 1\r\n", defaults());
        QVERIFY(s.loopContinuously); // the file was read at all
        QCOMPARE(s.backSecondsValue, backSeconds);
        QCOMPARE(s.quickStartGuideVisible, quickStartGuide);
    }

    void quickStartGuideOffIsWrittenAndReadBack()
    {
        Settings s = defaults();
        s.quickStartGuideVisible = false;
        QVERIFY(writeConfig(s).endsWith("\r\n\r\nQuick_Start_Guide_Visible: 0\r\n"));
        QCOMPARE(readConfig(writeConfig(s), defaults()).quickStartGuideVisible, false);
    }

    void textWithDoubleQuoteKeepsTheOldValue_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::newRow("quote in the middle") << "/clips/Cat\"egory";
        QTest::newRow("quoted word") << "/clips/\"best\" moves";
        QTest::newRow("quote at the end") << "/clips/end\"";
        QTest::newRow("quote at the start") << "\"/clips";
        QTest::newRow("only a quote") << "\"";
    }

    void textWithDoubleQuoteKeepsTheOldValue()
    {
        QFETCH(QString, folder);
        Settings s = defaults();
        s.defaultVideoDirectory = folder;
        s.beginnerMode = false;
        const Settings back = readConfig(writeConfig(s), defaults());
        QCOMPARE(back.defaultVideoDirectory, defaults().defaultVideoDirectory);
        QCOMPARE(back.beginnerMode, false); // the lines after it still count
        QCOMPARE(back.defaultCatalogDirectory, defaults().defaultCatalogDirectory);
    }

    void lineBreakInsideAValueStaysOnItsLine()
    {
        Settings s = defaults();
        s.bookmarksFormCategoryColumnName = "Two\r\nlines\rand\nmore";
        s.mainFormLeft = 77;
        const QByteArray bytes = writeConfig(s);
        QCOMPARE(bytes.count("\r\n"), 79 + 15);
        const Settings back = readConfig(bytes, defaults());
        QCOMPARE(back.bookmarksFormCategoryColumnName, QStringLiteral("Two  lines and more"));
        QCOMPARE(back.mainFormLeft, 77);
    }

    void keysThatCannotStandBareKeepTheOldValue_data()
    {
        QTest::addColumn<QString>("key");
        QTest::newRow("blank") << " ";
        QTest::newRow("tab") << "\t";
        QTest::newRow("double quote") << "\"";
        QTest::newRow("empty") << "";
    }

    void keysThatCannotStandBareKeepTheOldValue()
    {
        QFETCH(QString, key);
        Settings s = defaults();
        s.playLoopKey = key;
        s.muteKey = "x";
        const Settings back = readConfig(writeConfig(s), defaults());
        QCOMPARE(back.playLoopKey, QStringLiteral("t"));
        QCOMPARE(back.muteKey, QStringLiteral("x"));
    }

    // Two programs read the same file; each writes only what it changed
    // over what the file holds by then.
    void twoProgramsDoNotUndoEachOther()
    {
        QTemporaryDir dir;
        const ConfigFile file(dir.path(), dir.filePath(QStringLiteral("user")), defaults());
        const ExtrasFile extras(dir.path(), dir.filePath(QStringLiteral("user")));
        QVERIFY(file.write(defaults()).isEmpty());
        QVERIFY(extras.write({}).isEmpty());
        const Settings baseOfA = file.read();
        const Settings baseOfB = file.read();
        const Extras extrasOfA = extras.read();
        const Extras extrasOfB = extras.read();

        Settings a = baseOfA;
        a.backSecondsValue = 5;
        a.bookmarksFormCategoryColumnName = QStringLiteral("Figura");
        Extras ea = extrasOfA;
        ea.mirrorView = true;
        Settings b = baseOfB;
        b.muteKey = QStringLiteral("q");
        Extras eb = extrasOfB;
        eb.repeatGapMilliseconds = 900;

        QVERIFY(file.writeChanges(baseOfA, a).isEmpty());
        QVERIFY(extras.writeChanges(extrasOfA, ea).isEmpty());
        QVERIFY(file.writeChanges(baseOfB, b).isEmpty()); // B exits last
        QVERIFY(extras.writeChanges(extrasOfB, eb).isEmpty());

        const Settings both = file.read();
        QCOMPARE(both.backSecondsValue, 5);
        QCOMPARE(both.bookmarksFormCategoryColumnName, QStringLiteral("Figura"));
        QCOMPARE(both.muteKey, QStringLiteral("q"));
        const Extras bothExtras = extras.read();
        QVERIFY(bothExtras.mirrorView);
        QCOMPARE(bothExtras.repeatGapMilliseconds, 900);
        // A change back to what was read is a change too.
        Settings undo = both;
        undo.backSecondsValue = 2;
        QVERIFY(file.writeChanges(both, undo).isEmpty());
        QCOMPARE(file.read().backSecondsValue, 2);
    }
};

QTEST_APPLESS_MAIN(TestConfigFile)
#include "TestConfigFile.moc"
