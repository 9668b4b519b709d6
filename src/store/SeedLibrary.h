#pragma once

#include <QByteArray>
#include <QString>

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

    static QString directory();
    static QString promptsPath();
    static QString dataPath();
    static Files load();
};
