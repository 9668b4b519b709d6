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
const QString EmailId = QStringLiteral("E0000000-0000-4000-8000-000000000001");
const QString ReviewId = QStringLiteral("E0000000-0000-4000-8000-000000000002");
const QString CafeId = QStringLiteral("E0000000-0000-4000-8000-000000000003");
const QString Item10Id = QStringLiteral("E0000000-0000-4000-8000-000000000004");
const QString Item2Id = QStringLiteral("E0000000-0000-4000-8000-000000000005");

struct Outcome {
    int code = 0;
    QString out;
    QString err;
};

// The small test library (tests/shell/data) loaded into a store of its own in a fresh folder,
// with settings of its own, as the command line finds it after start-up.
class CommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("VORN_SEED_DIR", VORN_TEST_LIBRARY_DIR);
        dir = TestSupport::freshDir(
            QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        defaults = std::make_unique<UserDefaults>(dir + QStringLiteral("/settings.ini"));
        UserDefaults::setStandard(defaults.get());
        open();
    }

    void TearDown() override
    {
        controller.reset();
        UserDefaults::setStandard(nullptr);
    }

    void open()
    {
        controller.reset();
        DataController::Options options;
        options.storePath = dir + QStringLiteral("/library.sqlite");
        options.documentsDir = dir + QStringLiteral("/Documents");
        controller = std::make_unique<DataController>(options);
        StoreLog::Capture quiet([](const QString &) {});
        ASSERT_TRUE(controller->setUp());
        controller->startupLoad();
    }

    Outcome run(int (*command)(const QStringList &, QTextStream &, QTextStream &, QTextStream &,
                               DataController &),
                const QStringList &args, QString input = {})
    {
        Outcome result;
        QTextStream in(&input);
        QTextStream out(&result.out);
        QTextStream err(&result.err);
        result.code = command(args, in, out, err, *controller);
        out.flush();
        err.flush();
        return result;
    }
    Outcome library(const QStringList &args, const QString &input = {})
    {
        return run(runLibraryCommand, args, input);
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
    Outcome all = prompts({QStringLiteral("list")});
    EXPECT_EQ(all.code, 0);
    EXPECT_EQ(lines(all.out), (QStringList{row(ReviewId, QStringLiteral("Code review")),
                                           row(EmailId, QStringLiteral("Email reply")),
                                           row(Item2Id, QStringLiteral("Item 2")),
                                           row(Item10Id, QStringLiteral("Item 10"))}));
    EXPECT_EQ(lines(prompts({QStringLiteral("list"), QStringLiteral("--all")}).out).size(), 5);

    EXPECT_TRUE(prompts({QStringLiteral("list"), QStringLiteral("cafe")}).out.isEmpty());
    EXPECT_EQ(
        prompts({QStringLiteral("list"), QStringLiteral("CAFE"), QStringLiteral("--all")}).out,
        row(CafeId, QStringLiteral("Café notes")) + u'\n');
    EXPECT_EQ(
        prompts({QStringLiteral("list"), QStringLiteral("item"), QStringLiteral("tenth")}).out,
        row(Item10Id, QStringLiteral("Item 10")) + u'\n');
    EXPECT_TRUE(prompts({QStringLiteral("list"), QStringLiteral("paste")}).out.isEmpty());
    EXPECT_EQ(lines(prompts({QStringLiteral("list"), QStringLiteral("paste"),
                             QStringLiteral("--template")})
                        .out),
              QStringList{row(ReviewId, QStringLiteral("Code review"))});

    // Hidden prompts need --hidden; a favourite ranks first among equal matches.
    EXPECT_EQ(prompts({QStringLiteral("hide"), ReviewId}).code, 0);
    EXPECT_EQ(prompts({QStringLiteral("favorite"), Item10Id}).code, 0);
    EXPECT_EQ(lines(prompts({QStringLiteral("list"), QStringLiteral("item")}).out),
              (QStringList{row(Item10Id, QStringLiteral("Item 10")),
                           row(Item2Id, QStringLiteral("Item 2"))}));
    // A title starting with the term ranks before a favourite that only contains it.
    EXPECT_EQ(lines(prompts({QStringLiteral("list"), QStringLiteral("e")}).out),
              (QStringList{row(EmailId, QStringLiteral("Email reply")),
                           row(Item10Id, QStringLiteral("Item 10")),
                           row(Item2Id, QStringLiteral("Item 2"))}));
    EXPECT_EQ(lines(prompts({QStringLiteral("list"), QStringLiteral("--hidden")}).out).size(), 4);

    const Outcome json =
        prompts({QStringLiteral("list"), QStringLiteral("item"), QStringLiteral("--json")});
    const QJsonArray array = QJsonDocument::fromJson(json.out.toUtf8()).array();
    ASSERT_EQ(array.size(), 2);
    EXPECT_EQ(array.at(0).toObject().value(QStringLiteral("id")).toString(), Item10Id);
    EXPECT_TRUE(array.at(0).toObject().value(QStringLiteral("favorite")).toBool());
}

