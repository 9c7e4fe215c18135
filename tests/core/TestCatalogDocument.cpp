#include "core/catalog/BookmarkChecks.h"
#include "core/catalog/CatalogDocument.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace BookmarkColumn;

namespace {

// A catalog of bookmarks named after their categories' order: each entry is
// (category, name).
CatalogData catalogOf(const QList<std::pair<QString, QString>>& rows)
{
    CatalogData data;
    for (const auto& [category, name] : rows) {
        Bookmark b;
        b.category = category;
        b.name = name;
        b.startTime = QStringLiteral("00:00:01");
        b.endTime = QStringLiteral("00:00:05");
        data.bookmarks.append(b);
    }
    return data;
}

QStringList column(const CatalogDocument& doc, int c)
{
    QStringList texts;
    for (int r = 1; r < doc.RowCount(); ++r)
        texts << doc.Cells(c, r);
    return texts;
}

} // namespace

class TestCatalogDocument : public QObject {
    Q_OBJECT

private slots:
    void resetGivesOnePlaceholderRow();
    void loadNumbersRowsAndGivesBackTheCatalog();
    void caption_data();
    void caption();
    void repeatsHideAndFollowEdits();
    void emptyCategoryNeverMarksTheRowBelow();
    void storedCatalogHasNoMarks();
    void moveRowFollowsPlayingBookmark_data();
    void moveRowFollowsPlayingBookmark();
    void deleteRow();
    void sortByNumberRestoresCreationOrder();
    void sortBySeveralColumnsAndRefusesOthers();
    void sortKeepsNumbersAndPlayingBookmark();
    void cellChecks_data();
    void cellChecks();
    void playChecks_data();
    void playChecks();
    void editorCommitsSignalOnlyRealChanges();
    void loopListItems();
};

void TestCatalogDocument::resetGivesOnePlaceholderRow()
{
    CatalogDocument doc;
    doc.model()->load(catalogOf({{"a", "one"}, {"b", "two"}}));
    doc.setBlankFirstRow(false);
    doc.setSelectedRow(2);
    BookmarksGridColumns columns;
    columns.categoryName = QStringLiteral("Style");
    doc.ResetBookmarksGrid(columns);
    QCOMPARE(doc.RowCount(), 2);
    QCOMPARE(doc.model()->columnCount(), 15);
    QCOMPARE(doc.Cells(Category, 0), QStringLiteral("Style"));
    QCOMPARE(doc.Cells(Number, 0), QStringLiteral("#"));
    QCOMPARE(doc.Cells(Play, 0), QStringLiteral("Play"));
    QCOMPARE(doc.Cells(Name, 1), QString());
    QVERIFY(doc.BlankFirstRow());
    QCOMPARE(doc.SelectedRow(), 1);
    // The header row is the model's horizontal header.
    QCOMPARE(doc.model()->headerData(Category, Qt::Horizontal).toString(), QStringLiteral("Style"));
}

void TestCatalogDocument::loadNumbersRowsAndGivesBackTheCatalog()
{
    CatalogDocument doc;
    CatalogData data = catalogOf({{"Salsa", "Basic"}, {"Tango", "Ocho"}, {"Tango", "Giro"}});
    data.nameHeader = QStringLiteral("Move");
    data.bookmarks[1].learn = QStringLiteral("b");
    data.bookmarks[1].rating = QStringLiteral("10");
    data.bookmarks[2].description = QStringLiteral("line 1\r\nline 2");
    data.bookmarks[2].folder = QStringLiteral("/clips/a b/");
    data.bookmarks[2].fileName = QStringLiteral("x y.mp4");
    doc.model()->load(data);
    QCOMPARE(column(doc, Number), QStringList({"1", "2", "3"}));
    QCOMPARE(doc.Cells(Name, 0), QStringLiteral("Move"));
    QCOMPARE(doc.Cells(Description, 3), QStringLiteral("line 1\r\nline 2"));
    QCOMPARE(doc.model()->data(doc.model()->cellIndex(Rating, 2)).toString(), QStringLiteral("10"));
    QCOMPARE(doc.model()->toCatalogData(), data);

    // An empty catalog keeps one empty row.
    doc.model()->load(CatalogData{});
    QCOMPARE(doc.RowCount(), 2);
}

