#include "BasicWindowPlatform.h"

#include <QWindow>

void BasicWindowPlatform::activate(QWindow *window, const QByteArray &activationToken)
{
    if (!activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    window->raise();
    window->requestActivate();
}
