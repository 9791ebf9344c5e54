#pragma once

/// Starting the app when the user logs in, as the desktop offers it. Enabling and disabling can
/// fail (a folder that cannot be written); `isEnabled` then tells what really holds.
class LoginItem {
public:
    virtual ~LoginItem() = default;

    [[nodiscard]] virtual bool isEnabled() const = 0;
    /// false when the app could not be registered.
    virtual bool enable() = 0;
    /// false when the registration could not be removed.
    virtual bool disable() = 0;
};
