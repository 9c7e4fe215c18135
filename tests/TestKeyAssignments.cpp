#include "AppFixture.h"
#include "Controls.h"
#include "core/input/KeyCommandTable.h"
#include "gui/input/FocusModel.h"
#include "gui/input/KeyAssignments.h"
#include "gui/input/KeyCommands.h"
#include "gui/input/Keyboard.h"
#include "gui/main/ControlsArrangement.h"

#include "gui/catalog/TBookmarksForm.h"
#include "gui/cmdline/TCommandLineEntryForm.h"
#include "gui/input/FocusSink.h"
#include "gui/options/TOptionsForm.h"
#include "gui/widgets/TColourButton.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

const QString kInvalid = QStringLiteral("Please pick a valid value.");
const QString kAdvice = QStringLiteral(
    "\n\nPlease manually fix or run \"Restore all keyboard and window settings\" in the Options window.");

QString startEndClash()
{
    return QStringLiteral("You have duplcate keys assigned.\n\nPlayer Controls: forward seconds key is assigned to: "
                          "'f'\nMain Form: set start time key is assigned to: 'f'") +
           kAdvice;
}

} // namespace

class TestKeyAssignments : public QObject {
    Q_OBJECT

private slots:
    void mainKeyBoxRefusesEmptyAndBlank_data();
    void mainKeyBoxRefusesEmptyAndBlank();
    void optionsKeyBoxRefusesEmpty();
    void duplicatesReportedAtStartAndExit();
    void duplicateMadeWhileRunningReportedAtExit();
    void ctrlExitKeyOnMenuShortcut();
    void captionsFollowOptionsKeys();
    void beginnerModeKeepsItsCaptions();
    void beginnerModeCaptionsOfOtherButtonsFollowKeys();
    void shiftLabelsFollowJumpKeys();
    void jumpCaptionsAndHintsFollowValues();
    void keyBoxesAreTheCommandTables();
};

void TestKeyAssignments::mainKeyBoxRefusesEmptyAndBlank_data()
{
    QTest::addColumn<QString>("typed"); // after clearing the box; "" types nothing
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("refused");
    QTest::newRow("empty") << ""
                           << "a" << true;
    QTest::newRow("blank") << " "
                           << "a" << true;
    QTest::newRow("capital") << "A"
                             << "A" << false;
    QTest::newRow("punctuation") << "."
                                 << "." << false;
}

