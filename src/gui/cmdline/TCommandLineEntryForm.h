#pragma once

#include <QWidget>

class FocusModel;
class FocusSink;
class StoredLoopView;
class QLineEdit;
class TColourButton;

// The command line entry window: a one-line box for a Bookmark Command Line
// with a paste button and a play button. Non-modal; while its focus sink
// holds the focus its keys reach the main window through its focus model,
// like those of every command window.
class TCommandLineEntryForm : public QWidget {
    Q_OBJECT
public:
    explicit TCommandLineEntryForm(QWidget* parent = nullptr);

    // The main window, which opens the clip and plays the loop. Without one
    // the play operation stops after its checks.
    void setStoredLoopView(StoredLoopView* view) { m_player = view; }
    // The window's focus model: its keys go to the handler set on it.
    FocusModel* focusModel() const { return m_focus; }
    FocusSink* focusSink() const { return m_focusSink; }

    QString commandLineText() const;
    void setCommandLineText(const QString& text);
    // While all bookmarks play in sequence both buttons are disabled.
    void setPlayingAll(bool on);

public slots:
    // Empties the box and pastes the clipboard's text into it (no checks).
    void pasteCommandLineButtonClick(QObject* sender = nullptr);
    // Checks the line in the box, reports the first fault in a message box,
    // or opens the clip and plays its loop. A one-digit hour is widened in
    // the box first. With a sender the focus ends on the focus sink.
    void playCommandLineButtonClick(QObject* sender = nullptr);

private:
    void endWithSender(QObject* sender);

    QLineEdit* CommandLineText;
    TColourButton* pasteCommandLineButton;
    TColourButton* playCommandLineButton;
    FocusSink* m_focusSink;
    FocusModel* m_focus;
    StoredLoopView* m_player = nullptr;
};
