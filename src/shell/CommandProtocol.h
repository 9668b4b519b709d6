#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class QIODevice;

// What the command line and the running app say to each other over the per-user socket:
// one request, one reply, each a length-prefixed JSON object.
struct CommandRequest {
    QStringList args;          // the words after "vorn"
    QString workingDirectory;  // relative file names in args are relative to this
    QByteArray input;          // standard input, for commands that read it
    QByteArray activationToken; // lets the panel take the focus on Wayland

    QByteArray encode() const;
    static std::optional<CommandRequest> decode(const QByteArray &json);
};

struct CommandReply {
    int exitCode = 0;
    QByteArray out;
    QByteArray err;

    QByteArray encode() const;
    static std::optional<CommandReply> decode(const QByteArray &json);
};

namespace CommandProtocol {
// Largest frame either side accepts; bigger ones are refused unread.
constexpr quint32 MaxFrame = 64u * 1024 * 1024;

// $XDG_RUNTIME_DIR/vorn (or a private folder under /tmp), created with user-only access.
QString runtimeDir();
QString socketPath();
// Held by the running app for its whole life.
QString instanceLockPath();

QByteArray frame(const QByteArray &payload);
// Takes one whole frame off the front of buffer. Nothing while it is incomplete; sets
// tooLarge (and returns nothing) when the announced size is over MaxFrame.
std::optional<QByteArray> takeFrame(QByteArray &buffer, bool *tooLarge = nullptr);
} // namespace CommandProtocol
