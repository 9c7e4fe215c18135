#pragma once

#include <QHash>
#include <QObject>
#include <functional>

class KeyCommands;
class KeyboardView;
class QLineEdit;
class TOptionsForm;

// Assigning keys: the check run when a key box is left (a key box may not
// be left empty or blank; the last accepted key comes back), the captions
// and hints that follow the keys and jump values, and the duplicate check
// run at start and at exit.
class KeyAssignments : public QObject {
    Q_OBJECT
public:
    // captionWindows: every window whose buttons show keys, the main window
    // first.
    KeyAssignments(KeyboardView& main, const QList<QWidget*>& captionWindows, TOptionsForm& options,
                   KeyCommands& commands, QObject* parent = nullptr);

    // Sets the pop-up hints again after a key change.
    void setPopUpHints(std::function<void()> popUpHints) { m_popUpHints = std::move(popUpHints); }
    // Every key box's text becomes its last accepted key (end of start-up).
    void rememberLastAcceptedKeys();
    QString lastAcceptedKey(const QLineEdit* box) const { return m_lastAccepted.value(box); }
    // The exit check of one key box.
    void keyExitCheck(QLineEdit* box);

    // Captions of the buttons and menu item that show the options-window keys.
    void anyKeyChange();
    // The four Shift labels follow the jump keys.
    void shiftKeyChange();
    // Captions and hints of the jump and speed buttons and the jump keys.
    void nonshiftKeyChange();
    // Reports every pair of roles sharing one key, one message each.
    void DuplicateKeyCheck();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyboardView& m_main;
    QList<QWidget*> m_captionWindows;
    KeyCommands& m_commands;
    QHash<const QLineEdit*, QString> m_lastAccepted;
    std::function<void()> m_popUpHints;
};
