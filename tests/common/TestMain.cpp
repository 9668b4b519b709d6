#include <QApplication>
#include <QTemporaryDir>
#include <QDir>

#include <gtest/gtest.h>

// Every test run gets its own HOME and XDG folders, so nothing touches the user's data.
int main(int argc, char **argv)
{
    QTemporaryDir home(QDir::tempPath() + QStringLiteral("/vorn-test-XXXXXX"));
    if (!home.isValid())
        return 2;
    const QByteArray root = home.path().toUtf8();
    qputenv("HOME", root);
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME",
                             "XDG_RUNTIME_DIR"}) {
        const QByteArray dir = root + '/' + QByteArray(name).toLower();
        QDir().mkpath(QString::fromUtf8(dir));
        qputenv(name, dir);
    }
    QFile::setPermissions(QString::fromUtf8(root + "/xdg_runtime_dir"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A widget application, so tests of menus and the tray can run too.
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("vorn"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
