#include "gui/help/RtfTextDocument.h"

#include <QColor>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace {

Qt::Alignment toQt(RtfParagraph::Alignment alignment)
{
    switch (alignment) {
    case RtfParagraph::Alignment::Centre:
        return Qt::AlignHCenter;
    case RtfParagraph::Alignment::Right:
        return Qt::AlignRight;
    case RtfParagraph::Alignment::Justified:
        return Qt::AlignJustify;
    case RtfParagraph::Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

QTextCharFormat charFormat(const RtfRun& run)
{
    QTextCharFormat format;
    format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(run.italic);
    format.setFontPointSize(run.pointSize);
    if (run.colour)
        format.setForeground(QColor(run.colour->red, run.colour->green, run.colour->blue));
    return format;
}

} // namespace

void fillTextDocument(QTextDocument& document, const RtfDocument& rtf)
{
    document.clear();
    QTextCursor cursor(&document);
    QTextList* list = nullptr;
    bool first = true;
    for (const RtfParagraph& paragraph : rtf.paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(toQt(paragraph.alignment));
        // The block's own format sizes its bullet and its empty lines.
        const QTextCharFormat look = charFormat(paragraph.runs.isEmpty() ? RtfRun() : paragraph.runs.first());
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(look);
        } else {
            cursor.insertBlock(block, look);
        }
        first = false;
        if (paragraph.listItem) {
            if (list)
                list->add(cursor.block());
            else
                list = cursor.createList(QTextListFormat::ListDisc);
        } else {
            list = nullptr;
        }
        for (const RtfRun& run : paragraph.runs)
            cursor.insertText(run.text, charFormat(run));
    }
}
