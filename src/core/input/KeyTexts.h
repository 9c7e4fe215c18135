#pragma once

#include "core/input/KeyMatching.h"

#include <QString>
#include <QStringList>

// The texts that name keys: the duplicate check's role names and messages,
// the key boxes' validity rule, and the captions and hints that follow the
// chosen keys and jump values.
namespace keys {

// Role name of a key box in the duplicate check's messages.
QString roleName(KeyBox box);

// A key box may hold any one character except the blank.
bool isAcceptableKey(const QString& text);
QString invalidKeyMessage();

// The key for a new key box that the settings file does not set yet: its
// default, unless one of the taken keys already has it (a user's own
// choice); then the first free one of a few spare keys. Keeps a new default
// from taking over a key the user gave to another command.
QString freeKey(const QString& preferred, const QStringList& taken);

// One message per pair of roles sharing a key (exit key left out when it
// needs Ctrl), in the check's order; then the menu shortcut clash of a
// Ctrl exit key.
QStringList duplicateKeyMessages(const KeyTexts& keys, bool ctrlSelect);

// The menu shortcut letters a Ctrl exit key must not take.
bool exitKeyTakesMenuShortcut(const QString& exitKey);

// Captions of the options-window keys.
QString viewClipMenuCaption(const QString& key);
QString exitButtonCaption(const QString& key, bool ctrlSelect);
QString keyCaption(const QString& words, const QString& key); // "words (key)"
// Whether a button's caption follows its key: always, except for a button
// of the main window that has a caption of its own in beginner mode, while
// that mode is on.
bool captionFollowsKey(const QString& button, bool inMainWindow, bool beginnerMode);

// Jump buttons: which jump, and its caption and hint from the chosen value.
enum class Jump { backSeconds, forwardSeconds, backMinutes, forwardMinutes, backFrames, forwardFrames };
QString jumpCaption(Jump jump, const QString& value);
QString jumpHint(Jump jump, const QString& value);
QString keyHint(const QString& buttonHint); // hint of a key box or Shift label
QString shiftLabel(const QString& key);
QString slowMotionCaption(const QString& rate);
QString fastMotionCaption(const QString& rate);
QString slowMotionHint(const QString& rate);
QString fastMotionHint(const QString& rate);

} // namespace keys
