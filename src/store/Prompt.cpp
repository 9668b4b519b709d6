#include "Prompt.h"

#include "ModelContext.h"
#include "PromptCategory.h"
#include "StoreLog.h"
#include "PromptTag.h"
#include "UserAttributeLink.h"

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
QString Prompt::templateText() const
{
    if (!m_templateHeld)
        loadTemplate();
    return m_template;
}

void Prompt::setTemplateText(const QString &text)
{
    if (!m_templateHeld && !loadTemplate()) {
        // The stored text cannot be compared with: the new one is a change.
        m_template = text;
        m_templateHeld = true;
        ++m_templateRevision;
        markChanged();
        Q_EMIT templateChanged();
        return;
    }
    if (text != m_template)
        ++m_templateRevision;
    assign(m_template, text, &Prompt::templateChanged);
}

bool Prompt::loadTemplate(QString *error) const
{
    QString why;
    QString stored;
    if (!context()) {
        why = QStringLiteral("the prompt is not in a library");
    } else if (context()->readTemplate(persistentId(), &stored, &why)) {
        holdTemplate(stored);
        return true;
    }
    qCWarning(lcStore).noquote() << "Reading the template of" << idText() << "failed:" << why;
    if (error)
        *error = why;
    return false;
}

void Prompt::holdTemplate(const QString &stored) const
{
    m_template = stored;
    m_templateHeld = true;
}

void Prompt::dropTemplate()
{
    if (!context() || !context()->isOpen() || state() != State::Clean)
        return;
    m_template = QString();
    m_templateHeld = false;
}
void Prompt::setCreatedAt(const QDateTime &at) { assign(m_createdAt, at, &Prompt::createdAtChanged); }
void Prompt::setUpdatedAt(const QDateTime &at) { assign(m_updatedAt, at, &Prompt::updatedAtChanged); }
void Prompt::setHot(bool on) { assign(m_isHot, on, &Prompt::isHotChanged); }
void Prompt::setActive(bool on) { assign(m_isActive, on, &Prompt::isActiveChanged); }
void Prompt::setNew(bool on) { assign(m_isNew, on, &Prompt::isNewChanged); }
void Prompt::setUpdated(bool on) { assign(m_isUpdated, on, &Prompt::isUpdatedChanged); }
void Prompt::setExternalId(const QString &id) { assign(m_externalId, id, &Prompt::externalIdChanged); }

template <class T>
void Prompt::setLinks(QList<T *> &links, const QList<T *> &wanted, void (Prompt::*changed)())
{
    const QList<T *> next = withoutDuplicates(wanted);
    if (next == links)
        return;
    const QList<T *> previous = links;
    links = next;
    for (T *item : previous) {
        if (!next.contains(item)) {
            item->m_prompts.removeAll(this);
            Q_EMIT item->promptsChanged();
        }
    }
    for (T *item : next) {
        if (!previous.contains(item)) {
            adopt(item);
            item->m_prompts.append(this);
            Q_EMIT item->promptsChanged();
        }
    }
    markChanged();
    Q_EMIT(this->*changed)();
}

template <class T> void Prompt::addLink(QList<T *> &links, T *item, void (Prompt::*changed)())
{
    if (item && !links.contains(item))
        setLinks(links, links + QList<T *>{item}, changed);
}

template <class T> void Prompt::removeLink(QList<T *> &links, T *item, void (Prompt::*changed)())
{
    if (links.contains(item)) {
        QList<T *> next = links;
        next.removeAll(item);
        setLinks(links, next, changed);
    }
}

void Prompt::setCategories(const QList<PromptCategory *> &categories) { setLinks(m_categories, categories, &Prompt::categoriesChanged); }
void Prompt::addCategory(PromptCategory *category) { addLink(m_categories, category, &Prompt::categoriesChanged); }
void Prompt::removeCategory(PromptCategory *category) { removeLink(m_categories, category, &Prompt::categoriesChanged); }
void Prompt::setTags(const QList<PromptTag *> &tags) { setLinks(m_tags, tags, &Prompt::tagsChanged); }
void Prompt::addTag(PromptTag *tag) { addLink(m_tags, tag, &Prompt::tagsChanged); }
void Prompt::removeTag(PromptTag *tag) { removeLink(m_tags, tag, &Prompt::tagsChanged); }

void Prompt::setAttributes(UserAttribute *attribute)
{
    UserAttributeLink<Prompt, &UserAttribute::m_prompt, &UserAttribute::promptChanged>::set(this, attribute);
}

void Prompt::forwardAttributeSignals(UserAttribute *attribute)
{
    connect(attribute, &UserAttribute::isFavoriteChanged, this, &Prompt::isFavoriteChanged);
    connect(attribute, &UserAttribute::isHiddenChanged, this, &Prompt::isHiddenChanged);
    connect(attribute, &UserAttribute::usageCountChanged, this, &Prompt::usageCountChanged);
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
    return UserAttributeLink<Prompt, &UserAttribute::m_prompt, &UserAttribute::promptChanged>::ensure(this);
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
