#include "core/base/TextFile.h"

#include <QSaveFile>

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

bool saveFileAtomically(const QString& path, const QByteArray& bytes, QString* reason)
{
    QSaveFile file(path);
    const auto fail = [&file, reason] {
        if (reason)
            *reason = file.errorString();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail();
    // The text sits in the write buffer until flushed. commit() flushes it
    // too, but (Qt 6.4) goes on to replace the old file even when that last
    // flush failed, so flush here and give up on failure: the temporary
    // file is then dropped and the old file stays.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        fail();
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return fail();
    return true;
}
