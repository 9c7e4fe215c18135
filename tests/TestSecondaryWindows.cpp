#include "Controls.h"
#include "ScriptedPrompt.h"
#include "core/catalog/UnsavedChanges.h"
#include "core/settings/ConfigFile.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/catalog/TCategoryInputForm.h"
#include "gui/help/TAboutForm.h"
#include "gui/help/TQuickStartGuideForm.h"
#include "gui/info/TFilePlayingInfoForm.h"
#include "gui/input/FocusSink.h"
#include "gui/options/TOptionsForm.h"
#include "gui/widgets/TColourButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>
#include <memory>

class TestSecondaryWindows : public QObject {
    Q_OBJECT

private slots:
    void classAndObjectNames();
    void everyControlIsNamedForAccessibility();
    void optionsControls();
    void optionsKeyBoxes();
    void optionsEnterAndEscapeGiveFocusToPanel1_data();
    void optionsEnterAndEscapeGiveFocusToPanel1();
    void optionsKeyTextChanged();
    void optionsPanel1TakesTheFocusBack();
    void optionsFolderPicker_data();
    void optionsFolderPicker();
    void optionsPlayClickBehavior();
    void restoreDefaults_data();
    void restoreDefaults();
    void categoryInputKeys();
    void categoryInputArrangement();
    void guideAndAbout();
};

namespace {

std::vector<std::unique_ptr<QWidget>> allWindows()
{
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.emplace_back(new TQuickStartGuideForm);
    windows.emplace_back(new TCategoryInputForm);
    windows.emplace_back(new TFilePlayingInfoForm);
    windows.emplace_back(new TBookmarksForm);
    windows.emplace_back(new TAboutForm);
    windows.emplace_back(new TOptionsForm);
    return windows;
}

} // namespace

void TestSecondaryWindows::classAndObjectNames()
{
    const QStringList expected = {"TQuickStartGuideForm", "TCategoryInputForm", "TFilePlayingInfoForm",
                                  "TBookmarksForm",       "TAboutForm",         "TOptionsForm"};
    const auto windows = allWindows();
    for (size_t i = 0; i < windows.size(); ++i) {
        const QString className = QLatin1String(windows[i]->metaObject()->className());
        QCOMPARE(className, expected[i]);
        QCOMPARE(windows[i]->objectName(), className.mid(1));
        QVERIFY(windows[i]->isWindow());
        QVERIFY(!windows[i]->isVisible());
        QVERIFY(!windows[i]->windowTitle().isEmpty() || className == "TCategoryInputForm");
    }
}

void TestSecondaryWindows::everyControlIsNamedForAccessibility()
{
    const auto windows = allWindows();
    for (const auto& window : windows) {
        for (TColourButton* button : window->findChildren<TColourButton*>()) {
            QVERIFY(!button->text().isEmpty());
            QCOMPARE(button->accessibleName(), button->text());
        }
        for (QAbstractButton* box : window->findChildren<QAbstractButton*>()) {
            // Buttons a Qt control makes for itself (tab scrollers, a table's
            // corner) are that control's business.
            if (qobject_cast<TColourButton*>(box) || qobject_cast<QAbstractItemView*>(box->parentWidget()) ||
                qobject_cast<QTabBar*>(box->parentWidget()))
                continue;
            QVERIFY2(!box->accessibleName().isEmpty(),
                     qPrintable(QString("%1 %2").arg(box->metaObject()->className(), box->objectName())));
        }
        for (QLabel* label : window->findChildren<QLabel*>())
            QCOMPARE(label->accessibleName(), label->text());
        for (QWidget* box : window->findChildren<QLineEdit*>()) {
            if (qobject_cast<QComboBox*>(box->parent()))
                continue; // the edit part of a combo box is named by the box
            QVERIFY2(!box->accessibleName().isEmpty(), qPrintable(box->objectName()));
        }
        for (QWidget* box : window->findChildren<QComboBox*>())
            QVERIFY2(!box->accessibleName().isEmpty(), qPrintable(box->objectName()));
    }
}

