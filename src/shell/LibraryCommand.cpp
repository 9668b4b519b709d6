#include "LibraryCommand.h"

#include "CommandArguments.h"
#include "DataController.h"
#include "DuplicateCleaner.h"
#include "LibraryValidator.h"
#include "ModelContext.h"
#include "PromptImporter.h"
#include "StoreLog.h"

#include <QFile>

#include <optional>

namespace {
const char *const Usage = R"(Usage: vorn library COMMAND [OPTIONS]

Maintenance of the prompt library in the user's store.
Commands:
  sync [--force]          bring the library up to date with the shipped files
                          (--force: synchronise everything, whatever the versions say)
  export [--prefix TEXT]  write all prompts to <Documents>/<TEXT>prompts.json
  import [FILE]           add or overwrite prompts from JSON in FILE or standard input
                          (one prompt object, or an array of them)
  validate                check the placeholder syntax of every template
  dedupe                  remove duplicate prompts and categories
  reset-stats             clear favourites, hidden marks, usage and hot flags
  reset --yes             back up, delete and reload the shipped library
                          (favourites and usage survive)
Options:
  -h, --help              show this help
)";

int fail(QTextStream &err, const QString &message, int code = 2)
{
    return CommandArguments::fail(err, QStringLiteral("library"), message, code);
}

int runImport(const CommandArguments &arguments, QTextStream &in, QTextStream &out,
              QTextStream &err, DataController &controller)
{
    if (arguments.plain.size() > 1)
        return fail(err, QStringLiteral("import reads one file"));
    // The backup after the save is not the import: its failure is told on its own line and
    // does not turn a saved import into a failed one.
    ActionOutcome backup;
    PromptImporter importer(*controller.mainContext(), [&controller, &out, &backup] {
        QStringList lines;
        StoreLog::Capture capture([&lines](const QString &line) { lines << line; });
        backup = controller.createBackup();
        // A backup that failed says so below, once; what it logged on the way is not the result.
        if (backup.ok)
            for (const QString &line : std::as_const(lines))
                out << line << '\n';
    });
    PromptImporter::Result result;
    const QString path = arguments.plain.value(0, QStringLiteral("-"));
    if (path == QLatin1String("-")) {
        // Read as bytes, like a file, so that text that is not UTF-8 is refused instead of
        // being stored with replacement characters; one byte more than the limit is enough
        // to know the text is too large.
        if (QIODevice *device = in.device())
            result = importer.importData(device->read(PromptImporter::MaxTextBytes + 1));
        else
            result = importer.importText(in.read(PromptImporter::MaxTextBytes + 1));
    } else {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return fail(err, QStringLiteral("cannot read '%1': %2").arg(path, file.errorString()),
                        1);
        result = importer.importData(file.read(PromptImporter::MaxTextBytes + 1));
    }
    if (!result.ok()) {
        // The importer's own line, as the import sheet shows it.
        err << result.errorMessage << '\n';
        return 1;
    }
    out << result.successMessage << '\n';
    if (!backup.ok) {
        err << "vorn library: the import was saved, but its backup could not be written: " << backup.problem << '\n';
        err.flush();
    }
    return 0;
}

int runValidate(QTextStream &out, DataController &controller)
{
    const LibraryValidator::Result result = LibraryValidator::validateAll(*controller.mainContext());
    for (const TemplateValidationError &finding : result.errors)
        out << finding.promptTitle << ": " << finding.error << '\n';
    if (result.errors.isEmpty()) {
        out << "Checked " << result.promptCount << " templates. All valid!\n";
        return 0;
    }
    out << "Checked " << result.promptCount << " templates. Found " << result.errors.size()
        << " issues.\n";
    return 1;
}
} // namespace

int runLibraryCommand(const QStringList &args, QTextStream &in, QTextStream &out, QTextStream &err,
                      DataController &controller)
{
    static const CommandArguments::Table known{
        {QStringLiteral("sync"), {{QStringLiteral("--force")}, {}}},
        {QStringLiteral("export"), {{}, {QStringLiteral("--prefix")}}},
        {QStringLiteral("import"), {{}, {}}},
        {QStringLiteral("validate"), {{}, {}}},
        {QStringLiteral("dedupe"), {{}, {}}},
        {QStringLiteral("reset-stats"), {{}, {}}},
        {QStringLiteral("reset"), {{QStringLiteral("--yes")}, {}}},
    };
    CommandArguments arguments;
    if (const std::optional<int> code = CommandArguments::parseCommand(
            args, known, QStringLiteral("library"), Usage, out, err, arguments))
        return *code;
    const QString command = args.first();
    if (command != QLatin1String("import") && !arguments.plain.isEmpty())
        return fail(err, QStringLiteral("unexpected argument '%1' for %2")
                             .arg(arguments.plain.first(), command));

    ModelContext *context = controller.mainContext();
    // The operation's own log lines are its output; its outcome is the exit status.
    ActionOutcome outcome;
    int code = 0;
    {
        StoreLog::Capture capture([&](const QString &line) { out << line << '\n'; });
        if (command == QLatin1String("sync")) {
            if (arguments.has(QStringLiteral("--force"))) {
                outcome = controller.manualSync();
            } else {
                // The start-up load logs nothing when the shipped files are unusable.
                outcome = controller.startupLoad();
                if (!outcome.ok)
                    fail(err, outcome.problem, 1);
            }
        } else if (command == QLatin1String("export")) {
            if (controller.exportData(arguments.value(QStringLiteral("--prefix"))).isEmpty())
                outcome = ActionOutcome::failed(QStringLiteral("the export was not written"));
        } else if (command == QLatin1String("import")) {
            code = runImport(arguments, in, out, err, controller);
        } else if (command == QLatin1String("validate")) {
            code = runValidate(out, controller);
        } else if (command == QLatin1String("dedupe")) {
            DuplicateCleaner::deduplicate(context);
        } else if (command == QLatin1String("reset-stats")) {
            outcome = controller.resetUserStats();
        } else if (command == QLatin1String("reset")) {
            if (!arguments.has(QStringLiteral("--yes"))) {
                return fail(
                    err,
                    QStringLiteral(
                        "reset deletes every prompt, category and tag and reloads the shipped "
                        "library (a backup is written first); run 'vorn library reset --yes'"),
                    1);
            }
            outcome = controller.resetDatabase();
        }
        out.flush();
    }
    QString error;
    if (context->hasChanges() && !context->save(&error))
        return fail(err, QStringLiteral("could not save the library: ") + error, 1);
    return outcome.ok ? code : 1;
}
