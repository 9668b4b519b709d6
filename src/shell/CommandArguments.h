#pragma once

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <optional>

// The words after a sub-command: flags, options with a value ("--name VALUE" or
// "--name=VALUE", may repeat) and plain arguments; "--" ends the options.
struct CommandArguments {
    QStringList flags;
    QList<QPair<QString, QString>> options;
    QStringList plain;
    bool help = false; // -h or --help was given

    bool has(const QString &flag) const { return flags.contains(flag); }
    // The last value given for an option, or a null string.
    QString value(const QString &name) const;
    QStringList values(const QString &name) const;

    // Reads args from index 1 on (args[0] is the sub-command). Only the flags and valued options
    // named are accepted; otherwise the message says what is wrong.
    static std::optional<QString> parse(const QStringList &args, const QStringList &flags,
                                        const QStringList &valued, CommandArguments &out);

    // A one-line complaint after "vorn <group>: " on err; returns the exit code.
    static int fail(QTextStream &err, const QString &group, const QString &message, int code = 2);

    // Each sub-command with the flags and the valued options it accepts.
    using Table = QMap<QString, QPair<QStringList, QStringList>>;
    // Reads "vorn <group> COMMAND ...": looks the sub-command up in the table and parses its
    // words into `arguments`. Returns the exit code when there is nothing more to do: the usage
    // was asked for (0, on out) or is missing (2, on err), or a usage error, printed on err
    // after "vorn <group>: " (2).
    static std::optional<int> parseCommand(const QStringList &args, const Table &known,
                                           const QString &group, const char *usage,
                                           QTextStream &out, QTextStream &err,
                                           CommandArguments &arguments);
};
