#pragma once

#include "CommandServer.h"

#include <QString>

#include <memory>

// The desktop app: a tray-resident process with the floating panel.
namespace VornApp {
// Why no window can be shown here (no display at all, or one that cannot be reached), as
// one line; empty when the app can start.
QString displayProblem();
// Runs the app until "Quit VORN". server holds the instance lock already; it starts
// listening once the store is open. showPanel shows the panel right after start-up.
int exec(int &argc, char **argv, std::unique_ptr<CommandServer> server, bool showPanel);
} // namespace VornApp
