#pragma once

#include <QByteArray>

class QKeyEvent;
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
    // Loads now what the first key typed into the focused window would load first, so that
    // the user's first key is as quick as the next ones.
    virtual void prepareTyping(QWindow *) {}
    // The key prepareTyping sent, for the window to drop.
    virtual bool isTypingPreparation(const QKeyEvent &) const { return false; }
};
