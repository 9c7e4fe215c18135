// A catalog never written over what it did not read or what another program
// wrote since, without the user's word: a file read with damage, a file
// changed on the disk before a save or while open, a catalog another
// program has open; and the end of the program, by the user or the session.
#include "BookmarksOnClips.h"
#include "CatalogFakes.h"
#include "FileBytes.h"
#include "ScriptedPrompt.h"
#include "core/catalog/CatalogFiles.h"
#include "core/catalog/CatalogLock.h"
#include "core/catalog/ProgramEnd.h"
#include "core/catalog/RecoveryFile.h"
#include "core/catalog/UnsavedChanges.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

using namespace BookmarkColumn;

namespace {

// Bookmarks on a clip that is there (a missing one would be offered for
// relinking when the catalog is opened).
CatalogData threeBookmarks()
{
    static const QTemporaryDir clips;
    const QString folder = clips.path() + u'/';
    QFile clip(folder + QStringLiteral("lesson.mp4"));
    if (!clip.exists() && clip.open(QIODevice::WriteOnly))
        clip.write("clip");
    const Relinking::ClipLocation lesson{QStringLiteral("lesson.mp4"), folder};
    return bookmarksOn({lesson, lesson, lesson});
}

// The end of the program over a rig, with what it had written and checked.
struct RecordedEnd {
    explicit RecordedEnd(CatalogRig& rig) : end(rig.controllers.lifecycle, rig.controllers.recovery)
    {
        end.setSettingsWriter([this](ProgramEnd::Way way) { settingsWritten.append(way); });
        end.setLastCheck([this] { ++checks; });
    }
    ProgramEnd end;
    QList<ProgramEnd::Way> settingsWritten;
    int checks = 0;
};

} // namespace

class TestSafeSaving : public QObject {
    Q_OBJECT

private slots:
    void aFileReadWithDamageIsNotWrittenOverUnasked_data();
    void aFileReadWithDamageIsNotWrittenOverUnasked();
    void aChangeByAnotherProgramIsNotLostAtSaving_data();
    void aChangeByAnotherProgramIsNotLostAtSaving();
    void aChangeWhileOpenIsToldWhenTheUserComesBack();
    void aCatalogOpenInAnotherProgramIsToldOf();
    void aLockLeftByADeadProgramIsTakenOver();
    void theUserEndsOnlyAfterTheChangesAreSettled();
    void theSessionEndsWithEverythingKeptAndNothingAsked();

private:
    QString writeCatalog(const QString& name, const CatalogData& catalog)
    {
        const QString path = dir.filePath(name);
        QString error;
        return TVC_WriteCatalogFile(path, catalog, &error) ? path : QString();
    }
    QTemporaryDir dir;
};

void TestSafeSaving::aFileReadWithDamageIsNotWrittenOverUnasked_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("writtenOver");
    QTest::newRow("No") << QStringLiteral("No") << false;
    QTest::newRow("Save As") << QStringLiteral("Save As...") << false;
    QTest::newRow("Yes") << QStringLiteral("Yes") << true;
}

