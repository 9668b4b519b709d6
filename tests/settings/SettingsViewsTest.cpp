#include "AccountViewModel.h"
#include "DataController.h"
#include "JournalCodec.h"
#include "SyncFolder.h"
#include "SyncSettingsViewModel.h"
#include "Fakes.h"
#include "FeedbackViewModel.h"
#include "ModelContext.h"
#include "Prompt.h"
#include "PromptGlobalVariable.h"
#include "SettingsViewModel.h"
#include "StoreLog.h"
#include "StoreTestData.h"
#include "TestSupport.h"
#include "UnavailableSignInService.h"
#include "QmlTestSupport.h"
#include "UserDefaults.h"

#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

Q_IMPORT_QML_PLUGIN(Vorn_SettingsPlugin)

namespace {
class Views : public SettingsFixture {
protected:
    SettingsViewModel *settings()
    {
        vm = make();
        return vm.get();
    }

    bool load(const char *file, QObject *viewModel)
    {
        view = std::make_unique<QmlTestView>();
        return view->loadFile(QStringLiteral("qrc:/qt/qml/Vorn/Settings/") + QLatin1String(file),
                              {{QStringLiteral("viewModel"), QVariant::fromValue(viewModel)}});
    }

    // Fails the test at once when the view has no such item.
    QQuickItem *item(const char *name) const
    {
        QQuickItem *found = view->item(QString::fromLatin1(name));
        if (!found)
            throw std::runtime_error(std::string("no item ") + name);
        return found;
    }

    static bool shown(QQuickItem *item) { return item && item->isVisible(); }

    void prompt(const QString &title, const QString &text) { TestData::addPrompt(ctx, title, text); }

    std::unique_ptr<SettingsViewModel> vm;
    std::unique_ptr<QmlTestView> view;
};
} // namespace

TEST_F(Views, SettingsForUsersAndTheGestureToAdministration)
{
    defaults->setValue(QStringLiteral("tag_text_suffix"),
                       QStringLiteral("Please answer in Markdown."));
    ASSERT_TRUE(load("SettingsView.qml", settings()));
    QQuickItem *root = view->rootObject();
    EXPECT_EQ(root->width(), 550);
    EXPECT_EQ(root->height(), 600);

    EXPECT_FALSE(shown(item("adminModeLabel")));
    EXPECT_FALSE(shown(item("synchronizeRow")));
    EXPECT_FALSE(shown(item("dangerZoneRow")));
    EXPECT_TRUE(shown(item("launchAtLoginRow")));
    EXPECT_TRUE(shown(item("shortcutRow")));
    EXPECT_TRUE(shown(item("suffixSection")));
    EXPECT_FALSE(shown(item("portalHint")));
    EXPECT_EQ(item("shortcutPicker")->property("currentText").toString(), "P");
    EXPECT_EQ(item("suffixEditor_text")->property("text").toString(),
              "Please answer in Markdown.");
    EXPECT_EQ(item("suffixEditor_nano banana")->property("text").toString(), "");
    EXPECT_EQ(item("versionLine")->property("text").toString(),
              SettingsViewModel::versionLine(SettingsViewModel::compiledVersion(),
                                             SettingsViewModel::compiledBuild()));
    view->screenshot(QStringLiteral("settings-user.png"));

    root->setProperty("version", QStringLiteral("2.3.0"));
    root->setProperty("build", QString());
    EXPECT_EQ(item("versionLine")->property("text").toString(),
              "Version 2.3.0 (Build Unknown)");

    // A generous interval, so a busy machine still sees one series of four clicks.
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(1000);
    QQuickItem *gear = item("settingsGear");
    for (int i = 0; i < 4; ++i)
        view->click(gear);
    EXPECT_FALSE(vm->isAdminMode()) << "four clicks without Ctrl";
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 300); // a new series
    for (int i = 0; i < 4; ++i)
        view->click(gear, Qt::ControlModifier);
    EXPECT_TRUE(vm->isAdminMode());
    EXPECT_TRUE(shown(item("adminModeLabel")));
    EXPECT_TRUE(shown(item("synchronizeRow")));
    EXPECT_TRUE(shown(item("exportRow")));
    EXPECT_TRUE(shown(item("dangerZoneRow")));
    EXPECT_TRUE(shown(item("suffixSection")));
    // Scrolled so that the whole danger zone shows.
    QObject *flick = item("settingsScroller")->property("contentItem").value<QObject *>();
    ASSERT_NE(flick, nullptr);
    flick->setProperty("contentY", 96);
    view->screenshot(QStringLiteral("settings-admin.png"));
    flick->setProperty("contentY", 0);

    // The flag is shared: writing it elsewhere hides the rows again at once.
    defaults->setValue(QStringLiteral("isAdminMode"), false);
    EXPECT_FALSE(shown(item("dangerZoneRow")));
}

