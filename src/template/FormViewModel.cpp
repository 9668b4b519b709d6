#include "FormViewModel.h"

#include "RandomId.h"

#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptGlobalVariable.h"
#include "PromptTag.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QLocale>
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

FormViewModel::FormViewModel(ModelContext *context, UserDefaults *defaults, QObject *parent)
    : QObject(parent), m_context(context), m_defaults(defaults)
{
}

void FormViewModel::setup(const QString &templateText, const QUuid &promptId)
{
    load(promptId);
    fill(templateText, promptId, storeGlobals());
}

void FormViewModel::setup(const QString &templateText, const QUuid &promptId,
                          const PromptParser::GlobalMap &globals)
{
    load(promptId);
    fill(templateText, promptId, globals);
}

void FormViewModel::load(const QUuid &promptId)
{
    Prompt *found = nullptr;
    if (m_context && !promptId.isNull()) {
        for (Prompt *prompt : m_context->fetch<Prompt>()) {
            if (prompt->id() == promptId) {
                found = prompt;
                break;
            }
        }
    }
    // A prompt that is not found clears the previous one, so that neither its tag
    // suffixes nor its usage count carry over to another template.
    m_prompt = found;
    const QString title = found ? found->title() : QString();
    const qint64 usage = found ? found->usageCount() : 0;
    const QString updated =
        found ? mediumDate(found->updatedAt().toLocalTime().date(), QLocale()) : QString();
    if (title != m_title) {
        m_title = title;
        Q_EMIT titleChanged();
    }
    if (usage != m_usageCount) {
        m_usageCount = usage;
        Q_EMIT usageCountChanged();
    }
    if (updated != m_updatedString) {
        m_updatedString = updated;
        Q_EMIT updatedStringChanged();
    }
}

void FormViewModel::fill(const QString &templateText, const QUuid &promptId,
                         const PromptParser::GlobalMap &globals)
{
    QString text = templateText;
    if (m_prompt && m_defaults) {
        for (PromptTag *tag : m_prompt->tags()) {
            const QString key = QStringLiteral("tag_") + tag->name() + QStringLiteral("_suffix");
            const QString suffix = m_defaults->stringValue(key).value_or(QString());
            if (!suffix.isEmpty())
                text += u'\n' + suffix;
        }
    }
    m_template = text;
    m_promptId = promptId.isNull() ? std::nullopt : std::optional<QUuid>(promptId);
    m_variables = m_parser.parse(m_template, globals);

    m_inputs.clear();
    for (const ParsedPromptVariable &variable : std::as_const(m_variables)) {
        if (m_inputs.contains(variable.label))
            continue;
        if (m_defaults) {
            const QString remembered =
                m_defaults->stringValue(storageKey(variable.label)).value_or(QString());
            if (!remembered.isEmpty()) {
                m_inputs.insert(variable.label, remembered);
                continue;
            }
        }
        m_inputs.insert(variable.label, defaultValue(variable.type));
    }
    Q_EMIT variablesChanged();
    Q_EMIT inputsChanged();
}

PromptParser::GlobalMap FormViewModel::storeGlobals() const
{
    PromptParser::GlobalMap globals;
    if (!m_context)
        return globals;
    for (PromptGlobalVariable *variable : m_context->fetch<PromptGlobalVariable>()) {
        if (!globals.contains(variable->key()))
            globals.insert(variable->key(), variable->values());
    }
    return globals;
}

QString FormViewModel::defaultValue(const VariableType &type) const
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
        return isoDateTime(type.defaultDate().value_or(QDateTime::currentDateTime()));
    }
    return QString();
}

QStringList FormViewModel::validate() const
{
    QStringList messages;
    QSet<QString> seen;
    for (const ParsedPromptVariable &variable : m_variables) {
        if (seen.contains(variable.label))
            continue;
        seen.insert(variable.label);
        const QString value = m_inputs.value(variable.label).trimmed();
        if (value.isEmpty()) {
            messages.append(variable.label + QStringLiteral(" is missed"));
            continue;
        }
        if (variable.type.kind() == VariableType::Kind::number) {
            const bool digitsOnly = std::all_of(value.cbegin(), value.cend(), [](QChar c) {
                return (c >= u'0' && c <= u'9') || c == u'.' || c == u',';
            });
            if (!digitsOnly)
                messages.append(variable.label +
                                QStringLiteral(": Invalid number format (0-9 . , allowed)"));
        }
    }
    return messages;
}

QList<FormViewModel::PreviewSegment> FormViewModel::previewSegments() const
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

