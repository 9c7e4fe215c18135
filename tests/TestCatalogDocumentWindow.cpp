// The catalog as a document in its window: new, open, save, save as,
// close and hide, the save prompts with each answer, the file dialogs, the
// main window's catalog button and indicators, and printing.
#include "CatalogFixture.h"
#include "Controls.h"
#include "core/base/TextCodec.h"
#include "core/catalog/UnsavedChanges.h"
#include "gui/widgets/TColourButton.h"

#include <QAction>
#include <QComboBox>
#include <QPrinter>
#include <QtTest>

using namespace BookmarkColumn;

namespace {

const QString kFilter = QStringLiteral("Tempoloop Video Catalog (*.tvc)|*.tvc|Excel Style Catalog (*.csv)|*.csv");
const QString kSavePrompt = QStringLiteral("The current video catalog has changed.  Save changes?");

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestCatalogDocumentWindow : public QObject {
    Q_OBJECT

private slots:
    void openUsesItsDialogAndTiesTheCatalog();
    void openAMissingFile();
    void openFromTheMainWindowCancelled();
    void newCatalogSaveRunsSaveAs();
    void saveAsSpreadsheetKeepsThatFormat();
    void saveAsAnotherExtensionAddsTheNativeOne();
    void closePrompt_data();
    void closePrompt();
    void openPromptCancelKeepsTheCatalog();
    void closeBoxClosesTheCatalogNotTheWindow();
    void exitPromptSavesTheCatalog();
    void catalogButtonShowsAnOpenCatalog();
    void printsToPdf();
    void repeatHidingSettingHoldsAcrossARun();
};

void TestCatalogDocumentWindow::openUsesItsDialogAndTiesTheCatalog()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"a", "b"}), QStringLiteral("salsa steps.tvc")));
    const ScriptedPrompt::Shown& dialog = app.prompt.shown().first();
    QCOMPARE(dialog.kind, QStringLiteral("open"));
    QCOMPARE(dialog.text, QStringLiteral("Open Video Catalog"));
    QCOMPARE(dialog.filter, kFilter);
    QCOMPARE(QDir(dialog.folder), QDir(app.catalogFolder())); // the default catalog folder
    QCOMPARE(app.doc()->CatalogMode(), CatalogDocument::Mode::OnFile);
    QCOMPARE(app.form()->windowTitle(),
             QStringLiteral("Video Catalog --  salsa steps.tvc  (in folder ") + app.catalogFolder() + u')');
    QVERIFY(app.form()->isVisible());
    // Main window indicators.
    QCOMPARE(child<TColourButton>(app.main(), "OpenCatalogButton")->text(), QStringLiteral("show video catalog"));
    QVERIFY(!child<QComboBox>(app.main(), "LoopList")->isHidden());

    // The next open starts in the folder of the file opened.
    const QString other = QDir(app.programFolder()).filePath(QStringLiteral("elsewhere/x.csv"));
    QDir().mkpath(QFileInfo(other).path());
    QString error;
    QVERIFY(CSV_WriteCatalogFile(other, app.catalog({"c"}), &error));
    app.prompt.queueFileName(other);
    QVERIFY(app.rules().lifecycle.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow));
    QCOMPARE(app.column(Name), QStringList{"c"});
    app.prompt.clear();
    app.rules().lifecycle.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow); // cancelled
    QCOMPARE(app.prompt.shown().first().folder, QFileInfo(other).path() + u'/');
    QCOMPARE(app.doc()->CatalogFileName(), other);
}

void TestCatalogDocumentWindow::openAMissingFile()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"a"})));
    const QString missing = app.catalogFolder() + QStringLiteral("gone.tvc");
    app.prompt.queueFileName(missing);
    QVERIFY(!app.rules().lifecycle.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow));
    QCOMPARE(app.prompt.lastMessage(), QStringLiteral("The file you attempted to open, ") + missing +
                                           QStringLiteral(", does not exist.\nPlease try again."));
    QCOMPARE(app.column(Name), QStringList{"a"});
    QVERIFY(app.doc()->CatalogFileName().endsWith(QStringLiteral("steps.tvc")));
}

