// Unsaved changes kept in a recovery file and offered back: the file holds
// any text a catalog does, a running program's recovery is never offered,
// typing not yet taken in is kept within the delay and goes once the
// catalog is saved or closed, and a recovery left behind comes back marked
// modified with the catalog's file untouched.
#include "CatalogFakes.h"
#include "FileBytes.h"
#include "ScriptedPrompt.h"
#include "core/catalog/CatalogFiles.h"
#include "core/catalog/RecoveryFile.h"
#include "core/catalog/RecoveryStore.h"
#include "core/catalog/RecoveryWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace BookmarkColumn;

namespace {

RecoverySnapshot snapshotOf(const QString& catalogPath, const QString& description, const QDateTime& when)
{
    RecoverySnapshot s;
    s.catalogPath = catalogPath;
    s.lastChange = when;
    Bookmark b;
    b.name = QStringLiteral("Cross body lead");
    b.startTime = QStringLiteral("00:00:10");
    b.endTime = QStringLiteral("00:00:20");
    b.description = description;
    s.catalog.bookmarks = {b};
    return s;
}

// A recovery as a run that was killed leaves it: the file, and no program
// holding its lock.
QString leaveRecovery(const QString& folder, const RecoverySnapshot& s, const QString& run)
{
    QDir().mkpath(folder);
    const QString file = folder + RecoveryStore::keyFor(s.catalogPath) + u'~' + run + QStringLiteral(".recovery");
    return writeFileBytes(file, recoveryText(s)) ? file : QString();
}

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT

private slots:
    void theFileHoldsWhatNoCatalogFormatCan();
    void aForeignOrCutFileIsNoRecovery();
    void onlyRecoveriesNoRunHoldsAreLeftOver();
    void typingIsKeptWithinTheDelayAndGoesWhenSaved();
    void closingWithoutSavingRemovesTheRecovery();
    void aLeftRecoveryComesBackWhenItsCatalogIsOpened();
    void aLeftRecoveryIsOfferedAtStartAndNoRemovesIt();

private:
    QTemporaryDir dir;
    QString clips() const { return dir.path() + QStringLiteral("/clips/"); }
};

void TestRecovery::theFileHoldsWhatNoCatalogFormatCan()
{
    RecoverySnapshot s = snapshotOf(QStringLiteral("/home/dancer/Salsa → tímido.tvc"),
                                    QStringLiteral("**********\r\nline two, with \"quotes\"; and a tab\t\r\n"),
                                    QDateTime(QDate(2024, 5, 1), QTime(14, 32, 10, 250)));
    s.catalog.bookmarks[0].learn = QStringLiteral("a,b");
    s.catalog.bookmarks[0].rating = QStringLiteral("1,0");
    s.catalog.bookmarks[0].category = QStringLiteral("Giro — lento\r");
    s.catalog.categoryHeader = QStringLiteral("Figura");
    s.catalog.bookmarks.append(Bookmark{});
    s.file.read = FileRead::Partly;
    s.file.unread = QStringLiteral("Catalog file is corrupted (HEADER INFO). Please manually fix.");
    s.file.stamp = {true, 1234, 1714573930123456789, 0xFFFFFFFFFFFFFFF1ULL, 66305};
    s.listSeparator = u';';
    const std::optional<RecoverySnapshot> back = readRecoveryText(recoveryText(s));
    QVERIFY(back);
    QCOMPARE(back->catalog, s.catalog);
    QCOMPARE(back->file, s.file);
    QCOMPARE(back->catalogPath, s.catalogPath);
    QCOMPARE(back->lastChange, s.lastChange);
    QCOMPARE(back->listSeparator, s.listSeparator);
}

void TestRecovery::aForeignOrCutFileIsNoRecovery()
{
    const QByteArray whole = recoveryText(snapshotOf(QStringLiteral("/c.tvc"), QStringLiteral("d"), {}));
    QVERIFY(readRecoveryText(whole));
    QVERIFY(!readRecoveryText(whole.left(whole.size() / 2)));
    QVERIFY(!readRecoveryText(QByteArray("{\"format\": \"something else\", \"version\": 1}")));
    QVERIFY(!readRecoveryText(QByteArray()));
}

