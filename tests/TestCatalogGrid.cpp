// The catalog window's grid, driven through the real view: editing with its
// checks, deleting, moving rows, sorting, repeat hiding, column names and
// the cursor's way round hidden columns.
#include "CatalogFixture.h"
#include "Controls.h"
#include "gui/catalog/BookmarksGridLook.h"
#include "gui/options/TOptionsForm.h"
#include "gui/widgets/TColourButton.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QtTest>

using namespace BookmarkColumn;

class TestCatalogGrid : public QObject {
    Q_OBJECT

private slots:
    void resetSetsColumnsWidthsAndOneRow();
    void openShowsRowsAndFillsTheBookmarkList();
    void editingChecksTheValueAndOpensAgain();
    void learnAndRatingEditors();
    void deleteAsksAndKeepsTheLastBookmark();
    void deletingTheLastRowMovesTheCursorUp();
    void movingARowWhileABookmarkPlays();
    void sortingOnlyWhileSwitchedOn();
    void repeatsHiddenAcrossACategoryEdit();
    void renamingAColumn();
    void arrowKeysSkipHiddenColumns();
    void descriptionPaneStoresItsText();
    void spacingStyles();
    void widthsAreRememberedAndHintsFollowSorting();
};

void TestCatalogGrid::resetSetsColumnsWidthsAndOneRow()
{
    CatalogFixture app;
    QVERIFY(app.start());
    TBookmarksGrid* grid = app.grid();
    QCOMPARE(app.doc()->RowCount(), 2);
    QCOMPARE(grid->model()->columnCount(), 15);
    const QStringList headers = {"",       "#",           "Category",   "Name",     "Learn",
                                 "Rating", "Play",        "Start Time", "End Time", "Filename",
                                 "Folder", "Description", "",           "",         ""};
    for (int c = 0; c < 15; ++c)
        QCOMPARE(grid->model()->headerData(c, Qt::Horizontal).toString(), headers[c]);
    QCOMPARE(grid->model()->headerData(Play, Qt::Horizontal, Qt::ForegroundRole).value<QColor>(), QColor(0, 128, 0));
    // Defaults: category hidden, learn, rating and folder shown.
    const int widths[] = {20, 30, 0, 91, 40, 45, 30, 66, 66, 186};
    for (int c = 0; c < 10; ++c)
        QCOMPARE(grid->columnWidth(c), widths[c]);
    for (int c = 11; c < 15; ++c)
        QCOMPARE(grid->columnWidth(c), 0);
    QHeaderView* header = grid->horizontalHeader();
    QCOMPARE(header->sectionResizeMode(Folder), QHeaderView::Stretch);
    QCOMPARE(header->sectionResizeMode(Filename), QHeaderView::Interactive);
    QCOMPARE(header->sectionResizeMode(StartTime), QHeaderView::Fixed);
    QVERIFY(app.formControl<TColourButton>("hideRepeatsButton")->isHidden());
    QCOMPARE(grid->cursorColumn(), int(Category));
    QCOMPARE(grid->cursorRow(), 1);

    // Without the folder column the file name column fills the grid.
    BookmarksGridColumns columns;
    columns.showCategory = true;
    columns.showFolder = false;
    columns.categoryWidth = 120;
    app.rules().lifecycle.ResetBookmarksGrid(columns);
    QCOMPARE(grid->columnWidth(Category), 120);
    QCOMPARE(header->sectionResizeMode(Filename), QHeaderView::Stretch);
    QCOMPARE(grid->columnWidth(Folder), 0);
    QVERIFY(!app.formControl<TColourButton>("hideRepeatsButton")->isHidden());
}

void TestCatalogGrid::openShowsRowsAndFillsTheBookmarkList()
{
    CatalogFixture app;
    QVERIFY(app.start());
    const CatalogData data = app.catalog({"Basic step", "Turn", "Dip"});
    QVERIFY(app.open(data));
    QVERIFY(app.grid()->isVisible());
    QCOMPARE(app.doc()->model()->toCatalogData(), data);
    QCOMPARE(app.column(Number), QStringList({"1", "2", "3"}));
    QCOMPARE(child<QComboBox>(app.main(), "LoopList")->count(), 3);
    QCOMPARE(child<QComboBox>(app.main(), "LoopList")->itemText(1), QStringLiteral("2 : Turn"));
    QCOMPARE(app.grid()->cursorColumn(), int(Name));
    QCOMPARE(app.grid()->cursorRow(), 1);
    QVERIFY(!app.doc()->BlankFirstRow());
    // Colours: cream in category, name and play cells; a plain cell has none.
    const QModelIndex name = app.grid()->model()->index(0, Name);
    QCOMPARE(name.data(Qt::BackgroundRole).value<QColor>(), BookmarksGridLook::Cream);
    QVERIFY(!app.grid()->model()->index(0, StartTime).data(Qt::BackgroundRole).isValid());
}

