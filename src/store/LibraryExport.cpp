#include "LibraryExport.h"

#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptTag.h"
#include "SeedRecords.h"
#include "StoreLog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>

QString LibraryExport::write(const ModelContext &context, const QString &dir, const QString &prefix, QString *why)
{
    // Every failure logs its line and, for the caller, says why in the system's own words.
    auto failure = [why](const QString &line, const QString &reason) {
        StoreLog::line(line);
        if (why)
            *why = reason;
        return QString();
    };
    StoreLog::line(QStringLiteral("Starting data export..."));
    const QList<Prompt *> prompts = context.isOpen() ? context.fetch<Prompt>() : QList<Prompt *>();
    // The templates in one pass: most are only in the store, and reading them one by one
    // would keep every one in memory afterwards.
    const QStringList templates = context.isOpen() ? context.templates(prompts) : QStringList();
    if (!context.isOpen() || templates.size() != prompts.size())
        return failure(QStringLiteral("Export failed: Could not fetch data."), QStringLiteral("Could not fetch data."));
    PromptsRoot root;
    root.metadata = SeedMetadata{QStringLiteral("1.7"), SeedDate::format(QDateTime::currentDateTime()),
                                 QStringLiteral("Full Export")}; // untranslated: the file's metadata
    root.prompts.reserve(prompts.size());
    for (qsizetype i = 0; i < prompts.size(); ++i) {
        const Prompt *prompt = prompts.at(i);
        SeedPrompt item;
        item.id = prompt->idText();
        for (const PromptCategory *category : prompt->categories())
            item.categories.append(category->idText());
        for (const PromptTag *tag : prompt->tags())
            item.tags.append(tag->name());
        item.title = prompt->title();
        item.description = prompt->promptDescription();
        item.templateText = templates.at(i);
        item.created = SeedDate::format(prompt->createdAt());
        item.updated = SeedDate::format(prompt->updatedAt());
        item.hot = prompt->isHot();
        item.active = prompt->isActive();
        root.prompts.append(std::move(item));
    }
    const QByteArray bytes = root.encode();

    const QString path = QDir(dir).filePath(prefix + QStringLiteral("prompts.json"));
    if (!QDir().mkpath(dir)) {
        const QString reason = QStringLiteral("cannot create the folder %1: %2").arg(dir, QString::fromLocal8Bit(std::strerror(errno)));
        return failure(QStringLiteral("Export Failed: ") + reason, reason);
    }
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        // Qt has no text for some failures; the system's own says what went wrong.
        const QString reason = QStringLiteral("%1 (%2)").arg(
            file.error() == QFileDevice::NoError || file.errorString() == QLatin1String("Unknown error")
                ? QString::fromLocal8Bit(std::strerror(errno ? errno : EIO))
                : file.errorString(),
            path);
        return failure(QStringLiteral("Export Failed: ") + reason, reason);
    }
    StoreLog::line(QStringLiteral("✅ Export Successful!"));
    StoreLog::line(QStringLiteral("Prompts: ") + path);
    return path;
}

void LibraryExport::pruneBackups(const QString &dir, int kept)
{
    static const QRegularExpression name(
        QStringLiteral("^Backup_\\d{4}-\\d{2}-\\d{2} \\d{2}-\\d{2}-\\d{2} prompts\\.json$")); // untranslated: file names
    QStringList backups;
    for (const QString &file : QDir(dir).entryList({QStringLiteral("Backup_*")}, QDir::Files)) // untranslated: file names
        if (name.match(file).hasMatch())
            backups.append(file);
    // The time stamp sorts as text: newest last.
    std::sort(backups.begin(), backups.end());
    for (qsizetype i = 0; i + kept < backups.size(); ++i)
        QFile::remove(QDir(dir).filePath(backups.at(i)));
}

QString LibraryExport::backupPrefix()
{
    return QStringLiteral("Backup_") // untranslated: file name
           + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")) + QLatin1Char(' ');
}
