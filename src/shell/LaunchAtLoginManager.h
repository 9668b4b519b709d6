#pragma once

#include "LoginItemControl.h"
#include "platform/LoginItemService.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

#include <memory>

// Whether the app starts when the user logs in; the settings switch binds to isEnabled and
// calls toggle. The truth lives in the system and is read again after every failure.
class LaunchAtLoginManager : public QObject, public LoginItemControl {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool isEnabled READ isEnabled NOTIFY isEnabledChanged)

public:
    // On the user's autostart entry.
    explicit LaunchAtLoginManager(QObject *parent = nullptr);
    LaunchAtLoginManager(std::unique_ptr<LoginItemService> service, QObject *parent = nullptr);
    ~LaunchAtLoginManager() override;

    bool isEnabled() const override { return m_isEnabled; }
    Q_INVOKABLE void toggle() override;

Q_SIGNALS:
    void isEnabledChanged();

private:
    void setEnabled(bool enabled);

    std::unique_ptr<LoginItemService> m_service;
    bool m_isEnabled = false;
};
