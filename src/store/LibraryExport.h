#pragma once

#include <QString>

class ModelContext;

// The library written out as a prompts file, the shape the shipped one has: "Export DB" and
// the automatic backups. Each step logs its StoreLog line.
class LibraryExport {
public:
    // Writes prefix + "prompts.json" into dir, atomically (an earlier export is never left
    // half-written). The written path, or an empty string with why in the system's own words.
    static QString write(const ModelContext &context, const QString &dir, const QString &prefix, QString *why);
    // Removes all but the newest kept automatic backups from dir. Only files named as backups
    // are named go; an "Export DB" file ("prompts.json") is never touched.
    static void pruneBackups(const QString &dir, int kept);
    // The prefix of an automatic backup written now.
    static QString backupPrefix();
};