void TestSafeSaving::aFileReadWithDamageIsNotWrittenOverUnasked()
{
    QFETCH(QString, answer);
    QFETCH(bool, writtenOver);
    ScriptedPrompt prompt;
    CatalogRig rig;
    // The header's end lost a dash: nothing after it is read.
    const QString path = writeCatalog(QStringLiteral("damaged %1.tvc").arg(answer.left(2)), threeBookmarks());
    QByteArray damaged = fileBytes(path);
    damaged.replace("----- END OF HEADER INFO -----", "---- END OF HEADER INFO -----");
    QVERIFY(writeFileBytes(path, damaged));

    rig.controllers.lifecycle.openCatalogArgument(path);
    QCOMPARE(prompt.messages(), QStringList{"Catalog file is corrupted (HEADER INFO). Please manually fix."});
    QCOMPARE(rig.document.fileState().read, FileRead::Partly);
    prompt.clear();
    // The user adds a bookmark to what was read and saves.
    rig.document.setCells(Name, 1, QStringLiteral("new one"));
    rig.document.setCatalogModified(true);
    const QString other = dir.filePath(QStringLiteral("elsewhere %1.tvc").arg(answer.left(2)));
    const QStringList choices{"Yes", "Save As...", "No"};
    prompt.queueChoice(int(choices.indexOf(answer)));
    prompt.queueFileName(other);
    const bool saved = rig.controllers.lifecycle.DoSave();

    QCOMPARE(prompt.shown().first().kind, QStringLiteral("choice"));
    QCOMPARE(prompt.shown().first().filter, choices.join(u'|'));
    const QString question = prompt.shown().first().text;
    QVERIFY2(question.contains(QStringLiteral("Catalog file is corrupted (HEADER INFO)")) &&
                 question.contains(QFileInfo(path).fileName()),
             qPrintable(question));
    QCOMPARE(fileBytes(path) == damaged, !writtenOver);
    QCOMPARE(saved, answer != "No");
    QCOMPARE(rig.document.CatalogModified(), answer == "No");
    if (answer == "Save As...") {
        QCOMPARE(rig.document.CatalogFileName(), other);
        QCOMPARE(TVC_ReadCatalogFile(other, {}).catalog.bookmarks.value(0).name, QStringLiteral("new one"));
    }
    if (answer == "Yes") {
        // Written once at the user's word: the next save does not ask.
        prompt.clear();
        QVERIFY(rig.controllers.lifecycle.DoSave());
        QVERIFY(prompt.shown().isEmpty());
    }
}

void TestSafeSaving::aChangeByAnotherProgramIsNotLostAtSaving_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("Cancel") << QStringLiteral("Cancel");
    QTest::newRow("Reload") << QStringLiteral("Reload");
    QTest::newRow("Save As") << QStringLiteral("Save As...");
    QTest::newRow("Overwrite") << QStringLiteral("Overwrite");
}

void TestSafeSaving::aChangeByAnotherProgramIsNotLostAtSaving()
{
    QFETCH(QString, answer);
    ScriptedPrompt prompt;
    CatalogRig rig;
    const QString path = writeCatalog(QStringLiteral("shared %1.tvc").arg(answer.left(2)), threeBookmarks());
    rig.controllers.lifecycle.openCatalogArgument(path);
    rig.document.setCells(Description, 1, QStringLiteral("mine"));
    rig.document.setCatalogModified(true);
    // Another program adds a bookmark and saves, after this one read it.
    CatalogData theirs = threeBookmarks();
    Bookmark added = theirs.bookmarks[0];
    added.name = QStringLiteral("theirs");
    theirs.bookmarks.append(added);
    QString error;
    QVERIFY(TVC_WriteCatalogFile(path, theirs, &error));
    const QByteArray theirBytes = fileBytes(path);

    const QStringList choices{"Overwrite", "Reload", "Save As...", "Cancel"};
    prompt.queueChoice(int(choices.indexOf(answer)));
    const QString other = dir.filePath(QStringLiteral("mine %1.tvc").arg(answer.left(2)));
    prompt.queueFileName(other);
    rig.controllers.lifecycle.DoSave();

    QCOMPARE(prompt.shown().first().kind, QStringLiteral("choice"));
    QCOMPARE(prompt.shown().first().filter, choices.join(u'|'));
    QVERIFY(prompt.shown().first().text.contains(QStringLiteral("was changed by another program")));
    if (answer == "Overwrite") {
        QCOMPARE(TVC_ReadCatalogFile(path, {}).catalog.bookmarks.size(), 3);
        QVERIFY(!rig.document.CatalogModified());
        return;
    }
    QCOMPARE(fileBytes(path), theirBytes); // their bookmark is still there
    if (answer == "Reload") {
        QCOMPARE(rig.document.RowCount(), 5);
        QCOMPARE(rig.document.Cells(Name, 4), QStringLiteral("theirs"));
        QVERIFY(!rig.document.CatalogModified());
        // Read again: the next save writes without asking.
        prompt.clear();
        QVERIFY(rig.controllers.lifecycle.DoSave());
        QVERIFY(prompt.shown().isEmpty());
    } else if (answer == "Save As...") {
        QCOMPARE(rig.document.CatalogFileName(), other);
        QCOMPARE(TVC_ReadCatalogFile(other, {}).catalog.bookmarks[0].description, QStringLiteral("mine"));
    } else {
        QVERIFY(rig.document.CatalogModified());
        QCOMPARE(rig.document.Cells(Description, 1), QStringLiteral("mine"));
    }
}

