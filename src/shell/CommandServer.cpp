#include "CommandServer.h"

#include "ProcessLock.h"

#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <cstdio>

#include <sys/socket.h>
#include <unistd.h>

namespace {
// The socket folder is private already; checking the peer also guards against a folder
// whose permissions were loosened by hand.
bool peerIsSameUser(QLocalSocket *socket)
{
    ucred credentials{};
    socklen_t length = sizeof(credentials);
    if (getsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
        return false;
    return credentials.uid == getuid();
}
} // namespace

CommandServer::CommandServer(Handler handler, QObject *parent)
    : QObject(parent), m_handler(std::move(handler))
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &CommandServer::onNewConnection);
}

CommandServer::~CommandServer()
{
    m_server.close();
}

bool CommandServer::acquireInstance(QString *error)
{
    if (m_lock && m_lock->isLocked())
        return true;
    QString problem;
    const QString dir = CommandProtocol::runtimeDir(&problem);
    if (dir.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    m_lock = std::make_unique<ProcessLock>(CommandProtocol::instanceLockPath());
    const ProcessLock::Result result = m_lock->acquire();
    if (!result.takeOver.isEmpty())
        std::fprintf(stderr, "vorn: %s\n", result.takeOver.toLocal8Bit().constData());
    if (error)
        *error = result.status == ProcessLock::Status::Held ? QStringLiteral("another VORN app is running")
                                                             : result.message;
    return result.ok();
}

bool CommandServer::listen(QString *error)
{
    if (!acquireInstance(error))
        return false;
    const QString path = CommandProtocol::socketPath();
    // Holding the lock means any socket file there was left by an app that died.
    QLocalServer::removeServer(path);
    if (!m_server.listen(path)) {
        if (error)
            *error = m_server.errorString();
        return false;
    }
    return true;
}

void CommandServer::onNewConnection()
{
    while (QLocalSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!peerIsSameUser(socket) || m_connections >= m_limits.connections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        ++m_connections;
        auto buffer = std::make_shared<QByteArray>();
        auto *idle = new QTimer(socket);
        idle->setSingleShot(true);
        idle->start(m_limits.idleMs);
        connect(idle, &QTimer::timeout, socket, &QLocalSocket::abort);
        // What the connection holds is counted until it goes, however it goes.
        connect(socket, &QObject::destroyed, this, [this, buffer] {
            --m_connections;
            m_buffered -= buffer->size();
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, buffer, idle] {
            const QByteArray bytes = socket->readAll();
            idle->start(m_limits.idleMs);
            bool tooLarge = buffer->size() + bytes.size() > m_limits.requestBytes + 4
                            || m_buffered + bytes.size() > m_limits.bufferedBytes;
            if (!tooLarge) {
                buffer->append(bytes);
                m_buffered += bytes.size();
            }
            const qint64 held = buffer->size();
            const std::optional<QByteArray> payload = tooLarge ? std::nullopt : CommandProtocol::takeFrame(*buffer, &tooLarge);
            m_buffered -= held - buffer->size();
            if (tooLarge || (!payload && buffer->size() >= 4 && CommandProtocol::announcedSize(*buffer) > m_limits.requestBytes)) {
                m_buffered -= buffer->size();
                buffer->clear();
                socket->abort();
                return;
            }
            if (payload) {
                idle->stop();
                disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
                serve(socket, *payload);
            }
        });
    }
}

void CommandServer::serve(QLocalSocket *socket, const QByteArray &payload)
{
    const std::optional<CommandRequest> request = CommandRequest::decode(payload);
    if (!request) {
        CommandReply reply;
        reply.exitCode = 2;
        reply.err = "vorn: the app could not read the request\n";
        answer(socket, reply);
        return;
    }
    if (!m_gate) {
        answer(socket, m_handler(*request));
        return;
    }
    // A peer that gives up while its request waits is not answered.
    m_gate(*request, [self = QPointer<CommandServer>(this), socket = QPointer<QLocalSocket>(socket), request = *request] {
        if (self && socket)
            self->answer(socket, self->m_handler(request));
    });
}

void CommandServer::answer(QLocalSocket *socket, const CommandReply &reply)
{
    socket->write(CommandProtocol::frame(reply.encode()));
    // Handed to the system at once, so a reply survives the app ending right after it.
    socket->flush();
    socket->disconnectFromServer();
}