void TestCatalogGrid::editingChecksTheValueAndOpensAgain()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"Basic step", "Turn"})));
    app.doubleClick(StartTime, 2);
    QVERIFY(app.grid()->editingOn());
    QLineEdit* editor = app.editor();
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("00:00:11"));
    editor->setText(QStringLiteral("12:00"));
    CatalogFixture::commit(editor);
    QCOMPARE(app.prompt.lastMessage(), QStringLiteral("Invalid time code.\nPlease try again."));
    QCOMPARE(app.doc()->Cells(StartTime, 2), QStringLiteral("00:00:11"));
    QVERIFY(!app.doc()->CatalogModified());
    // The editor opens again on the old text.
    QTRY_VERIFY(app.editor() != nullptr);
    editor = app.editor();
    QCOMPARE(editor->text(), QStringLiteral("00:00:11"));
    QVERIFY(app.grid()->editingOn());
    editor->setText(QStringLiteral("00:02:00"));
    CatalogFixture::commit(editor);
    QCOMPARE(app.doc()->Cells(StartTime, 2), QStringLiteral("00:02:00"));
    QVERIFY(app.doc()->CatalogModified());
    QVERIFY(app.form()->windowTitle().endsWith(QStringLiteral("[MODIFIED]")));
    QTRY_VERIFY(!app.grid()->editingOn());

    // A folder must end with "/" and exist; a file name must name a file.
    app.doubleClick(Folder, 1);
    app.editor()->setText(app.clipFolder().chopped(1));
    CatalogFixture::commit(app.editor());
    QCOMPARE(app.prompt.lastMessage(),
             QStringLiteral("The folder does not end with a \"/\" as it should.\nPlease try again."));
    QTRY_VERIFY(app.editor() != nullptr);
    QTest::keyClick(app.editor(), Qt::Key_Escape);
    QTRY_VERIFY(!app.grid()->editingOn());
    app.doubleClick(Filename, 1);
    app.editor()->setText(QStringLiteral("no such clip.mp4"));
    CatalogFixture::commit(app.editor());
    QCOMPARE(app.prompt.lastMessage(), QStringLiteral("The filename does not exist.\nPlease try again."));
    QTRY_VERIFY(app.editor() != nullptr);
    app.editor()->setText(QStringLiteral("clip 2.mp4"));
    CatalogFixture::commit(app.editor());
    QCOMPARE(app.doc()->Cells(Filename, 1), QStringLiteral("clip 2.mp4"));

    // Read-only cells open no editor.
    app.doubleClick(Number, 1);
    QVERIFY(!app.grid()->editingOn());
}

void TestCatalogGrid::learnAndRatingEditors()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"Basic step"})));
    app.doubleClick(Learn, 1);
    auto* list = app.editor<QComboBox>();
    QVERIFY(list);
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    QCOMPARE(items, QStringList({" ", "a", "b", "c", "d"}));
    list->setCurrentIndex(3);
    CatalogFixture::commit(list);
    QCOMPARE(app.doc()->Cells(Learn, 1), QStringLiteral("c"));
    QTRY_VERIFY(!app.grid()->editingOn());

    app.doubleClick(Rating, 1);
    auto* spin = app.editor<QSpinBox>();
    QVERIFY(spin);
    QCOMPARE(spin->minimum(), 0);
    QCOMPARE(spin->maximum(), 10);
    QCOMPARE(spin->singleStep(), 1);
    spin->setValue(10);
    CatalogFixture::commit(spin);
    QCOMPARE(app.doc()->Cells(Rating, 1), QStringLiteral("10"));
}

