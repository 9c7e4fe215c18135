#pragma once

#include "core/catalog/CatalogData.h"
#include "core/catalog/Relinking.h"

#include <QList>

// A catalog with one bookmark on each given clip, named "n1", "n2", ...
inline CatalogData bookmarksOn(const QList<Relinking::ClipLocation>& clips)
{
    CatalogData data;
    for (const auto& clip : clips) {
        Bookmark b;
        b.name = QStringLiteral("n%1").arg(data.bookmarks.size() + 1);
        b.startTime = QStringLiteral("00:00:01");
        b.endTime = QStringLiteral("00:00:09");
        b.fileName = clip.fileName;
        b.folder = clip.folder;
        data.bookmarks.append(b);
    }
    return data;
}
