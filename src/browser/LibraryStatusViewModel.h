#pragma once

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

class DataController;

// The line above the library that tells the user what is wrong with it: changes that could
// not be saved (and why, until a retry saves them), a library that could not be opened, or
// one that was moved aside. Empty when all is well.
class LibraryStatusViewModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString message READ message NOTIFY messageChanged)
    // Not saved is a warning that stays; the other notices can be put away.
    Q_PROPERTY(bool unsaved READ unsaved NOTIFY messageChanged)

public:
    explicit LibraryStatusViewModel(QObject *parent = nullptr);
    explicit LibraryStatusViewModel(DataController *data, QObject *parent = nullptr);

    QString message() const;
    bool unsaved() const;
    // Puts the store's notice away for the rest of the run.
    Q_INVOKABLE void dismiss();

Q_SIGNALS:
    void messageChanged();

private:
    QPointer<DataController> m_data;
};
