#include "SyncSettingsViewModel.h"

#include "DataController.h"
#include "Fakes.h"
#include "SyncEngine.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QSignalSpy>
#include <QTest>
#include <QTimeZone>
#include <QUrl>

namespace {
const QString Other = QStringLiteral("0d5e7c1a-3b2f-4c6d-9e8f-a1b2c3d4e5f6");

// A library in memory with its sync files, over the test's own settings file.
class SyncSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = TestSupport::freshDir(QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        folder = dir + QStringLiteral("/Shared");
        QDir().mkpath(folder);
        defaults = std::make_unique<UserDefaults>(dir + QStringLiteral("/vorn.ini"));
        previous = UserDefaults::standard();
        UserDefaults::setStandard(defaults.get());
        data = std::make_unique<DataController>(DataController::Options{
            .storePath = {}, .documentsDir = dir, .inMemory = true, .lockWaitMs = 0, .syncDir = dir + QStringLiteral("/sync")});
        ASSERT_TRUE(data->setUp());
        vm = std::make_unique<SyncSettingsViewModel>(data.get(), defaults.get());
    }
    void TearDown() override
    {
        vm.reset();
        data->closeStore();
        data.reset();
        UserDefaults::setStandard(previous);
        QLocale::setDefault(QLocale::c());
    }
    // The header of this device's journal in the folder.
    SyncJournal ownJournal() const
    {
        QFile file(QDir(folder).filePath(SyncFolder::journalName(defaults->string(SyncEngine::DeviceIdKey))));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return JournalCodec::decode(file.readAll()).journal;
    }

    QString dir;
    QString folder;
    std::unique_ptr<UserDefaults> defaults;
    UserDefaults *previous = nullptr;
    std::unique_ptr<DataController> data;
    std::unique_ptr<SyncSettingsViewModel> vm;
};
} // namespace

// Off at first; a bad folder changes nothing; a good one writes this device's journal under its
// name, which falls back to the host name.
TEST_F(SyncSettings, OffUntilAFolderIsChosenAndTheDeviceNameReachesTheFolder)
{
    EXPECT_FALSE(vm->isOn());
    EXPECT_EQ(vm->folderText(), QStringLiteral("Off"));
    EXPECT_EQ(vm->dialogFolder(), QUrl::fromLocalFile(QDir::homePath()));
    EXPECT_TRUE(vm->devices().isEmpty());
    EXPECT_EQ(vm->deviceName(), SyncSettingsViewModel::hostName());
    vm->syncNow();
    EXPECT_EQ(vm->message(), QStringLiteral("Choose a folder first."));

    EXPECT_FALSE(vm->chooseFolder(QUrl::fromLocalFile(dir + QStringLiteral("/missing"))));
    EXPECT_TRUE(vm->message().contains(QStringLiteral("is not a folder")));
    QFile plain(dir + QStringLiteral("/plain.txt"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_FALSE(vm->chooseFolder(QUrl::fromLocalFile(plain.fileName())));
    EXPECT_FALSE(vm->isOn());
    EXPECT_FALSE(defaults->contains(SyncEngine::FolderKey));
    EXPECT_EQ(data->syncEngine(), nullptr);

    QSignalSpy changed(vm.get(), &SyncSettingsViewModel::changed);
    EXPECT_TRUE(vm->chooseFolder(QUrl::fromLocalFile(folder)));
    for (int i = 0; i < 5; ++i) // the journal is written on a later turn of the loop
        QCoreApplication::processEvents();
    EXPECT_GE(changed.count(), 1);
    EXPECT_TRUE(vm->isOn());
    EXPECT_EQ(vm->folder(), folder);
    EXPECT_EQ(vm->dialogFolder(), QUrl::fromLocalFile(folder));
    EXPECT_EQ(ownJournal().device, defaults->string(SyncEngine::DeviceIdKey)) << "this device's file is in the folder";
    EXPECT_EQ(ownJournal().name, SyncSettingsViewModel::hostName());
    EXPECT_TRUE(vm->devices().isEmpty());
    vm->syncNow();
    EXPECT_EQ(vm->message(), QStringLiteral("Synced. No other device has written to the folder yet."));

    changed.clear();
    vm->setDeviceName(QStringLiteral("  Laptop   upstairs "));
    EXPECT_GE(changed.count(), 1);
    EXPECT_EQ(vm->deviceName(), QStringLiteral("Laptop upstairs"));
    // Written with the next turn of the settings' flush.
    EXPECT_TRUE(QTest::qWaitFor([&] { return ownJournal().name == QStringLiteral("Laptop upstairs"); }))
        << ownJournal().name.toStdString();
    vm->setDeviceName(QStringLiteral("   "));
    EXPECT_FALSE(defaults->contains(SyncEngine::DeviceNameKey));
    EXPECT_EQ(vm->deviceName(), SyncSettingsViewModel::hostName());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ownJournal().name == SyncSettingsViewModel::hostName(); }))
        << ownJournal().name.toStdString();

    vm->turnOff();
    EXPECT_FALSE(vm->isOn());
    EXPECT_EQ(vm->folderText(), QStringLiteral("Off"));
    EXPECT_FALSE(defaults->contains(SyncEngine::FolderKey));
}

