#include "core/desktop/PlaybackActivity.h"

PlaybackActivity activityOf(const PlaybackFacts& facts)
{
    if (facts.playerPlaying)
        return PlaybackActivity::Playing;
    // The player rests paused while a loop waits out its gap.
    if (facts.repeatGap)
        return PlaybackActivity::RepeatGap;
    // At a loop's end play all pauses, then opens the next bookmark's clip
    // (or seeks in the same one) and plays it.
    if (facts.playingAll && (facts.nextBookmarkWaits || facts.clipLoading))
        return PlaybackActivity::NextBookmark;
    // A clip opened by hand plays once it has loaded.
    if (facts.clipLoading)
        return PlaybackActivity::Opening;
    return facts.clipOpen ? PlaybackActivity::Paused : PlaybackActivity::NoClip;
}

bool keepsScreenAwake(PlaybackActivity activity)
{
    switch (activity) {
    case PlaybackActivity::NoClip:
    case PlaybackActivity::Paused:
        return false;
    case PlaybackActivity::Opening:
    case PlaybackActivity::Playing:
    case PlaybackActivity::RepeatGap:
    case PlaybackActivity::NextBookmark:
        return true;
    }
    return false;
}

MediaStatus mediaStatusOf(PlaybackActivity activity)
{
    switch (activity) {
    case PlaybackActivity::NoClip:
        return MediaStatus::Stopped;
    case PlaybackActivity::Paused:
        return MediaStatus::Paused;
    case PlaybackActivity::Opening:
    case PlaybackActivity::Playing:
    case PlaybackActivity::RepeatGap:
    case PlaybackActivity::NextBookmark:
        return MediaStatus::Playing;
    }
    return MediaStatus::Stopped;
}

QString mediaStatusName(MediaStatus status)
{
    switch (status) {
    case MediaStatus::Stopped:
        return QStringLiteral("Stopped");
    case MediaStatus::Paused:
        return QStringLiteral("Paused");
    case MediaStatus::Playing:
        return QStringLiteral("Playing");
    }
    return {};
}
