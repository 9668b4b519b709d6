#include "PlatformServices.h"

#include "AnyTray.h"
#include "null/BasicWindowPlatform.h"
#include "null/NullHotKeyBackend.h"
#include "portal/PortalHotKeyBackend.h"
#include "x11/X11Connection.h"
#include "x11/X11HotKeyBackend.h"
#include "x11/X11WindowPlatform.h"
#include "x11/XEmbedTray.h"
#include "xdg/FileManagerRevealer.h"
#include "xdg/StatusNotifierTray.h"
#include "xdg/XdgAutostartEntry.h"

#include <QGuiApplication>

namespace {
// A tray host that never shows up: the offscreen platform has no desktop at all.
class NoTray : public TrayAvailability {
public:
    bool isAvailable() const override { return false; }
};
} // namespace

namespace PlatformServices {
std::unique_ptr<HotKeyBackend> createHotKeyBackend()
{
    if (xcb_connection_t *connection = X11Connection::connection())
        return std::make_unique<X11HotKeyBackend>(connection, X11Connection::rootWindow());
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")) && PortalHotKeyBackend::isAvailable())
        return std::make_unique<PortalHotKeyBackend>();
    return std::make_unique<NullHotKeyBackend>();
}

std::unique_ptr<TrayAvailability> createTrayAvailability()
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return std::make_unique<NoTray>();
    QList<TrayAvailability *> sources{new StatusNotifierTray};
    if (xcb_connection_t *connection = X11Connection::connection())
        sources.append(new XEmbedTray(connection));
    return std::make_unique<AnyTray>(sources);
}

std::unique_ptr<WindowPlatform> createWindowPlatform()
{
    if (xcb_connection_t *connection = X11Connection::connection())
        return std::make_unique<X11WindowPlatform>(connection);
    return std::make_unique<BasicWindowPlatform>();
}

std::unique_ptr<LoginItemService> createLoginItemService()
{
    return std::make_unique<XdgAutostartEntry>();
}

std::unique_ptr<FileRevealer> createFileRevealer()
{
    return std::make_unique<FileManagerRevealer>();
}
} // namespace PlatformServices