void TestSafeSaving::aChangeWhileOpenIsToldWhenTheUserComesBack()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    const QString path = writeCatalog(QStringLiteral("watched.tvc"), threeBookmarks());
    rig.controllers.lifecycle.openCatalogArgument(path);
    QSignalSpy changed(&rig.controllers.watch, &CatalogFileWatch::changed);
    // This program's own save is no change from elsewhere.
    QVERIFY(rig.controllers.lifecycle.DoSave());
    rig.controllers.lifecycle.userCameBack();
    QVERIFY(prompt.shown().isEmpty());

    CatalogData theirs = threeBookmarks();
    theirs.bookmarks[2].name = QStringLiteral("their name");
    QString error;
    QVERIFY(TVC_WriteCatalogFile(path, theirs, &error));
    QTRY_VERIFY(rig.controllers.watch.hasUntoldChange());
    QVERIFY(prompt.shown().isEmpty()); // nothing pops up by itself
    prompt.queueChoice(1);             // Keep
    rig.controllers.lifecycle.userCameBack();
    QCOMPARE(prompt.shown().size(), 1);
    QCOMPARE(prompt.shown()[0].filter, QStringLiteral("Reload|Keep"));
    // Told once; the save still asks before writing over it.
    rig.controllers.lifecycle.userCameBack();
    QCOMPARE(prompt.shown().size(), 1);
    prompt.queueChoice(3); // Cancel
    QVERIFY(!rig.controllers.lifecycle.DoSave());
    QCOMPARE(prompt.shown().size(), 2);

    // A second change, and this time the user reloads.
    theirs.bookmarks[2].name = QStringLiteral("their second name");
    QVERIFY(TVC_WriteCatalogFile(path, theirs, &error));
    QTRY_VERIFY(rig.controllers.watch.hasUntoldChange());
    prompt.queueChoice(0);
    rig.controllers.lifecycle.userCameBack();
    QCOMPARE(rig.document.Cells(Name, 3), QStringLiteral("their second name"));
    QVERIFY(changed.count() > 0);
}

void TestSafeSaving::aCatalogOpenInAnotherProgramIsToldOf()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    // The other program, in the same per-user state folder.
    CatalogLock elsewhere(rig.stateDir.path());
    const QString path = writeCatalog(QStringLiteral("locked.tvc"), threeBookmarks());
    QCOMPARE(elsewhere.take(path), CatalogLock::Taken::Here);

    CatalogLock mine(rig.stateDir.path());
    QCOMPARE(mine.take(path), CatalogLock::Taken::ByAnother);
    QVERIFY(mine.heldPath().isEmpty());
    QVERIFY(mine.heldElsewhere(path));

    // Opened where another has it: told, and No leaves it unopened.
    CatalogLifecycle& life = rig.controllers.lifecycle;
    prompt.queueFileName(path);
    prompt.queueAnswer(Prompt::Answer::No);
    QVERIFY(!life.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow));
    QCOMPARE(rig.document.CatalogMode(), CatalogDocument::Mode::Closed);
    QCOMPARE(prompt.shown().last().kind, QStringLiteral("yesno"));
    QVERIFY(prompt.shown().last().text.contains(QStringLiteral("is open in another Tempoloop window")));

    // Once the other lets go, it opens without a word.
    elsewhere.release();
    prompt.clear();
    prompt.queueFileName(path);
    QVERIFY(life.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow));
    QCOMPARE(prompt.messages(), QStringList{});
    QVERIFY(elsewhere.take(path) == CatalogLock::Taken::ByAnother);
}

