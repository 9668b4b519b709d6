#include "WindowManager.h"

#include "AppActions.h"
#include "DataController.h"
#include "Diagnostics.h"
#include "HotKeyManager.h"
#include "HotKeyNotifier.h"
#include "PanelController.h"
#include "PromptBrowserViewModel.h"
#include "ShellTrace.h"
#include "SpotlightPanel.h"
#include "SettingsViewModel.h"
#include "ShortcutText.h"
#include "StoreLog.h"
#include "TrayIcon.h"
#include "UserDefaults.h"
#include "platform/PlatformServices.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {
WindowManager *g_shared = nullptr;

const QString QmlBase = QStringLiteral("qrc:/qt/qml/Vorn/Shell/");

// How long start-up work waits for an embedding tray to place the icon: polled every
// TrayPollMs, TrayWaitAttempts times; once placed, TrayPaintMs more for its first paint.
// The glyph's colour waits longer for a tray to place it (TrayMatchAttempts polls).
constexpr int TrayPollMs = 10;
constexpr int TrayWaitAttempts = 30;
constexpr int TrayPaintMs = 20;
constexpr int TrayMatchAttempts = 300;

// The window names double as their ids; titleOf() gives the title the user reads.
QString titleOf(const QString &name)
{
    if (name == QLatin1String("Settings"))
        return WindowManager::tr("Settings");
    if (name == QLatin1String("Account"))
        //: Title of the sign-in window.
        return WindowManager::tr("Account");
    if (name == QLatin1String("Feedback"))
        return WindowManager::tr("Feedback");
    return name;
}

// The tray menu in the panel's dark look and type (a StatusNotifier host draws the menu in
// the desktop's own theme instead).
const char *const MenuStyle = R"(
QMenu { background: #25252c; color: #f2f2f5; border: 1px solid #3b3b44; padding: 4px;
        font-family: "Inter"; font-size: 13px; } /* untranslated: style sheet */
QMenu::item { padding: 5px 24px 5px 14px; border-radius: 5px; }
QMenu::item:selected { background: #5e5ce6; color: #ffffff; }
QMenu::item:disabled { color: #8e8e98; background: transparent; }
QMenu::separator { height: 1px; background: #3b3b44; margin: 4px 8px; }
)";

// Tooltips in the windows' dark look rather than the toolkit's light default. The window's
// palette is the one every control and popup in it inherits.
void useDarkToolTips(QQuickWindow *window)
{
    if (auto *palette = window->property("palette").value<QObject *>()) {
        palette->setProperty("toolTipBase", QColor(0x2a, 0x2a, 0x33));
        palette->setProperty("toolTipText", QColor(Qt::white));
    }
}
} // namespace

WindowManager *WindowManager::shared()
{
    if (!g_shared) {
        Services services;
        services.tray = PlatformServices::createTrayAvailability();
        services.windows = PlatformServices::createWindowPlatform();
        services.defaults = UserDefaults::standard();
        services.context = DataController::shared()->mainContext();
        g_shared = new WindowManager(std::move(services));
    }
    return g_shared;
}

bool WindowManager::hasShared()
{
    return g_shared != nullptr;
}

WindowManager::WindowManager(Services services, QObject *parent)
    : QObject(parent), m_services(std::move(services))
{
    m_auxViews = {{QStringLiteral("Settings"), QmlBase + QStringLiteral("AuxiliaryView.qml")}, // untranslated: ids
                  {QStringLiteral("Account"), QmlBase + QStringLiteral("AuxiliaryView.qml")},  // untranslated: ids
                  {QStringLiteral("Feedback"), QmlBase + QStringLiteral("AuxiliaryView.qml")}}; // untranslated: ids
    buildMenu();
    // The tray host may come later than the app (autostart), or never.
    connect(m_services.tray.get(), &TrayAvailability::availabilityChanged, this, [this](bool available) {
        if (available && !m_statusItem)
            createStatusItem();
    });
    if (m_services.tray->isAvailable())
        createStatusItem();
    else
        StoreLog::line(lcShell(), QStringLiteral("No system tray found; VORN keeps running without its icon (the shortcut "
                                      "and \"vorn show\" open the panel). The icon appears when a tray starts."));

    // The panel is built later (in idle time, or at the first showing): the icon and the
    // command socket come first.
    connect(HotKeyNotifier::shared(), &HotKeyNotifier::hotKeyUpdated, this, &WindowManager::handleHotKeyUpdate);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, &WindowManager::onApplicationStateChanged);
}

