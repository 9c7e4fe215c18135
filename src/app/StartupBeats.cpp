// The composition root's part of loops on the beat: the beat finder, the
// controls that use its beats, the loops' count-in, and what they hear of
// the player and the options window.
#include "app/Startup.h"

#include "core/beats/BeatLoopControls.h"
#include "core/playback/LoopControls.h"
#include "core/playback/MediaPlayerControl.h"
#include "gui/beats/BeatDisplay.h"
#include "gui/beats/BeatFinder.h"
#include "gui/main/LoopControlsPanel.h"
#include "gui/main/TMainForm.h"
#include "gui/options/TOptionsForm.h"
#include "gui/playback/MpvCountInPlayer.h"

#include <QStandardPaths>

namespace {

// Where the beats found in clips are kept between runs.
QString beatCacheFolder(const QString& given)
{
    if (!given.isEmpty())
        return given;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return cache.isEmpty() ? QString() : cache + QStringLiteral("/beats");
}

} // namespace

BeatLoopControls* Startup::makeBeatLoops()
{
    TMainForm* m = m_windows.MainForm;
    MediaPlayerControl* player = m->player();
    auto* beatLoops = new BeatLoopControls(*player, *m_controllers.loops, m->loopControls(), m);
    beatLoops->setObjectName(QStringLiteral("beatLoops"));
    BeatSource* source = m_options.makeBeatSource ? m_options.makeBeatSource() : nullptr;
    if (!source) {
        auto* finder = new BeatFinder(beatCacheFolder(m_options.beatCacheFolder), beatLoops);
        QObject::connect(finder, &BeatFinder::beatsFound, beatLoops,
                         [beatLoops](const QString& clip, const QList<double>& beats, beats::BeatCount count, bool) {
                             beatLoops->beatsFound(clip, beats, count);
                         });
        source = finder;
    }
    beatLoops->setBeatSource(source);
    m_beatDisplay = std::make_unique<BeatDisplay>(*m->playerWidget());
    beatLoops->setBeatView(m_beatDisplay.get());
    m_controllers.loops->setLoopPointRule(
        [beatLoops](double position) { return beatLoops->loopPointDigits(position); });

    LoopControls* loops = m_controllers.loops;
    loops->setCountInPlayer(new MpvCountInPlayer(QString(), loops));

    QObject::connect(player, &MediaPlayerControl::loadFinished, beatLoops, [beatLoops, player](bool opened) {
        if (opened)
            beatLoops->clipOpened(player->FileName());
    });
    QObject::connect(player, &MediaPlayerControl::OnPositionChange, beatLoops,
                     [beatLoops](double, double position, quint32, quint32) { beatLoops->positionChanged(position); });
    TOptionsForm* options = m_windows.OptionsForm;
    QObject::connect(options, &TOptionsForm::practiceChanged, beatLoops, [options, beatLoops, m] {
        beatLoops->setPreciseLoopPoints(options->preciseLoopPoints());
        m->loopControls().setPreciseTimeBoxes(options->preciseLoopPoints());
        beatLoops->setFindBeats(options->findBeats());
        beatLoops->setSnapToBeat(options->snapToBeat());
        beatLoops->setShowCount(options->showBeatCount());
        beatLoops->setBeatLoopCount(options->beatLoopCount());
        beatLoops->setCountInWanted(options->countInSound() != countin::CountInSound::Off);
    });
    QObject::connect(options, &TOptionsForm::practiceChanged, loops,
                     [options, loops] { loops->setCountIn(options->countInSound(), options->countInVolume()); });
    // The beat loop key's hint names the loop's length.
    QObject::connect(options, &TOptionsForm::practiceChanged, m, [this] { SetPopUpHints(); });
    return beatLoops;
}
