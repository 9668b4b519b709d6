#include "PromptCategory.h"

#include "Prompt.h"
#include "UserAttributeLink.h"

PromptCategory::PromptCategory(QObject *parent) : PersistentModel(parent), m_id(QUuid::createUuid()) {}

void PromptCategory::setId(const QUuid &id) { assign(m_id, id, &PromptCategory::idChanged); }
void PromptCategory::setName(const QString &name) { assign(m_name, name, &PromptCategory::nameChanged); }
void PromptCategory::setIconSymbol(const QString &symbol) { assign(m_iconSymbol, symbol, &PromptCategory::iconSymbolChanged); }
void PromptCategory::setCategoryDescription(const QString &text) { assign(m_categoryDescription, text, &PromptCategory::categoryDescriptionChanged); }
void PromptCategory::setSortOrder(qint64 order) { assign(m_sortOrder, order, &PromptCategory::sortOrderChanged); }

void PromptCategory::setPrompts(const QList<Prompt *> &prompts)
{
    // The links are stored on the prompt side; go through it so both sides stay in step.
    const QList<Prompt *> previous = m_prompts;
    for (Prompt *prompt : previous)
        if (!prompts.contains(prompt))
            prompt->removeCategory(this);
    for (Prompt *prompt : prompts)
        if (prompt)
            prompt->addCategory(this);
}

void PromptCategory::setAttributes(UserAttribute *attribute)
{
    UserAttributeLink<PromptCategory, &UserAttribute::m_category, &UserAttribute::categoryChanged>::set(this, attribute);
}

void PromptCategory::forwardAttributeSignals(UserAttribute *attribute)
{
    connect(attribute, &UserAttribute::isHiddenChanged, this, &PromptCategory::isHiddenChanged);
}

void PromptCategory::emitDerivedChanged() { Q_EMIT isHiddenChanged(); }

bool PromptCategory::isHidden() const { return m_attributes && m_attributes->isHidden(); }

UserAttribute *PromptCategory::ensureAttribute()
{
    return UserAttributeLink<PromptCategory, &UserAttribute::m_category, &UserAttribute::categoryChanged>::ensure(this);
}

void PromptCategory::nullifyRelationships()
{
    setPrompts({});
    setAttributes(nullptr);
}

QList<PersistentModel *> PromptCategory::linkedObjects() const
{
    QList<PersistentModel *> out;
    if (m_attributes)
        out << m_attributes;
    return out;
}
