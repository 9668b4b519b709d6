#include "SetOption.h"

std::optional<QPair<QString, QString>> SetOption::split(const QString &text)
{
    const qsizetype equals = text.indexOf(u'=');
    if (equals <= 0)
        return std::nullopt;
    return QPair<QString, QString>{text.left(equals), text.mid(equals + 1)};
}

QString SetOption::malformed(const QString &text)
{
    return QStringLiteral("--set needs LABEL=VALUE, got '%1'").arg(text);
}

std::optional<QString> SetOption::matchLabel(const QString &given,
                                             const QList<ParsedPromptVariable> &variables)
{
    for (const ParsedPromptVariable &variable : variables)
        if (variable.label == given)
            return variable.label;
    const QString trimmed = given.trimmed();
    for (const ParsedPromptVariable &variable : variables)
        if (variable.label.compare(trimmed, Qt::CaseInsensitive) == 0)
            return variable.label;
    return std::nullopt;
}