void TestRecovery::onlyRecoveriesNoRunHoldsAreLeftOver()
{
    QTemporaryDir state;
    const QString folder = state.path() + u'/';
    const QDateTime earlier(QDate(2024, 5, 1), QTime(9, 0));
    const QDateTime later(QDate(2024, 5, 2), QTime(9, 0));
    QVERIFY(
        !leaveRecovery(folder, snapshotOf(QStringLiteral("/a.tvc"), QStringLiteral("old"), earlier), "1-1").isEmpty());
    QVERIFY(
        !leaveRecovery(folder, snapshotOf(QStringLiteral("/b.tvc"), QStringLiteral("new"), later), "2-2").isEmpty());
    // A running program's recovery, its lock held.
    RecoveryStore running(folder);
    QVERIFY(running.write(running.fileFor(QStringLiteral("/a.tvc")),
                          recoveryText(snapshotOf(QStringLiteral("/a.tvc"), QStringLiteral("live"), later))));

    RecoveryStore starting(folder);
    QList<RecoveryStore::LeftOver> left = starting.leftOvers();
    QCOMPARE(left.size(), 2);
    QCOMPARE(left[0].snapshot.catalog.bookmarks[0].description, QStringLiteral("new")); // newest first
    QCOMPARE(left[1].snapshot.catalog.bookmarks[0].description, QStringLiteral("old"));
    left.clear(); // their locks go
    const QList<RecoveryStore::LeftOver> ofA = starting.leftOversOf(QStringLiteral("/a.tvc"));
    QCOMPARE(ofA.size(), 1);
    QCOMPARE(ofA[0].snapshot.catalog.bookmarks[0].description, QStringLiteral("old"));
    RecoveryStore::removeLeftOver(ofA[0]);
    QVERIFY(!QFile::exists(ofA[0].file));
    QCOMPARE(starting.leftOvers().size(), 1);
}

void TestRecovery::typingIsKeptWithinTheDelayAndGoesWhenSaved()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    const QString path = dir.filePath(QStringLiteral("typed.tvc"));
    rig.load(clips(), 2, path);
    QVERIFY(rig.controllers.lifecycle.DoSave());
    RecoveryWriter& writer = rig.controllers.recovery;
    QVERIFY(writer.writtenFile().isEmpty());

    // Typed into the pane and into a cell, neither taken in yet.
    QElapsedTimer sinceTyping;
    sinceTyping.start();
    rig.window.type(QStringLiteral("Spin twice,\r\nthen hold"));
    writer.noteTyping();
    rig.grid.placeCursor(Name, 2, false);
    rig.grid.openEditorWith(QStringLiteral("Cross body lead"));
    writer.noteTyping();
    QVERIFY(!rig.document.CatalogModified());
    QTRY_VERIFY_WITH_TIMEOUT(!writer.writtenFile().isEmpty() && QFile::exists(writer.writtenFile()), 3000);
    QVERIFY2(sinceTyping.elapsed() < 2000, qPrintable(QString::number(sinceTyping.elapsed())));
    const QString file = writer.writtenFile();
    QVERIFY(file.startsWith(QDir(rig.stateDir.path()).absolutePath()));
    std::optional<RecoverySnapshot> kept = readRecoveryText(fileBytes(file));
    QVERIFY(kept);
    QCOMPARE(kept->catalogPath, path);
    QCOMPARE(kept->catalog.bookmarks[0].description, QStringLiteral("Spin twice,\r\nthen hold"));
    QCOMPARE(kept->catalog.bookmarks[1].name, QStringLiteral("Cross body lead"));
    QCOMPARE(kept->catalog.bookmarks[1].description, QStringLiteral("about n2"));
    // The grid was not touched: the editor is still open.
    QVERIFY(rig.grid.editorOpen);

    QVERIFY(rig.controllers.lifecycle.DoSave());
    QVERIFY(!QFile::exists(file));
    QVERIFY(writer.writtenFile().isEmpty());
    QCOMPARE(TVC_ReadCatalogFile(path, {}).catalog.bookmarks[0].description,
             QStringLiteral("Spin twice,\r\nthen hold"));
}

