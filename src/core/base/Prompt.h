#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class ProgressJob;

// The one seam for every modal message box and file, folder or input dialog.
// The program installs the Qt implementation (gui/prompt/QtPrompt); tests install a
// scripted responder that records each text and returns scripted answers.
// Filters use the "Description|*.a;*.b|Other|*.*" form; the implementation
// turns them into whatever its dialogs understand.
class Prompt {
public:
    enum class Icon { None, Information, Warning, Error, Question };
    // Other: the extra button of askOkCancelOr.
    enum class Answer { Ok, Yes, No, Cancel, Other };

    virtual ~Prompt() = default;

    // An OK box.
    virtual void message(const QString& text, Icon icon = Icon::None, const QString& caption = {}) = 0;
    // Yes/No; closing the box answers No.
    virtual Answer askYesNo(const QString& text, Icon icon = Icon::Question, const QString& caption = {}) = 0;
    // Yes/No/Cancel; closing the box answers Cancel.
    virtual Answer askYesNoCancel(const QString& text, Icon icon = Icon::Question, const QString& caption = {}) = 0;
    // OK/Cancel; closing the box answers Cancel.
    virtual Answer askOkCancel(const QString& text, Icon icon = Icon::Question, const QString& caption = {}) = 0;

    // OK/Cancel with one more button captioned `other` between them, which
    // answers Other; closing the box answers Cancel. A prompt without such a
    // box asks OK/Cancel only.
    virtual Answer askOkCancelOr(const QString& text, const QString& other, Icon icon = Icon::Question,
                                 const QString& caption = {});
    // A box with one button per choice, captioned as given (the platform
    // orders them). The last choice should leave things as they are: it is
    // the default, and Escape or closing the box chooses it too. The answer
    // is the position of the choice, or -1 when the box went without one
    // (the program is ending). A prompt without such a box asks OK/Cancel:
    // OK chooses the first, Cancel the last.
    virtual int askChoice(const QString& text, const QStringList& choices, Icon icon = Icon::Question,
                          const QString& caption = {});
    // Starts the job and shows its progress in a modal box whose Cancel asks
    // the job to stop; returns once the job has finished. Without a box of
    // its own a prompt just waits for the job, keeping events flowing.
    virtual void showProgress(const QString& caption, ProgressJob& job);

    // Empty text / empty list / nullopt: the user cancelled.
    virtual QString openFileName(const QString& caption, const QString& folder, const QString& filter) = 0;
    virtual QStringList openFileNames(const QString& caption, const QString& folder, const QString& filter) = 0;
    virtual QString saveFileName(const QString& caption, const QString& folder, const QString& filter) = 0;
    virtual QString existingFolder(const QString& caption, const QString& folder) = 0;
    virtual std::optional<QString> inputText(const QString& caption, const QString& label,
                                             const QString& initial = {}) = 0;

    // The installed prompt; installing nullptr is not allowed.
    static Prompt& current();
    static void install(Prompt* prompt);
};

// Shorthand used throughout the program.
inline Prompt& prompt()
{
    return Prompt::current();
}
