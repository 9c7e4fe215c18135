#include "HeldBackFolder.h"
#include "core/catalog/CatalogFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

#include <sys/stat.h>

// Writing a catalog in each format and reading it back, and the exact bytes
// each writer gives.

namespace {

Bookmark bookmark(const QString& name, const QString& learn = {}, const QString& rating = {},
                  const QString& description = {})
{
    Bookmark b;
    b.category = QStringLiteral("Salsa");
    b.name = name;
    b.learn = learn;
    b.rating = rating;
    b.startTime = QStringLiteral("00:01:05");
    b.endTime = QStringLiteral("00:01:29");
    b.fileName = QStringLiteral("videoclip 1.mpg");
    b.folder = QStringLiteral("/home/user/Video Clips/");
    b.description = description;
    return b;
}

CatalogData catalogOf(QList<Bookmark> bookmarks)
{
    CatalogData c;
    c.bookmarks = std::move(bookmarks);
    return c;
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

enum class Format { Native, Spreadsheet };

bool write(Format format, const QString& path, const CatalogData& c, QString* error, QChar sep = u',')
{
    return format == Format::Native ? TVC_WriteCatalogFile(path, c, error) : CSV_WriteCatalogFile(path, c, error, sep);
}

CatalogReadResult read(Format format, const QString& path, QChar sep = u',')
{
    return format == Format::Native ? TVC_ReadCatalogFile(path, CatalogData{})
                                    : CSV_ReadCatalogFile(path, CatalogData{}, sep);
}

} // namespace

Q_DECLARE_METATYPE(CatalogData)
Q_DECLARE_METATYPE(Format)

class TestCatalogFiles : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void nativeBytes();
    void spreadsheetBytes();
    void quoteInLocationRefused_data();
    void quoteInLocationRefused();
    void emptyLearnChoice_data();
    void emptyLearnChoice();
    void lineBreaksInOneLineFields_data();
    void lineBreaksInOneLineFields();
    void missingOrUnreadableFile_data();
    void missingOrUnreadableFile();
    void valueComesBackOrIsRefused_data();
    void valueComesBackOrIsRefused();

private:
    QTemporaryDir m_dir;
};

void TestCatalogFiles::roundTrip_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<CatalogData>("catalog");

    Bookmark unset = bookmark(QStringLiteral("Basic step"));
    Bookmark set = bookmark(QStringLiteral("Cross body lead"), QStringLiteral("b"), QStringLiteral("10"));
    Bookmark lines = bookmark(QStringLiteral("Turn"), QStringLiteral("a"), QStringLiteral("0"),
                              QStringLiteral("First line\r\nsecond line\r\n\r\nfourth"));
    Bookmark emptyThenText = bookmark(QStringLiteral("Dip"), {}, {}, QStringLiteral("\r\nafter an empty line"));
    Bookmark quotes = bookmark(QStringLiteral("The \"copa\", \"\" twice"), QStringLiteral("d"), QStringLiteral("7"),
                               QStringLiteral("say \"hi\"\r\n\"quoted line\"\r\nends in a quote\""));
    quotes.category = QStringLiteral("\"Cuban\"; style, slow");
    Bookmark quoteThenOne = bookmark(QStringLiteral("Spin"), {}, {}, QStringLiteral("a\"b\r\nmore"));
    Bookmark noEnd = bookmark(QStringLiteral("Shine"));
    noEnd.endTime = QStringLiteral("--:--:--");
    Bookmark accents = bookmark(QStringLiteral("Café con leche – ü"));
    accents.folder = QStringLiteral("/home/user/Vidéos/");

    CatalogData all = catalogOf({unset, set, lines, emptyThenText, quotes, quoteThenOne, noEnd, accents});
    all.categoryHeader = QStringLiteral("Style");
    all.nameHeader = QStringLiteral("Figure name");
    all.learnHeader = QStringLiteral("Level");
    all.ratingHeader = QStringLiteral("Stars");

    for (const Format f : {Format::Native, Format::Spreadsheet}) {
        const char* fn = f == Format::Native ? "tvc" : "csv";
        QTest::addRow("%s: all cases", fn) << f << QChar(u',') << all;
        QTest::addRow("%s: no bookmarks", fn) << f << QChar(u',') << catalogOf({Bookmark{}});
        QTest::addRow("%s: one empty line then text", fn) << f << QChar(u',') << catalogOf({emptyThenText});
    }
    QTest::addRow("csv: semicolon") << Format::Spreadsheet << QChar(u';') << all;
    QTest::addRow("csv: tab") << Format::Spreadsheet << QChar(u'\t') << all;
}

