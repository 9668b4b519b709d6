#pragma once

// What the "Launch at Login" switch needs: whether the app starts at login, and flipping it.
// The desktop shell implements it over the user's autostart entry.
class LoginItemControl {
public:
    virtual ~LoginItemControl() = default;

    virtual bool isEnabled() const = 0;
    // Flips the login item; on failure it logs why and isEnabled() reports the real state.
    virtual void toggle() = 0;
};
