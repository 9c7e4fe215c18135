// Making bookmarks from the main window: the normal add with and without the
// category column, cancelling and what the dialog remembers, the checks and
// their messages, the quick add at the playback point with its chime, the
// update of the playing bookmark, and the catalog indicators.
#include "CatalogFixture.h"
#include "Controls.h"
#include "core/catalog/BookmarkMaking.h"
#include "core/playback/ChimePlayer.h"
#include "gui/catalog/TCategoryInputForm.h"
#include "gui/input/Keyboard.h"
#include "gui/main/LoopControlsPanel.h"
#include "gui/options/TOptionsForm.h"
#include "gui/widgets/TColourButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QtTest>

using namespace BookmarkColumn;

namespace {

const QString kNoClip = QStringLiteral("You must choose a clip first before attempting to add a bookmark.");
const QString kNoStart =
    QStringLiteral("You must enter a \"Start Time\" in Loop Controls (above) before defining a bookmark.");
const QString kEndNotAfterStart = QStringLiteral("The \"End Time\" must be greater than the \"Start Time\"");

class CountingChime : public ChimePlayer {
public:
    explicit CountingChime(int* plays) : m_plays(plays) {}
    void play() override { ++*m_plays; }

private:
    int* m_plays;
};

// What a user does in the category dialog: types into the boxes shown and
// ends with a key. The dialog is checked as the user sees it first.
struct DialogAnswer {
    QString category; // typed when the category box is shown
    QString name;
    Qt::Key closingKey = Qt::Key_Return;
};

} // namespace

class TestBookmarkMaking : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstAddStartsANewCatalog();
    void addWithTheCategoryColumn();
    void cancellingRemembersWhatWasTyped();
    void checksRefuseTheAdd_data();
    void checksRefuseTheAdd();
    void quickAddRoundsThePlaybackPoint_data();
    void quickAddRoundsThePlaybackPoint();
    void quickAddWithoutAClip();
    void updateThePlayingBookmark();
    void updateWithoutAPlayingBookmark();

private:
    std::unique_ptr<CatalogFixture> app;
    int chimes = 0;
    // Each dialog shown: its caption, its drop-down and the boxes' texts.
    QStringList dialogCaptions;
    QStringList dropDown;
    QStringList prefilled;
    QList<DialogAnswer> answers;

    BookmarkMaking* making() const { return app->keyboard()->bookmarkMaking; }
    TCategoryInputForm* dialog() const { return app->startup->windows().CategoryInputForm; }
    void setLoop(const QString& start, const QString& end)
    {
        app->main()->loopControls().setStartTimeDigits(start);
        app->main()->loopControls().setEndTimeDigits(end);
    }
    void showCategoryColumn(bool on)
    {
        child<QCheckBox>(app->startup->windows().OptionsForm, "ShowCategoryColumn")->setChecked(on);
    }
    bool activateMain()
    {
        app->main()->activateWindow();
        return QTest::qWaitForWindowActive(app->main());
    }
    void pressAddKey(Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(app->main()->windowHandle(), modifiers ? 'O' : 'o', modifiers);
    }
    QStringList loopList() const
    {
        auto* list = child<QComboBox>(app->main(), "LoopList");
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        return items;
    }
    bool answer(TCategoryInputForm& d)
    {
        d.setResult(QDialog::Rejected);
        d.show();
        dialogCaptions << d.windowTitle();
        dropDown.clear();
        for (int i = 0; i < d.InputBox_Category->count(); ++i)
            dropDown << d.InputBox_Category->itemText(i);
        prefilled = {d.InputBox_Category->currentText(), d.InputBox_Name->text()};
        const DialogAnswer a = answers.isEmpty() ? DialogAnswer{} : answers.takeFirst();
        if (d.InputBox_Category->isVisible()) {
            if (!a.category.isNull()) {
                d.InputBox_Category->lineEdit()->clear();
                QTest::keyClicks(d.InputBox_Category->lineEdit(), a.category);
            }
            QTest::keyClick(d.InputBox_Category->lineEdit(), Qt::Key_Return); // on to the name box
        }
        if (!a.name.isNull()) {
            d.InputBox_Name->clear();
            QTest::keyClicks(d.InputBox_Name, a.name);
        }
        QTest::keyClick(d.InputBox_Name, a.closingKey);
        return d.result() == QDialog::Accepted;
    }
};

void TestBookmarkMaking::init()
{
    app = std::make_unique<CatalogFixture>();
    QVERIFY(app->start());
    chimes = 0;
    dialogCaptions.clear();
    answers.clear();
    making()->setChimePlayer(std::make_unique<CountingChime>(&chimes));
    dialog()->setShower([this](TCategoryInputForm& d) { return answer(d); });
}

void TestBookmarkMaking::cleanup()
{
    app.reset();
}

