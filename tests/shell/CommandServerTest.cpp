#include "CommandClient.h"
#include "CommandProtocol.h"
#include "CommandServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <cstring>
#include <future>
#include <memory>
#include <vector>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// Runs a blocking client call on another thread while this thread serves it.
template <class F> auto whileServing(F call)
{
    auto future = std::async(std::launch::async, call);
    (void)QTest::qWaitFor([&] { return future.wait_for(std::chrono::milliseconds(0)) == std::future_status::ready; },
                          10000);
    return future.get();
}

CommandRequest request(const QStringList &args, const QByteArray &input = {})
{
    return {args, {}, input, {}};
}

std::unique_ptr<QLocalSocket> connected()
{
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(CommandProtocol::socketPath());
    return socket->waitForConnected(2000) ? std::move(socket) : nullptr;
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

    CommandRequest sent{{QStringLiteral("prompts"), QStringLiteral("list"), QStringLiteral("ünï")},
                        QStringLiteral("/tmp"), QByteArray("\x00\x01raw", 5), "tok"};
    const std::optional<CommandRequest> decoded = CommandRequest::decode(sent.encode());
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->args, sent.args);
    EXPECT_EQ(decoded->input, sent.input);
    EXPECT_EQ(decoded->activationToken, sent.activationToken);
    EXPECT_FALSE(CommandRequest::decode("{\"args\": [1]}").has_value());
}

// What a killed app leaves, a lock naming a dead process and a socket file nobody serves, is
// taken over; the server then carries requests out and the replies back.
TEST(CommandServer, TakesOverACrashedAppAndCarriesARequestOutAndTheReplyBack)
{
    EXPECT_FALSE(CommandClient::send(request({QStringLiteral("show")}), 200).has_value());
    QFile lock(CommandProtocol::instanceLockPath());
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    lock.write("999999\nvorn\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    QFile socketFile(CommandProtocol::socketPath());
    ASSERT_TRUE(socketFile.open(QIODevice::WriteOnly));
    socketFile.close();
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

// Another local user may plant anything at /tmp/vorn-<uid>: it is refused, never followed.
TEST(CommandProtocol, TheFallbackFolderMustBeTheUsersOwnPrivateFolder)
{
    // Without XDG_RUNTIME_DIR, the fallback is tried in a temporary folder of this case's own.
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray tmpdir = qgetenv("TMPDIR");
    const auto restore = qScopeGuard([&] {
        qputenv("XDG_RUNTIME_DIR", runtime);
        tmpdir.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmpdir);
    });
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", tmp.path().toLocal8Bit());
    const QString dir = tmp.path() + QStringLiteral("/vorn-%1").arg(::getuid());

    QString error;
    EXPECT_EQ(CommandProtocol::runtimeDir(&error), dir) << error.toStdString();
    struct stat info {};
    ASSERT_EQ(::lstat(dir.toLocal8Bit().constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0700u);
    ASSERT_TRUE(QDir(dir).removeRecursively());

    // A link to one of the user's own folders: refused, and that folder's mode is not touched.
    const QString own = tmp.path() + QStringLiteral("/own");
    ASSERT_TRUE(QDir().mkpath(own));
    ::chmod(own.toLocal8Bit().constData(), 0755);
    ASSERT_TRUE(QFile::link(own, dir));
    EXPECT_TRUE(CommandProtocol::runtimeDir(&error).isEmpty());
    EXPECT_TRUE(error.contains("is not a folder")) << error.toStdString();
    EXPECT_TRUE(CommandProtocol::socketPath().isEmpty());
    ASSERT_EQ(::stat(own.toLocal8Bit().constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0755u);
    const std::optional<CommandReply> refused = CommandClient::send(request({QStringLiteral("show")}), 200);
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->exitCode, 1);
    EXPECT_TRUE(refused->err.contains("is not a folder"));
    QFile::remove(dir);

    // A real folder others can reach.
    ASSERT_EQ(::mkdir(dir.toLocal8Bit().constData(), 0777), 0);
    ::chmod(dir.toLocal8Bit().constData(), 0777);
    EXPECT_TRUE(CommandProtocol::runtimeDir(&error).isEmpty());
    EXPECT_TRUE(error.contains("can be reached by other users (mode 0777)")) << error.toStdString();
    CommandServer server(echo);
    EXPECT_FALSE(server.listen(&error));
    EXPECT_TRUE(error.contains("can be reached by other users")) << error.toStdString();

    // A folder of another user, even with the right mode.
    if (::getuid() == 0) {
        ::chmod(dir.toLocal8Bit().constData(), 0700);
        ASSERT_EQ(::chown(dir.toLocal8Bit().constData(), 65534, 65534), 0);
        EXPECT_TRUE(CommandProtocol::runtimeDir(&error).isEmpty());
        EXPECT_TRUE(error.contains("belongs to another user (uid 65534)")) << error.toStdString();
    }
}

// The client sends nothing to a socket another user serves.
TEST(CommandClient, ChecksWhoServesTheSocketBeforeSending)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "needs root to serve as another user";
    const QString path = CommandProtocol::socketPath();
    QLocalServer::removeServer(path);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.toLocal8Bit().constData(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
    int received[2];
    ASSERT_EQ(::pipe(received), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        // The impostor: listens as another user, reports whether it got any bytes.
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        ::listen(listener, 4);
        const int peer = ::accept(listener, nullptr, nullptr);
        char buffer[4096];
        const char got = ::read(peer, buffer, sizeof(buffer)) > 0 ? 'y' : 'n';
        ::write(received[1], &got, 1);
        ::_exit(0);
    }
    ::close(received[1]);
    ::close(listener);
    QThread::msleep(100);
    const std::optional<CommandReply> reply =
        CommandClient::send(request({QStringLiteral("library"), QStringLiteral("import")}, "secret"), 2000);
    char got = '?';
    ASSERT_EQ(::read(received[0], &got, 1), 1);
    ::close(received[0]);
    ::waitpid(child, nullptr, 0);
    QLocalServer::removeServer(path);
    EXPECT_EQ(got, 'n');
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->exitCode, 1);
    EXPECT_TRUE(reply->err.contains("is served by another user (uid 65534); nothing was sent"))
        << reply->err.toStdString();
}

// Idle, surplus, greedy and oversized connections are closed; the app still answers a proper
// request.
TEST(CommandServer, KeepsItsLimits)
{
    CommandServer server(echo);
    server.setLimits({4, 300, 1024 * 1024, 3 * 1024 * 1024});
    ASSERT_TRUE(server.listen());
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < 6; ++i) {
        idle.push_back(connected());
        ASSERT_TRUE(idle.back());
    }
    (void)QTest::qWaitFor([&] { return server.connectionCount() >= 4; }, 2000);
    EXPECT_EQ(server.connectionCount(), 4);
    // Idle ones go after their time without a byte.
    (void)QTest::qWaitFor([&] { return server.connectionCount() == 0; }, 3000);
    EXPECT_EQ(server.connectionCount(), 0);
    idle.clear();

    // Partial frames: each under the request limit, together over the buffer budget.
    std::vector<std::unique_ptr<QLocalSocket>> greedy;
    for (int i = 0; i < 4; ++i) {
        greedy.push_back(connected());
        ASSERT_TRUE(greedy.back());
        greedy.back()->write(CommandProtocol::frame(QByteArray(1000 * 1000, 'x')).left(1000 * 1000 - 10));
    }
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        for (auto &socket : greedy)
            socket->waitForBytesWritten(0);
    }
    EXPECT_LE(server.connectionCount(), 3);
    greedy.clear();

    // A frame announcing more than a request may hold: dropped without an answer.
    const bool closed = whileServing([] {
        std::unique_ptr<QLocalSocket> socket = connected();
        if (!socket)
            return false;
        socket->write(QByteArray("\x7f\xff\xff\xff", 4));
        socket->waitForBytesWritten(2000);
        socket->waitForDisconnected(5000);
        return socket->state() == QLocalSocket::UnconnectedState && socket->bytesAvailable() == 0;
    });
    EXPECT_TRUE(closed);

    const std::optional<CommandReply> reply =
        whileServing([] { return CommandClient::send(request({QStringLiteral("a"), QStringLiteral("b")})); });
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->exitCode, 2);
}

