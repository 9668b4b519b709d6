#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// The files of the shared folder: which ones are journals, reading them within limits and
// replacing one atomically. Everything else in the folder (temporary and conflict files of
// sync tools, their own folders) is not looked at.
class SyncFolder {
public:
    // What tells a changed file from the one read before.
    struct Signature {
        qint64 size = -1;
        qint64 modified = 0;
        bool operator==(const Signature &) const = default;
        bool isNull() const { return size < 0; }
    };

    enum class Usability { Usable, NotAFolder, NotWritable };
    // Whether a folder can be chosen: it exists and this user may write it.
    static Usability usability(const QString &path);

    static QString journalName(const QString &device);
    // The device of a journal's file name; empty for any other name.
    static QString deviceOf(const QString &fileName);
    // The journals in a folder, by device.
    static QHash<QString, QString> journals(const QString &folder);
    static Signature signature(const QString &path);
    // Reads a file of at most maxBytes; false with the reason otherwise.
    static bool read(const QString &path, qint64 maxBytes, QByteArray *bytes, QString *error);
    // Temporary file beside it, flushed to disk, then renamed over it.
    static bool writeAtomically(const QString &path, const QByteArray &bytes, QString *error);
};
