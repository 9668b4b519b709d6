#include "PortalHotKeyBackend.h"

#include "Diagnostics.h"
#include "ShellTrace.h"
#include "StoreLog.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>

namespace {
const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString ShortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString RequestInterface = QStringLiteral("org.freedesktop.portal.Request");
const QString RegistryInterface = QStringLiteral("org.freedesktop.host.portal.Registry");

struct PortalShortcut {
    QString id;
    QVariantMap properties;
};
using PortalShortcutList = QList<PortalShortcut>;

QDBusArgument &operator<<(QDBusArgument &argument, const PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, PortalShortcut &shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}
} // namespace

Q_DECLARE_METATYPE(PortalShortcut)
Q_DECLARE_METATYPE(PortalShortcutList)

namespace {
// Signatures of the two signals listened to; the connection only passes messages that match.
constexpr const char *ActivatedSignature = "osta{sv}";
constexpr const char *ResponseSignature = "ua{sv}";

QString connectError(const QDBusConnection &bus)
{
    const QDBusError error = bus.lastError();
    return error.isValid() ? error.message() : QStringLiteral("the bus refused the match rule");
}

PortalShortcutList shortcutsOf(const QVariantMap &results)
{
    PortalShortcutList list;
    const QVariant value = results.value(QStringLiteral("shortcuts"));
    if (value.canConvert<QDBusArgument>())
        value.value<QDBusArgument>() >> list;
    else
        list = value.value<PortalShortcutList>();
    return list;
}
} // namespace

PortalHotKeyBackend::PortalHotKeyBackend(const QDBusConnection &bus, QObject *parent)
    : HotKeyBackend(parent), m_bus(bus)
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<PortalShortcutList>();
    // The portal may be started after us (or restarted): begin once it shows up. A portal that
    // goes away takes its sessions along.
    m_watcher = new QDBusServiceWatcher(PortalService, m_bus,
                                        QDBusServiceWatcher::WatchForRegistration |
                                            QDBusServiceWatcher::WatchForUnregistration,
                                        this);
    connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        if (m_wanted && !m_started)
            start();
    });
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] {
        m_session.clear(); // gone with the portal, nothing to close
        reset();
    });
}

bool PortalHotKeyBackend::isAvailable(const QDBusConnection &bus)
{
    if (!bus.isConnected())
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        PortalService, PortalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << ShortcutsInterface << QStringLiteral("version");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 1500);
    return reply.type() == QDBusMessage::ReplyMessage;
}

QString PortalHotKeyBackend::preferredTrigger(QChar letter)
{
    return QStringLiteral("LOGO+SHIFT+") + letter.toLower();
}

bool PortalHotKeyBackend::registerShortcut(QChar letter)
{
    const QChar previous = m_letter;
    m_letter = letter.toUpper();
    m_wanted = true;
    if (m_bound) {
        // Said once per change of the letter, not again on every re-registration.
        if (m_boundLetter != m_letter && previous != m_letter)
            StoreLog::line(
            lcShell(),
                QStringLiteral(
                    "The desktop keeps the shortcut bound at start-up; change it in the "
                    "desktop's keyboard settings (the new letter %1 applies from the next start).")
                    .arg(m_letter));
        return true;
    }
    if (!m_started)
        start();
    return true;
}

void PortalHotKeyBackend::unregisterShortcut()
{
    // The portal has no unbind: while the session lives the binding stays; a later
    // registration reuses it.
    m_wanted = false;
}

void PortalHotKeyBackend::start()
{
    m_started = true;
    // By the signal's signature and the whole message: a slot with typed arguments needs every
    // type known to Qt by name first, and without that the connection silently never fires.
    if (!m_bus.connect(PortalService, PortalPath, ShortcutsInterface, QStringLiteral("Activated"),
                       QString::fromLatin1(ActivatedSignature), this,
                       SLOT(onActivated(QDBusMessage)))) {
        fail(QStringLiteral("cannot listen for the shortcut: %1").arg(connectError(m_bus)));
        return;
    }
    // Newer portals identify host apps only after this call; older ones lack it, which is fine.
    QDBusMessage registry = QDBusMessage::createMethodCall(
        PortalService, PortalPath, RegistryInterface, QStringLiteral("Register"));
    registry << QStringLiteral(VORN_APP_ID) << QVariantMap();
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(registry), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, generation = m_generation] {
                watcher->deleteLater();
                if (generation == m_generation)
                    createSession();
            });
}

void PortalHotKeyBackend::reset()
{
    ++m_generation;
    if (m_started)
        m_bus.disconnect(PortalService, PortalPath, ShortcutsInterface, QStringLiteral("Activated"),
                         QString::fromLatin1(ActivatedSignature), this,
                         SLOT(onActivated(QDBusMessage)));
    if (!m_pendingRequestPath.isEmpty())
        m_bus.disconnect(PortalService, m_pendingRequestPath, RequestInterface,
                         QStringLiteral("Response"), QString::fromLatin1(ResponseSignature), this,
                         SLOT(onRequestResponse(QDBusMessage)));
    if (!m_session.isEmpty())
        m_bus.asyncCall(QDBusMessage::createMethodCall(
            PortalService, m_session, QStringLiteral("org.freedesktop.portal.Session"),
            QStringLiteral("Close")));
    m_pendingRequestPath.clear();
    m_pendingHandler = {};
    m_session.clear();
    m_started = false;
    m_bound = false;
}

