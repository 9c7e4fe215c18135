#include "core/catalog/CatalogFiles.h"
#include "core/catalog/CatalogFilesCommon.h"

#include <QDir>
#include <QTest>

// Every file under tests/data/catalogs/ is a broken or unusual catalog. Each
// is read, and the message, whether the reader reached its end, the column
// titles and every row are compared with what the file must give.
//
// A row is written as its fields joined by "|": category, name, learn,
// rating, start, end, file name, folder, description (line breaks in the
// description as "/").
//
// The files named spreadsheet-calc-*.csv were written by LibreOffice Calc:
// scripts/resave-catalog-in-calc.py opened spreadsheet-written-by-tempoloop.csv
// in it, let it take the times for time values, and saved it back as Calc
// shows them (12-hour clock, 24-hour clock, seconds with a fraction, and a
// German Calc's semicolons with every text in quotes).

namespace {

const QString kCorrupted = QStringLiteral("Catalog file is corrupted. Please manually fix.");
const QString kCorruptedHeader = QStringLiteral("Catalog file is corrupted (HEADER INFO). Please manually fix.");
const QString kDefaultTitles = QStringLiteral("Category|Name|Learn|Rating");
const QString kFileTitles = QStringLiteral("Style|Figure|Level|Stars");
const QString kClip = QStringLiteral("00:01:05|00:01:29|clip 1.mpg|/home/user/Video Clips/");

QString rowText(const Bookmark& b)
{
    QString description = b.description;
    description.replace(QLatin1String("\r\n"), QLatin1String("/"));
    return QStringList{b.category, b.name, b.learn, b.rating, b.startTime, b.endTime, b.fileName, b.folder, description}
        .join(u'|');
}

// A row of the sample clip, from category to description.
QString clipRow(const QString& categoryAndName, const QString& learnAndRating, const QString& description)
{
    return categoryAndName + u'|' + learnAndRating + u'|' + kClip + u'|' + description;
}

const QString kEmptyRow = QStringLiteral("||||||||");

// What the reader says, after what it had to say, when lines could not be
// read whole.
QString unreadMessage(const QString& lines, const QString& before = {})
{
    const QString unread =
        lines + QStringLiteral(" of this catalog file could not be read whole.\n"
                               "Their bookmarks show only what could be read (times, clip, level or rating "
                               "may be missing), and saving the catalog keeps them that way.\n"
                               "To keep what those lines hold, close the catalog without saving, fix the "
                               "lines in the file and open it again.");
    return before.isEmpty() ? unread : before + QStringLiteral("\n\n") + unread;
}

// The catalog of spreadsheet-written-by-tempoloop.csv and of what Calc made
// of it.
const QStringList kCalcRows{
    QStringLiteral("Salsa|Basic step|b|7|00:01:05|00:01:29|clip 1.mpg|/home/user/Video Clips/|Lead on 1"),
    QStringLiteral("Salsa|Cross body \"CBL\"|a|10|00:00:00|--:--:--|clip 2.mp4|/home/user/Video Clips/|"
                   "First line/second line"),
    QStringLiteral("Bachata|Side step|||12:00:00|13:04:59|bachata.mkv|/home/user/Bachata/|"),
    QStringLiteral("Bachata|Hammerlock|d|0|09:59:59|10:00:10|bachata.mkv|/home/user/Bachata/|Slow, then fast"),
};

} // namespace

class TestCatalogFileCorpus : public QObject {
    Q_OBJECT

private slots:
    void readsAsExpected_data();
    void readsAsExpected();
    void everyFileHasACase();

private:
    QStringList m_cases;
};

