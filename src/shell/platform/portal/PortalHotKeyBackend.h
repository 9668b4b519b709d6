#pragma once

#include "HotKeyBackend.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QVariantMap>

#include <functional>

class QDBusServiceWatcher;

// The shortcut through the desktop portal's GlobalShortcuts interface (Wayland desktops).
// The portal asks the user to confirm the binding once and remembers it per application; a
// session binds once, so a new letter takes effect in the desktop's settings or at the next
// start.
class PortalHotKeyBackend : public HotKeyBackend {
    Q_OBJECT

public:
    static constexpr const char *ShortcutId = "show-vorn";

    explicit PortalHotKeyBackend(const QDBusConnection &bus = QDBusConnection::sessionBus(),
                                 QObject *parent = nullptr);

    // True when a portal with GlobalShortcuts answers on the bus (asks it, blocking briefly).
    static bool isAvailable(const QDBusConnection &bus = QDBusConnection::sessionBus());

    QString name() const override { return QStringLiteral("portal"); }
    bool registerShortcut(QChar letter) override;
    void unregisterShortcut() override;

    // The session handle once created, empty before.
    QString sessionHandle() const { return m_session; }
    bool isBound() const { return m_bound; }
    // "LOGO+SHIFT+p": the trigger proposed to the portal.
    static QString preferredTrigger(QChar letter);

Q_SIGNALS:
    // The portal confirmed the binding (or had it from an earlier run).
    void bound();
    void failed(const QString &reason);

private Q_SLOTS:
    void onActivated(const QDBusMessage &message);
    void onRequestResponse(const QDBusMessage &message);

private:
    using ResponseHandler = std::function<void(uint response, const QVariantMap &results)>;

    void start();
    // Forgets the session (closing it at the portal) so the next start begins afresh.
    void reset();
    void createSession();
    void listShortcuts();
    void bindShortcuts();
    // Calls a portal method that answers through a Request object; handler gets its Response.
    void request(const QString &method, QList<QVariant> arguments, ResponseHandler handler);
    QString nextToken();
    void fail(const QString &reason);

    QDBusConnection m_bus;
    QDBusServiceWatcher *m_watcher = nullptr;
    QChar m_letter;
    QChar m_boundLetter;
    QString m_session;
    QString m_pendingRequestPath;
    ResponseHandler m_pendingHandler;
    bool m_wanted = false;
    bool m_started = false;
    bool m_bound = false;
    int m_tokenCounter = 0;
    // Bumped by reset(), so answers to calls of an abandoned session are ignored.
    int m_generation = 0;
};
