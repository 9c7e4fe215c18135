#include "playback/ClipLoader.h"

#include "app/Prompt.h"
#include "input/TOptionsForm.h"
#include "playback/LoopControls.h"
#include "playback/MediaPlayerControl.h"
#include "playback/TActiveMovie.h"
#include "playback/TransportControls.h"
#include "ui/AppWindows.h"
#include "ui/TFilePlayingInfoForm.h"
#include "ui/TMainForm.h"
#include "ui/widgets/TimeBox.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>

const QString& ClipLoader::clipFilter()
{
    static const QString filter = QStringLiteral(
        "Video files (*.mpg;*.mpeg;*.m2p;*.avi;*.mov;*.vob;*.mp4;*.m4v;*.mkv;*.webm)"
        "|*.mpg;*.mpeg;*.m2p;*.avi;*.mov;*.vob;*.mp4;*.m4v;*.mkv;*.webm"
        "|Audio Files (*.wav;*.mp3;*.m4a;*.ogg;*.flac)|*.wav;*.mp3;*.m4a;*.ogg;*.flac|All Files (*.*)|*.*");
    return filter;
}

const QString& ClipLoader::missingClipsMessage()
{
    static const QString text = QStringLiteral(
        "You must first have a video clip loaded in order for this to work.\n\nOr, the \"default video clip "
        "directory\" (as specified in the options window) \nis not valid, or does not contain any video clips.");
    return text;
}

ClipLoader::ClipLoader(TMainForm& form) : QObject(&form), m_form(form)
{
}

void ClipLoader::ResetInitialVideoDirectory()
{
    AppWindows* w = m_form.windows();
    m_dialogFolder = w && w->OptionsForm ? w->OptionsForm->defaultVideoDirectory->text() : QString();
}

void ClipLoader::ViewClipButtonClick(QObject* sender)
{
    const QString chosen = prompt().openFileName(QStringLiteral("Open"), m_dialogFolder, clipFilter());
    if (!chosen.isEmpty()) {
        m_form.loops->resetLoopButtonClick(sender);
        StartVideoClip(sender, chosen);
    }
    m_form.focusIfSender(sender);
}

bool ClipLoader::StartVideoClip(QObject*, const QString& path)
{
    const QFileInfo file(path);
    if (!file.isFile()) {
        prompt().message("This file, " + path + ", does not exist.  Please try again.");
        return true;
    }
    MediaPlayerControl* player = m_form.player();
    // The player is handed absolute paths only.
    player->setFileName(file.absoluteFilePath());
    player->setFGrabber_Enabled(false);
    player->setAutoStart(true);
    player->setDisplayMode(mpTime);
    player->Open();
    player->waitForOpen(); // until loading finishes on the engine's fileLoaded / loadFailed

    fillInformationFields();
    UpdateMainFormTitleBar();

    m_form.setStartTimeValue->setDigitText(QString());
    m_form.setEndTimeValue->setDigitText(QString());
    player->setSelectionStart(-1);
    player->setSelectionEnd(-1);
    player->setCurrentPosition(0);

    m_form.loops->LoopPlayingIndicatorChange(QStringLiteral("full"));
    m_form.loops->LoopIsPlaying = false;
    m_form.loops->WaitingForLoopRestart = false;
    m_form.transport->setSpeedModeRegular();

    m_form.folderClips().clear();
    m_form.folderClips().LoadAllFileTypes(file.absolutePath() + '/');
    // Locking to the clip's original size re-fits the window to the new clip
    // once the window sizing is in place.
    return true;
}

void ClipLoader::fillInformationFields()
{
    AppWindows* w = m_form.windows();
    if (!w || !w->FilePlayingInfoForm)
        return;
    TFilePlayingInfoForm* info = w->FilePlayingInfoForm;
    MediaPlayerControl* player = m_form.player();
    const QFileInfo file(player->FileName());
    info->ShowVideoPlayingFileName->setText(file.fileName());
    info->ShowVideoPlayingFilePath->setText(file.absolutePath() + '/');
    info->ShowVideoSize->setText(QString::number(player->ImageSourceWidth()) + " x " +
                                 QString::number(player->ImageSourceHeight()));
    info->ShowTotalTime->setText(QString::asprintf("%.2f", player->Duration()) + " seconds");
    info->ShowCodecName->clear();
    if (player->Duration() != 0)
        info->ShowFramesPerSecond->setText(QString::asprintf("%.2f", player->FrameCount() / player->Duration()));
}

void ClipLoader::UpdateMainFormTitleBar(QObject*)
{
    MediaPlayerControl* player = m_form.player();
    const int width = m_form.ActiveMovie1->width();
    const int height = m_form.ActiveMovie1->height() - TActiveMovie::StripHeight;
    const QString screen = QString::number(width) + " x " + QString::number(height);
    QString fps;
    if (AppWindows* w = m_form.windows(); w && w->FilePlayingInfoForm) {
        w->FilePlayingInfoForm->ShowScreenSize->setText(screen);
        fps = w->FilePlayingInfoForm->ShowFramesPerSecond->text();
    }
    m_form.setWindowTitle(QFileInfo(player->FileName()).fileName() + " (" +
                          QString::number(player->ImageSourceWidth()) + " x " +
                          QString::number(player->ImageSourceHeight()) + "), Current Video Size: " + screen +
                          ", Frames per second = " + fps);
}

void ClipLoader::stepTo(const QString& path, QObject* sender)
{
    StartVideoClip(sender, path);
    m_form.focusIfSender(sender);
}

void ClipLoader::PlayNextFile(QObject* sender)
{
    if (m_form.folderClips().isEmpty()) {
        prompt().message(missingClipsMessage());
        m_form.focusIfSender(sender);
        return;
    }
    stepTo(m_form.folderClips().nextEntry(m_form.player()->FileName()), sender);
}

void ClipLoader::PlayPreviousFile(QObject* sender)
{
    if (m_form.folderClips().isEmpty()) {
        prompt().message(missingClipsMessage());
        m_form.focusIfSender(sender);
        return;
    }
    stepTo(m_form.folderClips().previousEntry(m_form.player()->FileName()), sender);
}
