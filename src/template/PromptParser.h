#pragma once

#include "ParsedPromptVariable.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QStringView>

#include <optional>

// Finds the {{...}} placeholders of a template and reads each into a variable.
// It never reports errors: what it cannot read is skipped or taken as free text.
class PromptParser {
public:
    // Global lists by key as stored; keys are matched without regard to letter case.
    using GlobalMap = QMap<QString, QStringList>;
    // The same lists keyed by lower-cased key, built once per parse.
    using LowerGlobalMap = QHash<QString, QStringList>;

    // Variables in order of appearance; equal labels are not merged.
    QList<ParsedPromptVariable> parse(const QString &templateText, const GlobalMap &globals) const;
    // One placeholder's inner text; nothing when it declares no variable (empty label).
    std::optional<ParsedPromptVariable> parseVariable(QStringView inner,
                                                      ParsedPromptVariable::Range range,
                                                      const LowerGlobalMap &globals) const;

    // The text with every unpaired surrogate replaced by U+FFFD; same length and positions.
    static QString withoutLoneSurrogates(const QString &text);
    static LowerGlobalMap lowerCased(const GlobalMap &globals);

    // Removes Unicode space separators and horizontal tabs from both ends, nothing else.
    static QStringView trim(QStringView text);
    // Upper-cases the first character of every word and lower-cases the rest; words are
    // separated by spaces, tabs and line breaks.
    static QString capitalized(QStringView text);
    // A strict "yyyy-MM-dd" calendar date, as the start of that day in local time.
    static std::optional<QDateTime> readDate(QStringView text);
    // The whole text as a C-locale floating-point number (strtod forms, inf, nan, hex),
    // without leading white space or anything left over.
    static std::optional<double> readNumber(QStringView text);
    // C "%g", independent of the process locale.
    static QString formatNumber(double value);
};
