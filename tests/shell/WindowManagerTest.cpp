#include "AppActions.h"
#include "DataController.h"
#include "HotKeyNotifier.h"
#include "FormViewModel.h"
#include "MainViewModel.h"
#include "PromptBrowserViewModel.h"
#include "ModelContext.h"
#include "PanelController.h"
#include "SettingsViewModel.h"
#include "Prompt.h"
#include "SpotlightPanel.h"
#include "StoreLog.h"
#include "TestSupport.h"
#include "UserDefaults.h"
#include "WindowManager.h"
#include "fakes/FakePlatform.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QQuickItem>
#include <QQuickView>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

namespace {
struct Shell {
    explicit Shell(UserDefaults *defaults, bool trayAvailable = true, ModelContext *context = nullptr)
    {
        WindowManager::Services services;
        auto trayOwned = std::make_unique<FakeTray>(trayAvailable);
        tray = trayOwned.get();
        auto windowsOwned = std::make_unique<FakeWindowPlatform>();
        windows = windowsOwned.get();
        services.tray = std::move(trayOwned);
        services.windows = std::move(windowsOwned);
        services.defaults = defaults;
        services.context = context;
        manager = std::make_unique<WindowManager>(std::move(services));
    }
    FakeTray *tray;
    FakeWindowPlatform *windows;
    std::unique_ptr<WindowManager> manager;
};

struct WindowManagerTest : ::testing::Test {
    WindowManagerTest()
        : defaults(TestSupport::freshDir(QStringLiteral("windows")) + QStringLiteral("/vorn.ini"))
    {
        UserDefaults::setStandard(&defaults);
    }
    ~WindowManagerTest() override { UserDefaults::setStandard(nullptr); }
    UserDefaults defaults;
};

QStringList menuTexts(QMenu *menu)
{
    QStringList texts;
    for (QAction *action : menu->actions())
        texts.append(action->isSeparator() ? QStringLiteral("--") : action->text());
    return texts;
}

QObject *find(QQuickView *view, const char *name)
{
    return view->rootObject()->findChild<QObject *>(QLatin1String(name));
}

// Windows closed are deleted later: now.
void deleteClosed()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Keys go to the focused item of the active window.
bool activate(QWindow *window)
{
    window->requestActivate();
    return QTest::qWaitFor([window] { return window->isActive(); }, 3000);
}
} // namespace

TEST_F(WindowManagerTest, TheMenuHasTheEntriesInOrderIsDrawnDarkAndFollowsTheShortcutLetter)
{
    Shell shell(&defaults);
    const auto mainEntry = [](const QString &letter) {
        return QStringLiteral("VORN Prompt Manager...\tSuper+Shift+") + letter;
    };
    EXPECT_EQ(menuTexts(shell.manager->menu()),
              (QStringList{mainEntry(QStringLiteral("P")), QStringLiteral("--"), QStringLiteral("Settings..."),
                           QStringLiteral("Feedback..."), QStringLiteral("Login..."), QStringLiteral("--"),
                           QStringLiteral("Version " VORN_VERSION " (Build " VORN_BUILD_NUMBER ")"),
                           QStringLiteral("--"), QStringLiteral("Quit VORN")}));
    EXPECT_FALSE(shell.manager->menu()->actions().at(6)->isEnabled());
    // The global shortcut is shown, never made a key of the menu's own.
    EXPECT_TRUE(shell.manager->mainItem()->shortcut().isEmpty());

    defaults.setValue(QStringLiteral("hotkey_char"), QStringLiteral("k"));
    EXPECT_EQ(shell.manager->mainItem()->text(), mainEntry(QStringLiteral("P")));
    Q_EMIT HotKeyNotifier::shared()->hotKeyUpdated();
    EXPECT_EQ(shell.manager->mainItem()->text(), mainEntry(QStringLiteral("K")));
    // A letter the shortcut cannot use shows the P that is really registered.
    defaults.setValue(QStringLiteral("hotkey_char"), QStringLiteral("1"));
    Q_EMIT HotKeyNotifier::shared()->hotKeyUpdated();
    EXPECT_EQ(shell.manager->mainItem()->text(), mainEntry(QStringLiteral("P")));
    // The menu and the settings show one version text.
    EXPECT_EQ(WindowManager::versionLine(QStringLiteral("1.2.0"), QStringLiteral("7")),
              QStringLiteral("Version 1.2.0 (Build 7)"));
    EXPECT_EQ(WindowManager::versionLine({}, {}), QStringLiteral("Version Unknown (Build Unknown)"));
    EXPECT_EQ(WindowManager::versionLine(QStringLiteral("1.2.0"), QStringLiteral("7")),
              SettingsViewModel::versionLine(QStringLiteral("1.2.0"), QStringLiteral("7")));

    // It is drawn dark, with light text.
    QMenu *menu = shell.manager->menu();
    menu->ensurePolished();
    const QImage picture = menu->grab().toImage();
    ASSERT_FALSE(picture.isNull());
    int dark = 0;
    int light = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int lightness = picture.pixelColor(x, y).lightness();
            dark += lightness < 60 ? 1 : 0;
            light += lightness > 200 ? 1 : 0;
        }
    }
    const int all = picture.width() * picture.height();
    EXPECT_GT(dark, all * 3 / 4) << "dark " << dark << " of " << all;
    EXPECT_GT(light, 50) << "no light text";
}

