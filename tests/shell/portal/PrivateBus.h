#pragma once

#include <QString>

// A session bus of the test's own: a dbus-daemon started before main() (so that nothing in the
// process can reach the user's bus first), with no activatable services, stopped at exit.
// DBUS_SESSION_BUS_ADDRESS points at it for the whole run.
namespace PrivateBus {
// Its address; empty when the daemon could not be started (the variable then points nowhere).
QString address();
} // namespace PrivateBus