void TestCatalogDocumentWindow::openFromTheMainWindowCancelled()
{
    CatalogFixture app;
    QVERIFY(app.start());
    child<TColourButton>(app.main(), "OpenCatalogButton")->click();
    QCOMPARE(app.prompt.shown().last().kind, QStringLiteral("open"));
    QCOMPARE(app.doc()->CatalogMode(), CatalogDocument::Mode::Closed);
    QVERIFY(!app.form()->isVisible());
    QCOMPARE(child<TColourButton>(app.main(), "OpenCatalogButton")->text(), QStringLiteral("open video catalog"));
}

void TestCatalogDocumentWindow::newCatalogSaveRunsSaveAs()
{
    CatalogFixture app;
    QVERIFY(app.start());
    app.rules().lifecycle.NewButtonClick();
    QCOMPARE(app.doc()->CatalogMode(), CatalogDocument::Mode::New);
    QVERIFY(app.form()->isVisible());
    QVERIFY(!app.grid()->isVisible());
    // The first bookmark fills the blank row.
    const int row = app.doc()->takeRowForNewBookmark();
    QCOMPARE(row, 1);
    app.doc()->setCells(Name, row, QStringLiteral("first"));
    app.doc()->setCatalogModified(true);
    QCOMPARE(app.form()->windowTitle(), QStringLiteral("Video Catalog --  New  [NO FILE]  [MODIFIED]"));

    app.formControl<TColourButton>("SaveButton")->click(); // save-as dialog, cancelled
    QCOMPARE(app.prompt.shown().last().kind, QStringLiteral("save"));
    QCOMPARE(app.prompt.shown().last().text, QStringLiteral("Save Video Catalog As..."));
    QCOMPARE(app.prompt.shown().last().filter, kFilter);
    QCOMPARE(app.form()->windowTitle(), QStringLiteral("Video Catalog --  New  [NO FILE]  [MODIFIED]"));

    // A name without extension is saved in the native format.
    app.prompt.queueFileName(app.catalogFolder() + QStringLiteral("first"));
    QVERIFY(app.rules().lifecycle.DoSave(CatalogLifecycle::Caller::CatalogWindow));
    const QString saved = app.catalogFolder() + QStringLiteral("first.tvc");
    QCOMPARE(app.doc()->CatalogFileName(), saved);
    QCOMPARE(app.doc()->CatalogMode(), CatalogDocument::Mode::OnFile);
    QVERIFY(!app.doc()->CatalogModified());
    QVERIFY(contents(saved).startsWith("----- HEADER INFO -----\r\n"));

    // The same bare name again now names an existing file once ".tvc" is
    // added: the user is asked, and No keeps the file as it was.
    const QByteArray before = contents(saved);
    app.doc()->setCells(Name, row, QStringLiteral("second"));
    app.doc()->setCatalogModified(true);
    app.prompt.queueFileName(app.catalogFolder() + QStringLiteral("first"));
    app.prompt.queueAnswer(Prompt::Answer::No);
    QVERIFY(!app.rules().lifecycle.DoSaveAs());
    QCOMPARE(app.prompt.lastMessage(), QStringLiteral("first.tvc already exists.\nDo you want to replace it?"));
    QCOMPARE(contents(saved), before);
    QVERIFY(app.doc()->CatalogModified());
    app.prompt.queueFileName(app.catalogFolder() + QStringLiteral("first"));
    app.prompt.queueAnswer(Prompt::Answer::Yes);
    QVERIFY(app.rules().lifecycle.DoSaveAs());
    QVERIFY(contents(saved).contains("second"));
}

