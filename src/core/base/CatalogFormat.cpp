#include "core/base/CatalogFormat.h"

namespace {

// An extension and something before it that is a name, not a folder.
bool endsInExtension(const QString& path, QLatin1String extension)
{
    return path.size() > extension.size() && path.endsWith(extension, Qt::CaseInsensitive) &&
           path[path.size() - extension.size() - 1] != u'/';
}

} // namespace

CatalogFormat catalogFormatOf(const QString& path)
{
    if (endsInExtension(path, QLatin1String(".tvc")))
        return CatalogFormat::Native;
    if (endsInExtension(path, QLatin1String(".csv")))
        return CatalogFormat::Spreadsheet;
    return CatalogFormat::None;
}

QString catalogExtension(CatalogFormat format)
{
    switch (format) {
    case CatalogFormat::Native:
        return QStringLiteral(".tvc");
    case CatalogFormat::Spreadsheet:
        return QStringLiteral(".csv");
    case CatalogFormat::None:
        break;
    }
    return {};
}
