#include "ModelContext.h"
#include "Prompt.h"
#include "TestSupport.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {
QString storePath(const QString &name)
{
    return TestSupport::freshDir(name) + QStringLiteral("/library.sqlite");
}

// A store with three saved prompts, "Template 0" .. "Template 2", written and closed.
QString savedLibrary(const QString &name)
{
    const QString path = storePath(name);
    ModelContext ctx;
    EXPECT_TRUE(ctx.open(path).ok());
    for (int i = 0; i < 3; ++i) {
        auto *p = new Prompt;
        p->setTitle(QStringLiteral("Prompt %1").arg(i));
        p->setTemplateText(QStringLiteral("Template %1 {{Name}} ü 😀").arg(i));
        ctx.insert(p);
    }
    EXPECT_TRUE(ctx.save());
    return path;
}

QString stored(int i)
{
    return QStringLiteral("Template %1 {{Name}} ü 😀").arg(i);
}
} // namespace

TEST(PromptTemplate, StoredTemplatesAreReadWhenAskedForAndEditsAreSaved)
{
    const QString path = savedLibrary(QStringLiteral("template-read"));
    {
        ModelContext ctx;
        ctx.setAutosaveInterval(-1);
        ASSERT_TRUE(ctx.open(path).ok());
        const QList<Prompt *> prompts = ctx.fetch<Prompt>();
        ASSERT_EQ(prompts.size(), 3);
        for (const Prompt *p : prompts)
            EXPECT_FALSE(p->holdsTemplate());
        EXPECT_EQ(prompts[0]->templateText(), stored(0));
        EXPECT_TRUE(prompts[0]->holdsTemplate());
        EXPECT_FALSE(prompts[1]->holdsTemplate());
        // In bulk, in the order asked, without the prompts keeping the text.
        EXPECT_EQ(ctx.templates({prompts[2], prompts[0], prompts[1]}), (QStringList{stored(2), stored(0), stored(1)}));
        EXPECT_FALSE(prompts[2]->holdsTemplate());

        // Setting the stored text again is no change; another one is, once.
        QSignalSpy changed(prompts[1], &Prompt::templateChanged);
        const quint32 revision = prompts[1]->templateRevision();
        prompts[1]->setTemplateText(stored(1));
        EXPECT_EQ(changed.count(), 0);
        EXPECT_FALSE(ctx.hasChanges());
        prompts[1]->setTemplateText(QStringLiteral("Edited"));
        EXPECT_EQ(changed.count(), 1);
        EXPECT_NE(prompts[1]->templateRevision(), revision);
        // A prompt changed elsewhere keeps the template it never read.
        prompts[2]->setTitle(QStringLiteral("Renamed"));
        ASSERT_TRUE(ctx.save());
        // Saved: held no longer, read again as saved.
        for (const Prompt *p : prompts)
            EXPECT_FALSE(p->holdsTemplate());
        EXPECT_EQ(prompts[1]->templateText(), QStringLiteral("Edited"));
    }
    ModelContext ctx;
    ASSERT_TRUE(ctx.open(path).ok());
    const QList<Prompt *> prompts = ctx.fetch<Prompt>();
    EXPECT_EQ(ctx.templates(prompts), (QStringList{stored(0), QStringLiteral("Edited"), stored(2)}));
    EXPECT_EQ(prompts[2]->title(), QStringLiteral("Renamed"));
}

TEST(PromptTemplate, UnsavedTemplatesStayInMemoryThroughAFailedSave)
{
    const QString path = savedLibrary(QStringLiteral("template-unsaved"));
    ModelContext ctx;
    ctx.setAutosaveInterval(-1);
    ASSERT_TRUE(ctx.open(path).ok());
    Prompt *edited = ctx.fetch<Prompt>().at(0);
    edited->setTemplateText(QStringLiteral("Edited, unsaved"));
    auto *fresh = new Prompt;
    fresh->setTemplateText(QStringLiteral("New, unsaved"));
    EXPECT_EQ(fresh->templateText(), QStringLiteral("New, unsaved")); // before it has a library
    ctx.insert(fresh);
    ASSERT_TRUE(ctx.execute(QStringLiteral(
        "CREATE TRIGGER refuse BEFORE INSERT ON prompt BEGIN SELECT RAISE(ABORT, 'disk says no'); END")));
    EXPECT_FALSE(ctx.save());
    EXPECT_TRUE(ctx.hasChanges());
    EXPECT_EQ(edited->templateText(), QStringLiteral("Edited, unsaved"));
    EXPECT_EQ(fresh->templateText(), QStringLiteral("New, unsaved"));
    // One never read comes from the store as it was.
    EXPECT_EQ(ctx.fetch<Prompt>().at(1)->templateText(), stored(1));

    ASSERT_TRUE(ctx.execute(QStringLiteral("DROP TRIGGER refuse")));
    ASSERT_TRUE(ctx.save());
    EXPECT_FALSE(fresh->holdsTemplate());
    EXPECT_EQ(fresh->templateText(), QStringLiteral("New, unsaved"));
    EXPECT_EQ(edited->templateText(), QStringLiteral("Edited, unsaved"));
}

TEST(PromptTemplate, TemplatesStayReadableAfterTheStoreIsLetGoAndAfterADelete)
{
    const QString path = savedLibrary(QStringLiteral("template-close"));
    ModelContext ctx;
    ctx.setAutosaveInterval(-1);
    ASSERT_TRUE(ctx.open(path).ok());
    const QList<Prompt *> prompts = ctx.fetch<Prompt>();
    // A deleted prompt is freed only later; until then it reads as it was.
    ctx.remove(prompts[0]);
    ASSERT_TRUE(ctx.save());
    EXPECT_EQ(prompts[0]->templateText(), stored(0));
    prompts[1]->setTemplateText(QStringLiteral("Edited"));

    ASSERT_TRUE(ctx.closeStore(ModelContext::AfterClose::KeepReading));
    EXPECT_FALSE(ctx.isOpen());
    EXPECT_EQ(prompts[1]->templateText(), QStringLiteral("Edited"));
    EXPECT_EQ(prompts[2]->templateText(), stored(2));
    // The file is another process's to change now; what was read stays.
    {
        ModelContext other;
        ASSERT_TRUE(other.open(path).ok());
        other.fetch<Prompt>().last()->setTemplateText(QStringLiteral("Changed elsewhere"));
        ASSERT_TRUE(other.save());
    }
    EXPECT_EQ(prompts[2]->templateText(), stored(2));
}

TEST(PromptTemplate, AtTheProcessEndTheStoreIsLetGoWithoutReadingEveryTemplate)
{
    const QString path = savedLibrary(QStringLiteral("template-exit"));
    {
        ModelContext ctx;
        ctx.setAutosaveInterval(-1);
        ASSERT_TRUE(ctx.open(path).ok());
        const QList<Prompt *> prompts = ctx.fetch<Prompt>();
        prompts[0]->setTemplateText(QStringLiteral("Edited"));
        ASSERT_TRUE(ctx.closeStore());
        EXPECT_FALSE(ctx.isOpen());
        // The edit was saved; the untouched templates were left in the file, not read.
        EXPECT_FALSE(prompts[1]->holdsTemplate());
        EXPECT_FALSE(prompts[2]->holdsTemplate());
    }
    ModelContext reopened;
    ASSERT_TRUE(reopened.open(path).ok());
    const QList<Prompt *> prompts = reopened.fetch<Prompt>();
    EXPECT_EQ(prompts[0]->templateText(), QStringLiteral("Edited"));
    EXPECT_EQ(prompts[1]->templateText(), stored(1));
}
