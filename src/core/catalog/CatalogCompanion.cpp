#include "core/catalog/CatalogCompanion.h"

#include "core/base/CatalogFormat.h"

namespace CatalogCompanions {

QString catalogOf(const QString& path)
{
    for (const QString& suffix : {practiceLogSuffix(), viewsSuffix()}) {
        if (!path.endsWith(suffix, Qt::CaseInsensitive))
            continue;
        const QString catalog = path.left(path.size() - suffix.size());
        if (catalogFormatOf(catalog) != CatalogFormat::None)
            return catalog;
    }
    return {};
}

} // namespace CatalogCompanions
