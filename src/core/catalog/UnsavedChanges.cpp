#include "core/catalog/UnsavedChanges.h"

#include "core/base/Prompt.h"

namespace UnsavedChanges {

QString question()
{
    return QStringLiteral("The current video catalog has changed.  Save changes?");
}

Outcome settle(bool modified, const std::function<bool()>& save)
{
    if (!modified)
        return Outcome::Unchanged;
    switch (prompt().askYesNoCancel(question(), Prompt::Icon::Warning)) {
    case Prompt::Answer::Yes:
        return save() ? Outcome::Saved : Outcome::Stay;
    case Prompt::Answer::No:
        return Outcome::GivenUp;
    default:
        return Outcome::Stay;
    }
}

} // namespace UnsavedChanges
