#pragma once

#include "CommandProtocol.h"

#include <QLocalServer>
#include <QObject>

#include <functional>
#include <memory>

class ProcessLock;
class QLocalSocket;

// The running app's end of the per-user socket: it owns the instance lock, accepts one
// request per connection from the same user and answers it with the handler's reply. It
// keeps its limits whatever the peers do: so many connections at once, so long without a
// byte, so much buffered per connection and in all.
class CommandServer : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<CommandReply(const CommandRequest &)>;
    // Decides when a request is answered: it runs answer now, or later once what the request
    // needs is there. Requests held this way keep their connection and are answered in the
    // order the gate runs them.
    using Gate = std::function<void(const CommandRequest &, std::function<void()> answer)>;

    struct Limits {
        int connections = 32;                     // open at once; more are closed at once
        int idleMs = 10000;                       // without a byte from the peer
        qint64 requestBytes = 28 * 1024 * 1024;   // one request frame (20 MiB of input, in base64)
        qint64 bufferedBytes = 64 * 1024 * 1024;  // all unfinished requests together
    };

    explicit CommandServer(Handler handler, QObject *parent = nullptr);
    ~CommandServer() override;

    // Takes the instance lock; one left behind by a crashed app is taken over (with a line on
    // standard error). False while another live app holds it, or when the lock cannot be had
    // at all; then error says why.
    bool acquireInstance(QString *error = nullptr);
    // Listens on the socket, replacing a stale one. Needs the instance lock.
    bool listen(QString *error = nullptr);
    bool isListening() const { return m_server.isListening(); }
    void setLimits(const Limits &limits) { m_limits = limits; }
    // Without a gate every request is answered at once.
    void setGate(Gate gate) { m_gate = std::move(gate); }
    int connectionCount() const { return m_connections; }

private:
    void onNewConnection();
    void serve(QLocalSocket *socket, const QByteArray &payload);

    void answer(QLocalSocket *socket, const CommandReply &reply);

    Handler m_handler;
    Gate m_gate;
    Limits m_limits;
    int m_connections = 0;
    qint64 m_buffered = 0;
    std::unique_ptr<ProcessLock> m_lock;
    QLocalServer m_server;
};