TEST_F(Views, SuffixEditorWritesEveryEditAndPickerReRegisters)
{
    shortcuts->hint = QStringLiteral(
        "This desktop keeps the shortcut: change it under Settings › Keyboard › Shortcuts.");
    ASSERT_TRUE(load("SettingsView.qml", settings()));
    EXPECT_TRUE(shown(item("portalHint")));

    QQuickItem *editor = item("suffixEditor_nano banana");
    editor->forceActiveFocus();
    view->type(QStringLiteral("4k"));
    EXPECT_EQ(defaults->string(QStringLiteral("tag_nano banana_suffix")), "4k");

    QQuickItem *picker = item("shortcutPicker");
    picker->forceActiveFocus();
    view->key(Qt::Key_Down); // P -> Q
    EXPECT_EQ(defaults->string(QStringLiteral("hotkey_char")), "Q");
    EXPECT_EQ(shortcuts->calls, QStringList({"register Q", "HotKeyUpdated"}));
    EXPECT_EQ(picker->property("currentText").toString(), "Q");
}

TEST_F(Views, CancelledResetChangesNothing)
{
    defaults->setValue(QStringLiteral("isAdminMode"), true);
    ASSERT_TRUE(load("SettingsView.qml", settings()));
    QStringList lines;
    StoreLog::Capture capture([&](const QString &line) { lines << line; });

    QMetaObject::invokeMethod(item("resetDatabaseButton"), "clicked");
    QObject *alert = view->rootObject()->findChild<QObject *>(QStringLiteral("resetDatabaseAlert"));
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(alert->property("visible").toBool());
    EXPECT_EQ(alert->property("title").toString(), "Reset Database?");
    view->key(Qt::Key_Escape);
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
    TestData::addList(ctx, QStringLiteral("Tones"));
    defaults->setValue(QStringLiteral("isAdminMode"), true);

    ASSERT_TRUE(load("SettingsView.qml", settings()));
    QSignalSpy editRequested(view->rootObject(), SIGNAL(editPromptRequested(QVariant)));

    QMetaObject::invokeMethod(item("validateButton"), "clicked");
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
    view->screenshot(QStringLiteral("validation-sheet.png"));

    // Return on the first finding opens its prompt; without the editor built in, the host is asked.
    findings->forceActiveFocus();
    view->key(Qt::Key_Return);
    ASSERT_EQ(editRequested.count(), 1);
    EXPECT_EQ(editRequested.front().front().value<QObject *>()->property("title").toString(),
              "Blog Post Outline");

    view->click(sheet->findChild<QQuickItem *>(QStringLiteral("validationCloseButton")));
    QTRY_VERIFY(!sheet->property("visible").toBool());
    EXPECT_FALSE(vm->validation()->isPresented());
}

TEST_F(Views, WelcomeFormSwitchesFieldsAndSendsTheMail)
{
    QList<QUrl> opened;
    FeedbackViewModel feedback(
        defaults.get(),
        [&](const QUrl &url, const std::function<void()> &) {
            opened << url;
            return true;
        },
        QStringLiteral("feedback@vorn.app"));
    ASSERT_TRUE(load("FeedbackView.qml", &feedback));
    EXPECT_EQ(view->rootObject()->width(), 500);
    EXPECT_EQ(view->rootObject()->height(), 700);
    EXPECT_TRUE(shown(item("categoryField")));
    EXPECT_FALSE(shown(item("descriptionScroller")));
    EXPECT_TRUE(item("showOnStartSwitch")->property("checked").toBool());
    view->screenshot(QStringLiteral("welcome.png"));

    item("categoryField")->forceActiveFocus();
    view->type(QStringLiteral("Coding"));
    EXPECT_EQ(feedback.categoryName(), "Coding");
    view->click(item("sendFeedbackButton"));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened.front().toEncoded().endsWith("category:%0ACoding"));

    feedback.setSelectedTopic(FeedbackViewModel::MissingCategory);
    EXPECT_FALSE(shown(item("categoryField")));
    EXPECT_TRUE(shown(item("descriptionScroller")));
    EXPECT_EQ(item("topicPicker")->property("currentText").toString(),
              "Add a missing category");

    item("showOnStartSwitch")->forceActiveFocus(Qt::TabFocusReason);
    view->key(Qt::Key_Space);
    EXPECT_FALSE(defaults->boolValue(QStringLiteral("showFeedbackOnStart"), true));
}