void TestSecondaryWindows::optionsControls()
{
    TOptionsForm form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Options"));
    QVERIFY(form.isModal());
    QCOMPARE(form.size(), QSize(602, 470));
    auto* pages = child<QTabWidget>(&form, "PageControl");
    QCOMPARE(pages->count(), 3);
    QCOMPARE(pages->tabText(0), QStringLiteral("General"));
    QCOMPARE(pages->tabText(1), QStringLiteral("Cataloging"));
    QCOMPARE(pages->tabText(2), QStringLiteral("Practice"));
    QCOMPARE(pages->currentWidget(), child<QWidget>(&form, "GeneralPage"));
    form.showCatalogingPage();
    QCOMPARE(pages->currentWidget(), child<QWidget>(&form, "CatalogingPage"));
    form.showGeneralPage();
    QCOMPARE(pages->currentWidget(), child<QWidget>(&form, "GeneralPage"));

    QCOMPARE(child<TColourButton>(&form, "OK_Button")->text(), QStringLiteral("OK"));
    QCOMPARE(child<TColourButton>(&form, "EditDefaultVideoDirectoryButton")->text(), QStringLiteral("Edit"));
    QCOMPARE(child<TColourButton>(&form, "EditDefaultCatalogDirectoryButton")->text(), QStringLiteral("Edit"));
    QCOMPARE(child<TColourButton>(&form, "ExecuteRestoreKeyboardSettings")->text(), QStringLiteral("Execute"));
    QCOMPARE(child<QGroupBox>(&form, "GroupBox1")->title(), QStringLiteral("User defined keystrokes"));
    QCOMPARE(child<QCheckBox>(&form, "CtrlSelect")->text(), QStringLiteral("<Ctrl+>"));
    QVERIFY(!child<QCheckBox>(&form, "CtrlSelect")->isChecked());
    QCOMPARE(child<QCheckBox>(&form, "DisableShowHints")->text(), QStringLiteral("Disable showing all pop-up hints"));
    QVERIFY(!child<QCheckBox>(&form, "DisableShowHints")->isChecked());
    QCOMPARE(child<QLineEdit>(&form, "defaultVideoDirectory")->accessibleName(),
             QStringLiteral("Default Video Clip Directory"));
    QCOMPARE(child<QLineEdit>(&form, "defaultCatalogDirectory")->accessibleName(),
             QStringLiteral("Default Video Catalog Directory"));
    QVERIFY(child<QWidget>(&form, "GeneralPage")->findChild<QLabel*>() != nullptr);

    QCOMPARE(child<QGroupBox>(&form, "ColumnsGroup")->title(), QStringLiteral("Columns in Bookmarks Grid"));
    QCOMPARE(child<QLineEdit>(&form, "CategoryColumnName")->text(), QStringLiteral("Category"));
    QCOMPARE(child<QLineEdit>(&form, "NameColumnName")->text(), QStringLiteral("Name"));
    QCOMPARE(child<QLineEdit>(&form, "LearnColumnName")->text(), QStringLiteral("Learn"));
    QCOMPARE(child<QLineEdit>(&form, "RatingColumnName")->text(), QStringLiteral("Rating"));
    QVERIFY(!child<QCheckBox>(&form, "ShowCategoryColumn")->isChecked());
    QVERIFY(child<QCheckBox>(&form, "ShowLearnColumn")->isChecked());
    QVERIFY(child<QCheckBox>(&form, "ShowRatingColumn")->isChecked());
    QVERIFY(child<QCheckBox>(&form, "ShowFolderColumn")->isChecked());
    QCOMPARE(child<QGroupBox>(&form, "BookmarkPlayClickBehavior")->title(),
             QStringLiteral("Bookmark Play Click Behavior"));
}

