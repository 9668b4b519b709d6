#include "portal/PortalHotKeyBackend.h"
#include "HotKeyManager.h"
#include "StoreLog.h"
#include "TestSupport.h"
#include "UserDefaults.h"
#include "portal/FakePortal.h"
#include "portal/PrivateBus.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <future>

namespace {
const QString ShowVorn = QString::fromLatin1(PortalHotKeyBackend::ShortcutId);
constexpr int Wait = 3000;

bool waitForCount(const QSignalSpy &spy, int count)
{
    return QTest::qWaitFor([&] { return spy.count() >= count; }, Wait);
}

QString trigger(const FakePortal::Binding &binding)
{
    return binding.properties.value(QStringLiteral("preferred_trigger")).toString();
}

// A fake portal on the private bus and a backend on this process's session bus, which is that
// bus; the portal is started by each case, after setting how it behaves.
struct PortalFixture : ::testing::Test {
    void SetUp() override
    {
        // Never the user's bus.
        ASSERT_FALSE(PrivateBus::address().isEmpty()) << "dbus-daemon could not be started";
        ASSERT_EQ(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"), PrivateBus::address());
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
    }

    // A round trip from the backend's connection to the portal: every call the backend sent
    // before it has been handled.
    static bool roundTrip()
    {
        QDBusMessage get = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/org/freedesktop/portal/desktop"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << QStringLiteral("org.freedesktop.portal.GlobalShortcuts") << QStringLiteral("version");
        const QDBusPendingCall call = QDBusConnection::sessionBus().asyncCall(get, Wait);
        return QTest::qWaitFor([&] { return call.isFinished(); }, Wait) && !call.isError();
    }

    FakePortal portal{PrivateBus::address()};
    QStringList log;
    StoreLog::Capture capture{[this](const QString &line) { log.append(line); }};
    PortalHotKeyBackend backend;
    QSignalSpy bound{&backend, &PortalHotKeyBackend::bound};
    QSignalSpy failed{&backend, &PortalHotKeyBackend::failed};
    QSignalSpy activated{&backend, &PortalHotKeyBackend::activated};
};
} // namespace

TEST_F(PortalFixture, BindsShowVornOnceWithThePreferredTrigger)
{
    ASSERT_TRUE(portal.start());
    EXPECT_TRUE(backend.registerShortcut(QLatin1Char('K')));
    ASSERT_TRUE(waitForCount(bound, 1));

    // The host registry first (it must precede every other portal call), then one session.
    EXPECT_EQ(portal.calls, (QStringList{QStringLiteral("Register"), QStringLiteral("CreateSession"),
                                         QStringLiteral("ListShortcuts"), QStringLiteral("BindShortcuts")}));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[A-Za-z_][\\w-]*(\\.[A-Za-z_][\\w-]*)+$"))
                    .match(portal.registeredAppId).hasMatch())
        << portal.registeredAppId.toStdString();
    EXPECT_FALSE(portal.sessionTokens.value(0).isEmpty());
    EXPECT_EQ(backend.sessionHandle(), portal.session);
    EXPECT_EQ(portal.listedSessions, QStringList{portal.session});
    ASSERT_EQ(portal.bindings.size(), 1);
    const FakePortal::Binding &binding = portal.bindings.first();
    EXPECT_EQ(binding.session, portal.session);
    EXPECT_EQ(binding.id, ShowVorn);
    EXPECT_EQ(binding.properties.value(QStringLiteral("description")).toString(), QStringLiteral("Show VORN"));
    // The shortcuts syntax: modifiers CTRL, ALT, SHIFT, NUM, LOGO, then an xkb key name.
    EXPECT_EQ(trigger(binding), QStringLiteral("LOGO+SHIFT+k"));
    EXPECT_EQ(binding.parentWindow, QString());
    EXPECT_TRUE(backend.isBound());
    EXPECT_TRUE(log.isEmpty()) << log.join(QLatin1Char('\n')).toStdString();
}

