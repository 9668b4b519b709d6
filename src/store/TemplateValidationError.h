#pragma once

#include <QPointer>
#include <QString>
#include <QUuid>

#include "Prompt.h"

// One finding of the template check: which prompt, its title at the time, and what is wrong.
struct TemplateValidationError {
    QUuid id;
    QPointer<Prompt> prompt; // cleared if the prompt is deleted while the list is shown
    QString promptTitle;
    QString error;
};
