#pragma once

#include "SyncRecord.h"

#include <QByteArray>

// Writes and reads the journal files of the shared folder: a header line, one JSON record
// per line, an end line with the record count. A file from another device is untrusted:
// anything malformed, cut short or past a limit rejects the whole file with one reason.
class JournalCodec {
public:
    static constexpr qsizetype MaxFileBytes = 16 << 20;
    static constexpr qsizetype MaxLineBytes = 2 << 20;
    static constexpr qsizetype MaxRecords = 500000;
    static constexpr int FormatVersion = 1;

    struct Decoded {
        bool ok = false;
        QString error;          // why the file was rejected
        SyncJournal journal;
        qsizetype skipped = 0;  // records of entities or fields this version does not know
    };

    static QByteArray encode(const SyncJournal &journal);
    static Decoded decode(const QByteArray &bytes);
};
