#include "TemplateForm.h"

#include "RandomId.h"

#include <QRegularExpression>
#include <QSet>

#include <algorithm>

namespace {
const QChar Quote = u'"';

QString quoted(const QString &value)
{
    return Quote + value + Quote;
}
} // namespace

void TemplateForm::setup(const QString &templateText, const QStringList &suffixes,
                         const PromptParser::GlobalMap &globals, const Recall &recall)
{
    m_template = templateText;
    for (const QString &suffix : suffixes)
        if (!suffix.isEmpty())
            m_template += u'\n' + suffix;
    m_variables = m_parser.parse(m_template, globals);

    m_inputs.clear();
    for (const ParsedPromptVariable &variable : std::as_const(m_variables)) {
        if (m_inputs.contains(variable.label))
            continue;
        const QString remembered = recall ? recall(variable.label).value_or(QString()) : QString();
        m_inputs.insert(variable.label, remembered.isEmpty() ? defaultValue(variable.type) : remembered);
    }
}

QString TemplateForm::defaultValue(const VariableType &type)
{
    switch (type.kind()) {
    case VariableType::Kind::multilineText:
        return type.defaultText().value_or(QString());
    case VariableType::Kind::comboBox:
        // Options starting with "#" are group headers, not choices.
        for (const QString &option : type.options())
            if (!option.startsWith(u'#'))
                return option;
        return QString();
    case VariableType::Kind::number:
        return type.defaultNumber() ? PromptParser::formatNumber(*type.defaultNumber()) : QString();
    case VariableType::Kind::range:
        return PromptParser::formatNumber(type.min());
    case VariableType::Kind::date:
        // The parser gives the start of the default day in local time; the form renders
        // the calendar day itself, so the text names that day in every time zone.
        return isoDay(type.defaultDate() ? type.defaultDate()->toLocalTime().date() : QDate::currentDate());
    }
    return QString();
}

QStringList TemplateForm::validate() const
{
    QStringList messages;
    QSet<QString> seen;
    for (const ParsedPromptVariable &variable : m_variables) {
        if (seen.contains(variable.label))
            continue;
        seen.insert(variable.label);
        const QString message = messageFor(variable);
        if (!message.isEmpty())
            messages.append(message);
    }
    return messages;
}

QString TemplateForm::message(const QString &label) const
{
    for (const ParsedPromptVariable &variable : m_variables)
        if (variable.label == label)
            return messageFor(variable);
    return QString();
}

QString TemplateForm::messageFor(const ParsedPromptVariable &variable) const
{
    const QString value = m_inputs.value(variable.label).trimmed();
    //: A field left empty; %1 is its label.
    if (value.isEmpty())
        return tr("%1 is missed").arg(variable.label);
    //: %1 is the field's label.
    if (variable.type.kind() == VariableType::Kind::number && !isNumberText(value))
        return tr("%1: Invalid number format (0-9 . , allowed)").arg(variable.label);
    return QString();
}

bool TemplateForm::isNumberText(QStringView text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || c == u'.' || c == u',';
    });
}

QList<TemplateForm::PreviewSegment> TemplateForm::previewSegments() const
{
    QList<ParsedPromptVariable> sorted = m_variables;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto &a, const auto &b) { return a.range.start < b.range.start; });
    QList<PreviewSegment> segments;
    segments.reserve(sorted.size() * 2 + 1);
    qsizetype cursor = 0;
    for (const ParsedPromptVariable &variable : std::as_const(sorted)) {
        if (cursor < variable.range.start)
            segments.append(
                {randomId(), m_template.mid(cursor, variable.range.start - cursor), false});
        segments.append({randomId(), quoted(m_inputs.value(variable.label)), true});
        cursor = std::max(cursor, variable.range.end);
    }
    if (cursor < m_template.size())
        segments.append({randomId(), m_template.mid(cursor), false});
    return segments;
}

QString TemplateForm::generatedPrompt() const
{
    // The variables come from one parse of m_template, so their ranges ascend and never
    // overlap: building front to back gives the same text as replacing back to front.
    QString out;
    out.reserve(m_template.size() + 64);
    qsizetype cursor = 0;
    for (const ParsedPromptVariable &variable : m_variables) {
        if (variable.range.start < cursor || variable.range.end > m_template.size())
            continue;
        out.append(QStringView(m_template).mid(cursor, variable.range.start - cursor));
        out.append(Quote);
        out.append(m_inputs.value(variable.label));
        out.append(Quote);
        cursor = variable.range.end;
    }
    out.append(QStringView(m_template).mid(cursor));
    return out;
}

bool TemplateForm::setInput(const QString &label, const QString &text)
{
    const auto it = m_inputs.constFind(label);
    const bool changed = it == m_inputs.cend() || *it != text;
    m_inputs.insert(label, text);
    return changed;
}

QString TemplateForm::isoDateTime(const QDateTime &date)
{
    return date.toUTC().toString(Qt::ISODate);
}

QString TemplateForm::isoDay(const QDate &day)
{
    return isoDateTime(QDateTime(day, QTime(0, 0), Qt::UTC));
}

QDate TemplateForm::calendarDay(const QDateTime &date)
{
    // Days are written as midnight UTC. Any other time (a value written by hand or by an
    // older version, which stored local midnight) names the day it falls on locally.
    const QDateTime utc = date.toUTC();
    return utc.time() == QTime(0, 0) ? utc.date() : date.toLocalTime().date();
}

std::optional<QDateTime> TemplateForm::readIsoDateTime(const QString &text)
{
    // Internet date-times only: full date, "T", time to the second and a zone.
    static const QRegularExpression shape(
        QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}(?:\\.[0-9]+)?(?:Z|[+"
                       "-][0-9]{2}:[0-9]{2})$"));
    if (!shape.match(text).hasMatch())
        return std::nullopt;
    const QDateTime date = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString TemplateForm::mediumDate(const QDate &date, const QLocale &locale)
{
    // Qt has no medium style: take the long one without the weekday and with the short
    // month name, which gives "Jan 31, 2024", "31 Jan 2024", "31. Jan. 2024" and so on.
    QString format = locale.dateFormat(QLocale::LongFormat);
    const qsizetype weekday = format.indexOf(QLatin1String("dddd"));
    if (weekday >= 0) {
        qsizetype end = weekday + 4;
        while (end < format.size() && (format[end] == u',' || format[end].isSpace()))
            ++end;
        qsizetype begin = weekday;
        if (end == format.size())
            while (begin > 0 && (format[begin - 1] == u',' || format[begin - 1].isSpace()))
                --begin;
        format.remove(begin, end - begin);
    }
    format.replace(QLatin1String("MMMM"), QLatin1String("MMM"));
    return locale.toString(date, format);
}