void TestCatalogGrid::deleteAsksAndKeepsTheLastBookmark()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"a", "b", "c"})));
    // Delete needs a whole row: on a single cell it does nothing.
    app.click(Name, 2);
    const qsizetype asked = app.prompt.shown().size();
    app.key(Qt::Key_Delete);
    QCOMPARE(app.prompt.shown().size(), asked);

    app.click(Number, 2);
    QVERIFY(app.doc()->WholeRowSelected());
    QCOMPARE(app.grid()->cursorColumn(), int(RowEnd));
    QCOMPARE(app.grid()->selectionModel()->selectedIndexes().size(), 13);
    app.prompt.queueAnswer(Prompt::Answer::Cancel);
    app.key(Qt::Key_Delete);
    QCOMPARE(app.prompt.shown().last().kind, QStringLiteral("okcancel"));
    QCOMPARE(app.prompt.shown().last().text, QStringLiteral("Delete this bookmark?"));
    QCOMPARE(app.column(Name), QStringList({"a", "b", "c"}));
    QVERIFY(app.doc()->WholeRowSelected()); // the whole row is selected again

    app.prompt.queueAnswer(Prompt::Answer::Ok);
    app.key(Qt::Key_Delete);
    QCOMPARE(app.column(Name), QStringList({"a", "c"}));
    QCOMPARE(child<QComboBox>(app.main(), "LoopList")->count(), 2);
    QVERIFY(app.doc()->CatalogModified());

    app.click(Number, 1);
    app.prompt.queueAnswer(Prompt::Answer::Ok);
    app.key(Qt::Key_Delete);
    QCOMPARE(app.column(Name), QStringList({"c"}));
    app.click(Number, 1);
    app.prompt.queueAnswer(Prompt::Answer::Ok);
    app.key(Qt::Key_Delete);
    QCOMPARE(app.prompt.lastMessage(),
             QStringLiteral("You cannot delete the last bookmark.\n\nThis is because empty catalogs are not "
                            "allowed.\n\nIf you want to create a new catalog, please close this catalog first."));
    QCOMPARE(app.column(Name), QStringList({"c"}));
}

void TestCatalogGrid::deletingTheLastRowMovesTheCursorUp()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"a", "b", "c"})));
    app.click(Number, 3);
    app.prompt.queueAnswer(Prompt::Answer::Ok);
    app.key(Qt::Key_Delete);
    QCOMPARE(app.column(Name), QStringList({"a", "b"}));
    QCOMPARE(app.grid()->cursorRow(), 2);
}

void TestCatalogGrid::movingARowWhileABookmarkPlays()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"one", "two", "three", "four", "five"})));
    app.doubleClick(Play, 3);
    QCOMPARE(app.doc()->PlayingBookmark(), 3);
    QCOMPARE(app.player()->FileName(), app.clipFolder() + QStringLiteral("clip 3.mp4"));
    QCOMPARE(child<QComboBox>(app.main(), "LoopList")->currentIndex(), 2);
    QVERIFY(app.prompt.messages().isEmpty());

    // Drag row 5 by its first column onto row 2.
    QWidget* viewport = app.grid()->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, app.cell(Handle, 5));
    QTest::mouseMove(viewport, app.cell(Handle, 3));
    QTest::mouseMove(viewport, app.cell(Handle, 2));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, app.cell(Handle, 2));
    QCOMPARE(app.column(Name), QStringList({"one", "five", "two", "three", "four"}));
    QCOMPARE(app.column(Number), QStringList({"1", "5", "2", "3", "4"}));
    QCOMPARE(app.doc()->PlayingBookmark(), 4);
    QCOMPARE(child<QComboBox>(app.main(), "LoopList")->currentIndex(), 3);
    QCOMPARE(child<QComboBox>(app.main(), "LoopList")->itemText(1), QStringLiteral("5 : five"));
    QVERIFY(app.doc()->CatalogModified());
    // The playing bookmark's name stays green on its new row.
    QCOMPARE(app.grid()->model()->index(3, Name).data(Qt::BackgroundRole).value<QColor>(),
             BookmarksGridLook::LightGreen);
    QCOMPARE(app.grid()->model()->index(2, Name).data(Qt::BackgroundRole).value<QColor>(), BookmarksGridLook::Cream);
}