TEST_F(WindowManagerTest, WithoutATrayTheAppRunsAndTheIconComesWithTheTray)
{
    QStringList lines;
    std::unique_ptr<Shell> shell;
    {
        StoreLog::Capture capture([&lines](const QString &line) { lines.append(line); });
        shell = std::make_unique<Shell>(&defaults, false);
    }
    EXPECT_EQ(lines.size(), 1);
    EXPECT_EQ(shell->manager->statusItem(), nullptr);
    shell->tray->setAvailable(true);
    ASSERT_NE(shell->manager->statusItem(), nullptr);
    EXPECT_EQ(shell->manager->statusItem()->contextMenu(), shell->manager->menu());
    EXPECT_EQ(shell->manager->statusItem()->toolTip(), QStringLiteral("VORN Prompt Manager"));
}

TEST_F(WindowManagerTest, AuxiliaryWindowsAreOnePerNameRebuiltAfterClosingAndHiddenWithTheApp)
{
    Shell shell(&defaults);
    shell.manager->openSettings();
    QQuickView *settings = shell.manager->auxWindow(QStringLiteral("Settings"));
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->title(), QStringLiteral("Settings"));
    EXPECT_EQ(settings->size(), QSize(550, 600));
    shell.manager->openSettings();
    EXPECT_EQ(shell.manager->auxWindow(QStringLiteral("Settings")), settings);
    EXPECT_EQ(shell.windows->activated.count(settings), 2);

    shell.manager->openFeedback();
    shell.manager->openLogin();
    QQuickView *feedback = shell.manager->auxWindow(QStringLiteral("Feedback"));
    ASSERT_NE(feedback, nullptr);
    EXPECT_NE(shell.manager->auxWindow(QStringLiteral("Account")), nullptr);

    QPointer<QQuickView> closed = feedback;
    feedback->close();
    deleteClosed();
    EXPECT_EQ(shell.manager->auxWindow(QStringLiteral("Feedback")), nullptr);
    EXPECT_TRUE(closed.isNull());
    shell.manager->openFeedback();
    EXPECT_NE(shell.manager->auxWindow(QStringLiteral("Feedback")), nullptr);
    EXPECT_EQ(shell.manager->auxWindow(QStringLiteral("Settings")), settings);

    // Hiding the application hides every window until the panel comes back; one closed before
    // stays closed.
    shell.manager->showWindow();
    shell.manager->auxWindow(QStringLiteral("Feedback"))->close();
    deleteClosed();
    PanelController::instance()->hideApplication(); // what the form's copy asks for
    deleteClosed();
    EXPECT_FALSE(shell.manager->panel()->isVisible());
    ASSERT_EQ(shell.manager->auxWindow(QStringLiteral("Settings")), settings); // hidden, not closed
    EXPECT_FALSE(settings->isVisible());

    shell.manager->showWindow();
    EXPECT_TRUE(shell.manager->panel()->isVisible());
    EXPECT_TRUE(settings->isVisible());
    EXPECT_EQ(shell.manager->auxWindow(QStringLiteral("Feedback")), nullptr);
    // Closing it afterwards still forgets it.
    settings->close();
    deleteClosed();
    EXPECT_EQ(shell.manager->auxWindow(QStringLiteral("Settings")), nullptr);
}

