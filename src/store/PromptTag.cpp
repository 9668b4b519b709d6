#include "PromptTag.h"

#include "Prompt.h"

void PromptTag::setPrompts(const QList<Prompt *> &prompts)
{
    const QList<Prompt *> previous = m_prompts;
    for (Prompt *prompt : previous)
        if (!prompts.contains(prompt))
            prompt->removeTag(this);
    for (Prompt *prompt : prompts)
        if (prompt)
            prompt->addTag(this);
}

void PromptTag::nullifyRelationships()
{
    setPrompts({});
}

QList<PersistentModel *> PromptTag::linkedObjects() const
{
    return {};
}
