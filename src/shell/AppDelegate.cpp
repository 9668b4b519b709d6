#include "AppDelegate.h"

#include "DataController.h"
#include "HotKeyManager.h"
#include "ModelContext.h"
#include "ShellSettingsServices.h"
#include "UserDefaults.h"
#include "WindowManager.h"
#include "platform/PlatformServices.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <malloc.h>

bool AppDelegate::applicationDidFinishLaunching(QString *error)
{
    DataController *data = DataController::shared();
    const bool opened = data->setUp(error);
    std::shared_ptr<FileRevealer> revealer = PlatformServices::createFileRevealer();
    data->setRevealer([revealer](const QString &path) { revealer->reveal(path); });

    ShellSettingsServices::install();
    // Made once at start, the login item takes over the entry an earlier version wrote.
    PlatformServices::createLoginItemService();
    WindowManager *windows = WindowManager::shared();
    // The tray icon is painted first; then, in idle time, the library is brought up to date
    // and the panel built, so that its first showing is quick. A shortcut pressed before
    // then builds the panel at once. A library that could not be opened is not filled with
    // the shipped one as if it were new.
    windows->whenTrayShown([data, windows, opened] {
        if (opened) {
            // Decoding and syncing the seed files leaves freed heap behind; give it back.
            data->startupLoadInBackground([](const ActionOutcome &) { ::malloc_trim(0); });
        }
        QTimer::singleShot(0, windows, [windows] { windows->panel(); });
    });

    HotKeyManager *hotKeys = HotKeyManager::shared();
    connect(hotKeys, &HotKeyManager::pressed, windows, &WindowManager::showWindow);
    hotKeys->registerHotKey();
    connect(qApp, &QCoreApplication::aboutToQuit, this, &AppDelegate::applicationWillTerminate);
    return true;
}

void AppDelegate::applicationWillTerminate()
{
    ModelContext *context = DataController::shared()->mainContext();
    m_finalSaveSucceeded = DataController::shared()->closeStore();
    if (!m_finalSaveSucceeded)
        std::fprintf(stderr, "VORN: changes to the library could not be saved (%s) and are lost.\n",
                     context->saveError().toLocal8Bit().constData());
    UserDefaults::standard()->sync();
}
