#pragma once

#include "CommandProtocol.h"

#include <QLocalServer>
#include <QObject>

#include <functional>
#include <memory>

class ProcessLock;
class QLocalSocket;

// The running app's end of the per-user socket: it owns the instance lock, accepts one
// request per connection from the same user and answers it with the handler's reply.
class CommandServer : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<CommandReply(const CommandRequest &)>;

    explicit CommandServer(Handler handler, QObject *parent = nullptr);
    ~CommandServer() override;

    // Takes the instance lock; one left behind by a crashed app is taken over (with a line on
    // standard error). False while another live app holds it, or when the lock cannot be had
    // at all; then error says why.
    bool acquireInstance(QString *error = nullptr);
    // Listens on the socket, replacing a stale one. Needs the instance lock.
    bool listen(QString *error = nullptr);
    bool isListening() const { return m_server.isListening(); }

private:
    void onNewConnection();
    void serve(QLocalSocket *socket, const QByteArray &payload);

    Handler m_handler;
    std::unique_ptr<ProcessLock> m_lock;
    QLocalServer m_server;
};
