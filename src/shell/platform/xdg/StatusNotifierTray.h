#pragma once

#include "TrayAvailability.h"

class QDBusServiceWatcher;

// A StatusNotifierItem host, found by its watcher service on the session bus. Panels often
// start after the apps of the session, so the service is watched, not checked once.
class StatusNotifierTray : public TrayAvailability {
    Q_OBJECT

public:
    explicit StatusNotifierTray(QObject *parent = nullptr);
    bool isAvailable() const override { return m_available; }

private:
    void setAvailable(bool available);

    QDBusServiceWatcher *m_watcher = nullptr;
    bool m_available = false;
};
