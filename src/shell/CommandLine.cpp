#include "CommandLine.h"

#include "CommandClient.h"
#include "CommandServer.h"
#include "DataController.h"
#include "Diagnostics.h"
#include "FormViewModel.h"
#include "LibraryCommand.h"
#include "ModelContext.h"
#include "PromptsCommand.h"
#include "StoreLog.h"
#include "SyncCommand.h"
#include "TemplateCommand.h"
#include "VornApp.h"
#include "WindowManager.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryFile>
#include <QTextStream>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <memory>

namespace {
const char *const Usage = R"(Usage: vorn [COMMAND]

Without a command, starts the VORN desktop app (or shows the panel of the one running).

Commands:
  show                                             Show the panel, starting the app if needed
  quit                                             End the running app (its changes are saved)
  library sync|export|import|validate|dedupe|reset-stats|reset ...
                                                   Maintain the prompt library (vorn library --help)
  prompts list|show|render|favorite|hide ...       Work with single prompts (vorn prompts --help)
  sync folder PATH|--off, sync now, sync status [--json]
                                                   Sync the library through a shared folder (vorn sync --help)
  template parse [FILE] [--globals FILE]           List the placeholders of a template as JSON
  template render [FILE] [--globals FILE] [--set LABEL=VALUE]...
                                                   Print the rendered prompt
While the app runs, library, prompts and sync commands are carried out by it, so its panel shows
their changes at once; otherwise the command opens the library itself.

Options:
  -h, --help       Show this help
  -v, --version    Show the version and build number
  --verbose        Also print the diagnostics a command keeps quiet (the start-up
                   synchronisation of the library, for one)
)";

// Internal request of "vorn template": the running app's global lists.
const QString GlobalsRequest = QStringLiteral("__globals");
// Internal command: a small process that keeps a copied text on the clipboard after the
// command that copied it has ended (on X11 the clipboard's content lives with its owner).
const QString HoldClipboardCommand = QStringLiteral("__hold-clipboard");
// How long the holder waits for another program to take the clipboard over.
constexpr int HoldClipboardHours = 12;

// The start options every Qt program accepts; QGuiApplication takes them out of argv, so
// they are left out of the command here and passed on to Qt as they stand.
bool isQtOption(const QString &arg, bool *takesValue)
{
    static const QStringList withValue{
        QStringLiteral("-platform"), QStringLiteral("-platformpluginpath"), QStringLiteral("-platformtheme"),
        QStringLiteral("-plugin"), QStringLiteral("-qmljsdebugger"), QStringLiteral("-style"),
        QStringLiteral("-stylesheet"), QStringLiteral("-session"), QStringLiteral("-display"),
        QStringLiteral("-geometry"), QStringLiteral("-qwindowgeometry"), QStringLiteral("-qwindowicon"),
        QStringLiteral("-qwindowtitle"), QStringLiteral("-name"), QStringLiteral("-title"), QStringLiteral("-visual")};
    static const QStringList flags{QStringLiteral("-reverse"), QStringLiteral("-nograb"), QStringLiteral("-dograb"),
                                   QStringLiteral("-sync"), QStringLiteral("-widgetcount"), QStringLiteral("-testability")};
    // Qt also reads "--platform" and "-platform=xcb" style spellings of the same options.
    QString name = arg.startsWith(QLatin1String("--")) ? arg.mid(1) : arg;
    const qsizetype equals = name.indexOf(u'=');
    const bool hasInlineValue = equals > 0;
    if (hasInlineValue)
        name.truncate(equals);
    *takesValue = withValue.contains(name) && !hasInlineValue;
    return withValue.contains(name) || (!hasInlineValue && flags.contains(name));
}

QStringList argumentsOf(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        bool takesValue = false;
        if (isQtOption(arg, &takesValue)) {
            i += takesValue ? 1 : 0;
            continue;
        }
        args.append(arg);
    }
    return args;
}

// Help, and a group without a command, need no library.
bool needsStore(const QStringList &args)
{
    if (args.size() < 2)
        return false;
    return !args.contains(QLatin1String("-h")) && !args.contains(QLatin1String("--help"));
}