TEST_F(WindowManagerTest, PanelIsAHiddenFloatingToolWindowShownIdempotentlyAndOpaqueWithoutACompositor)
{
    Shell shell(&defaults);
    SpotlightPanel *panel = shell.manager->panel();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(panel->errors().isEmpty()) << panel->errors().first().toString().toStdString();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(panel->title(), QStringLiteral("VORN"));
    EXPECT_EQ(panel->size(), QSize(750, 600));
    EXPECT_TRUE(panel->flags().testFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));

    QSignalSpy shown(PanelController::instance(), &PanelController::shown);
    shell.manager->showWindow("abc");
    shell.manager->showWindow();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(shown.count(), 2);
    EXPECT_EQ(shell.windows->tokens, (QList<QByteArray>{"abc", ""}));
    EXPECT_EQ(shell.windows->onAllDesktops.size(), 1);

    // The close button (and Escape) only hide the panel; it stays, and so does the app.
    QMetaObject::invokeMethod(find(panel, "closeButton"), "clicked");
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(shell.manager->panel(), panel);

    // Without a compositor it is square and opaque.
    QObject *background = find(panel, "panelBackground");
    ASSERT_NE(background, nullptr);
    shell.manager->showWindow();
    EXPECT_EQ(panel->color().alpha(), 0);
    EXPECT_EQ(background->property("radius").toReal(), 16.0);
    EXPECT_LT(background->property("color").value<QColor>().alpha(), 255);

    shell.manager->hidePanel();
    shell.windows->compositor = false; // the compositing manager went away
    shell.manager->showWindow();
    EXPECT_EQ(panel->color().alpha(), 255);
    EXPECT_EQ(background->property("radius").toReal(), 0.0);
    EXPECT_EQ(background->property("color").value<QColor>().alpha(), 255);
    shell.windows->compositor = true;
    shell.manager->showWindow();
    EXPECT_EQ(background->property("radius").toReal(), 16.0);
}

TEST_F(WindowManagerTest, ThePanelWaitsForTheTrayUnlessItIsShownFirst)
{
    // Start-up work waits for the tray icon; without an embedding tray, only a moment.
    {
        Shell shell(&defaults, false);
        int ran = 0;
        shell.manager->whenTrayShown([&ran] { ++ran; });
        shell.manager->whenTrayShown([&ran] { ++ran; });
        EXPECT_EQ(ran, 0);
        for (int wait = 0; wait < 300 && ran < 2; ++wait) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(5);
        }
        EXPECT_EQ(ran, 2);
        EXPECT_FALSE(shell.manager->hasPanel());
    }
    // A showing before the idle-time build builds the panel there and then, and shows it.
    Shell shell(&defaults);
    EXPECT_FALSE(shell.manager->hasPanel());
    shell.manager->showWindow();
    ASSERT_TRUE(shell.manager->hasPanel());
    EXPECT_TRUE(shell.manager->panel()->isVisible());
    EXPECT_EQ(shell.windows->activated.count(shell.manager->panel()), 1);
    // Hiding before any showing is nothing to do.
    Shell unshown(&defaults);
    unshown.manager->hidePanel();
    EXPECT_FALSE(unshown.manager->hasPanel());
}

