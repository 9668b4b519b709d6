#include "SettingsViewModel.h"
#include "DataController.h"
#include "Fakes.h"
#include "Prompt.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>

namespace {
using Settings = SettingsFixture;

// Clicks on the gear, 100 ms apart (well inside any double-click interval), after a pause
// that ends the series before.
void series(SettingsViewModel &vm, int count, Qt::KeyboardModifiers modifiers, qint64 &clock)
{
    clock += 5000;
    for (int i = 0; i < count; ++i)
        vm.registerGearClick(clock += 100, modifiers);
}
} // namespace

TEST_F(Settings, GearClicksFlipAdministrationModeBackAndForth)
{
    EXPECT_TRUE(SettingsViewModel::isAdminGesture(4, Qt::ControlModifier | Qt::ShiftModifier)) << "extra modifiers";
    EXPECT_FALSE(SettingsViewModel::isAdminGesture(4, Qt::ShiftModifier | Qt::AltModifier));
    auto vm = make();
    auto other = make(); // another view reading the same flag
    QSignalSpy otherFollows(other.get(), &SettingsViewModel::isAdminModeChanged);
    qint64 clock = 0;
    series(*vm, 3, Qt::ControlModifier, clock);
    EXPECT_FALSE(vm->isAdminMode()) << "three clicks";
    series(*vm, 4, Qt::NoModifier, clock);
    EXPECT_FALSE(vm->isAdminMode()) << "four clicks without Ctrl";
    series(*vm, 2, Qt::ControlModifier, clock);
    series(*vm, 2, Qt::ControlModifier, clock);
    EXPECT_FALSE(vm->isAdminMode()) << "2 + 2 clicks with a pause are not one series";
    EXPECT_EQ(otherFollows.count(), 0);

    series(*vm, 4, Qt::ControlModifier, clock);
    EXPECT_TRUE(vm->isAdminMode());
    EXPECT_TRUE(defaults->boolValue(QStringLiteral("isAdminMode"), false));
    EXPECT_TRUE(other->isAdminMode());
    EXPECT_EQ(otherFollows.count(), 1);
    vm->registerGearClick(clock += 100, Qt::ControlModifier);
    EXPECT_TRUE(vm->isAdminMode()) << "a fifth click of the series flipped it again";
    series(*vm, 4, Qt::ControlModifier, clock);
    EXPECT_FALSE(vm->isAdminMode());
    EXPECT_EQ(otherFollows.count(), 2);
}

TEST_F(Settings, AdministrationRowsFollowTheMode)
{
    auto vm = make();
    QSignalSpy rowsChanged(vm.get(), &SettingsViewModel::isAdminModeChanged);
    const QStringList user = {"launchAtLogin", "shortcut", "suffixes"};
    const QStringList admin = {"launchAtLogin", "shortcut", "synchronize", "export", "dangerZone", "suffixes"};
    EXPECT_EQ(vm->visibleRows(), user);
    defaults->setValue(QStringLiteral("isAdminMode"), true);
    EXPECT_EQ(rowsChanged.count(), 1);
    EXPECT_EQ(vm->visibleRows(), admin);
    defaults->setValue(QStringLiteral("isAdminMode"), false);
    EXPECT_EQ(vm->visibleRows(), user);

    QStringList titles;
    for (const QString &row : admin)
        titles << vm->rowTitle(row);
    EXPECT_EQ(titles, QStringList({"Launch at Login", "Global Shortcut", "Force Synchronize Prompts", "Export Database",
                                   "Danger Zone", "Prompt Suffixes"}));
    EXPECT_EQ(vm->rowDescription("export"), "Exports current data to JSON files in Documents.");
    EXPECT_EQ(vm->rowDescription("launchAtLogin"), "Automatically start the app when you log in.");
}

