// What the user typed into the description pane or an open cell editor
// belongs to the catalog before anything reads or drops it: save, save as,
// open, close, the program's exit, sorting and moving the cursor to
// another row. A closed catalog takes nothing in and is never modified.
#include "CatalogFakes.h"
#include "ScriptedPrompt.h"
#include "core/catalog/CatalogFiles.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace BookmarkColumn;

namespace {

const QString kSavePrompt = QStringLiteral("The current video catalog has changed.  Save changes?");

} // namespace

class TestPendingEdits : public QObject {
    Q_OBJECT

private slots:
    void savingTakesInThePane_data();
    void savingTakesInThePane();
    void savingTakesInAnOpenEditor();
    void aRefusedEditorValueStopsTheSave();
    void closingAsksAboutWhatWasTyped();
    void openingAsksAboutWhatWasTyped();
    void theExitQuestionSeesWhatWasTyped();
    void leavingARowKeepsItsText();
    void aClosedCatalogIsNeverModified();
    void thePlayingBookmarksDescriptionFollows();

private:
    QTemporaryDir dir;
    QString clips() const { return dir.path() + QStringLiteral("/clips/"); }
    QString catalogPath(const QString& name) const { return dir.path() + u'/' + name; }
    // A catalog tied to a file that holds it as loaded.
    void loadSaved(CatalogRig& rig, const QString& path, int count = 2)
    {
        rig.load(clips(), count, path);
        QVERIFY(rig.document.WriteCatalogFile(path));
    }
    static QString savedDescription(const QString& path, int row)
    {
        return TVC_ReadCatalogFile(path, {}).catalog.bookmarks.value(row - 1).description;
    }
};

void TestPendingEdits::savingTakesInThePane_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::newRow("save") << false;
    QTest::newRow("save as") << true;
}

void TestPendingEdits::savingTakesInThePane()
{
    QFETCH(bool, saveAs);
    ScriptedPrompt prompt;
    CatalogRig rig;
    QString path = catalogPath(QStringLiteral("pane.tvc"));
    loadSaved(rig, path);
    // The user types into the pane and saves without leaving it.
    rig.window.type(QStringLiteral("turn left\r\nthen right"));
    if (saveAs) {
        path = catalogPath(QStringLiteral("pane copy.tvc"));
        prompt.queueFileName(path);
        QVERIFY(rig.controllers.lifecycle.DoSaveAs(CatalogLifecycle::Caller::CatalogWindow));
    } else {
        QVERIFY(rig.controllers.lifecycle.DoSave(CatalogLifecycle::Caller::CatalogWindow));
    }
    QCOMPARE(savedDescription(path, 1), QStringLiteral("turn left\r\nthen right"));
    QCOMPARE(rig.document.Cells(Description, 1), QStringLiteral("turn left\r\nthen right"));
    QVERIFY(!rig.document.CatalogModified());
    QVERIFY(prompt.messages().isEmpty());
}

void TestPendingEdits::savingTakesInAnOpenEditor()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    const QString path = catalogPath(QStringLiteral("editor.tvc"));
    loadSaved(rig, path);
    rig.controllers.grid.goToCell(Name, 2);
    rig.controllers.grid.activateCell(2, Name);
    rig.grid.editorValue = QStringLiteral("Cross body lead");
    QVERIFY(rig.controllers.lifecycle.DoSave());
    QVERIFY(!rig.grid.editorOpen);
    QVERIFY(!rig.grid.editing);
    QCOMPARE(TVC_ReadCatalogFile(path, {}).catalog.bookmarks.value(1).name, QStringLiteral("Cross body lead"));
    QVERIFY(!rig.document.CatalogModified());
}

void TestPendingEdits::aRefusedEditorValueStopsTheSave()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    const QString path = catalogPath(QStringLiteral("refused.tvc"));
    loadSaved(rig, path);
    rig.window.type(QStringLiteral("kept"));
    rig.controllers.grid.goToCell(StartTime, 1);
    rig.controllers.grid.activateCell(1, StartTime);
    rig.grid.editorValue = QStringLiteral("12:00");
    const QByteArray before = [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    QVERIFY(!rig.controllers.lifecycle.DoSave());
    QCOMPARE(prompt.messages(), QStringList{"Invalid time code.\nPlease try again."});
    QVERIFY(rig.grid.editorOpen);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), before);
    // The pane's text was taken in when the cursor reached the start time.
    QCOMPARE(rig.document.Cells(Description, 1), QStringLiteral("kept"));
    QVERIFY(rig.document.CatalogModified());
}