void TestSecondaryWindows::optionsKeyBoxes()
{
    TOptionsForm form;
    const QList<QLineEdit*> boxes = form.keyBoxes();
    const QList<QLineEdit*> named = {
        child<QLineEdit>(&form, "chooseclipKey"),      child<QLineEdit>(&form, "exitKey"),
        child<QLineEdit>(&form, "restartKey"),         child<QLineEdit>(&form, "muteKey"),
        child<QLineEdit>(&form, "makebookmarkKey"),    child<QLineEdit>(&form, "pastecommandlineKey"),
        child<QLineEdit>(&form, "playcommandlineKey"), child<QLineEdit>(&form, "previousBookmarkKey"),
        child<QLineEdit>(&form, "currentBookmarkKey"), child<QLineEdit>(&form, "nextBookmarkKey")};
    QCOMPARE(boxes, named);
    const QStringList keys = {"c", "z", "r", "m", "o", "u", "i", "8", "9", "0"};
    const QStringList labels = {"video clip",
                                "exit",
                                "restart",
                                "mute",
                                "add bookmark",
                                "paste command line",
                                "play command line",
                                "play previous bookmark",
                                "play current bookmark",
                                "play next bookmark"};
    for (int i = 0; i < boxes.size(); ++i) {
        QCOMPARE(boxes[i]->text(), keys[i]);
        QCOMPARE(boxes[i]->maxLength(), 1);
        QCOMPARE(boxes[i]->accessibleName(), labels[i]);
    }
    child<QLineEdit>(&form, "muteKey")->clear();
    QTest::keyClicks(child<QLineEdit>(&form, "muteKey"), QStringLiteral("xy"));
    QCOMPARE(child<QLineEdit>(&form, "muteKey")->text(), QStringLiteral("x"));
}

void TestSecondaryWindows::optionsEnterAndEscapeGiveFocusToPanel1_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("key");
    for (const char* box : {"chooseclipKey", "defaultVideoDirectory", "CategoryColumnName"}) {
        QTest::newRow(qPrintable(QString("%1 Return").arg(box))) << box << int(Qt::Key_Return);
        QTest::newRow(qPrintable(QString("%1 Enter").arg(box))) << box << int(Qt::Key_Enter);
        QTest::newRow(qPrintable(QString("%1 Escape").arg(box))) << box << int(Qt::Key_Escape);
    }
}

void TestSecondaryWindows::optionsEnterAndEscapeGiveFocusToPanel1()
{
    QFETCH(QString, box);
    QFETCH(int, key);
    TOptionsForm form;
    if (box == "CategoryColumnName")
        form.showCatalogingPage();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* edit = form.findChild<QLineEdit*>(box);
    QVERIFY(edit);
    edit->setText(QStringLiteral("q"));
    edit->setFocus();
    QVERIFY(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key(key));
    QVERIFY(child<QWidget>(&form, "Panel1")->hasFocus());
    QVERIFY(form.isVisible()); // Escape did not close the window
    QCOMPARE(edit->text(), QStringLiteral("q"));
}

void TestSecondaryWindows::optionsPanel1TakesTheFocusBack()
{
    TOptionsForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* panel1 = child<QWidget>(&form, "Panel1");
    QVERIFY(panel1->hasFocus());
    auto* box = child<QLineEdit>(&form, "defaultVideoDirectory");
    for (QWidget* area : {static_cast<QWidget*>(child<QGroupBox>(&form, "GroupBox1")), static_cast<QWidget*>(&form)}) {
        box->setFocus(Qt::MouseFocusReason);
        QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(2, area->height() - 3));
        QVERIFY2(panel1->hasFocus(), qPrintable(area->objectName()));
    }
}

void TestSecondaryWindows::optionsKeyTextChanged()
{
    TOptionsForm form;
    QSignalSpy spy(&form, &TOptionsForm::keyTextChanged);
    child<QLineEdit>(&form, "exitKey")->setText(QStringLiteral("q"));
    QCOMPARE(spy.count(), 1);
    child<QLineEdit>(&form, "nextBookmarkKey")->setText(QStringLiteral("5"));
    QCOMPARE(spy.count(), 2);
    child<QCheckBox>(&form, "CtrlSelect")->click();
    QCOMPARE(spy.count(), 3);
    child<QLineEdit>(&form, "CategoryColumnName")->setText(QStringLiteral("Style"));
    child<QLineEdit>(&form, "defaultVideoDirectory")->setText(QStringLiteral("/x"));
    child<QCheckBox>(&form, "DisableShowHints")->click();
    QCOMPARE(spy.count(), 3);
}

