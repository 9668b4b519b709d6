#include "TemplateCommand.h"

#include "CommandArguments.h"
#include "FormViewModel.h"
#include "PromptParser.h"
#include "SetOption.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace {
const char *const TemplateUsage = R"(Usage: vorn template parse [FILE] [--globals FILE]
       vorn template render [FILE] [--globals FILE] [--set LABEL=VALUE]...

Reads a template from FILE, or from standard input without FILE or with "-".
  parse    prints the placeholders as a JSON array
  render   prints the prompt filled in with the defaults and the --set values
Options:
  --globals FILE        a JSON object of list name to array of strings (default: the store's lists)
  --set LABEL=VALUE     the value of one field (render only; may be repeated)
  -h, --help            show this help
)";

const char *const ParseUsage = R"(Usage: vorn template parse [FILE] [--globals FILE]

Prints the placeholders of the template in FILE (or standard input) as a JSON array,
one object per placeholder in text order: label, kind, start, end (UTF-16 offsets) and
default, options or min/max depending on the kind.
Options:
  --globals FILE   a JSON object of list name to array of strings (default: the store's lists)
  -h, --help       show this help
)";

const char *const RenderUsage =
    R"(Usage: vorn template render [FILE] [--globals FILE] [--set LABEL=VALUE]...

Prints the prompt of the template in FILE (or standard input) filled in with each field's
default and the --set values. Nothing is remembered. Exits with 1 and lists the problems
when a field is left empty or a number field holds something other than digits, "." and ",".
Options:
  --globals FILE      a JSON object of list name to array of strings (default: the store's lists)
  --set LABEL=VALUE   the value of the field LABEL (as listed by parse); may be repeated
  -h, --help          show this help
)";

struct Options {
    QString command;
    QString file;
    std::optional<QString> globalsFile;
    QList<QPair<QString, QString>> sets;
    bool help = false;
};

int fail(QTextStream &err, const QString &message, int code = 2)
{
    return CommandArguments::fail(err, QStringLiteral("template"), message, code);
}

// Reads the arguments after the sub-command; a message when they do not make sense.
std::optional<QString> readOptions(const QStringList &args, Options &options)
{
    bool haveFile = false;
    bool onlyFiles = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (!onlyFiles && arg.startsWith(QLatin1String("--")) && arg.size() > 2) {
            const qsizetype equals = arg.indexOf(u'=');
            const QString name = equals < 0 ? arg : arg.left(equals);
            std::optional<QString> value;
            if (equals >= 0)
                value = arg.mid(equals + 1);
            const auto takeValue = [&]() -> bool {
                if (value)
                    return true;
                if (i + 1 >= args.size())
                    return false;
                value = args.at(++i);
                return true;
            };
            if (name == QLatin1String("--help") && !value) {
                options.help = true;
            } else if (name == QLatin1String("--globals")) {
                if (!takeValue())
                    return QStringLiteral("--globals needs a file name");
                options.globalsFile = *value;
            } else if (name == QLatin1String("--set") &&
                       options.command == QLatin1String("render")) {
                if (!takeValue())
                    return QStringLiteral("--set needs LABEL=VALUE");
                const std::optional<QPair<QString, QString>> set = SetOption::split(*value);
                if (!set)
                    return SetOption::malformed(*value);
                options.sets.append(*set);
            } else {
                return QStringLiteral("unknown option '%1' for %2").arg(name, options.command);
            }
        } else if (!onlyFiles && arg == QLatin1String("--")) {
            onlyFiles = true;
        } else if (!onlyFiles && arg == QLatin1String("-h")) {
            options.help = true;
        } else if (!onlyFiles && arg.startsWith(u'-') && arg != QLatin1String("-")) {
            return QStringLiteral("unknown option '%1' for %2").arg(arg, options.command);
        } else {
            if (haveFile)
                return QStringLiteral("unexpected argument '%1'; only one template file is read")
                    .arg(arg);
            options.file = arg;
            haveFile = true;
        }
    }
    return std::nullopt;
}

std::optional<QByteArray> readFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read '%1': %2").arg(path, file.errorString());
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("cannot read '%1': %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return bytes;
}

std::optional<PromptParser::GlobalMap> readGlobals(const QString &path, QString *error)
{
    const std::optional<QByteArray> bytes = readFile(path, error);
    if (!bytes)
        return std::nullopt;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(*bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = QStringLiteral("bad JSON in '%1' at offset %2: %3")
                     .arg(path)
                     .arg(parseError.offset)
                     .arg(parseError.errorString());
        return std::nullopt;
    }
    if (!document.isObject()) {
        *error = QStringLiteral("bad JSON in '%1': expected an object of list name to array "
                                "of strings")
                     .arg(path);
        return std::nullopt;
    }
    PromptParser::GlobalMap globals;
    const QJsonObject object = document.object();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        const auto badValue = [&] {
            *error = QStringLiteral("bad JSON in '%1': the value of \"%2\" is not an array of "
                                    "strings")
                         .arg(path, it.key());
        };
        if (!it.value().isArray()) {
            badValue();
            return std::nullopt;
        }
        QStringList values;
        for (const QJsonValue &entry : it.value().toArray()) {
            if (!entry.isString()) {
                badValue();
                return std::nullopt;
            }
            values.append(entry.toString());
        }
        globals.insert(it.key(), values);
    }
    return globals;
}

