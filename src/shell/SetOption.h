#pragma once

#include "ParsedPromptVariable.h"

#include <QList>
#include <QPair>
#include <QString>

#include <optional>

// "--set LABEL=VALUE", as "vorn template render" and "vorn prompts render" read it.
class SetOption {
public:
    // LABEL and VALUE, split at the first "="; nothing when there is no label before it.
    static std::optional<QPair<QString, QString>> split(const QString &text);
    // What the command says when split finds nothing.
    static QString malformed(const QString &text);
    // The field a --set names: its label as listed, else the one label equal to it ignoring
    // case and surrounding spaces ("tone" and " TONE " name "Tone").
    static std::optional<QString> matchLabel(const QString &given,
                                             const QList<ParsedPromptVariable> &variables);
};