void TestBookmarkMaking::firstAddStartsANewCatalog()
{
    TMainForm* m = app->main();
    QVERIFY(!child<QLabel>(m, "CurrentlyPlayingLabel")->isVisibleTo(m));
    QVERIFY(child<QLabel>(m, "NewCatalogLabel")->isVisibleTo(m));
    QCOMPARE(child<TColourButton>(m, "makeBookmarkButton")->y(), 22);

    const QString clip = app->makeClip(QStringLiteral("waltz.mp4"));
    app->openClip(clip);
    QVERIFY(activateMain());
    setLoop(QStringLiteral("000105"), {});
    answers = {{{}, QStringLiteral("Box step")}};
    pressAddKey();

    QCOMPARE(dialogCaptions, QStringList{"Name"});
    QCOMPARE(dialog()->width(), 320);
    QVERIFY(!dialog()->InputBox_Category->isVisibleTo(dialog()));
    QCOMPARE(app->doc()->CatalogMode(), CatalogDocument::Mode::New);
    QCOMPARE(app->doc()->RowCount(), 2); // the placeholder row was filled
    const QStringList row = {app->doc()->Cells(Number, 1),  app->doc()->Cells(Category, 1),
                             app->doc()->Cells(Name, 1),    app->doc()->Cells(StartTime, 1),
                             app->doc()->Cells(EndTime, 1), app->doc()->Cells(Filename, 1),
                             app->doc()->Cells(Folder, 1)};
    QCOMPARE(row, (QStringList{"1", "", "Box step", "00:01:05", "--:--:--", "waltz.mp4", app->clipFolder()}));
    QCOMPARE(app->form()->windowTitle(), QStringLiteral("Video Catalog --  New  [NO FILE]  [MODIFIED]"));
    QCOMPARE(loopList(), QStringList{"1 : Box step"});
    QCOMPARE(app->grid()->currentIndex().column(), Name);
    QVERIFY(app->grid()->hasFocus());
    QCOMPARE(making()->LastName, QStringLiteral("Box step"));

    // The catalog indicators of an open catalog.
    QVERIFY(child<QLabel>(m, "CurrentlyPlayingLabel")->isVisibleTo(m));
    QVERIFY(!child<QLabel>(m, "NewCatalogLabel")->isVisibleTo(m));
    QVERIFY(child<QComboBox>(m, "LoopList")->isVisibleTo(m));
    QVERIFY(child<TColourButton>(m, "updateBookmarkButton")->isVisibleTo(m));
    QCOMPARE(child<TColourButton>(m, "makeBookmarkButton")->y(), 16);
    QCOMPARE(child<TColourButton>(m, "OpenCatalogButton")->text(), QStringLiteral("show video catalog"));
}

void TestBookmarkMaking::addWithTheCategoryColumn()
{
    QVERIFY(app->open(app->catalog({"one", "two", "three"}, {"A", "B", "A"})));
    showCategoryColumn(true);
    app->openClip(app->makeClip(QStringLiteral("tango.mp4")));
    setLoop(QStringLiteral("000010"), QStringLiteral("000020"));
    answers = {{QStringLiteral("C"), QStringLiteral("Ocho")}};
    making()->makeBookmark();

    QCOMPARE(dialogCaptions, QStringList{"Category and Name"});
    QCOMPARE(dropDown, (QStringList{"A", "B"}));
    QCOMPARE(dialog()->width(), 623);
    QCOMPARE(dialog()->InputBox_Name->x(), 327);
    QCOMPARE(app->doc()->RowCount(), 5);
    QCOMPARE(app->doc()->Cells(Number, 4), QStringLiteral("4"));
    QCOMPARE(app->doc()->Cells(CategoryCopy, 4), QStringLiteral("C"));
    QCOMPARE(app->doc()->Cells(Name, 4), QStringLiteral("Ocho"));
    QCOMPARE(app->doc()->Cells(EndTime, 4), QStringLiteral("00:00:20"));
    QVERIFY(app->doc()->CatalogModified());
    QCOMPARE(loopList().size(), 4);
    QCOMPARE(loopList().last(), QStringLiteral("4 : Ocho"));

    // Hiding the column again: the next bookmark keeps the last category.
    showCategoryColumn(false);
    answers = {{{}, QStringLiteral("Sacada")}};
    making()->makeBookmark();
    QCOMPARE(dialogCaptions.last(), QStringLiteral("Name"));
    QCOMPARE(app->doc()->Cells(CategoryCopy, 5), QStringLiteral("C"));
    QCOMPARE(app->doc()->Cells(Name, 5), QStringLiteral("Sacada"));
}

void TestBookmarkMaking::cancellingRemembersWhatWasTyped()
{
    showCategoryColumn(true);
    app->openClip(app->makeClip(QStringLiteral("salsa.mp4")));
    setLoop(QStringLiteral("000010"), {});
    answers = {{QStringLiteral("Turns"), QStringLiteral("Cross body"), Qt::Key_Escape}};
    making()->makeBookmark();
    QCOMPARE(app->doc()->CatalogMode(), CatalogDocument::Mode::Closed); // nothing made, no catalog started
    QCOMPARE(making()->LastCategory, QStringLiteral("Turns"));
    QCOMPARE(making()->LastName, QStringLiteral("Cross body"));

    answers = {{QString(), QString()}}; // OK with what is shown
    making()->makeBookmark();
    QCOMPARE(prefilled, (QStringList{"Turns", "Cross body"}));
    QCOMPARE(app->doc()->Cells(Category, 1), QStringLiteral("Turns"));
    QCOMPARE(app->doc()->Cells(Name, 1), QStringLiteral("Cross body"));
}

