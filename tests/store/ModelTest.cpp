#include "LiveQuery.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "PromptGlobalVariable.h"
#include "PromptTag.h"
#include "TestSupport.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {
QString storePath(const QString &name)
{
    return TestSupport::freshDir(name) + QStringLiteral("/library.sqlite");
}

Prompt *makePrompt(ModelContext &ctx, const QString &title)
{
    auto *p = new Prompt;
    p->setTitle(title);
    ctx.insert(p);
    return p;
}

QString stored(int i)
{
    return QStringLiteral("Template %1 {{Name}} ü 😀").arg(i);
}

// A store with three saved prompts, "Prompt 0" .. "Prompt 2" with stored(i), written and closed.
QString savedLibrary(const QString &name)
{
    const QString path = storePath(name);
    ModelContext ctx;
    EXPECT_TRUE(ctx.open(path).ok());
    for (int i = 0; i < 3; ++i)
        makePrompt(ctx, QStringLiteral("Prompt %1").arg(i))->setTemplateText(stored(i));
    EXPECT_TRUE(ctx.save());
    return path;
}
} // namespace

// Values derived from a user record create none; the record is made once, on demand, and
// tells its prompt's views. Links keep both ends and a delete nullifies them.
TEST(Model, DerivedValuesInversesAndNullifyOnDelete)
{
    ModelContext ctx;
    ASSERT_TRUE(ctx.open(ModelContext::InMemory).ok());
    Prompt *p = makePrompt(ctx, "A");
    EXPECT_EQ(p->usageCount(), 0);
    EXPECT_FALSE(p->isFavorite() || p->isHidden());
    EXPECT_TRUE(p->isActive());
    EXPECT_EQ(ctx.count<UserAttribute>(), 0);
    UserAttribute *a = p->ensureAttribute();
    EXPECT_EQ(p->ensureAttribute(), a);
    EXPECT_EQ(ctx.count<UserAttribute>(), 1);
    EXPECT_EQ(a->targetID(), p->id());
    EXPECT_EQ(a->prompt(), p);
    QSignalSpy favorite(p, &Prompt::isFavoriteChanged);
    a->setFavorite(true);
    EXPECT_TRUE(p->isFavorite());
    EXPECT_EQ(favorite.count(), 1);

    auto *c1 = new PromptCategory;
    auto *c2 = new PromptCategory;
    auto *tag = new PromptTag;
    tag->setName(QStringLiteral("text"));
    p->setCategories({c1, c2, c1});
    p->setTags({tag});
    // Linked objects come into the context with the prompt.
    EXPECT_EQ(ctx.count<PromptCategory>(), 2);
    EXPECT_EQ(ctx.count<PromptTag>(), 1);
    EXPECT_EQ(p->categories().size(), 2);
    EXPECT_EQ(c1->prompts(), QList<Prompt *>{p});
    EXPECT_EQ(tag->prompts(), QList<Prompt *>{p});

    c2->setPrompts({});
    EXPECT_EQ(p->categories(), QList<PromptCategory *>{c1});

    const QUuid target = a->targetID();
    ctx.remove(p);
    EXPECT_EQ(ctx.count<Prompt>(), 0);
    EXPECT_TRUE(c1->prompts().isEmpty());
    EXPECT_TRUE(tag->prompts().isEmpty());
    EXPECT_EQ(a->prompt(), nullptr);
    EXPECT_EQ(a->targetID(), target);
    EXPECT_EQ(ctx.count<UserAttribute>(), 1);

    // Moving an attribute to another owner clears the first owner's link.
    Prompt *q = makePrompt(ctx, QStringLiteral("B"));
    Prompt *r = makePrompt(ctx, QStringLiteral("C"));
    q->setAttributes(a);
    r->setAttributes(a);
    EXPECT_EQ(q->attributes(), nullptr);
    EXPECT_EQ(a->prompt(), r);
}

