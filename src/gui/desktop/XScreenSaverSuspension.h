#pragma once

struct xcb_connection_t;

// The X server's own screen saver (and its display power saving) held off,
// through the screen saver extension's suspend request: the last resort
// where no desktop service keeps the screen awake. The server ends the
// suspension by itself when the program's connection closes.
class XScreenSaverSuspension {
public:
    // The program's connection to the X server; null (no X server: Wayland,
    // the offscreen platform) suspends nothing.
    explicit XScreenSaverSuspension(xcb_connection_t* connection);
    // The X server of the application, if it runs on one.
    static XScreenSaverSuspension forApplication();

    // Whether the server has the extension's suspend request.
    bool available() const;
    void suspend(bool on);

private:
    xcb_connection_t* m_connection;
};
