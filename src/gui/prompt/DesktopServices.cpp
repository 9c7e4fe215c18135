#include "gui/prompt/DesktopServices.h"

#include <QDesktopServices>
#include <QPrintDialog>
#include <QPrinter>

namespace {

DesktopServices::UrlOpener& urlOpener()
{
    static DesktopServices::UrlOpener opener;
    return opener;
}

DesktopServices::PrinterChooser& printerChooser()
{
    static DesktopServices::PrinterChooser chooser;
    return chooser;
}

} // namespace

bool DesktopServices::openUrl(const QUrl& url)
{
    if (urlOpener())
        return urlOpener()(url);
    return QDesktopServices::openUrl(url);
}

bool DesktopServices::choosePrinter(QPrinter& printer, QWidget* parent)
{
    if (printerChooser())
        return printerChooser()(printer, parent);
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

void DesktopServices::setUrlOpener(UrlOpener opener)
{
    urlOpener() = std::move(opener);
}

void DesktopServices::setPrinterChooser(PrinterChooser chooser)
{
    printerChooser() = std::move(chooser);
}
