#include "AccountViewModel.h"
#include "DataController.h"
#include "Fakes.h"
#include "FeedbackViewModel.h"
#include "QmlTestSupport.h"
#include "StoreTestData.h"
#include "SyncSettingsViewModel.h"
#include "UnavailableSignInService.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <stdexcept>

Q_IMPORT_QML_PLUGIN(Vorn_SettingsPlugin)

namespace {
class Views : public SettingsFixture {
protected:
    bool load(const char *file, QObject *viewModel)
    {
        view = std::make_unique<QmlTestView>();
        return view->loadFile(QStringLiteral("qrc:/qt/qml/Vorn/Settings/") + QLatin1String(file),
                              {{QStringLiteral("viewModel"), QVariant::fromValue(viewModel)}});
    }
    bool loadSettings()
    {
        vm = make();
        return load("SettingsView.qml", vm.get());
    }
    // Fails the test at once when the view has no such item.
    QQuickItem *item(const char *name) const
    {
        if (QQuickItem *found = view->item(QString::fromLatin1(name)))
            return found;
        throw std::runtime_error(std::string("no item ") + name);
    }
    QString text(const char *name, const char *property = "text") const { return item(name)->property(property).toString(); }
    bool shown(const char *name) const { return item(name)->isVisible(); }
    QObject *child(const char *name) const
    {
        if (QObject *found = view->rootObject()->findChild<QObject *>(QString::fromLatin1(name)))
            return found;
        throw std::runtime_error(std::string("no object ") + name);
    }
    QObject *scrollTo(qreal y)
    {
        auto *flick = item("settingsScroller")->property("contentItem").value<QObject *>();
        if (!flick)
            throw std::runtime_error("the settings do not scroll");
        flick->setProperty("contentY", y);
        return flick;
    }
    void prompt(const char *title, const char *text) { TestData::addPrompt(ctx, title, text); }

    std::unique_ptr<SettingsViewModel> vm;
    std::unique_ptr<QmlTestView> view;
};
} // namespace

TEST_F(Views, SettingsForUsersTheGestureToAdministrationAndACancelledReset)
{
    defaults->setValue(QStringLiteral("tag_text_suffix"), QStringLiteral("Please answer in Markdown."));
    ASSERT_TRUE(loadSettings());
    QQuickItem *root = view->rootObject();
    EXPECT_EQ(root->size(), QSizeF(550, 600));
    for (const char *hidden : {"adminModeLabel", "synchronizeRow", "dangerZoneRow", "portalHint"})
        EXPECT_FALSE(shown(hidden)) << hidden << " shows to a user";
    for (const char *visible : {"launchAtLoginRow", "shortcutRow", "suffixSection"})
        EXPECT_TRUE(shown(visible)) << visible << " is missing for a user";
    EXPECT_EQ(text("shortcutPicker", "currentText"), "P");
    EXPECT_EQ(text("suffixEditor_text"), "Please answer in Markdown.");
    EXPECT_EQ(text("suffixEditor_nano banana"), "");
    EXPECT_EQ(text("versionLine"), SettingsViewModel::versionLine(SettingsViewModel::compiledVersion(),
                                                                  SettingsViewModel::compiledBuild()));
    view->screenshot(QStringLiteral("settings-user.png"));
    root->setProperty("version", QStringLiteral("2.3.0"));
    root->setProperty("build", QString());
    EXPECT_EQ(text("versionLine"), "Version 2.3.0 (Build Unknown)");
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
    for (const char *visible : {"adminModeLabel", "synchronizeRow", "exportRow", "dangerZoneRow", "suffixSection"})
        EXPECT_TRUE(shown(visible)) << visible << " is missing in administration";
    scrollTo(96); // the whole danger zone
    view->screenshot(QStringLiteral("settings-admin.png"));
    scrollTo(0);
    // Escape on the reset alert changes nothing.
    QStringList lines;
    StoreLog::Capture capture([&](const QString &line) { lines << line; });
    QMetaObject::invokeMethod(item("resetDatabaseButton"), "clicked");
    QObject *alert = child("resetDatabaseAlert");
    EXPECT_TRUE(alert->property("visible").toBool());
    EXPECT_EQ(alert->property("title").toString(), "Reset Database?");
    view->key(Qt::Key_Escape);
    QTest::qWait(50);
    EXPECT_FALSE(alert->property("visible").toBool());
    EXPECT_TRUE(lines.isEmpty()) << lines.join('\n').toStdString();
    // The flag is shared: writing it elsewhere hides the rows again at once.
    defaults->setValue(QStringLiteral("isAdminMode"), false);
    EXPECT_FALSE(shown("dangerZoneRow"));
}

