#include "gui/desktop/MprisAdaptors.h"

#include "core/base/ClipTypes.h"
#include "gui/desktop/MprisService.h"

#include <QUrl>
#include <cmath>

namespace {

double seconds(qlonglong microseconds)
{
    return microseconds / 1e6;
}

} // namespace

MprisRootAdaptor::MprisRootAdaptor(MprisService& service) : QDBusAbstractAdaptor(&service), m_service(service)
{
}

QString MprisRootAdaptor::identity() const
{
    return QStringLiteral("Tempoloop");
}

// The desktop entry the program is installed with (data/tempoloop.desktop).
QString MprisRootAdaptor::desktopEntry() const
{
    return QStringLiteral("tempoloop");
}

QStringList MprisRootAdaptor::supportedUriSchemes() const
{
    return {QStringLiteral("file")};
}

QStringList MprisRootAdaptor::supportedMimeTypes() const
{
    return ClipTypes::desktopMediaTypes();
}

void MprisRootAdaptor::Raise()
{
    m_service.raise();
}

void MprisRootAdaptor::Quit()
{
    m_service.quit();
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService& service) : QDBusAbstractAdaptor(&service), m_service(service)
{
}

QString MprisPlayerAdaptor::playbackStatus() const
{
    return mediaStatusName(m_service.controls().facts().status);
}

double MprisPlayerAdaptor::rate() const
{
    return m_service.controls().facts().rate;
}

void MprisPlayerAdaptor::setRate(double rate)
{
    m_service.later([this, rate] { m_service.controls().setRate(rate); });
}

QVariantMap MprisPlayerAdaptor::metadata() const
{
    return m_service.metadata();
}

double MprisPlayerAdaptor::volume() const
{
    return m_service.controls().facts().volume;
}

void MprisPlayerAdaptor::setVolume(double volume)
{
    m_service.later([this, volume] { m_service.controls().setVolume(volume); });
}

qlonglong MprisPlayerAdaptor::position() const
{
    return std::llround(m_service.controls().position() * 1e6);
}

double MprisPlayerAdaptor::minimumRate() const
{
    return MediaControls::minimumRate();
}

double MprisPlayerAdaptor::maximumRate() const
{
    return MediaControls::maximumRate();
}

bool MprisPlayerAdaptor::canGoNext() const
{
    return m_service.controls().facts().canGoNext;
}

bool MprisPlayerAdaptor::canGoPrevious() const
{
    return m_service.controls().facts().canGoPrevious;
}

bool MprisPlayerAdaptor::canPlay() const
{
    return m_service.controls().facts().clipOpen;
}

bool MprisPlayerAdaptor::canPause() const
{
    return m_service.controls().facts().clipOpen;
}

bool MprisPlayerAdaptor::canSeek() const
{
    return m_service.controls().facts().clipOpen;
}

void MprisPlayerAdaptor::Next()
{
    m_service.command(MediaCommand::Next);
}

void MprisPlayerAdaptor::Previous()
{
    m_service.command(MediaCommand::Previous);
}

void MprisPlayerAdaptor::Pause()
{
    m_service.command(MediaCommand::Pause);
}

void MprisPlayerAdaptor::PlayPause()
{
    m_service.command(MediaCommand::PlayPause);
}

void MprisPlayerAdaptor::Stop()
{
    m_service.command(MediaCommand::Stop);
}

void MprisPlayerAdaptor::Play()
{
    m_service.command(MediaCommand::Play);
}

void MprisPlayerAdaptor::Seek(qlonglong Offset)
{
    m_service.later([this, Offset] { m_service.controls().jumpBy(seconds(Offset), MediaRoute::Desktop); });
}

// A position for another track than the one open is stale: ignored.
void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position)
{
    if (TrackId != m_service.trackId())
        return;
    m_service.later([this, Position] { m_service.controls().jumpTo(seconds(Position)); });
}

// Local clip files only; anything else is answered with an error.
void MprisPlayerAdaptor::OpenUri(const QString& Uri)
{
    const QUrl url(Uri);
    if (!url.isLocalFile()) {
        m_service.refuse(QDBusError::NotSupported, QStringLiteral("Tempoloop opens local files only."));
        return;
    }
    const QString path = url.toLocalFile();
    switch (m_service.controls().canOpenClip(path)) {
    case MediaControls::ClipCheck::Fine:
        m_service.later([this, path] { m_service.controls().openClip(path); });
        return;
    case MediaControls::ClipCheck::NoFile:
        m_service.refuse(QDBusError::InvalidArgs, QStringLiteral("There is no file %1.").arg(path));
        return;
    case MediaControls::ClipCheck::NotAClip:
        m_service.refuse(QDBusError::InvalidArgs, QStringLiteral("%1 is not a clip Tempoloop plays.").arg(path));
        return;
    case MediaControls::ClipCheck::PlayingAll:
        m_service.refuse(QDBusError::AccessDenied, QStringLiteral("No other clip opens while all bookmarks play."));
        return;
    }
}
