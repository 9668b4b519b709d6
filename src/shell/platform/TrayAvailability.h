#pragma once

#include <QObject>

// Whether a tray host runs that can show the status icon; hosts may start after the app.
class TrayAvailability : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    ~TrayAvailability() override = default;

    virtual bool isAvailable() const = 0;

Q_SIGNALS:
    void availabilityChanged(bool available);
};
