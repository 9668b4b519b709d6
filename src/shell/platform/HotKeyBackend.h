#pragma once

#include <QByteArray>
#include <QChar>
#include <QObject>
#include <QString>

// One system-wide shortcut, Super+Shift+letter, delivered to this process while another
// application has the focus. Each desktop technology (X11 grab, desktop portal) implements it.
class HotKeyBackend : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    ~HotKeyBackend() override = default;

    // Short name for log lines ("x11", "portal", "none").
    virtual QString name() const = 0;
    // Registers Super+Shift+letter (letter is 'A'..'Z'). False when the system refuses it;
    // nothing stays registered then.
    virtual bool registerShortcut(QChar letter) = 0;
    virtual void unregisterShortcut() = 0;
    // Why the last registration failed, for the log.
    QString lastError() const { return m_lastError; }

Q_SIGNALS:
    // The shortcut was pressed. token, when the desktop gives one, lets the panel take focus.
    void activated(const QByteArray &activationToken);

protected:
    QString m_lastError;
};
