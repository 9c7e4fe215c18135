#pragma once

#include "core/base/Prompt.h"

#include <QList>
#include <QQueue>

// Answers modal boxes and dialogs from a script and records every text shown.
// Unscripted questions answer Cancel (or No for Yes/No boxes), unscripted file
// and input dialogs answer "cancelled"; each such answer is counted in
// unscriptedCount() so a test can insist that nothing unexpected was asked.
class ScriptedPrompt : public Prompt {
public:
    struct Shown {
        QString kind; // "message", "yesno", "yesnocancel", "okcancel", "choice", "open", "opens", "save", "folder",
                      // "input", "progress"
        QString text; // message text, or the dialog's caption
        Icon icon = Icon::None;
        QString folder; // start folder of file dialogs
        QString filter; // filter of file dialogs
    };

    ScriptedPrompt(); // installs itself
    ~ScriptedPrompt() override;

    void queueAnswer(Answer answer) { m_answers.enqueue(answer); }
    // The answer of the next askChoice: the position of a choice, or -1.
    void queueChoice(int choice) { m_choices.enqueue(choice); }
    void queueFileName(const QString& name) { m_fileNames.enqueue(name); }
    void queueFileNames(const QStringList& names) { m_fileLists.enqueue(names); }
    void queueInput(const std::optional<QString>& text) { m_inputs.enqueue(text); }
    // The next progress box is cancelled before its job gets going.
    void queueProgressCancel() { m_cancelProgress = true; }

    const QList<Shown>& shown() const { return m_shown; }
    QStringList messages() const; // texts of every box shown, in order
    QString lastMessage() const;
    int unscriptedCount() const { return m_unscripted; }
    void clear();

    void message(const QString& text, Icon icon, const QString& caption) override;
    Answer askYesNo(const QString& text, Icon icon, const QString& caption) override;
    Answer askOkCancel(const QString& text, Icon icon, const QString& caption) override;
    Answer askYesNoCancel(const QString& text, Icon icon, const QString& caption) override;
    // Shown as "okcancel"; Other answers the extra button.
    Answer askOkCancelOr(const QString& text, const QString& other, Icon icon, const QString& caption) override;
    // Shown as "choice" with the choices in `filter`, joined by "|";
    // unscripted, it answers the last choice (as Escape does).
    int askChoice(const QString& text, const QStringList& choices, Icon icon, const QString& caption) override;
    // Runs the job to its end (or cancels it first, when queued).
    void showProgress(const QString& caption, ProgressJob& job) override;
    QString openFileName(const QString& caption, const QString& folder, const QString& filter) override;
    QStringList openFileNames(const QString& caption, const QString& folder, const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& folder, const QString& filter) override;
    QString existingFolder(const QString& caption, const QString& folder) override;
    std::optional<QString> inputText(const QString& caption, const QString& label, const QString& initial) override;

private:
    Answer nextAnswer(Answer fallback);
    QString nextFileName();

    QList<Shown> m_shown;
    QQueue<Answer> m_answers;
    QQueue<int> m_choices;
    QQueue<QString> m_fileNames;
    QQueue<QStringList> m_fileLists;
    QQueue<std::optional<QString>> m_inputs;
    int m_unscripted = 0;
    bool m_cancelProgress = false;
};
