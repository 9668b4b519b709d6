#include "SearchLibraries.h"

#include "DataController.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptTag.h"
#include "UserAttribute.h"

#include <QStringList>

#include <map>
#include <memory>
#include <random>

namespace {
const QStringList Verbs{"Write", "Summarise", "Analyse", "Review", "Plan", "Draft", "Optimise", "Explain",
                        "Translate", "Design", "Outline", "Improve", "Rewrite", "Organise", "Create",
                        "Critique", "Prepare", "Compare", "Generate", "Refactor"};
const QStringList Objects{"a Cover Letter", "Meeting Notes", "a Product Launch", "a Blog Post", "the Quarterly Report",
                          "a Job Description", "a Pull Request", "a Research Paper", "a Travel Itinerary",
                          "a Marketing Email", "a SQL Query", "a Colour Palette", "a Lesson Plan", "a Budget",
                          "a Customer Complaint", "a Podcast Script", "a Recipe", "a Landing Page",
                          "a Logo Concept", "a User Story", "an Onboarding Guide", "a Press Release",
                          "a Catalogue Entry", "a Workout Routine", "a Grant Proposal"};
const QStringList Qualifiers{"for Beginners", "in Plain English", "Like an Expert", "Step by Step", "for Busy Readers",
                             "with Examples", "for a Small Team", "in Five Minutes", "for Social Media", ""};
const QStringList Words{"clear", "concise", "structured", "friendly", "formal", "detailed", "practical", "honest",
                        "summary", "review", "audience", "tone", "behaviour", "organisation", "analysis",
                        "priorities", "feedback", "examples", "risks", "centre", "defence", "travelling",
                        "favourite", "labelled", "programme", "catalogue", "dialogue", "licence", "optimised",
                        "the", "a", "with", "for", "and", "your", "of", "to", "in", "each", "every", "short",
                        "plan", "steps", "notes", "draft", "outline", "goals", "metrics", "customers", "team"};
const QStringList Categories{"Writing", "Coding", "Marketing", "Research", "Education", "Business", "Design",
                             "Productivity", "Health", "Travel", "Finance", "Image Generation", "Video",
                             "Communication", "Data", "Personal"};
const QStringList Tags{"text", "image", "video", "audio", "3d"};

QString sentence(std::mt19937 &random, int words)
{
    QStringList out;
    for (int i = 0; i < words; ++i)
        out.append(Words.at(int(random() % Words.size())));
    out.first()[0] = out.first()[0].toUpper();
    return out.join(u' ') + u'.';
}

QString templateText(std::mt19937 &random)
{
    // 1 to 3 KB of instructions with a few placeholders.
    const int target = 1024 + int(random() % 2048);
    QString text = QStringLiteral("You are an expert assistant. Write about {{Topic: the subject}} for "
                                  "{{Audience: [audiences]}} in a {{Tone: formal, casual, friendly}} tone.\n");
    while (text.size() < target)
        text += sentence(random, 8 + int(random() % 12)) + u' ';
    return text + QStringLiteral("\nKeep it under {{Length: 300}} words.");
}

void fill(ModelContext &context, int count)
{
    std::mt19937 random(count);
    QList<PromptCategory *> categories;
    for (const QString &name : Categories) {
        auto *category = new PromptCategory;
        category->setName(name);
        context.insert(category);
        categories.append(category);
    }
    QList<PromptTag *> tags;
    for (const QString &name : Tags) {
        auto *tag = new PromptTag;
        tag->setName(name);
        context.insert(tag);
        tags.append(tag);
    }
    for (int i = 0; i < count; ++i) {
        auto *prompt = new Prompt;
        QString title = Verbs.at(int(random() % Verbs.size())) + u' ' + Objects.at(int(random() % Objects.size()));
        const QString qualifier = Qualifiers.at(int(random() % Qualifiers.size()));
        if (!qualifier.isEmpty())
            title += u' ' + qualifier;
        prompt->setTitle(title);
        prompt->setPromptDescription(sentence(random, 10 + int(random() % 14)) + u' ' +
                                     sentence(random, 4 + int(random() % 8)));
        prompt->setTemplateText(templateText(random));
        prompt->setActive(i % 50 != 0);
        prompt->setCategories({categories.at(i % categories.size()), categories.at((i * 7 + 3) % categories.size())});
        prompt->setTags({tags.at(i % tags.size())});
        context.insert(prompt);
        if (i % 3 == 0)
            prompt->ensureAttribute()->setUsageCount(i % 17);
        if (i % 97 == 0)
            prompt->ensureAttribute()->setHidden(true);
        if (i % 31 == 0)
            prompt->ensureAttribute()->setFavorite(true);
    }
    context.save();
}
} // namespace

namespace SearchLibraries {
ModelContext &shipped()
{
    static ModelContext *context = [] {
        DataController::Options options;
        options.inMemory = true;
        DataController::setSharedOptions(options);
        DataController::shared()->setUp();
        DataController::shared()->startupLoad();
        return DataController::shared()->mainContext();
    }();
    return *context;
}

ModelContext &generated(int prompts)
{
    static std::map<int, std::unique_ptr<ModelContext>> libraries;
    std::unique_ptr<ModelContext> &library = libraries[prompts];
    if (!library) {
        library = std::make_unique<ModelContext>();
        library->setAutosaveInterval(-1);
        library->open(QString::fromLatin1(ModelContext::InMemory));
        fill(*library, prompts);
    }
    return *library;
}

const char *typed()
{
    return "summarize meeting notes";
}
} // namespace SearchLibraries
