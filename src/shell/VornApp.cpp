#include "VornApp.h"

#include "AppDelegate.h"
#include "Diagnostics.h"
#include "RendererChoice.h"
#include "ShellTrace.h"
#include "TerminationSignals.h"
#include "UiLanguage.h"
#include "WindowManager.h"

#include <QApplication>
#include <QIcon>
#include <QQuickStyle>

#include <xcb/xcb.h>

#include <cstdio>

namespace {
const char *const HeadlessCommands =
    "Headless commands: vorn library ..., vorn prompts ..., vorn template ...; see vorn --help";
}

namespace VornApp {
QString displayProblem()
{
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    // An explicit platform (offscreen, a Wayland or X11 choice) is the user's call.
    if (!platform.isEmpty() && !platform.startsWith(QLatin1String("xcb")))
        return {};
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty() && (!wayland || platform.startsWith(QLatin1String("xcb"))))
        return QStringLiteral("No display found (DISPLAY and WAYLAND_DISPLAY are unset). ") + QLatin1String(HeadlessCommands);
    if (wayland && !platform.startsWith(QLatin1String("xcb")))
        return {};
    // Qt aborts with a long message when the X server is unreachable; say it in one line.
    int screen = 0;
    xcb_connection_t *connection = xcb_connect(display.constData(), &screen);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed)
        return QStringLiteral("Cannot open the display %1. ").arg(QString::fromLocal8Bit(display))
               + QLatin1String(HeadlessCommands);
    return {};
}

int exec(int &argc, char **argv, std::unique_ptr<CommandServer> server, bool showPanel)
{
    ShellTrace::mark("process start");
    RendererChoice::apply();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vorn"));
    QApplication::setApplicationDisplayName(QStringLiteral("VORN"));
    QApplication::setApplicationVersion(QStringLiteral(VORN_VERSION));
    QApplication::setOrganizationName(QStringLiteral("vorn"));
    // The application id names the desktop file (the Wayland app id) and the theme icon, so
    // that docks and switchers show VORN's name and icon. The built-in picture serves until
    // the theme's icon is looked up once the tray icon shows (the look-up walks every folder of
    // the icon theme, several milliseconds of the start).
    QGuiApplication::setDesktopFileName(QStringLiteral(VORN_APP_ID));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/hicolor/scalable/apps/" VORN_APP_ID ".svg")));
    // The app lives in the tray: closing its last window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    // The texts of every view and menu come from the user's language, so it is chosen first.
    const UiLanguage language;
    qCDebug(lcShell).noquote() << "user interface language:" << language.name();

    // A logout or a kill ends the app as "Quit VORN" does, with everything saved.
    TerminationSignals terminations;
    QObject::connect(&terminations, &TerminationSignals::received, &app, &QCoreApplication::quit);
    // Listening comes first: requests wait in the socket until the event loop runs, and the
    // loop runs as soon as the tray icon is up (the rest of the start-up follows in idle time).
    QString error;
    if (!server->listen(&error))
        qCWarning(lcShell).noquote() << "VORN: other vorn commands cannot reach this app:" << error;
    error.clear();
    AppDelegate delegate;
    if (!delegate.applicationDidFinishLaunching(&error)) {
        qCWarning(lcShell).noquote() << error;
        return 1;
    }
    if (!error.isEmpty())
        qCWarning(lcShell).noquote() << "VORN:" << error;
    if (showPanel)
        WindowManager::shared()->showWindow(qgetenv("XDG_ACTIVATION_TOKEN"));
    const int code = app.exec();
    // A quit whose last changes could not be saved is a failure.
    return delegate.finalSaveSucceeded() ? code : 1;
}
} // namespace VornApp
