#pragma once

#include "input/KeyMatching.h"

#include <QObject>
#include <array>
#include <functional>

class QLineEdit;
struct AppWindows;
class WindowCommands;
class BookmarkMaking;

// The command table bound to the program's windows: which edit box holds
// each key, what the gates read, and which operation each command runs.
// Operations started by a key get no sender, except the window toggles of
// F1 to F4, which are told the window where the key was pressed.
class KeyCommands : public QObject {
    Q_OBJECT
public:
    KeyCommands(AppWindows& windows, WindowCommands* windowCommands, BookmarkMaking* bookmarks,
                QObject* parent = nullptr);

    QLineEdit* box(keys::KeyBox box) const;
    keys::KeyTexts texts() const;
    keys::Gates gates() const;
    bool ctrlSelect() const;

    void run(keys::Command command, QObject* sender);

    // 0 at start, 1 after the left arrow key, 2 after the right one; the
    // catalog grid's column skipping reads it.
    int LastArrowDirection = 0;

signals:
    // After each command a keystroke ran, for whoever watches the keyboard.
    void commandRan(keys::Command command);

private:
    using Operation = std::function<void(QObject* sender)>;
    static constexpr int CommandCount = static_cast<int>(keys::Command::arrowRight) + 1;
    void bind(keys::Command command, Operation operation);

    AppWindows& m_windows;
    std::array<QLineEdit*, keys::KeyBoxCount> m_boxes{};
    std::array<Operation, CommandCount> m_operations;
};
