#pragma once

#include <QString>
#include <functional>

// The one question asked before a catalog with unsaved changes is left:
// another catalog opened, the catalog closed, the program ended, or the
// settings restored (which ends the program). Yes saves, No gives the
// changes up, Cancel stays.
namespace UnsavedChanges {

enum class Outcome {
    Unchanged, // nothing to save: nothing was asked
    Saved,
    GivenUp,
    Stay, // the user cancelled, or the save failed or was cancelled
};

QString question();

// Asks when `modified`; `save` saves the catalog and tells whether it did.
Outcome settle(bool modified, const std::function<bool()>& save);

// Whether whoever asked may go on leaving the catalog.
inline bool mayLeave(Outcome outcome)
{
    return outcome != Outcome::Stay;
}

} // namespace UnsavedChanges
