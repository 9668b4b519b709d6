#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class DataController;
class SyncEngine;
class UserDefaults;

// The "Sync" section of the settings: the shared folder (chosen, or off), this device's name,
// the other devices seen and "Sync Now". Every value is read from the sync and the settings
// when asked and announced when they change, so the section shows what the command line set
// a moment ago.
class SyncSettingsViewModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool isOn READ isOn NOTIFY changed)
    Q_PROPERTY(QString folder READ folder NOTIFY changed)
    // What the folder row says: the folder's path, or "Off".
    Q_PROPERTY(QString folderText READ folderText NOTIFY changed)
    // Where the folder dialog opens: the folder, or the home folder.
    Q_PROPERTY(QUrl dialogFolder READ dialogFolder NOTIFY changed)
    Q_PROPERTY(QString deviceName READ deviceName WRITE setDeviceName NOTIFY changed)
    Q_PROPERTY(QString hostName READ hostName CONSTANT)
    // One map per other device, by name: id, name, lastChange (in the user's locale), problem.
    Q_PROPERTY(QVariantList devices READ devices NOTIFY changed)
    Q_PROPERTY(QString problem READ problem NOTIFY changed)
    // The outcome of the last choice or "Sync Now"; empty until then.
    Q_PROPERTY(QString message READ message NOTIFY messageChanged)

public:
    // On the shared store and the user's settings.
    explicit SyncSettingsViewModel(QObject *parent = nullptr);
    SyncSettingsViewModel(DataController *data, UserDefaults *defaults, QObject *parent = nullptr);
    ~SyncSettingsViewModel() override;

    bool isOn() const { return !folder().isEmpty(); }
    QString folder() const;
    QString folderText() const;
    QUrl dialogFolder() const;
    QString deviceName() const;
    // An empty name goes back to the host name.
    void setDeviceName(const QString &name);
    static QString hostName();
    QVariantList devices() const;
    QString problem() const;
    QString message() const { return m_message; }

    // A folder from the folder dialog (a file URL) or typed; false with the reason in message.
    Q_INVOKABLE bool chooseFolder(const QUrl &folder);
    Q_INVOKABLE void turnOff();
    Q_INVOKABLE void syncNow();

Q_SIGNALS:
    void changed();
    void messageChanged();

private:
    void follow(SyncEngine *engine);
    void setMessage(const QString &message);

    QPointer<DataController> m_data;
    UserDefaults *m_defaults;
    QPointer<SyncEngine> m_engine;
    QMetaObject::Connection m_engineConnection;
    QString m_message;
};