void TestRecovery::closingWithoutSavingRemovesTheRecovery()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 1, dir.filePath(QStringLiteral("closed.tvc")));
    rig.document.setCells(Name, 1, QStringLiteral("renamed"));
    rig.document.setCatalogModified(true);
    QVERIFY(rig.controllers.recovery.writeNow());
    const QString file = rig.controllers.recovery.writtenFile();
    QVERIFY(QFile::exists(file));
    prompt.queueAnswer(Prompt::Answer::No);
    rig.controllers.lifecycle.CloseButtonClick();
    QCOMPARE(rig.document.CatalogMode(), CatalogDocument::Mode::Closed);
    QVERIFY(!QFile::exists(file));
    QVERIFY(QDir(rig.stateDir.path()).entryList({QStringLiteral("*.recovery")}, QDir::Files).isEmpty());
}

void TestRecovery::aLeftRecoveryComesBackWhenItsCatalogIsOpened()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    const QString path = dir.filePath(QStringLiteral("left.tvc"));
    CatalogData onDisk;
    onDisk.bookmarks = {snapshotOf(path, QStringLiteral("as saved"), {}).catalog.bookmarks[0]};
    QString error;
    QVERIFY(TVC_WriteCatalogFile(path, onDisk, &error));
    const QByteArray saved = fileBytes(path);
    RecoverySnapshot left =
        snapshotOf(path, QStringLiteral("typed before the crash"), QDateTime(QDate(2024, 5, 1), QTime(14, 32, 10)));
    left.file.stamp = FileStamp::of(path);
    const QString leftFile = leaveRecovery(rig.stateDir.path() + u'/', left, QStringLiteral("99-1"));

    prompt.queueFileName(path);
    prompt.queueAnswer(Prompt::Answer::Yes);
    QVERIFY(rig.controllers.lifecycle.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow));
    QCOMPARE(prompt.shown().size(), 2);
    QCOMPARE(prompt.shown()[1].kind, QStringLiteral("yesnocancel"));
    const QString question = prompt.shown()[1].text;
    QVERIFY2(question.contains(QStringLiteral("\"left.tvc\"")) && question.contains(QStringLiteral("2024-05-01")) &&
                 question.contains(QStringLiteral("14:32:10")),
             qPrintable(question));
    QCOMPARE(rig.document.Cells(Description, 1), QStringLiteral("typed before the crash"));
    QVERIFY(rig.document.CatalogModified());
    QCOMPARE(rig.document.CatalogMode(), CatalogDocument::Mode::OnFile);
    QCOMPARE(rig.document.CatalogFileName(), path);
    QCOMPARE(fileBytes(path), saved); // nothing saved until the user saves
    QVERIFY(!QFile::exists(leftFile));
    // Kept again at once under this run's name.
    QVERIFY(QFile::exists(rig.controllers.recovery.writtenFile()));
    // The stamp came back too: the file is the one the crashed run read.
    QVERIFY(rig.controllers.lifecycle.DoSave());
    QCOMPARE(TVC_ReadCatalogFile(path, {}).catalog.bookmarks[0].description, QStringLiteral("typed before the crash"));
}

void TestRecovery::aLeftRecoveryIsOfferedAtStartAndNoRemovesIt()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    const QString folder = rig.stateDir.path() + u'/';
    const QString unsaved =
        leaveRecovery(folder, snapshotOf({}, QStringLiteral("never saved"), QDateTime::currentDateTime()), "5-5");
    const QString older = leaveRecovery(
        folder, snapshotOf(dir.filePath(QStringLiteral("x.tvc")), QStringLiteral("older"), {}), QStringLiteral("6-6"));

    prompt.queueAnswer(Prompt::Answer::No);
    prompt.queueAnswer(Prompt::Answer::Cancel);
    rig.controllers.lifecycle.offerLeftRecoveries();
    QCOMPARE(prompt.messages().size(), 2);
    QVERIFY(prompt.messages()[0].contains(QStringLiteral("a new video catalog that was never saved")));
    QVERIFY(!QFile::exists(unsaved));
    QVERIFY(QFile::exists(older)); // Cancel keeps it for next time
    QCOMPARE(rig.document.CatalogMode(), CatalogDocument::Mode::Closed);

    prompt.clear();
    prompt.queueAnswer(Prompt::Answer::Yes);
    rig.controllers.lifecycle.offerLeftRecoveries();
    QCOMPARE(rig.document.CatalogMode(), CatalogDocument::Mode::OnFile);
    QVERIFY(rig.document.CatalogModified());
    QCOMPARE(rig.document.Cells(Description, 1), QStringLiteral("older"));
    QVERIFY(!QFile::exists(older));
}

QTEST_GUILESS_MAIN(TestRecovery)
#include "TestRecovery.moc"
