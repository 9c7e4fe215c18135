#include "gui/desktop/DesktopIdleInhibitor.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {

const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString screenSaverService = QStringLiteral("org.freedesktop.ScreenSaver");
// The portal's flag for "the session going idle".
constexpr uint IdleFlag = 8;
// A desktop service that does not answer in this time is taken as missing;
// the portal may be started for the call.
constexpr int AnswerMs = 5000;

} // namespace

DesktopIdleInhibitor::DesktopIdleInhibitor(const QDBusConnection& bus, XScreenSaverSuspension xServer, QObject* parent)
    : QObject(parent), m_bus(bus), m_xServer(xServer), m_service(bus.isConnected() ? Service::Portal : Service::XServer)
{
}

DesktopIdleInhibitor::~DesktopIdleInhibitor()
{
    release();
}

void DesktopIdleInhibitor::inhibit(const QString& reason)
{
    m_wanted = true;
    m_reason = reason;
    if (m_hold == Hold::Released)
        ask();
}

void DesktopIdleInhibitor::release()
{
    m_wanted = false;
    // A hold still asked for is let go when its answer comes.
    if (m_hold == Hold::Held)
        letGo();
}

void DesktopIdleInhibitor::ask()
{
    QDBusMessage call;
    switch (m_service) {
    case Service::Portal: {
        call =
            QDBusMessage::createMethodCall(portalService, QStringLiteral("/org/freedesktop/portal/desktop"),
                                           QStringLiteral("org.freedesktop.portal.Inhibit"), QStringLiteral("Inhibit"));
        const QVariantMap options{{QStringLiteral("reason"), m_reason},
                                  {QStringLiteral("handle_token"), QStringLiteral("tempoloop%1").arg(++m_tokens)}};
        call << QString() << IdleFlag << options;
        break;
    }
    case Service::ScreenSaver:
        call = QDBusMessage::createMethodCall(screenSaverService, QStringLiteral("/org/freedesktop/ScreenSaver"),
                                              screenSaverService, QStringLiteral("Inhibit"));
        call << QStringLiteral("Tempoloop") << m_reason;
        break;
    case Service::XServer:
        if (m_xServer.available())
            m_xServer.suspend(true);
        else
            m_service = Service::None;
        m_hold = Hold::Held;
        return;
    case Service::None:
        m_hold = Hold::Held;
        return;
    }
    m_hold = Hold::Asking;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call, AnswerMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &DesktopIdleInhibitor::answered);
}

void DesktopIdleInhibitor::answered(QDBusPendingCallWatcher* call)
{
    call->deleteLater();
    const QDBusMessage reply = call->reply();
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 1) {
        // Not on this desktop: the next service is asked, if still wanted.
        m_service = m_service == Service::Portal ? Service::ScreenSaver : Service::XServer;
        m_hold = Hold::Released;
        if (m_wanted)
            ask();
        return;
    }
    if (m_service == Service::Portal)
        m_request = qvariant_cast<QDBusObjectPath>(reply.arguments().first());
    else
        m_cookie = reply.arguments().first().toUInt();
    m_hold = Hold::Held;
    if (!m_wanted)
        letGo();
}

void DesktopIdleInhibitor::letGo()
{
    m_hold = Hold::Released;
    switch (m_service) {
    case Service::Portal:
        m_bus.send(QDBusMessage::createMethodCall(portalService, m_request.path(),
                                                  QStringLiteral("org.freedesktop.portal.Request"),
                                                  QStringLiteral("Close")));
        break;
    case Service::ScreenSaver: {
        QDBusMessage call =
            QDBusMessage::createMethodCall(screenSaverService, QStringLiteral("/org/freedesktop/ScreenSaver"),
                                           screenSaverService, QStringLiteral("UnInhibit"));
        call << m_cookie;
        m_bus.send(call);
        break;
    }
    case Service::XServer:
        m_xServer.suspend(false);
        break;
    case Service::None:
        break;
    }
}
