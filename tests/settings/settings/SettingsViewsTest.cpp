#include "AccountViewModel.h"
#include "Fakes.h"
#include "FeedbackViewModel.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptGlobalVariable.h"
#include "SettingsViewModel.h"
#include "StoreLog.h"
#include "TestSupport.h"
#include "UnavailableSignInService.h"
#include "UserDefaults.h"
#include "ViewTesting.h"

#include <QGuiApplication>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <gtest/gtest.h>

#include <memory>

Q_IMPORT_QML_PLUGIN(Vorn_SettingsPlugin)
Q_IMPORT_QML_PLUGIN(Vorn_StylePlugin)

using namespace ViewTesting;

namespace {
class Views : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ctx.open(ModelContext::InMemory).ok());
        dir = TestSupport::freshDir(
            QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        defaults = std::make_unique<UserDefaults>(dir + QStringLiteral("/vorn.ini"));
        shortcuts = std::make_unique<FakeShortcutService>(defaults.get());
    }

    SettingsViewModel *settings()
    {
        SettingsViewModel::Services services;
        services.shortcuts = shortcuts.get();
        services.loginItem = std::make_unique<FakeLoginItem>();
        vm = std::make_unique<SettingsViewModel>(&ctx, defaults.get(), std::move(services));
        return vm.get();
    }

    void prompt(const QString &title, const QString &text)
    {
        auto *p = new Prompt;
        p->setTitle(title);
        p->setTemplateText(text);
        ctx.insert(p);
    }

    ModelContext ctx;
    QString dir;
    std::unique_ptr<UserDefaults> defaults;
    std::unique_ptr<FakeShortcutService> shortcuts;
    std::unique_ptr<SettingsViewModel> vm;
};
} // namespace

TEST_F(Views, SettingsForUsersAndTheGestureToAdministration)
{
    defaults->setValue(QStringLiteral("tag_text_suffix"),
                       QStringLiteral("Please answer in Markdown."));
    auto view =
        load(QStringLiteral("SettingsView.qml"), {{"viewModel", QVariant::fromValue(settings())}});
    ASSERT_TRUE(view);
    QQuickItem *root = view->rootObject();
    EXPECT_EQ(root->width(), 550);
    EXPECT_EQ(root->height(), 600);

    EXPECT_FALSE(shown(item(*view, "adminModeLabel")));
    EXPECT_FALSE(shown(item(*view, "synchronizeRow")));
    EXPECT_FALSE(shown(item(*view, "dangerZoneRow")));
    EXPECT_TRUE(shown(item(*view, "launchAtLoginRow")));
    EXPECT_TRUE(shown(item(*view, "shortcutRow")));
    EXPECT_TRUE(shown(item(*view, "suffixSection")));
    EXPECT_FALSE(shown(item(*view, "portalHint")));
    EXPECT_EQ(item(*view, "shortcutPicker")->property("currentText").toString(), "P");
    EXPECT_EQ(item(*view, "suffixEditor_text")->property("text").toString(),
              "Please answer in Markdown.");
    EXPECT_EQ(item(*view, "suffixEditor_nano banana")->property("text").toString(), "");
    EXPECT_EQ(item(*view, "versionLine")->property("text").toString(),
              SettingsViewModel::versionLine(SettingsViewModel::compiledVersion(),
                                             SettingsViewModel::compiledBuild()));
    screenshot(*view, QStringLiteral("settings-user.png"));

    root->setProperty("version", QStringLiteral("2.3.0"));
    root->setProperty("build", QString());
    EXPECT_EQ(item(*view, "versionLine")->property("text").toString(),
              "Version 2.3.0 (Build Unknown)");

    // A generous interval, so a busy machine still sees one series of four clicks.
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(1000);
    QQuickItem *gear = item(*view, "settingsGear");
    for (int i = 0; i < 4; ++i)
        click(*view, gear);
    EXPECT_FALSE(vm->isAdminMode()) << "four clicks without Ctrl";
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 300); // a new series
    for (int i = 0; i < 4; ++i)
        click(*view, gear, Qt::ControlModifier);
    EXPECT_TRUE(vm->isAdminMode());
    EXPECT_TRUE(shown(item(*view, "adminModeLabel")));
    EXPECT_TRUE(shown(item(*view, "synchronizeRow")));
    EXPECT_TRUE(shown(item(*view, "exportRow")));
    EXPECT_TRUE(shown(item(*view, "dangerZoneRow")));
    EXPECT_TRUE(shown(item(*view, "suffixSection")));
    // Scrolled so that the whole danger zone shows.
    QObject *flick = item(*view, "settingsScroller")->property("contentItem").value<QObject *>();
    ASSERT_NE(flick, nullptr);
    flick->setProperty("contentY", 96);
    screenshot(*view, QStringLiteral("settings-admin.png"));
    flick->setProperty("contentY", 0);

    // The flag is shared: writing it elsewhere hides the rows again at once.
    defaults->setValue(QStringLiteral("isAdminMode"), false);
    EXPECT_FALSE(shown(item(*view, "dangerZoneRow")));
}

