#include "HotKeyManager.h"

#include "Diagnostics.h"
#include "HotKeyNotifier.h"
#include "ShortcutText.h"
#include "StoreLog.h"
#include "UserDefaults.h"
#include "platform/PlatformServices.h"

namespace {
const QString HotKeyCharKey = QStringLiteral("hotkey_char");
}

HotKeyManager *HotKeyManager::shared()
{
    static HotKeyManager *manager = new HotKeyManager(PlatformServices::createHotKeyBackend(), UserDefaults::standard());
    return manager;
}

HotKeyManager::HotKeyManager(std::unique_ptr<HotKeyBackend> backend, UserDefaults *defaults, QObject *parent)
    : QObject(parent), m_backend(std::move(backend)), m_defaults(defaults)
{
    // Presses only ever show the panel; the handler is connected once, not per registration.
    connect(m_backend.get(), &HotKeyBackend::activated, this, &HotKeyManager::pressed, Qt::QueuedConnection);
}

HotKeyManager::~HotKeyManager() = default;

QChar HotKeyManager::keyCodeForCharacter(QChar character)
{
    const QChar upper = character.toUpper();
    if (upper >= QLatin1Char('A') && upper <= QLatin1Char('Z'))
        return upper;
    return QLatin1Char('P');
}

QChar HotKeyManager::letterForSetting(const std::optional<QString> &setting)
{
    if (!setting || setting->isEmpty())
        return QLatin1Char('P');
    return keyCodeForCharacter(setting->front());
}

QChar HotKeyManager::configuredLetter(const UserDefaults *defaults)
{
    return letterForSetting(defaults->stringValue(HotKeyCharKey));
}

void HotKeyManager::registerHotKey()
{
    const QChar letter = configuredLetter(m_defaults);
    if (m_hotKeyRef) {
        // Never two at once, even when called twice without the re-registration sequence.
        m_backend->unregisterShortcut();
        m_hotKeyRef.reset();
    }
    if (m_backend->registerShortcut(letter)) {
        m_hotKeyRef = letter;
        return;
    }
    if (m_backend->name() == QLatin1String("none"))
        StoreLog::line(lcShell(), QStringLiteral("No global shortcut on this desktop: bind the command \"vorn show\" to "
                                                 "%1 in the desktop's keyboard settings.")
                                      .arg(ShortcutText::of(letter)));
    else
        StoreLog::line(lcShell(), QStringLiteral("The shortcut %1 could not be registered (%2); bind the "
                                                 "command \"vorn show\" in the desktop's keyboard settings instead.")
                                      .arg(ShortcutText::of(letter), m_backend->lastError()));
}

void HotKeyManager::reRegisterHotKey()
{
    if (m_hotKeyRef) {
        m_backend->unregisterShortcut();
        m_hotKeyRef.reset();
    }
    registerHotKey();
    Q_EMIT HotKeyNotifier::shared()->hotKeyUpdated();
}