TEST_F(PortalFixture, WorksWithoutTheHostRegistryAndWithAnObjectPathSession)
{
    portal.hasRegistry = false;
    portal.sessionHandleAsObjectPath = true;
    ASSERT_TRUE(portal.start());
    backend.registerShortcut(QLatin1Char('P'));
    ASSERT_TRUE(waitForCount(bound, 1));
    EXPECT_FALSE(portal.calls.contains(QStringLiteral("Register")));
    EXPECT_EQ(backend.sessionHandle(), portal.session);
    ASSERT_EQ(portal.bindings.size(), 1);
    EXPECT_EQ(portal.bindings.first().session, portal.session);

    portal.activate(portal.session, ShowVorn);
    ASSERT_TRUE(waitForCount(activated, 1));
}

// Through the manager: the setting's letter is bound, presses of it show with their token, and a
// later letter change is only reported, since the desktop keeps the binding it has.
TEST_F(PortalFixture, TheManagersPressesCarryTheTokenAndALetterChangeDoesNotBindAgain)
{
    UserDefaults defaults(TestSupport::freshDir(QStringLiteral("portal")) + QStringLiteral("/vorn.ini"));
    auto owned = std::make_unique<PortalHotKeyBackend>();
    QSignalSpy managedBound(owned.get(), &PortalHotKeyBackend::bound);
    HotKeyManager manager(std::move(owned), &defaults);
    QSignalSpy pressed(&manager, &HotKeyManager::pressed);
    ASSERT_TRUE(portal.start());
    manager.registerHotKey();
    ASSERT_TRUE(waitForCount(managedBound, 1));
    ASSERT_EQ(portal.bindings.size(), 1);
    EXPECT_EQ(trigger(portal.bindings.first()), QStringLiteral("LOGO+SHIFT+p"));

    portal.activate(portal.session, ShowVorn, {{QStringLiteral("activation_token"), QStringLiteral("xdg-token-7")}});
    portal.activate(QStringLiteral("/org/freedesktop/portal/desktop/session/1_1/other"), ShowVorn);
    portal.activate(portal.session, QStringLiteral("someone-else"));
    portal.activate(portal.session, ShowVorn);
    // Signals arrive in order: once the last one is through, the two foreign ones were dropped.
    ASSERT_TRUE(waitForCount(pressed, 2));
    QTest::qWait(0);
    ASSERT_EQ(pressed.count(), 2);
    EXPECT_EQ(pressed.at(0).first().toByteArray(), QByteArray("xdg-token-7"));
    EXPECT_EQ(pressed.at(1).first().toByteArray(), QByteArray());

    defaults.setValue(QStringLiteral("hotkey_char"), QStringLiteral("j"));
    manager.reRegisterHotKey();
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log.first().contains(QLatin1Char('J'))) << log.first().toStdString();
    manager.reRegisterHotKey(); // the same letter again says nothing more
    EXPECT_EQ(log.size(), 1);
    ASSERT_TRUE(roundTrip());
    EXPECT_EQ(portal.calls.count(QStringLiteral("CreateSession")), 1);
    EXPECT_EQ(portal.bindings.size(), 1);
    EXPECT_EQ(manager.hotKeyRef(), QLatin1Char('J'));
    // The binding the desktop kept still shows the panel.
    portal.activate(portal.session, ShowVorn);
    ASSERT_TRUE(waitForCount(pressed, 3));
}

TEST_F(PortalFixture, ALetterChangedWhileTheSessionIsSetUpBindsTheNewLetter)
{
    ASSERT_TRUE(portal.start());
    backend.registerShortcut(QLatin1Char('P'));
    backend.unregisterShortcut();
    backend.registerShortcut(QLatin1Char('X'));
    ASSERT_TRUE(waitForCount(bound, 1));
    ASSERT_TRUE(roundTrip());
    EXPECT_EQ(portal.calls.count(QStringLiteral("CreateSession")), 1);
    ASSERT_EQ(portal.bindings.size(), 1);
    EXPECT_EQ(trigger(portal.bindings.first()), QStringLiteral("LOGO+SHIFT+x"));
    EXPECT_TRUE(log.isEmpty());
}

