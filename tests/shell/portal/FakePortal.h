#pragma once

#include <QDBusConnection>
#include <QDBusVirtualObject>
#include <QStringList>
#include <QVariantMap>

// org.freedesktop.portal.Desktop with the GlobalShortcuts interface (and optionally the host
// Registry), on its own connection to the bus. It answers like xdg-desktop-portal: request and
// session handles built from the caller's unique name and its tokens, results through
// org.freedesktop.portal.Request.Response on the request handle, and it checks the argument
// signatures of every call.
class FakePortal : public QDBusVirtualObject {
public:
    struct Binding {
        QString session;
        QString id;
        QVariantMap properties;
        QString parentWindow;
    };

    explicit FakePortal(const QString &busAddress);
    ~FakePortal() override;

    // Takes the portal's name; stop() releases it and closes the connection.
    bool start();
    void stop();

    // The user pressed the bound shortcut.
    void activate(const QString &session, const QString &shortcutId,
                  const QVariantMap &options = {});

    QString introspect(const QString &path) const override;
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override;

    // Methods of the test's own remote control (Activate(s token), Calls()), answered on the
    // portal's path when acceptsControl is set.
    static constexpr const char *ControlInterface = "org.vorn.test.FakePortal";

    // How it behaves.
    bool acceptsControl = false;
    bool hasRegistry = true;
    bool sessionHandleAsObjectPath = false; // the frontend sends "s"; accept "o" too
    uint createResponse = 0;                // 0 success, 1 cancelled, 2 other
    uint bindResponse = 0;
    QStringList remembered; // shortcut ids bound by an earlier run of the application

    // What it was asked, in order ("Register", "CreateSession", "ListShortcuts", ...).
    QStringList calls;
    QString registeredAppId;
    QString session; // the last session handle handed out
    QStringList sessionTokens;
    QStringList listedSessions;
    QList<Binding> bindings;
    QStringList closedSessions;

private:
    QString requestPath(const QDBusMessage &message, const QVariantMap &options) const;
    void respond(const QDBusConnection &connection, const QString &requestPath, uint response,
                 const QVariantMap &results);

    QString m_connectionName;
    QDBusConnection m_bus;
};
