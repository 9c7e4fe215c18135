#pragma once

#include <QWidget>

class QTextEdit;
class TColourButton;
class ConfigBindings;

// The quick start guide window: shows "Quick_Start_Guide.rtf" from the
// program's folder, greets the user at start until closed, and prints the
// guide.
class TQuickStartGuideForm : public QWidget {
    Q_OBJECT
public:
    // programFolder ends with "/"; empty: the running program's folder.
    explicit TQuickStartGuideForm(const QString& programFolder = {}, QWidget* parent = nullptr);

    static QString guideFileName() { return QStringLiteral("Quick_Start_Guide.rtf"); }
    static QString jobTitle() { return QStringLiteral("Tempoloop Quick Start Guide"); }
    // The four lines shown instead of a missing guide.
    static QString missingNotice(const QString& programFolder);

    bool guideLoaded() const { return m_loaded; }

    // Help, Quick Start Guide: shows the window in front with the focus on
    // the text.
    void GettingStartedGuide1Click();
    // Asks, lets the user choose a printer and prints the guide.
    void PrintButtonClick();

    // Whether the guide shows at start: written from its visibility at exit;
    // as read, it is shown once start-up is done, not when read.
    void bindSettings(ConfigBindings& binding);

    QTextEdit* RichEdit1;
    TColourButton* Button1;     // "OK": hides the window
    TColourButton* PrintButton; // "Print Quick Start Guide"

private:
    void loadGuide(const QString& programFolder);
    void showMissingNotice(const QString& programFolder);

    bool m_loaded = false;
};
