#include "AdminPromptEditorViewModel.h"

#include "DataController.h"
#include "ModelContext.h"
#include "NameCollator.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptTag.h"

#include <QDateTime>

#include <algorithm>

namespace {
template <class T> QList<QObject *> objects(const QList<T *> &items)
{
    return QList<QObject *>(items.cbegin(), items.cend());
}

// Every item of the store by name, in the browser's order, leaving out the assigned ones.
template <class T> QList<QObject *> choices(const ModelContext *context, const QList<T *> &assigned)
{
    if (!context)
        return {};
    QList<T *> all = context->template fetch<T>();
    NameCollator::sort(all, [](const T *item) { return item->name(); });
    QList<QObject *> out;
    for (T *item : std::as_const(all))
        if (!assigned.contains(item))
            out.append(item);
    return out;
}
} // namespace

AdminPromptEditorViewModel::AdminPromptEditorViewModel(QObject *parent)
    : AdminPromptEditorViewModel(DataController::shared()->mainContext(), nullptr, parent)
{
}

AdminPromptEditorViewModel::AdminPromptEditorViewModel(ModelContext *context, UserDefaults *, QObject *parent)
    : QObject(parent), m_context(context)
{
}

void AdminPromptEditorViewModel::setPrompt(Prompt *prompt)
{
    if (prompt == m_prompt)
        return;
    if (m_prompt)
        disconnect(m_prompt, nullptr, this, nullptr);
    m_prompt = prompt;
    if (prompt) {
        connect(prompt, &Prompt::categoriesChanged, this, &AdminPromptEditorViewModel::categoriesChanged);
        connect(prompt, &Prompt::tagsChanged, this, &AdminPromptEditorViewModel::tagsChanged);
    }
    Q_EMIT promptChanged();
    Q_EMIT categoriesChanged();
    Q_EMIT tagsChanged();
}

QObject *AdminPromptEditorViewModel::promptObject() const
{
    return m_prompt.data();
}

void AdminPromptEditorViewModel::setPromptObject(QObject *prompt)
{
    setPrompt(qobject_cast<Prompt *>(prompt));
}

QList<QObject *> AdminPromptEditorViewModel::categories() const
{
    return m_prompt ? objects(m_prompt->categories()) : QList<QObject *>();
}

QList<QObject *> AdminPromptEditorViewModel::tags() const
{
    return m_prompt ? objects(m_prompt->tags()) : QList<QObject *>();
}

QList<QObject *> AdminPromptEditorViewModel::categoryChoices() const
{
    return choices<PromptCategory>(m_context, m_prompt ? m_prompt->categories() : QList<PromptCategory *>());
}

QList<QObject *> AdminPromptEditorViewModel::tagChoices() const
{
    return choices<PromptTag>(m_context, m_prompt ? m_prompt->tags() : QList<PromptTag *>());
}

QString AdminPromptEditorViewModel::categoryMenuText() const
{
    return m_context && m_context->count<PromptCategory>() == 0 ? tr(NoCategoriesText) : QString();
}

QString AdminPromptEditorViewModel::tagMenuText() const
{
    return m_context && m_context->count<PromptTag>() == 0 ? tr(NoTagsText) : QString();
}

void AdminPromptEditorViewModel::touch()
{
    m_prompt->setUpdatedAt(QDateTime::currentDateTime());
}

void AdminPromptEditorViewModel::addCategory(QObject *category)
{
    auto *c = qobject_cast<PromptCategory *>(category);
    if (!m_prompt || !c || m_prompt->categories().contains(c))
        return;
    m_prompt->addCategory(c);
    touch();
}

void AdminPromptEditorViewModel::removeCategory(QObject *category)
{
    auto *c = qobject_cast<PromptCategory *>(category);
    if (!m_prompt || !c || !m_prompt->categories().contains(c))
        return;
    m_prompt->removeCategory(c);
    touch();
}

void AdminPromptEditorViewModel::addTag(QObject *tag)
{
    auto *t = qobject_cast<PromptTag *>(tag);
    if (!m_prompt || !t || m_prompt->tags().contains(t))
        return;
    m_prompt->addTag(t);
    touch();
}

void AdminPromptEditorViewModel::removeTag(QObject *tag)
{
    auto *t = qobject_cast<PromptTag *>(tag);
    if (!m_prompt || !t || !m_prompt->tags().contains(t))
        return;
    m_prompt->removeTag(t);
    touch();
}
