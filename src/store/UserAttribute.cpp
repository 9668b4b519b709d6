#include "UserAttribute.h"

#include "Prompt.h"
#include "PromptCategory.h"

UserAttribute::UserAttribute(QObject *parent) : PersistentModel(parent), m_targetID(QUuid::createUuid())
{
}

void UserAttribute::setTargetID(const QUuid &id) { assign(m_targetID, id, &UserAttribute::targetIDChanged); }
void UserAttribute::setFavorite(bool on) { assign(m_isFavorite, on, &UserAttribute::isFavoriteChanged); }
void UserAttribute::setUsageCount(qint64 count) { assign(m_usageCount, count, &UserAttribute::usageCountChanged); }
void UserAttribute::setHidden(bool on) { assign(m_isHidden, on, &UserAttribute::isHiddenChanged); }

void UserAttribute::setLastUsedAt(const QDateTime &at)
{
    // Two absent values are equal; QDateTime compares invalid values that way already.
    assign(m_lastUsedAt, at.isValid() ? at : QDateTime(), &UserAttribute::lastUsedAtChanged);
}

void UserAttribute::setPrompt(Prompt *prompt)
{
    if (prompt)
        prompt->setAttributes(this);
    else if (m_prompt)
        m_prompt->setAttributes(nullptr);
}

void UserAttribute::setCategory(PromptCategory *category)
{
    if (category)
        category->setAttributes(this);
    else if (m_category)
        m_category->setAttributes(nullptr);
}

void UserAttribute::nullifyRelationships()
{
    setPrompt(nullptr);
    setCategory(nullptr);
}

QList<PersistentModel *> UserAttribute::linkedObjects() const
{
    QList<PersistentModel *> out;
    if (m_prompt)
        out << m_prompt;
    if (m_category)
        out << m_category;
    return out;
}
