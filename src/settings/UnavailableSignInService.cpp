#include "UnavailableSignInService.h"

void UnavailableSignInService::signIn(const QStringList &scopes, Completion completion)
{
    Q_UNUSED(scopes);
    if (completion)
        completion({false, QString::fromLatin1(Message)});
}
