#include "CommandClient.h"

#include "ProcessLock.h"

#include <QLocalSocket>

#include <sys/socket.h>
#include <unistd.h>

namespace {
CommandReply failedReply(const QByteArray &message)
{
    CommandReply reply;
    reply.exitCode = 1;
    reply.err = message;
    return reply;
}

CommandReply brokenReply()
{
    return failedReply("vorn: the running app did not answer\n");
}
} // namespace

namespace CommandClient {
std::optional<CommandReply> send(const CommandRequest &request, int connectTimeoutMs)
{
    QString problem;
    if (CommandProtocol::runtimeDir(&problem).isEmpty())
        return failedReply("vorn: " + problem.toLocal8Bit() + '\n');
    QLocalSocket socket;
    socket.connectToServer(CommandProtocol::socketPath());
    if (!socket.waitForConnected(connectTimeoutMs))
        return std::nullopt;
    // Nothing (an import's text, say) goes to a socket another user listens on.
    ucred peer{};
    socklen_t length = sizeof(peer);
    if (::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &length) != 0
        || peer.uid != ::getuid()) {
        socket.abort();
        return failedReply(QStringLiteral("vorn: the socket %1 is served by another user (uid %2); nothing was sent.\n")
                               .arg(CommandProtocol::socketPath())
                               .arg(peer.uid)
                               .toLocal8Bit());
    }
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
    const QString path = CommandProtocol::instanceLockPath();
    return !path.isEmpty() && ProcessLock::isHeld(path);
}
} // namespace CommandClient