WindowManager::~WindowManager()
{
    qDeleteAll(m_auxWindows);
    m_panelBuild.reset(); // a build still under way is given up
    delete m_panel;
    delete m_statusItem;
    if (g_shared == this)
        g_shared = nullptr;
}

QString WindowManager::versionLine(const QString &version, const QString &build)
{
    // The settings window shows the same line.
    return SettingsViewModel::versionLine(version, build);
}

void WindowManager::buildMenu()
{
    using Id = AppActions::Id;
    m_actions = std::make_unique<AppActions>();
    connect(m_actions->action(Id::ShowPanel), &QAction::triggered, this, [this] { showWindow(); });
    connect(m_actions->action(Id::Settings), &QAction::triggered, this, &WindowManager::openSettings);
    connect(m_actions->action(Id::Feedback), &QAction::triggered, this, &WindowManager::openFeedback);
    connect(m_actions->action(Id::Login), &QAction::triggered, this, &WindowManager::openLogin);
    connect(m_actions->action(Id::Quit), &QAction::triggered, this, &WindowManager::quitApp);

    m_menu = std::make_unique<QMenu>();
    m_menu->setStyleSheet(QLatin1String(MenuStyle));
    m_mainItem = m_actions->action(Id::ShowPanel);
    m_menu->addAction(m_mainItem);
    handleHotKeyUpdate();
    m_menu->addSeparator();
    m_menu->addAction(m_actions->action(Id::Settings));
    m_menu->addAction(m_actions->action(Id::Feedback));
    m_menu->addAction(m_actions->action(Id::Login));
    m_menu->addSeparator();
    QAction *version = m_menu->addAction(versionLine(QStringLiteral(VORN_VERSION), QStringLiteral(VORN_BUILD_NUMBER)));
    version->setEnabled(false);
    m_menu->addSeparator();
    m_menu->addAction(m_actions->action(Id::Quit));
}

