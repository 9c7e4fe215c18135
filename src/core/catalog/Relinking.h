#pragma once

#include <QHash>
#include <QString>
#include <functional>
#include <optional>

class CatalogDocument;

// Finding bookmarks whose clip has gone missing and relinking them to where
// the clip is now. One run walks the catalog from the first row to the last;
// a relink the user makes can be carried over to every later bookmark of the
// same clip, or to every later missing bookmark whose file is in the new
// folder.
namespace Relinking {

// Where a bookmark's clip is: its file name and its folder, the folder with
// its final "/".
struct ClipLocation {
    QString fileName;
    QString folder;
    QString path() const { return folder + fileName; }
    bool operator==(const ClipLocation&) const = default;
};

// The location of a chosen file.
ClipLocation locationOf(const QString& path);
// Whether a bookmark's clip is there (a file, not a folder). A clip on a
// folder that does not answer in time (FileProbe.h) is not.
bool clipExists(const ClipLocation& clip);
// The same for many clips at once, by path.
QHash<QString, bool> clipsThere(const QList<ClipLocation>& clips);

// What one run of the check remembers: the last relink and the two ways of
// carrying it over, which once on stay on and follow the latest relink.
class RelinkRun {
public:
    enum class FollowUp { None, SameClip, SameFolder };

    // Where a missing clip goes without asking, if a carried-over relink
    // applies: the same clip goes where the last relink put it; a clip of
    // the last relink's old folder goes to its new folder when the file is
    // there.
    std::optional<ClipLocation> automaticRelink(const ClipLocation& missing) const;
    // Remembers a relink and says which follow-up question suits it: the
    // same clip when the file name changed, else the same folder when the
    // folder changed.
    FollowUp relink(const ClipLocation& from, const ClipLocation& to);
    // The user accepted the follow-up question.
    void accept(FollowUp followUp);

    // A relink found by searching: every later bookmark of the same clip
    // follows it at once. Says whether to ask about the folder as well.
    FollowUp relinkFound(const ClipLocation& from, const ClipLocation& to);

    // The size of the file last relinked to under this name (letter case
    // ignored), if any: a search prefers a file of that size.
    std::optional<qint64> knownSize(const QString& fileName) const;

private:
    ClipLocation m_from;
    ClipLocation m_to;
    QHash<QString, qint64> m_sizes; // lower-case file name -> size
    bool m_sameClip = false;
    bool m_sameFolder = false;
};

// The dialogue's texts.
QString openingQuestion();
QString missingBookmarkMessage(const QString& number, const QString& name, const ClipLocation& clip);
QString confirmationQuestion(const ClipLocation& chosen);
QString sameClipQuestion(const ClipLocation& from, const ClipLocation& to);
QString sameFolderQuestion(const ClipLocation& from, const ClipLocation& to);
QString notRelinkedMessage();
// The search's texts (RelinkSearch.cpp).
QString searchButtonCaption();
QString searchFolderCaption(const QString& fileName);
QString notFoundMessage(const QString& fileName, const QString& root, int filesSearched);
// Asks to confirm the file a search offers, saying how many it found.
QString foundQuestion(const QString& fileName, const QString& root, int matchCount, const ClipLocation& chosen,
                      bool bySize);

// What the check needs from the catalog window.
struct Dialogue {
    std::function<void(int column, int row)> placeCursor; // may be empty
    QString dialogFolder;                                 // the clip dialog's start folder
    QString filter;                                       // the clip dialog's filter
};

// The search choice of the dialogue (RelinkSearch.cpp): asks for a folder,
// searches its tree for the missing clip's file name with a progress box
// that can stop it, and asks the user to confirm the file it offers.
// nullopt when nothing was found, the search was stopped or the user
// refused; the caller then asks again.
std::optional<ClipLocation> searchForClip(const ClipLocation& missing, const Dialogue& dialogue, const RelinkRun& run);

// Walks the catalog's rows in order and leads the user through relinking
// every bookmark whose clip is missing (through the prompt). Relinks mark
// the catalog modified; nothing is saved.
void ValidateBookmarks(CatalogDocument& document, const Dialogue& dialogue);

} // namespace Relinking
