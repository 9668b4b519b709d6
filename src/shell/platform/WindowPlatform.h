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
    // Whether windows may be see-through (a compositing manager runs). Without one a clear
    // pixel shows as black, so the panel is drawn square and opaque.
    virtual bool hasCompositor() const { return true; }
};
