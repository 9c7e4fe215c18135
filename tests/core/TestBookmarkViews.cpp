// What is kept with the bookmarks beside the catalog file: the zoom each
// bookmark's loop was looked at with, in "<catalog>.views.json", given back
// when the bookmark plays; the file kept whole when it cannot be read, and
// carried along when the catalog is saved under another name.
#include "CatalogFakes.h"
#include "FileBytes.h"
#include "ScriptedPrompt.h"

#include "core/catalog/BookmarkViews.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

using namespace BookmarkColumn;

namespace {

const ZoomView kFeet{4, QPointF(0.3, 0.7)};

} // namespace

class TestBookmarkViews : public QObject {
    Q_OBJECT

private slots:
    void init();
    void aBookmarkPlaysWithTheZoomKeptForIt();
    void zoomingWhileABookmarksLoopIsInTheBoxesKeepsIt_data();
    void zoomingWhileABookmarksLoopIsInTheBoxesKeepsIt();
    void theFileKeepsWhatItDoesNotKnow();
    void aFileThatCannotBeReadIsLeftAsItIs_data();
    void aFileThatCannotBeReadIsLeftAsItIs();
    void aNewCatalogTakesItsZoomsToItsFirstFile();
    void savedUnderAnotherNameTheZoomsFollow();
    void keptZoomsAreHeldInsideThePicture();

private:
    QTemporaryDir dir;
    QString clips() const { return dir.path() + QStringLiteral("/clips/"); }
    QString catalog(const QString& name = QStringLiteral("steps.tvc")) const { return dir.filePath(name); }
};

// Each test starts with no views file beside any of its catalogs.
void TestBookmarkViews::init()
{
    for (const char* name : {"steps.tvc", "first.tvc", "copy.tvc"})
        QFile::remove(BookmarkViewsFile::pathFor(catalog(QLatin1String(name))));
}

void TestBookmarkViews::aBookmarkPlaysWithTheZoomKeptForIt()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 3, catalog());
    rig.controllers.views.keepZoomOfRow(2, kFeet);
    QVERIFY(QFile::exists(BookmarkViewsFile::pathFor(catalog())));

    rig.controllers.grid.goToCell(Play, 2);
    rig.controllers.grid.activateCell(2, Play);
    QCOMPARE(rig.main.zoomShown, std::optional<ZoomView>(kFeet));
    // One without a kept zoom plays whole, whatever the picture showed.
    rig.controllers.grid.goToCell(Play, 1);
    rig.controllers.grid.activateCell(1, Play);
    QCOMPARE(rig.main.zoomShown, std::optional<ZoomView>(ZoomView{}));

    // Renamed, or with its row moved, it is the same loop and keeps it.
    rig.document.setCells(Name, 2, QStringLiteral("basic step"));
    rig.document.moveRow(2, 3);
    const int moved = rig.column(Name).indexOf(QStringLiteral("basic step")) + 1;
    QVERIFY(moved != 2);
    rig.controllers.grid.goToCell(Play, moved);
    rig.controllers.grid.activateCell(moved, Play);
    QCOMPARE(rig.main.zoomShown, std::optional<ZoomView>(kFeet));

    // Whole again, it is no longer kept.
    rig.controllers.views.keepZoomOfRow(moved, ZoomView{});
    QCOMPARE(rig.controllers.views.zoomOfRow(moved), ZoomView{});
    QVERIFY(prompt.messages().isEmpty());
}

void TestBookmarkViews::zoomingWhileABookmarksLoopIsInTheBoxesKeepsIt_data()
{
    QTest::addColumn<QString>("clip");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<bool>("kept");
    QTest::newRow("the bookmark's loop") << "clip 2.mp4"
                                         << "000011"
                                         << "000111" << true;
    QTest::newRow("another start") << "clip 2.mp4"
                                   << "000012"
                                   << "000111" << false;
    QTest::newRow("to the clip's end") << "clip 2.mp4"
                                       << "000011"
                                       << "" << false;
    QTest::newRow("another clip") << "clip 1.mp4"
                                  << "000011"
                                  << "000111" << false;
    QTest::newRow("the same name in another folder") << "../other/clip 2.mp4"
                                                     << "000011"
                                                     << "000111" << false;
}

void TestBookmarkViews::zoomingWhileABookmarksLoopIsInTheBoxesKeepsIt()
{
    QFETCH(QString, clip);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(bool, kept);
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 2, catalog());
    rig.controllers.views.pictureZoomed(kFeet, clips() + clip, start, end);
    QCOMPARE(rig.controllers.views.zoomOfRow(2), kept ? kFeet : ZoomView{});
    QCOMPARE(rig.controllers.views.zoomOfRow(1), ZoomView{});
    QCOMPARE(QFile::exists(BookmarkViewsFile::pathFor(catalog())), kept);
}

