#include "JournalCodec.h"

#include "SyncSchema.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace {
QByteArray line(const QJsonObject &object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

bool readInteger(const QJsonValue &value, qint64 max, qint64 *out)
{
    if (!value.isDouble())
        return false;
    const double d = value.toDouble();
    if (!(d >= 0 && d <= double(max)) || d != double(qint64(d)))
        return false;
    *out = qint64(d);
    return true;
}

JournalCodec::Decoded rejected(const QString &why)
{
    JournalCodec::Decoded result;
    result.error = why;
    return result;
}
} // namespace

QByteArray JournalCodec::encode(const SyncJournal &journal)
{
    QByteArray out = line({{QStringLiteral("format"), QStringLiteral("vorn-sync")},
                           {QStringLiteral("version"), FormatVersion},
                           {QStringLiteral("device"), journal.device},
                           {QStringLiteral("name"), journal.name},
                           {QStringLiteral("written"), double(journal.written)},
                           {QStringLiteral("count"), double(journal.records.size())}});
    for (const SyncRecord &record : journal.records) {
        out += line({{QStringLiteral("t"), QJsonArray{double(record.stamp.wall), double(record.stamp.counter)}},
                     {QStringLiteral("e"), record.entity},
                     {QStringLiteral("k"), record.key},
                     {QStringLiteral("f"), record.field},
                     {QStringLiteral("v"), record.value}});
    }
    out += line({{QStringLiteral("end"), double(journal.records.size())}});
    return out;
}

JournalCodec::Decoded JournalCodec::decode(const QByteArray &bytes)
{
    if (bytes.size() > MaxFileBytes)
        return rejected(QStringLiteral("larger than %1 MiB").arg(MaxFileBytes >> 20));
    if (!bytes.endsWith('\n'))
        return rejected(QStringLiteral("cut short (no end line)"));
    Decoded result;
    qsizetype pos = 0;
    qsizetype lineNumber = 0;
    qint64 count = -1;
    bool ended = false;
    while (pos < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', pos);
        const qsizetype length = end - pos;
        ++lineNumber;
        if (length > MaxLineBytes)
            return rejected(QStringLiteral("line %1 is longer than %2 MiB").arg(lineNumber).arg(MaxLineBytes >> 20));
        if (ended)
            return rejected(QStringLiteral("text after the end line"));
        QJsonParseError parseError;
        const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromRawData(bytes.constData() + pos, length),
                                                               &parseError);
        pos = end + 1;
        if (parseError.error != QJsonParseError::NoError || !document.isObject())
            return rejected(QStringLiteral("line %1 is not a JSON object").arg(lineNumber));
        const QJsonObject object = document.object();
        if (lineNumber == 1) {
            qint64 version = 0;
            if (object.value(QStringLiteral("format")).toString() != QLatin1String("vorn-sync"))
                return rejected(QStringLiteral("not a VORN journal"));
            if (!readInteger(object.value(QStringLiteral("version")), 1000, &version) || version != FormatVersion)
                return rejected(QStringLiteral("journal format %1 is not known to this version")
                                    .arg(object.value(QStringLiteral("version")).toVariant().toString()));
            result.journal.device = object.value(QStringLiteral("device")).toString();
            result.journal.name = object.value(QStringLiteral("name")).toString().left(256);
            if (!SyncSchema::validDevice(result.journal.device))
                return rejected(QStringLiteral("the header names no device"));
            if (!readInteger(object.value(QStringLiteral("count")), MaxRecords, &count))
                return rejected(QStringLiteral("the header has no valid record count (at most %1)").arg(MaxRecords));
            readInteger(object.value(QStringLiteral("written")), qint64(1) << 53, &result.journal.written);
            result.journal.records.reserve(qsizetype(count));
            continue;
        }
        if (object.contains(QStringLiteral("end"))) {
            qint64 ending = -1;
            if (!readInteger(object.value(QStringLiteral("end")), MaxRecords, &ending) || ending != count
                || lineNumber - 2 != count)
                return rejected(QStringLiteral("the end line does not match the %1 records of the header").arg(count));
            ended = true;
            continue;
        }
        if (lineNumber - 1 > count)
            return rejected(QStringLiteral("more records than the header's %1").arg(count));
        const QJsonArray t = object.value(QStringLiteral("t")).toArray();
        SyncRecord record;
        qint64 counter = 0;
        if (t.size() != 2 || !readInteger(t.at(0), qint64(1) << 53, &record.stamp.wall)
            || !readInteger(t.at(1), 0xFFFF, &counter))
            return rejected(QStringLiteral("line %1 has no valid clock").arg(lineNumber));
        record.stamp.counter = quint32(counter);
        record.stamp.device = result.journal.device;
        record.entity = object.value(QStringLiteral("e")).toString();
        record.key = object.value(QStringLiteral("k")).toString();
        record.field = object.value(QStringLiteral("f")).toString();
        if (!object.contains(QStringLiteral("v")))
            return rejected(QStringLiteral("line %1 has no value").arg(lineNumber));
        record.value = object.value(QStringLiteral("v"));
        if (record.entity.isEmpty() || record.field.isEmpty() || record.field.size() > 64)
            return rejected(QStringLiteral("line %1 names no entity or field").arg(lineNumber));
        const SyncSchema::Check check = SyncSchema::checkValue(record.entity, record.field, record.value);
        // A setting that does not travel is some newer client's business, never this one's.
        if (check == SyncSchema::Check::Unknown
            || (record.entity == SyncSchema::Setting && !SyncSchema::settingTravels(record.key))) {
            ++result.skipped;
            continue;
        }
        if (check == SyncSchema::Check::Invalid || !SyncSchema::validKey(record.entity, record.key))
            return rejected(QStringLiteral("line %1 has an invalid %2 %3").arg(lineNumber).arg(record.entity, record.field));
        result.journal.records.append(std::move(record));
    }
    if (!ended)
        return rejected(QStringLiteral("cut short (no end line)"));
    result.ok = true;
    return result;
}
