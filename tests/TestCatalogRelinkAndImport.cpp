// The catalog window against the file system: relinking bookmarks whose clip
// moved, after the open dialog and at start-up with a catalog argument, and
// importing clips through the import dialog and by dropping files.
#include "BookmarksOnClips.h"
#include "CatalogFixture.h"
#include "Controls.h"
#include "core/catalog/Relinking.h"
#include "core/playback/ClipLoader.h"
#include "gui/options/TOptionsForm.h"
#include "gui/widgets/TColourButton.h"

#include <QAction>
#include <QComboBox>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

using namespace BookmarkColumn;
using Answer = Prompt::Answer;

namespace {

QStringList comboItems(QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

} // namespace

class TestCatalogRelinkAndImport : public QObject {
    Q_OBJECT

private slots:
    void openRelinksThreeBookmarksOfOneClip();
    void startupArgumentRelinksAMovedFolder();
    void openFindsAMovedClipBySearching();
    void importThroughTheDialog();
    void importCancelled();
    void dropFilesOnTheCatalogWindow();
};

void TestCatalogRelinkAndImport::openRelinksThreeBookmarksOfOneClip()
{
    CatalogFixture f;
    QVERIFY(f.start());
    const QString old = f.clipFolder() + "old/";
    const QString renamed = f.makeClip("renamed.mp4", f.clipFolder() + "new/");
    const QString path = f.catalogFolder() + "moves.tvc";
    QVERIFY(TVC_WriteCatalogFile(path, bookmarksOn({{"lesson.mp4", old}, {"lesson.mp4", old}, {"lesson.mp4", old}}),
                                 nullptr));

    f.prompt.queueFileName(path);
    f.prompt.queueAnswer(Answer::Yes); // try to find it
    f.prompt.queueAnswer(Answer::Ok);
    f.prompt.queueFileName(renamed);
    f.prompt.queueAnswer(Answer::Yes); // the right file
    f.prompt.queueAnswer(Answer::Yes); // everywhere else
    QVERIFY(f.rules().lifecycle.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow));

    QCOMPARE(f.prompt.unscriptedCount(), 0);
    QCOMPARE(f.prompt.messages().size(), 4);
    const auto& dialog = f.prompt.shown().at(3);
    QCOMPARE(dialog.kind, QStringLiteral("open"));
    QCOMPARE(dialog.filter, ClipLoader::clipFilter());
    QCOMPARE(dialog.folder, f.windows().OptionsForm->defaultVideoDirectoryText());
    QCOMPARE(f.column(Filename), QStringList(3, "renamed.mp4"));
    QCOMPARE(f.column(Folder), QStringList(3, f.clipFolder() + "new/"));
    QVERIFY(f.doc()->CatalogModified());
    QVERIFY(f.form()->windowTitle().endsWith("[MODIFIED]"));
    // The file itself is untouched until the user saves.
    QCOMPARE(TVC_ReadCatalogFile(path, {}).catalog.bookmarks.value(2).folder, old);
}

void TestCatalogRelinkAndImport::openFindsAMovedClipBySearching()
{
    CatalogFixture f;
    QVERIFY(f.start());
    const QString old = f.clipFolder() + "old/";
    const QString found = f.makeClip("Lesson.MP4", f.clipFolder() + "library/salsa/");
    const QString path = f.catalogFolder() + "search.tvc";
    QVERIFY(TVC_WriteCatalogFile(path, bookmarksOn({{"lesson.mp4", old}, {"lesson.mp4", old}}), nullptr));

    f.prompt.queueFileName(path);
    f.prompt.queueAnswer(Answer::Yes);   // try to find it
    f.prompt.queueAnswer(Answer::Other); // search a folder
    f.prompt.queueFileName(f.clipFolder() + "library");
    f.prompt.queueAnswer(Answer::Yes); // the file found
    f.prompt.queueAnswer(Answer::No);  // not the whole folder
    QVERIFY(f.rules().lifecycle.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow));

    QCOMPARE(f.prompt.unscriptedCount(), 0);
    const auto& picker = f.prompt.shown().at(3);
    QCOMPARE(picker.kind, QStringLiteral("folder"));
    QCOMPARE(picker.folder, f.windows().OptionsForm->defaultVideoDirectoryText());
    QCOMPARE(f.column(Filename), QStringList(2, "Lesson.MP4"));
    QCOMPARE(f.column(Folder), QStringList(2, Relinking::locationOf(found).folder));
    QVERIFY(f.form()->windowTitle().endsWith("[MODIFIED]"));
}