TEST(Model, ReopenKeepsEveryFieldRelationshipAndDuplicate)
{
    const QString path = storePath(QStringLiteral("reopen"));
    const QUuid id = QUuid::createUuid();
    const QDateTime created = QDateTime::fromString(QStringLiteral("2024-01-31T00:00:00"), Qt::ISODate);
    const QDateTime used = QDateTime::currentDateTimeUtc().addSecs(-60);
    {
        ModelContext ctx;
        ASSERT_TRUE(ctx.open(path).ok());
        auto *cat = new PromptCategory;
        cat->setName(QStringLiteral("Writing"));
        cat->setIconSymbol(QStringLiteral("pencil"));
        cat->setCategoryDescription(QStringLiteral("Words"));
        cat->setSortOrder(3);
        auto *tag1 = new PromptTag;
        tag1->setName(QStringLiteral("nano banana"));
        auto *tag2 = new PromptTag;
        tag2->setName(QStringLiteral("text"));
        for (int copy = 0; copy < 2; ++copy) {
            auto *p = new Prompt;
            p->setId(id);
            p->setTitle(QStringLiteral("Title %1 ✓").arg(copy));
            p->setPromptDescription(QStringLiteral("Desc"));
            p->setTemplateText(QStringLiteral("Hi {{Name}}\nü 😀"));
            p->setCreatedAt(created);
            p->setUpdatedAt(created.addDays(copy));
            p->setHot(true);
            p->setActive(false);
            p->setNew(true);
            p->setUpdated(copy == 1);
            p->setExternalId(copy ? QStringLiteral("ext") : QString());
            p->setCategories({cat});
            p->setTags({tag2, tag1});
            ctx.insert(p);
        }
        ctx.insert(new PromptGlobalVariable(QStringLiteral("tones"), {QStringLiteral("#Soft"), QStringLiteral("calm")}));
        UserAttribute *a = ctx.fetch<Prompt>().first()->ensureAttribute();
        a->setFavorite(true);
        a->setUsageCount(7);
        a->setLastUsedAt(used);
        cat->ensureAttribute()->setHidden(true);
        QString error;
        ASSERT_TRUE(ctx.save(&error)) << error.toStdString();
        EXPECT_FALSE(ctx.hasChanges());
    }
    ModelContext ctx;
    ASSERT_TRUE(ctx.open(path).ok());
    const auto prompts = ctx.fetch<Prompt>();
    ASSERT_EQ(prompts.size(), 2);
    for (int copy = 0; copy < 2; ++copy) {
        Prompt *p = prompts[copy];
        EXPECT_EQ(p->id(), id);
        EXPECT_EQ(p->title(), QStringLiteral("Title %1 ✓").arg(copy));
        EXPECT_EQ(p->templateText(), QStringLiteral("Hi {{Name}}\nü 😀"));
        EXPECT_EQ(p->createdAt(), created);
        EXPECT_EQ(p->updatedAt(), created.addDays(copy));
        EXPECT_TRUE(p->isHot());
        EXPECT_FALSE(p->isActive());
        EXPECT_TRUE(p->isNew());
        EXPECT_EQ(p->isUpdated(), copy == 1);
        EXPECT_EQ(p->externalId().isNull(), copy == 0);
        ASSERT_EQ(p->tags().size(), 2);
        EXPECT_EQ(p->tags()[0]->name(), QStringLiteral("text"));
        EXPECT_EQ(p->tags()[1]->name(), QStringLiteral("nano banana"));
    }
    EXPECT_TRUE(prompts[0]->isFavorite());
    EXPECT_EQ(prompts[0]->usageCount(), 7);
    EXPECT_EQ(prompts[0]->attributes()->lastUsedAt(), used);
    EXPECT_EQ(prompts[1]->attributes(), nullptr);
    PromptCategory *cat = ctx.fetch<PromptCategory>().first();
    EXPECT_EQ(cat->prompts(), prompts);
    EXPECT_EQ(cat->iconSymbol(), QStringLiteral("pencil"));
    EXPECT_EQ(cat->categoryDescription(), QStringLiteral("Words"));
    EXPECT_EQ(cat->sortOrder(), 3);
    EXPECT_TRUE(cat->isHidden());
    EXPECT_EQ(ctx.fetch<PromptGlobalVariable>().first()->values(),
              (QStringList{QStringLiteral("#Soft"), QStringLiteral("calm")}));
    EXPECT_GT(prompts[1]->persistentId(), prompts[0]->persistentId());
}

