#pragma once

#include <QByteArray>

class QWindow;

// Window traits that Qt has no portable call for.
class WindowPlatform {
public:
    virtual ~WindowPlatform() = default;

    // Shows the window on every virtual desktop.
    virtual void setOnAllDesktops(QWindow *window) = 0;
    // Raises the window and asks for keyboard focus; token comes from the shortcut or launcher.
    virtual void activate(QWindow *window, const QByteArray &activationToken) = 0;
};