TEST_F(CommandTest, ShowPrintsFieldsAndUserState)
{
    const Outcome text = prompts({QStringLiteral("show"), EmailId.toLower()});
    EXPECT_EQ(text.code, 0);
    for (const QString &expected :
         {QStringLiteral("ID: ") + EmailId, QStringLiteral("Title: Email reply"),
          QStringLiteral("Categories: Writing"), QStringLiteral("Tags: text"),
          QStringLiteral("Favorite: no"), QStringLiteral("Uses: 0"),
          QStringLiteral("Created: 2024-01-31"),
          QStringLiteral("Reply to {{Sender:}} in a {{Tone: [tones]}} tone.")})
        EXPECT_TRUE(lines(text.out).contains(expected)) << qPrintable(expected);

    const Outcome json = prompts({QStringLiteral("show"), ReviewId, QStringLiteral("--json")});
    ASSERT_EQ(json.code, 0);
    const QJsonObject object = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(object.keys(),
              (QStringList{
                  QStringLiteral("active"), QStringLiteral("categories"),
                  QStringLiteral("createdAt"), QStringLiteral("description"),
                  QStringLiteral("favorite"), QStringLiteral("hidden"), QStringLiteral("hot"),
                  QStringLiteral("id"), QStringLiteral("lastUsed"), QStringLiteral("new"),
                  QStringLiteral("tags"), QStringLiteral("template"), QStringLiteral("title"),
                  QStringLiteral("updated"), QStringLiteral("updatedAt"), QStringLiteral("uses")}));
    EXPECT_EQ(object.value(QStringLiteral("categories")).toArray(),
              QJsonArray{QStringLiteral("Coding")});
    EXPECT_TRUE(object.value(QStringLiteral("hot")).toBool());
    EXPECT_TRUE(object.value(QStringLiteral("lastUsed")).isNull());
    EXPECT_EQ(object.value(QStringLiteral("updatedAt")).toString(), QStringLiteral("2024-01-31"));
    EXPECT_EQ(object.value(QStringLiteral("template")).toString(),
              QStringLiteral("Review this code:\n{{Code: paste here}}"));

    for (const QString &unknown :
         {QStringLiteral("E0000000-0000-4000-8000-0000000000FF"), QStringLiteral("nope")}) {
        const Outcome missing = prompts({QStringLiteral("show"), unknown});
        EXPECT_EQ(missing.code, 1);
        EXPECT_TRUE(missing.out.isEmpty());
        EXPECT_TRUE(missing.err.contains(unknown)) << qPrintable(missing.err);
    }
}

TEST_F(CommandTest, FavoriteAndHideAreSavedAndUndone)
{
    EXPECT_EQ(prompts({QStringLiteral("favorite"), EmailId}).code, 0);
    EXPECT_EQ(prompts({QStringLiteral("hide"), Item2Id}).code, 0);
    open(); // what was saved, read back from the file
    EXPECT_TRUE(prompt(EmailId)->isFavorite());
    EXPECT_TRUE(prompt(Item2Id)->isHidden());
    EXPECT_EQ(prompt(EmailId)->attributes()->targetID(), prompt(EmailId)->id());

    EXPECT_EQ(prompts({QStringLiteral("favorite"), EmailId, QStringLiteral("--off")}).code, 0);
    EXPECT_EQ(prompts({QStringLiteral("hide"), Item2Id, QStringLiteral("--off")}).code, 0);
    open();
    EXPECT_FALSE(prompt(EmailId)->isFavorite());
    EXPECT_FALSE(prompt(Item2Id)->isHidden());
    EXPECT_EQ(controller->mainContext()->count<UserAttribute>(), 2);
    EXPECT_EQ(prompts({QStringLiteral("favorite"),
                       QStringLiteral("E0000000-0000-4000-8000-0000000000FF")})
                  .code,
              1);
}

