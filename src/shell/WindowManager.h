#pragma once

#include "IdleIncubationController.h"
#include "ViewBuild.h"
#include "platform/TrayAvailability.h"
#include "platform/WindowPlatform.h"

#include <QHash>
#include <QSet>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class AppActions;
class ModelContext;
class PromptSearch;
class QAction;
class QMenu;
class QQmlEngine;
class QQuickView;
class QSystemTrayIcon;
class SpotlightPanel;
class UserDefaults;

// Owns every window of the program: the tray icon with its menu, the floating panel with the
// main view, and the auxiliary windows "Settings", "Account" and "Feedback".
class WindowManager : public QObject {
    Q_OBJECT

public:
    static constexpr const char *FrameKey = "VORNMainWindow";

    struct Services {
        std::unique_ptr<TrayAvailability> tray;
        std::unique_ptr<WindowPlatform> windows;
        UserDefaults *defaults = nullptr;
        ModelContext *context = nullptr; // the store the views show; may be absent in tests
    };

    // The process-wide instance, on the platform's services and DataController's store.
    static WindowManager *shared();
    // True once shared() has built the instance.
    static bool hasShared();

    explicit WindowManager(Services services, QObject *parent = nullptr);
    ~WindowManager() override;

    // The panel, built now when it has not been yet; a build started in idle time is finished now.
    SpotlightPanel *panel();
    // Starts building the panel a few objects at a time between the event loop's events.
    void buildPanelInIdleTime();
    bool hasPanel() const { return m_panel != nullptr; }
    // The search the panel's library keeps; null while the panel is not built.
    PromptSearch *librarySearch() const;
    QSystemTrayIcon *statusItem() const { return m_statusItem; }
    QMenu *menu() const { return m_menu.get(); }
    QAction *mainItem() const { return m_mainItem; }
    // The actions of the menu, whose keys work in the panel as well.
    AppActions *actions() const { return m_actions.get(); }
    QQuickView *auxWindow(const QString &name) const { return m_auxWindows.value(name); }
    // The engine of the panel and the auxiliary windows, made at its first use.
    QQmlEngine *engine();

    // The QML component shown in the auxiliary window of that name (a placeholder by default).
    void setAuxiliaryView(const QString &name, const QUrl &source);
    // "Version 1.0.0 (Build 7)", as the settings window shows it; "Unknown" for a missing part.
    static QString versionLine(const QString &version, const QString &build);

public Q_SLOTS:
    // Shows the panel above everything, focused, the search field taking the keys. Showing a
    // visible panel again just raises and focuses it.
    void showWindow(const QByteArray &activationToken = {});
    void menuBarClicked();
    void hidePanel();
    // Hides every window of the program, as the form's copy asks; the auxiliary windows come
    // back the next time the panel is shown.
    void hideApplication();
    void openSettings();
    void openFeedback();
    void openLogin();
    void quitApp();
    void handleHotKeyUpdate();
    // Runs task once the tray icon had its chance to be painted: when an embedding tray has
    // placed it (and the paint that follows is done), or after a short while when the icon is
    // not embedded (a StatusNotifier host, no tray at all). Start-up work that would hold the
    // icon back waits for this.
    void whenTrayShown(std::function<void()> task);

Q_SIGNALS:
    void trayIconReady();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenu();
    void createStatusItem();
    // Colours the tray glyph for the background it sits on; tries again while the tray has
    // not placed the icon yet.
    void matchTrayBackground(int attempts);
    void takeTrayColour();
    bool trayIconPlaced() const;
    void buildPanel(ViewBuild::Pace pace);
    void finishPanel(SpotlightPanel *view);
    void waitForTray(int attempts);
    void restoreFrame();
    void saveFrame();
    QQuickView *openAuxiliaryWindow(const QString &name);
    void onApplicationStateChanged(Qt::ApplicationState state);

    Services m_services;
    IdleIncubationController m_incubation; // outlives the engine, which refers to it
    std::unique_ptr<QQmlEngine> m_engine;
    std::unique_ptr<ViewBuild> m_panelBuild; // the panel's objects while they are made
    std::unique_ptr<AppActions> m_actions;
    std::unique_ptr<QMenu> m_menu;
    QSystemTrayIcon *m_statusItem = nullptr;
    QAction *m_mainItem = nullptr;
    SpotlightPanel *m_panel = nullptr;
    QHash<QString, QQuickView *> m_auxWindows;
    QSet<QQuickView *> m_hiddenWithApp;
    QHash<QString, QUrl> m_auxViews;
    QTimer m_frameSave;
    bool m_stickySet = false;
    // The token of a showing asked for while the library loads.
    std::optional<QByteArray> m_showAfterLoad;
    QList<std::function<void()>> m_afterTray;
    bool m_trayWaitStarted = false;
    bool m_panelActiveSinceShown = false;
    bool m_typingPrepared = false; // what the first key typed loads is loaded
};