void write(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

int printReply(const CommandReply &reply)
{
    write(stdout, reply.out);
    write(stderr, reply.err);
    return reply.exitCode;
}

CommandRequest requestFor(const QStringList &args)
{
    CommandRequest request;
    request.args = args;
    request.workingDirectory = QDir::currentPath();
    request.activationToken = qgetenv("XDG_ACTIVATION_TOKEN");
    return request;
}

// Only "library import" without a file (or with "-") reads standard input.
bool readsStandardInput(const QStringList &args)
{
    if (args.value(0) != QLatin1String("library") || args.value(1) != QLatin1String("import"))
        return false;
    const QStringList rest = args.mid(2);
    for (const QString &arg : rest) {
        if (arg == QLatin1String("-"))
            return true;
        if (!arg.startsWith(QLatin1Char('-')))
            return false;
    }
    return true;
}

// Opens the store in this process for a command. Its diagnostics go to standard error, and
// the start-up load's report only with --verbose: a command prints its own result.
// load: run the start-up synchronisation; "library sync" runs it itself, so that what it
// reports is what it did.
bool openStoreHere(QTextStream &err, bool load = true)
{
    DataController *data = DataController::shared();
    QString error;
    if (!data->setUp(&error)) {
        err << "vorn: " << error << '\n';
        return false;
    }
    if (!load)
        return true;
    data->startupLoad();
    return true;
}

// Hands the text this process put on the clipboard to a holder process that outlives it, and
// waits (a few seconds at most) until the holder owns the clipboard.
void handOverClipboard(const char *program)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard->ownsClipboard())
        return;
    QTemporaryFile file(QDir::temp().filePath(QStringLiteral("vorn-clipboard-XXXXXX")));
    file.setAutoRemove(false);
    if (!file.open() || file.write(clipboard->text().toUtf8()) < 0 || !file.flush()) {
        file.remove();
        return;
    }
    file.close();
    if (!QProcess::startDetached(QString::fromLocal8Bit(program), {HoldClipboardCommand, file.fileName()})) {
        file.remove();
        return;
    }
    // The holder removes the file once the clipboard is its own.
    for (int wait = 0; wait < 50 && QFile::exists(file.fileName()); ++wait)
        QThread::msleep(100);
}

// The holder: takes the text over, then ends when another program takes the clipboard.
int holdClipboard(int argc, char **argv, const QString &path)
{
    QGuiApplication app(argc, argv);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QString text = QString::fromUtf8(file.readAll());
    file.close();
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(text);
    QCoreApplication::processEvents();
    file.remove();
    // Losing the clipboard is announced as a change on most platforms; a slow poll covers
    // the others.
    const auto quitWhenTaken = [clipboard] {
        if (!clipboard->ownsClipboard())
            QCoreApplication::quit();
    };
    QObject::connect(clipboard, &QClipboard::changed, &app, quitWhenTaken);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, quitWhenTaken);
    poll.start(std::chrono::seconds(1));
    QTimer::singleShot(std::chrono::hours(HoldClipboardHours), &app, &QCoreApplication::quit);
    return app.exec();
}

int runGroup(const QStringList &args, QTextStream &in, QTextStream &out, QTextStream &err, DataController &data)
{
    const QString group = args.first();
    if (group == QLatin1String("library"))
        return runLibraryCommand(args.mid(1), in, out, err, data);
    if (group == QLatin1String("sync"))
        return runSyncCommand(args.mid(1), out, err, data);
    return runPromptsCommand(args.mid(1), in, out, err, data);
}

// input: standard input already read by the caller, or null to read it here.
int runStoreCommandHere(int argc, char **argv, const QStringList &args, QByteArray *input)
{
    // Copying needs a clipboard, which only a GUI application on a display has.
    const bool wantsClipboard = args.value(0) == QLatin1String("prompts") && args.contains(QLatin1String("--copy"))
                                && VornApp::displayProblem().isEmpty();
    std::unique_ptr<QCoreApplication> app(wantsClipboard ? new QGuiApplication(argc, argv)
                                                         : new QCoreApplication(argc, argv));
    QByteArray none;
    QTextStream taken(input ? input : &none, QIODevice::ReadOnly);
    QTextStream standardInput(stdin);
    QTextStream &source = input ? taken : standardInput;
    QTextStream out(stdout);
    QTextStream err(stderr);
    const bool isSync = args.value(0) == QLatin1String("library") && args.value(1) == QLatin1String("sync");
    // A listing is read from the store file when it can be, without loading the library.
    if (args.value(0) == QLatin1String("prompts") && needsStore(args)) {
        if (const std::optional<int> code = runPromptsListFromStore(args.mid(1), out, err, *DataController::shared()))
            return *code;
    }
    if (needsStore(args) && !openStoreHere(err, !isSync))
        return 1;
    DataController &data = *DataController::shared();
    // Every way out of here lets the store go: saved, checkpointed and unlocked.
    struct Closer {
        DataController &data;
        ~Closer() { data.closeStore(); }
    } closer{data};
    const int code = runGroup(args, source, out, err, data);
    out.flush();
    err.flush();
    if (wantsClipboard && code == 0)
        handOverClipboard(argv[0]);
    // The store is saved before the process ends; a command whose change was not saved failed.
    if (!data.closeStore() && code == 0)
        return 1;
    return code;
}

