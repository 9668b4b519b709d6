#pragma once

#include "SignInService.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

// The account window's sign-in: asks the platform for the user's name and e-mail and logs
// the outcome. Nothing is stored. Where the platform has no sign-in, the window says where
// the library's sync is set up instead.
class AccountViewModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool canSignIn READ canSignIn CONSTANT)
    Q_PROPERTY(QString syncHint READ syncHint CONSTANT)

public:
    // On the sign-in service the host handed over (on Linux: one that always fails).
    explicit AccountViewModel(QObject *parent = nullptr);
    explicit AccountViewModel(SignInService *service, QObject *parent = nullptr);

    static QStringList scopes();
    bool canSignIn() const { return m_service->isAvailable(); }
    static QString syncHint();
    Q_INVOKABLE void signIn();

private:
    SignInService *m_service;
};
