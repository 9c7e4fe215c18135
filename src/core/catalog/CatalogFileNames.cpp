#include "core/catalog/CatalogFileNames.h"

QString catalogSaveFileName(const QString& chosen)
{
    if (chosen.isEmpty())
        return chosen;
    for (const QLatin1String extension : {QLatin1String(".tvc"), QLatin1String(".csv")}) {
        if (chosen.endsWith(extension))
            return chosen;
        if (chosen.endsWith(extension, Qt::CaseInsensitive) && chosen.size() > extension.size() &&
            chosen[chosen.size() - extension.size() - 1] != u'/')
            return chosen.chopped(extension.size()) + extension;
    }
    QString name = chosen;
    if (name.endsWith(u'.'))
        name.chop(1);
    return name + QStringLiteral(".tvc");
}
