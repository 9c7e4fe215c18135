#include "core/catalog/CatalogDocument.h"
#include "core/catalog/ClipImport.h"

#include <QtTest>

using namespace BookmarkColumn;

class TestClipImport : public QObject {
    Q_OBJECT

private slots:
    void names_data();
    void names();
    void rowsInImportOrder();
    void appendsBelowExistingBookmarks();
};

void TestClipImport::names_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("three letters") << "/clips/Salsa turn.avi"
                                   << "Salsa turn";
    QTest::newRow("mpeg keeps a dot") << "/clips/step.mpeg"
                                      << "step.";
    QTest::newRow("text file") << "/notes/readme.txt"
                               << "readme";
    QTest::newRow("short") << "/x/ab"
                           << "";
}

void TestClipImport::names()
{
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(ClipImport::bookmarkName(path), name);
}

void TestClipImport::rowsInImportOrder()
{
    CatalogDocument doc;
    doc.ResetBookmarksGrid({});
    QSignalSpy modified(&doc, &CatalogDocument::modifiedChanged);
    const QStringList names = ClipImport::appendBookmarks(doc, {"/v/b.avi", "/v/A.mpg", "/u/c.mov"});
    // Whole paths are sorted: the folder counts first.
    QCOMPARE(names, (QStringList{"c", "A", "b"}));
    QCOMPARE(doc.RowCount(), 4); // the blank first row took the first clip
    const QStringList row1{"1", "", "c", "", "", "", "00:00:00", "--:--:--", "c.mov", "/u/", ""};
    for (int c = Number; c <= Description; ++c)
        QCOMPARE(doc.Cells(c, 1), row1[c - 1]);
    QCOMPARE(doc.Cells(Number, 2), QStringLiteral("2"));
    QCOMPARE(doc.Cells(Filename, 2), QStringLiteral("A.mpg"));
    QCOMPARE(doc.Cells(Folder, 3), QStringLiteral("/v/"));
    QVERIFY(!doc.BlankFirstRow());
    QCOMPARE(modified.size(), 1);
    QVERIFY(doc.CatalogModified());
}

void TestClipImport::appendsBelowExistingBookmarks()
{
    CatalogDocument doc;
    doc.ResetBookmarksGrid({});
    ClipImport::appendBookmarks(doc, {"/v/first.avi"});
    ClipImport::appendBookmarks(doc, {"/v/Zeta.avi", "/v/alpha.avi"});
    QCOMPARE(doc.RowCount(), 4);
    QCOMPARE(doc.Cells(Name, 1), QStringLiteral("first"));
    QCOMPARE(doc.Cells(Name, 2), QStringLiteral("alpha"));
    QCOMPARE(doc.Cells(Name, 3), QStringLiteral("Zeta"));
    QCOMPARE(doc.Cells(Number, 3), QStringLiteral("3"));
}

QTEST_GUILESS_MAIN(TestClipImport)
#include "TestClipImport.moc"
