#pragma once

#include <QString>

// What the files of CatalogLifecycle share.
namespace CatalogLifecycleParts {

inline const QString& catalogFilter()
{
    static const QString filter =
        QStringLiteral("Tempoloop Video Catalog (*.tvc)|*.tvc|Excel Style Catalog (*.csv)|*.csv");
    return filter;
}

inline QString folderOf(const QString& path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

} // namespace CatalogLifecycleParts
