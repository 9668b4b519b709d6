#pragma once

#include "HotKeyBackend.h"

// No global-shortcut facility: the user binds "vorn show" in the desktop's own settings.
class NullHotKeyBackend : public HotKeyBackend {
    Q_OBJECT

public:
    using HotKeyBackend::HotKeyBackend;

    QString name() const override { return QStringLiteral("none"); }
    bool registerShortcut(QChar) override
    {
        m_lastError = QStringLiteral("no global shortcut service");
        return false;
    }
    void unregisterShortcut() override {}
};
