#include "FormViewModel.h"

#include "FirstByKey.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptGlobalVariable.h"
#include "PromptTag.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QLocale>

#include <utility>

FormViewModel::FormViewModel(ModelContext *context, UserDefaults *defaults, QObject *parent)
    : QObject(parent), m_context(context), m_defaults(defaults)
{
}

void FormViewModel::setup(const QString &templateText, const QUuid &promptId)
{
    load(promptId);
    fill(templateText, promptId, storeGlobals(m_context));
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
        found ? TemplateForm::mediumDate(found->updatedAt().toLocalTime().date(), QLocale()) : QString();
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

QVariantList FormViewModel::previewSegmentList() const
{
    QVariantList list;
    for (const PreviewSegment &segment : previewSegments())
        list.append(QVariantMap{{QStringLiteral("id"), segment.id.toString(QUuid::WithoutBraces)},
                                {QStringLiteral("text"), segment.text},
                                {QStringLiteral("isVariable"), segment.isVariable}});
    return list;
}

void FormViewModel::fill(const QString &templateText, const QUuid &promptId,
                         const PromptParser::GlobalMap &globals)
{
    QStringList suffixes;
    if (m_prompt && m_defaults) {
        for (PromptTag *tag : m_prompt->tags()) {
            const QString key = QStringLiteral("tag_") + tag->name() + QStringLiteral("_suffix");
            suffixes.append(m_defaults->stringValue(key).value_or(QString()));
        }
    }
    m_promptId = promptId.isNull() ? std::nullopt : std::optional<QUuid>(promptId);
    TemplateForm::Recall recall;
    if (m_defaults)
        recall = [this](const QString &label) { return remembered(label); };
    m_form.setup(templateText, suffixes, globals, recall);
    Q_EMIT variablesChanged();
    Q_EMIT inputsChanged();
}

PromptParser::GlobalMap FormViewModel::storeGlobals(ModelContext *context)
{
    PromptParser::GlobalMap globals;
    if (!context)
        return globals;
    const FirstByKey<QString, PromptGlobalVariable> byKey(
        context->fetch<PromptGlobalVariable>(), [](PromptGlobalVariable *list) { return list->key(); });
    for (PromptGlobalVariable *list : byKey.ordered())
        globals.insert(list->key(), list->values());
    return globals;
}

QStringList FormViewModel::validate() const
{
    return m_form.validate();
}

QString FormViewModel::message(const QString &label) const
{
    return m_form.message(label);
}

QList<FormViewModel::PreviewSegment> FormViewModel::previewSegments() const
{
    return m_form.previewSegments();
}

QString FormViewModel::generatedPrompt() const
{
    return m_form.generatedPrompt();
}

void FormViewModel::store(const QString &label, const QString &text)
{
    const bool changed = m_form.setInput(label, text);
    if (m_holdBack)
        m_heldBack.insert(label);
    else if (m_defaults)
        m_defaults->setValue(storageKey(label), text);
    if (changed)
        Q_EMIT inputsChanged();
}

void FormViewModel::rememberEntries()
{
    m_holdBack = false;
    const QSet<QString> labels = std::exchange(m_heldBack, {});
    if (!m_defaults)
        return;
    for (const QString &label : labels)
        m_defaults->setValue(storageKey(label), m_form.input(label));
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
    return m_form.input(label);
}

void FormViewModel::setValue(const QString &label, const QString &text)
{
    store(label, text);
}

double FormViewModel::numberValue(const QString &label) const
{
    return PromptParser::readNumber(m_form.input(label)).value_or(0.0);
}

void FormViewModel::setNumberValue(const QString &label, double number)
{
    store(label, PromptParser::formatNumber(number));
}

QDateTime FormViewModel::dateValue(const QString &label) const
{
    return TemplateForm::readIsoDateTime(m_form.input(label)).value_or(QDateTime::currentDateTime());
}

void FormViewModel::setDateValue(const QString &label, const QDateTime &date)
{
    store(label, TemplateForm::isoDateTime(date));
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
    QString escaped = label;
    escaped.replace(u'%', QLatin1String("%25"))
        .replace(u'/', QLatin1String("%2F"))
        .replace(u'\\', QLatin1String("%5C"));
    return m_promptId ? uuidText(*m_promptId) + u'-' + escaped : escaped;
}

QString FormViewModel::legacyStorageKey(const QString &label) const
{
    return m_promptId ? uuidText(*m_promptId) + u'-' + label : label;
}

std::optional<QString> FormViewModel::remembered(const QString &label) const
{
    if (std::optional<QString> value = m_defaults->stringValue(storageKey(label)))
        return value;
    const QString legacy = legacyStorageKey(label);
    if (legacy == storageKey(label))
        return std::nullopt;
    return m_defaults->stringValue(legacy);
}

void FormViewModel::seedTagTextSuffix(UserDefaults *defaults)
{
    // The form appends this suffix to prompts tagged "text"; a user's own sentence stays.
    if (!defaults->stringValue(QLatin1String(TagTextSuffixKey)))
        defaults->setValue(QLatin1String(TagTextSuffixKey), QString::fromUtf8(DefaultTagTextSuffix));
}

QVariantMap FormViewModel::inputsMap() const
{
    QVariantMap map;
    for (auto it = m_form.inputs().cbegin(); it != m_form.inputs().cend(); ++it)
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
    list.reserve(m_form.variables().size());
    for (const ParsedPromptVariable &variable : m_form.variables()) {
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

