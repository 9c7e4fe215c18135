// Play all and the previous/current/next keys limited by the play-all
// filter, through the real catalog window on the fake engine: the filter's
// bar, the grid's marks, the rows played in order with the hand-over at each
// loop's end, and the messages when no row passes.
#include "CatalogFixture.h"
#include "Controls.h"
#include "FileBytes.h"
#include "core/settings/BindingTable.h"
#include "gui/catalog/BookmarksGridLook.h"
#include "gui/catalog/DescriptionPane.h"
#include "gui/catalog/PlayAllFilterBar.h"
#include "gui/input/FocusSink.h"
#include "gui/widgets/TColourButton.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QtTest>

using namespace BookmarkColumn;

namespace {

const QString kFinished = QStringLiteral("Finished playing all bookmarks in sequence.");

} // namespace

class TestFilteredPlayAll : public QObject {
    Q_OBJECT

private slots:
    void offByDefault();
    void playAllPlaysThePassingRowsInOrder();
    void keysSkipRowsTheFilterHolds();
    void noRowPasses();
    void dueTodayPlaysWhatIsDue();
    void keptInExtras();

private:
    // Six bookmarks with levels a, b, -, c, b, d and ratings 2, 8, 1, 4, 3, -.
    static bool openSix(CatalogFixture& app)
    {
        CatalogData data = app.catalog({"one", "two", "three", "four", "five", "six"});
        const QStringList levels{"a", "b", "", "c", "b", "d"};
        const QStringList ratings{"2", "8", "1", "4", "3", ""};
        for (int i = 0; i < 6; ++i) {
            data.bookmarks[i].learn = levels[i];
            data.bookmarks[i].rating = ratings[i];
        }
        return app.open(data);
    }
    // Through the bar, as a user sets it.
    static void filterLevels(CatalogFixture& app, const QString& levels, int maxRating = -1)
    {
        TBookmarksForm* form = app.form();
        if (!child<PlayAllFilterBar>(form, "PlayAllFilterBar")->isVisible())
            child<TColourButton>(form, "PlayAllFilterButton")->click();
        PlayAllFilterBar* bar = child<PlayAllFilterBar>(form, "PlayAllFilterBar");
        bar->onBox()->setChecked(true);
        for (QChar level : QStringLiteral("abcd-"))
            bar->levelBox(level)->setChecked(levels.contains(level));
        bar->ratingBox()->setChecked(maxRating >= 0);
        if (maxRating >= 0)
            bar->maxRatingBox()->setValue(maxRating);
    }
    static QList<int> markedRows(const CatalogFixture& app)
    {
        QList<int> rows;
        const QAbstractItemModel* model = app.grid()->model();
        for (int r = 0; r < model->rowCount(); ++r)
            if (model->index(r, Handle).data(Qt::BackgroundRole).value<QColor>() == BookmarksGridLook::WillPlay)
                rows << r + 1;
        return rows;
    }
};

void TestFilteredPlayAll::offByDefault()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(openSix(app));
    TBookmarksForm* form = app.form();
    QVERIFY(!child<PlayAllFilterBar>(form, "PlayAllFilterBar")->isVisibleTo(form));
    QVERIFY(!app.doc()->playAllFilter().on);
    QVERIFY(markedRows(app).isEmpty());
    QCOMPARE(child<TColourButton>(form, "PlayAllFilterButton")->accessibleName(), QStringLiteral("filter..."));

    // Showing the bar changes nothing until the filter is switched on.
    child<TColourButton>(form, "PlayAllFilterButton")->click();
    QVERIFY(child<PlayAllFilterBar>(form, "PlayAllFilterBar")->isVisible());
    QVERIFY(!child<PlayAllFilterBar>(form, "PlayAllFilterBar")->levelBox(u'b')->isEnabled());
    QVERIFY(!app.doc()->playAllFilter().on);
}

