#pragma once

#include <QWidget>

class QTextEdit;
class TColourButton;
class SettingsBinding;

// The quick start guide window: a short guide to the first steps, shown at
// start until the user closes it.
class TQuickStartGuideForm : public QWidget {
    Q_OBJECT
public:
    explicit TQuickStartGuideForm(QWidget* parent = nullptr);

    // The guide as plain text, naming the program's default keys.
    static QString defaultGuideText();

    // Whether the guide shows at start: written from its visibility at exit;
    // as read, it is shown once start-up is done, not when read.
    void bindSettings(SettingsBinding& binding);

    QTextEdit* RichEdit1;
    TColourButton* Button1;     // "OK": hides the window
    TColourButton* PrintButton; // "Print Quick Start Guide"
};
