#include "Prompt.h"

#include "PromptCategory.h"
#include "PromptTag.h"
#include "UserAttribute.h"

namespace {
template <class T> QList<T *> withoutDuplicates(const QList<T *> &items)
{
    QList<T *> out;
    out.reserve(items.size());
    for (T *item : items)
        if (item && !out.contains(item))
            out.append(item);
    return out;
}
} // namespace

Prompt::Prompt(QObject *parent)
    : PersistentModel(parent), m_id(QUuid::createUuid()),
      m_createdAt(QDateTime::currentDateTime()), m_updatedAt(m_createdAt)
{
}

void Prompt::setId(const QUuid &id) { assign(m_id, id, &Prompt::idChanged); }
void Prompt::setTitle(const QString &title) { assign(m_title, title, &Prompt::titleChanged); }
void Prompt::setPromptDescription(const QString &text) { assign(m_promptDescription, text, &Prompt::promptDescriptionChanged); }
void Prompt::setTemplateText(const QString &text) { assign(m_template, text, &Prompt::templateChanged); }
void Prompt::setCreatedAt(const QDateTime &at) { assign(m_createdAt, at, &Prompt::createdAtChanged); }
void Prompt::setUpdatedAt(const QDateTime &at) { assign(m_updatedAt, at, &Prompt::updatedAtChanged); }
void Prompt::setHot(bool on) { assign(m_isHot, on, &Prompt::isHotChanged); }
void Prompt::setActive(bool on) { assign(m_isActive, on, &Prompt::isActiveChanged); }
void Prompt::setNew(bool on) { assign(m_isNew, on, &Prompt::isNewChanged); }
void Prompt::setUpdated(bool on) { assign(m_isUpdated, on, &Prompt::isUpdatedChanged); }
void Prompt::setExternalId(const QString &id) { assign(m_externalId, id, &Prompt::externalIdChanged); }

void Prompt::setCategories(const QList<PromptCategory *> &categories)
{
    const QList<PromptCategory *> next = withoutDuplicates(categories);
    if (next == m_categories)
        return;
    const QList<PromptCategory *> previous = m_categories;
    m_categories = next;
    for (PromptCategory *category : previous) {
        if (!next.contains(category)) {
            category->m_prompts.removeAll(this);
            Q_EMIT category->promptsChanged();
        }
    }
    for (PromptCategory *category : next) {
        if (!previous.contains(category)) {
            adopt(category);
            category->m_prompts.append(this);
            Q_EMIT category->promptsChanged();
        }
    }
    markChanged();
    Q_EMIT categoriesChanged();
}

void Prompt::addCategory(PromptCategory *category)
{
    if (category && !m_categories.contains(category))
        setCategories(m_categories + QList<PromptCategory *>{category});
}

void Prompt::removeCategory(PromptCategory *category)
{
    if (m_categories.contains(category)) {
        QList<PromptCategory *> next = m_categories;
        next.removeAll(category);
        setCategories(next);
    }
}

void Prompt::setTags(const QList<PromptTag *> &tags)
{
    const QList<PromptTag *> next = withoutDuplicates(tags);
    if (next == m_tags)
        return;
    const QList<PromptTag *> previous = m_tags;
    m_tags = next;
    for (PromptTag *tag : previous) {
        if (!next.contains(tag)) {
            tag->m_prompts.removeAll(this);
            Q_EMIT tag->promptsChanged();
        }
    }
    for (PromptTag *tag : next) {
        if (!previous.contains(tag)) {
            adopt(tag);
            tag->m_prompts.append(this);
            Q_EMIT tag->promptsChanged();
        }
    }
    markChanged();
    Q_EMIT tagsChanged();
}

void Prompt::addTag(PromptTag *tag)
{
    if (tag && !m_tags.contains(tag))
        setTags(m_tags + QList<PromptTag *>{tag});
}

void Prompt::removeTag(PromptTag *tag)
{
    if (m_tags.contains(tag)) {
        QList<PromptTag *> next = m_tags;
        next.removeAll(tag);
        setTags(next);
    }
}

void Prompt::setAttributes(UserAttribute *attribute)
{
    if (attribute == m_attributes)
        return;
    if (UserAttribute *old = m_attributes) {
        disconnect(old, nullptr, this, nullptr);
        old->m_prompt = nullptr;
        old->markChanged();
        Q_EMIT old->promptChanged();
    }
    if (attribute) {
        if (Prompt *previousOwner = attribute->m_prompt) {
            disconnect(attribute, nullptr, previousOwner, nullptr);
            previousOwner->m_attributes = nullptr;
            Q_EMIT previousOwner->attributesChanged();
            previousOwner->emitDerivedChanged();
        }
        adopt(attribute);
        attribute->m_prompt = this;
        attribute->markChanged();
        Q_EMIT attribute->promptChanged();
        connect(attribute, &UserAttribute::isFavoriteChanged, this, &Prompt::isFavoriteChanged);
        connect(attribute, &UserAttribute::isHiddenChanged, this, &Prompt::isHiddenChanged);
        connect(attribute, &UserAttribute::usageCountChanged, this, &Prompt::usageCountChanged);
    }
    m_attributes = attribute;
    Q_EMIT attributesChanged();
    emitDerivedChanged();
}

void Prompt::emitDerivedChanged()
{
    Q_EMIT isFavoriteChanged();
    Q_EMIT isHiddenChanged();
    Q_EMIT usageCountChanged();
}

bool Prompt::isFavorite() const { return m_attributes && m_attributes->isFavorite(); }
bool Prompt::isHidden() const { return m_attributes && m_attributes->isHidden(); }
qint64 Prompt::usageCount() const { return m_attributes ? m_attributes->usageCount() : 0; }

UserAttribute *Prompt::ensureAttribute()
{
    if (!m_attributes) {
        auto *attribute = new UserAttribute;
        attribute->setTargetID(m_id);
        setAttributes(attribute);
    }
    return m_attributes;
}

void Prompt::nullifyRelationships()
{
    setCategories({});
    setTags({});
    setAttributes(nullptr);
}

QList<PersistentModel *> Prompt::linkedObjects() const
{
    QList<PersistentModel *> out;
    for (PromptCategory *category : m_categories)
        out << category;
    for (PromptTag *tag : m_tags)
        out << tag;
    if (m_attributes)
        out << m_attributes;
    return out;
}
