#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The two shipped library files, read whole: from the program's resources (:/seed), or from
// the folder named by the environment variable VORN_SEED_DIR when it is set.
class SeedLibrary {
public:
    enum class Status { Ok, Missing, Unreadable };
    struct Files {
        Status status = Status::Missing;
        QString error; // what is missing or could not be read
        QByteArray prompts;
        QByteArray data;
        bool ok() const { return status == Status::Ok; }
    };

    // What the start-up decision needs of the two files, read without decoding them: each
    // file's metadata version ("0.0" without metadata) and the number of prompts.
    struct Versions {
        QString prompts;
        QString data;
        qsizetype promptCount = 0;
    };

    // The version of a file without metadata, and of a library never synchronised.
    static QString noVersion() { return QStringLiteral("0.0"); }

    static QString directory();
    static QString promptsPath();
    static QString dataPath();
    static Files load();
    // Nothing when a file is missing, unreadable or not laid out as expected: then the full
    // decoding of load() says what is wrong.
    static std::optional<Versions> versions();
    // The same from the bytes of each file (exposed for the tests).
    static std::optional<Versions> versionsOf(QByteArrayView prompts, QByteArrayView data);
};