void TestCatalogRelinkAndImport::startupArgumentRelinksAMovedFolder()
{
    CatalogFixture f;
    const QString old = f.clipFolder() + "old/";
    const QString now = f.clipFolder() + "moved/";
    f.makeClip("a.mp4", now);
    f.makeClip("b.mp4", now);
    const QString path = f.catalogFolder() + "folder.tvc";
    QVERIFY(TVC_WriteCatalogFile(path, bookmarksOn({{"a.mp4", old}, {"gone.mp4", old}, {"b.mp4", old}}), nullptr));

    f.prompt.queueAnswer(Answer::Yes);
    f.prompt.queueAnswer(Answer::Ok);
    f.prompt.queueFileName(now + "a.mp4");
    f.prompt.queueAnswer(Answer::Yes);
    f.prompt.queueAnswer(Answer::Yes);    // the whole folder moved
    f.prompt.queueAnswer(Answer::Cancel); // gone.mp4 is nowhere
    QVERIFY(f.start({path}));

    QCOMPARE(f.prompt.unscriptedCount(), 0);
    QCOMPARE(f.prompt.messages().value(5), Relinking::notRelinkedMessage());
    QCOMPARE(f.column(Folder), (QStringList{now, old, now}));
    QVERIFY(f.doc()->CatalogModified());
    QCOMPARE(f.doc()->CatalogMode(), CatalogDocument::Mode::OnFile);
    // The cursor was left on the file name of the last bookmark asked about.
    QCOMPARE(f.grid()->currentIndex().row(), 1);
    QCOMPARE(f.grid()->currentIndex().column(), int(Filename));
    QCOMPARE(comboItems(child<QComboBox>(f.main(), "LoopList")), (QStringList{"1 : n1", "2 : n2", "3 : n3"}));
}

void TestCatalogRelinkAndImport::importThroughTheDialog()
{
    CatalogFixture f;
    QVERIFY(f.start());
    const QString b = f.makeClip("b.avi");
    const QString a = f.makeClip("A.mpg");
    f.prompt.queueFileNames({b, a});
    child<TColourButton>(f.main(), "ImportClipsButton")->click();

    QCOMPARE(f.prompt.unscriptedCount(), 0);
    const auto& dialog = f.prompt.shown().value(0);
    QCOMPARE(dialog.kind, QStringLiteral("opens"));
    QCOMPARE(dialog.filter, ClipLoader::clipFilter());
    QCOMPARE(f.doc()->CatalogMode(), CatalogDocument::Mode::New);
    QVERIFY(f.form()->isVisible());
    QVERIFY(f.grid()->isVisible());
    QCOMPARE(f.doc()->RowCount(), 3);
    QCOMPARE(f.column(Number), (QStringList{"1", "2"}));
    QCOMPARE(f.column(Name), (QStringList{"A", "b"}));
    QCOMPARE(f.column(Filename), (QStringList{"A.mpg", "b.avi"}));
    QCOMPARE(f.column(Folder), QStringList(2, f.clipFolder()));
    QCOMPARE(f.column(StartTime), QStringList(2, "00:00:00"));
    QCOMPARE(f.column(EndTime), QStringList(2, "--:--:--"));
    QVERIFY(f.doc()->CatalogModified());
    QCOMPARE(comboItems(child<QComboBox>(f.main(), "LoopList")), (QStringList{"A", "b"}));
    QCOMPARE(f.grid()->currentIndex().row(), 1);
    QCOMPARE(f.grid()->currentIndex().column(), int(Category));

    // The catalog window's menu item adds to the open catalog.
    f.prompt.queueFileNames({f.makeClip("c.mov")});
    f.formControl<QAction>("ImportMultipleClips1")->trigger();
    QCOMPARE(f.column(Name), (QStringList{"A", "b", "c"}));
    QCOMPARE(f.doc()->CatalogMode(), CatalogDocument::Mode::New);
}

void TestCatalogRelinkAndImport::importCancelled()
{
    CatalogFixture f;
    QVERIFY(f.start());
    child<QAction>(f.main(), "ImportMultipleClips1")->trigger(); // the dialog answers "cancelled"
    QCOMPARE(f.prompt.shown().size(), 1);
    QCOMPARE(f.doc()->CatalogMode(), CatalogDocument::Mode::Closed);
    QVERIFY(!f.form()->isVisible());
}

void TestCatalogRelinkAndImport::dropFilesOnTheCatalogWindow()
{
    CatalogFixture f;
    QVERIFY(f.start());
    QVERIFY(f.open(f.catalog({"first"})));
    const QString notes = f.makeClip("notes.txt", f.programFolder() + "docs/");
    const QString clip = f.makeClip("Turn.mp4");

    auto drop = [&](const QStringList& paths) {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& p : paths)
            urls << QUrl::fromLocalFile(p);
        data.setUrls(urls);
        QWidget* target = f.grid()->viewport();
        const QPoint at = target->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(target, &dropped);
        return enter.isAccepted() && dropped.isAccepted();
    };

    // While play-all runs a drop adds nothing.
    f.doc()->setPlayingAll(true);
    drop({clip});
    QCOMPARE(f.doc()->RowCount(), 2);
    f.doc()->setPlayingAll(false);

    QVERIFY(drop({notes, clip}));
    QCOMPARE(f.prompt.unscriptedCount(), 0);
    QCOMPARE(f.column(Name), (QStringList{"first", "notes", "Turn"}));
    QCOMPARE(f.column(Folder).mid(1), (QStringList{f.programFolder() + "docs/", f.clipFolder()}));
    QVERIFY(f.doc()->CatalogModified());
    QCOMPARE(comboItems(child<QComboBox>(f.main(), "LoopList")), (QStringList{"1 : first", "notes", "Turn"}));
}

QTEST_MAIN(TestCatalogRelinkAndImport)
#include "TestCatalogRelinkAndImport.moc"