TEST_F(Views, SuffixEditorWritesEveryEditAndPickerReRegisters)
{
    shortcuts->hint = QStringLiteral(
        "This desktop keeps the shortcut: change it under Settings › Keyboard › Shortcuts.");
    auto view =
        load(QStringLiteral("SettingsView.qml"), {{"viewModel", QVariant::fromValue(settings())}});
    ASSERT_TRUE(view);
    EXPECT_TRUE(shown(item(*view, "portalHint")));

    QQuickItem *editor = item(*view, "suffixEditor_nano banana");
    editor->forceActiveFocus();
    type(*view, QStringLiteral("4k"));
    EXPECT_EQ(defaults->string(QStringLiteral("tag_nano banana_suffix")), "4k");

    QQuickItem *picker = item(*view, "shortcutPicker");
    picker->forceActiveFocus();
    QTest::keyClick(view.get(), Qt::Key_Down); // P -> Q
    EXPECT_EQ(defaults->string(QStringLiteral("hotkey_char")), "Q");
    EXPECT_EQ(shortcuts->calls, QStringList({"register Q", "HotKeyUpdated"}));
    EXPECT_EQ(picker->property("currentText").toString(), "Q");
}

TEST_F(Views, CancelledResetChangesNothing)
{
    defaults->setValue(QStringLiteral("isAdminMode"), true);
    auto view =
        load(QStringLiteral("SettingsView.qml"), {{"viewModel", QVariant::fromValue(settings())}});
    ASSERT_TRUE(view);
    QStringList lines;
    StoreLog::Capture capture([&](const QString &line) { lines << line; });

    QMetaObject::invokeMethod(item(*view, "resetDatabaseButton"), "clicked");
    QObject *alert = view->rootObject()->findChild<QObject *>(QStringLiteral("resetDatabaseAlert"));
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(alert->property("visible").toBool());
    EXPECT_EQ(alert->property("title").toString(), "Reset Database?");
    QTest::keyClick(view.get(), Qt::Key_Escape);
    QTest::qWait(50);
    EXPECT_FALSE(alert->property("visible").toBool());
    EXPECT_TRUE(lines.isEmpty());
}