void TestCatalogFiles::roundTrip()
{
    QFETCH(Format, format);
    QFETCH(QChar, separator);
    QFETCH(CatalogData, catalog);

    const QString path = m_dir.filePath(QStringLiteral("round.trip"));
    QString error;
    QVERIFY(write(format, path, catalog, &error, separator));
    QVERIFY(error.isEmpty());
    const CatalogReadResult back = read(format, path, separator);
    QCOMPARE(back.message, QString());
    QVERIFY(back.complete);
    QCOMPARE(back.catalog.categoryHeader, catalog.categoryHeader);
    QCOMPARE(back.catalog.nameHeader, catalog.nameHeader);
    QCOMPARE(back.catalog.learnHeader, catalog.learnHeader);
    QCOMPARE(back.catalog.ratingHeader, catalog.ratingHeader);
    QCOMPARE(back.catalog.bookmarks.size(), catalog.bookmarks.size());
    for (qsizetype i = 0; i < catalog.bookmarks.size(); ++i) {
        const Bookmark& want = catalog.bookmarks[i];
        const Bookmark& got = back.catalog.bookmarks[i];
        QCOMPARE(got.category, want.category);
        QCOMPARE(got.name, want.name);
        QCOMPARE(got.learn, want.learn);
        QCOMPARE(got.rating, want.rating);
        QCOMPARE(got.startTime, want.startTime);
        QCOMPARE(got.endTime, want.endTime);
        QCOMPARE(got.fileName, want.fileName);
        QCOMPARE(got.folder, want.folder);
        QCOMPARE(got.description, want.description);
    }
    if (separator == u',') {
        // And once more: the second file is the first, byte for byte.
        const QString again = m_dir.filePath(QStringLiteral("again"));
        QVERIFY(write(format, again, back.catalog, &error));
        QCOMPARE(readBytes(again), readBytes(path));
    }
}

void TestCatalogFiles::nativeBytes()
{
    CatalogData c = catalogOf(
        {bookmark(QStringLiteral("Basic step"), QStringLiteral("b"), QStringLiteral("7"), QStringLiteral("one\r\ntwo")),
         bookmark(QStringLiteral("Unset"), QStringLiteral(" "))});
    const QString path = m_dir.filePath(QStringLiteral("bytes.tvc"));
    QVERIFY(TVC_WriteCatalogFile(path, c, nullptr));
    QCOMPARE(readBytes(path), QByteArray("----- HEADER INFO -----\r\n"
                                         "Category\r\nName\r\nLearn\r\nRating\r\n"
                                         "----- END OF HEADER INFO -----\r\n"
                                         "Salsa\r\nBasic step\r\n"
                                         "00:01:05   00:01:29   \"videoclip 1.mpg\"   \"/home/user/Video Clips/\"\r\n"
                                         "b,7\r\none\r\ntwo\r\n--------------------@B@\r\n"
                                         "Salsa\r\nUnset\r\n"
                                         "00:01:05   00:01:29   \"videoclip 1.mpg\"   \"/home/user/Video Clips/\"\r\n"
                                         "x,x\r\n\r\n--------------------@B@\r\n"));
}

void TestCatalogFiles::spreadsheetBytes()
{
    Bookmark b = bookmark(QStringLiteral("Basic \"step\""), QStringLiteral("b"), QStringLiteral("10"),
                          QStringLiteral("one\r\ntwo"));
    CatalogData c = catalogOf({b, bookmark(QStringLiteral("Unset"))});
    const QString path = m_dir.filePath(QStringLiteral("bytes.csv"));
    QVERIFY(CSV_WriteCatalogFile(path, c, nullptr, u';'));
    QCOMPARE(readBytes(path),
             QByteArray("Category;Name;Learn;Rating;Start Time;End Time;Filename;Folder;Description\r\n"
                        "\"Salsa\";\"Basic \"\"step\"\"\";b;10; 00:01:05; 00:01:29;\"\"\"videoclip 1.mpg\"\"\";"
                        "\"\"\"/home/user/Video Clips/\"\"\";\"one\r\ntwo\"\r\n"
                        "\"Salsa\";\"Unset\";;; 00:01:05; 00:01:29;\"\"\"videoclip 1.mpg\"\"\";"
                        "\"\"\"/home/user/Video Clips/\"\"\";\"\"\r\n"));
}

