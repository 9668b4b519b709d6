// The fake GlobalShortcuts portal as a program of its own, for end-to-end tests: it serves
// org.freedesktop.portal.Desktop on the session bus of its environment until it is ended, and
// is remote-controlled with dbus-send:
//   dbus-send --session --dest=org.freedesktop.portal.Desktop --print-reply
//       /org/freedesktop/portal/desktop org.vorn.test.FakePortal.Activate string:TOKEN
// Options: --remember ID (a binding kept from an earlier run). Prints "ready" once it owns the
// portal's name.
#include "FakePortal.h"

#include <QCoreApplication>
#include <QTextStream>


int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QByteArray address = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    if (address.isEmpty()) {
        QTextStream(stderr) << "fake portal: DBUS_SESSION_BUS_ADDRESS is not set\n";
        return 2;
    }
    FakePortal portal(QString::fromUtf8(address));
    portal.acceptsControl = true;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--remember"))
            portal.remembered.append(args.at(++i));
    }
    if (!portal.start()) {
        QTextStream(stderr) << "fake portal: cannot take org.freedesktop.portal.Desktop\n";
        return 1;
    }
    QTextStream(stdout) << "ready" << Qt::endl;
    return app.exec();
}
