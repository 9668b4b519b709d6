#include "LibraryValidator.h"

#include "ModelContext.h"
#include "Prompt.h"
#include "PromptGlobalVariable.h"
#include "RandomId.h"
#include "TemplateValidator.h"

#include <QSet>

LibraryValidator::Result LibraryValidator::validateAll(ModelContext &context)
{
    const QList<Prompt *> prompts = context.fetch<Prompt>();
    QSet<QString> keys;
    for (PromptGlobalVariable *variable : context.fetch<PromptGlobalVariable>())
        keys.insert(variable->key());

    Result result;
    result.promptCount = prompts.size();
    for (Prompt *prompt : prompts) {
        const QString title = prompt->title();
        for (const QString &message : TemplateValidator::check(prompt->templateText(), keys))
            result.errors.append({randomId(), prompt, title, message});
    }
    return result;
}