TEST_F(Settings, NewLetterIsStoredRegisteredOnceAndAnnounced)
{
    shortcuts->hint = QStringLiteral("Change it in System Settings.");
    auto vm = make();
    auto other = make();
    QSignalSpy changed(vm.get(), &SettingsViewModel::hotkeyCharChanged);
    QSignalSpy otherChanged(other.get(), &SettingsViewModel::hotkeyCharChanged);
    EXPECT_EQ(vm->hotkeyChar(), "P");
    EXPECT_EQ(vm->chars().join(QString()), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(vm->portalHint(), shortcuts->hint);

    vm->setHotkeyChar(QStringLiteral("K"));
    // Stored before the re-registration, which reads it; announced afterwards.
    EXPECT_EQ(shortcuts->calls, QStringList({"register K", "HotKeyUpdated"}));
    EXPECT_EQ(defaults->string(QStringLiteral("hotkey_char")), "K");
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(otherChanged.count(), 1);
    EXPECT_EQ(other->hotkeyChar(), "K");

    shortcuts->calls.clear();
    for (const QString &same : {QStringLiteral("K"), QStringLiteral("k"), QStringLiteral("1"), QString()})
        vm->setHotkeyChar(same);
    EXPECT_TRUE(shortcuts->calls.isEmpty()) << shortcuts->calls.join(", ").toStdString();
    EXPECT_EQ(changed.count(), 1);
    vm->setHotkeyChar(QStringLiteral("P"));
    EXPECT_EQ(shortcuts->calls, QStringList({"register P", "HotKeyUpdated"}));
}

TEST_F(Settings, SuffixesUseTheTagNameAsListed)
{
    auto vm = make();
    EXPECT_EQ(vm->allTags(), QStringList({"text", "image", "midjourney", "nano banana", "dall-e", "video", "audio",
                                          "sora", "veo", "3d"}));
    for (const QString &tag : vm->allTags())
        EXPECT_TRUE(vm->suffix(tag).isEmpty()) << tag.toStdString();

    vm->setSuffix(QStringLiteral("nano banana"), QStringLiteral("in 16:9"));
    EXPECT_EQ(defaults->string(QStringLiteral("tag_nano banana_suffix")), "in 16:9");
    EXPECT_EQ(vm->suffix(QStringLiteral("nano banana")), "in 16:9");
    vm->setSuffix(QStringLiteral("text"), QStringLiteral("Please answer in Markdown"));
    EXPECT_EQ(defaults->string(QStringLiteral("tag_text_suffix")), "Please answer in Markdown");
    // An emptied editor stores the empty string rather than removing the key.
    vm->setSuffix(QStringLiteral("text"), QString());
    EXPECT_EQ(defaults->string(QStringLiteral("tag_text_suffix"), QStringLiteral("absent")), "");

    for (const auto &[tag, label] : {std::pair{"nano banana", "Nano Banana"}, {"text", "Text"}, {"dall-e", "Dall-e"}, {"3d", "3d"}})
        EXPECT_EQ(SettingsViewModel::suffixLabel(tag), QStringLiteral("Suffix for %1 Prompts").arg(QLatin1String(label)));
}

// The sheet and the window show what the other changed; the login switch follows the login
// item and snaps back when the system refuses.
TEST_F(Settings, TheSheetAndTheWindowShowWhatTheOtherChangedAndTheLoginSwitchSnapsBack)
{
    FakeLoginItem *sheetLogin = nullptr, *windowLogin = nullptr;
    auto sheet = make(&sheetLogin);
    auto window = make(&windowLogin);
    QSignalSpy suffix(sheet.get(), &SettingsViewModel::suffixChanged);
    window->setSuffix(QStringLiteral("image"), QStringLiteral("4k, no text"));
    ASSERT_EQ(suffix.count(), 1);
    EXPECT_EQ(suffix.at(0).at(0).toString(), QStringLiteral("image"));
    EXPECT_EQ(sheet->suffix(QStringLiteral("image")), QStringLiteral("4k, no text"));
    defaults->setValue(QStringLiteral("isAdminMode"), true); // other keys say nothing of suffixes
    EXPECT_EQ(suffix.count(), 1);
    // Both control the same autostart entry: the window's switch, then the sheet shows it.
    QSignalSpy login(sheet.get(), &SettingsViewModel::launchAtLoginChanged);
    QSignalSpy windowChanged(window.get(), &SettingsViewModel::launchAtLoginChanged);
    sheetLogin->enabled = true; // what the entry will say once the window has written it
    EXPECT_FALSE(sheet->launchAtLogin());
    EXPECT_FALSE(window->launchAtLogin());
    window->toggleLaunchAtLogin();
    EXPECT_TRUE(windowLogin->enabled);
    EXPECT_TRUE(window->launchAtLogin());
    EXPECT_EQ(windowChanged.count(), 1);
    EXPECT_TRUE(sheet->launchAtLogin());
    EXPECT_EQ(login.count(), 1);
    // A change made outside the app shows when the view comes into sight.
    sheetLogin->enabled = false;
    sheet->reload();
    EXPECT_FALSE(sheet->launchAtLogin());
    EXPECT_EQ(login.count(), 2);
    // A toggle the system refuses is logged, and the switch snaps back to the real state.
    QStringList lines;
    StoreLog::Capture capture([&](const QString &line) { lines << line; });
    windowLogin->fail = true;
    window->toggleLaunchAtLogin();
    EXPECT_EQ(windowLogin->toggles, 2);
    EXPECT_TRUE(window->launchAtLogin()) << "still on, as the system reports";
    EXPECT_EQ(windowChanged.count(), 2) << "announced even so: the switch the user flipped must return";
    EXPECT_EQ(lines, QStringList({"Failed to toggle Launch at Login: denied"}));
}

TEST_F(Settings, MaintenanceRunsAfterTheClick)
{
    // Two copies of one prompt: the deduplication keeps one, but not inside the click.
    const QUuid id = QUuid::createUuid();
    for (int i = 0; i < 2; ++i) {
        auto *p = new Prompt;
        p->setId(id);
        p->setTitle(QStringLiteral("Copy %1").arg(i));
        ctx.insert(p);
    }
    auto vm = make();
    StoreLog::Capture quiet([](const QString &) {});
    vm->deduplicate();
    EXPECT_EQ(ctx.count<Prompt>(), 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(ctx.count<Prompt>(), 1);
}

TEST_F(Settings, ExportWritesAndRevealsTheFile)
{
    const QString documents = dir + QStringLiteral("/Documents");
    DataController data({.storePath = {}, .documentsDir = documents, .inMemory = true});
    ASSERT_TRUE(data.setUp());
    QStringList revealed;
    data.setRevealer([&](const QString &path) { revealed << path; });
    auto vm = make(nullptr, &data, data.mainContext());
    QStringList lines;
    StoreLog::Capture capture([&](const QString &line) { lines << line; });
    vm->exportDatabase();
    EXPECT_TRUE(revealed.isEmpty()) << "exported inside the click";
    QCoreApplication::processEvents();
    ASSERT_EQ(revealed, QStringList{documents + QStringLiteral("/prompts.json")});
    EXPECT_TRUE(QFileInfo::exists(revealed.front()));
    EXPECT_TRUE(lines.contains(QStringLiteral("✅ Export Successful!")));
    // The window says where the file went and can show it again.
    ExportNotice *notice = vm->exportNotice();
    EXPECT_FALSE(notice->failed());
    EXPECT_EQ(notice->text(), QStringLiteral("Exported to ") + revealed.front());
    notice->reveal();
    EXPECT_EQ(revealed.size(), 2);
    notice->dismiss();
    EXPECT_TRUE(notice->text().isEmpty());
    // A Documents folder that cannot be made: the window says why, nothing is revealed.
    QDir(documents).removeRecursively();
    QFile blocker(documents);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    vm->exportDatabase();
    QCoreApplication::processEvents();
    EXPECT_TRUE(notice->failed());
    EXPECT_TRUE(notice->text().startsWith(QStringLiteral("Export failed: cannot create the folder")))
        << notice->text().toStdString();
    EXPECT_TRUE(notice->path().isEmpty());
    notice->reveal();
    EXPECT_EQ(revealed.size(), 2);
}