TEST_F(CommandTest, RenderValidatesRemembersAndCopies)
{
    defaults->setValue(QStringLiteral("tag_text_suffix"), QStringLiteral("Answer in Markdown."));

    const Outcome incomplete = prompts({QStringLiteral("render"), EmailId});
    EXPECT_EQ(incomplete.code, 1);
    EXPECT_TRUE(incomplete.out.isEmpty());
    EXPECT_FALSE(incomplete.err.isEmpty());

    const Outcome filled =
        prompts({QStringLiteral("render"), EmailId, QStringLiteral("--set"),
                 QStringLiteral("Sender=Ann"), QStringLiteral("--set=Tone=Formal")});
    EXPECT_EQ(filled.code, 0) << qPrintable(filled.err);
    EXPECT_TRUE(filled.out.startsWith(QStringLiteral("Reply to \"Ann\" in a \"Formal\" tone.")))
        << qPrintable(filled.out);
    EXPECT_TRUE(filled.out.contains(QStringLiteral("Answer in Markdown.")));
    EXPECT_EQ(prompt(EmailId)->usageCount(), 0); // rendering alone is no use

    // The values are remembered like typed ones; --copy puts the text on the clipboard and counts a
    // use.
    QGuiApplication::clipboard()->clear();
    const Outcome copied = prompts({QStringLiteral("render"), EmailId, QStringLiteral("--copy")});
    EXPECT_EQ(copied.code, 0) << qPrintable(copied.err);
    EXPECT_EQ(copied.out, filled.out);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), filled.out);
    open();
    EXPECT_EQ(prompt(EmailId)->usageCount(), 1);
    const QJsonObject shown =
        QJsonDocument::fromJson(
            prompts({QStringLiteral("show"), EmailId, QStringLiteral("--json")}).out.toUtf8())
            .object();
    EXPECT_EQ(shown.value(QStringLiteral("uses")).toInt(), 1);
    EXPECT_TRUE(
        QDateTime::fromString(shown.value(QStringLiteral("lastUsed")).toString(), Qt::ISODate)
            .isValid());

    EXPECT_EQ(prompts({QStringLiteral("render"), EmailId, QStringLiteral("--set"),
                       QStringLiteral("Nobody=x")})
                  .code,
              2);
    EXPECT_EQ(prompts({QStringLiteral("render"), EmailId, QStringLiteral("--set"),
                       QStringLiteral("novalue")})
                  .code,
              2);
    EXPECT_EQ(prompts({QStringLiteral("render"), QStringLiteral("nope")}).code, 1);
}

TEST_F(CommandTest, UsageErrorsExitWithTwo)
{
    for (const QStringList &args :
         {QStringList{QStringLiteral("frobnicate")},
          QStringList{QStringLiteral("list"), QStringLiteral("--bogus")},
          QStringList{QStringLiteral("show")},
          QStringList{QStringLiteral("show"), EmailId, ReviewId}, QStringList{}}) {
        const Outcome result = prompts(args);
        EXPECT_EQ(result.code, 2) << qPrintable(args.join(u' '));
        EXPECT_FALSE(result.err.isEmpty());
    }
    for (const QStringList &args :
         {QStringList{QStringLiteral("frobnicate")},
          QStringList{QStringLiteral("sync"), QStringLiteral("--fast")},
          QStringList{QStringLiteral("export"), QStringLiteral("--prefix")},
          QStringList{QStringLiteral("validate"), QStringLiteral("x")}}) {
        const Outcome result = library(args);
        EXPECT_EQ(result.code, 2) << qPrintable(args.join(u' '));
        EXPECT_EQ(lines(result.err).size(), 1);
    }
    EXPECT_EQ(prompts({QStringLiteral("list"), QStringLiteral("--help")}).code, 0);
}

