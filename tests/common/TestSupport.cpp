#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QUuid>

namespace TestSupport {
QString homeDir()
{
    return qEnvironmentVariable("HOME");
}

QString freshDir(const QString &name)
{
    const QString path = homeDir() + QStringLiteral("/cases/") + name + QLatin1Char('-')
                         + QUuid::createUuid().toString(QUuid::Id128).left(8);
    QDir().mkpath(path);
    return path;
}

QString binaryDir()
{
    return QCoreApplication::applicationDirPath();
}
} // namespace TestSupport
