#pragma once
// Test data put into a store in one line: a prompt, a shared list.
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptGlobalVariable.h"

namespace TestData {
// A prompt with its title and, where given, its template and description.
inline Prompt *addPrompt(ModelContext &context, const QString &title, const QString &templateText = {},
                         const QString &description = {})
{
    auto *prompt = new Prompt;
    prompt->setTitle(title);
    if (!templateText.isNull())
        prompt->setTemplateText(templateText);
    if (!description.isNull())
        prompt->setPromptDescription(description);
    context.insert(prompt);
    return prompt;
}

inline PromptGlobalVariable *addList(ModelContext &context, const QString &key, const QStringList &values = {})
{
    auto *list = new PromptGlobalVariable(key, values);
    context.insert(list);
    return list;
}
} // namespace TestData
