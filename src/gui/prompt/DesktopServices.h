#pragma once

#include <QUrl>
#include <functional>

class QPrinter;
class QWidget;

// The program's two doors to the desktop: opening a document or web address
// with the desktop's default program, and the platform's print dialog. Tests
// replace both so that nothing opens and nothing waits for a person.
namespace DesktopServices {

// Opens the file or address; false when the desktop could not.
bool openUrl(const QUrl& url);

// Lets the user pick a printer (or a PDF file) for the printer; false when
// the user cancelled.
bool choosePrinter(QPrinter& printer, QWidget* parent);

using UrlOpener = std::function<bool(const QUrl&)>;
using PrinterChooser = std::function<bool(QPrinter&, QWidget*)>;

// An empty function puts the desktop's own back.
void setUrlOpener(UrlOpener opener);
void setPrinterChooser(PrinterChooser chooser);

} // namespace DesktopServices