// Built in idle time, the panel comes in steps between the loop's events, and is the same
// panel as one built at once; a showing in the middle of it finishes it there and then.
TEST_F(WindowManagerTest, ThePanelBuiltInIdleTimeComesInStepsOrAtOnceWhenShown)
{
    // The browser lists the shared store.
    DataController::resetShared();
    DataController::Options options;
    options.inMemory = true;
    DataController::setSharedOptions(options);
    ModelContext &context = *DataController::shared()->mainContext();
    ASSERT_TRUE(context.open(QLatin1String(ModelContext::InMemory)).ok());
    for (int i = 0; i < 40; ++i) {
        auto *prompt = new Prompt;
        prompt->setTitle(QStringLiteral("Prompt %1").arg(i));
        prompt->setHot(true); // listed at the top, each a row of the list
        context.insert(prompt);
    }
    const auto turnsToBuild = [&](Shell &shell) {
        shell.manager->buildPanelInIdleTime();
        int turns = 0;
        for (; !shell.manager->hasPanel() && turns < 5000; ++turns)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        return turns;
    };
    {
        Shell shell(&defaults, true, &context);
        EXPECT_GT(turnsToBuild(shell), 3);
        SpotlightPanel *panel = shell.manager->panel();
        ASSERT_TRUE(panel->errors().isEmpty());
        ASSERT_NE(find(panel, "promptSelectionView"), nullptr);
        // Made while no list had a height, the rows did not fill the list with every prompt.
        auto *list = qobject_cast<QQuickItem *>(find(panel, "promptList"));
        ASSERT_NE(list, nullptr);
        EXPECT_LT(list->property("contentItem").value<QQuickItem *>()->childItems().size(), 30);
        shell.manager->showWindow();
        EXPECT_TRUE(panel->isVisible());
        EXPECT_EQ(find(panel, "searchField")->property("activeFocus").toBool(), panel->isActive());
    }
    Shell shell(&defaults, true, &context);
    shell.manager->buildPanelInIdleTime();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    EXPECT_FALSE(shell.manager->hasPanel());
    shell.manager->showWindow();
    ASSERT_TRUE(shell.manager->hasPanel());
    SpotlightPanel *panel = shell.manager->panel();
    EXPECT_TRUE(panel->isVisible());
    ASSERT_NE(find(panel, "promptSelectionView"), nullptr);
    EXPECT_EQ(panel->size(), QSize(750, 600));
    // Given up half-way, a build leaves nothing behind.
    Shell unfinished(&defaults, true, &context);
    unfinished.manager->buildPanelInIdleTime();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    unfinished.manager.reset();
    PanelController::instance()->setModelContext(nullptr);
    DataController::resetShared();
    DataController::setSharedOptions({});
}

// A shortcut pressed while the library loads shows the panel once the library is in: once,
// with the latest press's token, over the whole library.
TEST_F(WindowManagerTest, AShowingAskedForDuringTheLoadComesAfterIt)
{
    const QString dir = TestSupport::freshDir(QStringLiteral("showing-during-load"));
    {
        ModelContext writer;
        ASSERT_TRUE(writer.open(dir + QStringLiteral("/library.sqlite")).ok());
        for (int i = 0; i < 2000; ++i) {
            auto *prompt = new Prompt;
            prompt->setTitle(QStringLiteral("Prompt %1").arg(i));
            writer.insert(prompt);
        }
        ASSERT_TRUE(writer.closeStore());
    }
    // An instance an earlier case made has other options.
    DataController::resetShared();
    DataController::setSharedOptions({dir + QStringLiteral("/library.sqlite"), dir, false});
    DataController *data = DataController::shared();
    data->setUpInBackground();
    ASSERT_TRUE(data->isLoading());
    Shell shell(&defaults, true, data->mainContext());
    shell.manager->showWindow("first");
    shell.manager->showWindow("second");
    EXPECT_FALSE(shell.manager->hasPanel());

    for (int wait = 0; wait < 2000 && data->isLoading(); ++wait) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    ASSERT_FALSE(data->isLoading());
    ASSERT_TRUE(shell.manager->hasPanel());
    EXPECT_TRUE(shell.manager->panel()->isVisible());
    EXPECT_EQ(shell.windows->tokens, (QList<QByteArray>{"second"}));
    EXPECT_EQ(data->mainContext()->count<Prompt>(), 2000);
    shell.manager.reset();
    DataController::resetShared();
    DataController::setSharedOptions({});
}

