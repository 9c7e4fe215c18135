#include "ScriptedPrompt.h"

#include "core/base/ProgressJob.h"

ScriptedPrompt::ScriptedPrompt()
{
    Prompt::install(this);
}

ScriptedPrompt::~ScriptedPrompt() = default;

QStringList ScriptedPrompt::messages() const
{
    QStringList texts;
    for (const Shown& s : m_shown)
        if (s.kind == "message" || s.kind == "yesno" || s.kind == "yesnocancel" || s.kind == "okcancel" ||
            s.kind == "choice")
            texts << s.text;
    return texts;
}

QString ScriptedPrompt::lastMessage() const
{
    const QStringList texts = messages();
    return texts.isEmpty() ? QString() : texts.last();
}

void ScriptedPrompt::clear()
{
    m_shown.clear();
    m_answers.clear();
    m_choices.clear();
    m_fileNames.clear();
    m_fileLists.clear();
    m_inputs.clear();
    m_unscripted = 0;
    m_cancelProgress = false;
}

Prompt::Answer ScriptedPrompt::nextAnswer(Answer fallback)
{
    if (m_answers.isEmpty()) {
        ++m_unscripted;
        return fallback;
    }
    return m_answers.dequeue();
}

QString ScriptedPrompt::nextFileName()
{
    if (m_fileNames.isEmpty()) {
        ++m_unscripted;
        return {};
    }
    return m_fileNames.dequeue();
}

void ScriptedPrompt::message(const QString& text, Icon icon, const QString&)
{
    m_shown.append({"message", text, icon, {}, {}});
}

Prompt::Answer ScriptedPrompt::askYesNo(const QString& text, Icon icon, const QString&)
{
    m_shown.append({"yesno", text, icon, {}, {}});
    return nextAnswer(Answer::No);
}

Prompt::Answer ScriptedPrompt::askYesNoCancel(const QString& text, Icon icon, const QString&)
{
    m_shown.append({"yesnocancel", text, icon, {}, {}});
    return nextAnswer(Answer::Cancel);
}

Prompt::Answer ScriptedPrompt::askOkCancel(const QString& text, Icon icon, const QString&)
{
    m_shown.append({"okcancel", text, icon, {}, {}});
    return nextAnswer(Answer::Cancel);
}

Prompt::Answer ScriptedPrompt::askOkCancelOr(const QString& text, const QString&, Icon icon, const QString&)
{
    m_shown.append({"okcancel", text, icon, {}, {}});
    return nextAnswer(Answer::Cancel);
}

int ScriptedPrompt::askChoice(const QString& text, const QStringList& choices, Icon icon, const QString&)
{
    m_shown.append({"choice", text, icon, {}, choices.join(u'|')});
    if (m_choices.isEmpty()) {
        ++m_unscripted;
        return int(choices.size()) - 1;
    }
    return m_choices.dequeue();
}

void ScriptedPrompt::showProgress(const QString& caption, ProgressJob& job)
{
    m_shown.append({"progress", caption, Icon::None, {}, {}});
    if (m_cancelProgress) {
        m_cancelProgress = false;
        job.cancel();
    }
    Prompt::showProgress(caption, job);
}

QString ScriptedPrompt::openFileName(const QString& caption, const QString& folder, const QString& filter)
{
    m_shown.append({"open", caption, Icon::None, folder, filter});
    return nextFileName();
}

QStringList ScriptedPrompt::openFileNames(const QString& caption, const QString& folder, const QString& filter)
{
    m_shown.append({"opens", caption, Icon::None, folder, filter});
    if (m_fileLists.isEmpty()) {
        ++m_unscripted;
        return {};
    }
    return m_fileLists.dequeue();
}

QString ScriptedPrompt::saveFileName(const QString& caption, const QString& folder, const QString& filter)
{
    m_shown.append({"save", caption, Icon::None, folder, filter});
    return nextFileName();
}

QString ScriptedPrompt::existingFolder(const QString& caption, const QString& folder)
{
    m_shown.append({"folder", caption, Icon::None, folder, {}});
    return nextFileName();
}

std::optional<QString> ScriptedPrompt::inputText(const QString& caption, const QString& label, const QString&)
{
    m_shown.append({"input", caption + "\n" + label, Icon::None, {}, {}});
    if (m_inputs.isEmpty()) {
        ++m_unscripted;
        return std::nullopt;
    }
    return m_inputs.dequeue();
}