void TestCatalogDocumentWindow::saveAsSpreadsheetKeepsThatFormat()
{
    CatalogFixture app;
    QVERIFY(app.start());
    CatalogData data = app.catalog({"Ocho \"cortado\"", "Giro"});
    data.bookmarks[0].description = QStringLiteral("one\r\ntwo é");
    QVERIFY(app.open(data));
    const QString csv = app.catalogFolder() + QStringLiteral("moves.csv");
    app.prompt.queueFileName(csv);
    app.formControl<QAction>("SaveAs1")->trigger();
    QCOMPARE(app.doc()->CatalogFileName(), csv);
    app.doc()->setCells(Name, 2, QStringLiteral("Giro 2"));
    app.doc()->setCatalogModified(true);
    QVERIFY(QTest::qWaitForWindowActive(app.form()));
    QTest::keyClick(app.form()->windowHandle(), Qt::Key_S, Qt::ControlModifier); // Save
    QVERIFY(!app.doc()->CatalogModified());
    QVERIFY(!QFile::exists(app.catalogFolder() + QStringLiteral("moves.tvc")));
    const QByteArray written = contents(csv);
    QVERIFY(written.startsWith("Category,Name,Learn,Rating,Start Time,End Time,Filename,Folder,Description\r\n"));
    QVERIFY(written.contains("\"Giro 2\""));
    QVERIFY(!written.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(decodeText(written), QString::fromUtf8(written)); // UTF-8 text
    // Reading it back gives the same rows.
    app.prompt.queueFileName(csv);
    QVERIFY(app.rules().lifecycle.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow));
    data.bookmarks[1].name = QStringLiteral("Giro 2");
    QCOMPARE(app.doc()->model()->toCatalogData(), data);

    // A save the writer cannot make keeps the catalog modified and says why.
    app.doc()->setCatalogModified(true);
    app.doc()->setCatalogFileName(app.programFolder() + QStringLiteral("no folder/x.tvc"));
    QVERIFY(!app.rules().lifecycle.DoSave());
    QVERIFY(app.doc()->CatalogModified());
    QVERIFY(app.prompt.lastMessage().contains(QStringLiteral("could not be saved")));
    // A name no writer takes writes nothing and fails.
    app.doc()->setCatalogFileName(app.catalogFolder() + QStringLiteral("x.txt"));
    QVERIFY(!app.rules().lifecycle.DoSave());
    QVERIFY(!QFile::exists(app.catalogFolder() + QStringLiteral("x.txt")));
}

// "Class 12.03" or "moves.txt" name a native catalog with ".tvc" added,
// asking before it replaces that file.
void TestCatalogDocumentWindow::saveAsAnotherExtensionAddsTheNativeOne()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"Basic"})));
    app.prompt.queueFileName(app.catalogFolder() + QStringLiteral("Class 12.03"));
    app.formControl<QAction>("SaveAs1")->trigger();
    const QString saved = app.catalogFolder() + QStringLiteral("Class 12.03.tvc");
    QCOMPARE(app.doc()->CatalogFileName(), saved);
    QVERIFY(!app.doc()->CatalogModified());
    QVERIFY(contents(saved).startsWith("----- HEADER INFO -----\r\n"));
    QVERIFY(!QFile::exists(app.catalogFolder() + QStringLiteral("Class 12.03")));

    const QString moves = app.catalogFolder() + QStringLiteral("moves.txt.tvc");
    QFile existing(moves);
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();
    app.doc()->setCatalogModified(true);
    app.prompt.queueFileName(app.catalogFolder() + QStringLiteral("moves.txt"));
    app.prompt.queueAnswer(Prompt::Answer::No);
    QVERIFY(!app.rules().lifecycle.DoSaveAs());
    QCOMPARE(app.prompt.lastMessage(), QStringLiteral("moves.txt.tvc already exists.\nDo you want to replace it?"));
    QCOMPARE(contents(moves), QByteArray("keep me"));
    QCOMPARE(app.doc()->CatalogFileName(), saved);
    app.prompt.queueFileName(app.catalogFolder() + QStringLiteral("moves.txt"));
    app.prompt.queueAnswer(Prompt::Answer::Yes);
    QVERIFY(app.rules().lifecycle.DoSaveAs());
    QCOMPARE(app.doc()->CatalogFileName(), moves);
    QVERIFY(contents(moves).startsWith("----- HEADER INFO -----\r\n"));
}

