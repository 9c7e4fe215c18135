#pragma once

#include "core/catalog/CatalogData.h"
#include "core/catalog/CatalogFileState.h"

#include <QByteArray>
#include <QChar>
#include <QDateTime>
#include <QString>
#include <optional>

// Everything needed to bring an open catalog back as it was: its rows with
// what was being typed into them, the file it belongs to and how that file
// stood. Kept in a recovery file while the catalog has unsaved changes.
struct RecoverySnapshot {
    // Empty for a new catalog that has no file yet.
    QString catalogPath;
    QDateTime lastChange;
    CatalogFileState file;
    CatalogData catalog;
    // The field separator the catalog's spreadsheet file is written with.
    QChar listSeparator = u',';

    bool operator==(const RecoverySnapshot&) const = default;
};

// A recovery file's text: JSON, which holds any text a catalog holds
// (unlike the catalog formats, which cannot hold some values, this must
// never refuse one).
QByteArray recoveryText(const RecoverySnapshot& snapshot);
// Nothing for a text that is not a whole recovery file of this program.
std::optional<RecoverySnapshot> readRecoveryText(const QByteArray& text);
