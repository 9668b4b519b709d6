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
// Largest standard input a command passes on (the importer's own limit); its request frame
// stays under the app's limit.
constexpr qint64 MaxInput = 20 * 1024 * 1024;

// $XDG_RUNTIME_DIR/vorn (or /tmp/vorn-<uid>), created with user-only access. A folder that is
// not a real directory of this user with mode 0700 (a link or folder planted by someone
// else) is refused, never followed or changed: then it is empty and error says why.
QString runtimeDir(QString *error = nullptr);
// Inside runtimeDir(); empty when that is refused.
QString socketPath();
// Held by the running app for its whole life; empty when runtimeDir() is refused.
QString instanceLockPath();

QByteArray frame(const QByteArray &payload);
// The size the frame at the front of buffer announces (buffer holds 4 bytes at least).
quint32 announcedSize(const QByteArray &buffer);
// Takes one whole frame off the front of buffer. Nothing while it is incomplete; sets
// tooLarge (and returns nothing) when the announced size is over MaxFrame.
std::optional<QByteArray> takeFrame(QByteArray &buffer, bool *tooLarge = nullptr);
} // namespace CommandProtocol
