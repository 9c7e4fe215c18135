// The options window in the whole program: its check boxes acting at once
// on the catalog grid and the hint switch, the column names read at the next
// rebuild, the folder boxes and their "Edit" buttons, and the page it opens
// on from each window.
#include "CatalogFixture.h"
#include "Controls.h"
#include "core/playback/ClipLoader.h"
#include "core/settings/ConfigFile.h"
#include "gui/main/SettingsFiles.h"
#include "gui/options/TOptionsForm.h"
#include "gui/widgets/TColourButton.h"

#include <QAction>
#include <QCheckBox>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

using namespace BookmarkColumn;

class TestOptionsForm : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void aClickFlipsOnceAndActsAtOnce();
    void hidingAColumnMovesTheCursorOff_data();
    void hidingAColumnMovesTheCursorOff();
    void categoryComesBackAtItsRememberedWidth();
    void folderOrFilenameStretches();
    void columnNamesWaitForTheNextRebuild();
    void typedFolderWaitsEditFolderActsAtOnce();
    void hintSwitchFollowsTheBoxAndTheSettings();
    void catalogWindowOpensTheCatalogingPage();

private:
    TOptionsForm* options() const { return m_app->startup->windows().OptionsForm; }
    QCheckBox* check(const char* name) const { return child<QCheckBox>(options(), name); }
    // A click on the box's tick square, where a user clicks.
    static void click(QCheckBox* box)
    {
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect tick = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        QTest::mouseClick(box, Qt::LeftButton, {}, tick.center());
    }
    QHeaderView* header() const { return m_app->grid()->horizontalHeader(); }
    void showOptions(bool cataloging)
    {
        if (cataloging)
            options()->showCatalogingPage();
        options()->show();
        QVERIFY(QTest::qWaitForWindowActive(options()));
    }

    std::unique_ptr<CatalogFixture> m_app;
};

void TestOptionsForm::init()
{
    m_app = std::make_unique<CatalogFixture>();
    QVERIFY(m_app->start());
    QVERIFY(m_app->open(m_app->catalog({"one", "two", "three"}, {"salsa", "salsa", "tango"})));
}

void TestOptionsForm::cleanup()
{
    options()->hide();
    m_app.reset();
}

void TestOptionsForm::aClickFlipsOnceAndActsAtOnce()
{
    showOptions(true);
    QCheckBox* learn = check("ShowLearnColumn");
    QVERIFY(learn->isChecked());
    click(learn);
    QVERIFY(!learn->isChecked());
    QCOMPARE(m_app->grid()->columnWidth(Learn), 0);
    QVERIFY(child<QWidget>(options(), "Panel1")->hasFocus());
    click(learn);
    QVERIFY(learn->isChecked());
    QCOMPARE(m_app->grid()->columnWidth(Learn), 40);

    // The repeats button goes and comes with the Category column.
    auto* repeats = m_app->formControl<TColourButton>("hideRepeatsButton");
    QVERIFY(!repeats->isVisibleTo(m_app->form()));
    click(check("ShowCategoryColumn"));
    QVERIFY(repeats->isVisibleTo(m_app->form()));
    QCOMPARE(m_app->grid()->columnWidth(Category), 64);
    click(check("ShowCategoryColumn"));
    QVERIFY(!repeats->isVisibleTo(m_app->form()));
    QCOMPARE(m_app->grid()->columnWidth(Category), 0);
}

void TestOptionsForm::hidingAColumnMovesTheCursorOff_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("landsIn");
    QTest::addColumn<int>("shownWidth");
    QTest::newRow("Category") << "ShowCategoryColumn" << int(Category) << int(Name) << 64;
    QTest::newRow("Learn") << "ShowLearnColumn" << int(Learn) << int(Name) << 40;
    QTest::newRow("Rating") << "ShowRatingColumn" << int(Rating) << int(Name) << 45;
    QTest::newRow("Folder") << "ShowFolderColumn" << int(Folder) << int(Filename) << 100;
}

void TestOptionsForm::hidingAColumnMovesTheCursorOff()
{
    QFETCH(QString, box);
    QFETCH(int, column);
    QFETCH(int, landsIn);
    QFETCH(int, shownWidth);
    QCheckBox* show = check(qPrintable(box));
    show->setChecked(true);
    QVERIFY(m_app->grid()->columnWidth(column) > 0);
    if (column != Folder)
        QCOMPARE(m_app->grid()->columnWidth(column), shownWidth);
    m_app->grid()->placeCursor(column, 2);

    show->setChecked(false);
    QCOMPARE(m_app->grid()->columnWidth(column), 0);
    QCOMPARE(m_app->grid()->cursorColumn(), landsIn);
    QCOMPARE(m_app->grid()->cursorRow(), 2);
    QVERIFY(!m_app->doc()->columnShown(column));

    // A cursor elsewhere stays where it is.
    show->setChecked(true);
    m_app->grid()->placeCursor(StartTime, 3);
    show->setChecked(false);
    QCOMPARE(m_app->grid()->cursorColumn(), int(StartTime));
    QCOMPARE(m_app->grid()->cursorRow(), 3);
}

