#include "app/Prompt.h"

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
