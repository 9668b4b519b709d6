#pragma once

#include "SignInService.h"

// This desktop has no account sign-in: every request fails with the same message.
class UnavailableSignInService : public SignInService {
public:
    static constexpr const char *Message = "Sign-in is not available on this platform"; // untranslated: written to the log

    void signIn(const QStringList &scopes, Completion completion) override;
    bool isAvailable() const override { return false; }
};
