#include "SyncSettingsViewModel.h"

#include "DataController.h"
#include "JournalCodec.h"
#include "SyncEngine.h"
#include "SyncFolder.h"
#include "TestSupport.h"
#include "UserDefaults.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSignalSpy>
#include <QThread>
#include <QTimeZone>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace {
const QString Other = QStringLiteral("0d5e7c1a-3b2f-4c6d-9e8f-a1b2c3d4e5f6");

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

// Runs the event loop until the condition holds or a few seconds passed.
template <class Condition> bool waitFor(Condition condition)
{
    QDeadlineTimer deadline(3000);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return true;
}

// A library in memory with its sync files, over the test's own settings file.
class SyncSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = TestSupport::freshDir(
            QString::fromLatin1(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        folder = dir + QStringLiteral("/Shared");
        QDir().mkpath(folder);
        defaults = std::make_unique<UserDefaults>(dir + QStringLiteral("/vorn.ini"));
        previous = UserDefaults::standard();
        UserDefaults::setStandard(defaults.get());
        data = std::make_unique<DataController>(DataController::Options{
            .storePath = {}, .documentsDir = dir, .inMemory = true, .lockWaitMs = 0,
            .syncDir = dir + QStringLiteral("/sync")});
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
    // Another device's journal, as the sync tool delivers it.
    void deliver(const QString &name, qint64 wall)
    {
        SyncJournal journal;
        journal.device = Other;
        journal.name = name;
        journal.written = wall;
        journal.records.append({{wall, 0, Other}, QStringLiteral("attr"),
                                QStringLiteral("A1B2C3D4-0000-4000-8000-000000000001"), QStringLiteral("favorite"), true});
        QString error;
        ASSERT_TRUE(SyncFolder::writeAtomically(QDir(folder).filePath(SyncFolder::journalName(Other)),
                                                JournalCodec::encode(journal), &error))
            << error.toStdString();
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

TEST_F(SyncSettings, OffUntilAFolderIsChosenAndABadChoiceChangesNothing)
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
    settle();
    EXPECT_GE(changed.count(), 1);
    EXPECT_TRUE(vm->isOn());
    EXPECT_EQ(vm->folder(), folder);
    EXPECT_EQ(vm->dialogFolder(), QUrl::fromLocalFile(folder));
    EXPECT_EQ(ownJournal().device, defaults->string(SyncEngine::DeviceIdKey)) << "this device's file is in the folder";
    EXPECT_TRUE(vm->devices().isEmpty());
    vm->syncNow();
    EXPECT_EQ(vm->message(), QStringLiteral("Synced. No other device has written to the folder yet."));

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
    deliver(QStringLiteral("Desktop"), wall);
    QSignalSpy changed(vm.get(), &SyncSettingsViewModel::changed);
    vm->syncNow();
    EXPECT_GE(changed.count(), 1);
    EXPECT_EQ(vm->message(), QStringLiteral("Synced with 1 other device."));

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QVariantList devices = vm->devices();
    ASSERT_EQ(devices.size(), 1);
    QVariantMap device = devices.front().toMap();
    EXPECT_EQ(device.value("name").toString(), QStringLiteral("Desktop"));
    EXPECT_EQ(device.value("id").toString(), Other);
    EXPECT_TRUE(device.value("lastChange").toString().startsWith(QStringLiteral("05.03.24")))
        << device.value("lastChange").toString().toStdString();

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    device = vm->devices().front().toMap();
    EXPECT_TRUE(device.value("lastChange").toString().startsWith(QStringLiteral("3/5/24")))
        << device.value("lastChange").toString().toStdString();

    // A newer change of that device and a new name show at the next look.
    deliver(QStringLiteral("Studio"), wall + 24 * 3600 * 1000);
    vm->syncNow();
    device = vm->devices().front().toMap();
    EXPECT_EQ(device.value("name").toString(), QStringLiteral("Studio"));
    EXPECT_TRUE(device.value("lastChange").toString().startsWith(QStringLiteral("3/6/24")));
}

TEST_F(SyncSettings, TheDeviceNameReachesTheOtherDevicesAndFallsBackToTheHostName)
{
    ASSERT_TRUE(vm->chooseFolder(QUrl::fromLocalFile(folder)));
    settle();
    EXPECT_EQ(ownJournal().name, SyncSettingsViewModel::hostName());

    QSignalSpy changed(vm.get(), &SyncSettingsViewModel::changed);
    vm->setDeviceName(QStringLiteral("  Laptop   upstairs "));
    EXPECT_GE(changed.count(), 1);
    EXPECT_EQ(vm->deviceName(), QStringLiteral("Laptop upstairs"));
    // Written with the next turn of the settings' flush.
    EXPECT_TRUE(waitFor([&] { return ownJournal().name == QStringLiteral("Laptop upstairs"); }))
        << ownJournal().name.toStdString();

    vm->setDeviceName(QStringLiteral("   "));
    EXPECT_FALSE(defaults->contains(SyncEngine::DeviceNameKey));
    EXPECT_EQ(vm->deviceName(), SyncSettingsViewModel::hostName());
    EXPECT_TRUE(waitFor([&] { return ownJournal().name == SyncSettingsViewModel::hostName(); }))
        << ownJournal().name.toStdString();
}