// A quote in a file name or folder has no escape in either format: the save
// is refused with a message naming the bookmark, and the old file stays.
void TestCatalogFiles::quoteInLocationRefused_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<bool>("inFolder");
    QTest::newRow("tvc folder") << Format::Native << true;
    QTest::newRow("tvc file") << Format::Native << false;
    QTest::newRow("csv folder") << Format::Spreadsheet << true;
    QTest::newRow("csv file") << Format::Spreadsheet << false;
}

void TestCatalogFiles::quoteInLocationRefused()
{
    QFETCH(Format, format);
    QFETCH(bool, inFolder);
    Bookmark quoted = bookmark(QStringLiteral("Quoted"));
    if (inFolder)
        quoted.folder = QStringLiteral("/home/user/\"Best\" clips/");
    else
        quoted.fileName = QStringLiteral("the \"basic\".mp4");
    const QString path = m_dir.filePath(QStringLiteral("quoted"));
    QString error;
    QVERIFY(write(format, path, catalogOf({bookmark(QStringLiteral("Old"))}), &error));
    const QByteArray before = readBytes(path);
    QVERIFY(!write(format, path, catalogOf({bookmark(QStringLiteral("Plain")), quoted}), &error));
    QVERIFY2(error.contains(QStringLiteral("bookmark 2 (\"Quoted\")")), qPrintable(error));
    QCOMPARE(readBytes(path), before);
}

void TestCatalogFiles::emptyLearnChoice_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<QString>("learn");
    // The native file writes "x" for it; the spreadsheet file keeps the blank.
    QTest::newRow("tvc") << Format::Native << QString();
    QTest::newRow("csv") << Format::Spreadsheet << QStringLiteral(" ");
}

// The learn list's empty choice is a single space; either way it reads back
// as unset.
void TestCatalogFiles::emptyLearnChoice()
{
    QFETCH(Format, format);
    QFETCH(QString, learn);
    const QString path = m_dir.filePath(QStringLiteral("learn"));
    QVERIFY(write(format, path, catalogOf({bookmark(QStringLiteral("Basic"), QStringLiteral(" "))}), nullptr));
    const CatalogReadResult back = read(format, path);
    QVERIFY(back.complete);
    QCOMPARE(back.catalog.bookmarks.value(0).learn, learn);
    QCOMPARE(back.catalog.bookmarks.value(0).rating, QString());
}

void TestCatalogFiles::lineBreaksInOneLineFields_data()
{
    QTest::addColumn<Format>("format");
    QTest::newRow("tvc") << Format::Native;
    QTest::newRow("csv") << Format::Spreadsheet;
}

// A line break in a field of one line would tear the file apart. In a
// title, category or name (none can be typed there) it is written as a space
// and the bookmarks after it stay whole; in a clip's file name or folder it
// would name another clip, and the save is refused.
void TestCatalogFiles::lineBreaksInOneLineFields()
{
    QFETCH(Format, format);
    Bookmark broken = bookmark(QStringLiteral("two\nlines"), QStringLiteral("a"), QStringLiteral("3"),
                               QStringLiteral("kept\r\nas lines"));
    broken.category = QStringLiteral("Salsa\r\nCuban");
    const Bookmark next = bookmark(QStringLiteral("Next"), QStringLiteral("b"), QStringLiteral("4"));
    CatalogData c = catalogOf({broken, next});
    c.nameHeader = QStringLiteral("Figure\nname");

    const QString path = m_dir.filePath(QStringLiteral("breaks"));
    QVERIFY(write(format, path, c, nullptr));
    const CatalogReadResult back = read(format, path);
    QVERIFY(back.complete);
    QCOMPARE(back.catalog.nameHeader, QStringLiteral("Figure name"));
    QCOMPARE(back.catalog.bookmarks.size(), 2);
    Bookmark mended = broken;
    mended.category = QStringLiteral("Salsa Cuban");
    mended.name = QStringLiteral("two lines");
    QCOMPARE(back.catalog.bookmarks[0], mended);
    QCOMPARE(back.catalog.bookmarks[1], next);

    for (const bool inFolder : {false, true}) {
        CatalogData clip = catalogOf({next, broken});
        (inFolder ? clip.bookmarks[1].folder : clip.bookmarks[1].fileName) = QStringLiteral("a\nb");
        const QString refused = m_dir.filePath(QStringLiteral("refused"));
        QString error;
        QVERIFY(!write(format, refused, clip, &error));
        QVERIFY(!QFile::exists(refused));
        QVERIFY2(error.contains(QStringLiteral("The clip of bookmark 2 (\"two\nlines\") has a line break")),
                 qPrintable(error));
    }
}