void TestBookmarkViews::theFileKeepsWhatItDoesNotKnow()
{
    ScriptedPrompt prompt;
    const QString path = BookmarkViewsFile::pathFor(catalog());
    // Another run (or a later version) kept more with a loop, and an entry
    // for a bookmark of another clip.
    QVERIFY(writeFileBytes(path, R"({"format": "Tempoloop bookmark views", "version": 1, "bookmarks": [
        {"clip": "clip 1.mp4", "start": "00:00:10", "end": "00:01:10", "take": {"file": "me.mp4"}},
        {"clip": "other.mp4", "start": "00:00:01", "end": "00:00:02", "zoom": {"level": 2, "x": 0.5, "y": 0.5}}
    ]})"));
    CatalogRig rig;
    rig.load(clips(), 1, catalog());
    rig.controllers.views.keepZoomOfRow(1, kFeet);

    const BookmarkViewsFile::ReadResult read = BookmarkViewsFile::read(path);
    QCOMPARE(read.access, BookmarkViewsFile::Access::Read);
    QCOMPARE(read.entries.size(), 2);
    const QJsonObject mine = read.entries.value(BookmarkViewsFile::keyOf("clip 1.mp4", "000010", "000110"));
    QCOMPARE(mine.value("take").toObject().value("file").toString(), QStringLiteral("me.mp4"));
    QCOMPARE(BookmarkViewsFile::zoomOf(mine), kFeet);
    // Whole again, the entry keeps what else it held.
    rig.controllers.views.keepZoomOfRow(1, ZoomView{});
    QVERIFY(BookmarkViewsFile::read(path).entries.first().contains("take"));
    QVERIFY(prompt.messages().isEmpty());
}

void TestBookmarkViews::aFileThatCannotBeReadIsLeftAsItIs_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("not JSON") << QByteArray("{\"format\": \"Tempoloop bookmark views\", \"bookm");
    QTest::newRow("another program's JSON") << QByteArray(R"({"bookmarks": []})");
    QTest::newRow("a newer version") << QByteArray(R"({"format": "Tempoloop bookmark views", "version": 9})");
}

void TestBookmarkViews::aFileThatCannotBeReadIsLeftAsItIs()
{
    QFETCH(QByteArray, bytes);
    ScriptedPrompt prompt;
    const QString path = BookmarkViewsFile::pathFor(catalog());
    QVERIFY(writeFileBytes(path, bytes));
    CatalogRig rig;
    rig.load(clips(), 2, catalog());
    rig.controllers.views.keepZoomOfRow(1, kFeet);
    rig.controllers.views.keepZoomOfRow(2, kFeet);
    QCOMPARE(fileBytes(path), bytes);
    // Told once, not at every zoom.
    QCOMPARE(prompt.messages().size(), 1);
    QVERIFY(prompt.messages().first().contains(path));
    QCOMPARE(rig.controllers.views.zoomOfRow(1), ZoomView{});
}

void TestBookmarkViews::aNewCatalogTakesItsZoomsToItsFirstFile()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 2, catalog());
    rig.document.setCatalogMode(CatalogDocument::Mode::New);
    rig.document.setCatalogFileName({});
    rig.controllers.views.keepZoomOfRow(2, kFeet);
    QCOMPARE(rig.controllers.views.zoomOfRow(2), kFeet);

    const QString first = catalog(QStringLiteral("first.tvc"));
    rig.document.setCatalogMode(CatalogDocument::Mode::OnFile);
    rig.document.setCatalogFileName(first);
    rig.controllers.views.catalogSavedAs({}, first);
    QCOMPARE(BookmarkViewsFile::zoomOf(BookmarkViewsFile::read(BookmarkViewsFile::pathFor(first)).entries.first()),
             kFeet);

    // A new catalog after it starts with none.
    rig.document.setCatalogMode(CatalogDocument::Mode::New);
    rig.document.setCatalogFileName({});
    QCOMPARE(rig.controllers.views.zoomOfRow(2), ZoomView{});
}

void TestBookmarkViews::savedUnderAnotherNameTheZoomsFollow()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 2, catalog());
    rig.controllers.views.keepZoomOfRow(1, kFeet);
    const QString copy = catalog(QStringLiteral("copy.tvc"));
    rig.controllers.views.catalogSavedAs(catalog(), copy);
    rig.document.setCatalogFileName(copy);
    QCOMPARE(rig.controllers.views.zoomOfRow(1), kFeet);
    // The first catalog keeps its own.
    QCOMPARE(BookmarkViewsFile::read(BookmarkViewsFile::pathFor(catalog())).entries.size(), 1);
}

void TestBookmarkViews::keptZoomsAreHeldInsideThePicture()
{
    QJsonObject entry;
    QVERIFY(BookmarkViewsFile::setZoom(entry, ZoomView{30, QPointF(2.0, -1.0)}));
    const ZoomView held = BookmarkViewsFile::zoomOf(entry);
    QCOMPARE(held.level, PictureZoom::MaxLevel);
    PictureZoom zoom;
    zoom.show(held);
    QVERIFY(QRectF(0, 0, 1, 1).contains(zoom.visible()));
    QCOMPARE(zoom.visible().topRight().x(), 1.0);
    QCOMPARE(zoom.visible().top(), 0.0);
}

QTEST_GUILESS_MAIN(TestBookmarkViews)
#include "TestBookmarkViews.moc"
