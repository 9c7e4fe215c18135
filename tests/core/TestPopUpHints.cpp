#include "core/input/PopUpHints.h"
#include "core/settings/Extras.h"
#include "core/settings/Settings.h"

#include <QtTest>
#include <algorithm>

using namespace hints;

namespace {

enum class Window { main, catalog, info };

keys::KeyTexts designedKeys()
{
    const Settings s;
    keys::KeyTexts k;
    k[int(keys::KeyBox::makebookmark)] = s.addBookmarkKey;
    k[int(keys::KeyBox::previousBookmark)] = s.previousBookmarkKey;
    k[int(keys::KeyBox::currentBookmark)] = s.currentBookmarkKey;
    k[int(keys::KeyBox::nextBookmark)] = s.nextBookmarkKey;
    k[int(keys::KeyBox::loopMode)] = Extras().loopModeKey;
    return k;
}

QString hintOf(const HintTable& table, const QString& name)
{
    QString found;
    int count = 0;
    for (const auto& [control, hint] : table) {
        if (control == name) {
            found = hint;
            ++count;
        }
    }
    return count == 1 ? found : QStringLiteral("<%1 rows>").arg(count);
}

HintTable tableOf(Window window, const keys::KeyTexts& keys, const QString& categoryTitle)
{
    switch (window) {
    case Window::main:
        return mainWindowHints(keys, false);
    case Window::catalog:
        return catalogWindowHints(keys, categoryTitle);
    case Window::info:
        return fileInfoWindowHints();
    }
    return {};
}

const QString kAddBookmarkStart = QStringLiteral(
    "Add current loop as bookmark.\n\n(To define a loop, choose a clip, then select a start time -- and\noptionally "
    "an end time -- using the Loop Controls above.)\n\n<Shift+");
const QString kAddBookmarkEnd =
    QStringLiteral("> will add a 'QUICK BOOKMARK'\n(Creates bookmark with current playback point only.)");

} // namespace

Q_DECLARE_METATYPE(Window)

class TestPopUpHints : public QObject {
    Q_OBJECT
private slots:
    void everyHint_data();
    void everyHint();
    void hintsFollowKeysAndTitles_data();
    void hintsFollowKeysAndTitles();
    void tablesHoldEachControlOnce();
    void f1HintSaysWhatTheNextF1Does();
};

