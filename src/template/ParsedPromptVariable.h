#pragma once

#include "VariableType.h"

#include <QUuid>

// One placeholder found in a template: its display label, its kind of input and where
// it sits in the parsed text. Positions are QString (UTF-16) indexes into that exact text.
struct ParsedPromptVariable {
    // Half-open: from the first "{" of the opening braces to just past the closing ones.
    struct Range {
        qsizetype start = 0;
        qsizetype end = 0;
        qsizetype length() const { return end - start; }
        bool operator==(const Range &other) const = default;
    };

    QUuid id; // fresh on every parse; identity in lists, not part of equality
    QString label;
    VariableType type = VariableType::multilineText();
    Range range;

    bool operator==(const ParsedPromptVariable &other) const
    {
        return label == other.label && type == other.type && range == other.range;
    }
    bool operator!=(const ParsedPromptVariable &other) const { return !(*this == other); }
};