void TestFilteredPlayAll::playAllPlaysThePassingRowsInOrder()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(openSix(app));
    filterLevels(app, "bc-", 4); // rows 3 (-, 1), 4 (c, 4) and 5 (b, 3); row 2 is rated 8
    QCOMPARE(app.doc()->playAllFilter(), (PlayAllFilter{true, "bc-", 4}));
    QCOMPARE(markedRows(app), (QList<int>{3, 4, 5}));
    QCOMPARE(app.formControl<PlayAllFilterBar>("PlayAllFilterBar")->countLabel()->text(),
             QStringLiteral("3 of 6 bookmarks play"));

    // Editing a level moves the marks.
    app.doc()->setCells(Learn, 1, "b");
    app.doc()->setCells(Rating, 1, "0");
    QCOMPARE(markedRows(app), (QList<int>{1, 3, 4, 5}));
    app.doc()->setCells(Learn, 1, "a");

    app.click(Name, 1);
    TBookmarksForm* form = app.form();
    child<TColourButton>(form, "PlayAll")->click();
    QVERIFY(app.doc()->PlayingAll());
    QVERIFY(!child<PlayAllFilterBar>(form, "PlayAllFilterBar")->isEnabled());
    QList<int> played;
    QVERIFY(app.stepUntil([&] {
        const int row = app.doc()->PlayingBookmark();
        if (played.isEmpty() || played.last() != row)
            played.append(row);
        return app.prompt.messages().contains(kFinished);
    }));
    QCOMPARE(played, (QList<int>{3, 4, 5}));
    QCOMPARE(app.prompt.messages(), QStringList{kFinished});
    QCOMPARE(app.grid()->cursorRow(), 1); // back where play all found it
    QVERIFY(child<PlayAllFilterBar>(form, "PlayAllFilterBar")->isEnabled());
}

void TestFilteredPlayAll::keysSkipRowsTheFilterHolds()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(openSix(app));
    filterLevels(app, "b"); // rows 2 and 5
    app.click(Name, 1);
    app.formControl<FocusSink>("PanelFocusPanel")->takeFocus();
    app.key(Qt::Key_9); // current: row 1 fails, so the next that passes
    QCOMPARE(app.doc()->PlayingBookmark(), 2);
    app.key(Qt::Key_0);
    QCOMPARE(app.doc()->PlayingBookmark(), 5);
    app.key(Qt::Key_0);
    QCOMPARE(app.prompt.messages(), QStringList{"Already at the last bookmark that the filter lets play."});
    app.key(Qt::Key_8);
    QCOMPARE(app.doc()->PlayingBookmark(), 2);
    app.key(Qt::Key_8);
    QCOMPARE(app.prompt.lastMessage(), QStringLiteral("Already at the first bookmark that the filter lets play."));
    QCOMPARE(app.doc()->PlayingBookmark(), 2);

    // Off again, the keys step through every row.
    app.formControl<PlayAllFilterBar>("PlayAllFilterBar")->onBox()->setChecked(false);
    app.formControl<FocusSink>("PanelFocusPanel")->takeFocus();
    app.key(Qt::Key_0);
    QCOMPARE(app.doc()->PlayingBookmark(), 3);
    QVERIFY(markedRows(app).isEmpty());
}

void TestFilteredPlayAll::noRowPasses()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(openSix(app));
    filterLevels(app, "d", 5); // row 6 is level d but unrated
    const QString none = QStringLiteral("No bookmark matches the play all filter (levels d; rating at most 5).\r\n"
                                        "Change the filter or turn it off.");
    app.click(Name, 1);
    app.formControl<TColourButton>("PlayAll")->click();
    QVERIFY(!app.doc()->PlayingAll());
    QCOMPARE(app.prompt.messages(), QStringList{none});
    app.formControl<FocusSink>("PanelFocusPanel")->takeFocus();
    app.key(Qt::Key_0);
    QCOMPARE(app.prompt.lastMessage(), none);
    QCOMPARE(app.doc()->PlayingBookmark(), -1);

    // Rows pass above the cursor only.
    filterLevels(app, "a");
    app.click(Name, 3);
    app.formControl<TColourButton>("PlayAll")->click();
    QVERIFY(!app.doc()->PlayingAll());
    QCOMPARE(app.prompt.lastMessage(),
             QStringLiteral("No bookmark from the current one down matches the play all filter (levels a)."));
}

