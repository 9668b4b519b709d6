#pragma once

#include <QString>
#include <QtGlobal>

class UserDefaults;

// A device of the shared folder as this device knows it, and this device's own id and name
// in the settings.
struct SyncDevice {
    static constexpr const char *IdKey = "sync_device_id";
    static constexpr const char *NameKey = "sync_device_name";

    QString id;
    QString name;
    qint64 lastChange = 0;     // wall time of its newest change, ms
    qint64 applied = 0;        // changes of it that changed something here
    QString problem;           // why its file was last skipped

    // The id of this device, made (and kept in the settings) on first use.
    static QString ensureOwnId(UserDefaults *defaults);
    // The name the user gave this device, or the host name.
    static QString ownName(UserDefaults *defaults);
};