void TestSecondaryWindows::optionsFolderPicker_data()
{
    QTest::addColumn<bool>("video");
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QString>("text");
    QTest::newRow("video folder") << true << "/home/me/clips"
                                  << "/home/me/clips";
    QTest::newRow("catalog folder") << false << "/home/me/catalogs"
                                    << "/home/me/catalogs";
    QTest::newRow("final separator dropped") << true << "/home/me/clips/"
                                             << "/home/me/clips";
    QTest::newRow("root stays") << false << "/"
                                << "/";
    QTest::newRow("cancel keeps the text") << true << ""
                                           << "/old";
}

void TestSecondaryWindows::optionsFolderPicker()
{
    QFETCH(bool, video);
    QFETCH(QString, picked);
    QFETCH(QString, text);
    ScriptedPrompt prompt;
    prompt.queueFileName(picked);
    TOptionsForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QLineEdit* box =
        video ? child<QLineEdit>(&form, "defaultVideoDirectory") : child<QLineEdit>(&form, "defaultCatalogDirectory");
    QLineEdit* other =
        video ? child<QLineEdit>(&form, "defaultCatalogDirectory") : child<QLineEdit>(&form, "defaultVideoDirectory");
    box->setText(QStringLiteral("/old"));
    other->setText(QStringLiteral("/other"));
    QSignalSpy videoReset(&form, &TOptionsForm::resetInitialVideoDirectory);
    QSignalSpy catalogReset(&form, &TOptionsForm::resetInitialCatalogDirectory);

    QTest::mouseClick(video ? child<TColourButton>(&form, "EditDefaultVideoDirectoryButton")
                            : child<TColourButton>(&form, "EditDefaultCatalogDirectoryButton"),
                      Qt::LeftButton);

    QCOMPARE(prompt.shown().size(), 1);
    QCOMPARE(prompt.shown().first().kind, QStringLiteral("folder"));
    QCOMPARE(prompt.shown().first().text, QStringLiteral("Select folder"));
    QCOMPARE(box->text(), text);
    QCOMPARE(other->text(), QStringLiteral("/other"));
    // Confirmed or cancelled, the dialogs starting there are made again.
    QCOMPARE(videoReset.count(), video ? 1 : 0);
    QCOMPARE(catalogReset.count(), video ? 0 : 1);
    QVERIFY(child<QWidget>(&form, "Panel1")->hasFocus());
}

void TestSecondaryWindows::optionsPlayClickBehavior()
{
    TOptionsForm form;
    const auto radios = child<QGroupBox>(&form, "BookmarkPlayClickBehavior")->findChildren<QAbstractButton*>();
    QCOMPARE(radios.size(), 3);
    QCOMPARE(radios[0]->text(), QStringLiteral("No action (stay in Cataloging Window)"));
    QCOMPARE(radios[1]->text(), QStringLiteral("Bring Video Playback Window to front"));
    QCOMPARE(radios[2]->text(), QStringLiteral("Go into Full Screen Mode"));
    QCOMPARE(form.BookmarkPlayClickBehaviorIndex(), 0);
    form.setBookmarkPlayClickBehaviorIndex(2);
    QCOMPARE(form.BookmarkPlayClickBehaviorIndex(), 2);
    QVERIFY(radios[2]->isChecked());
    form.setBookmarkPlayClickBehaviorIndex(7); // out of the list: unchanged
    QCOMPARE(form.BookmarkPlayClickBehaviorIndex(), 2);
    radios[1]->click();
    QCOMPARE(form.BookmarkPlayClickBehaviorIndex(), 1);
}

