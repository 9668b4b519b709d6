#include "SyncSchema.h"

#include "PersistentModel.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

#include <optional>

namespace SyncSchema {
namespace {
enum class Type { Bool, Text, OptionalText, Integer, OptionalInteger, TextArray, UuidArray, True, Counts };

bool isInteger(const QJsonValue &value)
{
    if (!value.isDouble())
        return false;
    const double d = value.toDouble();
    return d >= 0 && d <= 9007199254740991.0 && d == double(qint64(d));
}

bool isText(const QJsonValue &value)
{
    return value.isString() && value.toString().size() <= MaxStringChars;
}

bool valid(Type type, const QJsonValue &value)
{
    switch (type) {
    case Type::Bool:
        return value.isBool();
    case Type::True:
        return value.isBool() && value.toBool();
    case Type::Text:
        return isText(value);
    case Type::OptionalText:
        return value.isNull() || isText(value);
    case Type::Integer:
        return isInteger(value);
    case Type::OptionalInteger:
        return value.isNull() || isInteger(value);
    case Type::TextArray:
    case Type::UuidArray: {
        if (!value.isArray())
            return false;
        const QJsonArray array = value.toArray();
        if (array.size() > MaxArrayEntries)
            return false;
        for (const QJsonValue &entry : array) {
            if (!entry.isString() || entry.toString().size() > MaxKeyChars)
                return false;
            if (type == Type::UuidArray && uuidFromText(entry.toString()).isNull())
                return false;
        }
        return true;
    }
    case Type::Counts: {
        if (!value.isObject())
            return false;
        const QJsonObject object = value.toObject();
        if (object.size() > MaxArrayEntries)
            return false;
        for (auto it = object.begin(); it != object.end(); ++it)
            if (!validDevice(it.key()) || !isInteger(it.value()))
                return false;
        return true;
    }
    }
    return false;
}

std::optional<Type> typeOf(const QString &entity, const QString &field)
{
    struct Field {
        const char *entity;
        const char *field;
        Type type;
    };
    static const Field fields[] = {
        {"attr", "favorite", Type::Bool},       {"attr", "hidden", Type::Bool},
        {"attr", "lastUsed", Type::OptionalInteger}, {"attr", "uses", Type::Integer},
        {"attr", "cleared", Type::Counts},
        {"prompt", "title", Type::Text},        {"prompt", "description", Type::Text},
        {"prompt", "template", Type::Text},     {"prompt", "created", Type::Integer},
        {"prompt", "updated", Type::Integer},   {"prompt", "hot", Type::Bool},
        {"prompt", "active", Type::Bool},       {"prompt", "categories", Type::UuidArray},
        {"prompt", "tags", Type::TextArray},    {"prompt", "deleted", Type::True},
        {"category", "name", Type::Text},       {"category", "icon", Type::Text},
        {"category", "description", Type::OptionalText}, {"category", "sortOrder", Type::Integer},
        {"category", "deleted", Type::True},
        {"tag", "exists", Type::True},          {"tag", "deleted", Type::True},
        {"list", "values", Type::TextArray},    {"list", "deleted", Type::True},
        {"setting", "value", Type::OptionalText},
    };
    for (const Field &f : fields)
        if (entity == QLatin1String(f.entity) && field == QLatin1String(f.field))
            return f.type;
    return std::nullopt;
}
} // namespace

bool settingTravels(const QString &key)
{
    static const QRegularExpression formValue(QStringLiteral("^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}-.+$"),
                                              QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression suffix(QStringLiteral("^tag_.+_suffix$"), QRegularExpression::DotMatchesEverythingOption);
    return formValue.match(key).hasMatch() || suffix.match(key).hasMatch();
}

bool validKey(const QString &entity, const QString &key)
{
    if (key.isEmpty() || key.size() > MaxKeyChars)
        return false;
    if (entity == Attribute || entity == Prompt || entity == Category) {
        const QUuid id = uuidFromText(key);
        return !id.isNull() && uuidText(id) == key;
    }
    if (entity == Setting)
        return settingTravels(key);
    return true;
}

Check checkValue(const QString &entity, const QString &field, const QJsonValue &value)
{
    const std::optional<Type> type = typeOf(entity, field);
    if (!type)
        return Check::Unknown;
    return valid(*type, value) ? Check::Valid : Check::Invalid;
}

bool deletable(const QString &entity)
{
    return entity == Prompt || entity == Category || entity == Tag || entity == List;
}

bool validDevice(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9a-f]{8}(-[0-9a-f]{4}){3}-[0-9a-f]{12}$"));
    return pattern.match(text).hasMatch();
}
} // namespace SyncSchema
