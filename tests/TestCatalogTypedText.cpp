// What the user types into the catalog window reaches the catalog before the
// window's shortcuts, its close box or the program's exit read it: the
// description pane and an open cell editor, with the focus still in them.
#include "CatalogFixture.h"
#include "Controls.h"
#include "core/catalog/UnsavedChanges.h"
#include "gui/widgets/TColourButton.h"

#include <QPlainTextEdit>
#include <QtTest>

using namespace BookmarkColumn;

namespace {

const QString kSavePrompt = QStringLiteral("The current video catalog has changed.  Save changes?");

} // namespace

class TestCatalogTypedText : public QObject {
    Q_OBJECT

private slots:
    void ctrlSSavesWhatThePaneHolds();
    void ctrlWAsksAboutWhatThePaneHolds();
    void ctrlSSavesAnOpenCellEditor();
    void exitAsksAboutWhatThePaneHolds();
    void showingADescriptionIsNoChange();

private:
    static QPlainTextEdit* pane(CatalogFixture& app) { return child<QPlainTextEdit>(app.form(), "DescriptionMemo"); }
    // Clicks into the pane and types, leaving the focus there.
    static bool typeIntoPane(CatalogFixture& app, const QString& text)
    {
        QPlainTextEdit* memo = pane(app);
        memo->setFocus(Qt::MouseFocusReason);
        memo->moveCursor(QTextCursor::End);
        QTest::keyClicks(memo, text);
        return memo->hasFocus();
    }
};

void TestCatalogTypedText::ctrlSSavesWhatThePaneHolds()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"Basic step", "Turn"})));
    QVERIFY(QTest::qWaitForWindowActive(app.form()));
    app.click(Name, 2);
    QVERIFY(typeIntoPane(app, QStringLiteral("weight on the left")));
    QTest::keyClick(app.form()->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!app.doc()->CatalogModified());
    const CatalogReadResult saved = TVC_ReadCatalogFile(app.doc()->CatalogFileName(), {});
    QCOMPARE(saved.catalog.bookmarks.value(1).description, QStringLiteral("weight on the left"));
    QVERIFY(app.prompt.messages().isEmpty());
}

void TestCatalogTypedText::ctrlWAsksAboutWhatThePaneHolds()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"Basic step"})));
    QVERIFY(QTest::qWaitForWindowActive(app.form()));
    QVERIFY(typeIntoPane(app, QStringLiteral("slow")));
    app.prompt.queueAnswer(Prompt::Answer::Yes);
    QTest::keyClick(app.form()->windowHandle(), Qt::Key_W, Qt::ControlModifier);
    QCOMPARE(app.prompt.messages(), QStringList{kSavePrompt});
    QCOMPARE(app.doc()->CatalogMode(), CatalogDocument::Mode::Closed);
    QVERIFY(!app.doc()->CatalogModified());
    const CatalogReadResult saved = TVC_ReadCatalogFile(app.catalogFolder() + QStringLiteral("steps.tvc"), {});
    QCOMPARE(saved.catalog.bookmarks.value(0).description, QStringLiteral("slow"));
    // The closed catalog stays unmodified: the program exits without asking.
    app.main()->exitButtonClick();
    QCOMPARE(app.prompt.messages().size(), 1);
    QVERIFY(!app.main()->isVisible());
}

void TestCatalogTypedText::ctrlSSavesAnOpenCellEditor()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"Basic step", "Turn"})));
    QVERIFY(QTest::qWaitForWindowActive(app.form()));
    app.doubleClick(Name, 2);
    QLineEdit* editor = app.editor();
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Cross body lead"));
    QTest::keyClick(app.form()->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    QTRY_VERIFY(!app.grid()->editingOn());
    QCOMPARE(app.doc()->Cells(Name, 2), QStringLiteral("Cross body lead"));
    QVERIFY(!app.doc()->CatalogModified());
    const CatalogReadResult saved = TVC_ReadCatalogFile(app.doc()->CatalogFileName(), {});
    QCOMPARE(saved.catalog.bookmarks.value(1).name, QStringLiteral("Cross body lead"));

    // A value the checks refuse: the save waits, the editor opens again.
    app.doubleClick(StartTime, 1);
    app.editor()->setText(QStringLiteral("1:00"));
    QTest::keyClick(app.form()->windowHandle(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(app.prompt.lastMessage(), QStringLiteral("Invalid time code.\nPlease try again."));
    QTRY_VERIFY(app.editor() != nullptr);
    QCOMPARE(app.editor()->text(), QStringLiteral("00:00:10"));
}

void TestCatalogTypedText::exitAsksAboutWhatThePaneHolds()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"Basic step"})));
    QVERIFY(QTest::qWaitForWindowActive(app.form()));
    QVERIFY(typeIntoPane(app, QStringLiteral("last words")));
    app.prompt.queueAnswer(Prompt::Answer::Yes);
    app.main()->exitButtonClick();
    QCOMPARE(app.prompt.messages(), QStringList{UnsavedChanges::question()});
    const CatalogReadResult saved = TVC_ReadCatalogFile(app.doc()->CatalogFileName(), {});
    QCOMPARE(saved.catalog.bookmarks.value(0).description, QStringLiteral("last words"));
}

void TestCatalogTypedText::showingADescriptionIsNoChange()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"a", "b"})));
    // Line breaks a text box shows in its own way (a spreadsheet file can
    // hold them).
    app.doc()->setCells(Description, 2, QStringLiteral("one\rtwo\nthree"));
    app.click(Name, 2);
    pane(app)->setFocus();
    app.grid()->setFocus();
    app.click(Name, 1);
    QVERIFY(!app.doc()->CatalogModified());
    QCOMPARE(app.doc()->Cells(Description, 2), QStringLiteral("one\rtwo\nthree"));
}

QTEST_MAIN(TestCatalogTypedText)
#include "TestCatalogTypedText.moc"
