#pragma once

#include "core/desktop/MediaCommand.h"
#include "core/desktop/MediaKeyEcho.h"
#include "core/desktop/PlaybackActivity.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>

class CatalogDocument;
class ClipLoader;
class LoopControls;
class MediaPlayerControl;
class PlayAllSession;
class TransportControls;

// The clip as the desktop's media controls show it.
struct MediaTrack {
    quint64 number = 0; // 0: none open; one more with each clip opened
    QString path;       // the clip's file
    QString title;      // its file name, or the name of the bookmark that plays
    double length = 0.0;
    bool operator==(const MediaTrack&) const = default;
};

// Everything the desktop's media controls show but the position, which
// they ask for when they need it.
struct MediaFacts {
    MediaStatus status = MediaStatus::Stopped;
    MediaTrack track;
    double rate = 1.0;
    double volume = 1.0; // 0 to 1
    bool clipOpen = false;
    bool canGoNext = false;
    bool canGoPrevious = false;
    bool operator==(const MediaFacts&) const = default;
};

// The keyboard's media keys and the desktop's media controls (MPRIS), over
// the program's own controllers: each command runs the operation that the
// program's key for it runs, so a loop keeps its rules and a frame step is
// a frame step. Next and previous are the next and previous bookmark while
// the catalog plays, the next and previous clip of the folder otherwise.
//
// It also tells the desktop what playback does: after each tick of the
// player it reads the activity and the facts, and signals what changed.
class MediaControls : public QObject {
    Q_OBJECT
public:
    struct Parts {
        MediaPlayerControl& player;
        LoopControls& loops;
        TransportControls& transport;
        ClipLoader& clips;
    };
    // Whether a file can be opened as a clip, and why not.
    enum class ClipCheck { Fine, NoFile, NotAClip, PlayingAll };

    explicit MediaControls(const Parts& parts, QObject* parent = nullptr);

    // The catalog, whose bookmarks next and previous step through while one
    // plays; none until a catalog window exists.
    void setCatalog(PlayAllSession* playing, const CatalogDocument* document);
    // The steady clock (milliseconds) that tells a key's echo from a press.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

    // Runs the command as the program's key for it does. False when it did
    // not run: the echo of a press already acted on (see MediaKeyEcho), or
    // nothing to run it on (next with no clip and no catalog playing).
    bool run(MediaCommand command, MediaRoute route);
    // A jump by `seconds` from where the clip is, as the jump keys make it.
    // It counts as the forward or rewind key's press (see run()).
    bool jumpBy(double seconds, MediaRoute route);
    // To `seconds` into the clip, as the seek bar goes there; nothing past
    // the clip's end.
    void jumpTo(double seconds);
    // A rate of the speed buttons' range (anything else changes nothing);
    // 0 pauses.
    void setRate(double rate);
    void setVolume(double volume);
    ClipCheck canOpenClip(const QString& path) const;
    // Opens a clip file as the choose-clip key does with the file chosen;
    // nothing unless it can be opened.
    void openClip(const QString& path);

    static double minimumRate();
    static double maximumRate();

    PlaybackActivity activity() const;
    MediaFacts facts() const;
    double position() const;

signals:
    void activityChanged(PlaybackActivity activity);
    void factsChanged(const MediaFacts& facts);
    // The position moved other than by playing: a jump, a step, a loop
    // starting again.
    void seeked(double seconds);

private:
    void sample();
    bool catalogPlays() const;
    bool playingOrRepeating() const;

    MediaPlayerControl& m_player;
    LoopControls& m_loops;
    TransportControls& m_transport;
    ClipLoader& m_clips;
    PlayAllSession* m_playing = nullptr;
    const CatalogDocument* m_document = nullptr;
    QElapsedTimer m_steady;
    std::function<qint64()> m_clock;
    MediaKeyEcho m_echo;
    quint64 m_trackNumber = 0;
    PlaybackActivity m_activity = PlaybackActivity::NoClip;
    MediaFacts m_facts;
};