TEST_F(Views, SuffixEditorWritesEveryEditAndPickerReRegisters)
{
    shortcuts->hint = QStringLiteral("This desktop keeps the shortcut: change it under Settings › Keyboard › Shortcuts.");
    ASSERT_TRUE(loadSettings());
    EXPECT_TRUE(shown("portalHint"));

    item("suffixEditor_nano banana")->forceActiveFocus();
    view->type(QStringLiteral("4k"));
    EXPECT_EQ(defaults->string(QStringLiteral("tag_nano banana_suffix")), "4k");

    item("shortcutPicker")->forceActiveFocus();
    view->key(Qt::Key_Down); // P -> Q
    EXPECT_EQ(defaults->string(QStringLiteral("hotkey_char")), "Q");
    EXPECT_EQ(shortcuts->calls, QStringList({"register Q", "HotKeyUpdated"}));
    EXPECT_EQ(text("shortcutPicker", "currentText"), "Q");
}

TEST_F(Views, ValidationSheetListsTheFindings)
{
    prompt("Blog Post Outline", "Outline a post about {{Topic: AI}} in a {{Tone: [tones]}} voice.");
    prompt("Product Description", "Describe {{Product}} for {{Audience: shoppers}}.");
    prompt("Cinematic Still", "A {{Subject: fox}} at dusk, {{Lens: 35mm}");
    prompt("Email Reply", "Reply to {{Sender: Anna}} kindly.");
    prompt("Code Review", "Review this code: {{Code}}");
    TestData::addList(ctx, QStringLiteral("Tones"));
    defaults->setValue(QStringLiteral("isAdminMode"), true);
    ASSERT_TRUE(loadSettings());
    QSignalSpy editRequested(view->rootObject(), SIGNAL(editPromptRequested(QVariant)));

    QMetaObject::invokeMethod(item("validateButton"), "clicked");
    QObject *sheet = child("validationSheet");
    EXPECT_TRUE(sheet->property("visible").toBool());
    const QString found = QStringLiteral("Checked 5 templates. Found 4 issues.");
    EXPECT_TRUE(QmlTest::waitFor([&] { return vm->validation()->message() == found; }))
        << vm->validation()->message().toStdString();
    EXPECT_EQ(text("validationMessage"), found);
    EXPECT_EQ(item("validationMessage")->property("color").value<QColor>().name(),
              sheet->property("issueColor").value<QColor>().name());
    auto *findings = item("validationFindings");
    EXPECT_EQ(findings->property("count").toInt(), 4);
    view->screenshot(QStringLiteral("validation-sheet.png"));
    // Return on the first finding opens its prompt; without the editor built in, the host is asked.
    findings->forceActiveFocus();
    view->key(Qt::Key_Return);
    ASSERT_EQ(editRequested.count(), 1);
    EXPECT_EQ(editRequested.front().front().value<QObject *>()->property("title").toString(), "Blog Post Outline");

    view->click(item("validationCloseButton"));
    EXPECT_TRUE(QmlTest::waitFor([&] { return !sheet->property("visible").toBool(); }));
    EXPECT_FALSE(vm->validation()->isPresented());
}

