#pragma once

#include "SignInService.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

// The account window's sign-in: asks the platform for the user's name and e-mail and logs
// the outcome. Nothing is stored.
class AccountViewModel : public QObject {
    Q_OBJECT
    QML_ELEMENT

public:
    // On the sign-in service the host handed over (on Linux: one that always fails).
    explicit AccountViewModel(QObject *parent = nullptr);
    explicit AccountViewModel(SignInService *service, QObject *parent = nullptr);

    static QStringList scopes();
    Q_INVOKABLE void signIn();

private:
    SignInService *m_service;
};