TEST_F(WindowManagerTest, PanelFrameIsRestoredAtTheNextStartAndTheTextSuffixSeededOnce)
{
    QRect moved;
    {
        Shell first(&defaults);
        first.manager->showWindow();
        moved = QRect(first.manager->panel()->position() + QPoint(-40, 30), QSize(750, 600));
        first.manager->panel()->setGeometry(moved);
        first.manager->hidePanel();
    }
    EXPECT_EQ(defaults.value(QLatin1String(WindowManager::FrameKey)).toRect(), moved);
    Shell second(&defaults);
    EXPECT_EQ(second.manager->panel()->geometry(), moved);

    // A frame from a monitor that is gone is not restored off-screen.
    defaults.setValue(QLatin1String(WindowManager::FrameKey), QRect(50000, 50000, 750, 600));
    Shell third(&defaults);
    EXPECT_TRUE(third.manager->panel()->screen()->availableGeometry().contains(third.manager->panel()->geometry().center()));
    // The main view seeded the text tag suffix, and seeds it only when it is absent.
    EXPECT_EQ(defaults.string(QLatin1String(FormViewModel::TagTextSuffixKey)),
              QString::fromUtf8(FormViewModel::DefaultTagTextSuffix));
    defaults.setValue(QLatin1String(FormViewModel::TagTextSuffixKey), QStringLiteral("Answer in German."));
    Shell again(&defaults);
    again.manager->panel();
    EXPECT_EQ(defaults.string(QLatin1String(FormViewModel::TagTextSuffixKey)), QStringLiteral("Answer in German."));
}

TEST_F(WindowManagerTest, WelcomeSheetOpensOnFirstShowAndSearchSurvivesADetailTrip)
{
    ModelContext context;
    ASSERT_TRUE(context.open(QLatin1String(ModelContext::InMemory)).ok());
    auto *prompt = new Prompt;
    prompt->setTitle(QStringLiteral("Summarise"));
    context.insert(prompt);

    Shell shell(&defaults, true, &context);
    SpotlightPanel *panel = shell.manager->panel();
    QObject *welcome = find(panel, "feedbackSheet");
    ASSERT_NE(welcome, nullptr);
    EXPECT_FALSE(welcome->property("visible").toBool());
    shell.manager->showWindow();
    EXPECT_TRUE(welcome->property("visible").toBool());

    QObject *content = find(panel, "sharedContentView");
    ASSERT_NE(content, nullptr);
    content->setProperty("searchText", QStringLiteral("summ"));
    QMetaObject::invokeMethod(content, "select", Q_ARG(QVariant, QVariant::fromValue<QObject *>(prompt)));
    EXPECT_EQ(content->property("selectedPrompt").value<QObject *>(), prompt);
    QMetaObject::invokeMethod(content, "back");
    EXPECT_EQ(content->property("selectedPrompt").value<QObject *>(), nullptr);
    EXPECT_EQ(content->property("searchText").toString(), QStringLiteral("summ"));
    QObject *field = find(panel, "searchField");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->property("text").toString(), QStringLiteral("summ"));
    // Back from a detail the search is refined; shown again, it is selected so typing replaces it.
    EXPECT_EQ(field->property("selectedText").toString(), QString());
    QMetaObject::invokeMethod(welcome, "close");
    shell.manager->hidePanel();
    shell.manager->showWindow();
    EXPECT_EQ(field->property("selectedText").toString(), QStringLiteral("summ"));
    EXPECT_EQ(PanelController::instance()->prompts()->rowCount(), 1);
    PanelController::instance()->setModelContext(nullptr);
}