// A request its gate holds is answered once released, with what the handler says then; one
// the gate lets through meanwhile is answered at once, and a held peer that gave up is skipped.
TEST(CommandServer, AnswersAHeldRequestOnceReleasedAndOthersMeanwhile)
{
    int loaded = 0; // what the handler reports: the state when it runs
    CommandServer server([&loaded](const CommandRequest &asked) {
        CommandReply reply;
        reply.out = asked.args.value(0).toUtf8() + ' ' + QByteArray::number(loaded);
        return reply;
    });
    QList<std::function<void()>> held;
    server.setGate([&held](const CommandRequest &asked, std::function<void()> answer) {
        if (asked.args.value(0) == QLatin1String("show"))
            answer();
        else
            held.append(std::move(answer));
    });
    ASSERT_TRUE(server.listen());

    auto waiting = std::async(std::launch::async,
                              [] { return CommandClient::send(request({QStringLiteral("prompts")}), 10000); });
    const std::optional<CommandReply> shown =
        whileServing([] { return CommandClient::send(request({QStringLiteral("show")})); });
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->out, QByteArray("show 0"));
    // The held one is still waiting.
    (void)QTest::qWaitFor([&] { return !held.isEmpty(); }, 5000);
    ASSERT_EQ(held.size(), 1);
    EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);

    loaded = 3000;
    held.takeFirst()();
    const std::optional<CommandReply> answered = whileServing([&waiting] { return waiting.get(); });
    ASSERT_TRUE(answered.has_value());
    EXPECT_EQ(answered->out, QByteArray("prompts 3000"));

    // A peer gone before its answer leaves nothing to answer.
    whileServing([] {
        std::unique_ptr<QLocalSocket> socket = connected();
        if (!socket)
            return false;
        socket->write(CommandProtocol::frame(request({QStringLiteral("prompts")}).encode()));
        socket->waitForBytesWritten(2000);
        QThread::msleep(200);
        return true;
    });
    (void)QTest::qWaitFor([&] { return !held.isEmpty(); }, 5000);
    ASSERT_EQ(held.size(), 1);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    held.takeFirst()();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}
