#include "PromptEditorViewModel.h"

#include "DataController.h"
#include "ModelContext.h"
#include "NameCollator.h"
#include "Prompt.h"
#include "PromptGlobalVariable.h"
#include "PromptParser.h"
#include "UserDefaults.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QTimer>

#include <algorithm>

PromptEditorViewModel::PromptEditorViewModel(QObject *parent)
    : PromptEditorViewModel(DataController::shared()->mainContext(), UserDefaults::standard(), parent)
{
}

PromptEditorViewModel::PromptEditorViewModel(ModelContext *context, UserDefaults *, QObject *parent)
    : QObject(parent), m_context(context), m_backup([] { DataController::shared()->createBackup(); })
{
    if (context)
        connect(context, &ModelContext::objectsChanged, this, &PromptEditorViewModel::variablesChanged);
}

PromptEditorViewModel::~PromptEditorViewModel() = default;

QObject *PromptEditorViewModel::promptObject() const
{
    return m_prompt.data();
}

void PromptEditorViewModel::setPromptObject(QObject *object)
{
    setPrompt(qobject_cast<Prompt *>(object));
}

void PromptEditorViewModel::setPrompt(Prompt *prompt)
{
    if (prompt == m_prompt)
        return;
    m_prompt = prompt;
    setTitle(prompt ? prompt->title() : QString());
    setDescription(prompt ? prompt->promptDescription() : QString());
    setTemplateText(prompt ? prompt->templateText() : QString());
    Q_EMIT promptChanged();
}

void PromptEditorViewModel::setTitle(const QString &title)
{
    if (title == m_title)
        return;
    m_title = title;
    Q_EMIT titleChanged();
}

void PromptEditorViewModel::setDescription(const QString &description)
{
    if (description == m_description)
        return;
    m_description = description;
    Q_EMIT descriptionChanged();
}

void PromptEditorViewModel::setTemplateText(const QString &text)
{
    if (text == m_template)
        return;
    m_template = text;
    Q_EMIT templateChanged();
}

QList<PromptGlobalVariable *> PromptEditorViewModel::sortedVariables() const
{
    QList<PromptGlobalVariable *> variables;
    if (m_context)
        variables = m_context->fetch<PromptGlobalVariable>();
    NameCollator::sort(variables, [](const PromptGlobalVariable *variable) { return variable->key(); });
    return variables;
}

QVariantList PromptEditorViewModel::variables() const
{
    QVariantList list;
    for (const PromptGlobalVariable *variable : sortedVariables())
        list.append(QVariantMap{{QStringLiteral("key"), variable->key()},
                                {QStringLiteral("snippet"), snippetForKey(variable->key())},
                                {QStringLiteral("help"), helpForValues(variable->values())},
                                {QStringLiteral("values"), variable->values().mid(0, PreviewValueCount)}});
    return list;
}

QString PromptEditorViewModel::labelForKey(const QString &key)
{
    QString spaced = key;
    spaced.replace(u'_', u' ');
    return PromptParser::capitalized(spaced);
}

QString PromptEditorViewModel::snippetForKey(const QString &key)
{
    return QStringLiteral("{{") + labelForKey(key) + QStringLiteral(": [") + key + QStringLiteral("]}}");
}

QString PromptEditorViewModel::helpForValues(const QStringList &values)
{
    return values.mid(0, PreviewValueCount).join(u'\n');
}

void PromptEditorViewModel::copySnippet(const QString &key)
{
    QGuiApplication::clipboard()->setText(snippetForKey(key), QClipboard::Clipboard);
    Q_EMIT copied();
}

void PromptEditorViewModel::save()
{
    if (Prompt *prompt = m_prompt) {
        prompt->setTitle(m_title);
        prompt->setPromptDescription(m_description);
        prompt->setTemplateText(m_template);
        prompt->setUpdatedAt(QDateTime::currentDateTime());
    }
    Q_EMIT closed();
    // After the current event, and not tied to this object: the sheet (and with it this
    // model) may be gone by then.
    if (m_prompt && m_backup)
        QTimer::singleShot(0, QCoreApplication::instance(), m_backup);
}

void PromptEditorViewModel::cancel()
{
    Q_EMIT closed();
}
