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

// The names of the files kept beside a catalog: its name with one of these
// after it ("Practice.tvc.log.csv", "Practice.tvc.views.json").
namespace CatalogCompanions {

inline QString practiceLogSuffix()
{
    return QStringLiteral(".log.csv");
}
inline QString viewsSuffix()
{
    return QStringLiteral(".views.json");
}

// The catalog that a file of this name is kept beside, when it is one of
// those files (a catalog's name, then a companion's suffix); empty
// otherwise. Such a file is no catalog: it is never opened or saved as one.
QString catalogOf(const QString& path);

} // namespace CatalogCompanions
