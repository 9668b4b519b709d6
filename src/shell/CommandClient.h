#pragma once

#include "CommandProtocol.h"

#include <optional>

// The command line's end of the per-user socket.
namespace CommandClient {
// Carries the request out in the running app and returns its reply; nothing when no app
// listens. A connection that breaks before the reply gives exit code 1 and a message.
std::optional<CommandReply> send(const CommandRequest &request, int connectTimeoutMs = 1000);
// True while a live app holds the instance lock (it may still be starting up).
bool isAppRunning();
} // namespace CommandClient
