#include "core/playback/ClipLoader.h"

#include "core/base/ClipTypes.h"
#include "core/base/FileProbe.h"
#include "core/base/Prompt.h"
#include "core/playback/ClipView.h"
#include "core/playback/LoopControls.h"
#include "core/playback/MediaPlayerControl.h"
#include "core/playback/TransportControls.h"

#include <QFileInfo>

const QString& ClipLoader::clipFilter()
{
    static const QString filter = ClipTypes::openDialogFilter();
    return filter;
}

const QString& ClipLoader::missingClipsMessage()
{
    static const QString text = QStringLiteral(
        "You must first have a video clip loaded in order for this to work.\n\nOr, the \"default video clip "
        "directory\" (as specified in the options window) \nis not valid, or does not contain any video clips.");
    return text;
}

ClipLoader::ClipLoader(MediaPlayerControl& player, ClipView& view, LoopControls& loops, TransportControls& transport,
                       QObject* parent)
    : QObject(parent), m_player(player), m_view(view), m_loops(loops), m_transport(transport)
{
    connect(&m_player, &MediaPlayerControl::loadFinished, this, &ClipLoader::loadFinished);
    connect(&m_listing, &FolderListing::listed, this, &ClipLoader::takeListing);
}

void ClipLoader::listFolderClips(const QString& folder)
{
    m_listing.start(folder, &FolderClipList::isClipName);
}

void ClipLoader::takeListing()
{
    m_folderClips.clear();
    if (m_listing.state() == FolderListing::State::Listed)
        m_folderClips.addClipNames(m_listing.folder(), m_listing.names());
}

bool ClipLoader::folderClipsReady()
{
    m_listing.settle();
    return !m_folderClips.isEmpty();
}

void ClipLoader::ResetInitialVideoDirectory()
{
    m_dialogFolder = m_view.defaultVideoDirectory();
}

void ClipLoader::chooseClip()
{
    const QString chosen = prompt().openFileName(QStringLiteral("Open"), m_dialogFolder, clipFilter());
    if (!chosen.isEmpty())
        openChosenClip(chosen);
}

void ClipLoader::openChosenClip(const QString& path)
{
    m_loops.clearLoop();
    StartVideoClip(path);
}

bool ClipLoader::StartVideoClip(const QString& path)
{
    // A clip on a folder that does not answer reads as missing.
    const QFileInfo file(path);
    if (!FileProbe::isFile(path)) {
        prompt().message("This file, " + path + ", does not exist.  Please try again.");
        return true;
    }
    // The player is handed absolute paths only.
    m_player.setFileName(file.absoluteFilePath());
    listFolderClips(file.absolutePath() + '/');
    m_player.setFGrabber_Enabled(false);
    m_player.setAutoStart(true);
    m_loading = true;
    m_next = nullptr;
    m_player.Open();
    return true;
}

void ClipLoader::whenLoaded(std::function<void()> next)
{
    if (m_loading)
        m_next = std::move(next);
    else if (next)
        next();
}

// The rest of opening a clip, in its order, once the player has it (or has
// given up on it: the texts then show what the player reports).
void ClipLoader::loadFinished()
{
    if (!m_loading)
        return;
    m_loading = false;
    fillInformationFields();
    UpdateMainFormTitleBar();

    m_loops.clipOpened();
    m_transport.setSpeedModeRegular();
    // The window sizing re-fits a window locked to the clip's own size.
    emit clipReady();
    if (std::function<void()> next = std::exchange(m_next, nullptr))
        next();
}

void ClipLoader::fillInformationFields()
{
    const QFileInfo file(m_player.FileName());
    m_view.showClipFacts(file.fileName(), file.absolutePath() + '/',
                         QString::number(m_player.ImageSourceWidth()) + " x " +
                             QString::number(m_player.ImageSourceHeight()),
                         QString::asprintf("%.2f", m_player.Duration()) + " seconds");
    if (m_player.Duration() != 0)
        m_view.setFramesPerSecondText(QString::asprintf("%.2f", m_player.FrameCount() / m_player.Duration()));
}

void ClipLoader::UpdateMainFormTitleBar()
{
    const QSize size = m_view.videoSize();
    const QString screen = QString::number(size.width()) + " x " + QString::number(size.height());
    m_view.setScreenSizeText(screen);
    // Until a clip is loaded the title keeps the program's name; the window
    // is resized long before that.
    if (m_player.FileName().isEmpty())
        return;
    m_view.setTitle(QFileInfo(m_player.FileName()).fileName() + " (" + QString::number(m_player.ImageSourceWidth()) +
                    " x " + QString::number(m_player.ImageSourceHeight()) + "), Current Video Size: " + screen +
                    ", Frames per second = " + m_view.framesPerSecondText());
}

void ClipLoader::playNextClip()
{
    if (!folderClipsReady())
        prompt().message(missingClipsMessage());
    else
        StartVideoClip(m_folderClips.nextEntry(m_player.FileName()));
}

void ClipLoader::playPreviousClip()
{
    if (!folderClipsReady())
        prompt().message(missingClipsMessage());
    else
        StartVideoClip(m_folderClips.previousEntry(m_player.FileName()));
}
