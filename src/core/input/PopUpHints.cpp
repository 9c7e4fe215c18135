#include "core/input/PopUpHints.h"

namespace hints {

namespace {

using keys::KeyBox;

QString key(const keys::KeyTexts& keys, KeyBox box)
{
    return keys::keyOf(keys, box);
}

QString keystrokeNote(const QString& what, const QString& key)
{
    return what + QStringLiteral("\n(note: the '") + key + QStringLiteral("' keystroke is active in all windows)");
}

} // namespace

QString maximizeHint(bool maximized)
{
    return maximized ? QStringLiteral("Restore the video window back to previous size")
                     : QStringLiteral("Maximize the Video Playback Window (Loop and Bookmark controls will still be "
                                      "visible.)");
}

HintTable mainWindowHints(const keys::KeyTexts& keys, bool maximized)
{
    const QString addBookmark =
        QStringLiteral("Add current loop as bookmark.\n\n(To define a loop, choose a clip, then select a start time "
                       "-- and\noptionally an end time -- using the Loop Controls above.)\n\n<Shift+") +
        key(keys, KeyBox::makebookmark).toUpper() +
        QStringLiteral("> will add a 'QUICK BOOKMARK'\n(Creates bookmark with current playback point only.)");
    return {
        {"AdvancedModeButton",
         "Press this button when you are ready for some more useful features.\nNote: The pop-up hints for the "
         "buttons visible in this mode will then no longer appear.\nNote: You can return to this mode at any time by "
         "pressing this (changed) button."},
        {"regularspeedButton", "Play the video at normal speed (1.0x speed)"},
        {"previousClipButton", "Play the previous clip in the same directory as the clip currently playing."},
        {"nextClipButton", "Play the next clip in the same directory as the clip currently playing."},
        {"playButton", "Play or pause the playback of the current video clip.\nYour <spacebar> does the same "
                       "thing--try it!"},
        {"restartButton", "Re-start the current video clip.\nNote: if you are in \"play loop\" mode, this button "
                          "instead re-starts from the beginning of the loop."},
        {"setStartTimeValue", "Start time of your loop, in \"time code\" format (hh:mm:ss).\nUse the button to the "
                              "left to set or manually enter a time."},
        {"setEndTimeValue", "End time of your loop, in \"time code\" format (hh:mm:ss).\nUse the button to the left "
                            "to set or manually enter a time."},
        {"setStartTimeButton", "Set the current playback time as the start time of a loop."},
        {"setEndTimeButton", "Set the current playback time as the end time of a loop."},
        {"loopOnce",
         QStringLiteral("Toggle between two modes:\n\"loop once\": plays your loop once and then stops.\n\"loop "
                        "continuously\": loop automatically re-starts when it reaches the end.\n"
                        "The '") +
             key(keys, KeyBox::loopMode) +
             QStringLiteral("' keystroke cycles \"loop once\", \"loop continuously\" and the speed ladder.")},
        {"playLoopButton", "Play video only between start and end times as defined above."},
        {"playFullVideoButton", "Ignore all loops and bookmarks and play the complete video clip."},
        {"ViewClipButton", "Open and play a video (or audio) clip."},
        {"ImportClipsButton",
         "Imports one or several files into a video catalog.\n(Tempoloop will bookmark the whole clip, from "
         "beginning to end.)\nNote: once a video catalog is open, you can drag and drop files directly into the "
         "bookmarks grid from your file manager."},
        {"makeBookmarkButton", addBookmark},
        {"updateBookmarkButton",
         "Re-define the selected bookmark with the start and end times in the Loop Controls above."},
        {"slowmotionKey", "keyboard equivalent for \"Play the video in slow motion\""},
        {"fastmotionKey", "keyboard equivalent for \"Play the video in fast motion\""},
        {"regularspeedKey", "keyboard equivalent for \"Play the video at normal speed\""},
        {"setStartTimeKey", "keyboard equivalent for \"set start time\""},
        {"setEndTimeKey", "keyboard equivalent for \"set end time\""},
        {"playLoopKey", "keyboard equivalent for \"play loop\""},
        {"playFullVideoKey", "keyboard equivalent for \"play full video\""},
        {"F1_Button", maximizeHint(maximized)},
        {"F2_Button", "Go to \"Full Screen Mode\" (all player controls will be hidden, but all keystroke commands "
                      "will still work.)\n    NOTE: to return to regular screen mode, press the <F1> or <F2> key."},
        {"F3_Button", "Press the <F3> key to bring the Video Playback Window to the front or back."},
        {"F4_Button", "Press the <F4> key to bring the Video Cataloging Window to the front or back."},
        {"F5_Button", "Make this window smaller"},
        {"F6_Button", "Make this window larger"},
        {"F7_Button", "Make this window \"small\"\nTo set the \"small\" video window size, press <Ctrl+F7>"},
        {"F8_Button", "Make this window \"large\"\nTo set the \"large\" video window size, press <Ctrl+F8>"},
        {"PreviousBookmarkButton", "Play previous bookmark"},
        {"CurrentBookmarkButton", "Play current bookmark over again"},
        {"NextBookmarkButton", "Play next bookmark"},
    };
}

HintTable catalogWindowHints(const keys::KeyTexts& keys, const QString& categoryTitle, bool playingAll)
{
    HintTable table = {
        {"OpenButton", "Open a different video catalog"},
        {"CloseButton", "Close this video catalog"},
        {"SaveButton", "Save the current video catalog"},
        {"hideCatalogButton", "Hide this window (but keep the current video catalog open)."},
        {"PlayAll", "Play all bookmarks in sequence starting from the currently selected bookmark (highlighted in "
                    "blue)."},
        {"turnOnSorting", "When sorting is ON, sort the bookmarks list by clicking on a desired column header.\nTo "
                          "sort multiple columns, hold the <Shift> key down when clicking on the column headers."},
        {"PreviousBookmarkButton", keystrokeNote("Play previous bookmark", key(keys, KeyBox::previousBookmark))},
        {"CurrentBookmarkButton",
         keystrokeNote("Play current bookmark over again", key(keys, KeyBox::currentBookmark))},
        {"NextBookmarkButton", keystrokeNote("Play next bookmark", key(keys, KeyBox::nextBookmark))},
        {"Panel8", "Description of the currently selected bookmark\n(cell highlighted in blue in the bookmarks grid "
                   "to the right.)\nTo edit, simply click into the box below, or, use the <Tab> key, and start "
                   "typing."},
        {"Image1", "You are using Tempoloop version 1.00"},
        {"hideRepeatsButton", QStringLiteral("Hide (or show) consecutively appearing entries in the \"") +
                                  categoryTitle + QStringLiteral("\" column")},
    };
    if (playingAll)
        table.removeIf([](const auto& row) { return row.first == QLatin1String("PlayAll"); });
    return table;
}

HintTable fileInfoWindowHints()
{
    return {
        {"DisplayCodecNameButton",
         "We recommend you avoid using this feature.\n\nIs it possible that if you have a certain codec "
         "installed\nand if you press this button, it could cause Tempoloop to crash (probably not though.)\nIf "
         "that happens we recommend you end the \"tempoloop\" process in your system monitor."},
    };
}

namespace {

// What the Shift variant of a nudge key does, and what snapping does to it.
QString nudgeHint(const QString& what, const QString& key, const QString& towards)
{
    return QStringLiteral("keyboard equivalent for \"") + what + QStringLiteral("\"\n<Shift+") + key +
           QStringLiteral("> moves it a tenth of a second.\nWith \"Snap to the beat\" on, it moves to the ") + towards +
           QStringLiteral(" beat instead (<Shift+") + key +
           QStringLiteral(">: a whole count of beats).\nA loop that plays takes the new time from its next pass.");
}

} // namespace

QString practiceKeyCaption(keys::KeyBox box, int beatLoopCount)
{
    switch (box) {
    case KeyBox::loopMode:
        return QStringLiteral("loop mode: once, continuously, speed ladder");
    case KeyBox::mirrorView:
        return QStringLiteral("mirror view");
    case KeyBox::nudgeStartEarlier:
        return QStringLiteral("loop start a frame earlier");
    case KeyBox::nudgeStartLater:
        return QStringLiteral("loop start a frame later");
    case KeyBox::nudgeEndEarlier:
        return QStringLiteral("loop end a frame earlier");
    case KeyBox::nudgeEndLater:
        return QStringLiteral("loop end a frame later");
    case KeyBox::beatLoop:
        return QStringLiteral("beat loop: %1 beats from the nearest beat").arg(beatLoopCount);
    case KeyBox::moveOne:
        return QStringLiteral("the \"1\" a beat later");
    case KeyBox::zoomIn:
        return QStringLiteral("zoom in");
    case KeyBox::zoomOut:
        return QStringLiteral("zoom out");
    case KeyBox::zoomReset:
        return QStringLiteral("whole picture");
    case KeyBox::beatLevel:
        return QStringLiteral("beats ×2, ½, as found");
    default:
        return {};
    }
}

HintTable practicePageHints(const keys::KeyTexts& keys, int beatLoopCount)
{
    return {
        {"PreciseLoopPoints",
         "\"set start time\" and \"set end time\" take the time of the frame shown, to the millisecond "
         "(hh:mm:ss.mmm),\ninstead of the nearest whole second. Loops and bookmarks keep the exact times."},
        {"FindBeats", "Find the beats of each clip's sound when it opens (in the background; a clip opened "
                      "again has them at once)\nand show them as small ticks on the progress line."},
        {"SnapToBeat", "\"set start time\", \"set end time\" and the loop's nudge keys land on the beats of "
                       "the clip."},
        {"ShowBeatCount", "Show the count, 1 to 8, in a corner of the picture, following the beats.\nWhile a "
                          "loop plays, its start is the count's \"1\"."},
        {"BeatLoopCount", "How many beats the beat loop key's loop lasts."},
        {"nudgeStartEarlierKey", nudgeHint(QStringLiteral("move the loop's start one frame earlier"),
                                           key(keys, KeyBox::nudgeStartEarlier), QStringLiteral("previous"))},
        {"nudgeStartLaterKey", nudgeHint(QStringLiteral("move the loop's start one frame later"),
                                         key(keys, KeyBox::nudgeStartLater), QStringLiteral("next"))},
        {"nudgeEndEarlierKey", nudgeHint(QStringLiteral("move the loop's end one frame earlier"),
                                         key(keys, KeyBox::nudgeEndEarlier), QStringLiteral("previous"))},
        {"nudgeEndLaterKey", nudgeHint(QStringLiteral("move the loop's end one frame later"),
                                       key(keys, KeyBox::nudgeEndLater), QStringLiteral("next"))},
        {"beatLoopKey",
         QStringLiteral("keyboard equivalent for \"play a loop of %1 beats from the beat nearest the playback "
                        "point\"\nIt plays at once, in the current loop mode, and starts on the count's "
                        "\"1\".\nThe first time, the clip's beats are found first (a few seconds).")
             .arg(beatLoopCount)},
        {"moveOneKey", "keyboard equivalent for \"move the count's 1 one beat later\"\nThe beats stay where "
                       "they are; the count and the long ticks move, and the clip keeps it."},
        {"beatLevelKey", "keyboard equivalent for \"count the beats twice as fast, half as fast, as found\"\nFor "
                         "music counted at another level than the one found (salsa counted in halves);\nthe "
                         "\"1\" stays on its beat, and the clip keeps it."},
        {"loopModeKey", "keyboard equivalent for \"loop once, loop continuously, speed ladder\""},
        {"mirrorViewKey", "keyboard equivalent for \"mirror view\""},
        {"zoomInKey", "keyboard equivalent for \"zoom in\": the picture 1.25 times closer, up to 8 times\nThe "
                      "mouse wheel over the picture zooms about the point under the pointer;\ndrag the picture "
                      "with the left button to move about in it."},
        {"zoomOutKey", "keyboard equivalent for \"zoom out\": the picture a step further, down to the whole "
                       "picture"},
        {"zoomResetKey", "keyboard equivalent for \"the whole picture\"\nA new clip starts with the whole "
                         "picture too."},
    };
}

} // namespace hints
