#pragma once

#include <QString>

class CatalogDocument;

// Before a catalog is written over its own file: the file is not written
// over without the user's word when it holds what the catalog does not,
// because it was not read whole when it was opened, or because another
// program changed it on the disk since it was read or last saved.
namespace OverwriteChecks {

enum class Verdict {
    Write,  // go on and write over the file
    SaveAs, // save under another name instead
    Reload, // read the file again, giving up the changes made here
    Stop,   // write nothing; the file stays as it is
};

// Which choices the questions offer: none to save as when the user is in
// save as already.
enum class Offer { WithSaveAs, WithoutSaveAs };

// Asks what is needed for writing the document over `path`, the file it is
// tied to; Write when nothing stands in the way.
Verdict beforeWriting(const CatalogDocument& document, const QString& path, Offer offer);

// The questions' texts, for a file at `path`.
QString changedOnDiskQuestion(const QString& path);
QString notReadWholeQuestion(const QString& path, const QString& unread);

} // namespace OverwriteChecks