void TestSecondaryWindows::restoreDefaults_data()
{
    QTest::addColumn<int>("restore");   // answer to the restore question
    QTest::addColumn<bool>("modified"); // catalog has unsaved changes
    QTest::addColumn<int>("save");      // answer to the save question
    QTest::addColumn<bool>("saves");    // the save succeeds
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("saveCalls");
    QTest::addColumn<bool>("ends"); // config deleted and program ended
    using A = Prompt::Answer;
    QTest::newRow("no") << int(A::No) << false << int(A::Cancel) << true << 1 << 0 << false;
    QTest::newRow("yes, nothing to save") << int(A::Yes) << false << int(A::Cancel) << true << 1 << 0 << true;
    QTest::newRow("yes, save") << int(A::Yes) << true << int(A::Yes) << true << 2 << 1 << true;
    QTest::newRow("yes, save fails") << int(A::Yes) << true << int(A::Yes) << false << 2 << 1 << false;
    QTest::newRow("yes, don't save") << int(A::Yes) << true << int(A::No) << true << 2 << 0 << true;
    QTest::newRow("yes, cancel") << int(A::Yes) << true << int(A::Cancel) << true << 2 << 0 << false;
}

void TestSecondaryWindows::restoreDefaults()
{
    QFETCH(int, restore);
    QFETCH(bool, modified);
    QFETCH(int, save);
    QFETCH(bool, saves);
    QFETCH(int, questions);
    QFETCH(int, saveCalls);
    QFETCH(bool, ends);

    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("config.txt"));
    QFile file(config);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Beginner_Mode: 0\r\n");
    file.close();

    ScriptedPrompt prompt;
    prompt.queueAnswer(Prompt::Answer(restore));
    prompt.queueAnswer(Prompt::Answer(save));
    TOptionsForm form;
    const ConfigFile configFile(dir.path(), dir.filePath(QStringLiteral("user")));
    form.setRestoreDefaults([&configFile] { return configFile.resetToDefaults(); });
    int endCalls = 0;
    bool configGoneAtEnd = false;
    form.setEndProgram([&] {
        ++endCalls;
        configGoneAtEnd = !QFile::exists(config);
    });
    int saved = 0;
    form.setCatalogSettler([&] {
        return UnsavedChanges::mayLeave(UnsavedChanges::settle(modified, [&] {
            ++saved;
            return saves;
        }));
    });

    QTest::mouseClick(child<TColourButton>(&form, "ExecuteRestoreKeyboardSettings"), Qt::LeftButton);

    const QStringList messages = prompt.messages();
    QCOMPARE(messages.size(), questions);
    QCOMPARE(messages[0], QStringLiteral("Restore original default keyboard and window settings?\n\n"
                                         "(Tempoloop will automatically exit.)"));
    QCOMPARE(prompt.shown()[0].icon, Prompt::Icon::Warning);
    if (questions > 1) {
        QCOMPARE(messages[1], UnsavedChanges::question());
        QCOMPARE(prompt.shown()[1].kind, QStringLiteral("yesnocancel"));
    }
    QCOMPARE(saved, saveCalls);
    QCOMPARE(endCalls, ends ? 1 : 0);
    QCOMPARE(QFile::exists(config), !ends);
    QCOMPARE(configGoneAtEnd, ends);
}

void TestSecondaryWindows::categoryInputKeys()
{
    TCategoryInputForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.InputBox_Category->setFocus();
    QTest::keyClicks(form.InputBox_Category, QStringLiteral("Tango"));
    QTest::keyClick(form.InputBox_Category, Qt::Key_Return);
    QVERIFY(form.isVisible());
    QVERIFY(form.InputBox_Name->hasFocus());
    QTest::keyClicks(form.InputBox_Name, QStringLiteral("Ocho"));
    QTest::keyClick(form.InputBox_Name, Qt::Key_Return);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QVERIFY(!form.isVisible());
    QCOMPARE(form.InputBox_Category->currentText(), QStringLiteral("Tango"));
    QCOMPARE(form.InputBox_Name->text(), QStringLiteral("Ocho"));

    for (QWidget* box : {static_cast<QWidget*>(form.InputBox_Category), static_cast<QWidget*>(form.InputBox_Name)}) {
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QVERIFY(!form.isVisible());
    }
}

