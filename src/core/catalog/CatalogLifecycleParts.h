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

// Said when a file kept beside a catalog is chosen as a catalog.
inline QString companionMessage(const QString& path, const QString& catalog)
{
    const auto name = [](const QString& p) { return p.mid(p.lastIndexOf(u'/') + 1); };
    return QStringLiteral("%1 is not a catalog: the program keeps it beside the catalog %2.\r\n"
                          "Choose the catalog itself, or another name.")
        .arg(name(path), name(catalog));
}

inline QString folderOf(const QString& path)
{
    return path.left(path.lastIndexOf(u'/') + 1);
}

} // namespace CatalogLifecycleParts
