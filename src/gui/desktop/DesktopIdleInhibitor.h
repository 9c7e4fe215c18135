#pragma once

#include "core/desktop/IdleInhibitor.h"
#include "gui/desktop/XScreenSaverSuspension.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>

class QDBusPendingCallWatcher;

// Keeps the desktop from going idle through the first of its services that
// answers, tried in this order:
//  1. the XDG desktop portal's Inhibit, asked to keep the session from
//     going idle (GNOME, KDE, also on Wayland and in a sandbox);
//  2. org.freedesktop.ScreenSaver's Inhibit and UnInhibit (Xfce, older
//     desktops);
//  3. the X server's own screen saver, suspended (an X session with none of
//     them);
// and with none of these, nothing (the screen blanks as the desktop says).
// The service that answered once takes every later hold. No call waits for
// an answer: the interface goes on while the desktop thinks.
class DesktopIdleInhibitor : public QObject, public IdleInhibitor {
    Q_OBJECT
public:
    enum class Service { Portal, ScreenSaver, XServer, None };

    // `bus`: the session bus (not connected: only the X server is tried).
    DesktopIdleInhibitor(const QDBusConnection& bus, XScreenSaverSuspension xServer, QObject* parent = nullptr);
    ~DesktopIdleInhibitor() override;

    void inhibit(const QString& reason) override;
    void release() override;

    // The service that holds the screen, or is to be asked next.
    Service service() const { return m_service; }

private:
    enum class Hold { Released, Asking, Held };

    void ask();
    void answered(QDBusPendingCallWatcher* call);
    void letGo();

    QDBusConnection m_bus;
    XScreenSaverSuspension m_xServer;
    Service m_service;
    Hold m_hold = Hold::Released;
    bool m_wanted = false; // what the program last asked for
    QString m_reason;
    QDBusObjectPath m_request; // the portal's hold
    uint m_cookie = 0;         // the screen saver's
    int m_tokens = 0;
};
