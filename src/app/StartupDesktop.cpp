// The composition root's half of the desktop: the media controls behind
// the media keys and MPRIS, the screen kept awake while a clip plays, and
// the MPRIS player on the session bus.
#include "app/Startup.h"

#include "core/catalog/CatalogControllers.h"
#include "core/desktop/MediaControls.h"
#include "core/desktop/ScreenAwake.h"
#include "gui/catalog/TBookmarksForm.h"
#include "gui/desktop/DesktopIdleInhibitor.h"
#include "gui/desktop/MprisService.h"
#include "gui/main/TMainForm.h"

void Startup::makeDesktop()
{
    TMainForm* main = m_windows.MainForm;
    m_media = std::make_unique<MediaControls>(
        MediaControls::Parts{*main->player(), *m_controllers.loops, *m_controllers.transport, *m_controllers.clips});
    m_media->setCatalog(&m_catalog->playing, m_windows.BookmarksForm->document());
    if (m_options.desktop == DesktopLink::None)
        return;

    const QDBusConnection bus = QDBusConnection::sessionBus();
    m_idle = std::make_unique<DesktopIdleInhibitor>(bus, XScreenSaverSuspension::forApplication());
    m_screenAwake = std::make_unique<ScreenAwake>(*m_idle);
    QObject::connect(m_media.get(), &MediaControls::activityChanged, m_screenAwake.get(), &ScreenAwake::follow);
    // The screen is let go as the program closes, before its windows go.
    QObject::connect(main, &TMainForm::closing, m_screenAwake.get(), &ScreenAwake::end);
    if (!bus.isConnected())
        return;
    MprisService::Window window;
    window.raise = [main] {
        if (main->isMinimized())
            main->showNormal();
        main->show();
        main->raise();
        main->activateWindow();
    };
    window.quit = [main] { main->exitButtonClick(); };
    m_mpris = std::make_unique<MprisService>(*m_media, window, bus);
}