TEST_F(Views, WelcomeFormSwitchesFieldsAndSendsTheMail)
{
    QList<QUrl> opened;
    FeedbackViewModel feedback(
        defaults.get(), [&](const QUrl &url, const std::function<void()> &) { opened << url; return true; },
        QStringLiteral("feedback@vorn.app"));
    ASSERT_TRUE(load("FeedbackView.qml", &feedback));
    EXPECT_EQ(view->rootObject()->size(), QSizeF(500, 700));
    EXPECT_TRUE(shown("categoryField"));
    EXPECT_FALSE(shown("descriptionScroller"));
    EXPECT_TRUE(item("showOnStartSwitch")->property("checked").toBool());
    view->screenshot(QStringLiteral("welcome.png"));

    item("categoryField")->forceActiveFocus();
    view->type(QStringLiteral("Coding"));
    EXPECT_EQ(feedback.categoryName(), "Coding");
    view->click(item("sendFeedbackButton"));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened.front().toEncoded().endsWith("category:%0ACoding"));

    feedback.setSelectedTopic(FeedbackViewModel::MissingCategory);
    EXPECT_FALSE(shown("categoryField"));
    EXPECT_TRUE(shown("descriptionScroller"));
    EXPECT_EQ(text("topicPicker", "currentText"), "Add a missing category");

    item("showOnStartSwitch")->forceActiveFocus(Qt::TabFocusReason);
    view->key(Qt::Key_Space);
    EXPECT_FALSE(defaults->boolValue(QStringLiteral("showFeedbackOnStart"), true));
}

// The sign-in button follows the colour scheme and logs a refusal; without a sign-in on this
// desktop the window offers no button that can only fail and says where the sync is.
TEST_F(Views, AccountWindowWithAndWithoutASignIn)
{
    struct Refusing : SignInService {
        void signIn(const QStringList &, Completion completion) override { completion({false, QStringLiteral("denied")}); }
    } refusing;
    AccountViewModel account(&refusing);
    ASSERT_TRUE(load("AccountView.qml", &account));
    EXPECT_FALSE(shown("syncHint"));
    auto *background = item("signInButtonBackground");
    EXPECT_EQ(background->property("color").value<QColor>(), QColor(Qt::white));
    view->rootObject()->setProperty("darkColorScheme", false);
    EXPECT_EQ(background->property("color").value<QColor>(), QColor(Qt::black));
    QStringList lines;
    StoreLog::Capture capture([&](const QString &line) { lines << line; });
    view->click(item("signInButton"));
    EXPECT_EQ(lines, QStringList({"Authorisation failed: denied"}));

    UnavailableSignInService unavailable;
    AccountViewModel without(&unavailable);
    ASSERT_TRUE(load("AccountView.qml", &without));
    EXPECT_FALSE(shown("signInButton"));
    EXPECT_TRUE(shown("syncHint"));
    EXPECT_TRUE(text("syncHint").contains(QStringLiteral("Settings > Sync")));
    view->screenshot(QStringLiteral("account-sync.png"));
}

