#pragma once

#include <QString>

// The per-user mechanism that starts the app when the user logs in.
class LoginItemService {
public:
    virtual ~LoginItemService() = default;

    virtual bool isEnabled() const = 0;
    // Both return false and describe the failure in error.
    virtual bool enable(QString *error) = 0;
    virtual bool disable(QString *error) = 0;
};
