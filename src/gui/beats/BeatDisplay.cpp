#include "gui/beats/BeatDisplay.h"

#include "core/playback/MediaPlayerControl.h"

#include "gui/beats/BeatSeekBar.h"
#include "gui/playback/MpvVideoWidget.h"
#include "gui/playback/TActiveMovie.h"

void BeatDisplay::showBeatTicks(const QList<double>& beats, int one)
{
    m_player.seekBar()->setBeats(beats, one);
}

void BeatDisplay::showBeatCount(int count)
{
    m_count = count;
    if (auto* picture = qobject_cast<MpvVideoWidget*>(m_player.picture())) {
        const MediaPlayerControl* control = m_player.control();
        picture->setPictureSize(QSize(control->ImageSourceWidth(), control->ImageSourceHeight()));
        picture->setBeatCount(count);
    }
}
