#include "LaunchAtLoginManager.h"

#include "StoreLog.h"
#include "platform/PlatformServices.h"

LaunchAtLoginManager::LaunchAtLoginManager(QObject *parent)
    : LaunchAtLoginManager(PlatformServices::createLoginItemService(), parent)
{
}

LaunchAtLoginManager::LaunchAtLoginManager(std::unique_ptr<LoginItemService> service, QObject *parent)
    : QObject(parent), m_service(std::move(service))
{
    m_isEnabled = m_service->isEnabled();
}

LaunchAtLoginManager::~LaunchAtLoginManager() = default;

void LaunchAtLoginManager::toggle()
{
    QString error;
    const bool wasEnabled = m_isEnabled;
    const bool ok = wasEnabled ? m_service->disable(&error) : m_service->enable(&error);
    if (ok) {
        setEnabled(!wasEnabled);
        return;
    }
    StoreLog::line(QStringLiteral("Failed to toggle Launch at Login: ") + error);
    setEnabled(m_service->isEnabled());
}

void LaunchAtLoginManager::setEnabled(bool enabled)
{
    if (m_isEnabled == enabled)
        return;
    m_isEnabled = enabled;
    Q_EMIT isEnabledChanged();
}
