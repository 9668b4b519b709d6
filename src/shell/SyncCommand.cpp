#include "SyncCommand.h"

#include "CommandArguments.h"
#include "DataController.h"
#include "StoreLog.h"
#include "SyncEngine.h"
#include "SyncFolder.h"
#include "UserDefaults.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace {
const char *const Usage = R"(Usage: vorn sync COMMAND [OPTIONS]

Keeps the library in step with your other machines through a folder that a file-sync tool
(Syncthing, Nextcloud, Dropbox, a network share) keeps in step. VORN writes one file of its
own there and reads the others' files.
Commands:
  folder PATH             sync through the folder PATH (it must exist)
  folder --off            stop reading and writing the folder
  now                     read and write the folder at once
  status [--json]         the folder, this device and the other devices seen
Options:
  -h, --help              show this help
)";

int fail(QTextStream &err, const QString &message, int code = 2)
{
    return CommandArguments::fail(err, QStringLiteral("sync"), message, code);
}

QString timeText(qint64 ms)
{
    return ms > 0 ? QDateTime::fromMSecsSinceEpoch(ms).toString(Qt::ISODate) : QStringLiteral("never");
}

void printStatus(const SyncEngine::Status &status, bool json, QTextStream &out)
{
    if (json) {
        QJsonArray devices;
        for (const SyncEngine::Device &d : status.devices)
            devices.append(QJsonObject{{QStringLiteral("id"), d.id},
                                       {QStringLiteral("name"), d.name},
                                       {QStringLiteral("lastChange"),
                                        d.lastChange > 0 ? QJsonValue(QDateTime::fromMSecsSinceEpoch(d.lastChange, Qt::UTC).toString(Qt::ISODateWithMs)) : QJsonValue()},
                                       {QStringLiteral("changesApplied"), double(d.applied)},
                                       {QStringLiteral("problem"), d.problem.isEmpty() ? QJsonValue() : QJsonValue(d.problem)}});
        const QJsonObject object{{QStringLiteral("folder"), status.folder.isEmpty() ? QJsonValue() : QJsonValue(status.folder)},
                                 {QStringLiteral("deviceId"), status.deviceId},
                                 {QStringLiteral("deviceName"), status.deviceName},
                                 {QStringLiteral("problem"), status.problem.isEmpty() ? QJsonValue() : QJsonValue(status.problem)},
                                 {QStringLiteral("devices"), devices}};
        out << QJsonDocument(object).toJson(QJsonDocument::Indented);
        return;
    }
    out << "Folder: " << (status.folder.isEmpty() ? QStringLiteral("off") : status.folder) << '\n';
    out << "This device: " << status.deviceName << " (" << status.deviceId << ")\n";
    if (!status.problem.isEmpty())
        out << "Problem: " << status.problem << '\n';
    if (status.devices.isEmpty())
        out << "No other device seen yet.\n";
    for (const SyncEngine::Device &d : status.devices) {
        out << "Device: " << (d.name.isEmpty() ? d.id : d.name) << " (" << d.id << "), last change "
            << timeText(d.lastChange) << ", " << d.applied << " changes applied";
        if (!d.problem.isEmpty())
            out << "; " << d.problem;
        out << '\n';
    }
}
} // namespace

int runSyncCommand(const QStringList &args, QTextStream &out, QTextStream &err, DataController &controller)
{
    static const CommandArguments::Table known{
        {QStringLiteral("folder"), {{QStringLiteral("--off")}, {}}},
        {QStringLiteral("now"), {{}, {}}},
        {QStringLiteral("status"), {{QStringLiteral("--json")}, {}}},
    };
    CommandArguments arguments;
    if (const std::optional<int> code =
            CommandArguments::parseCommand(args, known, QStringLiteral("sync"), Usage, out, err, arguments))
        return *code;
    const QString command = args.first();
    StoreLog::Capture capture([&out](const QString &line) { out << line << '\n'; });
    SyncEngine *engine = controller.syncEngine();
    if (command == QLatin1String("folder")) {
        const bool off = arguments.has(QStringLiteral("--off"));
        if (off == (arguments.plain.size() == 1) || arguments.plain.size() > 1)
            return fail(err, QStringLiteral("folder takes one PATH, or --off"));
        if (off) {
            if (engine)
                engine->setFolder({});
            else
                UserDefaults::standard()->remove(QLatin1String(SyncEngine::FolderKey));
            out << "Sync is off; this device's changes are kept and written to the folder when it is chosen again.\n";
            return 0;
        }
        const QFileInfo info(arguments.plain.first());
        switch (SyncFolder::usability(info.filePath())) {
        case SyncFolder::Usability::NotAFolder:
            return fail(err, QStringLiteral("'%1' is not a folder").arg(arguments.plain.first()), 1);
        case SyncFolder::Usability::NotWritable:
            return fail(err, QStringLiteral("the folder '%1' cannot be written").arg(info.absoluteFilePath()), 1);
        case SyncFolder::Usability::Usable:
            break;
        }
        engine = controller.enableSync(info.absoluteFilePath());
        if (!engine)
            return fail(err, QStringLiteral("the library is not open"), 1);
        engine->syncNow();
        out << "Syncing through " << engine->folder() << '\n';
        return 0;
    }
    if (!engine) {
        if (command == QLatin1String("status")) {
            printStatus({QString(), QStringLiteral("(none yet)"), SyncEngine::deviceName(UserDefaults::standard()), {}, {}},
                        arguments.has(QStringLiteral("--json")), out);
            return 0;
        }
        return fail(err, QStringLiteral("sync is not set up; choose a folder with 'vorn sync folder PATH'"), 1);
    }
    if (command == QLatin1String("now")) {
        if (engine->folder().isEmpty())
            return fail(err, QStringLiteral("sync is off; choose a folder with 'vorn sync folder PATH'"), 1);
        engine->syncNow();
        const SyncEngine::Status status = engine->status();
        if (!status.problem.isEmpty())
            return fail(err, status.problem, 1);
        out << "Synced with " << status.devices.size() << (status.devices.size() == 1 ? " device" : " devices")
            << " through " << status.folder << '\n';
        return 0;
    }
    printStatus(engine->status(), arguments.has(QStringLiteral("--json")), out);
    return 0;
}
