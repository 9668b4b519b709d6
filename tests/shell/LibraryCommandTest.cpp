#include "LibraryCommand.h"
#include "DataController.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptsCommand.h"
#include "StoreLog.h"
#include "TestSupport.h"
#include "UserAttribute.h"
#include "UserDefaults.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {
const QString EmailId = "E0000000-0000-4000-8000-000000000001";
const QString ReviewId = "E0000000-0000-4000-8000-000000000002";
const QString CafeId = "E0000000-0000-4000-8000-000000000003";
const QString Item10Id = "E0000000-0000-4000-8000-000000000004";
const QString Item2Id = "E0000000-0000-4000-8000-000000000005";
const QString Unknown = "E0000000-0000-4000-8000-0000000000FF";

struct Outcome {
    int code = 0;
    QString out;
    QString err;
};

// One prompt as the importer takes it.
QString item(const QString &id, const QString &title, const QString &text, const QString &category = "Writing")
{
    return QStringLiteral(R"({"id": "%1", "categories": ["%4"], "tags": ["new tag"], "title": "%2", "description": "d",
        "template": "%3", "created": "2024-05-01", "updated": "2024-05-02", "active": true})")
        .arg(id, title, text, category);
}

QJsonObject json(const Outcome &outcome)
{
    return QJsonDocument::fromJson(outcome.out.toUtf8()).object();
}

// The small test library (tests/shell/data) loaded into a store of its own in a fresh folder,
// with settings of its own, as the command line finds it after start-up.
class CommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("VORN_SEED_DIR", VORN_TEST_LIBRARY_DIR);
        dir = TestSupport::freshDir(
            QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        defaults = std::make_unique<UserDefaults>(dir + "/settings.ini");
        UserDefaults::setStandard(defaults.get());
        open();
    }

    void TearDown() override
    {
        controller.reset();
        UserDefaults::setStandard(nullptr);
    }

    void open(const QString &documents = "/Documents")
    {
        controller.reset();
        DataController::Options options;
        options.storePath = dir + "/library.sqlite";
        options.documentsDir = dir + documents;
        controller = std::make_unique<DataController>(options);
        StoreLog::Capture quiet([](const QString &) {});
        ASSERT_TRUE(controller->setUp());
        controller->startupLoad();
    }

    // Standard input is bytes, as from a terminal or through the app's socket.
    Outcome run(int (*command)(const QStringList &, QTextStream &, QTextStream &, QTextStream &, DataController &),
                const QStringList &args, QByteArray input = {})
    {
        Outcome result;
        QTextStream in(&input, QIODevice::ReadOnly);
        QTextStream out(&result.out);
        QTextStream err(&result.err);
        result.code = command(args, in, out, err, *controller);
        out.flush();
        err.flush();
        return result;
    }
    Outcome library(const QStringList &args, const QString &input = {})
    {
        return run(runLibraryCommand, args, input.toUtf8());
    }
    Outcome prompts(const QStringList &args) { return run(runPromptsCommand, args); }

    Prompt *prompt(const QString &id) const
    {
        for (Prompt *p : controller->mainContext()->fetch<Prompt>()) {
            if (p->idText() == id)
                return p;
        }
        return nullptr;
    }

    QString dir;
    std::unique_ptr<UserDefaults> defaults;
    std::unique_ptr<DataController> controller;
};

QStringList lines(const QString &text)
{
    return text.split(u'\n', Qt::SkipEmptyParts);
}

QString row(const QString &id, const QString &title)
{
    return id + u'\t' + title;
}
} // namespace

