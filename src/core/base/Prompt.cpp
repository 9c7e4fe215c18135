#include "core/base/Prompt.h"

#include "core/base/ProgressJob.h"

#include <QEventLoop>
#include <QtGlobal>

namespace {
Prompt* installedPrompt = nullptr;
}

Prompt& Prompt::current()
{
    Q_ASSERT_X(installedPrompt, "Prompt::current", "no prompt installed");
    return *installedPrompt;
}

void Prompt::install(Prompt* prompt)
{
    Q_ASSERT(prompt);
    installedPrompt = prompt;
}

Prompt::Answer Prompt::askOkCancelOr(const QString& text, const QString&, Icon icon, const QString& caption)
{
    return askOkCancel(text, icon, caption);
}

int Prompt::askChoice(const QString& text, const QStringList& choices, Icon icon, const QString& caption)
{
    if (choices.isEmpty())
        return -1;
    return askOkCancel(text, icon, caption) == Answer::Ok ? 0 : int(choices.size()) - 1;
}

void Prompt::showProgress(const QString&, ProgressJob& job)
{
    QEventLoop loop;
    QObject::connect(&job, &ProgressJob::finished, &loop, &QEventLoop::quit);
    job.start();
    if (!job.isFinished())
        loop.exec();
}