// The texts as the program shows them, with the designed keys and the
// designed Category title.
void TestPopUpHints::everyHint_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("hint");
    QTest::newRow("main AdvancedModeButton")
        << Window::main << "AdvancedModeButton"
        << QStringLiteral("Press this button when you are ready for some more useful features.\nNote: The pop-up hints "
                          "for the buttons visible in this mode will then no longer appear.\nNote: You can return to "
                          "this mode at any time by pressing this (changed) button.");
    QTest::newRow("main regularspeedButton")
        << Window::main << "regularspeedButton" << QStringLiteral("Play the video at normal speed (1.0x speed)");
    QTest::newRow("main previousClipButton")
        << Window::main << "previousClipButton"
        << QStringLiteral("Play the previous clip in the same directory as the clip currently playing.");
    QTest::newRow("main nextClipButton")
        << Window::main << "nextClipButton"
        << QStringLiteral("Play the next clip in the same directory as the clip currently playing.");
    QTest::newRow("main playButton")
        << Window::main << "playButton"
        << QStringLiteral(
               "Play or pause the playback of the current video clip.\nYour <spacebar> does the same thing--try it!");
    QTest::newRow("main restartButton") << Window::main << "restartButton"
                                        << QStringLiteral(
                                               "Re-start the current video clip.\nNote: if you are in \"play loop\" "
                                               "mode, this button instead re-starts from the beginning of the loop.");
    QTest::newRow("main setStartTimeValue")
        << Window::main << "setStartTimeValue"
        << QStringLiteral("Start time of your loop, in \"time code\" format (hh:mm:ss).\nUse the button to the left to "
                          "set or manually enter a time.");
    QTest::newRow("main setEndTimeValue")
        << Window::main << "setEndTimeValue"
        << QStringLiteral("End time of your loop, in \"time code\" format (hh:mm:ss).\nUse the button to the left to "
                          "set or manually enter a time.");
    QTest::newRow("main setStartTimeButton")
        << Window::main << "setStartTimeButton"
        << QStringLiteral("Set the current playback time as the start time of a loop.");
    QTest::newRow("main setEndTimeButton")
        << Window::main << "setEndTimeButton"
        << QStringLiteral("Set the current playback time as the end time of a loop.");
    QTest::newRow("main loopOnce")
        << Window::main << "loopOnce"
        << QStringLiteral("Toggle between two modes:\n\"loop once\": plays your loop once and then stops.\n\"loop "
                          "continuously\": loop automatically re-starts when it reaches the end.\n"
                          "The 'b' keystroke cycles \"loop once\", \"loop continuously\" and the speed ladder.");
    QTest::newRow("main playLoopButton") << Window::main << "playLoopButton"
                                         << QStringLiteral(
                                                "Play video only between start and end times as defined above.");
    QTest::newRow("main playFullVideoButton")
        << Window::main << "playFullVideoButton"
        << QStringLiteral("Ignore all loops and bookmarks and play the complete video clip.");
    QTest::newRow("main ViewClipButton") << Window::main << "ViewClipButton"
                                         << QStringLiteral("Open and play a video (or audio) clip.");
    QTest::newRow("main ImportClipsButton")
        << Window::main << "ImportClipsButton"
        << QStringLiteral("Imports one or several files into a video catalog.\n(Tempoloop will bookmark the whole "
                          "clip, from beginning to end.)\nNote: once a video catalog is open, you can drag and drop "
                          "files directly into the bookmarks grid from your file manager.");
    QTest::newRow("main updateBookmarkButton")
        << Window::main << "updateBookmarkButton"
        << QStringLiteral("Re-define the selected bookmark with the start and end times in the Loop Controls above.");
    QTest::newRow("main slowmotionKey") << Window::main << "slowmotionKey"
                                        << QStringLiteral("keyboard equivalent for \"Play the video in slow motion\"");
    QTest::newRow("main fastmotionKey") << Window::main << "fastmotionKey"
                                        << QStringLiteral("keyboard equivalent for \"Play the video in fast motion\"");
    QTest::newRow("main regularspeedKey")
        << Window::main << "regularspeedKey"
        << QStringLiteral("keyboard equivalent for \"Play the video at normal speed\"");
    QTest::newRow("main setStartTimeKey")
        << Window::main << "setStartTimeKey" << QStringLiteral("keyboard equivalent for \"set start time\"");
    QTest::newRow("main setEndTimeKey") << Window::main << "setEndTimeKey"
                                        << QStringLiteral("keyboard equivalent for \"set end time\"");
    QTest::newRow("main playLoopKey") << Window::main << "playLoopKey"
                                      << QStringLiteral("keyboard equivalent for \"play loop\"");
    QTest::newRow("main playFullVideoKey")
        << Window::main << "playFullVideoKey" << QStringLiteral("keyboard equivalent for \"play full video\"");
    QTest::newRow("main F1_Button")
        << Window::main << "F1_Button"
        << QStringLiteral("Maximize the Video Playback Window (Loop and Bookmark controls will still be visible.)");
    QTest::newRow("main F2_Button")
        << Window::main << "F2_Button"
        << QStringLiteral("Go to \"Full Screen Mode\" (all player controls will be hidden, but all keystroke commands "
                          "will still work.)\n    NOTE: to return to regular screen mode, press the <F1> or <F2> key.");
    QTest::newRow("main F3_Button")
        << Window::main << "F3_Button"
        << QStringLiteral("Press the <F3> key to bring the Video Playback Window to the front or back.");
    QTest::newRow("main F4_Button")
        << Window::main << "F4_Button"
        << QStringLiteral("Press the <F4> key to bring the Video Cataloging Window to the front or back.");
    QTest::newRow("main F5_Button") << Window::main << "F5_Button" << QStringLiteral("Make this window smaller");
    QTest::newRow("main F6_Button") << Window::main << "F6_Button" << QStringLiteral("Make this window larger");
    QTest::newRow("main F7_Button")
        << Window::main << "F7_Button"
        << QStringLiteral("Make this window \"small\"\nTo set the \"small\" video window size, press <Ctrl+F7>");
    QTest::newRow("main F8_Button")
        << Window::main << "F8_Button"
        << QStringLiteral("Make this window \"large\"\nTo set the \"large\" video window size, press <Ctrl+F8>");
    QTest::newRow("main PreviousBookmarkButton")
        << Window::main << "PreviousBookmarkButton" << QStringLiteral("Play previous bookmark");
    QTest::newRow("main CurrentBookmarkButton")
        << Window::main << "CurrentBookmarkButton" << QStringLiteral("Play current bookmark over again");
    QTest::newRow("main NextBookmarkButton")
        << Window::main << "NextBookmarkButton" << QStringLiteral("Play next bookmark");
    QTest::newRow("catalog OpenButton") << Window::catalog << "OpenButton"
                                        << QStringLiteral("Open a different video catalog");
    QTest::newRow("catalog CloseButton") << Window::catalog << "CloseButton"
                                         << QStringLiteral("Close this video catalog");
    QTest::newRow("catalog SaveButton") << Window::catalog << "SaveButton"
                                        << QStringLiteral("Save the current video catalog");
    QTest::newRow("catalog hideCatalogButton")
        << Window::catalog << "hideCatalogButton"
        << QStringLiteral("Hide this window (but keep the current video catalog open).");
    QTest::newRow("catalog PlayAll")
        << Window::catalog << "PlayAll"
        << QStringLiteral(
               "Play all bookmarks in sequence starting from the currently selected bookmark (highlighted in blue).");
    QTest::newRow("catalog turnOnSorting")
        << Window::catalog << "turnOnSorting"
        << QStringLiteral("When sorting is ON, sort the bookmarks list by clicking on a desired column header.\nTo "
                          "sort multiple columns, hold the <Shift> key down when clicking on the column headers.");
    QTest::newRow("catalog Panel8")
        << Window::catalog << "Panel8"
        << QStringLiteral(
               "Description of the currently selected bookmark\n(cell highlighted in blue in the bookmarks grid to the "
               "right.)\nTo edit, simply click into the box below, or, use the <Tab> key, and start typing.");
    QTest::newRow("catalog Image1") << Window::catalog << "Image1"
                                    << QStringLiteral("You are using Tempoloop version 1.00");
    QTest::newRow("info DisplayCodecNameButton")
        << Window::info << "DisplayCodecNameButton"
        << QStringLiteral("We recommend you avoid using this feature.\n\nIs it possible that if you have a certain "
                          "codec installed\nand if you press this button, it could cause Tempoloop to crash "
                          "(probably not though.)\nIf that happens we recommend you end the "
                          "\"tempoloop\" process in your system monitor.");
    QTest::newRow("main makeBookmarkButton")
        << Window::main << "makeBookmarkButton" << kAddBookmarkStart + "O" + kAddBookmarkEnd;
    QTest::newRow("catalog PreviousBookmarkButton")
        << Window::catalog << "PreviousBookmarkButton"
        << QStringLiteral("Play previous bookmark\n(note: the '8' keystroke is active in all windows)");
    QTest::newRow("catalog CurrentBookmarkButton")
        << Window::catalog << "CurrentBookmarkButton"
        << QStringLiteral("Play current bookmark over again\n(note: the '9' keystroke is active in all windows)");
    QTest::newRow("catalog NextBookmarkButton")
        << Window::catalog << "NextBookmarkButton"
        << QStringLiteral("Play next bookmark\n(note: the '0' keystroke is active in all windows)");
    QTest::newRow("catalog hideRepeatsButton")
        << Window::catalog << "hideRepeatsButton"
        << QStringLiteral("Hide (or show) consecutively appearing entries in the \"Category\" column");
}