// A refused save keeps every change pending, the unsaved templates in memory included, and
// the next save writes them all.
TEST(Model, FailedSaveKeepsChangesAndUnsavedTemplatesPending)
{
    const QString path = savedLibrary(QStringLiteral("failsave"));
    ModelContext ctx;
    ctx.setAutosaveInterval(-1);
    ASSERT_TRUE(ctx.open(path).ok());
    const QList<Prompt *> prompts = ctx.fetch<Prompt>();
    ASSERT_TRUE(ctx.execute(QStringLiteral(
        "CREATE TRIGGER refuse BEFORE INSERT ON prompt BEGIN SELECT RAISE(ABORT, 'disk says no'); END")));
    prompts[0]->setTitle(QStringLiteral("changed"));
    prompts[0]->setTemplateText(QStringLiteral("Edited, unsaved"));
    auto *fresh = new Prompt;
    fresh->setTemplateText(QStringLiteral("New, unsaved"));
    EXPECT_EQ(fresh->templateText(), QStringLiteral("New, unsaved")) << "before it has a library";
    ctx.insert(fresh);
    ctx.remove(prompts[2]);
    QString error;
    EXPECT_FALSE(ctx.save(&error));
    EXPECT_TRUE(error.contains(QStringLiteral("disk says no"))) << error.toStdString();
    EXPECT_TRUE(ctx.hasChanges());
    EXPECT_EQ(ctx.count<Prompt>(), 3);
    EXPECT_EQ(prompts[0]->templateText(), QStringLiteral("Edited, unsaved"));
    EXPECT_EQ(fresh->templateText(), QStringLiteral("New, unsaved"));
    EXPECT_EQ(prompts[1]->templateText(), stored(1)) << "one never read comes from the store as it was";

    ASSERT_TRUE(ctx.execute(QStringLiteral("DROP TRIGGER refuse")));
    ASSERT_TRUE(ctx.save(&error)) << error.toStdString();
    EXPECT_FALSE(fresh->holdsTemplate());
    EXPECT_EQ(fresh->templateText(), QStringLiteral("New, unsaved"));
    EXPECT_EQ(prompts[0]->templateText(), QStringLiteral("Edited, unsaved"));
    ctx.close();
    ASSERT_TRUE(ctx.open(path).ok());
    const QList<Prompt *> back = ctx.fetch<Prompt>();
    ASSERT_EQ(back.size(), 3);
    EXPECT_EQ(back[0]->title(), QStringLiteral("changed"));
    EXPECT_EQ(ctx.templates(back), (QStringList{QStringLiteral("Edited, unsaved"), stored(1), QStringLiteral("New, unsaved")}));
}

TEST(Model, AutosaveWritesShortlyAfterAChange)
{
    const QString path = storePath(QStringLiteral("autosave"));
    ModelContext ctx;
    ctx.setAutosaveInterval(10);
    ASSERT_TRUE(ctx.open(path).ok());
    makePrompt(ctx, QStringLiteral("auto"));
    QSignalSpy saved(&ctx, &ModelContext::saved);
    ASSERT_TRUE(saved.wait(5000));
    EXPECT_FALSE(ctx.hasChanges());
}

TEST(Model, SecondOpenerIsRefusedAndCorruptFilesAreReported)
{
    const QString path = storePath(QStringLiteral("lock"));
    ModelContext first;
    ASSERT_TRUE(first.open(path).ok());
    ModelContext second;
    const auto result = second.open(path);
    EXPECT_EQ(result.status, ModelContext::OpenStatus::Locked);
    EXPECT_TRUE(result.message.contains(QStringLiteral("in use"))) << result.message.toStdString();
    first.close();
    EXPECT_TRUE(second.open(path).ok());
    second.close();

    const QString junk = storePath(QStringLiteral("corrupt"));
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(8192, 'x'));
    file.close();
    ModelContext ctx;
    EXPECT_EQ(ctx.open(junk).status, ModelContext::OpenStatus::Unreadable);
    EXPECT_EQ(QFile(junk).size(), 8192); // untouched
}