void TestCatalogDocument::caption_data()
{
    using Mode = CatalogDocument::Mode;
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QString>("caption");
    QTest::newRow("none") << Mode::Closed << true << QString();
    QTest::newRow("new") << Mode::New << false << "Video Catalog --  New  [NO FILE]";
    QTest::newRow("new modified") << Mode::New << true << "Video Catalog --  New  [NO FILE]  [MODIFIED]";
    QTest::newRow("file") << Mode::OnFile << false << "Video Catalog --  salsa.tvc  (in folder /home/me/Cat alogs/)";
    QTest::newRow("file modified") << Mode::OnFile << true
                                   << "Video Catalog --  salsa.tvc  (in folder /home/me/Cat alogs/)  [MODIFIED]";
}

void TestCatalogDocument::caption()
{
    QFETCH(CatalogDocument::Mode, mode);
    QFETCH(bool, modified);
    QFETCH(QString, caption);
    CatalogDocument doc;
    QSignalSpy captionSpy(&doc, &CatalogDocument::captionChanged);
    doc.setCatalogMode(mode);
    doc.setCatalogFileName(QStringLiteral("/home/me/Cat alogs/salsa.tvc"));
    doc.setCatalogModified(modified);
    QCOMPARE(doc.captionText(), caption);
    QVERIFY(!captionSpy.isEmpty());
}

void TestCatalogDocument::repeatsHideAndFollowEdits()
{
    CatalogDocument doc;
    doc.model()->load(catalogOf({{"Tango", "a"}, {"Tango", "b"}, {"Tango", "c"}, {"Salsa", "d"}}));
    doc.hideRepeats();
    QVERIFY(doc.RepeatsHidden());
    QCOMPARE(column(doc, Category), QStringList({"Tango", "-", "-", "Salsa"}));

    // A category edit reveals repeats, and the marks are worked out again
    // when it ends.
    doc.showRepeats();
    QCOMPARE(column(doc, Category), QStringList({"Tango", "Tango", "Tango", "Salsa"}));
    doc.setCells(Category, 2, QStringLiteral("Salsa"));
    doc.hideRepeats();
    QCOMPARE(column(doc, Category), QStringList({"Tango", "Salsa", "Tango", "Salsa"}));

    // After a move the marks follow the new order.
    doc.moveRow(4, 3);
    QCOMPARE(column(doc, Name), QStringList({"a", "b", "d", "c"}));
    QCOMPARE(column(doc, Category), QStringList({"Tango", "Salsa", "-", "Tango"}));
    QVERIFY(doc.CatalogModified());

    doc.showRepeats();
    QVERIFY(!doc.RepeatsHidden());
    QCOMPARE(column(doc, Category), QStringList({"Tango", "Salsa", "Salsa", "Tango"}));
}

void TestCatalogDocument::emptyCategoryNeverMarksTheRowBelow()
{
    CatalogDocument doc;
    doc.model()->load(catalogOf({{"", "a"}, {"", "b"}, {"X", "c"}, {"X", "d"}}));
    doc.hideRepeats();
    QCOMPARE(column(doc, Category), QStringList({"", "", "X", "-"}));
}

void TestCatalogDocument::storedCatalogHasNoMarks()
{
    CatalogDocument doc;
    const CatalogData data = catalogOf({{"Tango", "a"}, {"Tango", "b"}});
    doc.model()->load(data);
    doc.hideRepeats();
    QCOMPARE(doc.storedCatalog(), data);
    QCOMPARE(doc.Cells(Category, 2), QStringLiteral("-"));
    // A new row whose copy column was never filled keeps its category when
    // the marks are refreshed.
    const int row = doc.model()->appendRow();
    doc.setCells(Category, row, QStringLiteral("Tango"));
    doc.RefreshHideRepeats();
    QCOMPARE(column(doc, Category), QStringList({"Tango", "-", "-"}));
    QCOMPARE(doc.storedCatalog().bookmarks.last().category, QStringLiteral("Tango"));
}

