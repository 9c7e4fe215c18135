// The catalog window keeps a catalog's file from being lost: Ctrl+S on a
// catalog whose header was damaged leaves the file byte for byte as it was
// unless the user says otherwise, and a change another program makes to the
// file while it is open is said when the user comes back to the window,
// never in the middle of practice.
#include "CatalogFixture.h"
#include "FileBytes.h"
#include "Controls.h"

#include <QProcess>
#include <QtTest>

using namespace BookmarkColumn;

class TestNothingLost : public QObject {
    Q_OBJECT

private slots:
    void ctrlSKeepsADamagedCatalogFile();
    void aChangeByAnotherProcessIsNotLostAtCtrlS();
    void aChangeOnTheDiskIsSaidWhenTheUserComesBack();
};

void TestNothingLost::ctrlSKeepsADamagedCatalogFile()
{
    CatalogFixture app;
    QString error;
    const QString path = app.catalogFolder() + QStringLiteral("damaged.tvc");
    QVERIFY(TVC_WriteCatalogFile(path, app.catalog({"Basic step", "Cross body lead", "Copa"}), &error));
    QByteArray damaged = fileBytes(path);
    damaged.replace("----- END OF HEADER INFO -----", "---- END OF HEADER INFO -----");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(damaged) == damaged.size());
    file.close();

    QVERIFY(app.startWithSettings({}, {path}));
    QCOMPARE(app.prompt.messages(), QStringList{"Catalog file is corrupted (HEADER INFO). Please manually fix."});
    QVERIFY(QTest::qWaitForWindowActive(app.form()));
    app.prompt.clear();
    app.prompt.queueChoice(2); // No
    QTest::keyClick(app.form()->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(app.prompt.shown().size(), 1);
    QCOMPARE(app.prompt.shown()[0].filter, QStringLiteral("Yes|Save As...|No"));
    QVERIFY(app.prompt.shown()[0].text.contains(QStringLiteral("could not be read whole")));
    QCOMPARE(fileBytes(path), damaged);
}

void TestNothingLost::aChangeByAnotherProcessIsNotLostAtCtrlS()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"Basic step", "Turn"})));
    QVERIFY(QTest::qWaitForWindowActive(app.form()));
    app.prompt.clear();
    const QString path = app.doc()->CatalogFileName();
    app.doc()->setCells(Name, 1, QStringLiteral("renamed here"));
    app.doc()->setCatalogModified(true);
    // Another program adds a bookmark: its file takes the catalog's place.
    QString error;
    const QString theirs = app.programFolder() + QStringLiteral("theirs.tvc");
    QVERIFY(TVC_WriteCatalogFile(theirs, app.catalog({"Basic step", "Turn", "Their new one"}), &error));
    QCOMPARE(QProcess::execute(QStringLiteral("cp"), {theirs, path}), 0);
    const QByteArray theirBytes = fileBytes(path);

    app.prompt.queueChoice(3); // Cancel
    QTest::keyClick(app.form()->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(app.prompt.shown().size(), 1);
    QCOMPARE(app.prompt.shown()[0].filter, QStringLiteral("Overwrite|Reload|Save As...|Cancel"));
    QCOMPARE(fileBytes(path), theirBytes);
    QVERIFY(app.doc()->CatalogModified());
}

void TestNothingLost::aChangeOnTheDiskIsSaidWhenTheUserComesBack()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"Basic step", "Turn"})));
    QVERIFY(QTest::qWaitForWindowActive(app.form()));
    app.prompt.clear(); // the open dialog
    // The user practises in the main window while another program saves.
    app.main()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(app.main()));
    CatalogData theirs = app.catalog({"Basic step", "Turn", "Their new one"});
    QString error;
    QVERIFY(TVC_WriteCatalogFile(app.doc()->CatalogFileName(), theirs, &error));
    QTRY_VERIFY(app.rules().watch.hasUntoldChange());
    QTest::qWait(50);
    QVERIFY(app.prompt.shown().isEmpty());

    app.prompt.queueChoice(0); // Reload
    app.form()->activateWindow();
    QTRY_COMPARE(app.prompt.shown().size(), 1);
    QCOMPARE(app.prompt.shown()[0].filter, QStringLiteral("Reload|Keep"));
    QCOMPARE(app.column(Name), QStringList({"Basic step", "Turn", "Their new one"}));
    QVERIFY(!app.doc()->CatalogModified());
}

QTEST_MAIN(TestNothingLost)
#include "TestNothingLost.moc"
