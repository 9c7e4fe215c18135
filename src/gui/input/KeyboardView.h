#pragma once

#include <QList>
#include <QtGlobal>

class FocusSink;
class QAbstractButton;
class QComboBox;
class QLineEdit;
class QString;
class QWidget;

// The parts of the main window its focus model watches: the focus sink, the
// text boxes (time boxes, bookmark list), the eleven key boxes, the six
// jump-value and two rate lists, and the background areas. Each panel adds
// its own.
struct KeyboardFocusParts {
    FocusSink* sink = nullptr;
    QList<QWidget*> textBoxes;
    QList<QLineEdit*> keyBoxes;
    QList<QComboBox*> lists;
    QList<QWidget*> backgrounds;
};

// What the keyboard sees of the main window: the parts its focus model
// watches, the add bookmark button, and the captions that follow the keys.
class KeyboardView {
public:
    using FocusParts = KeyboardFocusParts;

    virtual ~KeyboardView() = default;

    virtual FocusParts focusParts() const = 0;
    // The add bookmark button: its click with Shift held adds a quick bookmark.
    virtual QAbstractButton* addBookmarkButton() const = 0;

    virtual bool isBeginnerMode() const = 0;
    virtual void setViewClipMenuCaption(const QString& caption) = 0;
    virtual void setExitCaption(const QString& caption) = 0;
    // "restore window (F1)" while maximised, "maximize window (F1)" else.
    virtual void showMaximizeCaption() = 0;
    // The four Shift labels follow the jump keys.
    virtual void shiftKeyChange() = 0;
    // Captions and hints of the jump and speed buttons and the jump keys.
    virtual void nonshiftKeyChange() = 0;
    // The loop mode button and the mirror view menu item show their keys.
    virtual void setPracticeKeys(const QString& loopModeKey, const QString& mirrorViewKey)
    {
        Q_UNUSED(loopModeKey);
        Q_UNUSED(mirrorViewKey);
    }

    // Keystrokes are commands again ("player controls active").
    virtual void giveFocusToSink() = 0;
};
