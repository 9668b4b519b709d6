#pragma once

#include "SqliteDatabase.h"
#include "UuidKeys.h"

#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <optional>
#include <vector>

// What a listing of the library needs, read straight from a store file without building its
// objects. The file is opened for reading only and read in one transaction: a VORN process
// that opens the store meanwhile and saves changes nothing of what this reader sees, and
// nothing is written here, not even the journal. Rows come as ModelContext loads them: in
// row order, links in their stored positions, a link to a missing row left out.
class PromptListReader {
public:
    struct Entry {
        qint64 row = 0;
        QUuid id;
        QString title;
        QString description;
        QString templateText; // only when asked for
        // Positions in Listing::labelNames: the categories, then the tags, each in stored order.
        std::vector<quint32> labels;
        bool hot = false;
        bool active = true;
        // The user record linked to the prompt (the last one by row when several are).
        bool favorite = false;
        bool hidden = false;
        qint64 uses = 0;
        QDateTime lastUsed;
    };
    struct Listing {
        std::vector<Entry> prompts;
        QStringList labelNames; // category names by row, then tag names by row
        qsizetype categoryCount = 0;
        UuidSet hiddenTargets; // the ids hidden user records name, linked or not
    };
    // What else a prompt's full description takes.
    struct Details {
        QString templateText;
        QDateTime createdAt;
        QDateTime updatedAt;
        bool isNew = false;
        bool updated = false;
    };

    // False, with why, when the file is not a readable store of this schema: missing,
    // busy, damaged, of another version. Whoever opens it for writing says more.
    bool open(const QString &path, QString *why);
    std::optional<Listing> read(bool withTemplates, QString *why);
    // The store's save stamp (see StoreRepository), or nothing for a store without one.
    std::optional<qint64> saveStamp();
    // The rest of one prompt of the listing read before, from the same snapshot.
    std::optional<Details> details(qint64 row, QString *why);

private:
    SqliteDatabase m_db;
};
