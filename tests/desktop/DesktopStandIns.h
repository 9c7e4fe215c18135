#pragma once

// Stand-ins of the desktop's services that keep the screen awake, on the
// session bus of the test, for a program in the same process: the XDG
// desktop portal's Inhibit (org.freedesktop.portal.Desktop, as GNOME and KDE
// have it) and org.freedesktop.ScreenSaver (as Xfce and older desktops have
// it). They answer on a connection of their own, so the program reaches them
// through the bus daemon as it reaches the real ones, and each records the
// holds it is asked for and their release, with the time it came.
//
// Either can be taken off the bus, as on a desktop that lacks it.

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QVariantMap>

struct InhibitEvent {
    enum class Kind { Hold, Release };
    Kind kind = Kind::Hold;
    QString service; // "portal" or "screensaver"
    QString holder;  // the holder's unique bus name
    uint flags = 0;  // the portal's: 8 is idle
    QString reason;
    QString application; // the screen saver's application name
    qint64 at = 0;       // milliseconds since the stand-ins started
};

class InhibitRecorder {
public:
    QList<InhibitEvent> events;
    QElapsedTimer clock;

    InhibitRecorder() { clock.start(); }

    qint64 now() const { return clock.elapsed(); }
    // Records an event now; the caller fills in the rest.
    InhibitEvent& record(InhibitEvent::Kind kind, const QString& service, const QString& holder)
    {
        InhibitEvent e;
        e.kind = kind;
        e.service = service;
        e.holder = holder;
        e.at = now();
        events << e;
        return events.last();
    }
    // Holds not yet released, of one service or of both.
    int held(const QString& service = {}) const
    {
        int count = 0;
        for (const InhibitEvent& e : events)
            if (service.isEmpty() || e.service == service)
                count += e.kind == InhibitEvent::Kind::Hold ? 1 : -1;
        return count;
    }
    int count(InhibitEvent::Kind kind, const QString& service = {}) const
    {
        int n = 0;
        for (const InhibitEvent& e : events)
            n += e.kind == kind && (service.isEmpty() || e.service == service);
        return n;
    }
    // When the last release came (-1: none).
    qint64 lastReleaseAt() const
    {
        for (auto e = events.crbegin(); e != events.crend(); ++e)
            if (e->kind == InhibitEvent::Kind::Release)
                return e->at;
        return -1;
    }
    const InhibitEvent* lastHold() const
    {
        for (auto e = events.crbegin(); e != events.crend(); ++e)
            if (e->kind == InhibitEvent::Kind::Hold)
                return &*e;
        return nullptr;
    }
};

// A service's objects that answer each call themselves, and record.
class StandIn : public QDBusVirtualObject {
public:
    explicit StandIn(InhibitRecorder& recorder) : m_recorder(recorder) {}
    QString introspect(const QString&) const override { return {}; }

protected:
    static bool unknown(const QDBusMessage& message, const QDBusConnection& connection)
    {
        connection.send(message.createErrorReply(QDBusError::UnknownMethod, QStringLiteral("no such method")));
        return true;
    }

    InhibitRecorder& m_recorder;
};

// org.freedesktop.portal.Inhibit at /org/freedesktop/portal/desktop: Inhibit
// returns a request object, and the hold ends when that request is closed.
class PortalStandIn : public StandIn {
public:
    static constexpr const char* Service = "org.freedesktop.portal.Desktop";
    static constexpr const char* Path = "/org/freedesktop/portal/desktop";

