#pragma once

#include "core/base/Prompt.h"

#include <QMessageBox>

class QWidget;

// The program's prompt: Qt's message boxes and dialogs, owned by the active
// window.
class QtPrompt : public Prompt {
public:
    // The title is the caption of boxes that name none of their own.
    explicit QtPrompt(const QString& title) : m_title(title) {}

    void message(const QString& text, Icon icon, const QString& caption) override;
    Answer askYesNo(const QString& text, Icon icon, const QString& caption) override;
    Answer askOkCancel(const QString& text, Icon icon, const QString& caption) override;
    Answer askYesNoCancel(const QString& text, Icon icon, const QString& caption) override;
    Answer askOkCancelOr(const QString& text, const QString& other, Icon icon, const QString& caption) override;
    int askChoice(const QString& text, const QStringList& choices, Icon icon, const QString& caption) override;
    void showProgress(const QString& caption, ProgressJob& job) override;
    QString openFileName(const QString& caption, const QString& folder, const QString& filter) override;
    QStringList openFileNames(const QString& caption, const QString& folder, const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& folder, const QString& filter) override;
    QString existingFolder(const QString& caption, const QString& folder) override;
    std::optional<QString> inputText(const QString& caption, const QString& label, const QString& initial) override;

    // "Video files (*.mpg;*.avi)|*.mpg;*.avi|All Files (*.*)|*.*" becomes Qt's
    // "Video files (*.mpg *.MPG *.avi *.AVI);;All Files (*)". Patterns are
    // offered in both letter cases, since file names on this platform are
    // case-sensitive and clips often come with upper-case extensions.
    static QString toQtFilter(const QString& filter);

private:
    QString title(const QString& caption) const { return caption.isEmpty() ? m_title : caption; }
    QMessageBox::StandardButton runBox(const QString& text, Icon icon, const QString& caption,
                                       QMessageBox::StandardButtons buttons, QMessageBox::StandardButton escape);

    QString m_title;
};
