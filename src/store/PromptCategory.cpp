#include "PromptCategory.h"

#include "Prompt.h"
#include "UserAttribute.h"

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
    if (attribute == m_attributes)
        return;
    if (UserAttribute *old = m_attributes) {
        disconnect(old, nullptr, this, nullptr);
        old->m_category = nullptr;
        old->markChanged();
        Q_EMIT old->categoryChanged();
    }
    if (attribute) {
        if (PromptCategory *previousOwner = attribute->m_category) {
            disconnect(attribute, nullptr, previousOwner, nullptr);
            previousOwner->m_attributes = nullptr;
            Q_EMIT previousOwner->attributesChanged();
            Q_EMIT previousOwner->isHiddenChanged();
        }
        adopt(attribute);
        attribute->m_category = this;
        attribute->markChanged();
        Q_EMIT attribute->categoryChanged();
        connect(attribute, &UserAttribute::isHiddenChanged, this, &PromptCategory::isHiddenChanged);
    }
    m_attributes = attribute;
    Q_EMIT attributesChanged();
    Q_EMIT isHiddenChanged();
}

bool PromptCategory::isHidden() const { return m_attributes && m_attributes->isHidden(); }

UserAttribute *PromptCategory::ensureAttribute()
{
    if (!m_attributes) {
        auto *attribute = new UserAttribute;
        attribute->setTargetID(m_id);
        setAttributes(attribute);
    }
    return m_attributes;
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
