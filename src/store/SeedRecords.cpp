#include "SeedRecords.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QRegularExpression>

namespace {
QString typeName(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Null: return QStringLiteral("null");
    case QJsonValue::Bool: return QStringLiteral("a boolean");
    case QJsonValue::Double: return QStringLiteral("a number");
    case QJsonValue::String: return QStringLiteral("a string");
    case QJsonValue::Array: return QStringLiteral("an array");
    case QJsonValue::Object: return QStringLiteral("an object");
    case QJsonValue::Undefined: break;
    }
    return QStringLiteral("nothing");
}

QString joined(const QString &path, const QString &key)
{
    return path.isEmpty() ? key : path + QLatin1Char('.') + key;
}

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

bool expect(const QJsonValue &value, QJsonValue::Type type, const QString &expected, const QString &path,
            QString *error)
{
    if (value.type() == type)
        return true;
    const QString place = path.isEmpty() ? QString() : path + QStringLiteral(": ");
    return fail(error, place + QStringLiteral("expected %1, found %2").arg(expected, typeName(value)));
}

bool readStringList(const QJsonValue &value, const QString &path, QStringList &out, QString *error)
{
    if (!expect(value, QJsonValue::Array, QStringLiteral("an array of strings"), path, error))
        return false;
    const QJsonArray array = value.toArray();
    out.clear();
    out.reserve(array.size());
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QJsonValue item = array.at(i);
        if (!expect(item, QJsonValue::String, QStringLiteral("a string"), path + QStringLiteral("[%1]").arg(i), error))
            return false;
        out.append(item.toString());
    }
    return true;
}

QJsonArray toArray(const QStringList &list)
{
    QJsonArray array;
    for (const QString &text : list)
        array.append(text);
    return array;
}

// Reads the keys of one JSON object, naming the object's place in every message.
class ObjectReader {
public:
    ObjectReader(const QJsonObject &object, const QString &path, QString *error)
        : m_object(object), m_path(path), m_error(error)
    {
    }

    bool ok() const { return m_ok; }

    // A required key: missing and null both fail.
    QJsonValue required(const QString &key)
    {
        if (!m_ok)
            return {};
        const auto it = m_object.constFind(key);
        if (it == m_object.constEnd()) {
            const QString place = m_path.isEmpty() ? QString() : m_path + QStringLiteral(": ");
            m_ok = fail(m_error, place + QStringLiteral("missing key \"%1\"").arg(key));
            return {};
        }
        if (it->isNull()) {
            m_ok = fail(m_error, joined(m_path, key) + QStringLiteral(": expected a value, found null"));
            return {};
        }
        return *it;
    }
    // An optional key: Undefined when missing or null.
    QJsonValue optional(const QString &key) const
    {
        if (!m_ok)
            return QJsonValue(QJsonValue::Undefined);
        const QJsonValue value = m_object.value(key);
        return value.isNull() ? QJsonValue(QJsonValue::Undefined) : value;
    }

    void string(const QString &key, QString &out)
    {
        const QJsonValue value = required(key);
        if (m_ok && expect(value, QJsonValue::String, QStringLiteral("a string"), joined(m_path, key), m_error))
            out = value.toString();
        else
            m_ok = false;
    }
    void optionalString(const QString &key, std::optional<QString> &out)
    {
        const QJsonValue value = optional(key);
        if (value.isUndefined())
            return;
        if (expect(value, QJsonValue::String, QStringLiteral("a string"), joined(m_path, key), m_error))
            out = value.toString();
        else
            m_ok = false;
    }
    void optionalBool(const QString &key, std::optional<bool> &out)
    {
        const QJsonValue value = optional(key);
        if (value.isUndefined())
            return;
        if (expect(value, QJsonValue::Bool, QStringLiteral("a boolean"), joined(m_path, key), m_error))
            out = value.toBool();
        else
            m_ok = false;
    }
    void stringList(const QString &key, QStringList &out)
    {
        const QJsonValue value = required(key);
        if (!m_ok || !readStringList(value, joined(m_path, key), out, m_error))
            m_ok = false;
    }
    void optionalStringList(const QString &key, std::optional<QStringList> &out)
    {
        const QJsonValue value = optional(key);
        if (value.isUndefined())
            return;
        QStringList list;
        if (readStringList(value, joined(m_path, key), list, m_error))
            out = std::move(list);
        else
            m_ok = false;
    }
    template <class Record> void optionalRecord(const QString &key, std::optional<Record> &out)
    {
        const QJsonValue value = optional(key);
        if (value.isUndefined())
            return;
        out = Record::fromJson(value, joined(m_path, key), m_error);
        if (!out)
            m_ok = false;
    }
    template <class Record> void records(const QString &key, QList<Record> &out)
    {
        const QJsonValue value = required(key);
        const QString path = joined(m_path, key);
        if (!m_ok || !expect(value, QJsonValue::Array, QStringLiteral("an array"), path, m_error)) {
            m_ok = false;
            return;
        }
        const QJsonArray array = value.toArray();
        out.clear();
        out.reserve(array.size());
        for (qsizetype i = 0; i < array.size(); ++i) {
            std::optional<Record> record = Record::fromJson(array.at(i), path + QStringLiteral("[%1]").arg(i), m_error);
            if (!record) {
                m_ok = false;
                return;
            }
            out.append(std::move(*record));
        }
    }

private:
    const QJsonObject &m_object;
    QString m_path;
    QString *m_error;
    bool m_ok = true;
};