void TestCatalogDocumentWindow::closePrompt_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("yes") << int(Prompt::Answer::Yes) << true << true;
    QTest::newRow("no") << int(Prompt::Answer::No) << true << false;
    QTest::newRow("cancel") << int(Prompt::Answer::Cancel) << false << false;
}

void TestCatalogDocumentWindow::closePrompt()
{
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QFETCH(bool, saved);
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"a", "b"})));
    const QString path = app.doc()->CatalogFileName();
    const QByteArray before = contents(path);
    app.doc()->setCells(Name, 1, QStringLiteral("changed"));
    app.doc()->setCatalogModified(true);
    app.prompt.queueAnswer(Prompt::Answer(answer));
    app.formControl<TColourButton>("CloseButton")->click();
    QCOMPARE(app.prompt.lastMessage(), kSavePrompt);
    QCOMPARE(app.prompt.shown().last().kind, QStringLiteral("yesnocancel"));
    QCOMPARE(app.doc()->CatalogMode(), closes ? CatalogDocument::Mode::Closed : CatalogDocument::Mode::OnFile);
    QCOMPARE(app.form()->isVisible(), !closes);
    QCOMPARE(child<QComboBox>(app.main(), "LoopList")->count(), closes ? 0 : 2);
    QCOMPARE(contents(path) != before, saved);
    if (closes) {
        QCOMPARE(app.formControl<TColourButton>("turnOnSorting")->text(), QStringLiteral("turn on sorting"));
        QCOMPARE(child<TColourButton>(app.main(), "OpenCatalogButton")->text(), QStringLiteral("open video catalog"));
        QVERIFY(child<QComboBox>(app.main(), "LoopList")->isHidden());
    }
}

void TestCatalogDocumentWindow::openPromptCancelKeepsTheCatalog()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"a", "b"})));
    app.doc()->setCatalogModified(true);
    const qsizetype asked = app.prompt.shown().size();
    app.prompt.queueAnswer(Prompt::Answer::Cancel);
    QVERIFY(!app.rules().lifecycle.OpenButtonClick(CatalogLifecycle::Caller::CatalogWindow));
    QCOMPARE(app.prompt.shown().size(), asked + 1); // no dialog after Cancel
    QVERIFY(app.doc()->CatalogModified());
    // No: the changes are dropped and the open goes on.
    app.prompt.queueAnswer(Prompt::Answer::No);
    QVERIFY(app.open(app.catalog({"c"}), QStringLiteral("other.tvc")));
    QCOMPARE(app.column(Name), QStringList{"c"});
    QVERIFY(!app.doc()->CatalogModified());
}

void TestCatalogDocumentWindow::closeBoxClosesTheCatalogNotTheWindow()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"a"})));
    QPointer<TBookmarksForm> form = app.form();
    form->close();
    QVERIFY(form);
    QVERIFY(!form->isVisible());
    QCOMPARE(app.doc()->CatalogMode(), CatalogDocument::Mode::Closed);
    // Hiding keeps the catalog open; the main window's button shows it again.
    QVERIFY(app.open(app.catalog({"a"})));
    child<TColourButton>(form, "hideCatalogButton")->click();
    QVERIFY(!form->isVisible());
    QCOMPARE(app.doc()->CatalogMode(), CatalogDocument::Mode::OnFile);
    child<TColourButton>(app.main(), "OpenCatalogButton")->click();
    QVERIFY(form->isVisible());
}

