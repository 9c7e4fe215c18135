#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <functional>

class FocusSink;
class QKeyEvent;
class QWidget;
class QWindow;

// The focus model of one command window: whether a keystroke is a command
// or text. With key preview on, the window's key handler sees every
// keystroke before the focused control does (the control still gets it
// unless the handler consumes it); entering a text box turns key preview
// off, leaving it turns it on again. Enter and Escape in a watched box or
// list end text entry like a click on the window's background.
//
// Key preview watches the window's platform window, which receives every
// keystroke before it is handed to the focused widget.
class FocusModel : public QObject {
    Q_OBJECT
public:
    // The key handler gets the window as sender; true consumes the key.
    using KeyHandler = std::function<bool(QObject* sender, const QKeyEvent* event)>;
    enum class EndKeys { EnterAndEscape, EscapeOnly };

    FocusModel(QWidget* window, FocusSink* sink, QObject* parent = nullptr);

    void setKeyHandler(KeyHandler handler) { m_handler = std::move(handler); }
    // Keys pass to the handler only while this holds (default: always).
    void setPassKeys(std::function<bool()> passKeys) { m_passKeys = std::move(passKeys); }
    // A text box: key preview off while it has the focus. The exit check
    // runs when it loses the focus, before key preview goes on again.
    void watchTextBox(QWidget* box, EndKeys endKeys = EndKeys::EnterAndEscape, std::function<void()> exitCheck = {});
    // A list or grid: keys stay commands, Enter/Escape end like a click.
    void watchList(QWidget* list, EndKeys endKeys = EndKeys::EnterAndEscape);
    // A press on this widget is a click on the window's background.
    void watchBackground(QWidget* area);
    // What a click on the background does after turning key preview on
    // (default: focus to the sink).
    void setClickFocus(std::function<void()> focus) { m_clickFocus = std::move(focus); }
    // Whether activating the window gives the sink the focus (default: yes).
    void setActivationFocusesSink(bool on) { m_activationFocusesSink = on; }

    QWidget* window() const { return m_window; }
    bool keyPreview() const { return m_keyPreview; }
    void setKeyPreview(bool on) { m_keyPreview = on; }

    // The window's focus handlers.
    void FormClick();
    void FormActivate();
    void FormDeactivate();
    void KeyEnter(QWidget* box);
    void KeyExit(QWidget* box);
    // Enter or Escape in a watched box or list; true when swallowed.
    bool KeyPressIt(QWidget* box, const QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Watched {
        bool textBox = false;
        EndKeys endKeys = EndKeys::EnterAndEscape;
        std::function<void()> exitCheck;
        const QMetaObject* type = nullptr; // differs while the box is being destroyed
    };
    const Watched* watchedBox(QObject* object) const;
    void attachToPlatformWindow();
    bool platformKeyPress(QKeyEvent* event);

    QWidget* m_window;
    FocusSink* m_sink;
    QPointer<QWindow> m_platformWindow;
    KeyHandler m_handler;
    std::function<bool()> m_passKeys;
    std::function<void()> m_clickFocus;
    QHash<QObject*, Watched> m_watched;
    QSet<QObject*> m_backgrounds;
    QPointer<QWidget> m_enteredBox;
    bool m_keyPreview = true;
    bool m_activationFocusesSink = true;
};
