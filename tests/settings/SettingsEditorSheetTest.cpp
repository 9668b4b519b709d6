#include "Fakes.h"
#include "Prompt.h"
#include "QmlTestSupport.h"
#include "StoreTestData.h"

#include <QSignalSpy>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Vorn_SettingsPlugin)
Q_IMPORT_QML_PLUGIN(Vorn_EditorPlugin)

// With the full editor built in, a finding opens it on top of the validation sheet.
TEST_F(SettingsFixture, FindingOpensTheFullEditorOnTopOfTheSheet)
{
    Prompt *broken = TestData::addPrompt(ctx, QStringLiteral("Code Review"), QStringLiteral("Review this code: {{Code}}"));
    auto settings = make();
    SettingsViewModel &vm = *settings;
    QmlTestView view;
    ASSERT_TRUE(view.loadFile(QStringLiteral("qrc:/qt/qml/Vorn/Settings/SettingsView.qml"),
                              {{QStringLiteral("viewModel"), QVariant::fromValue(&vm)}}));
    QSignalSpy editRequested(view.rootObject(), SIGNAL(editPromptRequested(QVariant)));
    vm.validation()->start();
    EXPECT_TRUE(QmlTest::waitFor([&] { return vm.validation()->message() == "Checked 1 templates. Found 1 issues."; }))
        << vm.validation()->message().toStdString();

    vm.validation()->edit(0);
    QQuickItem *editor = nullptr;
    ASSERT_TRUE(QmlTest::waitFor([&] { return (editor = view.item(QStringLiteral("adminFullPromptEditorView"))); }));
    EXPECT_EQ(editor->property("prompt").value<QObject *>(), broken);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editRequested.count(), 0);
    // The editor's own close ends the editing; the sheet stays.
    QMetaObject::invokeMethod(editor, "closed");
    EXPECT_TRUE(QmlTest::waitFor([&] { return vm.validation()->editingPrompt() == nullptr; }));
    EXPECT_TRUE(vm.validation()->isPresented());
}
