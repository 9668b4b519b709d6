#include "AppDelegate.h"

#include "BrowserSections.h"
#include "DataController.h"
#include "HotKeyManager.h"
#include "ListingCache.h"
#include "ModelContext.h"
#include "PromptSearch.h"
#include "Diagnostics.h"
#include "ShellSettingsServices.h"
#include "UserDefaults.h"
#include "WindowManager.h"
#include "platform/PlatformServices.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <malloc.h>

bool AppDelegate::applicationDidFinishLaunching(QString *error)
{
    Q_UNUSED(error)
    DataController *data = DataController::shared();
    // The library loads on a worker while the event loop runs: the tray icon paints and the
    // socket answers meanwhile. What needs the library waits for it.
    auto opened = std::make_shared<bool>(false);
    data->setUpInBackground([opened](bool ok, const QString &problem) {
        *opened = ok;
        if (!problem.isEmpty())
            qCWarning(lcShell).noquote() << "VORN:" << problem;
    });
    std::shared_ptr<FileRevealer> revealer = PlatformServices::createFileRevealer();
    data->setRevealer([revealer](const QString &path) { revealer->reveal(path); });

    ShellSettingsServices::install();
    // Made once at start, the login item takes over the entry an earlier version wrote.
    PlatformServices::createLoginItemService();
    WindowManager *windows = WindowManager::shared();
    // The tray icon is painted first; then, in idle time once the library is in, it is
    // brought up to date and the panel built, so that its first showing is quick. A shortcut
    // pressed before then shows the panel as soon as the library is in. A library that could
    // not be opened is not filled with the shipped one as if it were new.
    windows->whenTrayShown([data, windows, opened] {
        const QIcon themed = QIcon::fromTheme(QStringLiteral(VORN_APP_ID));
        if (!themed.isNull())
            QGuiApplication::setWindowIcon(themed);
        data->whenLoaded([data, windows, opened] {
            if (*opened) {
                // Decoding and syncing the seed files leaves freed heap behind; give it back.
                data->startupLoadInBackground([](const ActionOutcome &) { ::malloc_trim(0); });
            }
            // The titles' order is worked out on another thread first: on this one, a large
            // library's would hold the event loop for a good part of a second.
            QTimer::singleShot(0, windows, [data, windows] {
                BrowserSections::prepareTitles(*data->mainContext(), windows, [windows] { windows->buildPanelInIdleTime(); });
            });
        });
    });

    HotKeyManager *hotKeys = HotKeyManager::shared();
    connect(hotKeys, &HotKeyManager::pressed, windows, &WindowManager::showWindow);
    hotKeys->registerHotKey();
    connect(qApp, &QCoreApplication::aboutToQuit, this, &AppDelegate::applicationWillTerminate);
    return true;
}

void AppDelegate::applicationWillTerminate()
{
    DataController *data = DataController::shared();
    ModelContext *context = data->mainContext();
    // Saved first, so that the library's search describes the store as saved for the listing
    // without the app.
    if (context->save() && WindowManager::hasShared())
        if (PromptSearch *search = WindowManager::shared()->librarySearch())
            ListingCache::keep(*search, *context, data->storePath());
    m_finalSaveSucceeded = data->closeStore();
    if (!m_finalSaveSucceeded)
        std::fprintf(stderr, "VORN: changes to the library could not be saved (%s) and are lost.\n",
                     context->saveError().toLocal8Bit().constData());
    UserDefaults::standard()->sync();
}
