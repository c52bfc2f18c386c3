#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/win32/registry_settings.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace nudgekey {
namespace {

// A title of its own per run, removed with all its sections afterwards.
class RegistrySettingsTest : public ::testing::Test {
protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, RegistrySettings::AppKeyPath(app).c_str()); }

    // The value as the registry holds it, read around the class under test.
    std::wstring RawValue(const std::string& section, const std::string& key, DWORD expectedType = RRF_RT_REG_SZ)
    {
        const std::wstring path = RegistrySettings::AppKeyPath(app) + L"\\" + Widen(section);
        wchar_t data[256] = {};
        DWORD bytes = sizeof data;
        const LSTATUS status =
            RegGetValueW(HKEY_CURRENT_USER, path.c_str(), Widen(key).c_str(), expectedType, nullptr, data, &bytes);
        return status == ERROR_SUCCESS ? std::wstring(data) : L"<absent or not REG_SZ>";
    }

    std::string app = "Nudgekey Win32 Test " + std::to_string(GetCurrentProcessId());
    RegistrySettings settings;
};

TEST_F(RegistrySettingsTest, AbsentSectionOrKeyGivesTheDefault)
{
    EXPECT_EQ(settings.GetSetting(app, "Setup", "LeftButton", "65"), "65");
    settings.SaveSetting(app, "Setup", "RightButton", "88");
    EXPECT_EQ(settings.GetSetting(app, "Setup", "LeftButton", "65"), "65");
    EXPECT_EQ(settings.GetSetting(app, "Settings", "Option", "0"), "0");
}

TEST_F(RegistrySettingsTest, SavedTextReadsBackAsStringValuesUnderTheProgramSettingsKey)
{
    const std::pair<std::string, std::string> values[] = {
        {"LeftButton", "65"}, {"RightButton", "-1"}, {"LeftRightButton", ""}, {"Option", "GL\xC2\xB2ide 2.5"}};
    for (const auto& [key, text] : values) settings.SaveSetting(app, "Setup", key, text);
    for (const auto& [key, text] : values) {
        EXPECT_EQ(settings.GetSetting(app, "Setup", key, "default"), text) << key;
        EXPECT_EQ(RawValue("Setup", key), Widen(text)) << key;
    }
    // Writing again replaces the value.
    settings.SaveSetting(app, "Setup", "LeftButton", "90");
    EXPECT_EQ(settings.GetSetting(app, "Setup", "LeftButton", "65"), "90");
}

TEST_F(RegistrySettingsTest, HandEditedValuesReadAsFarAsTheyAreText)
{
    const std::wstring path = RegistrySettings::AppKeyPath(app) + L"\\Setup";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD number = 65;
    RegSetValueExW(key, L"LeftButton", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    // Stored without its closing NUL, as a hand-made .reg import can leave it.
    const wchar_t unterminated[] = {L'8', L'8'};
    RegSetValueExW(key, L"RightButton", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated), sizeof unterminated);
    RegCloseKey(key);

    EXPECT_THROW(settings.GetSetting(app, "Setup", "LeftButton", "65"), PlatformError);
    EXPECT_EQ(settings.GetSetting(app, "Setup", "RightButton", "0"), "88");
}

}  // namespace
}  // namespace nudgekey
