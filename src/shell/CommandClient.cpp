#include "CommandClient.h"

#include <QLocalSocket>
#include "ProcessLock.h"

namespace {
CommandReply brokenReply()
{
    CommandReply reply;
    reply.exitCode = 1;
    reply.err = "vorn: the running app did not answer\n";
    return reply;
}
} // namespace

namespace CommandClient {
std::optional<CommandReply> send(const CommandRequest &request, int connectTimeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(CommandProtocol::socketPath());
    if (!socket.waitForConnected(connectTimeoutMs))
        return std::nullopt;
    socket.write(CommandProtocol::frame(request.encode()));
    if (!socket.waitForBytesWritten(30000))
        return brokenReply();
    QByteArray buffer;
    // Library commands can take a while (a full synchronisation); wait as long as the app
    // keeps the connection open.
    while (true) {
        buffer.append(socket.readAll());
        bool tooLarge = false;
        if (std::optional<QByteArray> payload = CommandProtocol::takeFrame(buffer, &tooLarge)) {
            if (std::optional<CommandReply> reply = CommandReply::decode(*payload))
                return reply;
            return brokenReply();
        }
        if (tooLarge || socket.state() != QLocalSocket::ConnectedState)
            return brokenReply();
        socket.waitForReadyRead(-1);
    }
}

bool isAppRunning()
{
    return ProcessLock::isHeld(CommandProtocol::instanceLockPath());
}
} // namespace CommandClient