// Every state of the section: off, on alone, on with another device; the command line's
// change of the folder shows at once.
TEST_F(Views, SyncSectionFollowsTheFolderAndTheDevices)
{
    UserDefaults *previous = UserDefaults::standard();
    UserDefaults::setStandard(defaults.get());
    const QString folder = dir + QStringLiteral("/Shared"), device = QStringLiteral("0d5e7c1a-3b2f-4c6d-9e8f-a1b2c3d4e5f6");
    QDir().mkpath(folder);
    {
        DataController data({.storePath = {}, .documentsDir = dir, .inMemory = true, .lockWaitMs = 0,
                             .syncDir = dir + QStringLiteral("/sync")});
        ASSERT_TRUE(data.setUp());
        vm = make(nullptr, &data, data.mainContext());
        ASSERT_TRUE(load("SettingsView.qml", vm.get()));
        QObject *flick = scrollTo(0);
        scrollTo(item("syncSection")->mapToItem(flick->property("contentItem").value<QQuickItem *>(), {0, 0}).y() - 8);
        // Off shows "Off" and no way to sync; on shows the folder, the off button and Sync Now.
        const auto expectOn = [&](bool on, const char *when) {
            EXPECT_EQ(text("syncFolderRow", "description"), on ? QDir::toNativeSeparators(folder) : "Off") << when;
            EXPECT_EQ(shown("syncOffButton"), on) << when;
            EXPECT_EQ(item("syncNowButton")->isEnabled(), on) << when;
        };
        EXPECT_TRUE(shown("syncSection"));
        expectOn(false, "before a folder is chosen");
        EXPECT_FALSE(shown("syncDevices"));
        EXPECT_EQ(text("syncDeviceNameField"), SyncSettingsViewModel::hostName());
        view->screenshot(QStringLiteral("sync-off.png"));
        // As "vorn sync folder" does it in the running app.
        ASSERT_NE(data.enableSync(folder), nullptr);
        expectOn(true, "once the command line chose a folder");
        EXPECT_TRUE(shown("syncNoDevices"));

        ASSERT_TRUE(deliverJournal(folder, device, QStringLiteral("Desktop"), QDateTime::currentMSecsSinceEpoch() - 60000));
        view->click(item("syncNowButton"));
        EXPECT_FALSE(shown("syncNoDevices"));
        EXPECT_TRUE(shown("syncDevice_0d5e7c1a-3b2f-4c6d-9e8f-a1b2c3d4e5f6"));
        EXPECT_EQ(text("syncMessage"), QStringLiteral("Synced with 1 other device."));
        view->screenshot(QStringLiteral("sync-on.png"));

        view->click(item("syncOffButton"));
        expectOn(false, "after the off button");
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
    prompt("Cinematic Still", "A {{Subject: fox}} at dusk, {{Lens: 35mm}");
    prompt("Email Reply", "Reply to {{Sender: [senders]}} kindly.");
    // The desktop's note about its shortcut, as the shell gives it in German.
    shortcuts->hint = QCoreApplication::translate(
        "ShellShortcutService", "Your desktop owns this shortcut: change it in its keyboard settings "
                                "(for example Settings → Keyboard → Shortcuts → VORN).");
    ASSERT_TRUE(loadSettings());
    EXPECT_EQ(text("launchAtLoginRow", "title"), QStringLiteral("Beim Anmelden starten"));
    EXPECT_TRUE(shown("portalHint"));
    view->screenshot(QStringLiteral("de-settings-user.png"));

    defaults->setValue(QStringLiteral("isAdminMode"), true);
    view->screenshot(QStringLiteral("de-settings-admin.png"));
    scrollTo(96);
    view->screenshot(QStringLiteral("de-settings-danger-zone.png"));

    QMetaObject::invokeMethod(item("resetStatsButton"), "clicked");
    EXPECT_EQ(child("resetStatsAlert")->property("title").toString(), QStringLiteral("Nutzung & Favoriten zurücksetzen?"));
    view->screenshot(QStringLiteral("de-settings-reset-alert.png"));
    view->key(Qt::Key_Escape);
    QTest::qWait(50);

    QMetaObject::invokeMethod(item("validateButton"), "clicked");
    const QString found = QStringLiteral("2 Vorlagen geprüft. 2 Probleme gefunden.");
    EXPECT_TRUE(QmlTest::waitFor([&] { return vm->validation()->message() == found; }))
        << vm->validation()->message().toStdString();
    view->screenshot(QStringLiteral("de-validation-sheet.png"));

    FeedbackViewModel feedback(defaults.get(), [](const QUrl &, const std::function<void()> &) { return true; }, QStringLiteral("feedback@vorn.app"));
    ASSERT_TRUE(load("FeedbackView.qml", &feedback));
    EXPECT_EQ(text("topicPicker", "currentText"), QStringLiteral("Mehr Prompts für …"));
    view->screenshot(QStringLiteral("de-welcome.png"));
    feedback.setSelectedTopic(FeedbackViewModel::MissingFeature);
    view->screenshot(QStringLiteral("de-welcome-feature.png"));

    UnavailableSignInService service;
    AccountViewModel account(&service);
    ASSERT_TRUE(load("AccountView.qml", &account));
    view->screenshot(QStringLiteral("de-account.png"));
}
