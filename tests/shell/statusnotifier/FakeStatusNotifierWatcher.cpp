#include "FakeStatusNotifierWatcher.h"

#include <QDBusMessage>
#include <QTextStream>

FakeStatusNotifierWatcher::FakeStatusNotifierWatcher(QDBusConnection bus, QObject *parent)
    : QObject(parent), m_bus(std::move(bus))
{
}

bool FakeStatusNotifierWatcher::start()
{
    return m_bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                                QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals
                                    | QDBusConnection::ExportAllProperties)
        && m_bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"));
}

void FakeStatusNotifierWatcher::RegisterStatusNotifierItem(const QString &service, const QDBusMessage &message)
{
    // An item may give its bus name or only its object path; the sender is then its service.
    QString name = service;
    QString path = QStringLiteral("/StatusNotifierItem");
    if (service.startsWith(QLatin1Char('/'))) {
        name = message.service();
        path = service;
    }
    m_items.append(name + path);
    QTextStream(stdout) << "registered " << name << ' ' << path << Qt::endl;
    Q_EMIT StatusNotifierItemRegistered(name + path);
}

void FakeStatusNotifierWatcher::RegisterStatusNotifierHost(const QString &)
{
    Q_EMIT StatusNotifierHostRegistered();
}
