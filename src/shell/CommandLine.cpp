#include "CommandLine.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {
const char *const Usage = R"(Usage: vorn [COMMAND]

Without a command, starts the VORN desktop app.

Commands:
  template parse [FILE] [--globals FILE]           List the placeholders of a template as JSON
  template render [FILE] [--globals FILE] [--set LABEL=VALUE]...
                                                   Print the rendered prompt
Options:
  -h, --help       Show this help
  -v, --version    Show the version and build number
)";
} // namespace

namespace CommandLine {
int run(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vorn"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VORN_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        err << "The desktop app is not part of this build yet; see vorn --help.\n";
        return 2;
    }
    const QString command = args.first();
    if (command == QLatin1String("-h") || command == QLatin1String("--help")) {
        out << Usage;
        return 0;
    }
    if (command == QLatin1String("-v") || command == QLatin1String("--version")) {
        out << "VORN " << VORN_VERSION << " (build " << VORN_BUILD_NUMBER << ")\n";
        return 0;
    }
    err << "vorn: unknown command '" << command << "'; see vorn --help\n";
    return 2;
}
} // namespace CommandLine
