#include "StatusNotifierTray.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>

namespace {
const QString WatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
}

StatusNotifierTray::StatusNotifierTray(QObject *parent) : TrayAvailability(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    m_watcher = new QDBusServiceWatcher(WatcherService, bus,
                                        QDBusServiceWatcher::WatchForRegistration
                                            | QDBusServiceWatcher::WatchForUnregistration,
                                        this);
    connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] { setAvailable(true); });
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] { setAvailable(false); });
    if (QDBusConnectionInterface *iface = bus.interface())
        m_available = iface->isServiceRegistered(WatcherService).value();
}

void StatusNotifierTray::setAvailable(bool available)
{
    if (m_available == available)
        return;
    m_available = available;
    Q_EMIT availabilityChanged(available);
}
