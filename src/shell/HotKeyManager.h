#pragma once

#include "platform/HotKeyBackend.h"

#include <QObject>

#include <memory>
#include <optional>

class UserDefaults;

// The one global shortcut of the program, Super+Shift+letter, with the letter from the
// setting "hotkey_char". At most one shortcut is registered at any time.
class HotKeyManager : public QObject {
    Q_OBJECT

public:
    // The process-wide instance, on the platform's backend and the user's settings.
    static HotKeyManager *shared();

    HotKeyManager(std::unique_ptr<HotKeyBackend> backend, UserDefaults *defaults, QObject *parent = nullptr);
    ~HotKeyManager() override;

    // Registers the shortcut for the current setting; on failure nothing is registered and
    // one line says why.
    void registerHotKey();
    // After the letter changed: drops the old shortcut, registers the new one and posts
    // "HotKeyUpdated".
    void reRegisterHotKey();

    // The letter registered now, if any.
    std::optional<QChar> hotKeyRef() const { return m_hotKeyRef; }
    HotKeyBackend *backend() const { return m_backend.get(); }

    // The letter of the shortcut: the first character of the setting, upper-cased; "P" when
    // the setting is absent, empty or not a letter A to Z.
    static QChar keyCodeForCharacter(QChar character);
    static QChar letterForSetting(const std::optional<QString> &setting);
    // The shortcut's letter as configured in defaults.
    static QChar configuredLetter(const UserDefaults *defaults);

Q_SIGNALS:
    // The shortcut was pressed; token (possibly empty) lets the panel take focus.
    void pressed(const QByteArray &activationToken);

private:
    std::unique_ptr<HotKeyBackend> m_backend;
    UserDefaults *m_defaults;
    std::optional<QChar> m_hotKeyRef;
};
