#pragma once

#include <QCoreApplication>
#include <QString>

// A lock file that marks one process as the owner of a resource (the library, the running
// app). Ownership is a kernel lock on the open file, so it ends with the process however the
// process ends: a file left behind by a crash, a kill or a power loss (empty, naming a dead
// process, or unreadable) is taken over. The file names the owner's process for people and
// is removed when the lock is released.
class ProcessLock {
    Q_DECLARE_TR_FUNCTIONS(ProcessLock)

public:
    enum class Status {
        Acquired,
        Held,        // a live process holds it; pid names it when known
        OtherUser,   // the file belongs to another user and cannot be taken over
        Failed       // the file cannot be created (no permission, not a file)
    };
    struct Result {
        Status status = Status::Failed;
        QString message;  // why it was not acquired, one line
        QString takeOver; // set when a stale lock was taken over, one line
        qint64 pid = 0;
        bool ok() const { return status == Status::Acquired; }
    };

    explicit ProcessLock(const QString &path) : m_path(path) {}
    ~ProcessLock();
    ProcessLock(const ProcessLock &) = delete;
    ProcessLock &operator=(const ProcessLock &) = delete;

    Result acquire();
    // Removes the file and drops the lock.
    void release();
    bool isLocked() const { return m_fd >= 0; }
    QString path() const { return m_path; }

    // True while a live process holds the lock at path; touches nothing.
    static bool isHeld(const QString &path);

private:
    QString m_path;
    int m_fd = -1;
};
