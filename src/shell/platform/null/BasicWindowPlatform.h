#pragma once

#include "WindowPlatform.h"

// Qt's own activation; on Wayland the activation token is handed over through the
// environment, where the Wayland platform picks it up on the next activation request.
class BasicWindowPlatform : public WindowPlatform {
public:
    void setOnAllDesktops(QWindow *) override {}
    void activate(QWindow *window, const QByteArray &activationToken) override;
};
