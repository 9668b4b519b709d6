#include "CommandProtocol.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::optional<QJsonObject> objectOf(const QByteArray &json)
{
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    return document.object();
}
} // namespace

QByteArray CommandRequest::encode() const
{
    QJsonObject object{{QStringLiteral("args"), QJsonArray::fromStringList(args)},
                       {QStringLiteral("cwd"), workingDirectory},
                       {QStringLiteral("stdin"), QString::fromLatin1(input.toBase64())},
                       {QStringLiteral("activationToken"), QString::fromUtf8(activationToken)}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<CommandRequest> CommandRequest::decode(const QByteArray &json)
{
    const std::optional<QJsonObject> object = objectOf(json);
    if (!object || !object->value(QStringLiteral("args")).isArray())
        return std::nullopt;
    CommandRequest request;
    for (const QJsonValue &value : object->value(QStringLiteral("args")).toArray()) {
        if (!value.isString())
            return std::nullopt;
        request.args.append(value.toString());
    }
    request.workingDirectory = object->value(QStringLiteral("cwd")).toString();
    request.input = QByteArray::fromBase64(object->value(QStringLiteral("stdin")).toString().toLatin1());
    request.activationToken = object->value(QStringLiteral("activationToken")).toString().toUtf8();
    return request;
}

QByteArray CommandReply::encode() const
{
    QJsonObject object{{QStringLiteral("code"), exitCode},
                       {QStringLiteral("out"), QString::fromUtf8(out)},
                       {QStringLiteral("err"), QString::fromUtf8(err)}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<CommandReply> CommandReply::decode(const QByteArray &json)
{
    const std::optional<QJsonObject> object = objectOf(json);
    if (!object || !object->value(QStringLiteral("code")).isDouble())
        return std::nullopt;
    CommandReply reply;
    reply.exitCode = object->value(QStringLiteral("code")).toInt();
    reply.out = object->value(QStringLiteral("out")).toString().toUtf8();
    reply.err = object->value(QStringLiteral("err")).toString().toUtf8();
    return reply;
}

namespace CommandProtocol {
QString runtimeDir(QString *error)
{
    const QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString dir = base.isEmpty() ? QDir::tempPath() + QStringLiteral("/vorn-%1").arg(::getuid())
                                       : base + QStringLiteral("/vorn");
    const QByteArray native = dir.toLocal8Bit();
    auto refuse = [error, &dir](const QString &why) {
        if (error)
            *error = QStringLiteral("The folder %1 %2").arg(dir, why);
        return QString();
    };
    // Only the user may reach the socket; other users must not drive the app or read replies.
    if (::mkdir(native.constData(), 0700) == 0) {
        // Ours, just made: the umask may have taken more than group and others away.
        const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd >= 0) {
            ::fchmod(fd, 0700);
            ::close(fd);
        }
    } else if (errno != EEXIST) {
        return refuse(QStringLiteral("cannot be created: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    }
    struct stat info {};
    if (::lstat(native.constData(), &info) != 0)
        return refuse(QStringLiteral("cannot be read: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    const QString fix = QStringLiteral("; remove it (rm -r '%1') or set XDG_RUNTIME_DIR.").arg(dir);
    if (!S_ISDIR(info.st_mode))
        return refuse(QStringLiteral("is not a folder (a link or file put there by someone else?)") + fix);
    if (info.st_uid != ::getuid())
        return refuse(QStringLiteral("belongs to another user (uid %1)").arg(info.st_uid) + fix);
    if ((info.st_mode & 07777) != 0700)
        return refuse(QStringLiteral("can be reached by other users (mode %1)").arg(info.st_mode & 07777, 4, 8, QLatin1Char('0'))
                      + fix);
    return dir;
}

QString socketPath()
{
    const QString dir = runtimeDir();
    return dir.isEmpty() ? QString() : dir + QStringLiteral("/app.socket");
}

QString instanceLockPath()
{
    const QString dir = runtimeDir();
    return dir.isEmpty() ? QString() : dir + QStringLiteral("/app.lock");
}

QByteArray frame(const QByteArray &payload)
{
    QByteArray out(4, Qt::Uninitialized);
    qToBigEndian<quint32>(quint32(payload.size()), out.data());
    return out + payload;
}

quint32 announcedSize(const QByteArray &buffer)
{
    return qFromBigEndian<quint32>(buffer.constData());
}

std::optional<QByteArray> takeFrame(QByteArray &buffer, bool *tooLarge)
{
    if (tooLarge)
        *tooLarge = false;
    if (buffer.size() < 4)
        return std::nullopt;
    const quint32 size = qFromBigEndian<quint32>(buffer.constData());
    if (size > MaxFrame) {
        if (tooLarge)
            *tooLarge = true;
        return std::nullopt;
    }
    if (quint64(buffer.size()) < 4 + quint64(size))
        return std::nullopt;
    QByteArray payload = buffer.mid(4, qsizetype(size));
    buffer.remove(0, 4 + qsizetype(size));
    return payload;
}
} // namespace CommandProtocol