std::optional<QJsonObject> parseObject(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        fail(error, QStringLiteral("invalid JSON at offset %1: %2").arg(parseError.offset).arg(parseError.errorString()));
        return std::nullopt;
    }
    if (!document.isObject()) {
        fail(error, QStringLiteral("expected an object at the top level, found %1")
                        .arg(document.isArray() ? QStringLiteral("an array") : QStringLiteral("nothing")));
        return std::nullopt;
    }
    return document.object();
}

std::optional<QJsonObject> objectOf(const QJsonValue &value, const QString &path, QString *error)
{
    if (!expect(value, QJsonValue::Object, QStringLiteral("an object"), path, error))
        return std::nullopt;
    return value.toObject();
}
} // namespace

std::optional<SeedMetadata> SeedMetadata::fromJson(const QJsonValue &value, const QString &path, QString *error)
{
    const std::optional<QJsonObject> object = objectOf(value, path, error);
    if (!object)
        return std::nullopt;
    ObjectReader reader(*object, path, error);
    SeedMetadata out;
    reader.string(QStringLiteral("version"), out.version);
    reader.string(QStringLiteral("last_updated"), out.lastUpdated);
    reader.string(QStringLiteral("author"), out.author);
    return reader.ok() ? std::optional(out) : std::nullopt;
}

QJsonObject SeedMetadata::toJson() const
{
    return {{QStringLiteral("version"), version},
            {QStringLiteral("last_updated"), lastUpdated},
            {QStringLiteral("author"), author}};
}

std::optional<SeedCategory> SeedCategory::fromJson(const QJsonValue &value, const QString &path, QString *error)
{
    const std::optional<QJsonObject> object = objectOf(value, path, error);
    if (!object)
        return std::nullopt;
    ObjectReader reader(*object, path, error);
    SeedCategory out;
    reader.string(QStringLiteral("id"), out.id);
    reader.string(QStringLiteral("name"), out.name);
    reader.string(QStringLiteral("icon"), out.icon);
    reader.optionalString(QStringLiteral("description"), out.description);
    return reader.ok() ? std::optional(out) : std::nullopt;
}

QJsonObject SeedCategory::toJson() const
{
    QJsonObject object{{QStringLiteral("id"), id}, {QStringLiteral("name"), name}, {QStringLiteral("icon"), icon}};
    if (description)
        object.insert(QStringLiteral("description"), *description);
    return object;
}

std::optional<SeedPrompt> SeedPrompt::fromJson(const QJsonValue &value, const QString &path, QString *error)
{
    const std::optional<QJsonObject> object = objectOf(value, path, error);
    if (!object)
        return std::nullopt;
    ObjectReader reader(*object, path, error);
    SeedPrompt out;
    reader.string(QStringLiteral("id"), out.id);
    reader.stringList(QStringLiteral("categories"), out.categories);
    reader.stringList(QStringLiteral("tags"), out.tags);
    reader.string(QStringLiteral("title"), out.title);
    reader.string(QStringLiteral("description"), out.description);
    reader.string(QStringLiteral("template"), out.templateText);
    reader.string(QStringLiteral("created"), out.created);
    reader.string(QStringLiteral("updated"), out.updated);
    reader.optionalBool(QStringLiteral("hot"), out.hot);
    reader.optionalBool(QStringLiteral("active"), out.active);
    return reader.ok() ? std::optional(out) : std::nullopt;
}

QJsonObject SeedPrompt::toJson() const
{
    QJsonObject object{{QStringLiteral("id"), id},
                       {QStringLiteral("categories"), toArray(categories)},
                       {QStringLiteral("tags"), toArray(tags)},
                       {QStringLiteral("title"), title},
                       {QStringLiteral("description"), description},
                       {QStringLiteral("template"), templateText},
                       {QStringLiteral("created"), created},
                       {QStringLiteral("updated"), updated}};
    if (hot)
        object.insert(QStringLiteral("hot"), *hot);
    if (active)
        object.insert(QStringLiteral("active"), *active);
    return object;
}

