#include "gui/help/DocumentPrinter.h"

#include "core/help/PrintMargins.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <memory>

bool printWithOneInchMargins(const QTextDocument& document, QPrinter& printer)
{
    // Draw from the paper's corner, so the margins do not depend on the
    // printer's unprintable border or on margins chosen in the dialog.
    printer.setFullPage(true);
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    PrinterGeometry geometry;
    geometry.dpiX = printer.logicalDpiX();
    geometry.dpiY = printer.logicalDpiY();
    geometry.offsetX = qRound(page.left() - paper.left());
    geometry.offsetY = qRound(page.top() - paper.top());
    geometry.paperWidth = qRound(paper.width());
    geometry.paperHeight = qRound(paper.height());
    const QRect body = oneInchBodyRect(geometry);
    if (body.isEmpty())
        return false;

    // A copy laid out for the printer's resolution and cut into pages.
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(&printer);
    copy->setDocumentMargin(0);
    copy->setPageSize(body.size());

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const int pages = copy->pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !printer.newPage())
            return false;
        painter.save();
        painter.translate(body.left(), body.top() - i * body.height());
        copy->drawContents(&painter, QRectF(0, i * body.height(), body.width(), body.height()));
        painter.restore();
    }
    return painter.end();
}
