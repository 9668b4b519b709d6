#include "ProcessLock.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString userName(uid_t uid)
{
    if (const passwd *entry = ::getpwuid(uid))
        return QString::fromLocal8Bit(entry->pw_name);
    return QStringLiteral("uid %1").arg(uid);
}

// The owner's pid from the first line of the file; 0 when the file is empty, -1 when it
// holds something else.
qint64 pidIn(int fd)
{
    char text[256] = {};
    const ssize_t n = ::pread(fd, text, sizeof(text) - 1, 0);
    if (n <= 0)
        return 0;
    bool ok = false;
    const qint64 pid = QByteArray(text, int(n)).split('\n').value(0).trimmed().toLongLong(&ok);
    return ok && pid > 0 ? pid : -1;
}

QString quoted(const QString &path)
{
    return QLatin1Char('\'') + path + QLatin1Char('\'');
}
} // namespace

ProcessLock::~ProcessLock()
{
    release();
}

ProcessLock::Result ProcessLock::acquire()
{
    if (m_fd >= 0)
        return {Status::Acquired, {}, {}, ::getpid()};
    const QByteArray file = m_path.toLocal8Bit();
    Result result;
    // A few rounds: a stale file is taken over, and a file another process unlinked between
    // our open and our lock is tried again.
    for (int round = 0; round < 8; ++round) {
        struct stat before {};
        const bool existed = ::lstat(file.constData(), &before) == 0;
        if (existed && !S_ISREG(before.st_mode)) {
            result.status = Status::Failed;
            result.message = tr("The lock file %1 is not a regular file; remove it: rm %2")
                                 .arg(m_path, quoted(m_path));
            return result;
        }
        if (existed && before.st_uid != ::getuid()) {
            // Left by another user (often "sudo vorn"): free when no process of theirs holds it.
            const int other = ::open(file.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
            if (other >= 0 && ::flock(other, LOCK_EX | LOCK_NB) == 0) {
                const bool removed = ::unlink(file.constData()) == 0;
                ::close(other);
                if (removed) {
                    result.takeOver = QStringLiteral("Took over the lock file %1 left by user %2 (no process of theirs holds it).") // untranslated: logged
                                          .arg(m_path, userName(before.st_uid));
                    continue;
                }
            }
            const qint64 pid = other >= 0 ? std::max<qint64>(0, pidIn(other)) : 0;
            if (other >= 0)
                ::close(other);
            result.status = Status::OtherUser;
            result.pid = pid;
            //: %3 is empty or " (process 1234)".
            result.message = tr("The lock file %1 belongs to user %2%3. Quit VORN running as %2, "
                                "or if none runs, remove the file: rm %4")
                                 .arg(m_path, userName(before.st_uid),
                                      pid > 0 ? tr(" (process %1)").arg(pid) : QString(), quoted(m_path));
            return result;
        }

        const int fd = ::open(file.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            const int error = errno;
            // Our own file that we may not open: nobody can hold it through us; replace it.
            if (existed && error == EACCES && ::unlink(file.constData()) == 0) {
                result.takeOver = QStringLiteral("Took over the unreadable lock file %1.").arg(m_path); // untranslated: logged
                continue;
            }
            result.status = Status::Failed;
            result.message = tr("Cannot create the lock file %1: %2").arg(m_path, systemError(error));
            return result;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            result.pid = std::max<qint64>(0, pidIn(fd));
            ::close(fd);
            result.status = error == EWOULDBLOCK ? Status::Held : Status::Failed;
            result.message = error == EWOULDBLOCK ? QString() : tr("Cannot lock %1: %2").arg(m_path, systemError(error));
            return result;
        }
        // The holder before us removes the file as it lets go: make sure we hold the file
        // that is still there.
        struct stat locked {}, now {};
        if (::fstat(fd, &locked) != 0 || ::lstat(file.constData(), &now) != 0 || locked.st_ino != now.st_ino
            || locked.st_dev != now.st_dev) {
            ::close(fd);
            continue;
        }
        if (existed && result.takeOver.isEmpty()) {
            const qint64 pid = pidIn(fd);
            result.takeOver = pid > 0 ? QStringLiteral("Took over the stale lock file %1 (process %2 is gone).").arg(m_path).arg(pid) // untranslated: logged
                : pid == 0      ? QStringLiteral("Took over the empty lock file %1 (left by an interrupted start).").arg(m_path) // untranslated: logged
                                : QStringLiteral("Took over the unreadable lock file %1.").arg(m_path); // untranslated: logged
        }
        const QByteArray owner = QByteArray::number(qint64(::getpid())) + '\n'
                                 + QCoreApplication::applicationName().toUtf8() + '\n';
        if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, owner.constData(), size_t(owner.size()), 0) != owner.size()) {
            // The lock holds without its text; only the note for people is missing.
        }
        m_fd = fd;
        result.status = Status::Acquired;
        result.pid = ::getpid();
        result.message.clear();
        return result;
    }
    result.status = Status::Failed;
    result.message = tr("Cannot take the lock file %1: it keeps changing").arg(m_path);
    return result;
}

void ProcessLock::release()
{
    if (m_fd < 0)
        return;
    // Unlinked while still locked, so nobody can take the name over in between.
    ::unlink(m_path.toLocal8Bit().constData());
    ::close(m_fd);
    m_fd = -1;
}

bool ProcessLock::isHeld(const QString &path)
{
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return held;
}
