#include "TemplateValidationViewModel.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "StoreLog.h"
#include "StoreTestData.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {
class Validation : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ctx.open(ModelContext::InMemory).ok()); }

    Prompt *prompt(const QString &title, const QString &text) { return TestData::addPrompt(ctx, title, text); }

    ModelContext ctx;
    QStringList lines;
    StoreLog::Capture capture{[this](const QString &line) { lines << line; }};
};
} // namespace

TEST_F(Validation, SheetOpensAtOnceTheCheckRunsLaterAndAMissingStoreIsReported)
{
    TemplateValidationViewModel vm(&ctx);
    vm.start();
    QCoreApplication::processEvents();
    EXPECT_EQ(vm.message(), "Checked 0 templates. All valid!") << "an empty store";
    EXPECT_TRUE(vm.errors().isEmpty());
    vm.close();

    prompt(QStringLiteral("Fine"), QStringLiteral("Write about {{Topic: cats}}"));
    lines.clear();
    QSignalSpy presented(&vm, &TemplateValidationViewModel::isPresentedChanged);
    vm.start();
    EXPECT_TRUE(vm.isPresented());
    EXPECT_EQ(presented.count(), 1);
    EXPECT_EQ(vm.message(), "Validating...");
    EXPECT_TRUE(lines.isEmpty()) << "the check must not run inside the click";
    QCoreApplication::processEvents();
    EXPECT_EQ(vm.message(), "Checked 1 templates. All valid!");
    EXPECT_FALSE(vm.hasErrors());
    EXPECT_EQ(lines, QStringList({"DEBUG: Starting validation...", "DEBUG: Validation complete. Checked: 1, Errors: 0",
                                  "DEBUG: Validation Message set to: Checked 1 templates. All valid!"}));
    vm.close();
    EXPECT_FALSE(vm.isPresented());

    // Without a store the sheet reports the failure.
    TemplateValidationViewModel without(nullptr);
    lines.clear();
    without.start();
    QCoreApplication::processEvents();
    EXPECT_EQ(without.message(), "Error: The library store is not open.");
    EXPECT_FALSE(without.hasErrors());
    EXPECT_EQ(lines, QStringList({"DEBUG: Starting validation...",
                                  "DEBUG: Validation failed with error: The library store is not open."}));
}

TEST_F(Validation, FindingsListTitleAndErrorAndOpenTheirPrompt)
{
    prompt(QStringLiteral("Fine"), QStringLiteral("{{Tone: [Tones]}}"));
    Prompt *braces = prompt(QStringLiteral("Braces"), QStringLiteral("{{a}}}"));
    Prompt *unknown = prompt(QStringLiteral("Unknown list"), QStringLiteral("{{Tone: [tones]}}"));
    TestData::addList(ctx, QStringLiteral("Tones"));

    TemplateValidationViewModel vm(&ctx);
    vm.start();
    QCoreApplication::processEvents();

    EXPECT_EQ(vm.message(), "Checked 3 templates. Found 3 issues.");
    EXPECT_EQ(lines.at(1), "DEBUG: Validation complete. Checked: 3, Errors: 3");
    EXPECT_EQ(lines.at(2), "DEBUG: Validation Message set to: Checked 3 templates. Found 3 issues.");
    const QVariantList errors = vm.errors();
    ASSERT_EQ(errors.size(), 3);
    const QVariantMap first = errors.at(0).toMap();
    EXPECT_EQ(first.value("promptTitle").toString(), "Braces");
    EXPECT_EQ(first.value("error").toString(), "Unbalanced brackets: 2 '{' vs 3 '}'");
    EXPECT_EQ(first.value("prompt").value<QObject *>(), braces);
    EXPECT_EQ(errors.at(1).toMap().value("error").toString(), "Invalid format in '{{a}}'. Expected 'Name: Value'.");
    EXPECT_EQ(errors.at(2).toMap().value("error").toString(), "Unknown global variable: '[tones]'");

    QSignalSpy editing(&vm, &TemplateValidationViewModel::editingPromptChanged);
    vm.edit(2);
    EXPECT_EQ(vm.editingPrompt(), unknown);
    vm.edit(7);
    EXPECT_EQ(vm.editingPrompt(), unknown);
    vm.finishEditing();
    EXPECT_EQ(vm.editingPrompt(), nullptr);
    EXPECT_EQ(editing.count(), 2);
    // Closing the sheet also closes an editor opened from it.
    vm.edit(0);
    vm.close();
    EXPECT_EQ(vm.editingPrompt(), nullptr);
}

// A new run keeps the earlier findings until it ends; a finding whose prompt was deleted opens nothing.
TEST_F(Validation, EarlierFindingsStayUntilTheNewRunEndsAndADeletedPromptCannotBeOpened)
{
    Prompt *broken = prompt(QStringLiteral("Broken"), QStringLiteral("Hello {{Name}}"));
    TemplateValidationViewModel vm(&ctx);
    vm.start();
    QCoreApplication::processEvents();
    ASSERT_EQ(vm.errors().size(), 1);
    vm.close();
    vm.start();
    EXPECT_EQ(vm.message(), "Validating...");
    EXPECT_EQ(vm.errors().size(), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(vm.message(), "Checked 1 templates. Found 1 issues.");

    ctx.remove(broken);
    EXPECT_EQ(vm.errors().at(0).toMap().value("prompt").value<QObject *>(), nullptr);
    vm.edit(0);
    EXPECT_EQ(vm.editingPrompt(), nullptr);
}