QJsonValue optionalText(const std::optional<QString> &text)
{
    return text ? QJsonValue(*text) : QJsonValue(QJsonValue::Null);
}

QJsonObject variableJson(const ParsedPromptVariable &variable)
{
    const VariableType &type = variable.type;
    QJsonObject object{{QStringLiteral("label"), variable.label},
                       {QStringLiteral("kind"), type.kindName()},
                       {QStringLiteral("start"), qint64(variable.range.start)},
                       {QStringLiteral("end"), qint64(variable.range.end)}};
    switch (type.kind()) {
    case VariableType::Kind::multilineText:
        object.insert(QStringLiteral("default"), optionalText(type.defaultText()));
        break;
    case VariableType::Kind::comboBox:
        object.insert(QStringLiteral("options"), QJsonArray::fromStringList(type.options()));
        break;
    case VariableType::Kind::number:
        object.insert(QStringLiteral("default"),
                      optionalText(type.defaultNumber() ? std::optional(PromptParser::formatNumber(
                                                              *type.defaultNumber()))
                                                        : std::nullopt));
        break;
    case VariableType::Kind::range:
        object.insert(QStringLiteral("min"), PromptParser::formatNumber(type.min()));
        object.insert(QStringLiteral("max"), PromptParser::formatNumber(type.max()));
        break;
    case VariableType::Kind::date:
        object.insert(QStringLiteral("default"),
                      optionalText(type.defaultDate()
                                       ? std::optional(type.defaultDate()->date().toString(
                                             QStringLiteral("yyyy-MM-dd")))
                                       : std::nullopt));
        break;
    }
    return object;
}

} // namespace

int runTemplateCommand(const QStringList &args, QTextStream &in, QTextStream &out, QTextStream &err,
                       const std::function<QMap<QString, QStringList>()> &storeGlobals)
{
    Options options;
    options.command = args.value(0);
    if (options.command.isEmpty() || options.command == QLatin1String("--help") ||
        options.command == QLatin1String("-h")) {
        (options.command.isEmpty() ? err : out) << TemplateUsage;
        return options.command.isEmpty() ? 2 : 0;
    }
    if (options.command != QLatin1String("parse") && options.command != QLatin1String("render"))
        return fail(
            err,
            QStringLiteral("unknown command '%1'; see vorn template --help").arg(options.command));
    if (const auto problem = readOptions(args, options))
        return fail(err, *problem);
    const bool render = options.command == QLatin1String("render");
    if (options.help) {
        out << (render ? RenderUsage : ParseUsage);
        out.flush();
        return 0;
    }

    QString templateText;
    if (options.file.isEmpty() || options.file == QLatin1String("-")) {
        templateText = in.readAll();
    } else {
        QString error;
        const std::optional<QByteArray> bytes = readFile(options.file, &error);
        if (!bytes)
            return fail(err, error);
        templateText = QString::fromUtf8(*bytes);
    }

    PromptParser::GlobalMap globals;
    if (options.globalsFile) {
        QString error;
        std::optional<PromptParser::GlobalMap> read = readGlobals(*options.globalsFile, &error);
        if (!read)
            return fail(err, error);
        globals = std::move(*read);
    } else if (storeGlobals) {
        globals = storeGlobals();
    }

    if (!render) {
        QJsonArray array;
        for (const ParsedPromptVariable &variable : PromptParser().parse(templateText, globals))
            array.append(variableJson(variable));
        out << QJsonDocument(array).toJson(QJsonDocument::Indented);
        out.flush();
        return 0;
    }

    // A fresh form: defaults only, and the --set values are not remembered.
    FormViewModel form(nullptr, nullptr);
    form.setup(templateText, QUuid(), globals);
    for (const auto &[given, value] : std::as_const(options.sets)) {
        const std::optional<QString> label = SetOption::matchLabel(given, form.variables());
        if (!label)
            return fail(err, QStringLiteral("the template has no field '%1'").arg(given));
        form.setValue(*label, value);
    }
    const QStringList problems = form.validate();
    if (!problems.isEmpty()) {
        for (const QString &problem : problems)
            err << problem << '\n';
        err.flush();
        return 1;
    }
    out << form.generatedPrompt() << '\n';
    out.flush();
    return 0;
}
