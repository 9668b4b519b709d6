#pragma once

#include "FileRevealer.h"

// Asks the file manager over D-Bus to show the file selected; opens its folder otherwise.
class FileManagerRevealer : public FileRevealer {
public:
    void reveal(const QString &path) override;
};