void TestOptionsForm::categoryComesBackAtItsRememberedWidth()
{
    check("ShowCategoryColumn")->setChecked(true);
    // The user widens the column; hidden and shown again, it keeps that.
    header()->resizeSection(Category, 83);
    check("ShowCategoryColumn")->setChecked(false);
    header()->resizeSection(Name, 120);
    check("ShowCategoryColumn")->setChecked(true);
    QCOMPARE(m_app->grid()->columnWidth(Category), 83);
    QCOMPARE(m_app->grid()->columnWidth(Name), 120);
}

void TestOptionsForm::folderOrFilenameStretches()
{
    m_app->form()->resize(1000, 500);
    QCOMPARE(header()->sectionResizeMode(Folder), QHeaderView::Stretch);
    header()->resizeSection(Filename, 150);

    check("ShowFolderColumn")->setChecked(false);
    QCOMPARE(header()->sectionResizeMode(Filename), QHeaderView::Stretch);
    QCOMPARE(header()->sectionResizeMode(Folder), QHeaderView::Fixed);
    QCOMPARE(m_app->grid()->columnWidth(Folder), 0);
    // The file name column reaches to the grid's right edge.
    QCOMPARE(header()->sectionViewportPosition(Filename) + header()->sectionSize(Filename),
             m_app->grid()->viewport()->width());

    check("ShowFolderColumn")->setChecked(true);
    QCOMPARE(header()->sectionResizeMode(Folder), QHeaderView::Stretch);
    QCOMPARE(header()->sectionResizeMode(Filename), QHeaderView::Interactive);
    QCOMPARE(m_app->grid()->columnWidth(Filename), 150);
    QVERIFY(m_app->grid()->columnWidth(Folder) >= 100);
}

void TestOptionsForm::columnNamesWaitForTheNextRebuild()
{
    auto title = [this](int column) { return m_app->doc()->model()->headerData(column, Qt::Horizontal).toString(); };
    child<QLineEdit>(options(), "NameColumnName")->setText(QStringLiteral("Move"));
    QCOMPARE(title(Name), QStringLiteral("Name"));
    m_app->rules().lifecycle.ResetBookmarksGrid();
    QCOMPARE(title(Name), QStringLiteral("Move"));
}

void TestOptionsForm::typedFolderWaitsEditFolderActsAtOnce()
{
    ClipLoader* clips = m_app->clips();
    const QString before = clips->videoDialogFolder();
    const QString typed = m_app->programFolder() + QStringLiteral("Typed");
    showOptions(false);
    auto* box = child<QLineEdit>(options(), "defaultVideoDirectory");
    box->setFocus(Qt::MouseFocusReason);
    box->selectAll();
    QTest::keyClicks(box, typed);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(options()->defaultVideoDirectoryText(), typed);
    QCOMPARE(clips->videoDialogFolder(), before);

    const QString picked = m_app->programFolder() + QStringLiteral("Picked");
    m_app->prompt.queueFileName(picked);
    QTest::mouseClick(child<TColourButton>(options(), "EditDefaultVideoDirectoryButton"), Qt::LeftButton);
    QCOMPARE(options()->defaultVideoDirectoryText(), picked);
    QCOMPARE(clips->videoDialogFolder(), picked);
    // The open dialog starts there.
    m_app->prompt.queueFileName(QString());
    clips->chooseClip();
    QCOMPARE(m_app->prompt.shown().last().folder, picked);
}

void TestOptionsForm::hintSwitchFollowsTheBoxAndTheSettings()
{
    QSignalSpy switched(options(), &TOptionsForm::hintsSwitched);
    showOptions(false);
    click(check("DisableShowHints"));
    QCOMPARE(switched.count(), 1);
    QCOMPARE(switched.last().first().toBool(), false);
    QVERIFY(options()->hintsDisabled());
    click(check("DisableShowHints"));
    QCOMPARE(switched.count(), 2);
    QCOMPARE(switched.last().first().toBool(), true);

    // Settings read from the file switch the hints as they stand there.
    Settings settings = Settings::defaults(m_app->programFolder());
    settings.disableShowingHints = true;
    QFile file(m_app->configPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(writeConfig(settings));
    file.close();
    m_app->settings()->ReadConfigFile();
    QCOMPARE(switched.count(), 3);
    QCOMPARE(switched.last().first().toBool(), false);
    QVERIFY(check("DisableShowHints")->isChecked());
}

void TestOptionsForm::catalogWindowOpensTheCatalogingPage()
{
    auto* pages = child<QTabWidget>(options(), "PageControl");
    QWidget* cataloging = child<QWidget>(options(), "CatalogingPage");
    options()->showGeneralPage();
    QWidget* shownPage = nullptr;
    QTimer::singleShot(0, options(), [&] {
        shownPage = pages->currentWidget();
        options()->accept();
    });
    m_app->formControl<QAction>("Options1")->trigger();
    QCOMPARE(shownPage, cataloging);

    // The main window's menu item opens on the page shown last.
    shownPage = nullptr;
    QTimer::singleShot(0, options(), [&] {
        shownPage = pages->currentWidget();
        options()->accept();
    });
    child<QAction>(m_app->main(), "Options1")->trigger();
    QCOMPARE(shownPage, cataloging);
}

QTEST_MAIN(TestOptionsForm)
#include "TestOptionsForm.moc"
