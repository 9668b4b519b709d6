#pragma once

#include "TemplateValidationError.h"

#include <QList>

class ModelContext;

// Runs the template check over every prompt in the store against the stored global lists.
class LibraryValidator {
public:
    struct Result {
        qsizetype promptCount = 0;
        QList<TemplateValidationError> errors; // prompt by prompt, in text order within one
    };

    static Result validateAll(ModelContext &context);
};
