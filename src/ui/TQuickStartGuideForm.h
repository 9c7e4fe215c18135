#pragma once

#include <QWidget>

class QTextEdit;
class TColourButton;

// The quick start guide window: a short guide to the first steps, shown at
// start until the user closes it.
class TQuickStartGuideForm : public QWidget {
    Q_OBJECT
public:
    explicit TQuickStartGuideForm(QWidget* parent = nullptr);

    // The guide as plain text, naming the program's default keys.
    static QString defaultGuideText();

    QTextEdit* RichEdit1;
    TColourButton* Button1;     // "OK": hides the window
    TColourButton* PrintButton; // "Print Quick Start Guide"
};
