#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QUuid>

#include <ctime>

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

ScopedTimeZone::ScopedTimeZone(const char *zone)
    : m_previous(qgetenv("TZ")), m_hadZone(qEnvironmentVariableIsSet("TZ"))
{
    qputenv("TZ", zone);
    tzset();
}

ScopedTimeZone::~ScopedTimeZone()
{
    if (m_hadZone)
        qputenv("TZ", m_previous);
    else
        qunsetenv("TZ");
    tzset();
}
} // namespace TestSupport
