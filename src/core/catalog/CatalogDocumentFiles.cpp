// Saving and reading the catalog through the file formats.
#include "core/base/Prompt.h"
#include "core/catalog/CatalogDocument.h"
#include "core/catalog/CatalogFiles.h"

using namespace BookmarkColumn;

namespace {

const QString kNative = QStringLiteral(".tvc");
const QString kSpreadsheet = QStringLiteral(".csv");

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
    return path.endsWith(kNative) || path.endsWith(kSpreadsheet);
}

bool CatalogDocument::WriteCatalogFile(const QString& path)
{
    QString error;
    bool written = false;
    if (path.endsWith(kNative))
        written = TVC_WriteCatalogFile(path, storedCatalog(), &error);
    else if (path.endsWith(kSpreadsheet))
        written = CSV_WriteCatalogFile(path, storedCatalog(), &error, m_listSeparator);
    else
        return false;
    if (!written && !error.isEmpty())
        prompt().message(error, Prompt::Icon::Warning);
    if (written)
        m_fileState = {FileStamp::of(path), FileRead::Whole, {}};
    return written;
}

void CatalogDocument::ReadCatalogFile(const QString& path)
{
    if (!isCatalogFileName(path))
        return;
    const bool native = path.endsWith(kNative);
    ResetBookmarksGrid(m_columns);
    // Taken before reading: a change made while the file is read counts as
    // one made after.
    const FileStamp stamp = FileStamp::of(path);
    const CatalogReadResult result = native ? TVC_ReadCatalogFile(path, m_model->headers())
                                            : CSV_ReadCatalogFile(path, m_model->headers(), m_listSeparator);
    m_fileState = {stamp, readWhole(result, stamp) ? FileRead::Whole : FileRead::Partly, result.message};
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
