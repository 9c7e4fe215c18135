#pragma once

#include <QString>

// A file kept beside the catalog's own, named after it: it follows the
// catalog when the catalog is saved under another name (from empty: a new
// catalog saved for the first time).
class CatalogCompanion {
public:
    virtual ~CatalogCompanion() = default;
    virtual void catalogSavedAs(const QString& from, const QString& to) = 0;
};