void TestPopUpHints::everyHint()
{
    QFETCH(Window, window);
    QFETCH(QString, control);
    QFETCH(QString, hint);
    QCOMPARE(hintOf(tableOf(window, designedKeys(), QStringLiteral("Category")), control), hint);
}

void TestPopUpHints::hintsFollowKeysAndTitles_data()
{
    QTest::addColumn<Window>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("categoryTitle");
    QTest::addColumn<QString>("hint");
    const int none = -1;
    QTest::newRow("add bookmark key p") << Window::main << "makeBookmarkButton" << int(keys::KeyBox::makebookmark)
                                        << "p"
                                        << "Category" << kAddBookmarkStart + "P" + kAddBookmarkEnd;
    QTest::newRow("add bookmark key 5") << Window::main << "makeBookmarkButton" << int(keys::KeyBox::makebookmark)
                                        << "5"
                                        << "Category" << kAddBookmarkStart + "5" + kAddBookmarkEnd;
    QTest::newRow("previous key [") << Window::catalog << "PreviousBookmarkButton"
                                    << int(keys::KeyBox::previousBookmark) << "["
                                    << "Category"
                                    << "Play previous bookmark\n(note: the '[' keystroke is active in all windows)";
    QTest::newRow("next key n") << Window::catalog << "NextBookmarkButton" << int(keys::KeyBox::nextBookmark) << "n"
                                << "Category"
                                << "Play next bookmark\n(note: the 'n' keystroke is active in all windows)";
    QTest::newRow("Category retitled Style")
        << Window::catalog << "hideRepeatsButton" << none << ""
        << "Style"
        << "Hide (or show) consecutively appearing entries in the \"Style\" column";
    QTest::newRow("Category retitled empty") << Window::catalog << "hideRepeatsButton" << none << ""
                                             << ""
                                             << "Hide (or show) consecutively appearing entries in the \"\" column";
}