TEST_F(CommandTest, ListFollowsTheSearchRules)
{
    // Without terms: every shown prompt by title, in natural order; inactive ones only with --all.
    Outcome all = prompts({"list"});
    EXPECT_EQ(all.code, 0);
    EXPECT_EQ(lines(all.out), (QStringList{row(ReviewId, "Code review"), row(EmailId, "Email reply"),
                                           row(Item2Id, "Item 2"), row(Item10Id, "Item 10")}));
    EXPECT_EQ(lines(prompts({"list", "--all"}).out).size(), 5);

    EXPECT_TRUE(prompts({"list", "cafe"}).out.isEmpty());
    EXPECT_EQ(prompts({"list", "CAFE", "--all"}).out, row(CafeId, "Café notes") + u'\n');
    EXPECT_EQ(prompts({"list", "item", "tenth"}).out, row(Item10Id, "Item 10") + u'\n');
    EXPECT_TRUE(prompts({"list", "paste"}).out.isEmpty());
    EXPECT_EQ(lines(prompts({"list", "paste", "--template"}).out), QStringList{row(ReviewId, "Code review")});

    // Hidden prompts need --hidden; a favourite ranks first among equal matches.
    EXPECT_EQ(prompts({"hide", ReviewId}).code, 0);
    EXPECT_EQ(prompts({"favorite", Item10Id}).code, 0);
    EXPECT_EQ(lines(prompts({"list", "item"}).out), (QStringList{row(Item10Id, "Item 10"), row(Item2Id, "Item 2")}));
    // A title starting with the term ranks before a favourite that only contains it.
    EXPECT_EQ(lines(prompts({"list", "e"}).out),
              (QStringList{row(EmailId, "Email reply"), row(Item10Id, "Item 10"), row(Item2Id, "Item 2")}));
    EXPECT_EQ(lines(prompts({"list", "--hidden"}).out).size(), 4);

    const QJsonArray array = QJsonDocument::fromJson(prompts({"list", "item", "--json"}).out.toUtf8()).array();
    ASSERT_EQ(array.size(), 2);
    EXPECT_EQ(array.at(0).toObject().value("id").toString(), Item10Id);
    EXPECT_TRUE(array.at(0).toObject().value("favorite").toBool());
}

TEST_F(CommandTest, ShowPrintsFieldsAndUserState)
{
    const Outcome text = prompts({"show", EmailId.toLower()});
    EXPECT_EQ(text.code, 0);
    for (const QString &expected :
         QStringList{"ID: " + EmailId, "Title: Email reply", "Categories: Writing", "Tags: text", "Favorite: no",
                     "Uses: 0", "Created: 2024-01-31", "Reply to {{Sender:}} in a {{Tone: [tones]}} tone."})
        EXPECT_TRUE(lines(text.out).contains(expected)) << qPrintable(expected);

    const Outcome shown = prompts({"show", ReviewId, "--json"});
    ASSERT_EQ(shown.code, 0);
    const QJsonObject object = json(shown);
    EXPECT_EQ(object.keys(), (QStringList{"active", "categories", "createdAt", "description", "favorite", "hidden",
                                          "hot", "id", "lastUsed", "new", "tags", "template", "title", "updated",
                                          "updatedAt", "uses"}));
    EXPECT_EQ(object.value("categories").toArray(), QJsonArray{"Coding"});
    EXPECT_TRUE(object.value("hot").toBool());
    EXPECT_TRUE(object.value("lastUsed").isNull());
    EXPECT_EQ(object.value("updatedAt").toString(), "2024-01-31");
    EXPECT_EQ(object.value("template").toString(), "Review this code:\n{{Code: paste here}}");

    for (const QString &unknown : QStringList{Unknown, "nope"}) {
        const Outcome missing = prompts({"show", unknown});
        EXPECT_EQ(missing.code, 1);
        EXPECT_TRUE(missing.out.isEmpty());
        EXPECT_TRUE(missing.err.contains(unknown)) << qPrintable(missing.err);
    }
}

TEST_F(CommandTest, FavoriteAndHideAreSavedAndUndone)
{
    EXPECT_EQ(prompts({"favorite", EmailId}).code, 0);
    EXPECT_EQ(prompts({"hide", Item2Id}).code, 0);
    open(); // what was saved, read back from the file
    EXPECT_TRUE(prompt(EmailId)->isFavorite());
    EXPECT_TRUE(prompt(Item2Id)->isHidden());
    EXPECT_EQ(prompt(EmailId)->attributes()->targetID(), prompt(EmailId)->id());

    EXPECT_EQ(prompts({"favorite", EmailId, "--off"}).code, 0);
    EXPECT_EQ(prompts({"hide", Item2Id, "--off"}).code, 0);
    open();
    EXPECT_FALSE(prompt(EmailId)->isFavorite());
    EXPECT_FALSE(prompt(Item2Id)->isHidden());
    EXPECT_EQ(controller->mainContext()->count<UserAttribute>(), 2);
    EXPECT_EQ(prompts({"favorite", Unknown}).code, 1);
    // favorite and hide take an ID only, never search terms.
    EXPECT_EQ(prompts({"favorite", "code", "review"}).code, 2);
}

