#pragma once

#include <string>

#include "platform/settings_store.h"

namespace nudgekey {

// Settings in the registry where programs of this kind have always kept them:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>,
// one REG_SZ value per key.
class RegistrySettings : public SettingsStore {
public:
    // An absent section or key gives `defaultText`; a value that cannot be read
    // as text throws PlatformError.
    std::string GetSetting(const std::string& appTitle, const std::string& section, const std::string& key,
                           const std::string& defaultText) override;
    void SaveSetting(const std::string& appTitle, const std::string& section, const std::string& key,
                     const std::string& value) override;

    // The key of an application title below HKEY_CURRENT_USER.
    static std::wstring AppKeyPath(const std::string& appTitle);
};

}  // namespace nudgekey
