#include "SyncDevice.h"

#include "SyncSchema.h"
#include "UserDefaults.h"

#include <QSysInfo>
#include <QUuid>

QString SyncDevice::ensureOwnId(UserDefaults *defaults)
{
    QString id = defaults->string(QLatin1String(IdKey));
    if (!SyncSchema::validDevice(id)) {
        id = QUuid::createUuid().toString(QUuid::WithoutBraces).toLower();
        defaults->setValue(QLatin1String(IdKey), id);
        defaults->sync();
    }
    return id;
}

QString SyncDevice::ownName(UserDefaults *defaults)
{
    const QString name = defaults->string(QLatin1String(NameKey)).trimmed();
    return name.isEmpty() ? QSysInfo::machineHostName() : name;
}
