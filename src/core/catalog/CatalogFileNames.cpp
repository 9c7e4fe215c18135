#include "core/catalog/CatalogFileNames.h"

#include "core/base/CatalogFormat.h"

QString catalogSaveFileName(const QString& chosen)
{
    if (chosen.isEmpty() || catalogFormatOf(chosen) != CatalogFormat::None)
        return chosen;
    QString name = chosen;
    if (name.endsWith(u'.'))
        name.chop(1);
    return name + catalogExtension(CatalogFormat::Native);
}
