#include "DesktopUrlOpener.h"

#include <QDesktopServices>
#include <QProcess>

bool DesktopUrlOpener::open(const QUrl &url)
{
    if (QDesktopServices::openUrl(url))
        return true;
    return QProcess::startDetached(QStringLiteral("xdg-open"),
                                   {QString::fromUtf8(url.toEncoded())});
}
