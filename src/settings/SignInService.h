#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The platform's account sign-in. The completion runs exactly once, on the main thread.
class SignInService {
public:
    struct Result {
        bool success = false;
        // The authorisation on success, the error's description on failure.
        QString description;
    };
    using Completion = std::function<void(const Result &result)>;

    virtual ~SignInService() = default;
    virtual void signIn(const QStringList &scopes, Completion completion) = 0;
    // False when signing in can only fail here; the account window then offers no button.
    virtual bool isAvailable() const { return true; }
};