    using StandIn::StandIn;

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        if (message.path() == QLatin1String(Path) &&
            message.interface() == QLatin1String("org.freedesktop.portal.Inhibit") &&
            message.member() == QLatin1String("Inhibit") && message.signature() == QLatin1String("sua{sv}")) {
            const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().at(2));
            QString token = options.value(QStringLiteral("handle_token")).toString();
            if (token.isEmpty())
                token = QStringLiteral("t%1").arg(++m_requests);
            QString sender = message.service().mid(1);
            sender.replace(u'.', u'_');
            const QString handle = QStringLiteral("%1/request/%2/%3").arg(QLatin1String(Path), sender, token);
            m_open.insert(handle, message.service());
            InhibitEvent& e = m_recorder.record(InhibitEvent::Kind::Hold, QStringLiteral("portal"), message.service());
            e.flags = message.arguments().at(1).toUInt();
            e.reason = options.value(QStringLiteral("reason")).toString();
            connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(handle))));
            return true;
        }
        if (message.interface() == QLatin1String("org.freedesktop.portal.Request") &&
            message.member() == QLatin1String("Close") && m_open.contains(message.path())) {
            m_recorder.record(InhibitEvent::Kind::Release, QStringLiteral("portal"), m_open.take(message.path()));
            connection.send(message.createReply());
            return true;
        }
        return unknown(message, connection);
    }

private:
    QHash<QString, QString> m_open; // request path -> holder
    int m_requests = 0;
};

// org.freedesktop.ScreenSaver at /org/freedesktop/ScreenSaver (and at
// /ScreenSaver, where older desktops have it): Inhibit returns a cookie that
// UnInhibit gives back.
class ScreenSaverStandIn : public StandIn {
public:
    static constexpr const char* Service = "org.freedesktop.ScreenSaver";

    using StandIn::StandIn;

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        const bool ours = message.interface() == QLatin1String("org.freedesktop.ScreenSaver");
        if (ours && message.member() == QLatin1String("Inhibit") && message.signature() == QLatin1String("ss")) {
            const uint cookie = ++m_cookies;
            m_open.insert(cookie, message.service());
            InhibitEvent& e =
                m_recorder.record(InhibitEvent::Kind::Hold, QStringLiteral("screensaver"), message.service());
            e.application = message.arguments().at(0).toString();
            e.reason = message.arguments().at(1).toString();
            connection.send(message.createReply(QVariant::fromValue(cookie)));
            return true;
        }
        if (ours && message.member() == QLatin1String("UnInhibit") && message.signature() == QLatin1String("u")) {
            const uint cookie = message.arguments().at(0).toUInt();
            if (m_open.value(cookie) != message.service()) {
                connection.send(message.createErrorReply(QDBusError::InvalidArgs, QStringLiteral("no such cookie")));
                return true;
            }
            m_recorder.record(InhibitEvent::Kind::Release, QStringLiteral("screensaver"), m_open.take(cookie));
            connection.send(message.createReply());
            return true;
        }
        return unknown(message, connection);
    }

private:
    QHash<uint, QString> m_open; // cookie -> holder
    uint m_cookies = 0;
};

// Both stand-ins on a connection of their own.
class DesktopStandIns {
public:
    InhibitRecorder recorder;
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("stand-ins"));

    DesktopStandIns()
    {
        // The portal's object and the request objects below it.
        bus.registerVirtualObject(QLatin1String(PortalStandIn::Path), &m_portal, QDBusConnection::SubPath);
        bus.registerVirtualObject(QStringLiteral("/org/freedesktop/ScreenSaver"), &m_screenSaver);
        bus.registerVirtualObject(QStringLiteral("/ScreenSaver"), &m_screenSaver);
    }
    ~DesktopStandIns()
    {
        setPortal(false);
        setScreenSaver(false);
        bus.unregisterObject(QLatin1String(PortalStandIn::Path), QDBusConnection::UnregisterTree);
        bus.unregisterObject(QStringLiteral("/org/freedesktop/ScreenSaver"));
        bus.unregisterObject(QStringLiteral("/ScreenSaver"));
        QDBusConnection::disconnectFromBus(QStringLiteral("stand-ins"));
    }

    bool connected() const { return bus.isConnected(); }
    // Puts the service on the bus or takes it off.
    bool setPortal(bool on) { return serve(QLatin1String(PortalStandIn::Service), on); }
    bool setScreenSaver(bool on) { return serve(QLatin1String(ScreenSaverStandIn::Service), on); }

private:
    bool serve(const QString& service, bool on)
    {
        return on ? bus.registerService(service) : bus.unregisterService(service);
    }

    PortalStandIn m_portal{recorder};
    ScreenSaverStandIn m_screenSaver{recorder};
};