std::optional<PromptsRoot> PromptsRoot::decode(const QByteArray &json, QString *error)
{
    const std::optional<QJsonObject> object = parseObject(json, error);
    if (!object)
        return std::nullopt;
    ObjectReader reader(*object, QString(), error);
    PromptsRoot out;
    reader.optionalRecord(QStringLiteral("metadata"), out.metadata);
    reader.records(QStringLiteral("prompts"), out.prompts);
    return reader.ok() ? std::optional(std::move(out)) : std::nullopt;
}

QJsonObject PromptsRoot::toJson() const
{
    QJsonArray array;
    for (const SeedPrompt &prompt : prompts)
        array.append(prompt.toJson());
    QJsonObject object{{QStringLiteral("prompts"), array}};
    if (metadata)
        object.insert(QStringLiteral("metadata"), metadata->toJson());
    return object;
}

QByteArray PromptsRoot::encode() const
{
    return QJsonDocument(toJson()).toJson(QJsonDocument::Indented);
}

const QStringList &DataRoot::namedListKeys()
{
    static const QStringList keys{QStringLiteral("frontend_frameworks"), QStringLiteral("design_styles"),
                                  QStringLiteral("app_platforms"),       QStringLiteral("backend_frameworks"),
                                  QStringLiteral("database_orms"),       QStringLiteral("auth_providers")};
    return keys;
}

std::optional<DataRoot> DataRoot::decode(const QByteArray &json, QString *error)
{
    const std::optional<QJsonObject> object = parseObject(json, error);
    if (!object)
        return std::nullopt;
    ObjectReader reader(*object, QString(), error);
    DataRoot out;
    reader.optionalRecord(QStringLiteral("metadata"), out.metadata);
    reader.records(QStringLiteral("categories"), out.categories);
    reader.stringList(QStringLiteral("tags"), out.tags);
    const QJsonValue variables = reader.optional(QStringLiteral("variables"));
    if (reader.ok() && !variables.isUndefined()) {
        if (!expect(variables, QJsonValue::Object, QStringLiteral("an object"), QStringLiteral("variables"), error))
            return std::nullopt;
        QMap<QString, QStringList> lists;
        const QJsonObject map = variables.toObject();
        for (auto it = map.constBegin(); it != map.constEnd(); ++it) {
            QStringList values;
            if (!readStringList(it.value(), QStringLiteral("variables.") + it.key(), values, error))
                return std::nullopt;
            lists.insert(it.key(), values);
        }
        out.variables = std::move(lists);
    }
    for (const QString &key : namedListKeys()) {
        std::optional<QStringList> list;
        reader.optionalStringList(key, list);
        if (list)
            out.namedLists.insert(key, *list);
    }
    return reader.ok() ? std::optional(std::move(out)) : std::nullopt;
}

QJsonObject DataRoot::toJson() const
{
    QJsonArray categoryArray;
    for (const SeedCategory &category : categories)
        categoryArray.append(category.toJson());
    QJsonObject object{{QStringLiteral("categories"), categoryArray}, {QStringLiteral("tags"), toArray(tags)}};
    if (metadata)
        object.insert(QStringLiteral("metadata"), metadata->toJson());
    if (variables) {
        QJsonObject map;
        for (auto it = variables->constBegin(); it != variables->constEnd(); ++it)
            map.insert(it.key(), toArray(it.value()));
        object.insert(QStringLiteral("variables"), map);
    }
    for (auto it = namedLists.constBegin(); it != namedLists.constEnd(); ++it)
        object.insert(it.key(), toArray(it.value()));
    return object;
}

QByteArray DataRoot::encode() const
{
    return QJsonDocument(toJson()).toJson(QJsonDocument::Indented);
}

QMap<QString, QStringList> DataRoot::globalLists() const
{
    QMap<QString, QStringList> lists = variables.value_or(QMap<QString, QStringList>());
    for (const QString &key : namedListKeys()) {
        const auto it = namedLists.constFind(key);
        if (it != namedLists.constEnd())
            lists.insert(key, it.value());
    }
    return lists;
}

namespace SeedDate {
QDateTime parse(const QString &text)
{
    static const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QStringLiteral("([0-9]{4})-([0-9]{2})-([0-9]{2})")));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    const QDate date(match.capturedView(1).toInt(), match.capturedView(2).toInt(), match.capturedView(3).toInt());
    if (!date.isValid())
        return {};
    return date.startOfDay();
}

QDateTime parseOrNow(const QString &text)
{
    const QDateTime at = parse(text);
    return at.isValid() ? at : QDateTime::currentDateTime();
}

QString format(const QDateTime &at)
{
    return at.toLocalTime().toString(QStringLiteral("yyyy-MM-dd"));
}
} // namespace SeedDate