bool WindowManager::eventFilter(QObject *watched, QEvent *event)
{
    // The menu's keys work in the panel and the auxiliary windows too; in the panel the
    // settings open as its own sheet.
    const bool ours = watched == m_panel || std::find(m_auxWindows.cbegin(), m_auxWindows.cend(), watched) != m_auxWindows.cend();
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (watched == m_panel && key && m_services.windows->isTypingPreparation(*static_cast<QKeyEvent *>(event)))
        return true;
    if (ours && event->type() == QEvent::KeyPress) {
        if (QAction *action = m_actions->forKey(*static_cast<QKeyEvent *>(event))) {
            if (watched == m_panel && m_actions->idOf(action) == AppActions::Id::Settings)
                PanelController::instance()->requestSettings();
            else
                action->trigger();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowManager::createStatusItem()
{
    m_statusItem = new QSystemTrayIcon(this);
    // Most panels are dark; an embedding tray is looked at once the icon sits in it.
    m_statusItem->setIcon(TrayIcon::glyph(TrayIcon::glyphColorFor(Qt::black)));
    m_statusItem->setToolTip(tr("VORN Prompt Manager"));
    m_statusItem->setContextMenu(m_menu.get());
    connect(m_statusItem, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            menuBarClicked();
    });
    m_statusItem->show();
    // A StatusNotifier host has no place on screen for the icon and draws the theme's icon,
    // where installed, in its panel's own colours. The theme is looked up only for such a
    // host (the look-up walks every folder of the icon theme), before it first asks for the icon.
    if (m_statusItem->geometry().isEmpty()) {
        const QIcon themed = TrayIcon::themed();
        if (!themed.isNull())
            m_statusItem->setIcon(themed);
    }
    ShellTrace::mark("tray icon ready");
    Q_EMIT trayIconReady();
    matchTrayBackground(TrayMatchAttempts);
}

bool WindowManager::trayIconPlaced() const
{
    // Until an embedding tray has taken the icon in, Qt reports it at the screen's origin.
    const QRect cell = m_statusItem ? m_statusItem->geometry() : QRect();
    return !cell.isEmpty() && cell.topLeft() != QPoint(0, 0);
}

void WindowManager::matchTrayBackground(int attempts)
{
    // An XEmbed tray draws the icon's pixels as they are: take the glyph's colour from the
    // tray's own background around it, once the tray has placed the icon and painted there.
    // A StatusNotifier icon has no place on screen to look at.
    if (!m_statusItem || attempts <= 0)
        return;
    if (!trayIconPlaced()) {
        QTimer::singleShot(TrayPollMs, this, [this, attempts] { matchTrayBackground(attempts - 1); });
        return;
    }
    QTimer::singleShot(TrayPaintMs, this, &WindowManager::takeTrayColour);
}

void WindowManager::takeTrayColour()
{
    const QRect cell = m_statusItem ? m_statusItem->geometry() : QRect();
    QScreen *screen = cell.isEmpty() ? nullptr : QGuiApplication::screenAt(cell.center());
    if (!screen)
        return;
    const QRect local = cell.translated(-screen->geometry().topLeft());
    const QImage shot = screen->grabWindow(0, local.x(), local.y(), local.width(), local.height()).toImage();
    const QColor background = TrayIcon::backgroundOf(shot);
    if (!background.isValid())
        return;
    m_statusItem->setIcon(TrayIcon::glyph(TrayIcon::glyphColorFor(background)));
    ShellTrace::mark("tray icon matched");
}

PromptSearch *WindowManager::librarySearch() const
{
    QQuickItem *root = m_panel ? m_panel->rootObject() : nullptr;
    const auto *browser = root ? root->findChild<PromptBrowserViewModel *>() : nullptr;
    return browser ? browser->librarySearch() : nullptr;
}

SpotlightPanel *WindowManager::panel()
{
    if (!m_panel && !m_panelBuild)
        buildPanel(ViewBuild::Pace::AtOnce);
    else if (!m_panel)
        m_panelBuild->finishNow(); // started in idle time: what is left is done now
    return m_panel;
}

void WindowManager::buildPanelInIdleTime()
{
    if (!m_panel && !m_panelBuild)
        buildPanel(ViewBuild::Pace::InSteps);
}

void WindowManager::whenTrayShown(std::function<void()> task)
{
    m_afterTray.append(std::move(task));
    if (!m_trayWaitStarted) {
        m_trayWaitStarted = true;
        waitForTray(TrayWaitAttempts);
    }
}

void WindowManager::waitForTray(int attempts)
{
    const bool placed = trayIconPlaced();
    if (!placed && attempts > 0) {
        QTimer::singleShot(TrayPollMs, this, [this, attempts] { waitForTray(attempts - 1); });
        return;
    }
    // Placed: the tray maps the icon and asks for its paint next; let that go first.
    QTimer::singleShot(placed ? TrayPaintMs : 0, this, [this] {
        const QList<std::function<void()>> tasks = std::exchange(m_afterTray, {});
        for (const std::function<void()> &task : tasks)
            task();
    });
}

QQmlEngine *WindowManager::engine()
{
    if (!m_engine) {
        m_engine = std::make_unique<QQmlEngine>();
        m_engine->addImportPath(QStringLiteral("qrc:/qt/qml"));
        // Set before any view is made, which would install its window's own: that one makes
        // objects only between the frames of a window on screen.
        m_engine->setIncubationController(&m_incubation);
    }
    return m_engine.get();
}

void WindowManager::buildPanel(ViewBuild::Pace pace)
{
    ShellTrace::mark("panel build");
    PanelController *controller = PanelController::instance();
    controller->setModelContext(m_services.context);
    connect(controller, &PanelController::hideRequested, this, &WindowManager::hidePanel);
    connect(controller, &PanelController::hideApplicationRequested, this, &WindowManager::hideApplication);
    connect(controller, &PanelController::moveRequested, this, [this] { m_panel->startSystemMove(); });

    // Made in steps, the view's objects come a few at a time between the loop's events.
    auto *view = new SpotlightPanel(engine());
    m_panelBuild = std::make_unique<ViewBuild>(view, QUrl(QmlBase + QStringLiteral("MainView.qml")), pace,
                                               [this, view](const QList<QQmlError> &errors) {
        for (const QQmlError &error : errors)
            StoreLog::warning(lcShell(), QStringLiteral("VORN: the panel view failed to load: ") + error.toString());
        finishPanel(view);
    });
}

void WindowManager::finishPanel(SpotlightPanel *view)
{
    m_panel = view;
    m_panel->installEventFilter(this);
    useDarkToolTips(m_panel);
    restoreFrame();
    ShellTrace::mark("panel built");

    m_frameSave.setSingleShot(true);
    m_frameSave.setInterval(400);
    connect(&m_frameSave, &QTimer::timeout, this, &WindowManager::saveFrame);
    for (auto signal : {&QWindow::xChanged, &QWindow::yChanged, &QWindow::widthChanged, &QWindow::heightChanged})
        connect(m_panel, signal, this, [this] {
            if (m_panel->isVisible())
                m_frameSave.start();
        });
    connect(m_panel, &QWindow::activeChanged, this, [this] {
        if (!m_panel->isActive())
            return;
        m_panelActiveSinceShown = true;
        if (!m_typingPrepared) {
            m_typingPrepared = true;
            // Once the search field has the keys.
            QTimer::singleShot(0, this, [this] { m_services.windows->prepareTyping(m_panel); });
        }
    });
}

void WindowManager::restoreFrame()
{
    const QRect saved = m_services.defaults->value(QLatin1String(FrameKey)).toRect();
    // A frame saved on a monitor that is gone would put the panel out of reach.
    bool onScreen = false;
    for (QScreen *screen : QGuiApplication::screens())
        onScreen = onScreen || screen->availableGeometry().intersects(saved);
    if (saved.isValid() && onScreen) {
        m_panel->setGeometry(saved);
        return;
    }
    m_panel->resize(SpotlightPanel::DefaultWidth, SpotlightPanel::DefaultHeight);
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), m_panel->size());
        frame.moveCenter(screen->availableGeometry().center());
        m_panel->setPosition(frame.topLeft());
    }
}

