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

#include <cstring>
#include <future>
#include <memory>
#include <vector>

#include <QTemporaryDir>

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

namespace {
// Runs the body with XDG_RUNTIME_DIR unset and the temporary folder moved to a fresh one, so
// the fallback /tmp/vorn-<uid> is tried there.
class FallbackRuntimeDir {
public:
    explicit FallbackRuntimeDir(const QString &tmp)
        : m_runtime(qgetenv("XDG_RUNTIME_DIR")), m_tmp(qgetenv("TMPDIR"))
    {
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", tmp.toLocal8Bit());
    }
    ~FallbackRuntimeDir()
    {
        qputenv("XDG_RUNTIME_DIR", m_runtime);
        if (m_tmp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", m_tmp);
    }

private:
    QByteArray m_runtime;
    QByteArray m_tmp;
};
} // namespace

// Another local user may plant anything at /tmp/vorn-<uid>: it is refused, never followed.
TEST(CommandProtocol, TheFallbackFolderMustBeTheUsersOwnPrivateFolder)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    FallbackRuntimeDir fallback(tmp.path());
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
    const std::optional<CommandReply> refused = CommandClient::send({{QStringLiteral("show")}, {}, {}, {}}, 200);
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
        // The impostor: listens as another user, reports how many bytes it got.
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        ::listen(listener, 4);
        const int peer = ::accept(listener, nullptr, nullptr);
        char buffer[4096];
        const ssize_t n = ::read(peer, buffer, sizeof(buffer));
        const char got = n > 0 ? 'y' : 'n';
        ::write(received[1], &got, 1);
        ::_exit(0);
    }
    ::close(received[1]);
    ::close(listener);
    QThread::msleep(100);
    const std::optional<CommandReply> reply =
        CommandClient::send({{QStringLiteral("library"), QStringLiteral("import")}, {}, QByteArray("secret"), {}}, 2000);
    char got = '?';
    ASSERT_EQ(::read(received[0], &got, 1), 1);
    ::close(received[0]);
    ::waitpid(child, nullptr, 0);
    QLocalServer::removeServer(path);
    EXPECT_EQ(got, 'n');
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->exitCode, 1);
    EXPECT_TRUE(reply->err.contains("is served by another user (uid 65534); nothing was sent")) << reply->err.toStdString();
}

// Idle, surplus and greedy connections are closed; the app still answers a proper request.
TEST(CommandServer, KeepsItsLimits)
{
    CommandServer server(echo);
    server.setLimits({4, 300, 1024 * 1024, 3 * 1024 * 1024});
    ASSERT_TRUE(server.listen());
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < 6; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        idle.back()->connectToServer(CommandProtocol::socketPath());
        ASSERT_TRUE(idle.back()->waitForConnected(2000));
    }
    QElapsedTimer timer;
    timer.start();
    while (server.connectionCount() < 4 && timer.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(server.connectionCount(), 4);
    // Idle ones go after their time without a byte.
    while (server.connectionCount() > 0 && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(server.connectionCount(), 0);
    idle.clear();

    // Partial frames: each under the request limit, together over the buffer budget.
    std::vector<std::unique_ptr<QLocalSocket>> greedy;
    for (int i = 0; i < 4; ++i) {
        greedy.push_back(std::make_unique<QLocalSocket>());
        greedy.back()->connectToServer(CommandProtocol::socketPath());
        ASSERT_TRUE(greedy.back()->waitForConnected(2000));
        greedy.back()->write(CommandProtocol::frame(QByteArray(1000 * 1000, 'x')).left(1000 * 1000 - 10));
    }
    timer.restart();
    while (timer.elapsed() < 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        for (auto &socket : greedy)
            socket->waitForBytesWritten(0);
    }
    EXPECT_LE(server.connectionCount(), 3);
    greedy.clear();

    const std::optional<CommandReply> reply =
        whileServing([] { return CommandClient::send({{QStringLiteral("a"), QStringLiteral("b")}, {}, {}, {}}); });
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(reply->exitCode, 2);
}

// A request its gate holds is answered once released, with what the handler says then; one
// the gate lets through meanwhile is answered at once, and a held peer that gave up is skipped.
TEST(CommandServer, AnswersAHeldRequestOnceReleasedAndOthersMeanwhile)
{
    int loaded = 0; // what the handler reports: the state when it runs
    CommandServer server([&loaded](const CommandRequest &request) {
        CommandReply reply;
        reply.out = request.args.value(0).toUtf8() + ' ' + QByteArray::number(loaded);
        return reply;
    });
    QList<std::function<void()>> held;
    server.setGate([&held](const CommandRequest &request, std::function<void()> answer) {
        if (request.args.value(0) == QLatin1String("show"))
            answer();
        else
            held.append(std::move(answer));
    });
    ASSERT_TRUE(server.listen());

    auto waiting = std::async(std::launch::async, [] {
        return CommandClient::send({{QStringLiteral("prompts")}, {}, {}, {}}, 10000);
    });
    const std::optional<CommandReply> shown =
        whileServing([] { return CommandClient::send({{QStringLiteral("show")}, {}, {}, {}}); });
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->out, QByteArray("show 0"));
    // The held one is still waiting.
    QElapsedTimer timer;
    timer.start();
    while (held.isEmpty() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(held.size(), 1);
    EXPECT_EQ(waiting.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);

    loaded = 3000;
    held.takeFirst()();
    const std::optional<CommandReply> answered = whileServing([&waiting] { return waiting.get(); });
    ASSERT_TRUE(answered.has_value());
    EXPECT_EQ(answered->out, QByteArray("prompts 3000"));

    // A peer gone before its answer leaves nothing to answer.
    whileServing([] {
        QLocalSocket socket;
        socket.connectToServer(CommandProtocol::socketPath());
        if (!socket.waitForConnected(2000))
            return false;
        const CommandRequest request{{QStringLiteral("prompts")}, {}, {}, {}};
        socket.write(CommandProtocol::frame(request.encode()));
        socket.waitForBytesWritten(2000);
        QThread::msleep(200);
        return true;
    });
    timer.restart();
    while (held.isEmpty() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_EQ(held.size(), 1);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    held.takeFirst()();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}
