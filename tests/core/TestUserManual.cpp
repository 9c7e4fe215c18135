#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

// The user manual is read in any browser, often offline: every link of its
// table of contents must land, and it must need nothing from elsewhere.
class TestUserManual : public QObject {
    Q_OBJECT
private slots:
    void standsAlone()
    {
        QFile file(QStringLiteral(TEMPOLOOP_DOCS "/Tempoloop_1.00_User_Manual.htm"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        QSet<QString> ids;
        for (const auto& m : QRegularExpression(QStringLiteral("id=\"([^\"]+)\"")).globalMatch(html))
            ids.insert(m.captured(1));
        int links = 0;
        for (const auto& m : QRegularExpression(QStringLiteral("href=\"([^\"]*)\"")).globalMatch(html)) {
            const QString target = m.captured(1);
            QVERIFY2(target.startsWith(u'#') && ids.contains(target.mid(1)), qPrintable(target));
            ++links;
        }
        QVERIFY(links >= 20);
        QVERIFY(!html.contains(QLatin1String("src=")));
        QVERIFY(!html.contains(QLatin1String("<link")));
        QVERIFY(!html.contains(QLatin1String("url(")));
        QVERIFY(!html.contains(u'\\'));
    }
};

QTEST_GUILESS_MAIN(TestUserManual)
#include "TestUserManual.moc"
