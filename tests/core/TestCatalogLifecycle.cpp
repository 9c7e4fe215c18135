// The catalog as a document over fake views: new and close, and the clips a
// catalog file cannot hold, refused at saving by the bookmark's own number
// and warned about when they are imported; importing waits for play all;
// the files kept beside a catalog are never opened or saved as one.
#include "CatalogFakes.h"
#include "FileBytes.h"
#include "ScriptedPrompt.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace BookmarkColumn;

class TestCatalogLifecycle : public QObject {
    Q_OBJECT

private slots:
    void newAndClose();
    void savingRefusesADoubleQuoteByTheBookmarksNumber();
    void importingWarnsAboutADoubleQuote();
    void nothingIsImportedWhileAllBookmarksPlay();
    void theFilesBesideACatalogAreNoCatalogs_data();
    void theFilesBesideACatalogAreNoCatalogs();

private:
    QTemporaryDir dir;
    QString clips() const { return dir.path() + QStringLiteral("/clips/"); }
};

void TestCatalogLifecycle::newAndClose()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.main.columns.showCategory = true;
    CatalogLifecycle& life = rig.controllers.lifecycle;
    life.NewButtonClick();
    QCOMPARE(rig.document.CatalogMode(), CatalogDocument::Mode::New);
    QVERIFY(rig.window.shown);
    QVERIFY(!rig.window.gridShown); // until the first bookmark
    QVERIFY(rig.window.repeatsButton);
    QVERIFY(rig.main.indicatorsShown);
    QCOMPARE(rig.grid.column, int(Category));
    QCOMPARE(rig.grid.row, 1);
    QVERIFY(rig.document.BlankFirstRow());

    rig.load(clips(), 2);
    rig.controllers.grid.toggleSorting();
    life.CloseButtonClick();
    QCOMPARE(rig.document.CatalogMode(), CatalogDocument::Mode::Closed);
    QVERIFY(!rig.window.shown);
    QVERIFY(!rig.main.indicatorsShown);
    QVERIFY(rig.main.loopList.isEmpty());
    QCOMPARE(rig.window.sortingCaption, QStringLiteral("turn on sorting"));
    QVERIFY(!rig.document.SortingOn());
    QVERIFY(prompt.messages().isEmpty());
}

void TestCatalogLifecycle::savingRefusesADoubleQuoteByTheBookmarksNumber()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    const QString path = dir.path() + QStringLiteral("/quote.tvc");
    rig.load(clips(), 3, path);
    rig.controllers.grid.BookmarksGridRowMoved(3, 1); // bookmark 3 on row 1
    rig.document.setCells(Folder, 1, clips() + QStringLiteral("\"best\"/"));
    QVERIFY(!rig.controllers.lifecycle.DoSave());
    QCOMPARE(prompt.messages(),
             QStringList{"The catalog could not be saved.\nThe clip of bookmark 3 (\"n3\") has a double quote in its "
                         "file name or folder,\nwhich a catalog file cannot hold.\nPlease rename the clip or its "
                         "folder, relink the bookmark, and try again."});
    QVERIFY(!QFile::exists(path));
    QVERIFY(rig.document.CatalogModified());
}

void TestCatalogLifecycle::importingWarnsAboutADoubleQuote()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 1);
    const QStringList dropped = {clips() + QStringLiteral("b \"quoted\".mp4"), clips() + QStringLiteral("a.mp4"),
                                 clips() + QStringLiteral("c \"too\".mp4")};
    QVERIFY(rig.controllers.lifecycle.ImportMultipleClips(&dropped));
    QCOMPARE(rig.column(Name), QStringList({"n1", "a", "b \"quoted\"", "c \"too\""}));
    QCOMPARE(prompt.messages().size(), 1);
    QVERIFY(prompt.lastMessage().startsWith(
        QStringLiteral("The clips of bookmarks 3, 4 have a double quote in their file name or folder")));
    QCOMPARE(rig.grid.row, 4);
    QCOMPARE(rig.main.loopList.size(), 4);
}

void TestCatalogLifecycle::nothingIsImportedWhileAllBookmarksPlay()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 2);
    rig.controllers.playing.togglePlayAll();
    QVERIFY(rig.controllers.playing.PlayingAll());
    const QStringList dropped = {clips() + QStringLiteral("new.mp4")};
    rig.controllers.lifecycle.ImportMultipleClips(&dropped);
    rig.controllers.lifecycle.ImportMultipleClips();
    QCOMPARE(rig.document.RowCount(), 3);
    QVERIFY(rig.controllers.playing.PlayingAll());
    QCOMPARE(prompt.unscriptedCount(), 0); // no dialog was shown
}

void TestCatalogLifecycle::theFilesBesideACatalogAreNoCatalogs_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("a practice log") << "steps.tvc.log.csv";
    QTest::newRow("a spreadsheet catalog's log") << "steps.csv.log.csv";
    QTest::newRow("a views file") << "steps.tvc.views.json";
}

// The practice log ends in ".csv" like a spreadsheet catalog: opened as
// one and saved, it would be lost.
void TestCatalogLifecycle::theFilesBesideACatalogAreNoCatalogs()
{
    QFETCH(QString, name);
    ScriptedPrompt prompt;
    CatalogRig rig;
    const QString catalog = dir.path() + QStringLiteral("/steps.tvc");
    rig.load(clips(), 2, catalog);
    const QString companion = dir.path() + u'/' + name;
    const QByteArray bytes("Began,Category,Name,Passes,Seconds,Slowest,Fastest\n");
    QVERIFY(writeFileBytes(companion, bytes));

    prompt.queueFileName(companion);
    QVERIFY(!rig.controllers.lifecycle.OpenButtonClick(CatalogLifecycle::Caller::MainWindow));
    QCOMPARE(rig.document.CatalogFileName(), catalog);
    QCOMPARE(prompt.messages().size(), 1);
    QVERIFY2(prompt.lastMessage().startsWith(name + QStringLiteral(" is not a catalog")),
             qPrintable(prompt.lastMessage()));

    if (name.endsWith(QStringLiteral(".csv"))) {
        prompt.queueFileName(companion);
        QVERIFY(!rig.controllers.lifecycle.DoSaveAs());
        QCOMPARE(prompt.messages().size(), 2);
        QCOMPARE(rig.document.CatalogFileName(), catalog);
    }
    QCOMPARE(fileBytes(companion), bytes);
}

QTEST_GUILESS_MAIN(TestCatalogLifecycle)
#include "TestCatalogLifecycle.moc"