void TestFilteredPlayAll::dueTodayPlaysWhatIsDue()
{
    CatalogFixture app;
    QVERIFY(app.start());
    // "two" (level b) was practised today, "four" (level c) five days ago:
    // neither is due (1 + 1 and 0 + 2 steps: 3 and 7 days). The others were
    // never practised.
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime before = now.addDays(-5);
    const QString at = QStringLiteral("yyyy-MM-ddTHH:mm:ss");
    QVERIFY(writeFileBytes(app.catalogFolder() + "steps.tvc.log.csv",
                           "Began,Category,Name,Passes,Seconds,Slowest,Fastest\n" + now.toString(at).toUtf8() +
                               ",\"\",\"two\",3,30.0,1.00,1.00\n" + before.toString(at).toUtf8() +
                               ",\"\",\"four\",2,20.0,1.00,1.00\n"));
    QVERIFY(openSix(app));
    filterLevels(app, "");
    PlayAllFilterBar* bar = app.formControl<PlayAllFilterBar>("PlayAllFilterBar");
    QCOMPARE(bar->dueBox()->accessibleName(), bar->dueBox()->text());
    QVERIFY(bar->dueBox()->isEnabled());
    bar->dueBox()->setChecked(true);
    QCOMPARE(app.doc()->playAllFilter(), (PlayAllFilter{true, "", -1, PlayAllFilter::Due::Today}));
    QCOMPARE(markedRows(app), (QList<int>{1, 3, 5, 6}));
    QCOMPARE(bar->countLabel()->text(), QStringLiteral("4 of 6 bookmarks play"));
    app.click(Name, 4);
    auto* pane = app.formControl<DescriptionPane>("Panel8");
    QCOMPARE(pane->practiceText(), QStringLiteral("Last practised %1, 1 session, 2 passes")
                                       .arg(QLocale::c().toString(before.date(), QStringLiteral("d MMM yyyy"))));
    // The name's tooltip says the same.
    QCOMPARE(app.grid()->model()->index(3, Name).data(Qt::ToolTipRole).toString(), pane->practiceText());
    QCOMPARE(app.grid()->model()->index(0, Name).data(Qt::ToolTipRole).toString(), QStringLiteral("Not practised yet"));

    // Each bookmark played is practised today, so no longer due.
    app.click(Name, 1);
    app.formControl<TColourButton>("PlayAll")->click();
    QList<int> played;
    QVERIFY(app.stepUntil(
        [&] {
            const int row = app.doc()->PlayingBookmark();
            if (played.isEmpty() || played.last() != row)
                played.append(row);
            return app.prompt.messages().contains(kFinished);
        },
        400000)); // four loops of a minute
    QCOMPARE(played, (QList<int>{1, 3, 5, 6}));
    QVERIFY(markedRows(app).isEmpty());
    QCOMPARE(bar->countLabel()->text(), QStringLiteral("0 of 6 bookmarks play"));
    app.click(Name, 3);
    QCOMPARE(pane->practiceText(), QStringLiteral("Last practised %1, 1 session, 1 pass")
                                       .arg(QLocale::c().toString(now.date(), QStringLiteral("d MMM yyyy"))));
    QVERIFY(!app.doc()->CatalogModified());
}

void TestFilteredPlayAll::keptInExtras()
{
    CatalogFixture app;
    QVERIFY(app.start());
    ExtrasBindings binding;
    app.form()->bindExtras(binding);
    Extras read;
    read.playAllFilterOn = true;
    read.playAllFilterLevels = "Cb?-b"; // as a hand-edited file may have it
    read.playAllFilterMaxRating = 3;
    read.playAllFilterDue = "Today";
    binding.apply(read);
    QCOMPARE(app.doc()->playAllFilter(), (PlayAllFilter{true, "bc-", 3, PlayAllFilter::Due::Today}));
    PlayAllFilterBar* bar = app.formControl<PlayAllFilterBar>("PlayAllFilterBar");
    QVERIFY(bar->levelBox(u'c')->isChecked());
    QVERIFY(!bar->levelBox(u'a')->isChecked());
    QCOMPARE(bar->maxRatingBox()->value(), 3);
    QVERIFY(bar->dueBox()->isChecked());

    bar->ratingBox()->setChecked(false);
    bar->levelBox(u'-')->setChecked(false);
    const Extras written = binding.current();
    QVERIFY(written.playAllFilterOn);
    QCOMPARE(written.playAllFilterLevels, QStringLiteral("bc"));
    QCOMPARE(written.playAllFilterMaxRating, -1);
    QCOMPARE(written.playAllFilterDue, QStringLiteral("today"));
}

QTEST_MAIN(TestFilteredPlayAll)
#include "TestFilteredPlayAll.moc"
