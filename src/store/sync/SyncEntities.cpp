#include "SyncEntities.h"

#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptGlobalVariable.h"
#include "PromptTag.h"
#include "SyncSchema.h"
#include "UserAttribute.h"

#include <QJsonArray>

namespace {
QJsonValue ms(const QDateTime &at)
{
    return at.isValid() ? QJsonValue(double(at.toMSecsSinceEpoch())) : QJsonValue(QJsonValue::Null);
}

QDateTime dateOf(const QJsonValue &value)
{
    return value.isNull() ? QDateTime() : QDateTime::fromMSecsSinceEpoch(qint64(value.toDouble()), Qt::UTC);
}

QJsonValue optionalText(const QString &text)
{
    return text.isNull() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

template <class T, class KeyOf> void indexAll(const ModelContext &context, QHash<QString, T *> &into, KeyOf keyOf)
{
    const QList<T *> all = context.fetch<T>();
    into.reserve(all.size());
    for (T *object : all) {
        const QString key = keyOf(object);
        if (!into.contains(key))
            into.insert(key, object);
    }
}

SyncEntities::Fields promptFields(const Prompt *p)
{
    QJsonArray categories;
    for (const PromptCategory *c : p->categories())
        categories.append(c->idText());
    QJsonArray tags;
    for (const PromptTag *t : p->tags())
        tags.append(t->name());
    return {{QStringLiteral("title"), p->title()},
            {QStringLiteral("description"), p->promptDescription()},
            {QStringLiteral("template"), p->templateText()},
            {QStringLiteral("created"), ms(p->createdAt())},
            {QStringLiteral("updated"), ms(p->updatedAt())},
            {QStringLiteral("hot"), p->isHot()},
            {QStringLiteral("active"), p->isActive()},
            {QStringLiteral("categories"), categories},
            {QStringLiteral("tags"), tags}};
}

SyncEntities::Fields categoryFields(const PromptCategory *c)
{
    return {{QStringLiteral("name"), c->name()},
            {QStringLiteral("icon"), c->iconSymbol()},
            {QStringLiteral("description"), optionalText(c->categoryDescription())},
            {QStringLiteral("sortOrder"), double(c->sortOrder())}};
}

SyncEntities::Fields attributeFields(const UserAttribute *a)
{
    return {{QStringLiteral("favorite"), a->isFavorite()},
            {QStringLiteral("hidden"), a->isHidden()},
            {QStringLiteral("lastUsed"), ms(a->lastUsedAt())},
            {SyncEntities::Usage, double(a->usageCount())}};
}

// The value of a merged field, when someone wrote it.
const QJsonValue *valueOf(const SyncState::Entity &entity, const char *field)
{
    const SyncState::Winner *winner = entity.field(QLatin1String(field));
    return winner ? &winner->value : nullptr;
}

QStringList textList(const QJsonValue &value)
{
    QStringList out;
    for (const QJsonValue &entry : value.toArray())
        out.append(entry.toString());
    return out;
}

template <class T> bool removeFrom(ModelContext &context, QHash<QString, T *> &index, const QString &key)
{
    T *object = index.take(key);
    if (!object)
        return false;
    // Copies of one id (left for the clean-up) go too: the entity is deleted.
    for (T *copy : context.fetch<T>()) {
        if (copy != object && SyncEntities::idOf(copy).second == key)
            context.remove(copy);
    }
    context.remove(object);
    return true;
}

UserAttribute *unlinkedAttribute(SyncEntities::Index &index, const QString &key)
{
    UserAttribute *attribute = index.attributes.value(key);
    return attribute && !attribute->prompt() && !attribute->category() ? attribute : nullptr;
}

bool applyPrompt(ModelContext &context, SyncEntities::Index &index, const SyncState::Entity &entity)
{
    Prompt *prompt = index.prompts.value(entity.key);
    if (!entity.present())
        return removeFrom(context, index.prompts, entity.key);
    bool changed = false;
    if (!prompt) {
        if (!entity.field(QStringLiteral("title")) && !entity.field(QStringLiteral("template")))
            return false; // only user state written, no content: nothing to make a prompt from
        prompt = new Prompt;
        prompt->setId(uuidFromText(entity.key));
        prompt->setCreatedAt({});
        prompt->setUpdatedAt({});
        context.insert(prompt);
        if (UserAttribute *attribute = unlinkedAttribute(index, entity.key))
            prompt->setAttributes(attribute);
        index.prompts.insert(entity.key, prompt);
        changed = true;
    }
    const SyncEntities::Fields current = promptFields(prompt);
    auto differs = [&](const char *field) -> const QJsonValue * {
        const QJsonValue *value = valueOf(entity, field);
        return value && *value != current.value(QLatin1String(field)) ? value : nullptr;
    };
    if (const QJsonValue *v = differs("title"))
        prompt->setTitle(v->toString()), changed = true;
    if (const QJsonValue *v = differs("description"))
        prompt->setPromptDescription(v->toString()), changed = true;
    if (const QJsonValue *v = differs("template"))
        prompt->setTemplateText(v->toString()), changed = true;
    if (const QJsonValue *v = differs("created"))
        prompt->setCreatedAt(dateOf(*v)), changed = true;
    if (const QJsonValue *v = differs("updated"))
        prompt->setUpdatedAt(dateOf(*v)), changed = true;
    if (const QJsonValue *v = differs("hot"))
        prompt->setHot(v->toBool()), changed = true;
    if (const QJsonValue *v = differs("active"))
        prompt->setActive(v->toBool()), changed = true;
    if (const QJsonValue *v = differs("categories")) {
        QList<PromptCategory *> categories;
        for (const QString &id : textList(*v))
            if (PromptCategory *category = index.categories.value(id))
                categories.append(category);
        prompt->setCategories(categories);
        changed = true;
    }
    if (const QJsonValue *v = differs("tags")) {
        QList<PromptTag *> tags;
        for (const QString &name : textList(*v)) {
            PromptTag *tag = index.tags.value(name);
            if (!tag) {
                tag = new PromptTag;
                tag->setName(name);
                context.insert(tag);
                index.tags.insert(name, tag);
            }
            tags.append(tag);
        }
        prompt->setTags(tags);
        changed = true;
    }
    return changed;
}

bool applyCategory(ModelContext &context, SyncEntities::Index &index, const SyncState::Entity &entity)
{
    PromptCategory *category = index.categories.value(entity.key);
    if (!entity.present())
        return removeFrom(context, index.categories, entity.key);
    bool changed = false;
    if (!category) {
        if (!entity.field(QStringLiteral("name")))
            return false;
        category = new PromptCategory;
        category->setId(uuidFromText(entity.key));
        context.insert(category);
        if (UserAttribute *attribute = unlinkedAttribute(index, entity.key))
            category->setAttributes(attribute);
        index.categories.insert(entity.key, category);
        changed = true;
    }
    const SyncEntities::Fields current = categoryFields(category);
    auto differs = [&](const char *field) -> const QJsonValue * {
        const QJsonValue *value = valueOf(entity, field);
        return value && *value != current.value(QLatin1String(field)) ? value : nullptr;
    };
    if (const QJsonValue *v = differs("name"))
        category->setName(v->toString()), changed = true;
    if (const QJsonValue *v = differs("icon"))
        category->setIconSymbol(v->toString()), changed = true;
    if (const QJsonValue *v = differs("description"))
        category->setCategoryDescription(v->isNull() ? QString() : v->toString()), changed = true;
    if (const QJsonValue *v = differs("sortOrder"))
        category->setSortOrder(qint64(v->toDouble())), changed = true;
    return changed;
}

bool applyAttribute(ModelContext &context, SyncEntities::Index &index, const SyncState::Entity &entity)
{
    UserAttribute *attribute = index.attributes.value(entity.key);
    if (!attribute) {
        if (Prompt *prompt = index.prompts.value(entity.key))
            attribute = prompt->ensureAttribute();
        else if (PromptCategory *category = index.categories.value(entity.key))
            attribute = category->ensureAttribute();
        else {
            // Kept for a prompt or category that has not arrived yet; it attaches by id.
            attribute = new UserAttribute;
            attribute->setTargetID(uuidFromText(entity.key));
            context.insert(attribute);
        }
        index.attributes.insert(entity.key, attribute);
    }
    const SyncEntities::Fields before = attributeFields(attribute);
    if (const QJsonValue *v = valueOf(entity, "favorite"))
        attribute->setFavorite(v->toBool());
    if (const QJsonValue *v = valueOf(entity, "hidden"))
        attribute->setHidden(v->toBool());
    if (const QJsonValue *v = valueOf(entity, "lastUsed"))
        attribute->setLastUsedAt(dateOf(*v));
    if (!entity.uses.isEmpty() || !entity.cleared.isEmpty())
        attribute->setUsageCount(entity.usage());
    return attributeFields(attribute) != before;
}

bool applyNamed(ModelContext &context, SyncEntities::Index &index, const SyncState::Entity &entity)
{
    if (entity.entity == SyncSchema::Tag) {
        if (!entity.present())
            return removeFrom(context, index.tags, entity.key);
        if (index.tags.contains(entity.key))
            return false;
        auto *tag = new PromptTag;
        tag->setName(entity.key);
        context.insert(tag);
        index.tags.insert(entity.key, tag);
        return true;
    }
    if (!entity.present())
        return removeFrom(context, index.lists, entity.key);
    const QJsonValue *values = valueOf(entity, "values");
    if (!values)
        return false;
    PromptGlobalVariable *list = index.lists.value(entity.key);
    if (!list) {
        list = new PromptGlobalVariable(entity.key, {});
        context.insert(list);
        index.lists.insert(entity.key, list);
    }
    const QStringList wanted = textList(*values);
    if (list->values() == wanted)
        return false;
    list->setValues(wanted);
    return true;
}
} // namespace

SyncEntities::Index SyncEntities::index(const ModelContext &context)
{
    Index index;
    indexAll<Prompt>(context, index.prompts, [](const Prompt *p) { return p->idText(); });
    indexAll<PromptCategory>(context, index.categories, [](const PromptCategory *c) { return c->idText(); });
    indexAll<PromptTag>(context, index.tags, [](const PromptTag *t) { return t->name(); });
    indexAll<PromptGlobalVariable>(context, index.lists, [](const PromptGlobalVariable *g) { return g->key(); });
    // A linked record is the one its owner shows; it goes before a stray copy.
    const QList<UserAttribute *> attributes = context.fetch<UserAttribute>();
    for (const bool linked : {true, false}) {
        for (UserAttribute *a : attributes) {
            const QString key = uuidText(a->targetID());
            if ((a->prompt() || a->category()) == linked && !index.attributes.contains(key))
                index.attributes.insert(key, a);
        }
    }
    return index;
}

std::pair<QString, QString> SyncEntities::idOf(const PersistentModel *object)
{
    switch (object->modelType()) {
    case ModelType::Prompt:
        return {SyncSchema::Prompt, static_cast<const Prompt *>(object)->idText()};
    case ModelType::Category:
        return {SyncSchema::Category, static_cast<const PromptCategory *>(object)->idText()};
    case ModelType::Tag:
        return {SyncSchema::Tag, static_cast<const PromptTag *>(object)->name()};
    case ModelType::GlobalVariable:
        return {SyncSchema::List, static_cast<const PromptGlobalVariable *>(object)->key()};
    case ModelType::Attribute:
        return {SyncSchema::Attribute, uuidText(static_cast<const UserAttribute *>(object)->targetID())};
    }
    return {};
}

std::optional<SyncEntities::Fields> SyncEntities::read(const Index &index, const QString &entity, const QString &key)
{
    if (entity == SyncSchema::Prompt) {
        if (const Prompt *p = index.prompts.value(key))
            return promptFields(p);
    } else if (entity == SyncSchema::Category) {
        if (const PromptCategory *c = index.categories.value(key))
            return categoryFields(c);
    } else if (entity == SyncSchema::Tag) {
        if (index.tags.contains(key))
            return Fields{{QStringLiteral("exists"), true}};
    } else if (entity == SyncSchema::List) {
        if (const PromptGlobalVariable *g = index.lists.value(key))
            return Fields{{QStringLiteral("values"), QJsonArray::fromStringList(g->values())}};
    } else if (entity == SyncSchema::Attribute) {
        if (const UserAttribute *a = index.attributes.value(key))
            return attributeFields(a);
    }
    return std::nullopt;
}

bool SyncEntities::isDefaultAttribute(const Fields &fields)
{
    return !fields.value(QStringLiteral("favorite")).toBool() && !fields.value(QStringLiteral("hidden")).toBool()
           && fields.value(QStringLiteral("lastUsed")).isNull() && fields.value(Usage).toDouble() == 0;
}

bool SyncEntities::apply(ModelContext &context, Index &index, const SyncState::Entity &entity)
{
    if (entity.entity == SyncSchema::Prompt)
        return applyPrompt(context, index, entity);
    if (entity.entity == SyncSchema::Category)
        return applyCategory(context, index, entity);
    if (entity.entity == SyncSchema::Attribute)
        return applyAttribute(context, index, entity);
    if (entity.entity == SyncSchema::Tag || entity.entity == SyncSchema::List)
        return applyNamed(context, index, entity);
    return false;
}