void TestKeyAssignments::mainKeyBoxRefusesEmptyAndBlank()
{
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(bool, refused);
    AppFixture p;
    QVERIFY(p.startWithSettings({QStringLiteral("Beginner_Mode: 0")})); // the key boxes show in advanced mode
    TMainForm* m = p.main();
    QVERIFY(AppFixture::activate(m));
    QTest::mouseClick(child<QLineEdit>(m, "backsecondsKey"), Qt::LeftButton);
    child<QLineEdit>(m, "backsecondsKey")->selectAll();
    AppFixture::key(m, Qt::Key_Backspace);
    if (!typed.isEmpty())
        AppFixture::type(m, typed.at(0).toLatin1(), typed.at(0).isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
    // Leaving by a click elsewhere in the window.
    QTest::mouseClick(child<QGroupBox>(m, "AdvancedPlayerControlsBox"), Qt::LeftButton, {}, QPoint(180, 8));
    QCOMPARE(p.prompt.messages(), refused ? QStringList{kInvalid} : QStringList{});
    QCOMPARE(child<QLineEdit>(m, "backsecondsKey")->text(), after);
    QVERIFY(p.keyboard()->mainFocus->keyPreview());
    QCOMPARE(p.keyboard()->assignments->lastAcceptedKey(child<QLineEdit>(m, "backsecondsKey")), after);

    // The restored key is the last one accepted, not the default.
    if (!refused) {
        QTest::mouseClick(child<QLineEdit>(m, "backsecondsKey"), Qt::LeftButton);
        child<QLineEdit>(m, "backsecondsKey")->selectAll();
        AppFixture::key(m, Qt::Key_Delete);
        AppFixture::key(m, Qt::Key_Escape);
        QCOMPARE(p.prompt.messages(), QStringList{kInvalid});
        QCOMPARE(child<QLineEdit>(m, "backsecondsKey")->text(), after);
    }
}

void TestKeyAssignments::optionsKeyBoxRefusesEmpty()
{
    AppFixture p;
    QVERIFY(p.start());
    TOptionsForm* options = p.windows().OptionsForm;
    QVERIFY(AppFixture::activate(options));
    child<QLineEdit>(options, "chooseclipKey")->setFocus(Qt::MouseFocusReason);
    child<QLineEdit>(options, "chooseclipKey")->clear();
    QTest::keyClick(child<QLineEdit>(options, "chooseclipKey"),
                    Qt::Key_Return); // ends entry: the window's focus sink takes over
    QCOMPARE(p.prompt.messages(), QStringList{kInvalid});
    QCOMPARE(child<QLineEdit>(options, "chooseclipKey")->text(), QStringLiteral("c"));

    // Closing the window with an empty box checks it too.
    p.prompt.clear();
    child<QLineEdit>(options, "exitKey")->setFocus(Qt::MouseFocusReason);
    child<QLineEdit>(options, "exitKey")->setText(QStringLiteral(" "));
    options->hide();
    QCOMPARE(p.prompt.messages(), QStringList{kInvalid});
    QCOMPARE(child<QLineEdit>(options, "exitKey")->text(), QStringLiteral("z"));
}

void TestKeyAssignments::duplicatesReportedAtStartAndExit()
{
    AppFixture p;
    QVERIFY(p.startWithSettings({QStringLiteral("Set_Start_Time_Key: f")}));
    QCOMPARE(child<QLineEdit>(p.main(), "setStartTimeKey")->text(), QStringLiteral("f"));
    QCOMPARE(p.prompt.messages(), QStringList{startEndClash()});
    p.prompt.clear();
    QVERIFY(p.main()->close());
    QCOMPARE(p.prompt.messages(), QStringList{startEndClash()});
}

void TestKeyAssignments::duplicateMadeWhileRunningReportedAtExit()
{
    AppFixture p;
    QVERIFY(p.startWithSettings({QStringLiteral("Beginner_Mode: 0")})); // the key boxes show in advanced mode
    TMainForm* m = p.main();
    QVERIFY(AppFixture::activate(m));
    QTest::mouseClick(child<QLineEdit>(m, "setStartTimeKey"), Qt::LeftButton);
    child<QLineEdit>(m, "setStartTimeKey")->selectAll();
    AppFixture::type(m, 'f');
    AppFixture::key(m, Qt::Key_Return);
    QCOMPARE(child<QLineEdit>(m, "setStartTimeKey")->text(), QStringLiteral("f"));
    QVERIFY(p.prompt.messages().isEmpty());
    QVERIFY(m->close());
    QCOMPARE(p.prompt.messages(), QStringList{startEndClash()});
}

void TestKeyAssignments::ctrlExitKeyOnMenuShortcut()
{
    AppFixture p;
    QVERIFY(p.startWithSettings({QStringLiteral("Options_Form_Exit_Keystroke: o"),
                                 QStringLiteral("Options_Form_Exit_Keystroke_with_Ctrl_Key: 1")}));
    QVERIFY(child<QCheckBox>(p.windows().OptionsForm, "CtrlSelect")->isChecked());
    const QString expected =
        QStringLiteral("You have duplcate keys assigned.\n\nOptions Form: exit key is assigned to: "
                       "'Ctrl+o'\nwhich is also assigned to a main menu shortcut.") +
        kAdvice;
    QCOMPARE(p.prompt.messages(), QStringList{expected});
    QCOMPARE(child<TColourButton>(p.main(), "exitButton")->text(), QStringLiteral("exit (Ctrl+o)"));
}

void TestKeyAssignments::captionsFollowOptionsKeys()
{
    AppFixture p;
    QVERIFY(p.startWithSettings({QStringLiteral("Beginner_Mode: 0")})); // captions show keys in advanced mode
    TMainForm* m = p.main();
    TOptionsForm* options = p.windows().OptionsForm;
    QCOMPARE(child<QAction>(m, "choosevideoclip1")->text(),
             QStringLiteral("View video clip                                      (c)"));
    QVERIFY(AppFixture::activate(options));
    child<QLineEdit>(options, "chooseclipKey")->setFocus(Qt::MouseFocusReason);
    child<QLineEdit>(options, "chooseclipKey")->selectAll();
    QTest::keyClick(child<QLineEdit>(options, "chooseclipKey"), Qt::Key_X);
    // At once, while the box still has the focus.
    QVERIFY(child<QLineEdit>(options, "chooseclipKey")->hasFocus());
    QCOMPARE(child<TColourButton>(m, "ViewClipButton")->text(), QStringLiteral("view clip (x)"));
    QCOMPARE(child<QAction>(m, "choosevideoclip1")->text(),
             QStringLiteral("View video clip                                      (x)"));

    child<QCheckBox>(options, "CtrlSelect")->setChecked(true);
    QCOMPARE(child<TColourButton>(m, "exitButton")->text(), QStringLiteral("exit (Ctrl+z)"));
    child<QCheckBox>(options, "CtrlSelect")->setChecked(false);
    QCOMPARE(child<TColourButton>(m, "exitButton")->text(), QStringLiteral("exit (z)"));

    child<QLineEdit>(options, "pastecommandlineKey")->setText(QStringLiteral("P"));
    child<QLineEdit>(options, "playcommandlineKey")->setText(QStringLiteral("&"));
    child<QLineEdit>(options, "makebookmarkKey")->setText(QStringLiteral("b"));
    child<QLineEdit>(options, "restartKey")->setText(QStringLiteral("e"));
    child<QLineEdit>(options, "muteKey")->setText(QStringLiteral("n"));
    child<QLineEdit>(options, "previousBookmarkKey")->setText(QStringLiteral("1"));
    child<QLineEdit>(options, "currentBookmarkKey")->setText(QStringLiteral("2"));
    child<QLineEdit>(options, "nextBookmarkKey")->setText(QStringLiteral("3"));
    TCommandLineEntryForm* entry = p.windows().CommandLineEntryForm;
    QCOMPARE(child<TColourButton>(entry, "pasteCommandLineButton")->text(), QStringLiteral("paste command line (P)"));
    QCOMPARE(child<TColourButton>(entry, "playCommandLineButton")->text(),
             QStringLiteral("play command line (&&)")); // shows "&"
    QCOMPARE(child<TColourButton>(m, "makeBookmarkButton")->text(), QStringLiteral("add bookmark (b)"));
    QCOMPARE(child<TColourButton>(m, "restartButton")->text(), QStringLiteral("restart (e)"));
    QCOMPARE(child<TColourButton>(m, "muteButton")->text(), QStringLiteral("mute (n)"));
    TBookmarksForm* catalog = p.windows().BookmarksForm;
    for (auto [previous, current, next] :
         {std::tuple{child<TColourButton>(m, "PreviousBookmarkButton"),
                     child<TColourButton>(m, "CurrentBookmarkButton"), child<TColourButton>(m, "NextBookmarkButton")},
          std::tuple{child<TColourButton>(catalog, "PreviousBookmarkButton"),
                     child<TColourButton>(catalog, "CurrentBookmarkButton"),
                     child<TColourButton>(catalog, "NextBookmarkButton")}}) {
        QCOMPARE(previous->text(), QStringLiteral("previous (1)"));
        QCOMPARE(current->text(), QStringLiteral("current (2)"));
        QCOMPARE(next->text(), QStringLiteral("next (3)"));
    }
    QCOMPARE(child<TColourButton>(m, "F1_Button")->text(), QStringLiteral("maximize window (F1)"));
}

void TestKeyAssignments::beginnerModeKeepsItsCaptions()
{
    AppFixture p;
    QVERIFY(p.start());
    TMainForm* m = p.main();
    QVERIFY(m->arrangement()->isBeginnerMode()); // the default
    child<TColourButton>(m, "ViewClipButton")->setText(QStringLiteral("beginner caption"));
    child<QLineEdit>(p.windows().OptionsForm, "chooseclipKey")->setText(QStringLiteral("v"));
    QCOMPARE(child<QAction>(m, "choosevideoclip1")->text(),
             QStringLiteral("View video clip                                      (v)"));
    QCOMPARE(child<TColourButton>(m, "ViewClipButton")->text(), QStringLiteral("beginner caption"));
}

// In beginner mode only the main window's buttons with a caption of their
// own keep it: the command line entry window's and the catalog window's
// buttons, and the main window's play-all buttons, name the new key at once.
void TestKeyAssignments::beginnerModeCaptionsOfOtherButtonsFollowKeys()
{
    AppFixture p;
    QVERIFY(p.start());
    TMainForm* m = p.main();
    QVERIFY(m->arrangement()->isBeginnerMode());
    TOptionsForm* options = p.windows().OptionsForm;
    child<QLineEdit>(options, "pastecommandlineKey")->setText(QStringLiteral("p"));
    child<QLineEdit>(options, "playcommandlineKey")->setText(QStringLiteral("q"));
    child<QLineEdit>(options, "previousBookmarkKey")->setText(QStringLiteral("1"));
    child<QLineEdit>(options, "currentBookmarkKey")->setText(QStringLiteral("2"));
    child<QLineEdit>(options, "nextBookmarkKey")->setText(QStringLiteral("3"));
    child<QLineEdit>(options, "restartKey")->setText(QStringLiteral("e"));
    child<QLineEdit>(options, "exitKey")->setText(QStringLiteral("w"));
    TCommandLineEntryForm* entry = p.windows().CommandLineEntryForm;
    QCOMPARE(child<TColourButton>(entry, "pasteCommandLineButton")->text(), QStringLiteral("paste command line (p)"));
    QCOMPARE(child<TColourButton>(entry, "playCommandLineButton")->text(), QStringLiteral("play command line (q)"));
    TBookmarksForm* catalog = p.windows().BookmarksForm;
    for (QWidget* window : {static_cast<QWidget*>(catalog), static_cast<QWidget*>(m)}) {
        QCOMPARE(child<TColourButton>(window, "PreviousBookmarkButton")->text(), QStringLiteral("previous (1)"));
        QCOMPARE(child<TColourButton>(window, "CurrentBookmarkButton")->text(), QStringLiteral("current (2)"));
        QCOMPARE(child<TColourButton>(window, "NextBookmarkButton")->text(), QStringLiteral("next (3)"));
    }
    QCOMPARE(child<TColourButton>(m, "exitButton")->text(), QStringLiteral("exit (w)"));
    // The beginner layout's own captions name no key.
    QCOMPARE(child<TColourButton>(m, "restartButton")->text(), QStringLiteral("restart"));
}

void TestKeyAssignments::shiftLabelsFollowJumpKeys()
{
    AppFixture p;
    QVERIFY(p.startWithSettings({QStringLiteral("Forward_1_Frame_Key: e")}));
    TMainForm* m = p.main();
    QCOMPARE(child<QLabel>(m, "forwardframesKey")->text(), QStringLiteral("<shift>e"));
    child<QLineEdit>(m, "backsecondsKey")->setText(QStringLiteral("q"));
    child<QLineEdit>(m, "forwardsecondsKey")->setText(QStringLiteral("w"));
    child<QLineEdit>(m, "back1frameKey")->setText(QStringLiteral("x"));
    QCOMPARE(child<QLabel>(m, "backminutesKey")->text(), QStringLiteral("<shift>q"));
    QCOMPARE(child<QLabel>(m, "forwardminutesKey")->text(), QStringLiteral("<shift>w"));
    QCOMPARE(child<QLabel>(m, "backframesKey")->text(), QStringLiteral("<shift>x"));
}

void TestKeyAssignments::jumpCaptionsAndHintsFollowValues()
{
    AppFixture p;
    QVERIFY(p.startWithSettings({QStringLiteral("Back_Seconds_Value: 0"), QStringLiteral("Slow_Motion_Rate: 2"),
                                 QStringLiteral("Beginner_Mode: 0")}));
    TMainForm* m = p.main();
    QCOMPARE(child<TColourButton>(m, "backsecondsButton")->text(), QStringLiteral("<< 1 sec"));
    QCOMPARE(child<TColourButton>(m, "backsecondsButton")->toolTip(), QStringLiteral("Jump back 1 second"));
    QCOMPARE(child<QLineEdit>(m, "backsecondsKey")->toolTip(),
             QStringLiteral("keyboard equivalent for \"Jump back 1 second\""));
    QCOMPARE(child<QLabel>(m, "backminutesKey")->toolTip(),
             QStringLiteral("keyboard equivalent for \"Jump back 1 minute\""));
    QCOMPARE(child<QLineEdit>(m, "back1frameKey")->toolTip(),
             QStringLiteral("keyboard equivalent for \"Go back 1 frame\""));
    QCOMPARE(child<TColourButton>(m, "slowmotionButton")->text(), QStringLiteral("slow (0.3)"));
    QCOMPARE(child<TColourButton>(m, "slowmotionButton")->toolTip(),
             QStringLiteral("Play the video in slow motion (0.3x speed)"));

    QVERIFY(AppFixture::activate(m));
    child<QComboBox>(m, "backSecondsValue")->setFocus(Qt::MouseFocusReason);
    const int ten = child<QComboBox>(m, "backSecondsValue")->findText(QStringLiteral("10"));
    child<QComboBox>(m, "backSecondsValue")->setCurrentIndex(ten);
    emit child<QComboBox>(m, "backSecondsValue")->activated(ten);
    QCOMPARE(child<TColourButton>(m, "backsecondsButton")->text(), QStringLiteral("<< 10 sec"));
    QCOMPARE(child<TColourButton>(m, "backsecondsButton")->toolTip(), QStringLiteral("Jump back 10 seconds"));
    QVERIFY(child<FocusSink>(m, "PanelFocusPanel")->isActive()); // keystrokes are commands again
    const int frames = child<QComboBox>(m, "forwardframesValue")->findText(QStringLiteral("15"));
    child<QComboBox>(m, "forwardframesValue")->setCurrentIndex(frames);
    emit child<QComboBox>(m, "forwardframesValue")->activated(frames);
    QCOMPARE(child<TColourButton>(m, "forwardframesButton")->text(), QStringLiteral(">> 15 frames"));
    QCOMPARE(child<QLabel>(m, "forwardframesKey")->toolTip(),
             QStringLiteral("keyboard equivalent for \"Jump forward 15 frames\""));
}

// Every key box the table names sits in its window under that name, with
// the table's accessible name and default key.
void TestKeyAssignments::keyBoxesAreTheCommandTables()
{
    AppFixture p;
    QVERIFY(p.start());
    for (const keys::KeyBoxRow& row : keys::keyBoxRows) {
        const QString name = QString::fromLatin1(row.objectName);
        QLineEdit* box = p.main()->findChild<QLineEdit*>(name);
        if (!box)
            box = p.windows().OptionsForm->findChild<QLineEdit*>(name);
        QVERIFY2(box, row.objectName);
        QCOMPARE(box, p.keyboard()->commands->box(row.box));
        QCOMPARE(box->accessibleName(), QString::fromLatin1(row.accessibleName));
        QCOMPARE(box->text(), QString::fromLatin1(row.defaultKey));
    }
}

QTEST_MAIN(TestKeyAssignments)
#include "TestKeyAssignments.moc"