void WindowManager::saveFrame()
{
    m_services.defaults->setValue(QLatin1String(FrameKey), m_panel->geometry());
}

void WindowManager::showWindow(const QByteArray &activationToken)
{
    // The panel shows the library: asked for while the library loads, it shows as soon as
    // the library is in (once, with the latest request's token).
    DataController *data = DataController::shared();
    if (data->isLoading()) {
        const bool queued = m_showAfterLoad.has_value();
        m_showAfterLoad = activationToken;
        if (!queued)
            data->whenLoaded([self = QPointer<WindowManager>(this)] {
                if (self)
                    self->showWindow(std::exchange(self->m_showAfterLoad, std::nullopt).value_or(QByteArray()));
            });
        return;
    }
    // A shortcut pressed before the idle-time build shows the panel as soon as it is built.
    panel();
    m_panel->setFlags(m_panel->flags() | Qt::WindowStaysOnTopHint);
    // A compositing manager may have come or gone since the last showing.
    const bool translucent = m_services.windows->hasCompositor();
    PanelController::instance()->setTranslucent(translucent);
    m_panel->setColor(translucent ? QColor(Qt::transparent) : SpotlightPanel::opaqueColor());
    // Windows hidden with the application come back with it, under the panel.
    for (QQuickView *window : std::as_const(m_auxWindows))
        if (m_hiddenWithApp.contains(window))
            window->show();
    if (!m_panel->isVisible())
        m_panelActiveSinceShown = false;
    m_panel->show();
    if (!m_stickySet) {
        m_services.windows->setOnAllDesktops(m_panel);
        m_stickySet = true;
    }
    m_services.windows->activate(m_panel, activationToken);
    PanelController::instance()->notifyShown();
}

