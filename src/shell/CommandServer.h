#pragma once

#include "CommandProtocol.h"

#include <QLocalServer>
#include <QObject>

#include <functional>
#include <memory>

class QLockFile;
class QLocalSocket;

// The running app's end of the per-user socket: it owns the instance lock, accepts one
// request per connection from the same user and answers it with the handler's reply.
class CommandServer : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<CommandReply(const CommandRequest &)>;

    explicit CommandServer(Handler handler, QObject *parent = nullptr);
    ~CommandServer() override;

    // Takes the instance lock; one left behind by a crashed app is taken over. False while
    // another live app holds it.
    bool acquireInstance();
    // Listens on the socket, replacing a stale one. Needs the instance lock.
    bool listen(QString *error = nullptr);
    bool isListening() const { return m_server.isListening(); }

private:
    void onNewConnection();
    void serve(QLocalSocket *socket, const QByteArray &payload);

    Handler m_handler;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer m_server;
};