QString PortalHotKeyBackend::nextToken()
{
    return QStringLiteral("vorn%1").arg(++m_tokenCounter);
}

void PortalHotKeyBackend::request(const QString &method, QList<QVariant> arguments,
                                  ResponseHandler handler)
{
    const QString token = nextToken();
    QVariantMap options = arguments.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    arguments.append(options);
    // Listen on the request path before calling, so a fast answer is not lost.
    QString sender = m_bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString path =
        QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    if (!m_pendingRequestPath.isEmpty())
        m_bus.disconnect(PortalService, m_pendingRequestPath, RequestInterface,
                         QStringLiteral("Response"), QString::fromLatin1(ResponseSignature), this,
                         SLOT(onRequestResponse(QDBusMessage)));
    m_pendingRequestPath = path;
    m_pendingHandler = std::move(handler);
    if (!m_bus.connect(PortalService, path, RequestInterface, QStringLiteral("Response"),
                       QString::fromLatin1(ResponseSignature), this,
                       SLOT(onRequestResponse(QDBusMessage)))) {
        m_pendingRequestPath.clear();
        m_pendingHandler = {};
        fail(QStringLiteral("cannot listen for the answer to %1: %2").arg(method, connectError(m_bus)));
        return;
    }

    QDBusMessage call =
        QDBusMessage::createMethodCall(PortalService, PortalPath, ShortcutsInterface, method);
    call.setArguments(arguments);
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, watcher, method, generation = m_generation] {
                watcher->deleteLater();
                if (watcher->isError() && generation == m_generation)
                    fail(QStringLiteral("%1 failed: %2").arg(method, watcher->error().message())); // untranslated: logged
            });
}

void PortalHotKeyBackend::onRequestResponse(const QDBusMessage &message)
{
    // An answer already under way when its request was abandoned is not this request's.
    if (message.path() != m_pendingRequestPath)
        return;
    const QList<QVariant> arguments = message.arguments();
    const uint response = arguments.value(0).toUInt();
    const QVariantMap results = qdbus_cast<QVariantMap>(arguments.value(1));
    ResponseHandler handler = std::move(m_pendingHandler);
    m_pendingHandler = {};
    if (handler)
        handler(response, results);
}

void PortalHotKeyBackend::createSession()
{
    QVariantMap options{{QStringLiteral("session_handle_token"), nextToken()}};
    request(QStringLiteral("CreateSession"), {QVariant(options)}, // untranslated: D-Bus method
            [this](uint response, const QVariantMap &results) {
                if (response != 0) {
                    fail(QStringLiteral("the desktop refused a shortcut session"));
                    return;
                }
                // Portals send the handle as a string, though it names an object; take either.
                const QVariant handle = results.value(QStringLiteral("session_handle"));
                m_session = handle.metaType() == QMetaType::fromType<QDBusObjectPath>()
                                ? handle.value<QDBusObjectPath>().path()
                                : handle.toString();
                if (m_session.isEmpty()) {
                    fail(QStringLiteral("the desktop returned no shortcut session"));
                    return;
                }
                listShortcuts();
            });
}

void PortalHotKeyBackend::listShortcuts()
{
    request(QStringLiteral("ListShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(m_session)), QVariant(QVariantMap())},
            [this](uint response, const QVariantMap &results) {
                for (const PortalShortcut &shortcut : shortcutsOf(results)) {
                    if (response == 0 && shortcut.id == QLatin1String(ShortcutId)) {
                        // Bound in an earlier run; binding again would ask the user again.
                        m_bound = true;
                        m_boundLetter = m_letter;
                        Q_EMIT bound();
                        return;
                    }
                }
                bindShortcuts();
            });
}

void PortalHotKeyBackend::bindShortcuts()
{
    PortalShortcutList shortcuts{
        {QString::fromLatin1(ShortcutId),
         //: The shortcut's name in the desktop's keyboard settings.
         {{QStringLiteral("description"), tr("Show VORN")},
          {QStringLiteral("preferred_trigger"), preferredTrigger(m_letter)}}}};
    request(QStringLiteral("BindShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(m_session)), QVariant::fromValue(shortcuts),
             QString(), QVariant(QVariantMap())},
            [this](uint response, const QVariantMap &) {
                if (response != 0) {
                    fail(QStringLiteral("the shortcut was not confirmed"));
                    return;
                }
                m_bound = true;
                m_boundLetter = m_letter;
                Q_EMIT bound();
            });
}

void PortalHotKeyBackend::onActivated(const QDBusMessage &message)
{
    // Activated(o session_handle, s shortcut_id, t timestamp, a{sv} options)
    const QList<QVariant> arguments = message.arguments();
    const QString session = arguments.value(0).value<QDBusObjectPath>().path();
    const QString shortcutId = arguments.value(1).toString();
    const QVariantMap options = qdbus_cast<QVariantMap>(arguments.value(3));
    if (session != m_session || shortcutId != QLatin1String(ShortcutId) || !m_wanted)
        return;
    ShellTrace::mark("hotkey received");
    Q_EMIT activated(options.value(QStringLiteral("activation_token")).toString().toUtf8());
}

void PortalHotKeyBackend::fail(const QString &reason)
{
    m_lastError = reason;
    StoreLog::line(
            lcShell(),
        QStringLiteral("The global shortcut is not available (%1); bind \"vorn show\" in the "
                       "desktop's keyboard settings instead.")
            .arg(reason));
    // A later registration (or the portal coming back) starts over.
    reset();
    Q_EMIT failed(reason);
}