TEST_F(CommandTest, RenderValidatesRemembersAndCopies)
{
    defaults->setValue("tag_text_suffix", "Answer in Markdown.");

    const Outcome incomplete = prompts({"render", EmailId});
    EXPECT_EQ(incomplete.code, 1);
    EXPECT_TRUE(incomplete.out.isEmpty());
    EXPECT_FALSE(incomplete.err.isEmpty());
    // A failed render remembers none of its values.
    EXPECT_EQ(prompts({"render", EmailId, "--set", "Sender=", "--set", "Tone=Warm"}).code, 1);
    const Outcome later = prompts({"render", EmailId, "--set", "Sender=Ann"});
    EXPECT_EQ(later.code, 0) << qPrintable(later.err);
    EXPECT_FALSE(later.out.contains("Warm")) << qPrintable(later.out);

    const Outcome filled = prompts({"render", EmailId, "--set", "Sender=Ann", "--set=Tone=Formal"});
    EXPECT_EQ(filled.code, 0) << qPrintable(filled.err);
    EXPECT_TRUE(filled.out.startsWith("Reply to \"Ann\" in a \"Formal\" tone.")) << qPrintable(filled.out);
    EXPECT_TRUE(filled.out.endsWith("Answer in Markdown.\n")); // every output ends its line
    EXPECT_EQ(prompt(EmailId)->usageCount(), 0); // rendering alone is no use

    // The values are remembered like typed ones; --copy puts the text on the clipboard and counts a use.
    QGuiApplication::clipboard()->clear();
    const Outcome copied = prompts({"render", EmailId, "--copy"});
    EXPECT_EQ(copied.code, 0) << qPrintable(copied.err);
    EXPECT_EQ(copied.out, filled.out);
    EXPECT_EQ(QGuiApplication::clipboard()->text() + u'\n', filled.out);
    open();
    EXPECT_EQ(prompt(EmailId)->usageCount(), 1);
    const QJsonObject shown = json(prompts({"show", EmailId, "--json"}));
    EXPECT_EQ(shown.value("uses").toInt(), 1);
    EXPECT_TRUE(QDateTime::fromString(shown.value("lastUsed").toString(), Qt::ISODate).isValid());

    EXPECT_EQ(prompts({"render", EmailId, "--set", "Nobody=x"}).code, 2);
    EXPECT_EQ(prompts({"render", EmailId, "--set", "novalue"}).code, 2);
    EXPECT_EQ(prompts({"render", "nope"}).code, 1);
}

// On a new machine, whose settings have never seen the panel, the text suffix is seeded for the
// command line too; show and render take search terms for an ID.
TEST_F(CommandTest, ShowAndRenderTakeSearchTermsAndTheSuffixIsSeeded)
{
    defaults->remove("tag_text_suffix");
    open();
    const Outcome rendered = prompts({"render", "code", "review", "--set", "Code=x", "--set", "Language=German"});
    EXPECT_EQ(rendered.code, 0) << qPrintable(rendered.err);
    EXPECT_TRUE(rendered.out.startsWith("Review this code:")) << qPrintable(rendered.out);
    EXPECT_TRUE(rendered.out.endsWith("The output shall be in \"German\".\n")) << qPrintable(rendered.out);

    const Outcome shown = prompts({"show", "code", "review", "--json"});
    EXPECT_EQ(shown.code, 0) << qPrintable(shown.err);
    EXPECT_EQ(json(shown).value("id").toString(), ReviewId);
    defaults->setValue("tag_text_suffix", QString()); // the seeded one asks for a language
    const Outcome email = prompts({"render", "email", "--set", "Sender=Ann"});
    EXPECT_EQ(email.code, 0) << qPrintable(email.err);
    EXPECT_TRUE(email.out.startsWith("Reply to \"Ann\"")) << qPrintable(email.out);

    // Several equally good: listed, and nothing is chosen.
    const Outcome several = prompts({"render", "item"});
    EXPECT_EQ(several.code, 2);
    EXPECT_TRUE(several.out.isEmpty());
    EXPECT_TRUE(several.err.contains(row(Item10Id, "Item 10"))) << qPrintable(several.err);
    EXPECT_TRUE(several.err.contains(row(Item2Id, "Item 2"))) << qPrintable(several.err);
}

