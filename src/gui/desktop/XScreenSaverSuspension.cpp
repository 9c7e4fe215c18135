#include "gui/desktop/XScreenSaverSuspension.h"

#include <QGuiApplication>

#include <xcb/screensaver.h>
#include <xcb/xcb.h>

XScreenSaverSuspension::XScreenSaverSuspension(xcb_connection_t* connection) : m_connection(connection)
{
    // The extension's presence is asked for now and read when first needed.
    if (m_connection)
        xcb_prefetch_extension_data(m_connection, &xcb_screensaver_id);
}

XScreenSaverSuspension XScreenSaverSuspension::forApplication()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return XScreenSaverSuspension(x11 ? x11->connection() : nullptr);
}

bool XScreenSaverSuspension::available() const
{
    if (!m_connection)
        return false;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(m_connection, &xcb_screensaver_id);
    return extension && extension->present;
}

void XScreenSaverSuspension::suspend(bool on)
{
    if (!available())
        return;
    xcb_screensaver_suspend(m_connection, on ? 1 : 0);
    xcb_flush(m_connection);
}
