#pragma once

#include "core/input/KeyMatching.h"

#include <QList>
#include <QString>
#include <utility>

// The pop-up hint texts of the main window, the catalog window and the
// video file information window, by the object name of the control that
// shows each. Several name the keys the user has assigned; the catalog's
// repeats button names the Category column's current title.
namespace hints {

// A hint stays up this long.
constexpr int DisplayMs = 10000;

using HintTable = QList<std::pair<QString, QString>>; // object name, hint

// maximized: the F1 button then restores the window, and says so.
HintTable mainWindowHints(const keys::KeyTexts& keys, bool maximized);
// While all bookmarks play, the play-all button has no hint.
HintTable catalogWindowHints(const keys::KeyTexts& keys, const QString& categoryTitle, bool playingAll = false);
HintTable fileInfoWindowHints();
// The options window's "Practice" page: its switches and key boxes.
// `beatLoopCount` is the beat loop's length in beats.
HintTable practicePageHints(const keys::KeyTexts& keys, int beatLoopCount);

// The caption beside a key box of the "Practice" page.
QString practiceKeyCaption(keys::KeyBox box, int beatLoopCount);

// The F1 button's hint, by what the next F1 does.
QString maximizeHint(bool maximized);

} // namespace hints
