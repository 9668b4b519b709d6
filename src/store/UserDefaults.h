#pragma once

#include <QObject>
#include <QSettings>
#include <QVariant>

#include <memory>
#include <optional>

// The user's settings ("user defaults"): an INI file under $XDG_CONFIG_HOME/vorn/.
// Every write notifies at once so views follow it; tests give each case its own file.
class UserDefaults : public QObject {
    Q_OBJECT

public:
    explicit UserDefaults(const QString &filePath, QObject *parent = nullptr);
    ~UserDefaults() override;

    // The process-wide instance over the user's settings file.
    static UserDefaults *standard();
    // Replaces the process-wide instance (tests, or a CLI working on another folder).
    static void setStandard(UserDefaults *defaults);
    static QString defaultFilePath();

    Q_INVOKABLE bool contains(const QString &key) const;
    QStringList keys() const;
    Q_INVOKABLE QVariant value(const QString &key, const QVariant &fallback = {}) const;
    // The stored text, or nothing when the key is absent.
    std::optional<QString> stringValue(const QString &key) const;
    Q_INVOKABLE QString string(const QString &key, const QString &fallback = {}) const;
    Q_INVOKABLE bool boolValue(const QString &key, bool fallback) const;
    Q_INVOKABLE qint64 intValue(const QString &key, qint64 fallback) const;

    Q_INVOKABLE void setValue(const QString &key, const QVariant &value);
    Q_INVOKABLE void remove(const QString &key);
    // Writes pending changes to disk now.
    void sync();
    QString filePath() const;

Q_SIGNALS:
    void valueChanged(const QString &key);

private:
    std::unique_ptr<QSettings> m_settings;
};
