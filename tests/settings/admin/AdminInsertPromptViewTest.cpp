#include "DataController.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptCategory.h"

#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <gtest/gtest.h>

Q_IMPORT_QML_PLUGIN(Vorn_AdminPlugin)

namespace {
void typeText(QWindow *window, const QString &text)
{
    for (const QChar c : text)
        QTest::keyClick(window, c.toLatin1());
}

const QByteArray Harness = R"(
import QtQuick
import Vorn.Admin
Window {
    width: 600; height: 420; visible: true; color: "#15151c"
    AdminInsertPromptView { objectName: "sheet"; anchors.fill: parent; focus: true }
}
)";
} // namespace

// The sheet's keys: Ctrl+Return saves (only with text), Escape asks to close.
TEST(AdminInsertPromptView, KeyboardSavesAndCancels)
{
    DataController::Options options;
        options.inMemory = true;
        DataController::setSharedOptions(options);
    ASSERT_TRUE(DataController::shared()->setUp());
    ModelContext *ctx = DataController::shared()->mainContext();
    auto *writing = new PromptCategory;
    writing->setName(QStringLiteral("Writing"));
    ctx->insert(writing);

    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    engine.loadData(Harness);
    ASSERT_EQ(engine.rootObjects().size(), 1);
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().first());
    ASSERT_TRUE(window);
    window->requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    auto *sheet = window->findChild<QQuickItem *>(QStringLiteral("sheet"));
    auto *editor = window->findChild<QQuickItem *>(QStringLiteral("jsonEditor"));
    auto *save = window->findChild<QQuickItem *>(QStringLiteral("saveButton"));
    ASSERT_TRUE(sheet && editor && save);
    editor->forceActiveFocus();
    EXPECT_FALSE(save->isEnabled());

    QTest::keyClick(window, Qt::Key_Return, Qt::ControlModifier); // nothing to save yet
    EXPECT_EQ(sheet->property("errorMessage").toString(), QString());

    typeText(window, QStringLiteral("[]"));
    EXPECT_EQ(sheet->property("jsonText").toString(), QStringLiteral("[]"));
    EXPECT_TRUE(save->isEnabled());
    QTest::keyClick(window, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(sheet->property("errorMessage").toString(), QStringLiteral("No prompts found to import."));
    EXPECT_EQ(sheet->property("jsonText").toString(), QStringLiteral("[]"));

    sheet->setProperty("jsonText", QStringLiteral(R"({"id": "C3C3C3C3-0000-0000-0000-000000000003",
        "categories": ["Writing"], "tags": [], "title": "Letter", "description": "", "template": "Dear {{Name}}",
        "created": "2024-01-31", "updated": "2024-02-29", "active": true})"));
    QTest::keyClick(window, Qt::Key_Enter, Qt::ControlModifier);
    EXPECT_EQ(sheet->property("successMessage").toString(), QStringLiteral("Processed 1 items: 1 inserted, 0 updated."));
    EXPECT_EQ(sheet->property("errorMessage").toString(), QString());
    EXPECT_EQ(sheet->property("jsonText").toString(), QString());
    EXPECT_EQ(ctx->count<Prompt>(), 1);

    QSignalSpy closed(sheet, SIGNAL(closed()));
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_EQ(closed.size(), 1);
}
