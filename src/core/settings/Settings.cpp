#include "core/settings/Settings.h"

Settings Settings::defaults(const QString& programFolder)
{
    Settings s;
    s.defaultVideoDirectory = programFolder + QStringLiteral("VideoClips");
    s.defaultCatalogDirectory = programFolder + QStringLiteral("VideoCatalogs");
    return s;
}

const QStringList& Settings::framesChoices()
{
    static const QStringList list{"2", "3", "5", "10", "15", "20", "30"};
    return list;
}

const QStringList& Settings::secondsChoices()
{
    static const QStringList list{"1", "2", "3", "4", "5", "6", "7", "10", "20"};
    return list;
}

const QStringList& Settings::minutesChoices()
{
    static const QStringList list{"1", "2", "3", "4", "5", "10"};
    return list;
}

const QStringList& Settings::slowMotionRateChoices()
{
    static const QStringList list{"0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9"};
    return list;
}

const QStringList& Settings::fastMotionRateChoices()
{
    static const QStringList list{"1.2", "1.5", "1.7", "2.0"};
    return list;
}

const QStringList& Settings::bookmarkPlayClickBehaviorChoices()
{
    static const QStringList list{"No action (stay in Cataloging Window)", "Bring Video Playback Window to front",
                                  "Go into Full Screen Mode"};
    return list;
}