TEST_F(Views, ValidationSheetListsTheFindings)
{
    prompt(QStringLiteral("Blog Post Outline"),
           QStringLiteral("Outline a post about {{Topic: AI}} in a {{Tone: [tones]}} voice."));
    prompt(QStringLiteral("Product Description"),
           QStringLiteral("Describe {{Product}} for {{Audience: shoppers}}."));
    prompt(QStringLiteral("Cinematic Still"),
           QStringLiteral("A {{Subject: fox}} at dusk, {{Lens: 35mm}"));
    prompt(QStringLiteral("Email Reply"), QStringLiteral("Reply to {{Sender: Anna}} kindly."));
    prompt(QStringLiteral("Code Review"), QStringLiteral("Review this code: {{Code}}"));
    auto *tones = new PromptGlobalVariable;
    tones->setKey(QStringLiteral("Tones"));
    ctx.insert(tones);
    defaults->setValue(QStringLiteral("isAdminMode"), true);

    auto view =
        load(QStringLiteral("SettingsView.qml"), {{"viewModel", QVariant::fromValue(settings())}});
    ASSERT_TRUE(view);
    QSignalSpy editRequested(view->rootObject(), SIGNAL(editPromptRequested(QVariant)));

    QMetaObject::invokeMethod(item(*view, "validateButton"), "clicked");
    QObject *sheet = view->rootObject()->findChild<QObject *>(QStringLiteral("validationSheet"));
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->property("visible").toBool());
    QTRY_COMPARE(vm->validation()->message(),
                 QStringLiteral("Checked 5 templates. Found 4 issues."));

    auto *message = sheet->findChild<QQuickItem *>(QStringLiteral("validationMessage"));
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->property("text").toString(), "Checked 5 templates. Found 4 issues.");
    EXPECT_EQ(message->property("color").value<QColor>().name(),
              sheet->property("issueColor").value<QColor>().name());
    auto *findings = sheet->findChild<QQuickItem *>(QStringLiteral("validationFindings"));
    ASSERT_NE(findings, nullptr);
    EXPECT_EQ(findings->property("count").toInt(), 4);
    screenshot(*view, QStringLiteral("validation-sheet.png"));

    // Return on the first finding opens its prompt; without the editor built in, the host is asked.
    findings->forceActiveFocus();
    QTest::keyClick(view.get(), Qt::Key_Return);
    ASSERT_EQ(editRequested.count(), 1);
    EXPECT_EQ(editRequested.front().front().value<QObject *>()->property("title").toString(),
              "Blog Post Outline");

    click(*view, sheet->findChild<QQuickItem *>(QStringLiteral("validationCloseButton")));
    QTRY_VERIFY(!sheet->property("visible").toBool());
    EXPECT_FALSE(vm->validation()->isPresented());
}

TEST_F(Views, WelcomeFormSwitchesFieldsAndSendsTheMail)
{
    QList<QUrl> opened;
    FeedbackViewModel feedback(
        defaults.get(),
        [&](const QUrl &url) {
            opened << url;
            return true;
        },
        QStringLiteral("feedback@vorn.app"));
    auto view =
        load(QStringLiteral("FeedbackView.qml"), {{"viewModel", QVariant::fromValue(&feedback)}});
    ASSERT_TRUE(view);
    EXPECT_EQ(view->rootObject()->width(), 500);
    EXPECT_EQ(view->rootObject()->height(), 700);
    EXPECT_TRUE(shown(item(*view, "categoryField")));
    EXPECT_FALSE(shown(item(*view, "descriptionScroller")));
    EXPECT_TRUE(item(*view, "showOnStartSwitch")->property("checked").toBool());
    screenshot(*view, QStringLiteral("welcome.png"));

    item(*view, "categoryField")->forceActiveFocus();
    type(*view, QStringLiteral("Coding"));
    EXPECT_EQ(feedback.categoryName(), "Coding");
    click(*view, item(*view, "sendFeedbackButton"));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened.front().toEncoded().endsWith("category:%0ACoding"));

    feedback.setSelectedTopic(FeedbackViewModel::MissingCategory);
    EXPECT_FALSE(shown(item(*view, "categoryField")));
    EXPECT_TRUE(shown(item(*view, "descriptionScroller")));
    EXPECT_EQ(item(*view, "topicPicker")->property("currentText").toString(),
              "Add a missing category");

    item(*view, "showOnStartSwitch")->forceActiveFocus(Qt::TabFocusReason);
    QTest::keyClick(view.get(), Qt::Key_Space);
    EXPECT_FALSE(defaults->boolValue(QStringLiteral("showFeedbackOnStart"), true));
}

TEST_F(Views, AccountButtonFollowsTheColourSchemeAndLogsTheFailure)
{
    UnavailableSignInService service;
    AccountViewModel account(&service);
    auto view =
        load(QStringLiteral("AccountView.qml"), {{"viewModel", QVariant::fromValue(&account)}});
    ASSERT_TRUE(view);
    auto *background = item(*view, "signInButtonBackground");
    EXPECT_EQ(background->property("color").value<QColor>(), QColor(Qt::white));
    view->rootObject()->setProperty("darkColorScheme", false);
    EXPECT_EQ(background->property("color").value<QColor>(), QColor(Qt::black));

    QStringList lines;
    StoreLog::Capture capture([&](const QString &line) { lines << line; });
    click(*view, item(*view, "signInButton"));
    EXPECT_EQ(lines,
              QStringList({"Authorisation failed: Sign-in is not available on this platform"}));
}