void TestPopUpHints::hintsFollowKeysAndTitles()
{
    QFETCH(Window, window);
    QFETCH(QString, control);
    QFETCH(int, box);
    QFETCH(QString, key);
    QFETCH(QString, categoryTitle);
    QFETCH(QString, hint);
    keys::KeyTexts k = designedKeys();
    if (box >= 0)
        k[box] = key;
    QCOMPARE(hintOf(tableOf(window, k, categoryTitle), control), hint);
}

void TestPopUpHints::tablesHoldEachControlOnce()
{
    for (const HintTable& table :
         {mainWindowHints(designedKeys(), false), catalogWindowHints(designedKeys(), "C"), fileInfoWindowHints()}) {
        QSet<QString> names;
        for (const auto& row : table) {
            QVERIFY2(!names.contains(row.first), qPrintable(row.first));
            QVERIFY2(!row.second.isEmpty(), qPrintable(row.first));
            QVERIFY2(!row.second.contains('\r'), qPrintable(row.first));
            names.insert(row.first);
        }
    }
    QCOMPARE(mainWindowHints(designedKeys(), false).size(), 35);
    QCOMPARE(catalogWindowHints(designedKeys(), "C").size(), 12);
    // While all bookmarks play, the play-all button (the stop) has no hint.
    const HintTable playingAll = catalogWindowHints(designedKeys(), "C", true);
    QCOMPARE(playingAll.size(), 11);
    QVERIFY(std::none_of(playingAll.begin(), playingAll.end(), [](const auto& row) { return row.first == "PlayAll"; }));
    QCOMPARE(fileInfoWindowHints().size(), 1);
}

void TestPopUpHints::f1HintSaysWhatTheNextF1Does()
{
    QCOMPARE(hintOf(mainWindowHints(designedKeys(), true), "F1_Button"),
             QStringLiteral("Restore the video window back to previous size"));
}

QTEST_APPLESS_MAIN(TestPopUpHints)
#include "TestPopUpHints.moc"
