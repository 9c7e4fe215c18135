// When a move comes back: the spacing rule over the practice log's history.
#include "core/practice/PracticeSpacing.h"

#include <QtTest>

class TestPracticeSpacing : public QObject {
    Q_OBJECT

private slots:
    void due_data();
    void due();
    void history();
};

void TestPracticeSpacing::due_data()
{
    QTest::addColumn<int>("daysPractised");
    QTest::addColumn<int>("daysAgo"); // the last day practised, before today
    QTest::addColumn<QString>("learn");
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("due");

    QTest::newRow("never practised, even at level d") << 0 << 0 << "d" << 14 << true;
    QTest::newRow("practised today") << 1 << 0 << "" << 1 << false;
    QTest::newRow("one day, yesterday") << 1 << 1 << "" << 1 << true;
    QTest::newRow("level a counts as none") << 1 << 1 << "a" << 1 << true;
    QTest::newRow("two days: 3 days, 2 ago") << 2 << 2 << "" << 3 << false;
    QTest::newRow("two days: 3 days, 3 ago") << 2 << 3 << "" << 3 << true;
    QTest::newRow("three days: 7") << 3 << 6 << "" << 7 << false;
    QTest::newRow("level b adds a step") << 1 << 2 << "b" << 3 << false;
    QTest::newRow("level c, upper case") << 1 << 7 << "C" << 7 << true;
    QTest::newRow("level d: 14") << 1 << 13 << "d" << 14 << false;
    QTest::newRow("five days: 30") << 5 << 29 << "" << 30 << false;
    QTest::newRow("capped by days") << 9 << 30 << "" << 30 << true;
    QTest::newRow("capped by days and level") << 4 << 29 << "d" << 30 << false;
    QTest::newRow("unknown level counts as none") << 2 << 3 << "x" << 3 << true;
}

void TestPracticeSpacing::due()
{
    QFETCH(int, daysPractised);
    QFETCH(int, daysAgo);
    QFETCH(QString, learn);
    QFETCH(int, interval);
    QFETCH(bool, due);
    const QDate today(2026, 12, 9);
    PracticeHistory history;
    history.daysPractised = daysPractised;
    history.sessions = daysPractised;
    if (daysPractised > 0)
        history.lastDay = today.addDays(-daysAgo);
    QCOMPARE(PracticeSpacing::intervalDays(daysPractised, learn), interval);
    QCOMPARE(PracticeSpacing::isDue(history, learn, today), due);
}

void TestPracticeSpacing::history()
{
    auto entry = [](const char* began, const QString& name, int passes) {
        PracticeEntry e;
        e.began = QDateTime::fromString(QLatin1String(began), Qt::ISODate);
        e.category = QStringLiteral("Turns");
        e.name = name;
        e.passes = passes;
        return e;
    };
    // Two sessions on 7 Dec count as one day; another move and another
    // category are not this one's.
    QList<PracticeEntry> entries{entry("2026-12-07T10:00:00", "Spin", 5), entry("2026-12-07T19:30:00", "Spin", 4),
                                 entry("2026-12-09T08:15:00", "Spin", 32), entry("2026-12-10T08:00:00", "Dip", 7)};
    PracticeEntry other = entry("2026-12-11T08:00:00", "Spin", 3);
    other.category = QStringLiteral("Walks");
    entries << other;
    const PracticeHistory spin = PracticeSpacing::historyOf(entries, QStringLiteral("Turns"), QStringLiteral("Spin"));
    QCOMPARE(spin, (PracticeHistory{3, 41, 2, QDate(2026, 12, 9)}));
    QCOMPARE(PracticeSpacing::describe(spin), QStringLiteral("Last practised 9 Dec 2026, 3 sessions, 41 passes"));
    const PracticeHistory none = PracticeSpacing::historyOf(entries, QString(), QStringLiteral("Spin"));
    QCOMPARE(PracticeSpacing::describe(none), QStringLiteral("Not practised yet"));
    QVERIFY(PracticeSpacing::isDue(none, QStringLiteral("d"), QDate(2026, 12, 9)));
}

QTEST_GUILESS_MAIN(TestPracticeSpacing)
#include "TestPracticeSpacing.moc"
