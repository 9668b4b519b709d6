#pragma once

#include <QtGlobal>

class ModelContext;

// Removes records that share an identifier: duplicate categories (the first in store order
// stays) and duplicate prompts. The removed copies hand their user record and prompt links
// over to the record that stays, so no favourite or count is lost.
class DuplicateCleaner {
public:
    struct Removed {
        qsizetype categories = 0;
        qsizetype prompts = 0;
    };
    enum class Survivor { FirstStored, NewestUpdated };

    // The clean-up after a sync and from the settings: the most recently updated prompt
    // stays; logs what it did and saves when something was removed.
    static void deduplicate(ModelContext *context);
    // The removal itself, shared with the maintenance clean-up; does not save.
    static Removed removeDuplicates(ModelContext *context, Survivor promptSurvivor);
};
