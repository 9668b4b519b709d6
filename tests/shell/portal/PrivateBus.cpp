#include "PrivateBus.h"

#include <QByteArray>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// No <servicedir>: a name nobody owns stays unowned instead of starting a real portal.
const char Config[] =
    R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:tmpdir=/tmp</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

pid_t daemonPid = -1;

void stopDaemon()
{
    if (daemonPid > 0) {
        kill(daemonPid, SIGTERM);
        waitpid(daemonPid, nullptr, 0);
        daemonPid = -1;
    }
}

QByteArray startDaemon()
{
    char configPath[] = "/tmp/vorn-test-bus-XXXXXX";
    const int configFd = mkstemp(configPath);
    if (configFd < 0)
        return {};
    const bool written = write(configFd, Config, sizeof(Config) - 1) == ssize_t(sizeof(Config) - 1);
    close(configFd);
    int out[2];
    if (!written || pipe(out) != 0) {
        unlink(configPath);
        return {};
    }
    const QByteArray configArg = QByteArray("--config-file=") + configPath;
    const pid_t pid = fork();
    if (pid == 0) {
        // The daemon dies with the test, even when the test crashes.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        dup2(out[1], STDOUT_FILENO);
        // Its complaints about resource limits would only clutter the test output.
        if (const int devNull = open("/dev/null", O_WRONLY); devNull >= 0)
            dup2(devNull, STDERR_FILENO);
        close(out[0]);
        close(out[1]);
        execlp("dbus-daemon", "dbus-daemon", configArg.constData(), "--print-address=1", "--nofork",
               static_cast<char *>(nullptr));
        _exit(127);
    }
    close(out[1]);
    QByteArray address;
    if (pid > 0) {
        daemonPid = pid;
        std::atexit(stopDaemon);
        pollfd readable{out[0], POLLIN, 0};
        char buffer[512];
        while (!address.endsWith('\n') && poll(&readable, 1, 5000) > 0) {
            const ssize_t count = read(out[0], buffer, sizeof(buffer));
            if (count <= 0)
                break;
            address.append(buffer, count);
        }
    }
    close(out[0]);
    unlink(configPath);
    return address.endsWith('\n') ? address.trimmed() : QByteArray();
}

const QByteArray busAddress = [] {
    const QByteArray address = startDaemon();
    setenv("DBUS_SESSION_BUS_ADDRESS",
           address.isEmpty() ? "unix:path=/nonexistent/vorn-test-bus" : address.constData(), 1);
    return address;
}();
} // namespace

namespace PrivateBus {
QString address()
{
    return QString::fromUtf8(busAddress);
}
} // namespace PrivateBus
