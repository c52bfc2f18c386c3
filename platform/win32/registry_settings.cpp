#include "platform/win32/registry_settings.h"

#include <vector>

#include "platform/error.h"
#include "platform/win32/handles.h"
#include "platform/win32/last_error.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace nudgekey {

namespace {

std::wstring SectionKeyPath(const std::string& appTitle, const std::string& section)
{
    return RegistrySettings::AppKeyPath(appTitle) + L"\\" + Widen(section);
}

std::string Describe(const std::string& appTitle, const std::string& section, const std::string& key)
{
    return appTitle + "\\" + section + "\\" + key;
}

}  // namespace

std::wstring RegistrySettings::AppKeyPath(const std::string& appTitle)
{
    return L"Software\\VB and VBA Program Settings\\" + Widen(appTitle);
}

std::string RegistrySettings::GetSetting(const std::string& appTitle, const std::string& section,
                                         const std::string& key, const std::string& defaultText)
{
    const std::string name = Describe(appTitle, section, key);
    RegistryKey sectionKey;
    {
        HKEY opened = nullptr;
        const LSTATUS status =
            RegOpenKeyExW(HKEY_CURRENT_USER, SectionKeyPath(appTitle, section).c_str(), 0, KEY_QUERY_VALUE, &opened);
        if (status == ERROR_FILE_NOT_FOUND) return defaultText;
        if (status != ERROR_SUCCESS) ThrowError("reading setting " + name, static_cast<std::uint32_t>(status));
        sectionKey.reset(opened);
    }

    const std::wstring valueName = Widen(key);
    std::vector<wchar_t> buffer(64);
    for (;;) {
        DWORD type = 0;
        DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LSTATUS status = RegQueryValueExW(sectionKey.get(), valueName.c_str(), nullptr, &type,
                                                reinterpret_cast<BYTE*>(buffer.data()), &bytes);
        if (status == ERROR_FILE_NOT_FOUND) return defaultText;
        if (status == ERROR_MORE_DATA) {
            buffer.resize(bytes / sizeof(wchar_t) + 1);
            continue;
        }
        if (status != ERROR_SUCCESS) ThrowError("reading setting " + name, static_cast<std::uint32_t>(status));
        if (type != REG_SZ && type != REG_EXPAND_SZ) throw PlatformError("setting " + name + " is not text");
        // The stored data need not end in a NUL; it ends at the first one if it does.
        std::wstring text(buffer.data(), bytes / sizeof(wchar_t));
        if (const auto nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
        return Narrow(text);
    }
}

void RegistrySettings::SaveSetting(const std::string& appTitle, const std::string& section, const std::string& key,
                                   const std::string& value)
{
    const std::string name = Describe(appTitle, section, key);
    RegistryKey sectionKey;
    {
        HKEY created = nullptr;
        const LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, SectionKeyPath(appTitle, section).c_str(), 0,
                                               nullptr, 0, KEY_SET_VALUE, nullptr, &created, nullptr);
        if (status != ERROR_SUCCESS) ThrowError("writing setting " + name, static_cast<std::uint32_t>(status));
        sectionKey.reset(created);
    }
    const std::wstring text = Widen(value);
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    const LSTATUS status = RegSetValueExW(sectionKey.get(), Widen(key).c_str(), 0, REG_SZ,
                                          reinterpret_cast<const BYTE*>(text.c_str()), bytes);
    if (status != ERROR_SUCCESS) ThrowError("writing setting " + name, static_cast<std::uint32_t>(status));
}

}  // namespace nudgekey
