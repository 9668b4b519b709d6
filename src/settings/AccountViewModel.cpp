#include "AccountViewModel.h"

#include "SettingsServices.h"
#include "StoreLog.h"

AccountViewModel::AccountViewModel(QObject *parent)
    : AccountViewModel(SettingsServices::signInService(), parent)
{
}

AccountViewModel::AccountViewModel(SignInService *service, QObject *parent)
    : QObject(parent), m_service(service)
{
}

QStringList AccountViewModel::scopes()
{
    return {QStringLiteral("fullName"), QStringLiteral("email")};
}

QString AccountViewModel::syncHint()
{
    return tr("There is no account to sign in to on this computer. Your library syncs through a shared folder "
              "that a file-sync tool such as Syncthing keeps in step: choose it in Settings > Sync.");
}

void AccountViewModel::signIn()
{
    m_service->signIn(scopes(), [](const SignInService::Result &result) {
        StoreLog::line((result.success ? QStringLiteral("Authorisation successful: ")
                                       : QStringLiteral("Authorisation failed: ")) +
                       result.description);
    });
}
