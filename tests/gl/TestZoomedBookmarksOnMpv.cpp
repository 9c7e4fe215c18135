// Bookmarks keep the zoom they were looked at with, through the whole
// program on libmpv: a bookmark made zoomed in, saved, plays zoomed again
// after another clip was shown whole; zooming out while its loop is in the
// boxes keeps that instead; the catalog file itself is never written for it.
#include "AppFixture.h"
#include "FileBytes.h"
#include "RedBlueClip.h"

#include "core/catalog/BookmarkMaking.h"
#include "core/catalog/BookmarkViews.h"
#include "core/catalog/CatalogControllers.h"
#include "gui/input/Keyboard.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

const QString demoClip = QStringLiteral(TEMPOLOOP_DEMO_CLIP);

ZoomView keptZoom(const QString& catalog)
{
    const BookmarkViewsFile::ReadResult read = BookmarkViewsFile::read(BookmarkViewsFile::pathFor(catalog));
    return read.entries.isEmpty() ? ZoomView{} : BookmarkViewsFile::zoomOf(read.entries.first());
}

} // namespace

class TestZoomedBookmarksOnMpv : public QObject {
    Q_OBJECT

    std::unique_ptr<AppFixture> app;

    TActiveMovie* movie() const { return app->main()->playerWidget(); }
    ZoomView shown() const { return movie()->pictureZoom(); }
    CatalogControllers& catalog() const { return *app->startup->catalog(); }
    bool openAndLoad(const QString& path)
    {
        QSignalSpy loaded(app->player(), &MediaPlayerControl::loadFinished);
        if (!app->startup->storedLoopView().StartVideoClip(path))
            return false;
        return QTest::qWaitFor([&] { return loaded.count() > 0; }, 10000);
    }

private slots:
    void init()
    {
        app = std::make_unique<AppFixture>();
        app->makeRealEngine = [] {
            return new MpvEngine(MpvEngineOptions{QStringLiteral("libmpv"), QStringLiteral("null")});
        };
        QVERIFY(app->startWithSettings({QStringLiteral("Beginner_Mode: 0")}));
        QVERIFY(QTest::qWaitForWindowExposed(app->main()));
        QVERIFY(openAndLoad(redblue::clip));
    }
    void cleanup() { app.reset(); }

    void aBookmarkPlaysZoomedAsItWasMade()
    {
        for (int i = 0; i < 3; ++i)
            movie()->zoomPicture(ZoomStep::In);
        const ZoomView zoomed = shown();
        QCOMPARE(zoomed.level, 3);

        // A quick bookmark starts a new catalog, which is then saved.
        app->keyboard()->bookmarkMaking->makeQuickBookmark();
        const QString path = app->userDir.filePath(QStringLiteral("zoomed.tvc"));
        app->prompt.queueFileName(path);
        QVERIFY(catalog().lifecycle.DoSaveAs());
        QCOMPARE(keptZoom(path), zoomed);
        const QByteArray saved = fileBytes(path);
        QVERIFY(!saved.isEmpty());

        // Another clip opens whole; the bookmark plays zoomed again, once
        // its clip has loaded.
        QVERIFY(openAndLoad(demoClip));
        QVERIFY(shown().isWhole());
        catalog().playing.playSelectedBookmarkButtonClick(1);
        QTRY_VERIFY_WITH_TIMEOUT(app->loops()->LoopIsPlaying(), 10000);
        QCOMPARE(app->player()->FileName(), redblue::clip);
        QCOMPARE(shown(), zoomed);

        // Zoomed out while its loop plays: the whole picture is kept now.
        movie()->showWholePicture();
        QCOMPARE(keptZoom(path), ZoomView{});
        movie()->zoomPicture(ZoomStep::In);
        QCOMPARE(keptZoom(path).level, 1);
        QCOMPARE(fileBytes(path), saved);
        QVERIFY2(app->prompt.messages().isEmpty(), qPrintable(app->prompt.messages().join(u'\n')));
    }
};

QTEST_MAIN(TestZoomedBookmarksOnMpv)
#include "TestZoomedBookmarksOnMpv.moc"