void TestCatalogFiles::missingOrUnreadableFile_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<QString>("name");
    QTest::addColumn<CatalogFileAccess>("access");
    QTest::addColumn<QString>("reason");
    for (const Format f : {Format::Native, Format::Spreadsheet}) {
        const char* fn = f == Format::Native ? "tvc" : "csv";
        QTest::addRow("%s: missing", fn) << f << QStringLiteral("missing") << CatalogFileAccess::Missing << QString();
        QTest::addRow("%s: a folder", fn) << f << QStringLiteral("folder") << CatalogFileAccess::Refused
                                          << QStringLiteral("it is a folder, not a file");
        QTest::addRow("%s: a named pipe", fn) << f << QStringLiteral("pipe") << CatalogFileAccess::Refused
                                              << QStringLiteral("it is a named pipe, not a file");
        QTest::addRow("%s: a device", fn) << f << QStringLiteral("/dev/zero") << CatalogFileAccess::Refused
                                          << QStringLiteral("it is a device, not a file");
        QTest::addRow("%s: too large", fn) << f << QStringLiteral("large") << CatalogFileAccess::Refused
                                           << QStringLiteral("it is 64.1 MiB, more than the 64 MiB");
        QTest::addRow("%s: a folder that does not answer", fn)
            << f << QStringLiteral("/share/moves.tvc") << CatalogFileAccess::Refused
            << QStringLiteral("its folder does not answer");
        // A file by its kind and size whose reading fails.
        QTest::addRow("%s: a read error", fn) << f << QStringLiteral("/proc/self/mem") << CatalogFileAccess::Refused
                                              << QStringLiteral("it could not be read (");
    }
}

// A missing file gives the reset grid without a message. One that is no
// plain file, or too large, is not opened; one that cannot be read is
// refused with the system's reason. Either way nothing is read.
void TestCatalogFiles::missingOrUnreadableFile()
{
    QFETCH(Format, format);
    QFETCH(QString, name);
    QFETCH(CatalogFileAccess, access);
    QFETCH(QString, reason);
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder")));
    const QString path = name.startsWith(u'/') ? name : m_dir.filePath(name);
    if (name == u"pipe" && !QFile::exists(path))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    if (name == u"large") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(kMaxCatalogFileBytes + 100 * 1024)); // sparse
    }
    CatalogData titles;
    titles.categoryHeader = QStringLiteral("Style");
    titles.ratingHeader = QStringLiteral("Stars");
    const HeldBackFolder share(QStringLiteral("/share/"));
    const CatalogReadResult r =
        format == Format::Native ? TVC_ReadCatalogFile(path, titles) : CSV_ReadCatalogFile(path, titles);
    QCOMPARE(r.access, access);
    if (reason.isEmpty())
        QCOMPARE(r.message, QString());
    else
        QVERIFY2(r.message.startsWith(
                     QStringLiteral("The video catalog \"%1\" was not opened:\n").arg(QFileInfo(path).fileName())) &&
                     r.message.contains(reason) &&
                     r.message.endsWith(QStringLiteral("\n\nFolder: ") + QFileInfo(path).absolutePath() + u'/'),
                 qPrintable(r.message));
    QVERIFY(!r.complete);
    QCOMPARE(r.catalog, titles);
}

