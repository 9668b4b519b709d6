#include "DataController.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"
#include "QmlTestSupport.h"

#include <QSignalSpy>
#include <QtQml/qqmlextensionplugin.h>

#include <gtest/gtest.h>

Q_IMPORT_QML_PLUGIN(Vorn_AdminPlugin)

// The sheet's keys: Ctrl+Return saves (only with text), Escape asks to close.
TEST(AdminInsertPromptView, KeyboardSavesAndCancels)
{
    // A store of its own each run: a prompt left by an earlier run would be updated, not inserted.
    DataController::resetShared();
    DataController::setSharedOptions({.storePath = {}, .documentsDir = {}, .inMemory = true});
    ASSERT_TRUE(DataController::shared()->setUp());
    ModelContext *ctx = DataController::shared()->mainContext();
    auto *writing = new PromptCategory;
    writing->setName(QStringLiteral("Writing"));
    ctx->insert(writing);

    QmlTestView view;
    ASSERT_TRUE(view.showOnPanel(QStringLiteral("import Vorn.Admin"),
                                 QStringLiteral("AdminInsertPromptView { objectName: \"sheet\"; anchors.fill: parent; focus: true }"),
                                 {}, {600, 420}));
    auto *sheet = view.item(QStringLiteral("sheet"));
    auto *editor = view.item(QStringLiteral("jsonEditor"));
    auto *save = view.item(QStringLiteral("saveButton"));
    ASSERT_TRUE(sheet && editor && save);
    sheet->forceActiveFocus(); // as the panel does when the sheet opens
    EXPECT_TRUE(editor->hasActiveFocus());
    EXPECT_FALSE(save->isEnabled());

    view.key(Qt::Key_Return, Qt::ControlModifier); // nothing to save yet
    EXPECT_EQ(sheet->property("errorMessage").toString(), QString());

    view.type(QStringLiteral("[]"));
    EXPECT_EQ(sheet->property("jsonText").toString(), QStringLiteral("[]"));
    EXPECT_TRUE(save->isEnabled());
    view.key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(sheet->property("errorMessage").toString(), QStringLiteral("No prompts found to import."));
    EXPECT_EQ(sheet->property("jsonText").toString(), QStringLiteral("[]"));

    sheet->setProperty("jsonText", QStringLiteral(R"({"id": "C3C3C3C3-0000-0000-0000-000000000003",
        "categories": ["Writing"], "tags": [], "title": "Letter", "description": "", "template": "Dear {{Name}}",
        "created": "2024-01-31", "updated": "2024-02-29", "active": true})"));
    view.key(Qt::Key_Enter, Qt::ControlModifier);
    EXPECT_EQ(sheet->property("successMessage").toString(), QStringLiteral("Processed 1 items: 1 inserted, 0 updated."));
    EXPECT_EQ(sheet->property("errorMessage").toString(), QString());
    EXPECT_EQ(sheet->property("jsonText").toString(), QString());
    EXPECT_EQ(ctx->count<Prompt>(), 1);

    QSignalSpy closed(sheet, SIGNAL(closed()));
    view.key(Qt::Key_Escape);
    EXPECT_EQ(closed.size(), 1);
}
