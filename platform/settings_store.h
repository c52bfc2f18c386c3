#pragma once

#include <string>

namespace nudgekey {

// Per-user text values addressed by application title, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or `defaultText` when the key is absent.
    virtual std::string GetSetting(const std::string& appTitle, const std::string& section, const std::string& key,
                                   const std::string& defaultText) = 0;
    // Throws PlatformError when the value cannot be written.
    virtual void SaveSetting(const std::string& appTitle, const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

}  // namespace nudgekey
