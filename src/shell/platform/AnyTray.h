#pragma once

#include "TrayAvailability.h"

#include <QList>

// Available while at least one of its sources is (StatusNotifier host, XEmbed tray).
class AnyTray : public TrayAvailability {
    Q_OBJECT

public:
    explicit AnyTray(const QList<TrayAvailability *> &sources, QObject *parent = nullptr);
    bool isAvailable() const override;

private:
    QList<TrayAvailability *> m_sources;
    bool m_available = false;
};