void TestCatalogDocumentWindow::exitPromptSavesTheCatalog()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"a", "b"})));
    app.doc()->setCells(Name, 2, QStringLiteral("renamed"));
    app.doc()->setCatalogModified(true);
    app.prompt.queueAnswer(Prompt::Answer::Yes);
    app.main()->exitButtonClick();
    QCOMPARE(app.prompt.messages().last(), UnsavedChanges::question());
    QVERIFY(!app.main()->isVisible());
    const CatalogReadResult saved = TVC_ReadCatalogFile(app.doc()->CatalogFileName(), {});
    QCOMPARE(saved.catalog.bookmarks[1].name, QStringLiteral("renamed"));
}

void TestCatalogDocumentWindow::catalogButtonShowsAnOpenCatalog()
{
    CatalogFixture app;
    QVERIFY(app.start());
    const CatalogData data = app.catalog({"a"});
    QString error;
    QVERIFY(TVC_WriteCatalogFile(app.catalogFolder() + "c.tvc", data, &error));
    app.prompt.queueFileName(app.catalogFolder() + "c.tvc");
    child<QAction>(app.main(), "ShowBookmarks1")->trigger(); // Ctrl+O in the main window
    QCOMPARE(app.doc()->CatalogMode(), CatalogDocument::Mode::OnFile);
    QCOMPARE(child<QAction>(app.main(), "ShowBookmarks1")->text(), QStringLiteral("Show Video Catalog"));
    app.form()->hide();
    const qsizetype asked = app.prompt.shown().size();
    child<QAction>(app.main(), "ShowBookmarks1")->trigger();
    QVERIFY(app.form()->isVisible());
    QCOMPARE(app.prompt.shown().size(), asked); // no dialog
}

void TestCatalogDocumentWindow::printsToPdf()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QStringList names;
    for (int i = 0; i < 60; ++i)
        names << QStringLiteral("Move %1").arg(i + 1);
    CatalogData data = app.catalog(names);
    data.bookmarks[0].description = QStringLiteral("A long description\r\nover two lines");
    QVERIFY(app.open(data));
    const QString pdf = app.programFolder() + QStringLiteral("grid.pdf");
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QString title;
    app.form()->setPrintDialog([&](QPrinter& printer) {
        orientation = printer.pageLayout().orientation();
        title = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    app.formControl<QAction>("PrintWithDescription1")->trigger();
    QCOMPARE(orientation, QPageLayout::Landscape);
    QCOMPARE(title, QStringLiteral("steps"));
    const QByteArray printed = contents(pdf);
    QVERIFY(printed.startsWith("%PDF"));
    QVERIFY(printed.count("/Type /Page\n") + printed.count("/Type /Page\r") + printed.count("/Type /Page ") +
                printed.count("/Type /Page>") >=
            2);
    // The description column was widened for the print only.
    QCOMPARE(app.grid()->columnWidth(Description), 0);

    // A cancelled print dialog prints nothing.
    QFile::remove(pdf);
    app.form()->setPrintDialog([](QPrinter&) { return false; });
    app.formControl<QAction>("PrintWithoutDescription1")->trigger();
    QVERIFY(!QFile::exists(pdf));
}

void TestCatalogDocumentWindow::repeatHidingSettingHoldsAcrossARun()
{
    CatalogFixture app;
    QFile config(app.configPath());
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("Bookmarks_Form_Hide_Repeat_Category: 1\r\nBookmarks_Form_Category_Column_Show: 1\r\n");
    config.close();
    QVERIFY(app.start());
    QCOMPARE(app.formControl<TColourButton>("hideRepeatsButton")->text(), QStringLiteral("repeats - hidden"));
    QVERIFY(app.open(app.catalog({"a", "b"}, {"Salsa", "Salsa"})));
    QCOMPARE(app.column(Category), QStringList({"Salsa", "-"}));
    app.formControl<TColourButton>("hideRepeatsButton")->click();
    app.main()->exitButtonClick();
    QVERIFY(contents(app.configPath()).contains("Bookmarks_Form_Hide_Repeat_Category: 0\r\n"));
}

QTEST_MAIN(TestCatalogDocumentWindow)
#include "TestCatalogDocumentWindow.moc"