int runStoreCommand(int argc, char **argv, const QStringList &args)
{
    if (!needsStore(args))
        return runStoreCommandHere(argc, argv, args, nullptr);
    CommandRequest request = requestFor(args);
    if (readsStandardInput(args)) {
        QFile input;
        if (input.open(stdin, QIODevice::ReadOnly))
            request.input = input.read(CommandProtocol::MaxInput + 1);
        // Cut short, the text would fail as JSON with a misleading message.
        if (request.input.size() > CommandProtocol::MaxInput) {
            write(stderr, "vorn: the input is larger than 20 MiB; nothing was imported\n");
            return 1;
        }
    }
    // An app that is still starting holds the lock but does not listen yet: give it a moment.
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (std::optional<CommandReply> reply = CommandClient::send(request))
            return printReply(*reply);
        if (!CommandClient::isAppRunning())
            break;
        QThread::msleep(100);
    }
    // Standard input, when the command reads it, was taken above already.
    return runStoreCommandHere(argc, argv, args, readsStandardInput(args) ? &request.input : nullptr);
}

int runTemplate(int argc, char **argv, const QStringList &args)
{
    QCoreApplication app(argc, argv);
    QTextStream in(stdin);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const auto storeGlobals = [&err]() -> QMap<QString, QStringList> {
        if (std::optional<CommandReply> reply = CommandClient::send(requestFor({GlobalsRequest}))) {
            QMap<QString, QStringList> globals;
            const QJsonObject object = QJsonDocument::fromJson(reply->out).object();
            for (auto it = object.begin(); it != object.end(); ++it) {
                QStringList values;
                for (const QJsonValue &value : it.value().toArray())
                    values.append(value.toString());
                globals.insert(it.key(), values);
            }
            return globals;
        }
        if (!openStoreHere(err))
            return {};
        return FormViewModel::storeGlobals(DataController::shared()->mainContext());
    };
    const int code = runTemplateCommand(args.mid(1), in, out, err, storeGlobals);
    DataController::shared()->closeStore();
    out.flush();
    err.flush();
    return code;
}

// What the running app does for another vorn process.
CommandReply serveInApp(const CommandRequest &request)
{
    CommandReply reply;
    const QString command = request.args.value(0);
    if (command.isEmpty() || command == QLatin1String("show")) {
        WindowManager::shared()->showWindow(request.activationToken);
        return reply;
    }
    if (command == QLatin1String("quit")) {
        // After the reply is on its way; the quit saves as "Quit VORN" does.
        QTimer::singleShot(0, WindowManager::shared(), &WindowManager::quitApp);
        return reply;
    }
    DataController &data = *DataController::shared();
    if (command == GlobalsRequest) {
        QJsonObject object;
        const QMap<QString, QStringList> globals = FormViewModel::storeGlobals(data.mainContext());
        for (auto it = globals.begin(); it != globals.end(); ++it)
            object.insert(it.key(), QJsonArray::fromStringList(it.value()));
        reply.out = QJsonDocument(object).toJson(QJsonDocument::Compact);
        return reply;
    }
    if (command != QLatin1String("library") && command != QLatin1String("prompts") && command != QLatin1String("sync")) {
        reply.exitCode = 2;
        reply.err = "vorn: the app does not run '" + command.toUtf8() + "'\n";
        return reply;
    }
    // An app whose library could not be opened runs without one; it must not pretend.
    if (!data.mainContext()->isOpen()) {
        reply.exitCode = 1;
        reply.err = "vorn: the app has no library open: " + data.notice().toUtf8() + '\n';
        return reply;
    }
    // File names in the command are the caller's, relative to its folder.
    const QString previousDir = QDir::currentPath();
    if (!request.workingDirectory.isEmpty())
        QDir::setCurrent(request.workingDirectory);
    QByteArray input = request.input;
    QTextStream in(&input, QIODevice::ReadOnly);
    QTextStream out(&reply.out, QIODevice::WriteOnly);
    QTextStream err(&reply.err, QIODevice::WriteOnly);
    {
        StoreLog::Capture capture([&out](const QString &line) { out << line << '\n'; });
        reply.exitCode = runGroup(request.args, in, out, err, data);
    }
    out.flush();
    err.flush();
    QDir::setCurrent(previousDir);
    return reply;
}

// Asks a running app to show its panel. Nothing when no app listens, or when the one that
// took the request went away without an answer (it was quitting): then this one starts as
// soon as the old one has released the instance lock.
std::optional<CommandReply> showInRunningApp(const CommandRequest &show)
{
    std::optional<CommandReply> reply = CommandClient::send(show, 500);
    if (reply && reply->exitCode != 0)
        return std::nullopt;
    return reply;
}

