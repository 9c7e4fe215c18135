#pragma once

#include "core/base/FileStamp.h"

#include <QString>

// Whether a catalog's file was read to its end. Partly: the reader stopped
// at damage, lines could not be read whole, or reading failed; the file
// holds more than the grid does, and writing the grid over it would lose
// the rest.
enum class FileRead { Whole, Partly };

// The catalog's file as it stood when the catalog was read from it or last
// saved to it.
struct CatalogFileState {
    FileStamp stamp;
    FileRead read = FileRead::Whole;
    // What was not read, as the reader told the user.
    QString unread;

    bool operator==(const CatalogFileState&) const = default;
};
