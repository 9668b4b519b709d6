#pragma once

#include "SyncState.h"

#include <QHash>
#include <QJsonValue>

#include <optional>

class ModelContext;
class PersistentModel;
class Prompt;
class PromptCategory;
class PromptTag;
class PromptGlobalVariable;
class UserAttribute;

// The store's objects seen as sync entities: what each one's fields are in a journal, and
// how a merged entity is written back into the store.
class SyncEntities {
public:
    using Fields = QHash<QString, QJsonValue>;
    // The store's usage count of a user record; not a journal field (uses and cleared are).
    static inline const QString Usage = QStringLiteral("usage");

    // The first live object of every key, as the store holds them now.
    struct Index {
        QHash<QString, Prompt *> prompts;
        QHash<QString, PromptCategory *> categories;
        QHash<QString, PromptTag *> tags;
        QHash<QString, PromptGlobalVariable *> lists;
        QHash<QString, UserAttribute *> attributes;
    };
    static Index index(const ModelContext &context);

    // The entity and key of a store object.
    static std::pair<QString, QString> idOf(const PersistentModel *object);
    // The fields of an entity as the store holds it; nothing when the store has none.
    static std::optional<Fields> read(const Index &index, const QString &entity, const QString &key);
    // Whether the fields are what a new user record holds (nothing to tell another device).
    static bool isDefaultAttribute(const Fields &fields);

    // Writes a merged entity into the store: creates, updates or deletes. The index follows.
    // Returns true when the store changed.
    static bool apply(ModelContext &context, Index &index, const SyncState::Entity &entity);
};
