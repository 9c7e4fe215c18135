// Saving and reading the catalog through the file formats.
#include "core/base/Prompt.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogFiles.h"

using namespace BookmarkColumn;

namespace {

// Whether the grid now holds all the file did. A missing or empty file
// holds nothing more.
bool readWhole(const CatalogReadResult& result, const FileStamp& stamp)
{
    if (!stamp.exists || stamp.size == 0)
        return true;
    return result.complete && result.unreadLines.isEmpty();
}

} // namespace

bool CatalogDocument::isCatalogFileName(const QString& path)
{
    return catalogFormatOf(path) != CatalogFormat::None;
}

bool CatalogDocument::WriteCatalogFile(const QString& path)
{
    QString error;
    bool written = false;
    switch (catalogFormatOf(path)) {
    case CatalogFormat::Native:
        written = TVC_WriteCatalogFile(path, storedCatalog(), &error);
        break;
    case CatalogFormat::Spreadsheet:
        written = CSV_WriteCatalogFile(path, storedCatalog(), &error, m_listSeparator);
        break;
    case CatalogFormat::None:
        return false;
    }
    if (!written && !error.isEmpty())
        prompt().message(error, Prompt::Icon::Warning);
    if (written)
        m_fileState = {FileStamp::of(path), FileRead::Whole, {}};
    return written;
}

bool CatalogDocument::ReadCatalogFile(const QString& path)
{
    const CatalogFile file = loadCatalogFile(path);
    if (file.access == CatalogFileAccess::Refused) {
        prompt().message(file.refusal, Prompt::Icon::Warning);
        return false;
    }
    ReadCatalogFile(file);
    return true;
}

void CatalogDocument::ReadCatalogFile(const CatalogFile& file)
{
    if (file.access == CatalogFileAccess::Refused)
        return;
    ResetBookmarksGrid(m_columns);
    const CatalogReadResult result = readCatalogFile(file, m_model->headers(), m_listSeparator);
    m_fileState = {file.stamp, readWhole(result, file.stamp) ? FileRead::Whole : FileRead::Partly, result.message};
    m_model->load(result.catalog);
    // Rows that were read are bookmarks, also when a problem stopped the
    // reader: the next bookmark added goes below them, never over row 1.
    if (!result.catalog.bookmarks.isEmpty())
        m_blankFirstRow = false;
    if (!result.message.isEmpty())
        prompt().message(result.message, Prompt::Icon::Warning);
    if (result.complete)
        finishReading();
}

void CatalogDocument::finishReading()
{
    m_blankFirstRow = false;
    m_selectedRow = 1;
    emit readingFinished();
}