// The command line goes through the running app: its changes reach an open settings view.
TEST_F(SyncSettings, FollowsFolderChangesMadeElsewhereFromBeforeSyncExisted)
{
    QSignalSpy changed(vm.get(), &SyncSettingsViewModel::changed);
    ASSERT_NE(data->enableSync(folder), nullptr);
    EXPECT_GE(changed.count(), 1);
    EXPECT_TRUE(vm->isOn());
    EXPECT_EQ(vm->folder(), folder);

    const QString other = dir + QStringLiteral("/Elsewhere");
    QDir().mkpath(other);
    changed.clear();
    data->syncEngine()->setFolder(other);
    EXPECT_GE(changed.count(), 1);
    EXPECT_EQ(vm->folderText(), QDir::toNativeSeparators(other));

    data->syncEngine()->setFolder({});
    EXPECT_FALSE(vm->isOn());
    // The store closes (the app quits): nothing is left pointing at the ended sync.
    data->closeStore();
    EXPECT_FALSE(vm->isOn());
    EXPECT_TRUE(vm->devices().isEmpty());
}

TEST_F(SyncSettings, OtherDevicesShowWithTheirLastChangeInTheUsersLocale)
{
    ASSERT_TRUE(vm->chooseFolder(QUrl::fromLocalFile(folder)));
    // Noon UTC: the same day in every time zone the test may run in.
    const qint64 wall = QDateTime(QDate(2024, 3, 5), QTime(12, 0), QTimeZone::utc()).toMSecsSinceEpoch();
    ASSERT_TRUE(deliverJournal(folder, Other, QStringLiteral("Desktop"), wall));
    QSignalSpy changed(vm.get(), &SyncSettingsViewModel::changed);
    vm->syncNow();
    EXPECT_GE(changed.count(), 1);
    EXPECT_EQ(vm->message(), QStringLiteral("Synced with 1 other device."));

    const auto device = [&](const char *key) { return vm->devices().value(0).toMap().value(key).toString(); };
    ASSERT_EQ(vm->devices().size(), 1);
    EXPECT_EQ(device("name"), QStringLiteral("Desktop"));
    EXPECT_EQ(device("id"), Other);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(device("lastChange").startsWith(QStringLiteral("05.03.24"))) << device("lastChange").toStdString();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_TRUE(device("lastChange").startsWith(QStringLiteral("3/5/24"))) << device("lastChange").toStdString();
    // A newer change of that device and a new name show at the next look.
    ASSERT_TRUE(deliverJournal(folder, Other, QStringLiteral("Studio"), wall + 24 * 3600 * 1000));
    vm->syncNow();
    EXPECT_EQ(device("name"), QStringLiteral("Studio"));
    EXPECT_TRUE(device("lastChange").startsWith(QStringLiteral("3/6/24"))) << device("lastChange").toStdString();
}