void TestCatalogDocument::moveRowFollowsPlayingBookmark_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("playing");
    QTest::addColumn<int>("playingAfter");
    QTest::newRow("5 to 2, 3 playing") << 5 << 2 << 3 << 4;
    QTest::newRow("the playing row itself") << 2 << 5 << 2 << 5;
    QTest::newRow("1 to 4, 3 playing") << 1 << 4 << 3 << 2;
    QTest::newRow("1 to 4, 4 playing") << 1 << 4 << 4 << 3;
    QTest::newRow("outside the range") << 1 << 2 << 5 << 5;
    QTest::newRow("none playing") << 5 << 1 << -1 << -1;
}

void TestCatalogDocument::moveRowFollowsPlayingBookmark()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, playing);
    QFETCH(int, playingAfter);
    CatalogDocument doc;
    doc.model()->load(catalogOf({{"", "1"}, {"", "2"}, {"", "3"}, {"", "4"}, {"", "5"}}));
    doc.setPlayingBookmark(playing);
    const QString playingName = playing == -1 ? QString() : doc.Cells(Name, playing);
    doc.moveRow(from, to);
    QCOMPARE(doc.PlayingBookmark(), playingAfter);
    if (playing != -1)
        QCOMPARE(doc.Cells(Name, playingAfter), playingName);
    QCOMPARE(doc.Cells(Name, to), QString::number(from));
    // Numbers travel with their rows.
    QCOMPARE(column(doc, Number), column(doc, Name));
}

void TestCatalogDocument::deleteRow()
{
    CatalogDocument doc;
    doc.model()->load(catalogOf({{"", "1"}, {"", "2"}, {"", "3"}, {"", "4"}}));
    doc.setPlayingBookmark(3);
    QVERIFY(doc.deleteRow(1));
    QCOMPARE(column(doc, Name), QStringList({"2", "3", "4"}));
    QCOMPARE(doc.PlayingBookmark(), 2); // still bookmark 3
    QVERIFY(doc.CatalogModified());
    QVERIFY(doc.deleteRow(2));
    QCOMPARE(doc.PlayingBookmark(), -1);
    QVERIFY(doc.deleteRow(2));
    // The only bookmark stays.
    QVERIFY(!doc.deleteRow(1));
    QCOMPARE(column(doc, Name), QStringList({"2"}));
}

void TestCatalogDocument::sortByNumberRestoresCreationOrder()
{
    CatalogDocument doc;
    QList<std::pair<QString, QString>> rows;
    for (int i = 1; i <= 12; ++i)
        rows.append({QString(), QStringLiteral("n%1").arg(i)});
    doc.model()->load(catalogOf(rows));
    doc.moveRow(12, 1);
    doc.moveRow(3, 10);
    QVERIFY(doc.sortRows({{Name}}));
    QCOMPARE(column(doc, Name).first(), QStringLiteral("n1"));
    QCOMPARE(column(doc, Name).at(1), QStringLiteral("n10")); // names are texts
    QVERIFY(doc.sortRows({{Number}}));
    QStringList numbers;
    for (int i = 1; i <= 12; ++i)
        numbers << QString::number(i);
    QCOMPARE(column(doc, Number), numbers); // "#" counts as a number
    QVERIFY(doc.sortRows({{Number, true}}));
    QCOMPARE(column(doc, Number).first(), QStringLiteral("12"));
}

void TestCatalogDocument::sortBySeveralColumnsAndRefusesOthers()
{
    CatalogDocument doc;
    CatalogData data = catalogOf({{"tango", "b"}, {"Salsa", "z"}, {"Tango", "a"}, {"salsa", "c"}, {"", "e"}});
    data.bookmarks[0].rating = QStringLiteral("10");
    data.bookmarks[2].rating = QStringLiteral("9");
    doc.model()->load(data);
    QVERIFY(doc.sortRows({{Category}, {Name}}));
    QCOMPARE(column(doc, Name), QStringList({"e", "c", "z", "a", "b"}));
    QVERIFY(doc.sortRows({{Rating, true}}));
    QCOMPARE(column(doc, Name).mid(0, 2), QStringList({"b", "a"})); // 10 above 9
    const QStringList before = column(doc, Name);
    for (int c : {0, 6, 11, 12, 13, 14}) {
        QVERIFY(!CatalogDocument::isSortableColumn(c));
        QVERIFY(!doc.sortRows({{Name}, {c}}));
    }
    QCOMPARE(column(doc, Name), before);
}