TEST_F(WindowManagerTest, TheMenuKeysWorkInThePanelAndTypingGoesPastTheWelcomeSheet)
{
    Shell shell(&defaults);
    SpotlightPanel *panel = shell.manager->panel();
    shell.manager->showWindow();
    QObject *welcome = find(panel, "feedbackSheet");
    QObject *settings = find(panel, "settingsSheet");
    QObject *field = find(panel, "searchField");
    ASSERT_TRUE(welcome && settings && field);
    ASSERT_TRUE(welcome->property("visible").toBool());
    // Its start switch is in sight at once, below the part that scrolls.
    auto *startSwitch = qobject_cast<QQuickItem *>(find(panel, "showOnStartSwitch"));
    auto *sheetContent = welcome->property("contentItem").value<QQuickItem *>();
    ASSERT_TRUE(startSwitch && sheetContent);
    const QRectF switchArea = startSwitch->mapRectToScene(QRectF(0, 0, startSwitch->width(), startSwitch->height()));
    const QRectF sheetArea = sheetContent->mapRectToScene(QRectF(0, 0, sheetContent->width(), sheetContent->height()));
    EXPECT_TRUE(startSwitch->isVisible());
    EXPECT_TRUE(sheetArea.contains(switchArea)) << switchArea.y() << " " << sheetArea.bottom();
    ASSERT_TRUE(activate(panel));
    const auto press = [panel](Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &text = {}) {
        QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
        QCoreApplication::sendEvent(panel, &down);
        QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
        QCoreApplication::sendEvent(panel, &up);
    };

    // The first character closes the welcome sheet and is the start of a search.
    press(Qt::Key_C, Qt::NoModifier, QStringLiteral("c"));
    press(Qt::Key_O, Qt::NoModifier, QStringLiteral("o"));
    EXPECT_FALSE(welcome->property("visible").toBool());
    EXPECT_EQ(field->property("text").toString(), QStringLiteral("co"));

    // The keys the tray menu shows: Ctrl+, opens the panel's own settings sheet, Ctrl+L the
    // account window; other keys are left to the panel's views.
    press(Qt::Key_Comma, Qt::ControlModifier);
    EXPECT_TRUE(settings->property("visible").toBool());
    EXPECT_EQ(shell.manager->auxWindow(QStringLiteral("Settings")), nullptr);
    press(Qt::Key_L, Qt::ControlModifier, QStringLiteral("\x0c"));
    QQuickView *account = shell.manager->auxWindow(QStringLiteral("Account"));
    ASSERT_NE(account, nullptr);
    // In an auxiliary window Ctrl+, opens the settings window.
    QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, Qt::ControlModifier);
    QCoreApplication::sendEvent(account, &comma);
    EXPECT_NE(shell.manager->auxWindow(QStringLiteral("Settings")), nullptr);
    QKeyEvent other(QEvent::KeyPress, Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(shell.manager->actions()->forKey(other), nullptr);
    QKeyEvent quit(QEvent::KeyPress, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(shell.manager->actions()->forKey(quit), shell.manager->actions()->action(AppActions::Id::Quit));
    EXPECT_EQ(shell.manager->actions()->action(AppActions::Id::Quit)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
}

TEST_F(WindowManagerTest, TheFirstActivationPreparesTypingAndItsKeyReachesNoView)
{
    Shell shell(&defaults);
    SpotlightPanel *panel = shell.manager->panel();
    auto *field = qobject_cast<QQuickItem *>(find(panel, "searchField"));
    ASSERT_NE(field, nullptr);
    struct KeyCount : QObject {
        int presses = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            presses += event->type() == QEvent::KeyPress ? 1 : 0;
            return false;
        }
    } count;
    field->installEventFilter(&count);
    const auto show = [&] {
        shell.manager->showWindow();
        const bool active = activate(panel);
        QCoreApplication::processEvents(); // the preparation waits for the next turn
        return active;
    };
    ASSERT_TRUE(show());
    EXPECT_EQ(shell.windows->preparedForTyping, QList<QWindow *>{panel});
    field->forceActiveFocus();

    // The key sent to prepare goes no further than the window; the user's keys do.
    QKeyEvent preparation(QEvent::KeyPress, 0, Qt::NoModifier, FakeWindowPlatform::PreparationScanCode, 0, 0);
    QCoreApplication::sendEvent(panel, &preparation);
    EXPECT_EQ(count.presses, 0);
    QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QCoreApplication::sendEvent(panel, &letter);
    EXPECT_EQ(count.presses, 1);

    // Once is enough: the next showings send nothing.
    shell.manager->hidePanel();
    show();
    EXPECT_EQ(shell.windows->preparedForTyping.size(), 1);
}