void TestCatalogFileCorpus::readsAsExpected_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<QString>("titles");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QList<int>>("unread");

    const auto add = [this](const char* file, const QString& message, bool complete, const QString& titles,
                            const QStringList& rows, const QList<int>& unread = {}) {
        m_cases.append(QString::fromLatin1(file));
        QTest::newRow(file) << message << complete << titles << rows << unread;
    };
    const QString basic = clipRow(QStringLiteral("Salsa|Basic"), QStringLiteral("b|7"), QStringLiteral("Lead on 1"));

    // Native format.
    add("native-one-line.tvc", {}, false, kDefaultTitles, {});
    add("native-empty.tvc", kCorrupted, false, kDefaultTitles, {});
    add("native-not-text.tvc", kCorruptedHeader, false, kDefaultTitles, {});
    add("native-first-line-not-header.tvc", kCorruptedHeader, false, kDefaultTitles, {});
    add("native-no-end-of-header.tvc", kCorruptedHeader, false, kFileTitles, {});
    add("native-titles-only.tvc", kCorruptedHeader, false, kFileTitles, {});
    add("native-header-cut-off.tvc", kCorrupted, false, kDefaultTitles, {});
    add("native-extra-header-lines.tvc", {}, true, kFileTitles, {basic});
    add("native-ends-after-header.tvc", {}, true, kFileTitles, {kEmptyRow});
    add("native-last-block-without-separator.tvc", kCorrupted, false, kFileTitles,
        {basic,
         clipRow(QStringLiteral("Salsa|Turn"), QStringLiteral("a|3"), QStringLiteral("First line/second line"))});
    add("native-cut-after-name.tvc", kCorrupted, false, kFileTitles,
        {basic, QStringLiteral("Bachata|Side step|||||||")});
    // The line that should have been the location starts the next bookmark.
    add("native-location-not-four.tvc", unreadMessage(QStringLiteral("Line 9")), true, kFileTitles,
        {QStringLiteral("Salsa|Broken|||||||"), clipRow(QStringLiteral("Bachata|Side step"), QStringLiteral("|"), {})},
        {9});
    // ... which, when it is not a category, throws the rest of the file out of
    // step until it runs out.
    add("native-location-three-cascades.tvc", unreadMessage(QStringLiteral("Lines 9, 11, 13 and 15"), kCorrupted),
        false, kFileTitles,
        {QStringLiteral("Salsa|Broken|||||||"), QStringLiteral("00:01:05   00:01:29   \"clip 1.mpg\"|Bachata|||||||"),
         QStringLiteral("Side step|00:01:05   00:01:29   \"clip 1.mpg\"   \"/home/user/Video Clips/\"|||||||"),
         QStringLiteral("x,x||||||||"), QStringLiteral("--------------------@B@||||||||")},
        {9, 11, 13, 15});
    add("native-learn-rating-not-two.tvc", unreadMessage(QStringLiteral("Line 10")), true, kFileTitles,
        {QStringLiteral("Salsa|Turn|||") + kClip + u'|',
         clipRow(QStringLiteral("Mambo|Suzy Q"), QStringLiteral("c|5"), QStringLiteral("desc"))},
        {10});
    add("native-lf-bom.tvc", {}, true, kFileTitles,
        {clipRow(QStringLiteral("Salsa|Basic"), QStringLiteral("|10"), QStringLiteral("two/lines"))});
    add("native-cr-no-final-break.tvc", {}, true, kFileTitles,
        {clipRow(QStringLiteral("Salsa|Basic"), QStringLiteral("d|"), {})});
    add("native-windows-1252.tvc", {}, true, kFileTitles,
        {clipRow(QStringLiteral("Café|Piña – über"), QStringLiteral("|"), QStringLiteral("“quoted” €5"))});
    // UTF-8 but for the line another program added in Windows-1252: each
    // line is read as what it is, and the user hears which line to check.
    add("native-mixed-encodings.tvc",
        CatalogFilesCommon::windows1252LinesMessage({14}, {QStringLiteral("Ocho cortado – rápido")}), true, kFileTitles,
        {clipRow(QStringLiteral("Salsa|Señorita"), QStringLiteral("b|7"), QStringLiteral("Giro — lento")),
         clipRow(QStringLiteral("Bachata|Ocho cortado – rápido"), QStringLiteral("|"), {})});
    add("native-empty-title.tvc", {}, true, QStringLiteral("|Figure|Level|Stars"), {basic});

    // Spreadsheet format.
    add("spreadsheet-bom-cr.csv", {}, true, kFileTitles,
        {clipRow(QStringLiteral("Salsa|Basic"), QStringLiteral("b|7"), QStringLiteral("Lead/follow"))});
    add("spreadsheet-one-line.csv", {}, false, kDefaultTitles, {});
    add("spreadsheet-empty.csv", kCorrupted, false, kDefaultTitles, {});
    add("spreadsheet-header-too-short.csv", kCorrupted, false, kDefaultTitles, {});
    add("spreadsheet-header-then-blank-lines.csv", {}, true, kFileTitles, {kEmptyRow});
    add("spreadsheet-saved-by-a-spreadsheet.csv", {}, true, kFileTitles,
        {QStringLiteral("Salsa|Basic step|b|7|00:01:05|01:01:29|clip 1.mpg|/home/user/Video Clips/|Lead on 1"),
         QStringLiteral("Salsa|Turn|||10:00:00|--:--:--|a.mpg|/v/|")});
    add("spreadsheet-blank-lines-between.csv", {}, true, kFileTitles,
        {basic, clipRow(QStringLiteral("Salsa|Turn"), QStringLiteral("b|7"), QStringLiteral("Lead on 1"))});
    add("spreadsheet-wrong-field-count.csv", unreadMessage(QStringLiteral("Lines 2 and 4")), true, kFileTitles,
        {kEmptyRow, clipRow(QStringLiteral("Salsa|Turn"), QStringLiteral("b|7"), QStringLiteral("Lead on 1")),
         kEmptyRow},
        {2, 4});
    add("spreadsheet-ends-inside-description.csv", kCorrupted, false, kFileTitles,
        {basic,
         clipRow(QStringLiteral("Salsa|Turn"), QStringLiteral("b|7"), QStringLiteral("First line/second line"))});
    add("spreadsheet-multi-line-description.csv", {}, true, kFileTitles,
        {clipRow(QStringLiteral("Salsa|Basic"), QStringLiteral("b|7"), QStringLiteral("/say \"hi\"/\"quoted\"/last\"")),
         clipRow(QStringLiteral("Salsa|Turn"), QStringLiteral("b|7"), QStringLiteral("Lead on 1"))});
    add("spreadsheet-windows-1252.csv", {}, true, kFileTitles,
        {clipRow(QStringLiteral("Café|Piña – über"), QStringLiteral("b|7"), QStringLiteral("“quoted” €5"))});
    add("spreadsheet-file-name-in-one-pair.csv", {}, true, kFileTitles,
        {QStringLiteral("Salsa|Basic|b|7|00:01:05|00:01:29|clip 1.mpg|/v/|")});
    // What the native format cannot hold, a spreadsheet file can.
    add("spreadsheet-separator-line-in-description.csv", {}, true, kFileTitles,
        {clipRow(QStringLiteral("Salsa|Basic"), QStringLiteral("b|7"), QStringLiteral("x/--------------------@B@/y")),
         clipRow(QStringLiteral("Salsa|Turn"), QStringLiteral("b|7"), QStringLiteral("Lead on 1"))});
    add("spreadsheet-quoted-titles-and-marks.csv", {}, true, QStringLiteral("|Figure|Level, or \"step\"|Stars"),
        {clipRow(QStringLiteral("Salsa|Basic"), QStringLiteral(",|7,5"), QStringLiteral("Lead on 1"))});
    add("spreadsheet-description-cut-at-quote.csv", {}, true, kFileTitles,
        {clipRow(QStringLiteral("Salsa|Basic"), QStringLiteral("b|7"), QStringLiteral("a\"b/more"))});

    // Written by the program, and by a spreadsheet program after it.
    add("spreadsheet-written-by-tempoloop.csv", {}, true, kDefaultTitles, kCalcRows);
    add("spreadsheet-calc-12-hour.csv", {}, true, kDefaultTitles, kCalcRows);
    add("spreadsheet-calc-24-hour.csv", {}, true, kDefaultTitles, kCalcRows);
    add("spreadsheet-calc-fractions.csv", {}, true, kDefaultTitles, kCalcRows);
    add("spreadsheet-calc-semicolons.csv", {}, true, kDefaultTitles, kCalcRows);
    add("spreadsheet-times-that-are-none.csv", unreadMessage(QStringLiteral("Lines 2 and 4")), true, kFileTitles,
        {QStringLiteral("Salsa|Basic|b|7|soon|00:01:29|clip 1.mpg|/v/|"),
         QStringLiteral("Salsa|Turn|b|7|12:01:05|13:00:00|clip 1.mpg|/v/|"),
         QStringLiteral("Salsa|Dip|b|7|00:01:05|13:00:00 PM|clip 1.mpg|/v/|")},
        {2, 4});
    add("native-times-that-are-none.tvc", unreadMessage(QStringLiteral("Line 9")), true, kFileTitles,
        {QStringLiteral("Salsa|Basic|b|7|00:01:05|1:29|clip 1.mpg|/v/|"),
         QStringLiteral("Salsa|Turn|b|7|00:01:05|--:--:--|clip 1.mpg|/v/|")},
        {9});
}

