#pragma once

#include "ParsedPromptVariable.h"
#include "PromptParser.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <functional>
#include <optional>

// The fill-in form of one template on plain values: the text with its suffixes, the
// variables parsed from it, the value entered per label, validation, the live preview and
// the rendered text. Where values are remembered is the caller's business.
class TemplateForm {
    Q_DECLARE_TR_FUNCTIONS(TemplateForm)

public:
    // One run of the preview: template text, or a filled-in value in quotation marks.
    struct PreviewSegment {
        QUuid id;
        QString text;
        bool isVariable = false;
    };
    // The value last entered for a label, or nothing.
    using Recall = std::function<std::optional<QString>(const QString &label)>;

    // Appends each non-empty suffix on a line of its own, parses the text against the
    // global lists and fills every field: with its remembered value when there is a
    // non-empty one, else with the default of its type.
    void setup(const QString &templateText, const QStringList &suffixes,
               const PromptParser::GlobalMap &globals, const Recall &recall = {});

    // One message per field that cannot be used yet; empty when the form is complete.
    QStringList validate() const;
    QList<PreviewSegment> previewSegments() const;
    QString generatedPrompt() const;

    // The message validate() gives for one field, empty when its value can be used.
    QString message(const QString &label) const;
    // What a number field may hold: digits, "." and "," only (so also the empty text).
    static bool isNumberText(QStringView text);

    // Sets one entry; says whether it changed.
    bool setInput(const QString &label, const QString &text);
    QString input(const QString &label) const { return m_inputs.value(label); }
    const QMap<QString, QString> &inputs() const { return m_inputs; }
    const QList<ParsedPromptVariable> &variables() const { return m_variables; }
    const QString &templateText() const { return m_template; }

    // What a field holds before anything is entered.
    static QString defaultValue(const VariableType &type);
    // Dates are entered and remembered as ISO 8601 date-times in UTC.
    static QString isoDateTime(const QDateTime &date);
    // A calendar day as a date-time field holds it: midnight UTC of that day.
    static QString isoDay(const QDate &day);
    // The calendar day a date-time field names (see isoDay).
    static QDate calendarDay(const QDateTime &date);
    static std::optional<QDateTime> readIsoDateTime(const QString &text);
    // The medium date style of a locale, e.g. "Jan 31, 2024" in US English.
    static QString mediumDate(const QDate &date, const QLocale &locale);

private:
    QString messageFor(const ParsedPromptVariable &variable) const;

    PromptParser m_parser;
    QString m_template;
    QList<ParsedPromptVariable> m_variables;
    QMap<QString, QString> m_inputs;
};
