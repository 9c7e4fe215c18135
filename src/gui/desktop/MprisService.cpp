#include "gui/desktop/MprisService.h"

#include "gui/desktop/MprisAdaptors.h"

#include <QApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>
#include <QUrl>
#include <cmath>

namespace {

const QString objectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString playerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
// RequestName's flag and answers.
constexpr uint DoNotQueue = 4;
constexpr uint PrimaryOwner = 1;

qlonglong microseconds(double seconds)
{
    return std::llround(seconds * 1e6);
}

} // namespace

const QString& MprisService::baseName()
{
    static const QString name = QStringLiteral("org.mpris.MediaPlayer2.tempoloop");
    return name;
}

MprisService::MprisService(MediaControls& controls, Window window, const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_controls(controls), m_window(std::move(window)), m_bus(bus)
{
    new MprisRootAdaptor(*this);
    m_player = new MprisPlayerAdaptor(*this);
    m_shown = m_controls.facts();
    connect(&m_controls, &MediaControls::factsChanged, this, &MprisService::factsChanged);
    connect(&m_controls, &MediaControls::seeked, this, &MprisService::positionMoved);
    // The object is there before the name, so that a client that sees the
    // name finds it.
    m_bus.registerObject(objectPath, this, QDBusConnection::ExportAdaptors);
    requestName(baseName());
}

MprisService::~MprisService()
{
    m_bus.unregisterObject(objectPath);
    // Also a name still being asked for: the bus answers the calls of one
    // connection in order, so it has given the name before it takes it back.
    const QString name = m_name.isEmpty() ? m_asked : m_name;
    if (!name.isEmpty())
        m_bus.interface()->asyncCall(QStringLiteral("ReleaseName"), name);
}

// Asked without waiting: the bus answers while the program starts.
void MprisService::requestName(const QString& name)
{
    m_asked = name;
    QDBusPendingCall call = m_bus.interface()->asyncCall(QStringLiteral("RequestName"), name, DoNotQueue);
    auto* watcher = new QDBusPendingCallWatcher(call, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, name](QDBusPendingCallWatcher* w) { nameAnswered(w, name); });
}

void MprisService::nameAnswered(QDBusPendingCallWatcher* call, const QString& name)
{
    call->deleteLater();
    const QDBusPendingReply<uint> reply = *call;
    if (reply.isValid() && reply.value() == PrimaryOwner) {
        m_name = name;
        return;
    }
    // Another Tempoloop has the name: this one is an instance of its own.
    if (name == baseName())
        requestName(baseName() + QStringLiteral(".instance") + QString::number(QCoreApplication::applicationPid()));
}

void MprisService::later(std::function<void()> command)
{
    QTimer::singleShot(0, this, [command = std::move(command)] {
        if (!QApplication::activeModalWidget())
            command();
    });
}

void MprisService::command(MediaCommand command)
{
    later([this, command] { m_controls.run(command, MediaRoute::Desktop); });
}

// The bus tells the object it delivers a call to, not the adaptor, which
// call it handles.
void MprisService::refuse(QDBusError::ErrorType error, const QString& text)
{
    if (calledFromDBus())
        sendErrorReply(error, text);
}

void MprisService::raise()
{
    later([this] { m_window.raise(); });
}

void MprisService::quit()
{
    later([this] { m_window.quit(); });
}

QDBusObjectPath MprisService::trackId() const
{
    const quint64 number = m_controls.facts().track.number;
    return QDBusObjectPath(number == 0 ? QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack")
                                       : QStringLiteral("/org/tempoloop/Track/%1").arg(number));
}

QVariantMap MprisService::metadata() const
{
    const MediaTrack track = m_controls.facts().track;
    QVariantMap map{{QStringLiteral("mpris:trackid"), QVariant::fromValue(trackId())}};
    if (track.number == 0)
        return map;
    map.insert(QStringLiteral("mpris:length"), microseconds(track.length));
    map.insert(QStringLiteral("xesam:url"), QString::fromUtf8(QUrl::fromLocalFile(track.path).toEncoded()));
    map.insert(QStringLiteral("xesam:title"), track.title);
    return map;
}

// The properties whose change MPRIS announces, with their new values.
void MprisService::factsChanged(const MediaFacts& facts)
{
    QVariantMap changed;
    if (facts.status != m_shown.status)
        changed.insert(QStringLiteral("PlaybackStatus"), mediaStatusName(facts.status));
    if (facts.track != m_shown.track)
        changed.insert(QStringLiteral("Metadata"), metadata());
    if (facts.rate != m_shown.rate)
        changed.insert(QStringLiteral("Rate"), facts.rate);
    if (facts.volume != m_shown.volume)
        changed.insert(QStringLiteral("Volume"), facts.volume);
    if (facts.canGoNext != m_shown.canGoNext)
        changed.insert(QStringLiteral("CanGoNext"), facts.canGoNext);
    if (facts.canGoPrevious != m_shown.canGoPrevious)
        changed.insert(QStringLiteral("CanGoPrevious"), facts.canGoPrevious);
    if (facts.clipOpen != m_shown.clipOpen) {
        changed.insert(QStringLiteral("CanPlay"), facts.clipOpen);
        changed.insert(QStringLiteral("CanPause"), facts.clipOpen);
        changed.insert(QStringLiteral("CanSeek"), facts.clipOpen);
    }
    m_shown = facts;
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(objectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << playerInterface << changed << QStringList();
    m_bus.send(signal);
}

// Seeked tells where the position is once the moves of one turn are made:
// a held key's frame steps, a loop's start, are one signal each.
void MprisService::positionMoved()
{
    if (m_seekPending)
        return;
    m_seekPending = true;
    QTimer::singleShot(0, this, [this] {
        m_seekPending = false;
        emit m_player->Seeked(microseconds(m_controls.position()));
    });
}
