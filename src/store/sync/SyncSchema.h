#pragma once

#include <QJsonValue>
#include <QString>

// What may travel through the folder: the entities, their fields and the type of each value.
// A journal names only these; a record of anything else is not applied.
namespace SyncSchema {
inline const QString Attribute = QStringLiteral("attr");
inline const QString Prompt = QStringLiteral("prompt");
inline const QString Category = QStringLiteral("category");
inline const QString Tag = QStringLiteral("tag");
inline const QString List = QStringLiteral("list");
inline const QString Setting = QStringLiteral("setting");
inline const QString Deleted = QStringLiteral("deleted");

enum class Check { Valid, Unknown, Invalid };

// The settings that travel: remembered form values and tag suffixes.
bool settingTravels(const QString &key);
// Whether a key is acceptable for the entity (UUIDs for prompts, categories and user records).
bool validKey(const QString &entity, const QString &key);
// Unknown: an entity or field this version does not know (skipped). Invalid: a known field
// with a value of the wrong type or size.
Check checkValue(const QString &entity, const QString &field, const QJsonValue &value);
// Whether the entity has tombstones.
bool deletable(const QString &entity);
// Whether a lower-case UUID text names a device.
bool validDevice(const QString &text);

constexpr qsizetype MaxKeyChars = 1024;
constexpr qsizetype MaxStringChars = 1 << 20;
constexpr qsizetype MaxArrayEntries = 10000;
} // namespace SyncSchema