// Also a shortcut bound in an earlier run, listed among other applications' ones, is used as it
// is: the restarted portal is not asked to bind it again.
TEST_F(PortalFixture, APortalThatAppearsLateOrRestartsIsPickedUp)
{
    backend.registerShortcut(QLatin1Char('P'));
    ASSERT_TRUE(waitForCount(failed, 1)); // nobody owns the portal's name yet
    EXPECT_EQ(log.size(), 1);

    ASSERT_TRUE(portal.start());
    ASSERT_TRUE(waitForCount(bound, 1));
    EXPECT_EQ(portal.bindings.size(), 1);
    EXPECT_EQ(backend.sessionHandle(), portal.session);

    // A restarted portal forgets the session but remembers the binding.
    portal.stop();
    FakePortal restarted(PrivateBus::address());
    restarted.remembered = QStringList{QStringLiteral("other-app-shortcut"), ShowVorn};
    ASSERT_TRUE(restarted.start());
    ASSERT_TRUE(waitForCount(bound, 2));
    EXPECT_EQ(backend.sessionHandle(), restarted.session);
    EXPECT_TRUE(backend.isBound());
    ASSERT_TRUE(roundTrip());
    EXPECT_FALSE(restarted.calls.contains(QStringLiteral("BindShortcuts")));
    restarted.activate(restarted.session, ShowVorn, {{QStringLiteral("activation_token"), QStringLiteral("t")}});
    ASSERT_TRUE(waitForCount(activated, 1));
    EXPECT_EQ(activated.first().first().toByteArray(), QByteArray("t"));
}

TEST_F(PortalFixture, RefusalsAreReportedOnceAndALaterRegistrationTriesAgain)
{
    portal.createResponse = 2;
    ASSERT_TRUE(portal.start());
    backend.registerShortcut(QLatin1Char('P'));
    ASSERT_TRUE(waitForCount(failed, 1));
    EXPECT_TRUE(portal.bindings.isEmpty());
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log.first().contains(QStringLiteral("vorn show")));

    // The user cancels the confirmation: nothing is bound, the session is closed.
    portal.createResponse = 0;
    portal.bindResponse = 1;
    backend.registerShortcut(QLatin1Char('P'));
    ASSERT_TRUE(waitForCount(failed, 2));
    EXPECT_FALSE(backend.isBound());
    EXPECT_EQ(backend.lastError(), QStringLiteral("the shortcut was not confirmed"));
    ASSERT_TRUE(roundTrip());
    EXPECT_EQ(portal.closedSessions, QStringList{portal.session});

    // Choosing the letter again in the settings asks once more.
    portal.bindResponse = 0;
    backend.registerShortcut(QLatin1Char('P'));
    ASSERT_TRUE(waitForCount(bound, 1));
    EXPECT_EQ(portal.bindings.size(), 2);
    EXPECT_EQ(log.size(), 2);
}

TEST_F(PortalFixture, AConnectionThatCannotListenIsAFailureWithOneLine)
{
    ASSERT_TRUE(portal.start());
    // A connection that never reached a bus takes no match rule.
    PortalHotKeyBackend unconnected(QDBusConnection(QStringLiteral("vorn-never-connected")));
    QSignalSpy unconnectedFailed(&unconnected, &PortalHotKeyBackend::failed);
    QSignalSpy unconnectedBound(&unconnected, &PortalHotKeyBackend::bound);
    unconnected.registerShortcut(QLatin1Char('P'));
    ASSERT_TRUE(waitForCount(unconnectedFailed, 1));
    ASSERT_TRUE(roundTrip());
    EXPECT_EQ(log.size(), 1) << log.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(log.value(0).contains(QStringLiteral("vorn show")));
    EXPECT_EQ(unconnectedBound.count(), 0);
    EXPECT_FALSE(unconnected.isBound());
    EXPECT_TRUE(portal.calls.isEmpty());
}

TEST_F(PortalFixture, IsAvailableOnlyWithAShortcutsPortalOnTheBus)
{
    // The check blocks, so it runs beside the event loop that serves the fake portal.
    auto available = [] {
        auto result = std::async(std::launch::async, [] { return PortalHotKeyBackend::isAvailable(); });
        (void)QTest::qWaitFor([&] { return result.wait_for(std::chrono::seconds(0)) == std::future_status::ready; },
                              Wait);
        return result.get();
    };
    EXPECT_FALSE(available());
    ASSERT_TRUE(portal.start());
    EXPECT_TRUE(available());
}
