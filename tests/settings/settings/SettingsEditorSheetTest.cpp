#include "Fakes.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "SettingsViewModel.h"
#include "TestSupport.h"
#include "UserDefaults.h"
#include "ViewTesting.h"

#include <QSignalSpy>
#include <QtQml/qqmlextensionplugin.h>

#include <gtest/gtest.h>

Q_IMPORT_QML_PLUGIN(Vorn_SettingsPlugin)
Q_IMPORT_QML_PLUGIN(Vorn_StylePlugin)
Q_IMPORT_QML_PLUGIN(Vorn_EditorPlugin)

using namespace ViewTesting;

// With the full editor built in, a finding opens it on top of the validation sheet.
TEST(ValidationEditor, FindingOpensTheFullEditorOnTopOfTheSheet)
{
    ModelContext ctx;
    ASSERT_TRUE(ctx.open(ModelContext::InMemory).ok());
    auto *broken = new Prompt;
    broken->setTitle(QStringLiteral("Code Review"));
    broken->setTemplateText(QStringLiteral("Review this code: {{Code}}"));
    ctx.insert(broken);
    UserDefaults defaults(TestSupport::freshDir(QStringLiteral("editor")) +
                          QStringLiteral("/vorn.ini"));
    FakeShortcutService shortcuts(&defaults);
    SettingsViewModel::Services services;
    services.shortcuts = &shortcuts;
    services.loginItem = std::make_unique<FakeLoginItem>();
    SettingsViewModel vm(&ctx, &defaults, std::move(services));

    auto view = load(QStringLiteral("SettingsView.qml"), {{"viewModel", QVariant::fromValue(&vm)}});
    ASSERT_TRUE(view);
    QSignalSpy editRequested(view->rootObject(), SIGNAL(editPromptRequested(QVariant)));
    vm.validation()->start();
    QTRY_COMPARE(vm.validation()->message(),
                 QStringLiteral("Checked 1 templates. Found 1 issues."));

    vm.validation()->edit(0);
    QQuickItem *editor = nullptr;
    QTRY_VERIFY(
        (editor = findItem(view->contentItem(), QStringLiteral("adminFullPromptEditorView"))));
    EXPECT_EQ(editor->property("prompt").value<QObject *>(), broken);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editRequested.count(), 0);

    // The editor's own close ends the editing; the sheet stays.
    QMetaObject::invokeMethod(editor, "closed");
    QTRY_COMPARE(vm.validation()->editingPrompt(), nullptr);
    EXPECT_TRUE(vm.validation()->isPresented());
}
