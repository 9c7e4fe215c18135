// config.txt through the real start-up and shut-down: every setting reaches
// the window that holds it and comes back unchanged, column widths dragged
// in the catalog are kept, window sizes are fitted to the screen, and a
// restore of the defaults holds in a read-only install.
#include "AppFixture.h"
#include "Controls.h"
#include "WithoutRootRights.h"
#include "core/settings/BindingTable.h"
#include "core/settings/ConfigFile.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/catalog/TBookmarksGrid.h"
#include "gui/main/SettingsFiles.h"
#include "gui/options/TOptionsForm.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QRect availableArea()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

QString line(const char* key, const QString& value)
{
    return QString::fromLatin1(key) + u' ' + value + QStringLiteral("\r\n");
}

QString line(const char* key, int value)
{
    return line(key, QString::number(value));
}

// A file as the program writes it in which every value differs from its
// default. The two windows are maximised, which first gives them the large
// video bounds (the catalog window shifted by 50); the offscreen platform
// leaves those bounds as they are while a window is maximised.
QByteArray everyValueChanged()
{
    const QRect large(20, 30, 600, 400);
    QString t;
    t += line("Beginner_Mode:", 0) + "\r\n";
    t += line("Back_Frames_Value:", 6) + line("Forward_Frames_Value:", 0) + line("Back_Seconds_Value:", 8) +
         line("Forward_Seconds_Value:", 1) + line("Back_Minutes_Value:", 5) + line("Forward_Minutes_Value:", 3) +
         "\r\n";
    t += line("Slow_Motion_Rate:", 0) + line("Fast_Motion_Rate:", 1) + "\r\n";
    t += line("Back_Seconds_Key:", "q") + line("Back_1_Frame_Key:", "w") + line("Forward_1_Frame_Key:", "e") +
         line("Forward_Seconds_Key:", "x") + "\r\n";
    t += line("Slow_Motion_Key:", "v") + line("Regular_Motion_Key:", "b") + line("Fast_Motion_Key:", "n") + "\r\n";
    t += line("Set_Start_Time_Key:", "p") + line("Set_End_Time_Key:", "1") + line("Play_Loop_Key:", "2") +
         line("Play_Full_Video_Key:", "3") + "\r\n";
    t += line("User_Controls_Visible:", 1) + "\r\n";
    t += line("Video_Clip_SmallScreenSize_Left:", 30) + line("Video_Clip_SmallScreenSize_Top:", 40) +
         line("Video_Clip_SmallScreenSize_Width:", 500) + line("Video_Clip_SmallScreenSize_Height:", 300) +
         line("Video_Clip_LargeScreenSize_Left:", large.left()) + line("Video_Clip_LargeScreenSize_Top:", large.top()) +
         line("Video_Clip_LargeScreenSize_Width:", large.width()) +
         line("Video_Clip_LargeScreenSize_Height:", large.height()) + "\r\n";
    t += line("Main_Form_Left:", large.left()) + line("Main_Form_Top:", large.top()) +
         line("Main_Form_Width:", large.width()) + line("Main_Form_Height:", large.height()) +
         line("Main_Form_WindowState:", 2) + "\r\n";
    t += line("View_Original_Size:", 1) + line("Loop_Continuously:", 1) + "\r\n";
    t += line("Bookmarks_Form_Left:", large.left() + 50) + line("Bookmarks_Form_Top:", large.top() + 50) +
         line("Bookmarks_Form_Width:", large.width()) + line("Bookmarks_Form_Height:", large.height()) +
         line("Bookmarks_Form_WindowState:", 2) + line("Bookmarks_Form_Category_Column_Name:", "\"Style\"") +
         line("Bookmarks_Form_Name_Column_Name:", "\"Dance move\"") +
         line("Bookmarks_Form_Learn_Column_Name:", "\"Level\"") +
         line("Bookmarks_Form_Rating_Column_Name:", "\"Stars\"") + line("Bookmarks_Form_Category_Column_Width:", 70) +
         line("Bookmarks_Form_Name_Column_Width:", 120) + line("Bookmarks_Form_Filename_Column_Width:", 200) +
         line("Bookmarks_Form_Category_Column_Show:", 1) + line("Bookmarks_Form_Learn_Column_Show:", 0) +
         line("Bookmarks_Form_Rating_Column_Show:", 0) + line("Bookmarks_Form_Folder_Column_Show:", 0) +
         line("Bookmarks_Form_Line_Wrap_Style:", 2) + line("Bookmarks_Form_Hide_Repeat_Category:", 1) +
         line("Bookmarks_Form_Grid_Width:", 500) + "\r\n";
    t += line("Video_File_Info_Form_Left:", 100) + line("Video_File_Info_Form_Top:", 110) +
         line("Video_File_Info_Form_Visible:", 1) + "\r\n";
    t += line("Options_Form_Left:", 120) + line("Options_Form_Top:", 130) +
         line("Options_Form_Default_Video_Directory:", "\"/tmp/my clips\"") +
         line("Options_Form_Default_Catalog_Directory:", "\"/tmp/my catalogs\"") + "\r\n";
    t += line("Options_Form_Choose_Clip_Keystroke:", "4") + line("Options_Form_Exit_Keystroke:", "5") +
         line("Options_Form_Exit_Keystroke_with_Ctrl_Key:", 1) +
         line("Options_Form_Paste_Command_Line_Keystroke:", "6") +
         line("Options_Form_Play_Command_Line_Keystroke:", "7") + line("Options_Form_Add_Bookmark_Keystroke:", "[") +
         line("Options_Form_Restart_Keystroke:", "]") + line("Options_Form_Mute_Keystroke:", ";") +
         line("Options_Form_Play_Previous_Bookmark_Keystroke:", "-") +
         line("Options_Form_Play_Current_Bookmark_Keystroke:", "=") +
         line("Options_Form_Play_Next_Bookmark_Keystroke:", "/") + line("Options_Form_Disable_Showing_Hints:", 1) +
         line("Options_Form_Bookmark_Play_Click_Behavior:", 2) + "\r\n";
    t += line("Command_Line_Entry_Form_Left:", 140) + line("Command_Line_Entry_Form_Top:", 150) +
         line("Command_Line_Entry_Form_Visible:", 1) + "\r\n";
    t += line("Quick_Start_Guide_Visible:", 0);
    return t.toUtf8();
}