TEST_F(CommandTest, UsageErrorsExitWithTwo)
{
    for (const QStringList &args : {QStringList{"frobnicate"}, QStringList{"list", "--bogus"}, QStringList{"show"},
                                    QStringList{"show", EmailId, ReviewId}, QStringList{}}) {
        const Outcome result = prompts(args);
        EXPECT_EQ(result.code, 2) << qPrintable(args.join(u' '));
        EXPECT_FALSE(result.err.isEmpty());
    }
    for (const QStringList &args : {QStringList{"frobnicate"}, QStringList{"sync", "--fast"},
                                    QStringList{"export", "--prefix"}, QStringList{"validate", "x"}}) {
        const Outcome result = library(args);
        EXPECT_EQ(result.code, 2) << qPrintable(args.join(u' '));
        EXPECT_EQ(lines(result.err).size(), 1);
    }
    EXPECT_EQ(prompts({"list", "--help"}).code, 0);
}

TEST_F(CommandTest, SyncAndExportPrintTheirLogLinesAndAFailedSyncExitsWithOne)
{
    const Outcome sync = library({"sync"});
    EXPECT_EQ(sync.code, 0);
    EXPECT_TRUE(sync.out.contains("Sync complete. Total: ")) << qPrintable(sync.out);
    const Outcome forced = library({"sync", "--force"});
    EXPECT_EQ(forced.code, 0);
    EXPECT_TRUE(forced.out.contains("Manual sync complete. Total: ")) << qPrintable(forced.out);

    const Outcome exported = library({"export", "--prefix", "Mine_"});
    EXPECT_EQ(exported.code, 0);
    const QString path = dir + "/Documents/Mine_prompts.json";
    EXPECT_TRUE(lines(exported.out).contains(QStringLiteral("Prompts: ") + path)) << qPrintable(exported.out);
    EXPECT_TRUE(QFile::exists(path));

    // A shipped library that does not decode: the outcome, not the wording of a log line, gives
    // the exit status, with or without --force.
    const QString broken = dir + "/broken";
    QDir().mkpath(broken);
    for (const char *name : {"/prompts.json", "/data.json"}) {
        QFile file(broken + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{\"prompts\": 3, \"categories\": 3}");
    }
    qputenv("VORN_SEED_DIR", broken.toLocal8Bit());
    const Outcome plain = library({"sync"});
    const Outcome failedForced = library({"sync", "--force"});
    qputenv("VORN_SEED_DIR", VORN_TEST_LIBRARY_DIR);
    EXPECT_EQ(plain.code, 1) << qPrintable(plain.out + plain.err);
    EXPECT_FALSE(plain.err.isEmpty());
    EXPECT_EQ(failedForced.code, 1) << qPrintable(failedForced.out + failedForced.err);
}

TEST_F(CommandTest, ImportReportsItsLineAndBacksUp)
{
    const QString id = "F0000000-0000-4000-8000-000000000001";
    const Outcome ok = library({"import"}, item(id, "Imported", "Hi {{Name}}"));
    EXPECT_EQ(ok.code, 0) << qPrintable(ok.err);
    EXPECT_TRUE(lines(ok.out).endsWith("Processed 1 items: 1 inserted, 0 updated."));
    EXPECT_TRUE(ok.out.contains("✅ Backup created: Backup_"));
    EXPECT_EQ(QDir(dir + "/Documents").entryList({"Backup_*prompts.json"}).size(), 1);
    open();
    ASSERT_TRUE(prompt(id));

    // From a file, failing: the importer's line on standard error.
    const QString file = dir + "/bad.json";
    QFile bad(file);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(item(id, "Imported", "Hi {{Name}}", "Nope").toUtf8());
    bad.close();
    const Outcome failed = library({"import", file});
    EXPECT_EQ(failed.code, 1);
    EXPECT_EQ(failed.err, "Error in item 1 ('Imported'): Unknown Categories: Nope\n");
    EXPECT_EQ(library({"import", dir + "/missing.json"}).code, 1);

    // Not UTF-8 on standard input: refused, nothing imported.
    const Outcome latin1 = run(runLibraryCommand, {"import"}, item(Unknown, QStringLiteral("Café"), "x").toLatin1());
    EXPECT_EQ(latin1.code, 1);
    EXPECT_EQ(latin1.err, "Invalid text encoding.\n");
    EXPECT_FALSE(prompt(Unknown));

    // Saved, but the backup could not be written: the import's result, and the backup's
    // failure with the system's reason on its own line.
    QFile blocker(dir + "/NoDocuments");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    open("/NoDocuments/Documents");
    const Outcome saved = library({"import"}, item(id, "Imported again", "Hi {{Name}}"));
    EXPECT_EQ(saved.code, 0) << qPrintable(saved.err);
    EXPECT_TRUE(lines(saved.out).endsWith("Processed 1 items: 0 inserted, 1 updated.")) << qPrintable(saved.out);
    EXPECT_FALSE(saved.out.contains("Failed"));
    EXPECT_EQ(saved.err, "vorn library: the import was saved, but its backup could not be written: cannot create "
                         "the folder " + dir + "/NoDocuments/Documents: Not a directory\n");
    open();
    EXPECT_EQ(prompt(id)->title(), "Imported again");

    // The imported template has a placeholder without a colon.
    const Outcome check = library({"validate"});
    EXPECT_EQ(check.code, 1);
    EXPECT_EQ(lines(check.out), (QStringList{"Imported again: Invalid format in '{{Name}}'. Expected 'Name: Value'.",
                                             "Checked 6 templates. Found 1 issues."}));
}

// A reset keeps the user records of the shipped prompts, and the backup taken before it brings
// back imported prompts with their favourites and uses.
TEST_F(CommandTest, MaintenanceCommandsAndABackupRestoringWhatAResetTook)
{
    const Outcome valid = library({"validate"});
    EXPECT_EQ(valid.code, 0);
    EXPECT_EQ(valid.out, "Checked 5 templates. All valid!\n");
    EXPECT_EQ(library({"dedupe"}).code, 0);

    prompts({"favorite", EmailId});
    const Outcome stats = library({"reset-stats"});
    EXPECT_EQ(stats.code, 0);
    EXPECT_TRUE(stats.out.contains("✅ Reset complete.")) << qPrintable(stats.out);
    open();
    EXPECT_FALSE(prompt(EmailId)->isFavorite());
    EXPECT_FALSE(prompt(ReviewId)->isHot());

    prompts({"favorite", EmailId});
    const QString id = "F0000000-0000-4000-8000-000000000009";
    ASSERT_EQ(library({"import"}, item(id, "Mine", "Hi {{Name:}}")).code, 0);
    ASSERT_EQ(prompts({"favorite", id}).code, 0);
    prompt(id)->ensureAttribute()->setUsageCount(3);
    ASSERT_TRUE(controller->mainContext()->save());
    QDir documents(dir + "/Documents");
    for (const QString &old : documents.entryList({"Backup_*"}))
        documents.remove(old);

    const Outcome refused = library({"reset"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains("--yes"));
    EXPECT_TRUE(refused.out.isEmpty());
    const Outcome reset = library({"reset", "--yes"});
    EXPECT_EQ(reset.code, 0) << qPrintable(reset.out + reset.err);
    EXPECT_TRUE(reset.out.contains("✅ Database reset complete")) << qPrintable(reset.out);
    open();
    ASSERT_TRUE(prompt(EmailId));
    EXPECT_TRUE(prompt(EmailId)->isFavorite()); // the user record survived the reset
    EXPECT_EQ(controller->mainContext()->count<Prompt>(), 5);
    ASSERT_FALSE(prompt(id)); // imported prompts go with a reset

    const QStringList backups = documents.entryList({"Backup_*prompts.json"});
    ASSERT_EQ(backups.size(), 1);
    const Outcome restored = library({"import", documents.filePath(backups.first())});
    EXPECT_EQ(restored.code, 0) << qPrintable(restored.err);
    EXPECT_TRUE(restored.out.contains("1 inserted")) << qPrintable(restored.out);
    open();
    ASSERT_TRUE(prompt(id));
    EXPECT_TRUE(prompt(id)->isFavorite());
    EXPECT_EQ(prompt(id)->usageCount(), 3);
}