TEST_F(CommandTest, SyncAndExportPrintTheirLogLines)
{
    const Outcome sync = library({QStringLiteral("sync")});
    EXPECT_EQ(sync.code, 0);
    EXPECT_TRUE(sync.out.contains(QStringLiteral("Sync complete. Total: ")))
        << qPrintable(sync.out);
    const Outcome forced = library({QStringLiteral("sync"), QStringLiteral("--force")});
    EXPECT_EQ(forced.code, 0);
    EXPECT_TRUE(forced.out.contains(QStringLiteral("Manual sync complete. Total: ")))
        << qPrintable(forced.out);

    const Outcome exported =
        library({QStringLiteral("export"), QStringLiteral("--prefix"), QStringLiteral("Mine_")});
    EXPECT_EQ(exported.code, 0);
    const QString path = dir + QStringLiteral("/Documents/Mine_prompts.json");
    EXPECT_TRUE(lines(exported.out).contains(QStringLiteral("Prompts: ") + path))
        << qPrintable(exported.out);
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(CommandTest, ImportReportsItsLineAndBacksUp)
{
    const QString item =
        QStringLiteral(R"({"id": "F0000000-0000-4000-8000-000000000001", "categories": ["Writing"],
        "tags": ["new tag"], "title": "Imported", "description": "d", "template": "Hi {{Name}}",
        "created": "2024-05-01", "updated": "2024-05-02", "active": true})");
    const Outcome ok = library({QStringLiteral("import")}, item);
    EXPECT_EQ(ok.code, 0) << qPrintable(ok.err);
    EXPECT_TRUE(
        lines(ok.out).endsWith(QStringLiteral("Processed 1 items: 1 inserted, 0 updated.")));
    EXPECT_TRUE(ok.out.contains(QStringLiteral("✅ Backup created: Backup_")));
    EXPECT_EQ(QDir(dir + QStringLiteral("/Documents"))
                  .entryList({QStringLiteral("Backup_*prompts.json")})
                  .size(),
              1);
    open();
    ASSERT_TRUE(prompt(QStringLiteral("F0000000-0000-4000-8000-000000000001")));

    // From a file, failing: the importer's line on standard error.
    const QString file = dir + QStringLiteral("/bad.json");
    QFile bad(file);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QString(item).replace(QStringLiteral("Writing"), QStringLiteral("Nope")).toUtf8());
    bad.close();
    const Outcome failed = library({QStringLiteral("import"), file});
    EXPECT_EQ(failed.code, 1);
    EXPECT_EQ(failed.err,
              QStringLiteral("Error in item 1 ('Imported'): Unknown Categories: Nope\n"));
    EXPECT_EQ(library({QStringLiteral("import"), dir + QStringLiteral("/missing.json")}).code, 1);

    // The imported template has a placeholder without a colon.
    const Outcome check = library({QStringLiteral("validate")});
    EXPECT_EQ(check.code, 1);
    EXPECT_EQ(lines(check.out),
              (QStringList{
                  QStringLiteral("Imported: Invalid format in '{{Name}}'. Expected 'Name: Value'."),
                  QStringLiteral("Checked 6 templates. Found 1 issues.")}));
}

TEST_F(CommandTest, MaintenanceCommands)
{
    const Outcome valid = library({QStringLiteral("validate")});
    EXPECT_EQ(valid.code, 0);
    EXPECT_EQ(valid.out, QStringLiteral("Checked 5 templates. All valid!\n"));

    EXPECT_EQ(library({QStringLiteral("dedupe")}).code, 0);

    prompts({QStringLiteral("favorite"), EmailId});
    const Outcome stats = library({QStringLiteral("reset-stats")});
    EXPECT_EQ(stats.code, 0);
    EXPECT_TRUE(stats.out.contains(QStringLiteral("✅ Reset complete."))) << qPrintable(stats.out);
    open();
    EXPECT_FALSE(prompt(EmailId)->isFavorite());
    EXPECT_FALSE(prompt(ReviewId)->isHot());

    prompts({QStringLiteral("favorite"), EmailId});
    const Outcome refused = library({QStringLiteral("reset")});
    EXPECT_EQ(refused.code, 1);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("--yes")));
    EXPECT_TRUE(refused.out.isEmpty());
    const Outcome reset = library({QStringLiteral("reset"), QStringLiteral("--yes")});
    EXPECT_EQ(reset.code, 0) << qPrintable(reset.out + reset.err);
    EXPECT_TRUE(reset.out.contains(QStringLiteral("✅ Database reset complete")))
        << qPrintable(reset.out);
    open();
    ASSERT_TRUE(prompt(EmailId));
    EXPECT_TRUE(prompt(EmailId)->isFavorite()); // the user record survived the reset
    EXPECT_EQ(controller->mainContext()->count<Prompt>(), 5);
}
