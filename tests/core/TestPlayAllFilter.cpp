#include "core/catalog/CatalogData.h"
#include "core/catalog/CatalogModel.h"
#include "core/catalog/PlayAllFilter.h"

#include <QtTest>

using namespace PlayAllWalk;

class TestPlayAllFilter : public QObject {
    Q_OBJECT

private slots:
    void rowChoice_data();
    void rowChoice();
    void walk_data();
    void walk();
    void playAllStart();
    void dueChoiceInWords();
};

// Bookmarks with these (learn, rating) cells: "b5" is level b rated 5, "-"
// an empty cell.
static CatalogModel* catalogOf(const QStringList& cells, QObject* parent)
{
    CatalogData data;
    for (const QString& c : cells) {
        Bookmark b;
        b.learn = c.left(1) == "-" ? QString() : c.left(1);
        b.rating = c.mid(1) == "-" ? QString() : c.mid(1);
        data.bookmarks.append(b);
    }
    auto* model = new CatalogModel(parent);
    model->load(data);
    return model;
}

void TestPlayAllFilter::rowChoice_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<QString>("levels");
    QTest::addColumn<int>("maxRating");
    QTest::addColumn<bool>("dueOnly");
    QTest::addColumn<QString>("due");     // the rows due today, as digits
    QTest::addColumn<QString>("passing"); // the rows that pass, as digits

    // Rows 1 to 7: a3, b5, c-, -7, d10, b0, -- (see rowChoice).
    const QString all = QStringLiteral("1234567");
    QTest::newRow("off lets all play") << false << "bc" << 3 << true << "1" << all;
    QTest::newRow("on without limits") << true << "" << -1 << false << "" << all;
    QTest::newRow("levels b and c") << true << "bc" << -1 << false << all << "236";
    QTest::newRow("empty level chosen") << true << "-" << -1 << false << all << "47";
    QTest::newRow("rating at most 5: empty ratings fail") << true << "" << 5 << false << all << "126";
    QTest::newRow("rating at most 0") << true << "" << 0 << false << all << "6";
    QTest::newRow("rating at most 10") << true << "" << 10 << false << all << "12456";
    QTest::newRow("both: level b and rating at most 3") << true << "b" << 3 << false << all << "6";
    QTest::newRow("no row passes") << true << "d" << 9 << false << all << "";
    QTest::newRow("due today alone") << true << "" << -1 << true << "2357"
                                     << "2357";
    QTest::newRow("due today and level b") << true << "b" << -1 << true << "2357"
                                           << "2";
    QTest::newRow("due today, nothing due") << true << "" << -1 << true << ""
                                            << "";
}

void TestPlayAllFilter::rowChoice()
{
    QFETCH(bool, on);
    QFETCH(QString, levels);
    QFETCH(int, maxRating);
    QFETCH(bool, dueOnly);
    QFETCH(QString, due);
    QFETCH(QString, passing);
    const CatalogModel* model = catalogOf({"a3", "b5", "c-", "-7", "d10", "b0", "--"}, this);
    const PlayAllFilter filter{on, levels, maxRating, dueOnly ? PlayAllFilter::Due::Today : PlayAllFilter::Due::Any};
    const PlayAllFilter::DueRows dueRows = [&](int row) { return due.contains(QString::number(row)); };
    QString rows;
    for (int row = 1; row < model->RowCount(); ++row)
        if (filter.passesRow(*model, row, dueRows))
            rows += QString::number(row);
    QCOMPARE(rows, passing);
    QCOMPARE(filter.count(*model, true, dueRows), (PlayAllFilter::Count{int(passing.size()), 7}));
}

void TestPlayAllFilter::walk_data()
{
    QTest::addColumn<QString>("passing"); // rows of 1..6 that pass
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("direction");
    QTest::addColumn<bool>("playingAll");
    QTest::addColumn<int>("toRow");
    QTest::addColumn<int>("stop");

    const int none = int(Stop::None), first = int(Stop::AtFirst), last = int(Stop::AtLast),
              noMatch = int(Stop::NoneMatch);
    QTest::newRow("unfiltered next") << "123456" << 3 << 2 << false << 4 << none;
    QTest::newRow("unfiltered next at the end") << "123456" << 6 << 2 << true << -1 << last;
    QTest::newRow("unfiltered previous at row 1") << "123456" << 1 << 0 << false << -1 << first;
    QTest::newRow("unfiltered previous at row 1, play all replays") << "123456" << 1 << 0 << true << 1 << none;
    QTest::newRow("next skips") << "146" << 1 << 2 << true << 4 << none;
    QTest::newRow("next from a failing row") << "146" << 2 << 2 << false << 4 << none;
    QTest::newRow("next past the last passing row") << "146" << 6 << 2 << true << -1 << last;
    QTest::newRow("next with rows after, none passing") << "24" << 4 << 2 << false << -1 << last;
    QTest::newRow("previous skips") << "146" << 6 << 0 << false << 4 << none;
    QTest::newRow("previous before the first passing row") << "246" << 2 << 0 << false << -1 << first;
    QTest::newRow("previous, play all replays the first") << "246" << 2 << 0 << true << 2 << none;
    QTest::newRow("current passes") << "246" << 4 << 1 << false << 4 << none;
    QTest::newRow("current fails: the next after") << "246" << 3 << 1 << false << 4 << none;
    QTest::newRow("current fails: the nearest before") << "24" << 6 << 1 << false << 4 << none;
    QTest::newRow("nothing passes") << "" << 3 << 2 << true << -1 << noMatch;
    QTest::newRow("nothing passes, previous") << "" << 3 << 0 << false << -1 << noMatch;
}

void TestPlayAllFilter::walk()
{
    QFETCH(QString, passing);
    QFETCH(int, row);
    QFETCH(int, direction);
    QFETCH(bool, playingAll);
    QFETCH(int, toRow);
    QFETCH(int, stop);
    const Passes passes = [&](int r) { return passing.contains(QString::number(r)); };
    QCOMPARE(step(row, 6, PlayAllView::Step(direction), playingAll, passes), (Step{toRow, Stop(stop)}));
}

void TestPlayAllFilter::playAllStart()
{
    const Passes passes = [](int r) { return r == 2 || r == 5; };
    QCOMPARE(firstFrom(1, 6, passes), 2);
    QCOMPARE(firstFrom(3, 6, passes), 5);
    QCOMPARE(firstFrom(6, 6, passes), -1);
}

void TestPlayAllFilter::dueChoiceInWords()
{
    const PlayAllFilter due{true, QStringLiteral("b"), -1, PlayAllFilter::Due::Today};
    QVERIFY(due.active());
    QCOMPARE(due.describe(), QStringLiteral("levels b; due today"));
    QVERIFY((PlayAllFilter{true, {}, -1, PlayAllFilter::Due::Today}.active()));
    for (PlayAllFilter::Due d : {PlayAllFilter::Due::Any, PlayAllFilter::Due::Today})
        QCOMPARE(PlayAllFilter::dueFromText(PlayAllFilter::dueText(d)), d);
    QCOMPARE(PlayAllFilter::dueFromText(QStringLiteral("someday")), PlayAllFilter::Due::Any);
}

QTEST_GUILESS_MAIN(TestPlayAllFilter)
#include "TestPlayAllFilter.moc"