void TestCatalogFiles::valueComesBackOrIsRefused_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<CatalogData>("catalog");
    QTest::addColumn<QString>("refusal"); // empty: comes back the same

    const auto one = [](const std::function<void(Bookmark&)>& change) {
        Bookmark b = bookmark(QStringLiteral("Ocho"), QStringLiteral("b"), QStringLiteral("7"));
        change(b);
        return catalogOf({bookmark(QStringLiteral("First")), b, bookmark(QStringLiteral("Last"))});
    };
    const CatalogData separatorLine =
        one([](Bookmark& b) { b.description = QStringLiteral("before\r\n--------------------@B@\r\nafter"); });
    const CatalogData commaRating = one([](Bookmark& b) { b.rating = QStringLiteral("7,5"); });
    const CatalogData commaLevel = one([](Bookmark& b) { b.learn = QStringLiteral(","); });
    const CatalogData quoteInTime = one([](Bookmark& b) { b.endTime = QStringLiteral("00:01\"29"); });
    const CatalogData emoji = one([](Bookmark& b) { b.learn = QString::fromUtf8("😀"); });
    const CatalogData quoteMarks = one([](Bookmark& b) {
        b.learn = QStringLiteral("\"");
        b.rating = QStringLiteral("\"7\"");
    });
    CatalogData titles = one([](Bookmark&) {});
    titles.categoryHeader = QString();
    titles.nameHeader = QStringLiteral("Name, or \"figure\"");
    titles.learnHeader = QStringLiteral("Level;step");
    titles.ratingHeader = QString(QChar::ByteOrderMark) + QStringLiteral("Stars");
    CatalogData firstTitle = titles;
    firstTitle.categoryHeader = QString(QChar::ByteOrderMark) + QStringLiteral("Style");
    const CatalogData separatorInMarks = one([](Bookmark& b) {
        b.rating = QStringLiteral("7;8");
        b.startTime = QStringLiteral("0;1");
    });

    const QString tvcRefused =
        QStringLiteral("The \".tvc\" version of this file could not be saved.\nBookmark 2 (\"Ocho\")");
    QTest::newRow("tvc: separator line in a description")
        << Format::Native << QChar(u',') << separatorLine << tvcRefused + " has a description line that is the block";
    QTest::newRow("csv: separator line in a description")
        << Format::Spreadsheet << QChar(u',') << separatorLine << QString();
    QTest::newRow("tvc: comma in a rating")
        << Format::Native << QChar(u',') << commaRating << tvcRefused + " has a comma in its rating";
    QTest::newRow("csv: comma in a rating") << Format::Spreadsheet << QChar(u',') << commaRating << QString();
    QTest::newRow("tvc: comma as level") << Format::Native << QChar(u',') << commaLevel
                                         << tvcRefused + " has a comma as its level";
    QTest::newRow("csv: comma as level") << Format::Spreadsheet << QChar(u',') << commaLevel << QString();
    QTest::newRow("tvc: double quote in a time")
        << Format::Native << QChar(u',') << quoteInTime << tvcRefused + " has a double quote or a line break";
    QTest::newRow("csv: double quote in a time") << Format::Spreadsheet << QChar(u',') << quoteInTime << QString();
    for (const Format f : {Format::Native, Format::Spreadsheet}) {
        const char* fn = f == Format::Native ? "tvc" : "csv";
        QTest::addRow("%s: a level beyond the 16-bit letters", fn) << f << QChar(u',') << emoji << QString();
        QTest::addRow("%s: double quotes as level and rating", fn) << f << QChar(u',') << quoteMarks << QString();
        QTest::addRow("%s: titles empty, with quotes and separators", fn) << f << QChar(u',') << titles << QString();
        QTest::addRow("%s: a first title that begins with a byte order mark", fn)
            << f << QChar(u';') << firstTitle << QString();
    }
    QTest::newRow("csv: the separator in a rating and a time")
        << Format::Spreadsheet << QChar(u';') << separatorInMarks << QString();
}

// Whatever a file is asked to hold comes back the same after a save and an
// open, or the save is refused with a message naming the bookmark, and
// nothing is written.
void TestCatalogFiles::valueComesBackOrIsRefused()
{
    QFETCH(Format, format);
    QFETCH(QChar, separator);
    QFETCH(CatalogData, catalog);
    QFETCH(QString, refusal);
    const QString path = m_dir.filePath(QStringLiteral("values"));
    QFile::remove(path);
    QString error;
    const bool written = write(format, path, catalog, &error, separator);
    if (!refusal.isEmpty()) {
        QVERIFY(!written);
        QVERIFY2(error.startsWith(refusal), qPrintable(error));
        QVERIFY(!QFile::exists(path));
        return;
    }
    QVERIFY2(written, qPrintable(error));
    // A time that is no time is named as a line not read whole, but kept.
    const CatalogReadResult back = read(format, path, separator);
    QVERIFY(back.complete);
    QCOMPARE(back.catalog, catalog);
}

QTEST_GUILESS_MAIN(TestCatalogFiles)
#include "TestCatalogFiles.moc"
