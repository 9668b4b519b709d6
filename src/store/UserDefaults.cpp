#include "UserDefaults.h"

#include <QDir>
#include <QStandardPaths>

namespace {
UserDefaults *g_standard = nullptr;
}

UserDefaults::UserDefaults(const QString &filePath, QObject *parent)
    : QObject(parent), m_settings(std::make_unique<QSettings>(filePath, QSettings::IniFormat))
{
}

UserDefaults::~UserDefaults()
{
    m_settings->sync();
    if (g_standard == this)
        g_standard = nullptr;
}

QString UserDefaults::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/vorn/vorn.ini");
}

UserDefaults *UserDefaults::standard()
{
    if (!g_standard)
        g_standard = new UserDefaults(defaultFilePath());
    return g_standard;
}

void UserDefaults::setStandard(UserDefaults *defaults)
{
    g_standard = defaults;
}

bool UserDefaults::contains(const QString &key) const
{
    return m_settings->contains(key);
}

QStringList UserDefaults::keys() const
{
    return m_settings->allKeys();
}

QVariant UserDefaults::value(const QString &key, const QVariant &fallback) const
{
    return m_settings->value(key, fallback);
}

std::optional<QString> UserDefaults::stringValue(const QString &key) const
{
    if (!m_settings->contains(key))
        return std::nullopt;
    return m_settings->value(key).toString();
}

QString UserDefaults::string(const QString &key, const QString &fallback) const
{
    return stringValue(key).value_or(fallback);
}

bool UserDefaults::boolValue(const QString &key, bool fallback) const
{
    return m_settings->contains(key) ? m_settings->value(key).toBool() : fallback;
}

qint64 UserDefaults::intValue(const QString &key, qint64 fallback) const
{
    bool ok = false;
    const qint64 v = m_settings->value(key).toLongLong(&ok);
    return ok ? v : fallback;
}

void UserDefaults::setValue(const QString &key, const QVariant &value)
{
    m_settings->setValue(key, value);
    Q_EMIT valueChanged(key);
}

void UserDefaults::remove(const QString &key)
{
    m_settings->remove(key);
    Q_EMIT valueChanged(key);
}

void UserDefaults::sync()
{
    m_settings->sync();
}

QString UserDefaults::filePath() const
{
    return m_settings->fileName();
}