void TestCatalogFileCorpus::readsAsExpected()
{
    QFETCH(QString, message);
    QFETCH(bool, complete);
    QFETCH(QString, titles);
    QFETCH(QStringList, rows);
    QFETCH(QList<int>, unread);

    const QString path =
        QStringLiteral(TEMPOLOOP_TEST_DATA "/catalogs/") + QString::fromLatin1(QTest::currentDataTag());
    QVERIFY(QFile::exists(path));
    const CatalogReadResult r = path.endsWith(QLatin1String(".tvc")) ? TVC_ReadCatalogFile(path, CatalogData{})
                                                                     : CSV_ReadCatalogFile(path, CatalogData{});
    QCOMPARE(r.message, message);
    QCOMPARE(r.complete, complete);
    QCOMPARE(r.unreadLines, unread);
    const CatalogData& c = r.catalog;
    QCOMPARE(QStringList({c.categoryHeader, c.nameHeader, c.learnHeader, c.ratingHeader}).join(u'|'), titles);
    QStringList got;
    for (const Bookmark& b : c.bookmarks)
        got.append(rowText(b));
    QCOMPARE(got, rows);
}

void TestCatalogFileCorpus::everyFileHasACase()
{
    const QStringList files = QDir(QStringLiteral(TEMPOLOOP_TEST_DATA "/catalogs")).entryList(QDir::Files, QDir::Name);
    QStringList cases = m_cases;
    cases.sort();
    QCOMPARE(files, cases);
}

QTEST_GUILESS_MAIN(TestCatalogFileCorpus)
#include "TestCatalogFileCorpus.moc"
