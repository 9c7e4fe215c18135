#include "gui/catalog/CatalogPrinting.h"

#include "core/catalog/CatalogDocument.h"

#include <QDateTime>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>

namespace CatalogPrinting {

namespace {

constexpr qreal kScreenDpi = 96;
constexpr qreal kPadding = 3;
constexpr qreal kBand = 22; // header and footer bands of a page
constexpr qreal kMinimumRowHeight = 20;

QFont gridFont(bool bold)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11); // 8 points on a 96 dpi screen
    font.setBold(bold);
    return font;
}

constexpr int kTextFlags = Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop;

qreal rowHeight(const CatalogDocument& catalog, int row, const QList<Column>& columns, const QFont& font)
{
    const QFontMetricsF metrics(font);
    qreal height = kMinimumRowHeight;
    for (const Column& c : columns) {
        const QString text = catalog.Cells(c.column, row).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        if (text.isEmpty())
            continue;
        const QRectF box(0, 0, c.width - 2 * kPadding, 1e6);
        height = qMax(height, metrics.boundingRect(box, kTextFlags, text).height() + 2 * kPadding);
    }
    return height;
}

void drawRow(QPainter& p, const CatalogDocument& catalog, int row, const QList<Column>& columns, qreal x, qreal y,
             qreal height)
{
    for (const Column& c : columns) {
        const QRectF cell(x, y, c.width, height);
        p.setPen(QPen(QColor(192, 192, 192), 0)); // silver grid lines
        p.drawRect(cell);
        p.setPen(Qt::black);
        const QString text = catalog.Cells(c.column, row).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        p.drawText(cell.adjusted(kPadding, kPadding, -kPadding, -kPadding), kTextFlags, text);
        x += c.width;
    }
}

} // namespace

int print(QPrinter& printer, const CatalogDocument& catalog, const QList<Column>& columns, const QString& title)
{
    qreal tableWidth = 0;
    for (const Column& c : columns)
        tableWidth += c.width;
    const QRectF device = printer.pageLayout().paintRectPixels(printer.resolution());
    // Screen pixels become printer pixels; a table wider than the page is
    // made to fit it.
    const qreal scale = qMin(printer.resolution() / kScreenDpi, device.width() / qMax<qreal>(1, tableWidth));
    const qreal pageWidth = device.width() / scale;
    const qreal pageHeight = device.height() / scale;
    const QFont plain = gridFont(false);
    const QFont bold = gridFont(true);

    // Pages first, so each page can say how many there are.
    const qreal headerHeight = rowHeight(catalog, 0, columns, bold);
    const qreal bodyHeight = pageHeight - 2 * kBand - headerHeight;
    QList<QList<std::pair<int, qreal>>> pages(1);
    qreal used = 0;
    for (int r = 1; r < catalog.RowCount(); ++r) {
        const qreal h = qMin(rowHeight(catalog, r, columns, plain), bodyHeight);
        if (used + h > bodyHeight && !pages.last().isEmpty()) {
            pages.append(QList<std::pair<int, qreal>>());
            used = 0;
        }
        pages.last().append({r, h});
        used += h;
    }

    QPainter p;
    if (!p.begin(&printer))
        return 0;
    p.scale(scale, scale);
    const QString time = QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
    const QString date = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
    const qreal left = (pageWidth - tableWidth) / 2; // centred
    for (int page = 0; page < pages.size(); ++page) {
        if (page > 0)
            printer.newPage();
        p.setPen(Qt::black);
        p.setFont(plain);
        const QRectF top(0, 0, pageWidth, kBand);
        p.drawText(top, Qt::AlignLeft | Qt::AlignVCenter, time);
        p.drawText(top, Qt::AlignRight | Qt::AlignVCenter, date);
        const QRectF bottom(0, pageHeight - kBand, pageWidth, kBand);
        p.drawText(bottom, Qt::AlignLeft | Qt::AlignVCenter, title);
        p.drawText(bottom, Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(page + 1) + u'/' + QString::number(pages.size()));

        qreal y = kBand;
        p.setFont(bold);
        p.fillRect(QRectF(left, y, tableWidth, headerHeight), QColor(236, 236, 236));
        drawRow(p, catalog, 0, columns, left, y, headerHeight);
        y += headerHeight;
        p.setFont(plain);
        for (const auto& [row, height] : pages[page]) {
            drawRow(p, catalog, row, columns, left, y, height);
            y += height;
        }
    }
    p.end();
    return int(pages.size());
}

} // namespace CatalogPrinting
