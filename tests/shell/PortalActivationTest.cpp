// The shortcut through a portal in another process: nothing in this process but the backend
// knows a D-Bus type, as in the app, and the portal sends the real Activated signal.
#include "HotKeyManager.h"
#include "StoreLog.h"
#include "TestSupport.h"
#include "UserDefaults.h"
#include "portal/PortalHotKeyBackend.h"
#include "portal/PrivateBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {
constexpr int Wait = 5000;
const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");

struct PortalProcess : ::testing::Test {
    void SetUp() override
    {
        ASSERT_FALSE(PrivateBus::address().isEmpty()) << "dbus-daemon could not be started";
        ASSERT_EQ(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"), PrivateBus::address());
    }
    void TearDown() override
    {
        if (portal.state() != QProcess::NotRunning) {
            portal.kill();
            portal.waitForFinished(Wait);
        }
    }

    bool startPortal(const QStringList &arguments = {})
    {
        portal.setProgram(QStringLiteral(VORN_FAKE_PORTAL));
        portal.setArguments(arguments);
        portal.start();
        return QTest::qWaitFor([this] { return portal.canReadLine() || portal.state() == QProcess::NotRunning; }, Wait)
               && portal.readLine().trimmed() == "ready";
    }

    // Calls the fake portal's remote control, serving this process's events meanwhile.
    QDBusMessage control(const QString &method, const QVariantList &arguments = {})
    {
        QDBusMessage call = QDBusMessage::createMethodCall(PortalService, PortalPath,
                                                           QStringLiteral("org.vorn.test.FakePortal"), method);
        call.setArguments(arguments);
        QDBusPendingCall pending = QDBusConnection::sessionBus().asyncCall(call, Wait);
        (void)QTest::qWaitFor([&] { return pending.isFinished(); }, Wait);
        return pending.reply();
    }

    QProcess portal;
    QStringList log;
    StoreLog::Capture capture{[this](const QString &line) { log.append(line); }};
};
} // namespace

TEST_F(PortalProcess, ThePortalsActivatedSignalReachesTheManagerWithItsToken)
{
    ASSERT_TRUE(startPortal());
    UserDefaults defaults(TestSupport::freshDir(QStringLiteral("portal-process")) + QStringLiteral("/vorn.ini"));
    auto owned = std::make_unique<PortalHotKeyBackend>();
    PortalHotKeyBackend *backend = owned.get();
    HotKeyManager manager(std::move(owned), &defaults);
    QSignalSpy bound(backend, &PortalHotKeyBackend::bound);
    QSignalSpy pressed(&manager, &HotKeyManager::pressed);
    manager.registerHotKey();
    ASSERT_TRUE(QTest::qWaitFor([&] { return bound.count() == 1; }, Wait));
    EXPECT_EQ(control(QStringLiteral("Calls")).arguments().value(0).toString(),
              QStringLiteral("Register CreateSession ListShortcuts BindShortcuts"));

    const QDBusMessage sent = control(QStringLiteral("Activate"), {QStringLiteral("token-1")});
    ASSERT_EQ(sent.type(), QDBusMessage::ReplyMessage) << sent.errorMessage().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pressed.count() == 1; }, Wait));
    EXPECT_EQ(pressed.first().first().toByteArray(), QByteArray("token-1"));
    control(QStringLiteral("Activate"), {QString()});
    ASSERT_TRUE(QTest::qWaitFor([&] { return pressed.count() == 2; }, Wait));
    EXPECT_EQ(pressed.at(1).first().toByteArray(), QByteArray());
    EXPECT_TRUE(log.isEmpty()) << log.join(QLatin1Char('\n')).toStdString();
}

TEST_F(PortalProcess, AShortcutKeptFromAnEarlierRunFiresWithoutBindingAgain)
{
    ASSERT_TRUE(startPortal({QStringLiteral("--remember"), QString::fromLatin1(PortalHotKeyBackend::ShortcutId)}));
    PortalHotKeyBackend backend;
    QSignalSpy bound(&backend, &PortalHotKeyBackend::bound);
    QSignalSpy activated(&backend, &PortalHotKeyBackend::activated);
    backend.registerShortcut(QLatin1Char('P'));
    ASSERT_TRUE(QTest::qWaitFor([&] { return bound.count() == 1; }, Wait));
    control(QStringLiteral("Activate"), {QStringLiteral("t")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return activated.count() == 1; }, Wait));
    EXPECT_FALSE(control(QStringLiteral("Calls")).arguments().value(0).toString().contains(QStringLiteral("BindShortcuts")));
}
