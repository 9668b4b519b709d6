#include "FakePortal.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace {
const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString ShortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

struct FakeShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument &operator<<(QDBusArgument &argument, const FakeShortcut &shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, FakeShortcut &shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

int connectionCount = 0;

// ":1.42" -> "1_42", as the portal names request and session objects.
QString senderPart(const QDBusMessage &message)
{
    QString sender = message.service().mid(1);
    return sender.replace(QLatin1Char('.'), QLatin1Char('_'));
}
} // namespace

Q_DECLARE_METATYPE(FakeShortcut)

FakePortal::FakePortal(const QString &busAddress)
    : m_connectionName(QStringLiteral("fake-portal-%1").arg(++connectionCount)),
      m_bus(QDBusConnection::connectToBus(busAddress, m_connectionName))
{
    qDBusRegisterMetaType<FakeShortcut>();
    qDBusRegisterMetaType<QList<FakeShortcut>>();
}

FakePortal::~FakePortal()
{
    stop();
}

bool FakePortal::start()
{
    return m_bus.isConnected() && m_bus.registerVirtualObject(PortalPath, this, QDBusConnection::SubPath) &&
           m_bus.registerService(PortalService);
}

void FakePortal::stop()
{
    if (!m_bus.isConnected())
        return;
    m_bus.unregisterService(PortalService);
    m_bus.unregisterObject(PortalPath);
    QDBusConnection::disconnectFromBus(m_connectionName);
    m_bus = QDBusConnection(m_connectionName);
}

void FakePortal::activate(const QString &sessionHandle, const QString &shortcutId, const QVariantMap &options)
{
    QDBusMessage signal = QDBusMessage::createSignal(PortalPath, ShortcutsInterface, QStringLiteral("Activated"));
    signal << QVariant::fromValue(QDBusObjectPath(sessionHandle)) << shortcutId << qulonglong(1234) << options;
    m_bus.send(signal);
}

QString FakePortal::introspect(const QString &) const
{
    return {};
}

QString FakePortal::requestPath(const QDBusMessage &message, const QVariantMap &options) const
{
    return QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
        .arg(senderPart(message), options.value(QStringLiteral("handle_token")).toString());
}

void FakePortal::respond(const QDBusConnection &connection, const QString &path, uint response,
                         const QVariantMap &results)
{
    QDBusMessage signal =
        QDBusMessage::createSignal(path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
    signal << response << results;
    connection.send(signal);
}

bool FakePortal::handleMessage(const QDBusMessage &message, const QDBusConnection &connection)
{
    const QString interface = message.interface();
    const QString member = message.member();
    const QList<QVariant> args = message.arguments();
    auto refuse = [&](const QString &error, const QString &text) {
        connection.send(message.createErrorReply(error, text));
        return true;
    };
    auto expect = [&](const char *signature) { return message.signature() == QLatin1String(signature); };

    if (interface == QLatin1String("org.freedesktop.DBus.Properties") && member == QLatin1String("Get")) {
        if (!expect("ss") || args.at(0).toString() != ShortcutsInterface)
            return refuse(QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"), QStringLiteral("no such property"));
        connection.send(message.createReply(QVariant::fromValue(QDBusVariant(uint(1)))));
        return true;
    }
    if (interface == QLatin1String("org.freedesktop.host.portal.Registry") && hasRegistry) {
        calls.append(member);
        if (member != QLatin1String("Register") || !expect("sa{sv}"))
            return refuse(QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"), QStringLiteral("bad call"));
        registeredAppId = args.at(0).toString();
        connection.send(message.createReply());
        return true;
    }
    if (interface == QLatin1String("org.freedesktop.portal.Session") && member == QLatin1String("Close")) {
        closedSessions.append(message.path());
        connection.send(message.createReply());
        return true;
    }
    if (interface == QLatin1String(ControlInterface) && acceptsControl) {
        // The test's own remote: presses the bound shortcut, or says what was asked so far.
        if (member == QLatin1String("Activate") && expect("s")) {
            if (bindings.isEmpty() && remembered.isEmpty())
                return refuse(QStringLiteral("org.freedesktop.DBus.Error.Failed"),
                              QStringLiteral("nothing is bound yet"));
            QVariantMap options;
            if (!args.at(0).toString().isEmpty())
                options.insert(QStringLiteral("activation_token"), args.at(0).toString());
            activate(session, bindings.isEmpty() ? remembered.first() : bindings.last().id, options);
            connection.send(message.createReply());
            return true;
        }
        if (member == QLatin1String("Calls")) {
            connection.send(message.createReply(calls.join(QLatin1Char(' '))));
            return true;
        }
        return refuse(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"), member);
    }
    if (interface != ShortcutsInterface || message.path() != PortalPath)
        return refuse(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"), QStringLiteral("no such interface"));

    calls.append(member);
    if (member == QLatin1String("CreateSession")) {
        if (!expect("a{sv}"))
            return refuse(QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"), message.signature());
        const QVariantMap options = qdbus_cast<QVariantMap>(args.at(0));
        const QString token = options.value(QStringLiteral("session_handle_token")).toString();
        sessionTokens.append(token);
        session = QStringLiteral("/org/freedesktop/portal/desktop/session/%1/%2").arg(senderPart(message), token);
        const QString path = requestPath(message, options);
        connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(path))));
        QVariantMap results;
        if (createResponse == 0)
            results.insert(QStringLiteral("session_handle"), sessionHandleAsObjectPath
                                                                 ? QVariant::fromValue(QDBusObjectPath(session))
                                                                 : QVariant(session));
        respond(connection, path, createResponse, results);
        return true;
    }
    if (member == QLatin1String("ListShortcuts")) {
        if (!expect("oa{sv}"))
            return refuse(QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"), message.signature());
        listedSessions.append(args.at(0).value<QDBusObjectPath>().path());
        const QString path = requestPath(message, qdbus_cast<QVariantMap>(args.at(1)));
        connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(path))));
        QList<FakeShortcut> shortcuts;
        for (const QString &id : std::as_const(remembered))
            shortcuts.append({id,
                              {{QStringLiteral("description"), QStringLiteral("Show VORN")},
                               {QStringLiteral("trigger_description"), QStringLiteral("Super+Shift+P")}}});
        respond(connection, path, 0, {{QStringLiteral("shortcuts"), QVariant::fromValue(shortcuts)}});
        return true;
    }
    if (member == QLatin1String("BindShortcuts")) {
        if (!expect("oa(sa{sv})sa{sv}"))
            return refuse(QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"), message.signature());
        const QString sessionHandle = args.at(0).value<QDBusObjectPath>().path();
        const QList<FakeShortcut> shortcuts = qdbus_cast<QList<FakeShortcut>>(args.at(1));
        for (const FakeShortcut &shortcut : shortcuts)
            bindings.append({sessionHandle, shortcut.id, shortcut.properties, args.at(2).toString()});
        const QString path = requestPath(message, qdbus_cast<QVariantMap>(args.at(3)));
        connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(path))));
        QList<FakeShortcut> confirmed;
        for (const FakeShortcut &shortcut : shortcuts)
            confirmed.append({shortcut.id, {{QStringLiteral("trigger_description"), QStringLiteral("Super+Shift+P")}}});
        respond(connection, path, bindResponse,
                bindResponse == 0 ? QVariantMap{{QStringLiteral("shortcuts"), QVariant::fromValue(confirmed)}}
                                  : QVariantMap());
        return true;
    }
    return refuse(QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"), member);
}