void TestBookmarkMaking::checksRefuseTheAdd_data()
{
    QTest::addColumn<bool>("clipOpen");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("message");
    QTest::newRow("no clip") << false << "000010"
                             << "" << kNoClip;
    QTest::newRow("no start") << true << ""
                              << "000020" << kNoStart;
    QTest::newRow("end equals start") << true << "000130"
                                      << "000130" << kEndNotAfterStart;
    QTest::newRow("end before start") << true << "000130"
                                      << "000059" << kEndNotAfterStart;
}

void TestBookmarkMaking::checksRefuseTheAdd()
{
    QFETCH(bool, clipOpen);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, message);
    if (clipOpen)
        app->openClip(app->makeClip(QStringLiteral("clip.mp4")));
    setLoop(start, end);
    making()->makeBookmark();
    QCOMPARE(app->prompt.messages(), QStringList{message});
    QVERIFY(dialogCaptions.isEmpty());
    QCOMPARE(app->doc()->CatalogMode(), CatalogDocument::Mode::Closed);
}

void TestBookmarkMaking::quickAddRoundsThePlaybackPoint_data()
{
    QTest::addColumn<double>("position");
    QTest::addColumn<QString>("start");
    QTest::newRow("83.5 to even") << 83.5 << "00:01:24";
    QTest::newRow("84.5 to even") << 84.5 << "00:01:24";
    QTest::newRow("84.6 up") << 84.6 << "00:01:25";
    QTest::newRow("0.4 down") << 0.4 << "00:00:00";
}

void TestBookmarkMaking::quickAddRoundsThePlaybackPoint()
{
    QFETCH(double, position);
    QFETCH(QString, start);
    app->openClip(app->makeClip(QStringLiteral("swing.mp4")));
    app->player()->Play();
    app->step();
    app->player()->setCurrentPosition(position);
    QVERIFY(activateMain());
    making()->LastName = QStringLiteral("untouched");
    pressAddKey(Qt::ShiftModifier);

    QCOMPARE(app->player()->PlayState(), mpPaused);
    QCOMPARE(app->doc()->CatalogMode(), CatalogDocument::Mode::New);
    QCOMPARE(app->doc()->Cells(StartTime, 1), start);
    QCOMPARE(app->doc()->Cells(EndTime, 1), QStringLiteral("--:--:--"));
    QCOMPARE(app->doc()->Cells(Filename, 1), QStringLiteral("swing.mp4"));
    QCOMPARE(loopList(), QStringList{"1 : "});
    QVERIFY(dialogCaptions.isEmpty());
    QCOMPARE(making()->LastName, QStringLiteral("untouched"));
    QCOMPARE(chimes, 1);

    // A second quick add appends.
    making()->makeQuickBookmark();
    QCOMPARE(app->doc()->Cells(Number, 2), QStringLiteral("2"));
    QCOMPARE(chimes, 2);
}

void TestBookmarkMaking::quickAddWithoutAClip()
{
    making()->makeQuickBookmark();
    QCOMPARE(app->prompt.messages(), QStringList{kNoClip});
    QCOMPARE(app->doc()->CatalogMode(), CatalogDocument::Mode::Closed);
    QCOMPARE(chimes, 0);
}

void TestBookmarkMaking::updateThePlayingBookmark()
{
    QVERIFY(app->open(app->catalog({"one", "two"})));
    app->doc()->setPlayingBookmark(2);
    setLoop(QStringLiteral("000200"), {});
    QTest::mouseClick(child<TColourButton>(app->main(), "updateBookmarkButton"), Qt::LeftButton);
    QCOMPARE(app->doc()->Cells(StartTime, 2), QStringLiteral("00:02:00"));
    QCOMPARE(app->doc()->Cells(EndTime, 2), QStringLiteral("--:--:--"));
    QCOMPARE(app->doc()->Cells(StartTime, 1), QStringLiteral("00:00:10"));
    QVERIFY(app->doc()->CatalogModified());
    QVERIFY(app->form()->windowTitle().endsWith(QStringLiteral("[MODIFIED]")));
    QVERIFY(app->prompt.messages().isEmpty());
}

void TestBookmarkMaking::updateWithoutAPlayingBookmark()
{
    QVERIFY(app->open(app->catalog({"one"})));
    setLoop(QStringLiteral("000200"), QStringLiteral("000300"));
    QTest::mouseClick(child<TColourButton>(app->main(), "updateBookmarkButton"), Qt::LeftButton);
    QCOMPARE(app->prompt.messages(), QStringList{"There is no currently playing bookmark to update."});
    QCOMPARE(app->doc()->Cells(StartTime, 1), QStringLiteral("00:00:10"));
    QVERIFY(!app->doc()->CatalogModified());
}

QTEST_MAIN(TestBookmarkMaking)
#include "TestBookmarkMaking.moc"
