#include "core/catalog/SplitOnCharacters.h"

QStringList SplitOnCharacters(QStringView text, QStringView characters)
{
    QStringList pieces;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !characters.contains(text[i]))
            continue;
        if (i > start)
            pieces.append(text.sliced(start, i - start).toString());
        start = i + 1;
    }
    return pieces;
}