void TestSafeSaving::aLockLeftByADeadProgramIsTakenOver()
{
    QTemporaryDir state;
    const QString path = writeCatalog(QStringLiteral("crashed.tvc"), threeBookmarks());
    // A program that ended without letting go of its lock.
    QProcess gone;
    gone.start(QStringLiteral("true"));
    QVERIFY(gone.waitForFinished());
    const qint64 deadPid = gone.processId() ? gone.processId() : 999999;
    QVERIFY(
        writeFileBytes(state.filePath(RecoveryStore::keyFor(path) + QStringLiteral(".lock")),
                       QByteArray::number(deadPid) + "\ntempoloop\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
    CatalogLock lock(state.path());
    QVERIFY(!lock.heldElsewhere(path));
    QCOMPARE(lock.take(path), CatalogLock::Taken::Here);
    QVERIFY(!lock.heldPath().isEmpty());
}

void TestSafeSaving::theUserEndsOnlyAfterTheChangesAreSettled()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    const QString path = writeCatalog(QStringLiteral("ending.tvc"), threeBookmarks());
    rig.controllers.lifecycle.openCatalogArgument(path);
    RecordedEnd recorded(rig);
    ProgramEnd& end = recorded.end;
    const QList<ProgramEnd::Way>& settingsWritten = recorded.settingsWritten;
    const int& checks = recorded.checks;

    rig.window.type(QStringLiteral("typed last"));
    QVERIFY(rig.controllers.recovery.writeNow());
    const QString recovery = rig.controllers.recovery.writtenFile();
    prompt.queueAnswer(Prompt::Answer::Cancel);
    QCOMPARE(end.end(ProgramEnd::Way::ByUser), ProgramEnd::Outcome::Stays);
    QCOMPARE(prompt.messages(), QStringList{UnsavedChanges::question()});
    QVERIFY(settingsWritten.isEmpty());
    QVERIFY(QFile::exists(recovery)); // still unsaved

    prompt.queueAnswer(Prompt::Answer::No);
    QCOMPARE(end.end(ProgramEnd::Way::ByUser), ProgramEnd::Outcome::Ends);
    QCOMPARE(settingsWritten, QList<ProgramEnd::Way>{ProgramEnd::Way::ByUser});
    QCOMPARE(checks, 1);
    QVERIFY(!QFile::exists(recovery)); // given up
    QCOMPARE(TVC_ReadCatalogFile(path, {}).catalog.bookmarks[0].description, QString());
    // Only once.
    QCOMPARE(end.end(ProgramEnd::Way::BySession), ProgramEnd::Outcome::Ends);
    QCOMPARE(settingsWritten.size(), 1);
}

void TestSafeSaving::theSessionEndsWithEverythingKeptAndNothingAsked()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    const QString path = writeCatalog(QStringLiteral("session.tvc"), threeBookmarks());
    const QByteArray saved = fileBytes(path);
    rig.controllers.lifecycle.openCatalogArgument(path);
    RecordedEnd recorded(rig);
    ProgramEnd& end = recorded.end;
    const QList<ProgramEnd::Way>& settingsWritten = recorded.settingsWritten;
    const int& checks = recorded.checks;
    rig.grid.placeCursor(Name, 2, false);
    rig.grid.openEditorWith(QStringLiteral("renamed at logout"));

    QCOMPARE(end.end(ProgramEnd::Way::BySession), ProgramEnd::Outcome::Ends);
    QVERIFY(prompt.shown().isEmpty());
    QCOMPARE(settingsWritten, QList<ProgramEnd::Way>{ProgramEnd::Way::BySession});
    QCOMPARE(checks, 0);
    QCOMPARE(fileBytes(path), saved);
    QVERIFY(rig.grid.editorOpen); // the grid as it was
    const QString recovery = rig.controllers.recovery.writtenFile();
    const std::optional<RecoverySnapshot> kept = readRecoveryText(fileBytes(recovery));
    QVERIFY(kept);
    QCOMPARE(kept->catalog.bookmarks[1].name, QStringLiteral("renamed at logout"));
    QCOMPARE(kept->catalogPath, path);
}

QTEST_GUILESS_MAIN(TestSafeSaving)
#include "TestSafeSaving.moc"
