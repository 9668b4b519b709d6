#pragma once

#include <QString>

// Shows a written file in the user's file manager.
class FileRevealer {
public:
    virtual ~FileRevealer() = default;
    virtual void reveal(const QString &path) = 0;
};