TEST_F(Views, AccountButtonFollowsTheColourSchemeAndLogsTheOutcome)
{
    struct Refusing : SignInService {
        void signIn(const QStringList &, Completion completion) override { completion({false, QStringLiteral("denied")}); }
    } service;
    AccountViewModel account(&service);
    ASSERT_TRUE(load("AccountView.qml", &account));
    EXPECT_FALSE(shown(item("syncHint")));
    auto *background = item("signInButtonBackground");
    EXPECT_EQ(background->property("color").value<QColor>(), QColor(Qt::white));
    view->rootObject()->setProperty("darkColorScheme", false);
    EXPECT_EQ(background->property("color").value<QColor>(), QColor(Qt::black));

    QStringList lines;
    StoreLog::Capture capture([&](const QString &line) { lines << line; });
    view->click(item("signInButton"));
    EXPECT_EQ(lines, QStringList({"Authorisation failed: denied"}));
}

// Without a sign-in on this desktop the window offers no button that can only fail.
TEST_F(Views, AccountWithoutSignInSaysWhereSyncIs)
{
    UnavailableSignInService service;
    AccountViewModel account(&service);
    ASSERT_TRUE(load("AccountView.qml", &account));
    EXPECT_FALSE(shown(item("signInButton")));
    EXPECT_TRUE(shown(item("syncHint")));
    EXPECT_TRUE(item("syncHint")->property("text").toString().contains(QStringLiteral("Settings > Sync")));
    view->screenshot(QStringLiteral("account-sync.png"));
}

// Every state of the section: off, on alone, on with another device; the command line's
// change of the folder shows at once.
TEST_F(Views, SyncSectionFollowsTheFolderAndTheDevices)
{
    UserDefaults *previous = UserDefaults::standard();
    UserDefaults::setStandard(defaults.get());
    const QString folder = dir + QStringLiteral("/Shared");
    QDir().mkpath(folder);
    {
        DataController data({.storePath = {}, .documentsDir = dir, .inMemory = true, .lockWaitMs = 0,
                             .syncDir = dir + QStringLiteral("/sync")});
        ASSERT_TRUE(data.setUp());
        vm = make(nullptr, &data, data.mainContext());
        ASSERT_TRUE(load("SettingsView.qml", vm.get()));
        QObject *flick = item("settingsScroller")->property("contentItem").value<QObject *>();
        ASSERT_NE(flick, nullptr);
        const qreal top = item("syncSection")->mapToItem(flick->property("contentItem").value<QQuickItem *>(), {0, 0}).y();
        flick->setProperty("contentY", top - 8);

        EXPECT_TRUE(shown(item("syncSection")));
        EXPECT_EQ(item("syncFolderRow")->property("description").toString(), QStringLiteral("Off"));
        EXPECT_FALSE(shown(item("syncOffButton")));
        EXPECT_FALSE(item("syncNowButton")->property("enabled").toBool());
        EXPECT_FALSE(shown(item("syncDevices")));
        EXPECT_EQ(item("syncDeviceNameField")->property("text").toString(), SyncSettingsViewModel::hostName());
        view->screenshot(QStringLiteral("sync-off.png"));

        // As "vorn sync folder" does it in the running app.
        ASSERT_NE(data.enableSync(folder), nullptr);
        EXPECT_EQ(item("syncFolderRow")->property("description").toString(), QDir::toNativeSeparators(folder));
        EXPECT_TRUE(shown(item("syncOffButton")));
        EXPECT_TRUE(item("syncNowButton")->property("enabled").toBool());
        EXPECT_TRUE(shown(item("syncNoDevices")));

        SyncJournal journal;
        journal.device = QStringLiteral("0d5e7c1a-3b2f-4c6d-9e8f-a1b2c3d4e5f6");
        journal.name = QStringLiteral("Desktop");
        journal.written = QDateTime::currentMSecsSinceEpoch() - 60000;
        journal.records.append({{journal.written, 0, journal.device}, QStringLiteral("attr"),
                                QStringLiteral("A1B2C3D4-0000-4000-8000-000000000001"), QStringLiteral("favorite"), true});
        QString error;
        ASSERT_TRUE(SyncFolder::writeAtomically(QDir(folder).filePath(SyncFolder::journalName(journal.device)),
                                                JournalCodec::encode(journal), &error));
        view->click(item("syncNowButton"));
        EXPECT_FALSE(shown(item("syncNoDevices")));
        QQuickItem *device = item("syncDevice_0d5e7c1a-3b2f-4c6d-9e8f-a1b2c3d4e5f6");
        EXPECT_TRUE(shown(device));
        EXPECT_EQ(item("syncMessage")->property("text").toString(), QStringLiteral("Synced with 1 other device."));
        view->screenshot(QStringLiteral("sync-on.png"));

        view->click(item("syncOffButton"));
        EXPECT_EQ(item("syncFolderRow")->property("description").toString(), QStringLiteral("Off"));
        EXPECT_FALSE(item("syncNowButton")->property("enabled").toBool());
        view.reset();
        vm.reset();
        data.closeStore();
    }
    UserDefaults::setStandard(previous);
}

