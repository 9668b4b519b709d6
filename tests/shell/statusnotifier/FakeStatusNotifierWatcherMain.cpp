// The fake StatusNotifier watcher as a program of its own, for end-to-end tests: it serves
// org.kde.StatusNotifierWatcher on the session bus of its environment until it is ended and
// prints "ready" once it owns the name.
#include "FakeStatusNotifierWatcher.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    FakeStatusNotifierWatcher watcher(QDBusConnection::sessionBus());
    if (!watcher.start()) {
        QTextStream(stderr) << "fake watcher: cannot take org.kde.StatusNotifierWatcher\n";
        return 1;
    }
    QTextStream(stdout) << "ready" << Qt::endl;
    return app.exec();
}