// Asks the running app to end and waits until it has (its last changes saved and the
// instance lock released). Nothing to do when none runs.
int quitRunningApp()
{
    const CommandRequest quit = requestFor({QStringLiteral("quit")});
    std::optional<CommandReply> reply;
    // An app that is still starting holds the lock but does not listen yet.
    for (int attempt = 0; attempt < 50 && !reply; ++attempt) {
        reply = CommandClient::send(quit, 500);
        if (!reply && !CommandClient::isAppRunning())
            return 0;
        if (!reply)
            QThread::msleep(100);
    }
    if (!reply) {
        write(stderr, "vorn: the running app does not answer; it was not asked to quit\n");
        return 1;
    }
    if (reply->exitCode != 0)
        return printReply(*reply);
    for (int wait = 0; wait < 300; ++wait) {
        if (!CommandClient::isAppRunning())
            return 0;
        QThread::msleep(100);
    }
    write(stderr, "vorn: the app was asked to quit but is still running after 30 seconds\n");
    return 1;
}

int startApp(int argc, char **argv, bool showPanel)
{
    const CommandRequest show = requestFor({QStringLiteral("show")});
    // One app per user: a running one just shows its panel.
    if (std::optional<CommandReply> reply = showInRunningApp(show))
        return printReply(*reply);
    const QString problem = VornApp::displayProblem();
    if (!problem.isEmpty()) {
        write(stderr, problem.toUtf8() + '\n');
        return 1;
    }
    auto server = std::make_unique<CommandServer>(serveInApp);
    // What works on the library waits for it to be loaded; the rest (showing, quitting) is
    // answered at once.
    server->setGate([](const CommandRequest &request, std::function<void()> answer) {
        static const QStringList needLibrary{QStringLiteral("library"), QStringLiteral("prompts"),
                                             QStringLiteral("sync"), GlobalsRequest};
        if (!needLibrary.contains(request.args.value(0)))
            answer();
        else
            DataController::shared()->whenLoaded(std::move(answer));
    });
    QString lockError;
    for (int attempt = 0; !server->acquireInstance(&lockError); ++attempt) {
        // A lock no live app holds that still cannot be had (another user's, say) will not
        // come free by waiting.
        if (!CommandClient::isAppRunning()) {
            write(stderr, "vorn: " + lockError.toLocal8Bit() + '\n');
            return 1;
        }
        // Another app is starting right now (it will listen in a moment) or ending (it will
        // release the lock).
        if (std::optional<CommandReply> reply = showInRunningApp(show))
            return printReply(*reply);
        if (attempt == 50) {
            write(stderr, "vorn: another VORN app holds the instance lock but does not answer\n");
            return 1;
        }
        QThread::msleep(100);
    }
    return VornApp::exec(argc, argv, std::move(server), showPanel);
}
} // namespace

namespace CommandLine {
int run(int argc, char **argv)
{
    QStringList args = argumentsOf(argc, argv);
    const bool verbose = args.removeAll(QStringLiteral("--verbose")) > 0;
    const bool isCommand = !args.isEmpty() && args.first() != QLatin1String("show");
    Diagnostics::setUp(verbose ? Diagnostics::Level::Everything
                       : isCommand ? Diagnostics::Level::CommandQuiet
                                   : Diagnostics::Level::App);
    if (args.isEmpty())
        return startApp(argc, argv, false);
    const QString command = args.first();
    if (command == QLatin1String("-h") || command == QLatin1String("--help")) {
        write(stdout, Usage);
        return 0;
    }
    if (command == QLatin1String("-v") || command == QLatin1String("--version")) {
        write(stdout, QByteArray("VORN ") + VORN_VERSION + " (build " + VORN_BUILD_NUMBER + ")\n");
        return 0;
    }
    if (command == QLatin1String("show")) {
        if (args.size() > 1) {
            write(stderr, "vorn: show takes no arguments\n");
            return 2;
        }
        return startApp(argc, argv, true);
    }
    if (command == QLatin1String("quit")) {
        if (args.size() > 1) {
            write(stderr, "vorn: quit takes no arguments\n");
            return 2;
        }
        return quitRunningApp();
    }
    if (command == QLatin1String("library") || command == QLatin1String("prompts") || command == QLatin1String("sync"))
        return runStoreCommand(argc, argv, args);
    if (command == QLatin1String("template"))
        return runTemplate(argc, argv, args);
    if (command == HoldClipboardCommand && args.size() == 2)
        return holdClipboard(argc, argv, args.at(1));
    write(stderr, "vorn: unknown command '" + command.toUtf8() + "'; see vorn --help\n");
    return 2;
}
} // namespace CommandLine
