#include "CommandClient.h"
#include "CommandProtocol.h"
#include "CommandServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>

#include <gtest/gtest.h>

#include <future>
#include <sys/stat.h>

namespace {
// Runs a blocking client call on another thread while this thread serves it.
template <class F> auto whileServing(F call)
{
    auto future = std::async(std::launch::async, call);
    QElapsedTimer timer;
    timer.start();
    while (future.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return future.get();
}

CommandReply echo(const CommandRequest &request)
{
    CommandReply reply;
    reply.exitCode = request.args.size();
    reply.out = request.args.join(QLatin1Char(' ')).toUtf8() + " in " + request.workingDirectory.toUtf8();
    reply.err = request.input;
    return reply;
}
} // namespace

TEST(CommandProtocol, FramesRoundTripAndRefuseOversizedOnes)
{
    QByteArray buffer = CommandProtocol::frame("abc") + CommandProtocol::frame("");
    buffer.append(CommandProtocol::frame("xyz").left(5)); // incomplete third frame
    EXPECT_EQ(CommandProtocol::takeFrame(buffer), QByteArray("abc"));
    EXPECT_EQ(CommandProtocol::takeFrame(buffer), QByteArray(""));
    EXPECT_FALSE(CommandProtocol::takeFrame(buffer).has_value());

    QByteArray huge("\xff\xff\xff\xff", 4);
    bool tooLarge = false;
    EXPECT_FALSE(CommandProtocol::takeFrame(huge, &tooLarge).has_value());
    EXPECT_TRUE(tooLarge);

    CommandRequest request{{QStringLiteral("prompts"), QStringLiteral("list"), QStringLiteral("ünï")},
                           QStringLiteral("/tmp"), QByteArray("\x00\x01raw", 5), "tok"};
    const std::optional<CommandRequest> decoded = CommandRequest::decode(request.encode());
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->args, request.args);
    EXPECT_EQ(decoded->input, request.input);
    EXPECT_EQ(decoded->activationToken, request.activationToken);
    EXPECT_FALSE(CommandRequest::decode("{\"args\": [1]}").has_value());
}

TEST(CommandServer, CarriesARequestOutAndSendsTheReplyBack)
{
    EXPECT_FALSE(CommandClient::send({{QStringLiteral("show")}, {}, {}, {}}, 200).has_value());
    EXPECT_FALSE(CommandClient::isAppRunning());
    {
        CommandServer server(echo);
        ASSERT_TRUE(server.listen());
        // The socket folder is the user's alone.
        QFile::Permissions permissions = QFile::permissions(CommandProtocol::runtimeDir());
        EXPECT_FALSE(permissions & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));

        const std::optional<CommandReply> reply = whileServing([] {
            return CommandClient::send({{QStringLiteral("library"), QStringLiteral("import")}, QStringLiteral("/work"),
                                        QByteArray(200000, 'j'), {}});
        });
        ASSERT_TRUE(reply.has_value());
        EXPECT_EQ(reply->exitCode, 2);
        EXPECT_EQ(reply->out, QByteArray("library import in /work"));
        EXPECT_EQ(reply->err.size(), 200000);

        // A second app of the same user cannot take over while this one lives.
        CommandServer second(echo);
        EXPECT_FALSE(second.acquireInstance());
        EXPECT_TRUE(CommandClient::isAppRunning());
    }
    EXPECT_FALSE(CommandClient::isAppRunning());
}

TEST(CommandServer, TakesOverTheLockAndSocketOfACrashedApp)
{
    // What a killed app leaves: a lock naming a dead process and a socket file nobody serves.
    const QString lockPath = CommandProtocol::instanceLockPath();
    QFile lock(lockPath);
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write("999999\nvorn\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    QFile socketFile(CommandProtocol::socketPath());
    ASSERT_TRUE(socketFile.open(QIODevice::WriteOnly));
    socketFile.close();

    EXPECT_FALSE(CommandClient::isAppRunning());
    CommandServer server(echo);
    ASSERT_TRUE(server.listen());
    const std::optional<CommandReply> reply =
        whileServing([] { return CommandClient::send({{QStringLiteral("show")}, {}, {}, {}}); });
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->exitCode, 1);
}

TEST(CommandServer, DropsAConnectionThatAnnouncesAnOversizedRequest)
{
    CommandServer server(echo);
    ASSERT_TRUE(server.listen());
    const bool closed = whileServing([] {
        QLocalSocket socket;
        socket.connectToServer(CommandProtocol::socketPath());
        if (!socket.waitForConnected(2000))
            return false;
        socket.write(QByteArray("\x7f\xff\xff\xff", 4));
        socket.waitForBytesWritten(2000);
        socket.waitForDisconnected(5000);
        return socket.state() == QLocalSocket::UnconnectedState && socket.bytesAvailable() == 0;
    });
    EXPECT_TRUE(closed);
}
