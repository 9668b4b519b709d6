#include "CommandArguments.h"

QString CommandArguments::value(const QString &name) const
{
    for (auto it = options.crbegin(); it != options.crend(); ++it) {
        if (it->first == name)
            return it->second;
    }
    return {};
}

QStringList CommandArguments::values(const QString &name) const
{
    QStringList out;
    for (const auto &[option, text] : options) {
        if (option == name)
            out.append(text);
    }
    return out;
}

std::optional<QString> CommandArguments::parse(const QStringList &args, const QStringList &flags,
                                               const QStringList &valued, CommandArguments &out)
{
    bool onlyPlain = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (onlyPlain || arg == QLatin1String("-") || !arg.startsWith(u'-')) {
            out.plain.append(arg);
        } else if (arg == QLatin1String("--")) {
            onlyPlain = true;
        } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            out.help = true;
        } else if (flags.contains(arg)) {
            out.flags.append(arg);
        } else {
            const qsizetype equals = arg.indexOf(u'=');
            const QString name = equals < 0 ? arg : arg.left(equals);
            if (!valued.contains(name))
                return QStringLiteral("unknown option '%1' for %2").arg(arg, args.first());
            if (equals >= 0)
                out.options.append({name, arg.mid(equals + 1)});
            else if (i + 1 < args.size())
                out.options.append({name, args.at(++i)});
            else
                return QStringLiteral("%1 needs a value").arg(name);
        }
    }
    return std::nullopt;
}

int CommandArguments::fail(QTextStream &err, const QString &group, const QString &message, int code)
{
    err << "vorn " << group << ": " << message << '\n';
    err.flush();
    return code;
}

std::optional<int> CommandArguments::parseCommand(const QStringList &args, const Table &known,
                                                  const QString &group, const char *usage,
                                                  QTextStream &out, QTextStream &err,
                                                  CommandArguments &arguments)
{
    const QString command = args.value(0);
    if (command.isEmpty() || command == QLatin1String("-h") || command == QLatin1String("--help")) {
        (command.isEmpty() ? err : out) << usage;
        return command.isEmpty() ? 2 : 0;
    }
    const auto fail = [&](const QString &message) { return CommandArguments::fail(err, group, message); };
    const auto options = known.constFind(command);
    if (options == known.constEnd())
        return fail(QStringLiteral("unknown command '%1'; see vorn %2 --help").arg(command, group));
    if (const std::optional<QString> problem =
            parse(args, options->first, options->second, arguments))
        return fail(*problem);
    if (arguments.help) {
        out << usage;
        return 0;
    }
    return std::nullopt;
}