void TestSecondaryWindows::categoryInputArrangement()
{
    TCategoryInputForm form;
    QCOMPARE(child<TColourButton>(&form, "OK_Button")->text(), QStringLiteral("OK"));
    QCOMPARE(form.Cancel_Button->text(), QStringLiteral("Cancel"));

    form.arrange(QStringLiteral("Style"), QStringLiteral("Move"), true,
                 {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("A"), QString()}, QStringLiteral("B"),
                 QStringLiteral("last"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Style and Move"));
    QCOMPARE(form.Label_Category->text(), QStringLiteral("Enter a \"Style\" for this scene (or dance move)"));
    QCOMPARE(form.Label_Name->text(), QStringLiteral("Enter a \"Move\" for this scene (or dance move)"));
    QCOMPARE(form.InputBox_Category->count(), 3); // A, B and the empty category, each once
    QCOMPARE(form.InputBox_Category->itemText(0), QStringLiteral("A"));
    QCOMPARE(form.InputBox_Category->itemText(1), QStringLiteral("B"));
    QCOMPARE(form.InputBox_Category->currentText(), QStringLiteral("B"));
    QCOMPARE(form.InputBox_Name->text(), QStringLiteral("last"));
    QCOMPARE(form.width(), 623);
    QCOMPARE(form.height(), 123);
    QCOMPARE(form.InputBox_Name->x(), 327);
    QCOMPARE(child<TColourButton>(&form, "OK_Button")->x(), 219);
    QVERIFY(!form.InputBox_Category->isHidden());

    form.arrange(QStringLiteral("Style"), QStringLiteral("Move"), false, {}, QStringLiteral("B"),
                 QStringLiteral("last"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Move"));
    QVERIFY(form.InputBox_Category->isHidden());
    QVERIFY(form.Label_Category->isHidden());
    QCOMPARE(form.InputBox_Category->currentText(), QStringLiteral("B")); // keeps its text
    QVERIFY(form.InputBox_Name->text().isEmpty());
    QCOMPARE(form.width(), 320);
    QCOMPARE(form.InputBox_Name->x(), 20);
    QCOMPARE(child<TColourButton>(&form, "OK_Button")->x(), 68);
    QCOMPARE(form.Cancel_Button->x(), 172);
}

void TestSecondaryWindows::guideAndAbout()
{
    TQuickStartGuideForm guide;
    QCOMPARE(guide.windowTitle(), QStringLiteral("Tempoloop - The Ultimate Video Player"));
    QVERIFY(guide.RichEdit1->isReadOnly());
    QCOMPARE(guide.Button1->text(), QStringLiteral("OK"));
    QCOMPARE(guide.PrintButton->text(), QStringLiteral("Print Quick Start Guide"));
    QCOMPARE(guide.pos(), QPoint(150, 100));
    guide.show();
    QVERIFY(QTest::qWaitForWindowExposed(&guide));
    QTest::mouseClick(guide.Button1, Qt::LeftButton);
    QVERIFY(guide.isHidden());

    TAboutForm about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Tempoloop"));
    QVERIFY(about.isModal());
    QCOMPARE(about.ProgramName->text(), QStringLiteral("Tempoloop"));
    QCOMPARE(about.VersionLabel->text(), QStringLiteral("Version 1.00"));
    about.show();
    QVERIFY(QTest::qWaitForWindowActive(&about));
    QVERIFY(about.Panel3->hasFocus());
    QTest::mouseClick(about.OK_Button, Qt::LeftButton);
    QVERIFY(about.isHidden());
}

QTEST_MAIN(TestSecondaryWindows)
#include "TestSecondaryWindows.moc"