void TestCatalogDocument::sortKeepsNumbersAndPlayingBookmark()
{
    CatalogDocument doc;
    doc.model()->load(catalogOf({{"", "c"}, {"", "a"}, {"", "b"}}));
    doc.setPlayingBookmark(2);
    QSignalSpy moved(&doc, &CatalogDocument::playingBookmarkChanged);
    QVERIFY(doc.sortRows({{Name}}));
    QCOMPARE(column(doc, Name), QStringList({"a", "b", "c"}));
    QCOMPARE(column(doc, Number), QStringList({"2", "3", "1"}));
    // The playing bookmark ("a", number 2) follows its row to the top.
    QCOMPARE(doc.PlayingBookmark(), 1);
    QCOMPARE(doc.Cells(Name, doc.PlayingBookmark()), QStringLiteral("a"));
    QCOMPARE(moved.size(), 1);
    // With none playing, none plays after a sort.
    doc.setPlayingBookmark(-1);
    QVERIFY(doc.sortRows({{Name, true}}));
    QCOMPARE(doc.PlayingBookmark(), -1);
}

void TestCatalogDocument::cellChecks_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    const QString badTime = QStringLiteral("Invalid time code.\nPlease try again.");
    QTest::newRow("start ok") << int(StartTime) << "01:02:03" << QString();
    QTest::newRow("start short") << int(StartTime) << "1:02:03" << badTime;
    QTest::newRow("end no time") << int(EndTime) << "--:--:--" << QString();
    QTest::newRow("end letters") << int(EndTime) << "aa:bb:cc" << badTime;
    QTest::newRow("folder without slash") << int(Folder) << "@/clips"
                                          << "The folder does not end with a \"/\" as it should.\nPlease try again.";
    QTest::newRow("folder missing") << int(Folder) << "@/nothing/"
                                    << "The folder does not exist.\nPlease try again.";
    QTest::newRow("folder ok") << int(Folder) << "@/clips/" << QString();
    QTest::newRow("file ok") << int(Filename) << "a clip.mp4" << QString();
    QTest::newRow("file missing") << int(Filename) << "other.mp4"
                                  << "The filename does not exist.\nPlease try again.";
    QTest::newRow("file is a folder") << int(Filename) << "sub"
                                      << "The filename does not exist.\nPlease try again.";
    QTest::newRow("name anything") << int(Name) << "" << QString();
    // Nothing a catalog file could not give back the same.
    QTest::newRow("name of two lines") << int(Name) << "two\nlines"
                                       << "The name has a line break, which a catalog file cannot hold: it keeps a "
                                          "name on one line.\nPlease type it on one line, and try again.";
    QTest::newRow("category of two lines")
        << int(Category) << "a\r\nb"
        << "The category has a line break, which a catalog file cannot hold: it "
           "keeps a category on one line.\nPlease type it on one line, and try again.";
    const QString comma = QStringLiteral("A level or rating cannot hold a comma or a line break:\na catalog file keeps "
                                         "both on one line, with a comma between them.\nPlease try again.");
    QTest::newRow("comma in a rating") << int(Rating) << "7,5" << comma;
    QTest::newRow("comma as level") << int(Learn) << "," << comma;
    QTest::newRow("rating ok") << int(Rating) << "10" << QString();
    const QString unstorable = QStringLiteral(" has a double quote or a line break, which a catalog file cannot "
                                              "hold.\nPlease rename the clip or its folder, and try again.");
    QTest::newRow("quote in a file name") << int(Filename) << "a \"clip\".mp4"
                                          << "The file name" + unstorable;
    QTest::newRow("line break in a folder") << int(Folder) << "@/cl\nips/"
                                            << "The folder" + unstorable;
}

void TestCatalogDocument::cellChecks()
{
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("clips/sub"));
    QFile clip(dir.path() + QStringLiteral("/clips/a clip.mp4"));
    QVERIFY(clip.open(QIODevice::WriteOnly));
    CatalogDocument doc;
    doc.setCells(Folder, 1, dir.path() + QStringLiteral("/clips/"));
    text.replace(u'@', dir.path());
    QCOMPARE(BookmarkChecks::cellValueMessage(doc, column, 1, text), message);
}