// The settings, their alerts and sheets, the welcome window and the account window in German,
// the longest of the shipped languages, each with its texts whole and apart (screenshot()
// checks them).
TEST_F(Views, GermanTextsFitInEveryState)
{
    const QmlTest::Language german(QStringLiteral("de"));
    prompt(QStringLiteral("Cinematic Still"), QStringLiteral("A {{Subject: fox}} at dusk, {{Lens: 35mm}"));
    prompt(QStringLiteral("Email Reply"), QStringLiteral("Reply to {{Sender: [senders]}} kindly."));
    // The desktop's note about its shortcut, as the shell gives it in German.
    shortcuts->hint = QCoreApplication::translate(
        "ShellShortcutService", "Your desktop owns this shortcut: change it in its keyboard settings "
                                "(for example Settings → Keyboard → Shortcuts → VORN).");
    ASSERT_TRUE(load("SettingsView.qml", settings()));
    EXPECT_EQ(item("launchAtLoginRow")->property("title").toString(), QStringLiteral("Beim Anmelden starten"));
    EXPECT_TRUE(shown(item("portalHint")));
    view->screenshot(QStringLiteral("de-settings-user.png"));

    defaults->setValue(QStringLiteral("isAdminMode"), true);
    view->screenshot(QStringLiteral("de-settings-admin.png"));
    QObject *flick = item("settingsScroller")->property("contentItem").value<QObject *>();
    ASSERT_NE(flick, nullptr);
    flick->setProperty("contentY", 96);
    view->screenshot(QStringLiteral("de-settings-danger-zone.png"));

    QMetaObject::invokeMethod(item("resetStatsButton"), "clicked");
    QObject *alert = view->rootObject()->findChild<QObject *>(QStringLiteral("resetStatsAlert"));
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->property("title").toString(), QStringLiteral("Nutzung & Favoriten zurücksetzen?"));
    view->screenshot(QStringLiteral("de-settings-reset-alert.png"));
    view->key(Qt::Key_Escape);
    QTest::qWait(50);

    QMetaObject::invokeMethod(item("validateButton"), "clicked");
    QTRY_COMPARE(vm->validation()->message(), QStringLiteral("2 Vorlagen geprüft. 2 Probleme gefunden."));
    view->screenshot(QStringLiteral("de-validation-sheet.png"));

    FeedbackViewModel feedback(defaults.get(), [](const QUrl &, const std::function<void()> &) { return true; }, QStringLiteral("feedback@vorn.app"));
    ASSERT_TRUE(load("FeedbackView.qml", &feedback));
    EXPECT_EQ(item("topicPicker")->property("currentText").toString(), QStringLiteral("Mehr Prompts für …"));
    view->screenshot(QStringLiteral("de-welcome.png"));
    feedback.setSelectedTopic(FeedbackViewModel::MissingFeature);
    view->screenshot(QStringLiteral("de-welcome-feature.png"));

    UnavailableSignInService service;
    AccountViewModel account(&service);
    ASSERT_TRUE(load("AccountView.qml", &account));
    view->screenshot(QStringLiteral("de-account.png"));
}