TEST(Model, LiveQueryFollowsTheStore)
{
    ModelContext ctx;
    ASSERT_TRUE(ctx.open(ModelContext::InMemory).ok());
    LiveQuery favorites(&ctx, ModelType::Prompt,
                        [](const PersistentModel *o) { return static_cast<const Prompt *>(o)->isFavorite(); },
                        [](const PersistentModel *a, const PersistentModel *b) {
                            return static_cast<const Prompt *>(a)->title() < static_cast<const Prompt *>(b)->title();
                        });
    QAbstractItemModelTester tester(&favorites, QAbstractItemModelTester::FailureReportingMode::Fatal);
    Prompt *b = makePrompt(ctx, QStringLiteral("b"));
    Prompt *a = makePrompt(ctx, QStringLiteral("a"));
    Prompt *c = makePrompt(ctx, QStringLiteral("c"));
    for (Prompt *p : {c, b})
        p->ensureAttribute()->setFavorite(true);
    QTest::qWait(0);
    QCoreApplication::processEvents();
    ASSERT_EQ(favorites.count(), 2);
    EXPECT_EQ(favorites.get(0), b);
    a->ensureAttribute()->setFavorite(true);
    c->setTitle(QStringLiteral("0"));
    QCoreApplication::processEvents();
    ASSERT_EQ(favorites.count(), 3);
    EXPECT_EQ(favorites.get(0), c);
    EXPECT_EQ(favorites.get(1), a);
    ctx.remove(a);
    b->attributes()->setFavorite(false);
    QCoreApplication::processEvents();
    ASSERT_EQ(favorites.count(), 1);
    EXPECT_EQ(favorites.get(0), c);
}

TEST(UserDefaultsTest, EveryWriteNotifiesAndPersists)
{
    const QString file = TestSupport::freshDir(QStringLiteral("defaults")) + QStringLiteral("/vorn.ini");
    {
        UserDefaults defaults(file);
        QSignalSpy spy(&defaults, &UserDefaults::valueChanged);
        defaults.setValue(QStringLiteral("tag_nano banana_suffix"), QStringLiteral("Edit only the subject"));
        defaults.setValue(QStringLiteral("isAdminMode"), true);
        defaults.remove(QStringLiteral("isAdminMode"));
        ASSERT_EQ(spy.count(), 3);
        EXPECT_EQ(spy.at(0).at(0).toString(), QStringLiteral("tag_nano banana_suffix"));
        EXPECT_FALSE(defaults.stringValue(QStringLiteral("missing")).has_value());
    }
    UserDefaults again(file);
    EXPECT_EQ(again.string(QStringLiteral("tag_nano banana_suffix")), QStringLiteral("Edit only the subject"));
    EXPECT_FALSE(again.boolValue(QStringLiteral("isAdminMode"), false));
}

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
        // At the process end the store is let go with the edit saved, the others left unread.
        prompts[0]->setTemplateText(QStringLiteral("Edited 0"));
        ASSERT_TRUE(ctx.closeStore());
        EXPECT_FALSE(ctx.isOpen());
        EXPECT_FALSE(prompts[1]->holdsTemplate() || prompts[2]->holdsTemplate());
    }
    ModelContext ctx;
    ASSERT_TRUE(ctx.open(path).ok());
    const QList<Prompt *> prompts = ctx.fetch<Prompt>();
    EXPECT_EQ(ctx.templates(prompts), (QStringList{QStringLiteral("Edited 0"), QStringLiteral("Edited"), stored(2)}));
    EXPECT_EQ(prompts[2]->title(), QStringLiteral("Renamed"));
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
    ASSERT_TRUE(ctx.save()); // no fetch in between: the list still held the deleted object
    EXPECT_EQ(prompts[0]->templateText(), stored(0));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(ctx.count<Prompt>(), 2);
    EXPECT_EQ(ctx.fetch<Prompt>().first(), prompts[1]);
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