// The value of one setting in a written file.
QString valueIn(const QByteArray& file, const QString& key)
{
    for (const QString& l : QString::fromUtf8(file).split(QStringLiteral("\r\n")))
        if (l.startsWith(key + u' '))
            return l.mid(key.size() + 1);
    return QStringLiteral("<missing>");
}

const QFileDevice::Permissions kReadOnlyDir = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                              QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
const QFileDevice::Permissions kOpenDir =
    kReadOnlyDir | QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT

private slots:
    void everySettingHasExactlyOneHome()
    {
        AppFixture app;
        QVERIFY(app.start());
        const ConfigBindings& binding = app.startup->settings()->configBindings();
        QCOMPARE(binding.unboundKeys(), QStringList());
        QCOMPARE(binding.doublyBoundKeys(), QStringList());
        const ExtrasBindings& extras = app.startup->settings()->extrasBindings();
        QCOMPARE(extras.unboundKeys(), QStringList());
        QCOMPARE(extras.doublyBoundKeys(), QStringList());
    }

    // config.txt comes back the same whether extras.txt is there or not;
    // extras.txt comes back as it was, or with the defaults when it was
    // missing or unreadable.
    void untouchedSettingsAreWrittenBackByteForByte_data()
    {
        QTest::addColumn<QByteArray>("extras");
        QTest::addColumn<QByteArray>("extrasAfter");
        Extras e;
        e.mirrorView = true;
        e.speedLadderRates = QStringLiteral("0.6, 0.8");
        e.speedLadderPasses = 3;
        e.repeatGapMilliseconds = 1500;
        e.countIn = 2;
        e.countInVolume = 55;
        e.mirrorViewKey = QStringLiteral("8");
        e.loopModeKey = QStringLiteral("9");
        e.nudgeStartEarlierKey = QStringLiteral("y");
        e.nudgeStartLaterKey = QStringLiteral("u");
        e.nudgeEndEarlierKey = QStringLiteral("k");
        e.nudgeEndLaterKey = QStringLiteral("m");
        e.beatLoopKey = QStringLiteral("j");
        e.moveOneKey = QStringLiteral("h");
        e.zoomInKey = QStringLiteral("g");
        e.zoomOutKey = QStringLiteral("t");
        e.zoomResetKey = QStringLiteral("r");
        // config.txt gives b, x, w, q and e to other commands: the practice
        // keys that extras.txt does not set take free keys instead.
        Extras freeKeys;
        freeKeys.loopModeKey = QStringLiteral(",");
        freeKeys.mirrorViewKey = QStringLiteral(".");
        freeKeys.nudgeStartEarlierKey = QStringLiteral("'");
        freeKeys.nudgeStartLaterKey = QStringLiteral("\\");
        freeKeys.nudgeEndEarlierKey = QStringLiteral("`");
        freeKeys.nudgeEndLaterKey = QStringLiteral("8");
        freeKeys.beatLoopKey = QStringLiteral("9");
        freeKeys.moveOneKey = QStringLiteral("0");
        freeKeys.zoomInKey = QStringLiteral("y");
        freeKeys.zoomOutKey = QStringLiteral("u");
        freeKeys.zoomResetKey = QStringLiteral("k");
        freeKeys.beatLevelKey = QStringLiteral("m");
        QTest::newRow("without extras.txt") << QByteArray() << writeExtras(freeKeys);
        QTest::newRow("with extras.txt") << writeExtras(e) << writeExtras(e);
        QTest::newRow("broken extras.txt")
            << QByteArray("Mirror_View: \"1\" 2\r\n\x01\x02\x03") << writeExtras(freeKeys);
        Extras oneKey;
        oneKey.mirrorViewKey = QStringLiteral(",");
        oneKey.loopModeKey = QStringLiteral(".");
        oneKey.nudgeStartEarlierKey = QStringLiteral("'");
        oneKey.nudgeStartLaterKey = QStringLiteral("\\");
        oneKey.nudgeEndEarlierKey = QStringLiteral("`");
        oneKey.nudgeEndLaterKey = QStringLiteral("8");
        oneKey.beatLoopKey = QStringLiteral("9");
        oneKey.moveOneKey = QStringLiteral("0");
        oneKey.zoomInKey = QStringLiteral("y");
        oneKey.zoomOutKey = QStringLiteral("u");
        oneKey.zoomResetKey = QStringLiteral("k");
        oneKey.beatLevelKey = QStringLiteral("m");
        QTest::newRow("extras.txt with one key")
            << QByteArray("Mirror_View: 0\r\nMirror_View_Key: ,\r\n") << writeExtras(oneKey);
    }
    void untouchedSettingsAreWrittenBackByteForByte()
    {
        QFETCH(QByteArray, extras);
        QFETCH(QByteArray, extrasAfter);
        AppFixture app;
        const QString extrasPath = app.programFolder() + "extras.txt";
        if (!extras.isEmpty())
            writeFile(extrasPath, extras);
        const QByteArray file = everyValueChanged();
        // Every line differs from the default file.
        const QStringList defaults =
            QString::fromUtf8(writeConfig(Settings::defaults(app.programFolder()))).split(QStringLiteral("\r\n"));
        const QStringList lines = QString::fromUtf8(file).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), defaults.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            QVERIFY2(lines[i].isEmpty() == defaults[i].isEmpty() && (lines[i].isEmpty() || lines[i] != defaults[i]),
                     qPrintable(lines[i]));

        writeFile(app.configPath(), file);
        QVERIFY(app.start());
        app.main()->exitButtonClick();
        QCOMPARE(app.prompt.messages(), QStringList());
        const QByteArray written = readAll(app.configPath());
        QCOMPARE(QString::fromUtf8(written).split(QStringLiteral("\r\n")), lines);
        QCOMPARE(written, file);
        QCOMPARE(readAll(extrasPath), extrasAfter);
    }

    void columnWidthsDraggedInTheCatalogAreWrittenAtExit()
    {
        AppFixture app;
        writeFile(app.configPath(), "Bookmarks_Form_Category_Column_Show: 1\r\nBeginner_Mode: 1\r\n");
        QVERIFY(app.start());
        QHeaderView* header =
            child<QTableView>(app.startup->windows().BookmarksForm, "BookmarksGrid")->horizontalHeader();
        header->resizeSection(BookmarkColumn::Category, 123);
        header->resizeSection(BookmarkColumn::Name, 145);
        header->resizeSection(BookmarkColumn::Filename, 210);
        // Fixed columns are not the user's to size.
        header->resizeSection(BookmarkColumn::StartTime, 90);
        app.main()->exitButtonClick();
        const QByteArray written = readAll(app.configPath());
        QCOMPARE(valueIn(written, "Bookmarks_Form_Category_Column_Width:"), QStringLiteral("123"));
        QCOMPARE(valueIn(written, "Bookmarks_Form_Name_Column_Width:"), QStringLiteral("145"));
        QCOMPARE(valueIn(written, "Bookmarks_Form_Filename_Column_Width:"), QStringLiteral("210"));
    }

    void hiddenColumnsKeepTheirWidth()
    {
        AppFixture app;
        writeFile(app.configPath(), "Bookmarks_Form_Category_Column_Width: 77\r\n"
                                    "Bookmarks_Form_Filename_Column_Width: 199\r\n"
                                    "Bookmarks_Form_Folder_Column_Show: 0\r\n");
        QVERIFY(app.start());
        app.main()->exitButtonClick();
        const QByteArray written = readAll(app.configPath());
        QCOMPARE(valueIn(written, "Bookmarks_Form_Category_Column_Width:"), QStringLiteral("77"));
        QCOMPARE(valueIn(written, "Bookmarks_Form_Filename_Column_Width:"), QStringLiteral("199"));
    }

    void windowSizesAreFittedToTheScreen_data()
    {
        QTest::addColumn<QString>("window"); // "Main" or "Bookmarks"
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        for (const char* window : {"Main", "Bookmarks"}) {
            const QByteArray w(window);
            QTest::newRow(w + " zero") << QString(window) << 0 << 0;
            QTest::newRow(w + " negative") << QString(window) << -300 << -1;
            QTest::newRow(w + " huge") << QString(window) << 100000 << 100000;
            QTest::newRow(w + " one pixel wide") << QString(window) << 1 << 400;
        }
    }
    void windowSizesAreFittedToTheScreen()
    {
        QFETCH(QString, window);
        QFETCH(int, width);
        QFETCH(int, height);
        AppFixture app;
        const QString prefix = window + QStringLiteral("_Form_");
        writeFile(app.configPath(),
                  (prefix + "Left: 40\r\n" + prefix + "Top: 50\r\n" + prefix + "Width: " + QString::number(width) +
                   "\r\n" + prefix + "Height: " + QString::number(height) + "\r\n")
                      .toUtf8());
        QVERIFY(app.start());
        QWidget* w = window == "Main" ? static_cast<QWidget*>(app.main()) : app.startup->windows().BookmarksForm;
        const QRect screen = availableArea();
        const QSize size = w->geometry().size();
        QVERIFY2(size.width() >= 120 && size.height() >= 80,
                 qPrintable(QString("%1x%2").arg(size.width()).arg(size.height())));
        QVERIFY(size.width() <= screen.width() && size.height() <= screen.height());
        QVERIFY(screen.intersects(w->geometry()));
        QCOMPARE(w->geometry().topLeft(), QPoint(40, 50));

        app.main()->exitButtonClick();
        const QByteArray written = readAll(app.configPath());
        QCOMPARE(valueIn(written, prefix + "Width:"), QString::number(size.width()));
        QCOMPARE(valueIn(written, prefix + "Height:"), QString::number(size.height()));
    }

    void restoreInAReadOnlyInstallStartsNextOnTheDefaults()
    {
        AppFixture app;
        writeFile(app.configPath(), "Back_Seconds_Value: 5\r\nBeginner_Mode: 0\r\n");
        QVERIFY(QFile::setPermissions(app.userDir.path(), kOpenDir));
        QVERIFY(QFile::setPermissions(app.programDir.path(), kReadOnlyDir));
        {
            WithoutRootRights unprivileged;
            if (!unprivileged.ok())
                QSKIP("cannot give up root's rights here");
            QVERIFY(app.start());
            QCOMPARE(child<QComboBox>(app.main(), "backSecondsValue")->currentIndex(), 5);
            app.prompt.queueAnswer(Prompt::Answer::Yes);
            app.startup->windows().OptionsForm->ExecuteRestoreKeyboardSettingsClick();
            QVERIFY(app.endedProgram);
            app.startup.reset();

            QVERIFY(app.start());
            QCOMPARE(child<QComboBox>(app.main(), "backSecondsValue")->currentIndex(), 2);
            QCOMPARE(app.startup->settings()->current().backSecondsValue, 2);
            app.startup.reset();
        }
        QFile::setPermissions(app.programDir.path(), kOpenDir);
        // The installation's own file is left as it was.
        QCOMPARE(readAll(app.configPath()), QByteArray("Back_Seconds_Value: 5\r\nBeginner_Mode: 0\r\n"));
    }
};

QTEST_MAIN(TestSettingsFile)
#include "TestSettingsFile.moc"
