#pragma once

#include <QObject>

// Carries "HotKeyUpdated": posted after the shortcut was registered again with a new letter,
// so the tray menu can show it.
class HotKeyNotifier : public QObject {
    Q_OBJECT

public:
    static HotKeyNotifier *shared();

Q_SIGNALS:
    void hotKeyUpdated();
};
