#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// The records of the two shipped library files (prompts.json, data.json); the prompts layout
// also serves the export and the JSON import. Decoding is strict: a required key that is
// missing or null, or any value of the wrong JSON type, fails the whole document with a
// message naming the place ("prompts[3]: missing key \"tags\""). Optional keys may be missing
// or null; unknown keys are ignored.

struct SeedMetadata {
    QString version;
    QString lastUpdated;
    QString author;

    static std::optional<SeedMetadata> fromJson(const QJsonValue &value, const QString &path, QString *error);
    QJsonObject toJson() const;
    bool operator==(const SeedMetadata &) const = default;
};

struct SeedCategory {
    QString id;
    QString name;
    QString icon;
    std::optional<QString> description;

    static std::optional<SeedCategory> fromJson(const QJsonValue &value, const QString &path, QString *error);
    QJsonObject toJson() const;
    bool operator==(const SeedCategory &) const = default;
};

struct SeedPrompt {
    QString id;
    QStringList categories; // category ids or names
    QStringList tags;
    QString title;
    QString description;
    QString templateText;
    QString created; // "yyyy-MM-dd"
    QString updated;
    std::optional<bool> hot;    // absent: false
    std::optional<bool> active; // absent: true

    bool isHot() const { return hot.value_or(false); }
    bool isActive() const { return active.value_or(true); }

    static std::optional<SeedPrompt> fromJson(const QJsonValue &value, const QString &path, QString *error);
    QJsonObject toJson() const;
    bool operator==(const SeedPrompt &) const = default;
};

// The prompts file.
struct PromptsRoot {
    std::optional<SeedMetadata> metadata;
    QList<SeedPrompt> prompts;

    static std::optional<PromptsRoot> decode(const QByteArray &json, QString *error = nullptr);
    // Indented JSON with sorted keys; absent optional values are left out.
    QByteArray encode() const;
    QJsonObject toJson() const;
};

// The data file.
struct DataRoot {
    std::optional<SeedMetadata> metadata;
    QList<SeedCategory> categories; // position = sort order
    QStringList tags;
    std::optional<QMap<QString, QStringList>> variables;
    // The named global lists that may also be shipped at the top level, in the order they
    // are merged into the variables map.
    static const QStringList &namedListKeys();
    QMap<QString, QStringList> namedLists; // only the keys present in the file

    static std::optional<DataRoot> decode(const QByteArray &json, QString *error = nullptr);
    QByteArray encode() const;
    QJsonObject toJson() const;
    // variables, with each named list replacing an entry of the same name.
    QMap<QString, QStringList> globalLists() const;
};

// Day strings of the seed, export and import files.
namespace SeedDate {
// "yyyy-MM-dd" (four-digit year, two-digit month and day) at local midnight; an invalid
// QDateTime when the text is not such a date.
QDateTime parse(const QString &text);
// Like parse, but the current time when the text is not a date.
QDateTime parseOrNow(const QString &text);
// The local day of a time as "yyyy-MM-dd".
QString format(const QDateTime &at);
} // namespace SeedDate
