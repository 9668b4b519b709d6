#pragma once

#include "HotKeyBackend.h"

#include <QAbstractNativeEventFilter>
#include <QList>

#include <xcb/xcb.h>

// Super+Shift+letter as a passive key grab on the root window. The grab is repeated for every
// combination of the lock modifiers this keyboard actually maps, so NumLock or CapsLock being
// on does not swallow the shortcut.
class X11HotKeyBackend : public HotKeyBackend, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    X11HotKeyBackend(xcb_connection_t *connection, xcb_window_t root, QObject *parent = nullptr);
    ~X11HotKeyBackend() override;

    QString name() const override { return QStringLiteral("x11"); }
    bool registerShortcut(QChar letter) override;
    void unregisterShortcut() override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

    struct ModifierMasks {
        uint16_t super = 0;
        uint16_t alt = 0;
        QList<uint16_t> locks; // one bit each: Lock (CapsLock), NumLock, ScrollLock when mapped
    };
    // The masks of the current modifier mapping.
    ModifierMasks readModifierMasks() const;
    // Every OR-combination of the lock bits, starting with none.
    static QList<uint16_t> lockCombinations(const QList<uint16_t> &locks);

private:
    bool grab();
    void ungrab();

    xcb_connection_t *m_connection;
    xcb_window_t m_root;
    QChar m_letter;
    ModifierMasks m_masks;
    QList<xcb_keycode_t> m_keycodes;
    QList<uint16_t> m_grabbedModifiers;
};