QVariantList FormViewModel::previewSegmentList() const
{
    QVariantList list;
    for (const PreviewSegment &segment : previewSegments())
        list.append(QVariantMap{{QStringLiteral("id"), segment.id.toString(QUuid::WithoutBraces)},
                                {QStringLiteral("text"), segment.text},
                                {QStringLiteral("isVariable"), segment.isVariable}});
    return list;
}

QString FormViewModel::generatedPrompt() const
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

void FormViewModel::recordUsage()
{
    Prompt *prompt = m_prompt;
    if (!prompt || prompt->isDeleted())
        return;
    const qint64 count = prompt->usageCount() + 1;
    UserAttribute *attribute = prompt->ensureAttribute();
    attribute->setUsageCount(count);
    // Also the time of use, which the "Last Used" section of the library lists by.
    attribute->setLastUsedAt(QDateTime::currentDateTime());
    ++m_usageCount;
    Q_EMIT usageCountChanged();

    for (PromptCategory *category : prompt->categories()) {
        UserAttribute *categoryAttribute = category->ensureAttribute();
        categoryAttribute->setUsageCount(categoryAttribute->usageCount() + 1);
    }
    if (m_context)
        m_context->save();
}

QString FormViewModel::value(const QString &label) const
{
    return m_inputs.value(label);
}

void FormViewModel::setValue(const QString &label, const QString &text)
{
    store(label, text);
}

double FormViewModel::numberValue(const QString &label) const
{
    return PromptParser::readNumber(m_inputs.value(label)).value_or(0.0);
}

void FormViewModel::setNumberValue(const QString &label, double number)
{
    store(label, PromptParser::formatNumber(number));
}

QDateTime FormViewModel::dateValue(const QString &label) const
{
    return readIsoDateTime(m_inputs.value(label)).value_or(QDateTime::currentDateTime());
}

void FormViewModel::setDateValue(const QString &label, const QDateTime &date)
{
    store(label, isoDateTime(date));
}

void FormViewModel::store(const QString &label, const QString &text)
{
    const auto it = m_inputs.constFind(label);
    const bool changed = it == m_inputs.cend() || *it != text;
    m_inputs.insert(label, text);
    if (m_defaults)
        m_defaults->setValue(storageKey(label), text);
    if (changed)
        Q_EMIT inputsChanged();
}

void FormViewModel::setSortState(const QString &label, bool sorted)
{
    const auto it = m_sortStates.constFind(label);
    if (it != m_sortStates.cend() && *it == sorted)
        return;
    m_sortStates.insert(label, sorted);
    Q_EMIT sortStatesChanged();
}

QString FormViewModel::storageKey(const QString &label) const
{
    if (!m_promptId)
        return label;
    return uuidText(*m_promptId) + u'-' + label;
}

QVariantMap FormViewModel::inputsMap() const
{
    QVariantMap map;
    for (auto it = m_inputs.cbegin(); it != m_inputs.cend(); ++it)
        map.insert(it.key(), it.value());
    return map;
}

QVariantMap FormViewModel::sortStatesMap() const
{
    QVariantMap map;
    for (auto it = m_sortStates.cbegin(); it != m_sortStates.cend(); ++it)
        map.insert(it.key(), it.value());
    return map;
}

QVariantList FormViewModel::variableList() const
{
    QVariantList list;
    list.reserve(m_variables.size());
    for (const ParsedPromptVariable &variable : m_variables) {
        const VariableType &type = variable.type;
        QVariantMap map{{QStringLiteral("id"), variable.id.toString(QUuid::WithoutBraces)},
                        {QStringLiteral("label"), variable.label},
                        {QStringLiteral("kind"), type.kindName()},
                        {QStringLiteral("start"), variable.range.start},
                        {QStringLiteral("end"), variable.range.end}};
        switch (type.kind()) {
        case VariableType::Kind::multilineText:
            map.insert(QStringLiteral("defaultText"), type.defaultText().value_or(QString()));
            break;
        case VariableType::Kind::comboBox:
            map.insert(QStringLiteral("options"), type.options());
            break;
        case VariableType::Kind::number:
            if (type.defaultNumber())
                map.insert(QStringLiteral("defaultNumber"), *type.defaultNumber());
            break;
        case VariableType::Kind::range:
            map.insert(QStringLiteral("min"), type.min());
            map.insert(QStringLiteral("max"), type.max());
            break;
        case VariableType::Kind::date:
            if (type.defaultDate())
                map.insert(QStringLiteral("defaultDate"), *type.defaultDate());
            break;
        }
        list.append(map);
    }
    return list;
}

QString FormViewModel::isoDateTime(const QDateTime &date)
{
    return date.toUTC().toString(Qt::ISODate);
}

std::optional<QDateTime> FormViewModel::readIsoDateTime(const QString &text)
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

QString FormViewModel::mediumDate(const QDate &date, const QLocale &locale)
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