void WindowManager::menuBarClicked()
{
    showWindow();
}

void WindowManager::hidePanel()
{
    if (!m_panel)
        return;
    m_frameSave.stop();
    if (m_panel->isVisible())
        saveFrame();
    m_panel->hide();
}

void WindowManager::hideApplication()
{
    hidePanel();
    for (QQuickView *window : std::as_const(m_auxWindows))
        if (window->isVisible()) {
            m_hiddenWithApp.insert(window);
            window->hide();
        }
}

void WindowManager::onApplicationStateChanged(Qt::ApplicationState state)
{
    // Only a panel that had the focus gives way when another program takes it: the focus-out
    // of the previous showing can arrive after a quick new showing, before its focus-in.
    if (state != Qt::ApplicationActive && m_panel && m_panel->isVisible() && m_panelActiveSinceShown)
        hidePanel();
}

void WindowManager::openSettings()
{
    openAuxiliaryWindow(QStringLiteral("Settings")); // untranslated: id
}

void WindowManager::openFeedback()
{
    openAuxiliaryWindow(QStringLiteral("Feedback")); // untranslated: id
}

void WindowManager::openLogin()
{
    openAuxiliaryWindow(QStringLiteral("Account")); // untranslated: id
}

void WindowManager::quitApp()
{
    QCoreApplication::quit();
}

void WindowManager::handleHotKeyUpdate()
{
    // The global shortcut is not the menu's own key, so it is shown, not set.
    m_mainItem->setText(m_actions->text(AppActions::Id::ShowPanel) + QLatin1Char('\t')
                        + ShortcutText::of(HotKeyManager::configuredLetter(m_services.defaults)));
}

void WindowManager::setAuxiliaryView(const QString &name, const QUrl &source)
{
    m_auxViews.insert(name, source);
}

QQuickView *WindowManager::openAuxiliaryWindow(const QString &name)
{
    if (QQuickView *existing = m_auxWindows.value(name)) {
        existing->show();
        m_services.windows->activate(existing, {});
        return existing;
    }
    auto *window = new QQuickView(engine(), nullptr);
    window->setTitle(titleOf(name));
    window->setFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint
                     | Qt::WindowStaysOnTopHint);
    window->setColor(QColor(30, 30, 34));
    useDarkToolTips(window);
    window->setResizeMode(QQuickView::SizeRootObjectToView);
    window->installEventFilter(this);
    window->setInitialProperties({{QStringLiteral("windowName"), name}});
    window->setSource(m_auxViews.value(name));
    // Fixed sizes, as the views are laid out for them.
    static const QHash<QString, QSize> sizes{{QStringLiteral("Settings"), QSize(550, 600)}, // untranslated: ids
                                             {QStringLiteral("Feedback"), QSize(500, 700)}, // untranslated: ids
                                             {QStringLiteral("Account"), QSize(420, 520)}}; // untranslated: ids
    const QSize size = sizes.value(name, QSize(500, 500));
    window->setMinimumSize(size);
    window->setMaximumSize(size);
    window->resize(size);
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), window->size());
        frame.moveCenter(screen->availableGeometry().center());
        window->setPosition(frame.topLeft());
    }
    // A closed window is forgotten and destroyed; asking again builds a fresh one. Apart from
    // hiding the whole application, nothing else hides these windows, so becoming invisible
    // means closed.
    connect(window, &QWindow::visibleChanged, this, [this, window, name](bool visible) {
        if (visible)
            m_hiddenWithApp.remove(window);
        if (visible || m_hiddenWithApp.contains(window))
            return;
        if (m_auxWindows.value(name) == window)
            m_auxWindows.remove(name);
        window->deleteLater();
    });
    m_auxWindows.insert(name, window);
    window->show();
    m_services.windows->activate(window, {});
    return window;
}
