#include "core/base/SplitArguments.h"

namespace {

bool isSeparator(QChar c)
{
    return c == u' ' || c == u'\t';
}

} // namespace

QStringList SplitArguments(const QString& line)
{
    QStringList result;
    const qsizetype n = line.size();
    qsizetype i = 0;
    // True when the character at i directly follows a closing quote: it then
    // starts an unquoted argument even if it is a quote itself.
    bool afterClosingQuote = false;

    while (i < n) {
        if (isSeparator(line[i])) {
            afterClosingQuote = false;
            ++i;
            continue;
        }

        if (line[i] == u'"' && !afterClosingQuote) {
            const qsizetype close = line.indexOf(u'"', i + 1);
            if (close < 0)
                break; // unterminated: drop it and everything after it
            result.append(line.mid(i + 1, close - i - 1));
            i = close + 1;
            afterClosingQuote = true;
            continue;
        }

        // Unquoted argument; its first character is taken as it stands.
        QString word(line[i]);
        ++i;
        afterClosingQuote = false;
        bool openedQuote = false;
        while (i < n && !isSeparator(line[i])) {
            if (line[i] == u'"') {
                openedQuote = true; // gathered characters are dropped
                break;
            }
            word.append(line[i]);
            ++i;
        }
        if (!openedQuote)
            result.append(word);
        // On a quote the loop comes back to i and opens the quoted argument.
    }
    return result;
}