void TestCatalogDocument::playChecks_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    const QString tail = QStringLiteral("Please fix, and try again.");
    QTest::newRow("ok") << "00:00:01"
                        << "--:--:--"
                        << "@/"
                        << "c.mp4" << QString();
    QTest::newRow("start") << "0:00:01"
                           << "00:00:02"
                           << "@/"
                           << "c.mp4"
                           << "The \"Start Time\" is not in a valid format.\nIt must be in the format "
                              "\"hh:mm:ss\".\n" +
                                  tail;
    QTest::newRow("end") << "00:00:01"
                         << ""
                         << "@/"
                         << "c.mp4"
                         << "The \"End Time\" is not in a valid format.\nIt must be in the format \"hh:mm:ss\" "
                            "or be exactly \"--:--:--\".\n" +
                                tail;
    QTest::newRow("folder empty") << "00:00:01"
                                  << "00:00:02"
                                  << ""
                                  << "c.mp4"
                                  << "The \"Folder\" cell is empty.\n" + tail;
    QTest::newRow("folder slash") << "00:00:01"
                                  << "00:00:02"
                                  << "@"
                                  << "c.mp4"
                                  << "The \"Folder\" must end with a \"/\".\n" + tail;
    QTest::newRow("folder missing") << "00:00:01"
                                    << "00:00:02"
                                    << "@/x/"
                                    << "c.mp4"
                                    << "The \"Folder\" does not exist.\n" + tail;
    QTest::newRow("file empty") << "00:00:01"
                                << "00:00:02"
                                << "@/"
                                << ""
                                << "The \"Filename\" cell is empty.\n" + tail;
    QTest::newRow("file missing") << "00:00:01"
                                  << "00:00:02"
                                  << "@/"
                                  << "d.mp4"
                                  << "The \"Filename\" does not exist.\n" + tail;
}

void TestCatalogDocument::playChecks()
{
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, folder);
    QFETCH(QString, file);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QFile clip(dir.path() + QStringLiteral("/c.mp4"));
    QVERIFY(clip.open(QIODevice::WriteOnly));
    CatalogDocument doc;
    doc.setCells(StartTime, 1, start);
    doc.setCells(EndTime, 1, end);
    doc.setCells(Folder, 1, folder.replace(u'@', dir.path()));
    doc.setCells(Filename, 1, file);
    QCOMPARE(BookmarkChecks::playMessage(doc, 1), message);
    if (message.isEmpty())
        QCOMPARE(BookmarkChecks::clipPath(doc, 1), dir.path() + QStringLiteral("/c.mp4"));
}

void TestCatalogDocument::editorCommitsSignalOnlyRealChanges()
{
    CatalogDocument doc;
    doc.model()->load(catalogOf({{"Tango", "a"}}));
    QSignalSpy edited(doc.model(), &CatalogModel::cellEdited);
    CatalogModel* m = doc.model();
    QVERIFY(m->setData(m->cellIndex(Name, 1), QStringLiteral("b")));
    QCOMPARE(edited.size(), 1);
    QCOMPARE(edited[0], QVariantList({int(Name), 1}));
    QVERIFY(m->setData(m->cellIndex(Name, 1), QStringLiteral("b")));
    QCOMPARE(edited.size(), 1);
    // Read-only columns take no edits; program changes do not count as edits.
    QVERIFY(!m->setData(m->cellIndex(Number, 1), QStringLiteral("7")));
    QVERIFY(!(m->flags(m->cellIndex(Play, 1)) & Qt::ItemIsEditable));
    doc.setCells(Category, 1, QStringLiteral("-"));
    QCOMPARE(edited.size(), 1);
}

void TestCatalogDocument::loopListItems()
{
    CatalogDocument doc;
    doc.model()->load(catalogOf({{"", "Basic step"}, {"", "Turn"}, {"", "Basic step"}}));
    doc.moveRow(3, 1);
    QCOMPARE(doc.loopListItems(), QStringList({"3 : Basic step", "1 : Basic step", "2 : Turn"}));
}

QTEST_GUILESS_MAIN(TestCatalogDocument)
#include "TestCatalogDocument.moc"
