#pragma once

#include "TemplateValidationError.h"

#include <QList>
#include <QSet>
#include <QStringList>

class ModelContext;

// Checks the placeholder syntax of every prompt in the store. Stricter than the parser:
// every placeholder needs a colon, and global list names must match the stored keys exactly.
class TemplateValidator {
public:
    struct Result {
        qsizetype promptCount = 0;
        QList<TemplateValidationError> errors; // prompt by prompt, in text order within one
    };

    Result validateAll(ModelContext &context) const;
    // The findings for one template, as messages.
    static QStringList check(const QString &templateText, const QSet<QString> &globalKeys);
};
