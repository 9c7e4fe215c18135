#pragma once

#include "core/base/FolderClipList.h"
#include "core/base/FolderListing.h"

#include <QObject>
#include <QString>
#include <functional>

class ClipView;
class LoopControls;
class MediaPlayerControl;
class TransportControls;

// The main window's loaded clip: choosing it in the open dialog, opening it
// by path for every other part of the program, stepping to the previous or
// next clip of its folder, and the texts that describe it.
//
// Opening does not wait for the clip: the player loads it while the windows
// go on, and what depends on the clip (its facts, the title, the emptied
// loop, a stored loop to play) follows when the player reports the load
// finished. Opening another clip meanwhile replaces the pending one and
// whatever was to follow it. The clip's folder is listed on a worker while
// the clip loads; previous and next clip use that list, and a folder that
// does not answer reads as one without clips.
class ClipLoader : public QObject {
    Q_OBJECT
public:
    // Filter of the clip dialogs.
    static const QString& clipFilter();
    static const QString& missingClipsMessage();

    ClipLoader(MediaPlayerControl& player, ClipView& view, LoopControls& loops, TransportControls& transport,
               QObject* parent = nullptr);

    // The open dialog; the clip chosen opens with an empty loop.
    void chooseClip();
    // Opens a clip chosen by the user, as the open dialog's choice: the
    // loop is emptied first.
    void openChosenClip(const QString& path);
    // Always true, also when no file exists at the path (the user is told).
    bool StartVideoClip(const QString& path);
    // The next or previous clip of the loaded clip's folder.
    void playNextClip();
    void playPreviousClip();
    void UpdateMainFormTitleBar();
    // The clip dialogs start in the options window's default clip folder.
    void ResetInitialVideoDirectory();
    QString videoDialogFolder() const { return m_dialogFolder; }

    // Whether an opened clip is still loading.
    bool loading() const { return m_loading; }
    // Runs next once the clip that loads has opened (or failed to); at once
    // when none loads. A later open drops it.
    void whenLoaded(std::function<void()> next);

    FolderClipList& folderClips() { return m_folderClips; }
    // The folder's clip list is ready for stepping (a listing still running
    // is waited for briefly); false when it has no clips.
    bool folderClipsReady();
    // Lists the clips of `folder` (ending with "/") in the background; the
    // folder's clip list takes them once they are in.
    void listFolderClips(const QString& folder);

signals:
    // A clip has opened and its texts and lists are filled; what was to
    // follow the load (a stored loop) comes after.
    void clipReady();

private:
    void loadFinished();
    void fillInformationFields();
    void takeListing();

    MediaPlayerControl& m_player;
    ClipView& m_view;
    LoopControls& m_loops;
    TransportControls& m_transport;
    FolderClipList m_folderClips;
    FolderListing m_listing;
    QString m_dialogFolder;
    bool m_loading = false;
    std::function<void()> m_next;
};