void TestCatalogGrid::sortingOnlyWhileSwitchedOn()
{
    CatalogFixture app;
    QVERIFY(app.start());
    CatalogData data = app.catalog({"c", "a", "b", "a"});
    data.bookmarks[1].rating = QStringLiteral("2");
    data.bookmarks[3].rating = QStringLiteral("9");
    QVERIFY(app.open(data));
    app.clickHeader(Name);
    QCOMPARE(app.column(Name), QStringList({"c", "a", "b", "a"}));
    QVERIFY(!app.doc()->CatalogModified());

    app.formControl<TColourButton>("turnOnSorting")->click();
    QCOMPARE(app.formControl<TColourButton>("turnOnSorting")->text(), QStringLiteral("sorting is ON"));
    QVERIFY(!app.formControl<TColourButton>("hideRepeatsButton")->isEnabled());
    app.clickHeader(Name);
    QCOMPARE(app.column(Name), QStringList({"a", "a", "b", "c"}));
    QCOMPARE(app.column(Number), QStringList({"2", "4", "3", "1"})); // numbers travel with their rows
    QVERIFY(app.doc()->CatalogModified());
    QCOMPARE(child<QComboBox>(app.main(), "LoopList")->itemText(0), QStringLiteral("2 : a"));
    // Shift adds a column: name, then rating (9 above 2 after a second click).
    app.clickHeader(Rating, Qt::ShiftModifier);
    app.clickHeader(Rating, Qt::ShiftModifier);
    QCOMPARE(app.column(Number), QStringList({"4", "2", "3", "1"}));
    // The play column cannot be sorted.
    app.clickHeader(Play);
    QCOMPARE(app.column(Number), QStringList({"4", "2", "3", "1"}));
    app.clickHeader(Number);
    QCOMPARE(app.column(Number), QStringList({"1", "2", "3", "4"}));

    app.formControl<TColourButton>("turnOnSorting")->click();
    QCOMPARE(app.formControl<TColourButton>("turnOnSorting")->text(), QStringLiteral("sorting is OFF"));
    QVERIFY(app.formControl<TColourButton>("hideRepeatsButton")->isEnabled());
    app.clickHeader(Name);
    QCOMPARE(app.column(Number), QStringList({"1", "2", "3", "4"}));
}

void TestCatalogGrid::repeatsHiddenAcrossACategoryEdit()
{
    CatalogFixture app;
    QVERIFY(app.start());
    child<QCheckBox>(app.startup->windows().OptionsForm, "ShowCategoryColumn")->setChecked(true);
    QVERIFY(app.open(app.catalog({"a", "b", "c"}, {"Tango", "Tango", "Tango"})));
    app.formControl<TColourButton>("hideRepeatsButton")->click();
    QCOMPARE(app.formControl<TColourButton>("hideRepeatsButton")->text(), QStringLiteral("repeats - hidden"));
    QCOMPARE(app.column(Category), QStringList({"Tango", "-", "-"}));

    // Editing a category shows the repeats while the editor is open.
    app.doubleClick(Category, 2);
    QCOMPARE(app.column(Category), QStringList({"Tango", "Tango", "Tango"}));
    QCOMPARE(app.editor()->text(), QStringLiteral("Tango"));
    app.editor()->setText(QStringLiteral("Salsa"));
    CatalogFixture::commit(app.editor());
    QTRY_VERIFY(!app.grid()->editingOn());
    QCOMPARE(app.column(Category), QStringList({"Tango", "Salsa", "Tango"}));
    QVERIFY(app.doc()->RepeatsHidden());

    // Saving writes the categories in full and leaves the marks in the grid.
    app.doc()->setCells(Category, 3, QStringLiteral("-"));
    QVERIFY(app.rules().lifecycle.DoSave());
    QCOMPARE(app.column(Category), QStringList({"Tango", "Salsa", "-"}));
    const CatalogReadResult saved = TVC_ReadCatalogFile(app.doc()->CatalogFileName(), {});
    QCOMPARE(saved.catalog.bookmarks[2].category, QStringLiteral("Tango"));

    app.formControl<TColourButton>("hideRepeatsButton")->click();
    QCOMPARE(app.column(Category), QStringList({"Tango", "Salsa", "Tango"}));
}

void TestCatalogGrid::renamingAColumn()
{
    CatalogFixture app;
    QVERIFY(app.start());
    QVERIFY(app.open(app.catalog({"a"})));
    app.prompt.queueInput(QStringLiteral("Name"));
    app.doubleClickHeader(Name);
    QCOMPARE(app.prompt.shown().last().text, QStringLiteral("Column Name Change\nEnter a new name for this column"));
    QVERIFY(!app.doc()->CatalogModified()); // the same text changes nothing

    app.prompt.queueInput(QStringLiteral("Move"));
    app.doubleClickHeader(Name);
    QCOMPARE(app.doc()->Cells(Name, 0), QStringLiteral("Move"));
    QCOMPARE(app.grid()->model()->headerData(Name, Qt::Horizontal).toString(), QStringLiteral("Move"));
    QVERIFY(app.doc()->CatalogModified());

    app.doubleClickHeader(Learn); // cancelled
    QCOMPARE(app.doc()->Cells(Learn, 0), QStringLiteral("Learn"));
    // Only the four named columns are renamed.
    const int inputs = int(app.prompt.shown().size());
    app.doubleClickHeader(StartTime);
    QCOMPARE(app.prompt.shown().size(), inputs);
}