void TestPendingEdits::closingAsksAboutWhatWasTyped()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    const QString path = catalogPath(QStringLiteral("close.tvc"));
    loadSaved(rig, path);
    rig.window.type(QStringLiteral("spin twice"));
    prompt.queueAnswer(Prompt::Answer::Yes);
    rig.controllers.lifecycle.CloseButtonClick(CatalogLifecycle::Caller::CatalogWindow);
    QCOMPARE(prompt.messages(), QStringList{kSavePrompt});
    QCOMPARE(rig.document.CatalogMode(), CatalogDocument::Mode::Closed);
    QVERIFY(!rig.document.CatalogModified());
    QCOMPARE(savedDescription(path, 1), QStringLiteral("spin twice"));

    // Cancel keeps the catalog open with the text in it.
    loadSaved(rig, path);
    rig.window.type(QStringLiteral("slower"));
    prompt.queueAnswer(Prompt::Answer::Cancel);
    rig.controllers.lifecycle.CloseButtonClick(CatalogLifecycle::Caller::CatalogWindow);
    QCOMPARE(rig.document.CatalogMode(), CatalogDocument::Mode::OnFile);
    QCOMPARE(rig.document.Cells(Description, 1), QStringLiteral("slower"));
    QVERIFY(rig.document.CatalogModified());
}

void TestPendingEdits::openingAsksAboutWhatWasTyped()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    const QString path = catalogPath(QStringLiteral("open.tvc"));
    loadSaved(rig, path);
    rig.window.type(QStringLiteral("hips"));
    prompt.queueAnswer(Prompt::Answer::Cancel);
    QVERIFY(!rig.controllers.lifecycle.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow));
    QCOMPARE(prompt.messages(), QStringList{kSavePrompt});
    QCOMPARE(rig.document.Cells(Description, 1), QStringLiteral("hips"));

    // Yes saves what was typed before the other file is read.
    const QString other = catalogPath(QStringLiteral("other.tvc"));
    CatalogData data;
    data.bookmarks.append(Bookmark{});
    data.bookmarks[0].name = QStringLiteral("other");
    QString error;
    QVERIFY(TVC_WriteCatalogFile(other, data, &error));
    rig.window.type(QStringLiteral("hips and knees"));
    prompt.queueAnswer(Prompt::Answer::Yes);
    prompt.queueFileName(other);
    QVERIFY(rig.controllers.lifecycle.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow));
    QCOMPARE(savedDescription(path, 1), QStringLiteral("hips and knees"));
    QCOMPARE(rig.column(Name), QStringList{"other"});
}

void TestPendingEdits::theExitQuestionSeesWhatWasTyped()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    loadSaved(rig, catalogPath(QStringLiteral("exit.tvc")));
    rig.window.type(QStringLiteral("typed, never left"));
    // What the main window asks before it exits.
    QVERIFY(rig.controllers.edits.takeIn());
    QVERIFY(rig.document.CatalogModified());
}

void TestPendingEdits::leavingARowKeepsItsText()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 3);
    rig.window.type(QStringLiteral("for n1"));
    rig.controllers.grid.goToCell(Name, 3);
    QCOMPARE(rig.column(Description), QStringList({"for n1", "about n2", "about n3"}));
    QCOMPARE(rig.window.description, QStringLiteral("about n3"));

    // A sort moves rows under the pane: what was typed stays with its row.
    rig.window.type(QStringLiteral("for n3"));
    rig.controllers.grid.toggleSorting();
    rig.controllers.grid.BookmarksGridHeaderClick(Number, false);
    rig.controllers.grid.BookmarksGridHeaderClick(Number, false); // descending
    QCOMPARE(rig.column(Name), QStringList({"n3", "n2", "n1"}));
    QCOMPARE(rig.column(Description), QStringList({"for n3", "about n2", "for n1"}));
    QCOMPARE(rig.window.description, QStringLiteral("for n1")); // row 3 shows n1 now
}

void TestPendingEdits::aClosedCatalogIsNeverModified()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    const QString path = catalogPath(QStringLiteral("closed.tvc"));
    loadSaved(rig, path);
    rig.window.type(QStringLiteral("dropped"));
    prompt.queueAnswer(Prompt::Answer::No);
    rig.controllers.lifecycle.CloseButtonClick();
    QCOMPARE(rig.document.CatalogMode(), CatalogDocument::Mode::Closed);
    // The pane loses the focus as the window hides, or the program exits.
    rig.window.type(QStringLiteral("dropped, and more"));
    rig.controllers.edits.takeInDescription();
    QVERIFY(rig.controllers.edits.takeIn());
    QVERIFY(!rig.document.CatalogModified());
    QCOMPARE(savedDescription(path, 1), QStringLiteral("about n1"));
}

void TestPendingEdits::thePlayingBookmarksDescriptionFollows()
{
    ScriptedPrompt prompt;
    CatalogRig rig;
    rig.load(clips(), 2);
    rig.controllers.playing.playLoopListItem(0);
    QCOMPARE(rig.main.runningDescription, QStringLiteral("about n1"));
    rig.window.type(QStringLiteral("new words"));
    rig.controllers.edits.takeInDescription();
    QCOMPARE(rig.main.runningDescription, QStringLiteral("new words"));
    // Another row's text leaves the main window's as it is.
    rig.controllers.grid.goToCell(Name, 2);
    rig.window.type(QStringLiteral("for n2"));
    rig.controllers.edits.takeInDescription();
    QCOMPARE(rig.main.runningDescription, QStringLiteral("new words"));
}

QTEST_GUILESS_MAIN(TestPendingEdits)
#include "TestPendingEdits.moc"
