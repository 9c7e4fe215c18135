#include "core/help/RtfDocument.h"

QString RtfParagraph::text() const
{
    QString all;
    for (const RtfRun& run : runs)
        all += run.text;
    return all;
}

QString RtfDocument::plainText() const
{
    QString all;
    for (const RtfParagraph& paragraph : paragraphs) {
        if (paragraph.listItem)
            all += QStringLiteral("- ");
        all += paragraph.text();
        all += u'\n';
    }
    return all;
}
