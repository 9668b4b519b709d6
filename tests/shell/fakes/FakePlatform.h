#pragma once

#include "HotKeyBackend.h"
#include "LoginItemService.h"
#include "TrayAvailability.h"
#include "WindowPlatform.h"

#include <QKeyEvent>
#include <QList>
#include <QWindow>

// Stand-ins for the platform backends, recording what the shell asked of them.
class FakeHotKeyBackend : public HotKeyBackend {
    Q_OBJECT

public:
    QString name() const override { return QStringLiteral("fake"); }
    bool registerShortcut(QChar letter) override
    {
        if (refuse) {
            m_lastError = QStringLiteral("refused");
            return false;
        }
        registered.append(letter);
        return true;
    }
    void unregisterShortcut() override
    {
        if (!registered.isEmpty())
            registered.removeLast();
    }
    void press() { Q_EMIT activated("token"); }

    QList<QChar> registered; // what is registered now
    bool refuse = false;
};

class FakeTray : public TrayAvailability {
    Q_OBJECT

public:
    explicit FakeTray(bool available) : m_available(available) {}
    bool isAvailable() const override { return m_available; }
    void setAvailable(bool available)
    {
        m_available = available;
        Q_EMIT availabilityChanged(available);
    }

private:
    bool m_available;
};

class FakeWindowPlatform : public WindowPlatform {
public:
    void setOnAllDesktops(QWindow *window) override { onAllDesktops.append(window); }
    void activate(QWindow *window, const QByteArray &token) override
    {
        activated.append(window);
        tokens.append(token);
    }
    bool hasCompositor() const override { return compositor; }
    void prepareTyping(QWindow *window) override { preparedForTyping.append(window); }
    bool isTypingPreparation(const QKeyEvent &event) const override
    {
        return event.key() == 0 && event.nativeScanCode() == PreparationScanCode;
    }
    static constexpr quint32 PreparationScanCode = 8;
    bool compositor = true;
    QList<QWindow *> preparedForTyping;
    QList<QWindow *> onAllDesktops;
    QList<QWindow *> activated;
    QList<QByteArray> tokens;
};

class FakeLoginItem : public LoginItemService {
public:
    bool isEnabled() const override { return enabled; }
    bool enable(QString *error) override { return change(true, error); }
    bool disable(QString *error) override { return change(false, error); }

    bool enabled = false;
    bool fail = false;

private:
    bool change(bool on, QString *error)
    {
        if (fail) {
            *error = QStringLiteral("not allowed");
            return false;
        }
        enabled = on;
        return true;
    }
};