void TestCatalogGrid::arrowKeysSkipHiddenColumns()
{
    CatalogFixture app;
    QVERIFY(app.start());
    child<QCheckBox>(app.startup->windows().OptionsForm, "ShowLearnColumn")->setChecked(false);
    QVERIFY(app.open(app.catalog({"a", "b"})));
    app.grid()->setFocus();
    app.click(Name, 1);
    app.key(Qt::Key_Right);
    QCOMPARE(app.grid()->cursorColumn(), int(Rating));
    app.key(Qt::Key_Left);
    QCOMPARE(app.grid()->cursorColumn(), int(Name));
    // Left from the name column: the category column is hidden, so the
    // cursor lands on "#", which selects the whole row.
    app.key(Qt::Key_Left);
    QVERIFY(app.doc()->WholeRowSelected());
    app.key(Qt::Key_Down);
    QVERIFY(app.doc()->WholeRowSelected());
    QCOMPARE(app.grid()->cursorRow(), 2);
    app.key(Qt::Key_Right); // out of the whole row onto the name (category hidden)
    QVERIFY(!app.doc()->WholeRowSelected());
    QCOMPARE(app.grid()->cursorColumn(), int(Name));
}

void TestCatalogGrid::descriptionPaneStoresItsText()
{
    CatalogFixture app;
    QVERIFY(app.start());
    CatalogData data = app.catalog({"a", "b"});
    data.bookmarks[1].description = QStringLiteral("first\r\nsecond");
    QVERIFY(app.open(data));
    app.click(Name, 2);
    QCOMPARE(app.formControl<QPlainTextEdit>("DescriptionMemo")->toPlainText(), QStringLiteral("first\nsecond"));
    app.formControl<QPlainTextEdit>("DescriptionMemo")->setFocus();
    app.formControl<QPlainTextEdit>("DescriptionMemo")->setPlainText(QStringLiteral("first\nsecond\nthird"));
    app.grid()->setFocus();
    QCOMPARE(app.doc()->Cells(Description, 2), QStringLiteral("first\r\nsecond\r\nthird"));
    QVERIFY(app.doc()->CatalogModified());
}

void TestCatalogGrid::spacingStyles()
{
    CatalogFixture app;
    QVERIFY(app.start());
    app.formControl<QAction>("Spacing2")->trigger();
    QVERIFY(app.open(app.catalog({"a", "b"})));
    QCOMPARE(app.grid()->rowHeight(0), 33);
    QCOMPARE(app.formControl<TColourButton>("toggleLineWrapButton")->text(), QStringLiteral("spacing - 2"));
    app.formControl<TColourButton>("toggleLineWrapButton")->click();
    QCOMPARE(app.grid()->rowHeight(1), 20);
    QVERIFY(app.formControl<QAction>("Spacing1")->isChecked());
    app.formControl<QAction>("Spacing2")->trigger();
    QCOMPARE(app.grid()->rowHeight(1), 33);
    QCOMPARE(app.doc()->SpacingStyle(), 2);
    QCOMPARE(app.grid()->horizontalHeader()->height(), 21);
}

void TestCatalogGrid::widthsAreRememberedAndHintsFollowSorting()
{
    CatalogFixture app;
    QVERIFY(app.start());
    child<QCheckBox>(app.startup->windows().OptionsForm, "ShowCategoryColumn")->setChecked(true);
    QVERIFY(app.open(app.catalog({"a"})));
    QHeaderView* header = app.grid()->horizontalHeader();
    header->resizeSection(Category, 111);
    header->resizeSection(Name, 150);
    QCOMPARE(app.grid()->categoryColumnWidth(), 111);
    QCOMPARE(app.grid()->nameColumnWidth(), 150);
    QCOMPARE(app.grid()->filenameColumnWidth(), 186);
    // The next reset (a new catalog) uses the widths the user gave.
    app.rules().lifecycle.NewButtonClick();
    QCOMPARE(app.grid()->columnWidth(Category), 111);

    QVERIFY(app.rules().grid.BookmarksGridGridHint(Play).startsWith(QStringLiteral("Double click the arrow icon")));
    QCOMPARE(app.rules().grid.BookmarksGridGridHint(Name), QString());
    app.formControl<TColourButton>("turnOnSorting")->click();
    QCOMPARE(app.rules().grid.BookmarksGridGridHint(Play), QString());
}

QTEST_MAIN(TestCatalogGrid)
#include "TestCatalogGrid.moc"
